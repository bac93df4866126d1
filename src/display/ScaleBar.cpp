#include "display/ScaleBar.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "display/NumberPicture.h"

namespace ax {
namespace {

constexpr double kBarLeft = 2;  // drawing units
constexpr double kBarY = 93;    // high enough for the figure to fit under it
constexpr double kBarTick = 1;
// Drawing units: 1, 2 and 5 are at most 2.5 apart, so the bar is 8 to 20 units long.
constexpr double kLongestBar = 20;
constexpr double kCaptionFontSize = 8;  // points
constexpr float kBarCaptionZoom = 10;   // up to it the caption sits beside the bar, then over it

constexpr double kKmPerWorldUnit = 10000;  // the world view's zoom counts 10,000 km

// The largest round distance (1, 2 or 5 x 10^n) not longer than the longest bar, and its text.
struct Figure {
  double distance = 0;
  std::string text;
};

Figure RoundFigure(double unitsPerDistance, std::string_view unit) {
  const double longest = kLongestBar / unitsPerDistance;
  const int power = static_cast<int>(std::floor(std::log10(longest)));
  const double tens = std::pow(10.0, power);
  const double leading = longest / tens;
  const int mantissa = leading >= 5 ? 5 : leading >= 2 ? 2 : 1;
  const double distance = mantissa * tens;
  const std::string picture =
      power >= 0 ? "#,##0" : "0." + std::string(static_cast<std::size_t>(-power), '0');
  return {distance, FormatNumber(distance, picture) + " " + std::string(unit)};
}

}  // namespace

void DrawScaleBar(Canvas& canvas, const ViewState& view) {
  // One AU (system view) or 10,000 km (world view) spans ViewZoom drawing units.
  const auto zoom = static_cast<double>(view.ViewZoom);
  const bool systemView = view.DisplayMode == 1;
  const Colour pen = PaletteColour(10);
  canvas.SetFontSize(kCaptionFontSize);
  const double unitsPerDistance = systemView ? zoom : zoom / kKmPerWorldUnit;
  double right = kBarLeft;
  if (unitsPerDistance > 0 && std::isfinite(unitsPerDistance)) {
    const Figure figure = RoundFigure(unitsPerDistance, systemView ? "AU" : "km");
    right = kBarLeft + figure.distance * unitsPerDistance;
    canvas.Line(kBarLeft, kBarY, right, kBarY, pen);
    canvas.Line(kBarLeft, kBarY - kBarTick, kBarLeft, kBarY + kBarTick, pen);
    canvas.Line(right, kBarY - kBarTick, right, kBarY + kBarTick, pen);
    canvas.Text(kBarLeft, kBarY + kBarTick + 0.5, figure.text, pen);
  }
  const std::string_view caption = systemView ? "Scale in AU" : "Scale X 10,000KM";
  if (view.ViewZoom <= kBarCaptionZoom) {
    canvas.Text(right + 1, kBarY - 1.5, caption, pen);  // beside the bar's end
  } else {
    canvas.Text(kBarLeft, kBarY - 5, caption, pen);  // above the bar
  }
}

}  // namespace ax
