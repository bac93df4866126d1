#include "display/RecordingCanvas.h"

#include <cmath>

namespace ax {

RecordingCanvas::Call& RecordingCanvas::Add(Kind kind, Colour colour) {
  Call& call = calls_.emplace_back();
  call.kind = kind;
  call.colour = colour;
  call.mode = mode_;
  call.fontSize = fontSize_;
  return call;
}

void RecordingCanvas::SetScale(double left, double top, double width, double height) {
  Call& call = Add(Kind::Scale, {});
  call.x1 = left;
  call.y1 = top;
  call.x2 = width;
  call.y2 = height;
  scaleWidth_ = width;
}

double RecordingCanvas::PixelsPerUnit() const {
  const double pixels = pixelsWide_ / std::abs(scaleWidth_);
  return std::isfinite(pixels) ? pixels : 0;
}

void RecordingCanvas::Clear(Colour background) {
  Add(Kind::Clear, background);
}

void RecordingCanvas::Point(double x, double y, Colour colour) {
  Call& call = Add(Kind::Point, colour);
  call.x1 = x;
  call.y1 = y;
}

void RecordingCanvas::Points(std::span<const CanvasPoint> points, Colour colour) {
  for (const CanvasPoint& point : points) {
    Call& call = Add(Kind::Point, colour);
    call.x1 = point.x;
    call.y1 = point.y;
  }
}

void RecordingCanvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  Call& call = Add(Kind::Line, colour);
  call.x1 = x1;
  call.y1 = y1;
  call.x2 = x2;
  call.y2 = y2;
}

void RecordingCanvas::Circle(double x, double y, double radius, Colour colour) {
  Call& call = Add(Kind::Circle, colour);
  call.x1 = x;
  call.y1 = y;
  call.radius = radius;
}

void RecordingCanvas::Disc(double x, double y, double radius, Colour colour) {
  Call& call = Add(Kind::Disc, colour);
  call.x1 = x;
  call.y1 = y;
  call.radius = radius;
}

void RecordingCanvas::Text(double x, double y, std::string_view text, Colour colour) {
  Call& call = Add(Kind::Text, colour);
  call.x1 = x;
  call.y1 = y;
  call.text = text;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::CallsOf(Kind kind) const {
  std::vector<Call> found;
  for (const Call& call : calls_) {
    if (call.kind == kind) found.push_back(call);
  }
  return found;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(std::string_view text) const {
  for (const Call& call : calls_) {
    if (call.kind == Kind::Text && call.text == text) return &call;
  }
  return nullptr;
}

}  // namespace ax
