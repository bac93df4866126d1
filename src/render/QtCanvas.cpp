#include "render/QtCanvas.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
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

// Discs of a batch up to this radius are stamped from images painted once per colour, size
// and half-pixel place (pixels): a cluster's bright stars come by the ten thousand, and
// painting each antialiased costs microseconds. The place is off by at most 1/4 pixel.
constexpr double kMostStampedPixels = 8;
constexpr double kStampPlaces = 2;  // per pixel, across and down
constexpr std::size_t kMostStamps = 4096;

QColor ToQColor(Colour colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

QPen CosmeticPen(Colour colour) {
  QPen pen(ToQColor(colour));
  pen.setWidth(0);  // one device pixel, whatever the device
  return pen;
}

void PaintEllipse(QPainter& painter, const QPointF& centre, double pixels, Colour colour,
                  bool filled) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(CosmeticPen(colour));
  painter.setBrush(filled ? QBrush(ToQColor(colour)) : QBrush(Qt::NoBrush));
  painter.drawEllipse(centre, pixels, pixels);
}

// Sets opaque pixels straight into a 32-bit image.
class PixelWriter {
 public:
  PixelWriter(QImage& image, Colour colour)
      : bits_(image.bits()),
        stride_(image.bytesPerLine()),
        width_(image.width()),
        height_(image.height()),
        word_(qRgb(colour.red, colour.green, colour.blue)) {}  // the same in all three formats

  void Set(const QPointF& pixel) const {
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= width_ || pixel.y() >= height_) return;
    const auto row = static_cast<qsizetype>(pixel.y());
    reinterpret_cast<QRgb*>(bits_ + row * stride_)[static_cast<qsizetype>(pixel.x())] = word_;
  }

 private:
  uchar* bits_;
  qsizetype stride_;
  double width_;
  double height_;
  QRgb word_;
};

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

QPointF QtCanvas::PixelOf(const QPointF& point) {
  // An aliased point lights the pixel nearest to it, taking whole numbers as pixel centres.
  return {std::floor(point.x() - kPixelCentre), std::floor(point.y() - kPixelCentre)};
}

void QtCanvas::Point(double x, double y, Colour colour) {
  QPointF point;
  if (!Drawing() || !Map(x, y, point)) return;
  StartBatch(Batch::Points, colour);
  points_.push_back(PixelOf(point));
}

void QtCanvas::Points(std::span<const CanvasPoint> points, Colour colour) {
  if (!Drawing() || points.empty()) return;
  QPointF point;
  if (QImage* image = PixelImage()) {
    Flush();
    const PixelWriter pixels(*image, colour);
    for (const CanvasPoint& user : points) {
      if (Map(user.x, user.y, point)) pixels.Set(PixelOf(point));
    }
    return;
  }
  StartBatch(Batch::Points, colour);
  if (points_.empty()) points_.reserve(points.size());
  for (const CanvasPoint& user : points) {
    if (Map(user.x, user.y, point)) points_.push_back(PixelOf(point));
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
  PaintEllipse(painter_, centre, pixels, colour, filled);
}

void QtCanvas::Discs(std::span<const CanvasPoint> centres, double radius, Colour colour) {
  Flush();
  const double pixels = radius * std::abs(scaleX_);
  if (!Drawing() || !std::isfinite(pixels) || pixels < 0 || pixels > kFarPixels) return;
  const bool stamped = pixels <= kMostStampedPixels && Stampable();
  QPointF centre;
  for (const CanvasPoint& user : centres) {
    if (!Map(user.x, user.y, centre)) continue;
    if (stamped) {
      Stamp(centre, pixels, colour);
    } else {
      PaintEllipse(painter_, centre, pixels, colour, true);
    }
  }
}

bool QtCanvas::Stampable() const {
  const QPaintEngine* engine = painter_.paintEngine();
  return engine != nullptr && engine->type() == QPaintEngine::Raster &&
         device_.devicePixelRatio() == 1 && painter_.combinedTransform().isIdentity() &&
         painter_.opacity() == 1 &&
         painter_.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void QtCanvas::Stamp(const QPointF& centre, double pixels, Colour colour) {
  // Whole pixels place the stamp, so it is painted by the device's own pixel grid.
  const double wholeX = std::floor(centre.x());
  const double wholeY = std::floor(centre.y());
  const StampKey key{qRgb(colour.red, colour.green, colour.blue), pixels,
                     static_cast<int>(std::lround((centre.x() - wholeX) * kStampPlaces)),
                     static_cast<int>(std::lround((centre.y() - wholeY) * kStampPlaces))};
  // Room for the radius, the outline's half pixel and a place rounded up to the next pixel.
  const int half = static_cast<int>(std::ceil(pixels)) + 2;
  auto stamp = stamps_.find(key);
  if (stamp == stamps_.end()) {
    if (stamps_.size() >= kMostStamps) stamps_.clear();
    QImage image(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintEllipse(painter,
                 QPointF(half + key.placeX / kStampPlaces, half + key.placeY / kStampPlaces),
                 pixels, colour, true);
    painter.end();
    stamp = stamps_.emplace(key, std::move(image)).first;
  }
  painter_.drawImage(QPointF(wholeX - half, wholeY - half), stamp->second);
}

double QtCanvas::TextWidth(std::string_view text) const {
  const double pixels =
      QFontMetricsF(font_, &device_)
          .horizontalAdvance(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  return scaleX_ != 0 ? pixels / std::abs(scaleX_) : 0;
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

QImage* QtCanvas::PixelImage() {
  if (device_.devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(&device_);
  const QImage::Format format = image->format();
  // Only where the painter would light just these pixels in just this colour.
  if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
       format != QImage::Format_ARGB32_Premultiplied) ||
      !image->isDetached() || image->devicePixelRatio() != 1 || painter_.hasClipping() ||
      !painter_.combinedTransform().isIdentity() || painter_.opacity() != 1 ||
      painter_.compositionMode() != QPainter::CompositionMode_SourceOver) {
    return nullptr;
  }
  return image;
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
  } else if (QImage* image = PixelImage()) {
    const PixelWriter pixels(*image, batchColour_);
    for (const QPointF& pixel : points_) pixels.Set(pixel);
  } else {
    // A point is one whole pixel, not a blur over four.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
  }
  lines_.clear();
  points_.clear();
}

}  // namespace ax
