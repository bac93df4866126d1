#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <cmath>
#include <compare>
#include <cstdint>
#include <map>
#include <vector>

#include "display/Canvas.h"

namespace ax {

// Paints the drawing calls with QPainter on any paint device (a widget, an image, an SVG).
// Runs of lines and points of one colour and draw mode are batched into one drawLines or
// drawPoints call.
class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QPaintDevice& device);
  ~QtCanvas() override;

  void SetScale(double left, double top, double width, double height) override;
  void Clear(Colour background) override;
  void SetDrawMode(DrawMode mode) override;
  void SetFontSize(double points) override;
  double PixelsPerUnit() const override { return std::abs(scaleX_); }
  void Point(double x, double y, Colour colour) override;
  // Joins the batch of points, so that they are painted in one drawPoints call (or set
  // straight into a 32-bit image).
  void Points(std::span<const CanvasPoint> points, Colour colour) override;
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void Circle(double x, double y, double radius, Colour colour) override;
  void Disc(double x, double y, double radius, Colour colour) override;
  // Small discs are stamped from images painted once per colour, size and half-pixel place,
  // blended straight into the pixels of a 32-bit image.
  void Discs(std::span<const CanvasPoint> centres, double radius, Colour colour) override;
  // Small circles are stamped as small discs are.
  void Circles(std::span<const CanvasPoint> centres, double radius, Colour colour) override;
  void Text(double x, double y, std::string_view text, Colour colour) override;
  double TextWidth(std::string_view text) const override;

  // Paints what is batched; the destructor flushes too.
  void Flush();

 private:
  enum class Batch { None, Lines, Points };

  // A circle or a filled disc, round in device pixels.
  void Ellipse(double x, double y, double radius, Colour colour, bool filled);
  // The device point of a user point, or false when it is not a finite point.
  bool Map(double x, double y, QPointF& point) const;
  // The device pixel that an aliased point at this device point lights.
  static QPointF PixelOf(const QPointF& point);
  // The image whose pixels points may be set in directly, many times faster than painting a
  // million single points: a 32-bit image painted without clip, transform or device pixel
  // scale, where the painter would light just those pixels in just that colour.
  QImage* PixelImage();
  // Whether small discs may be stamped from images painted once: a raster device without
  // transform or device pixel scale.
  bool Stampable() const;
  // An antialiased disc in a small transparent image, its centre a whole number of half
  // pixels from a pixel corner, and the pixels it covers, to be blended without a painter.
  struct StampKey {
    QRgb colour = 0;
    double pixels = 0;  // radius
    int placeX = 0;
    int placeY = 0;
    bool filled = true;
    auto operator<=>(const StampKey&) const = default;
  };
  struct StampRun {
    QPoint offset;              // of its first pixel from the image's top-left corner
    std::vector<QRgb> colours;  // premultiplied, left to right
  };
  struct DiscStamp {
    QImage image;
    int half = 0;  // the image's corner lies this many pixels up and left of the centre's pixel
    std::vector<StampRun> runs;  // the pixels it covers, row by row
  };
  const DiscStamp& StampOf(const StampKey& key, Colour colour);
  void Stamp(std::span<const CanvasPoint> centres, double radius, Colour colour, bool filled);
  // Flushes unless the batch is already of this kind and colour.
  void StartBatch(Batch kind, Colour colour);
  bool Drawing() const { return mode_ == DrawMode::CopyPen && painter_.isActive(); }

  QPaintDevice& device_;
  QPainter painter_;
  double left_ = 0;
  double top_ = 0;
  double scaleX_ = 1;  // device pixels per user unit
  double scaleY_ = 1;
  DrawMode mode_ = DrawMode::CopyPen;
  QFont font_;

  std::map<StampKey, DiscStamp> stamps_;

  Batch batch_ = Batch::None;
  Colour batchColour_;
  std::vector<QLineF> lines_;
  std::vector<QPointF> points_;
};

}  // namespace ax
