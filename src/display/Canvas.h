#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ax {

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Colour&, const Colour&) = default;
};

// A colour of the classic 16-colour palette: 0 black, 1 blue, 4 red, 7 light grey, 8 dark grey,
// 10 light green, 14 yellow, 15 white, ...
Colour PaletteColour(int index);

// A point in the canvas's user scale.
struct CanvasPoint {
  double x = 0;
  double y = 0;
};

// Copy-pen draws; no-op draws nothing (the part of a moon's orbit hidden behind its world).
enum class DrawMode { CopyPen, NoOp };

// The drawing area every display routine draws on. Coordinates are in the user scale set by
// SetScale (the system window uses 0..100 both ways, y downwards); a circle's radius is in
// units of the horizontal scale and it is drawn round whatever the area's shape.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetScale(double left, double top, double width, double height) = 0;
  virtual void Clear(Colour background) = 0;
  virtual void SetDrawMode(DrawMode mode) = 0;
  virtual void SetFontSize(double points) = 0;
  // Device pixels per unit of the horizontal scale, so that a mark can be kept large enough to
  // see on any picture; 0 when the canvas has no pixels.
  virtual double PixelsPerUnit() const { return 0; }

  virtual void Point(double x, double y, Colour colour) = 0;
  // Many points of one colour; a canvas that paints them in one call overrides it.
  virtual void Points(std::span<const CanvasPoint> points, Colour colour);
  virtual void Line(double x1, double y1, double x2, double y2, Colour colour) = 0;
  virtual void Circle(double x, double y, double radius, Colour colour) = 0;
  virtual void Disc(double x, double y, double radius, Colour colour) = 0;
  // Many discs of one radius and colour, for the same reason.
  virtual void Discs(std::span<const CanvasPoint> centres, double radius, Colour colour);
  virtual void Circles(std::span<const CanvasPoint> centres, double radius, Colour colour);
  // Text in the system's 8-bit character set (Latin-1), its top-left corner at (x, y).
  virtual void Text(double x, double y, std::string_view text, Colour colour) = 0;
  // How wide that text prints, in the user scale; 0 where a canvas cannot tell.
  virtual double TextWidth(std::string_view /*text*/) const { return 0; }
};

}  // namespace ax
