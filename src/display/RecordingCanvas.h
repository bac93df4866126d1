#pragma once

#include <string>
#include <vector>

#include "display/Canvas.h"

namespace ax {

// Records every drawing call, so tests read texts, positions and colours instead of pixels.
class RecordingCanvas : public Canvas {
 public:
  enum class Kind { Scale, Clear, Point, Line, Circle, Disc, Text };

  struct Call {
    Kind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a point or a centre in x1, y1
    double radius = 0;
    std::string text;
    Colour colour;
    DrawMode mode = DrawMode::CopyPen;
    double fontSize = 0;
  };

  // A picture this many pixels wide, or 0 for none: the drawing then keeps no pixel sizes.
  explicit RecordingCanvas(double pixelsWide = 0) : pixelsWide_(pixelsWide) {}

  void SetScale(double left, double top, double width, double height) override;
  void Clear(Colour background) override;
  void SetDrawMode(DrawMode mode) override { mode_ = mode; }
  void SetFontSize(double points) override { fontSize_ = points; }
  double PixelsPerUnit() const override;
  void Point(double x, double y, Colour colour) override;
  // Recorded as one point call each.
  void Points(std::span<const CanvasPoint> points, Colour colour) override;
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void Circle(double x, double y, double radius, Colour colour) override;
  void Disc(double x, double y, double radius, Colour colour) override;
  void Text(double x, double y, std::string_view text, Colour colour) override;

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> CallsOf(Kind kind) const;
  // The first text call whose text is exactly this, or nullptr.
  const Call* FindText(std::string_view text) const;
  void Reset() { calls_.clear(); }

 private:
  Call& Add(Kind kind, Colour colour);

  std::vector<Call> calls_;
  DrawMode mode_ = DrawMode::CopyPen;
  double fontSize_ = 0;
  double pixelsWide_ = 0;
  double scaleWidth_ = 100;
};

}  // namespace ax
