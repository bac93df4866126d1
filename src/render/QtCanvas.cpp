#include "render/QtCanvas.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QPen>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cmath>

namespace ax {
namespace {

// The default font's pixel height as a fraction of the device height: the world report prints
// 34 lines 3 units apart in a 0..100 scale, and a line of text is about 1.2 font heights.
constexpr double kDefaultFontHeight = 0.025;
// Farther than any device reaches; keeps the raster engine's fixed-point coordinates from
// overflowing (pixels).
constexpr double kFarPixels = 1.0e7;
// A user point lands on the centre of the pixel it falls in, so a coordinate on a pixel
// boundary lights one pixel rather than half of two (pixels).
constexpr double kPixelCentre = 0.5;

QColor ToQColor(Colour colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

QPen CosmeticPen(Colour colour) {
  QPen pen(ToQColor(colour));
  pen.setWidth(0);  // one device pixel, whatever the device
  return pen;
}

}  // namespace

QtCanvas::QtCanvas(QPaintDevice& device) : device_(device), painter_(&device) {
  font_.setStyleHint(QFont::SansSerif);
  font_.setPixelSize(
      std::max(1, static_cast<int>(std::lround(device_.height() * kDefaultFontHeight))));
  if (painter_.isActive()) painter_.setFont(font_);
}

QtCanvas::~QtCanvas() {
  Flush();
}

bool QtCanvas::Map(double x, double y, QPointF& point) const {
  const double px = (x - left_) * scaleX_ + kPixelCentre;
  const double py = (y - top_) * scaleY_ + kPixelCentre;
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  if (std::abs(px) > kFarPixels || std::abs(py) > kFarPixels) return false;
  point = QPointF(px, py);
  return true;
}

void QtCanvas::SetScale(double left, double top, double width, double height) {
  Flush();
  const double scaleX = device_.width() / width;
  const double scaleY = device_.height() / height;
  // A zero or non-finite extent has no mapping: keep the scale there is.
  if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(scaleX) ||
      !std::isfinite(scaleY) || scaleX == 0 || scaleY == 0) {
    return;
  }
  left_ = left;
  top_ = top;
  scaleX_ = scaleX;
  scaleY_ = scaleY;
}

void QtCanvas::Clear(Colour background) {
  Flush();
  if (!painter_.isActive()) return;
  painter_.fillRect(QRect(0, 0, device_.width(), device_.height()), ToQColor(background));
}

void QtCanvas::SetDrawMode(DrawMode mode) {
  Flush();
  mode_ = mode;
}

void QtCanvas::SetFontSize(double points) {
  Flush();
  if (!std::isfinite(points) || points <= 0) return;
  font_.setPointSizeF(points);
  if (painter_.isActive()) painter_.setFont(font_);
}

void QtCanvas::StartBatch(Batch kind, Colour colour) {
  if (batch_ == kind && batchColour_ == colour) return;
  Flush();
  batch_ = kind;
  batchColour_ = colour;
}

void QtCanvas::AddPoint(const QPointF& point) {
  // An aliased point lights the pixel nearest to it, taking whole numbers as pixel centres.
  points_.emplace_back(std::floor(point.x() - kPixelCentre), std::floor(point.y() - kPixelCentre));
}

void QtCanvas::Point(double x, double y, Colour colour) {
  QPointF point;
  if (!Drawing() || !Map(x, y, point)) return;
  StartBatch(Batch::Points, colour);
  AddPoint(point);
}

void QtCanvas::Points(std::span<const CanvasPoint> points, Colour colour) {
  if (!Drawing() || points.empty()) return;
  StartBatch(Batch::Points, colour);
  if (points_.empty()) points_.reserve(points.size());
  QPointF point;
  for (const CanvasPoint& user : points) {
    if (Map(user.x, user.y, point)) AddPoint(point);
  }
}

void QtCanvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  QPointF from;
  QPointF to;
  if (!Drawing() || !Map(x1, y1, from) || !Map(x2, y2, to)) return;
  StartBatch(Batch::Lines, colour);
  lines_.emplace_back(from, to);
}

void QtCanvas::Circle(double x, double y, double radius, Colour colour) {
  Ellipse(x, y, radius, colour, false);
}

void QtCanvas::Disc(double x, double y, double radius, Colour colour) {
  Ellipse(x, y, radius, colour, true);
}

void QtCanvas::Ellipse(double x, double y, double radius, Colour colour, bool filled) {
  Flush();
  QPointF centre;
  const double pixels = radius * std::abs(scaleX_);
  if (!Drawing() || !Map(x, y, centre) || !std::isfinite(pixels) || pixels < 0 ||
      pixels > kFarPixels) {
    return;
  }
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setPen(CosmeticPen(colour));
  painter_.setBrush(filled ? QBrush(ToQColor(colour)) : QBrush(Qt::NoBrush));
  painter_.drawEllipse(centre, pixels, pixels);
}

void QtCanvas::Text(double x, double y, std::string_view text, Colour colour) {
  Flush();
  QPointF corner;
  if (!Drawing() || !Map(x, y, corner)) return;
  painter_.setPen(ToQColor(colour));
  // drawText places the baseline; the caller gives the top-left corner.
  const double ascent = QFontMetricsF(painter_.font(), &device_).ascent();
  painter_.drawText(QPointF(corner.x(), corner.y() + ascent),
                    QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void QtCanvas::Flush() {
  const Batch batch = batch_;
  batch_ = Batch::None;
  if (batch == Batch::None || !painter_.isActive()) {
    lines_.clear();
    points_.clear();
    return;
  }
  painter_.setPen(CosmeticPen(batchColour_));
  painter_.setBrush(Qt::NoBrush);
  if (batch == Batch::Lines) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
  } else {
    // A point is one whole pixel, not a blur over four.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
  }
  lines_.clear();
  points_.clear();
}

}  // namespace ax
