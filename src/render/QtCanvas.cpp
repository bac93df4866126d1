#include "render/QtCanvas.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPen>
#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
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
// and half-pixel place (pixels; it takes in the glows of a large picture): a cluster's bright
// stars come by the ten thousand, and painting each antialiased costs microseconds. The place
// is off by at most 1/4 pixel.
constexpr double kMostStampedPixels = 12;
constexpr double kStampPlaces = 2;  // per pixel, across and down
constexpr int kPlacesAcross = 3;    // 0, 1/2 and 1 pixel
constexpr std::size_t kPlaceStamps = kPlacesAcross * kPlacesAcross;
constexpr std::size_t kMostStamps = 4096;

QColor ToQColor(Colour colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

QRgb Rgb(Colour colour) {
  return qRgb(colour.red, colour.green, colour.blue);
}

// Each byte of x times a / 255, rounded as the raster engine rounds (two bytes at a time), so
// that a disc blended straight into an image matches one the painter stamps.
QRgb ByteMul(QRgb x, uint a) {
  QRgb redBlue = (x & 0xff00ff) * a;
  redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
  QRgb alphaGreen = ((x >> 8) & 0xff00ff) * a;
  alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
  return alphaGreen | redBlue;
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

// The pixels of a 32-bit image, set and blended without a painter.
class ImagePixels {
 public:
  ImagePixels() = default;  // of no image: holds no pixel
  explicit ImagePixels(QImage& image)
      : bits_(image.bits()),
        stride_(image.bytesPerLine()),
        width_(image.width()),
        height_(image.height()) {}

  // An opaque colour (the same word in all three formats) at a whole-pixel point.
  void Set(const QPointF& pixel, QRgb colour) const {
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= width_ || pixel.y() >= height_) return;
    Row(static_cast<int>(pixel.y()))[static_cast<qsizetype>(pixel.x())] = colour;
  }

  // Source-over of premultiplied colours side by side from `start` rightwards, clipped to
  // the image.
  void Blend(const QPoint& start, std::span<const QRgb> colours) const {
    if (start.y() < 0 || start.y() >= height_) return;
    const qsizetype first = std::max(0, -start.x());
    const qsizetype end = std::min<qsizetype>(std::ssize(colours), qsizetype{width_} - start.x());
    QRgb* row = Row(start.y());
    for (qsizetype i = first; i < end; ++i) {
      QRgb& pixel = row[start.x() + i];
      pixel = colours[static_cast<std::size_t>(i)] +
              ByteMul(pixel, 255 - qAlpha(colours[static_cast<std::size_t>(i)]));
    }
  }

 private:
  QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  int width_ = 0;
  int height_ = 0;
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
    const ImagePixels pixels(*image);
    for (const CanvasPoint& user : points) {
      if (Map(user.x, user.y, point)) pixels.Set(PixelOf(point), Rgb(colour));
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
  Stamp(centres, radius, colour, true);
}

void QtCanvas::Circles(std::span<const CanvasPoint> centres, double radius, Colour colour) {
  Stamp(centres, radius, colour, false);
}

void QtCanvas::Stamp(std::span<const CanvasPoint> centres, double radius, Colour colour,
                     bool filled) {
  Flush();
  const double pixels = radius * std::abs(scaleX_);
  if (!Drawing() || !std::isfinite(pixels) || pixels < 0 || pixels > kFarPixels) return;
  QPointF centre;
  if (pixels > kMostStampedPixels || !Stampable()) {
    for (const CanvasPoint& user : centres) {
      if (Map(user.x, user.y, centre)) PaintEllipse(painter_, centre, pixels, colour, filled);
    }
    return;
  }
  // The batch's few stamps are looked up once, not once a disc.
  if (stamps_.size() + kPlaceStamps > kMostStamps) stamps_.clear();
  std::array<const DiscStamp*, kPlaceStamps> stamps{};
  // Blending straight into an image's pixels is many times faster than painting each small
  // image; an ARGB32 image's colours are not premultiplied, so there the painter blends.
  QImage* image = PixelImage();
  if (image != nullptr && image->format() == QImage::Format_ARGB32) image = nullptr;
  const ImagePixels target = image != nullptr ? ImagePixels(*image) : ImagePixels();
  for (const CanvasPoint& user : centres) {
    if (!Map(user.x, user.y, centre)) continue;
    // Whole pixels place the stamp, so it is painted by the device's own pixel grid.
    const double wholeX = std::floor(centre.x());
    const double wholeY = std::floor(centre.y());
    const auto placeX = static_cast<int>((centre.x() - wholeX) * kStampPlaces + 0.5);
    const auto placeY = static_cast<int>((centre.y() - wholeY) * kStampPlaces + 0.5);
    const DiscStamp*& stamp = stamps[static_cast<std::size_t>(placeY * kPlacesAcross + placeX)];
    if (stamp == nullptr) {
      stamp = &StampOf({Rgb(colour), pixels, placeX, placeY, filled}, colour);
    }
    const QPoint corner(static_cast<int>(wholeX) - stamp->half,
                        static_cast<int>(wholeY) - stamp->half);
    if (image != nullptr) {
      for (const StampRun& run : stamp->runs) target.Blend(corner + run.offset, run.colours);
    } else {
      painter_.drawImage(corner, stamp->image);
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

const QtCanvas::DiscStamp& QtCanvas::StampOf(const StampKey& key, Colour colour) {
  auto found = stamps_.find(key);
  if (found != stamps_.end()) return found->second;
  DiscStamp stamp;
  // Room for the radius, the outline's half pixel and a place rounded up to the next pixel.
  stamp.half = static_cast<int>(std::ceil(key.pixels)) + 2;
  stamp.image = QImage(2 * stamp.half + 1, 2 * stamp.half + 1, QImage::Format_ARGB32_Premultiplied);
  stamp.image.fill(Qt::transparent);
  QPainter painter(&stamp.image);
  PaintEllipse(
      painter,
      QPointF(stamp.half + key.placeX / kStampPlaces, stamp.half + key.placeY / kStampPlaces),
      key.pixels, colour, key.filled);
  painter.end();
  // A run spans covered pixels side by side; the transparent ones around it (a circle's
  // inside) would change nothing.
  const auto covered = [](QRgb pixel) { return qAlpha(pixel) != 0; };
  for (int y = 0; y < stamp.image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(stamp.image.constScanLine(y));
    const std::span<const QRgb> pixels(row, static_cast<std::size_t>(stamp.image.width()));
    for (auto first = std::ranges::find_if(pixels, covered); first != pixels.end();) {
      const auto last = std::find_if_not(first, pixels.end(), covered);
      stamp.runs.push_back({QPoint(static_cast<int>(first - pixels.begin()), y), {first, last}});
      first = std::find_if(last, pixels.end(), covered);
    }
  }
  return stamps_.emplace(key, std::move(stamp)).first->second;
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
    const ImagePixels pixels(*image);
    for (const QPointF& pixel : points_) pixels.Set(pixel, Rgb(batchColour_));
  } else {
    // A point is one whole pixel, not a blur over four.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
  }
  lines_.clear();
  points_.clear();
}

}  // namespace ax
