#include "display/Canvas.h"

#include <array>

namespace ax {

Colour PaletteColour(int index) {
  static constexpr std::array<Colour, 16> kPalette = {{
      {0, 0, 0},
      {0, 0, 128},
      {0, 128, 0},
      {0, 128, 128},
      {128, 0, 0},
      {128, 0, 128},
      {128, 128, 0},
      {192, 192, 192},
      {128, 128, 128},
      {0, 0, 255},
      {0, 255, 0},
      {0, 255, 255},
      {255, 0, 0},
      {255, 0, 255},
      {255, 255, 0},
      {255, 255, 255},
  }};
  return kPalette[static_cast<std::size_t>(index & 15)];
}

void Canvas::Points(std::span<const CanvasPoint> points, Colour colour) {
  for (const CanvasPoint& point : points) Point(point.x, point.y, colour);
}

void Canvas::Discs(std::span<const CanvasPoint> centres, double radius, Colour colour) {
  for (const CanvasPoint& centre : centres) Disc(centre.x, centre.y, radius, colour);
}

void Canvas::Circles(std::span<const CanvasPoint> centres, double radius, Colour colour) {
  for (const CanvasPoint& centre : centres) Circle(centre.x, centre.y, radius, colour);
}

}  // namespace ax
