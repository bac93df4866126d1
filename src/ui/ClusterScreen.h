#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

#include "display/Canvas.h"

namespace ax {

// The cluster window's drawing area: one square view of 100 x 100 units, or two drawn side by
// side (200 x 100) and shown so, or the second below the first. Drawing a cluster reads its
// whole file, so the drawing is kept as a picture and only the selection is painted over it
// afresh.
class ClusterScreen : public QWidget {
  Q_OBJECT

 public:
  explicit ClusterScreen(QWidget* parent = nullptr);

  void SetViews(int views, bool stacked = false);
  bool Stacked() const { return stacked_; }
  double ScaleWidth() const { return 100.0 * views_; }
  // Where each view (0: +Z, 1: +X) is shown in the area, and how many drawing units a pixel
  // of it covers.
  QRect ViewRect(int view) const;
  double UnitsPerPixel() const;
  // Where a point of the drawing (x from 100 on in the second view) is shown in the area.
  QPointF AreaPoint(double x, double y) const;

  // Draws the picture afresh at the area's present size.
  void Render(const std::function<void(Canvas&)>& draw);
  // Painted over the picture on every paint: markers and the selected star's position.
  std::function<void(Canvas&)> DrawOver;

  // How to start, over an empty view (as the system window's area shows its own).
  void SetGuide(const QString& guide);

  // The last pointer position over the picture, in drawing units.
  double PointerX = 0;
  double PointerY = 0;

 signals:
  void Clicked();
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // A view's side in pixels: as large as fits, the views in their arrangement.
  int Side() const;
  // Each view's part of a picture drawn side by side, painted where that view is shown.
  void PaintViews(QPainter& painter, const QImage& picture) const;
  void RecordPointer(const QPointF& position);

  int views_ = 1;
  bool stacked_ = false;
  QImage picture_;
  QString guide_;
};

}  // namespace ax
