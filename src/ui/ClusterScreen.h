#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

#include "display/Canvas.h"

namespace ax {

// The cluster window's drawing area: one square view of 100 x 100 units, or two side by side
// (200 x 100). Drawing a cluster reads its whole file, so the drawing is kept as a picture and
// only the selection is painted over it afresh.
class ClusterScreen : public QWidget {
  Q_OBJECT

 public:
  explicit ClusterScreen(QWidget* parent = nullptr);

  void SetViews(int views);
  double ScaleWidth() const { return 100.0 * views_; }

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
  // Where the picture sits in the area: as large as fits, with its own proportions.
  QRect PictureRect() const;
  void RecordPointer(const QPointF& position);

  int views_ = 1;
  QImage picture_;
  QString guide_;
};

}  // namespace ax
