#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include "display/Canvas.h"

class QPainter;

namespace ax {

// The system window's drawing area: a logical space of 0..100 by 0..100 that is painted afresh
// from the world on every paint event, and that reports pointer positions in those units.
class SystemScreen : public QWidget {
  Q_OBJECT

 public:
  explicit SystemScreen(QWidget* parent = nullptr);

  // Draws the current display mode; set by the system window.
  std::function<void(Canvas&)> Draw;

  // The font size of the read-outs, following the area's height.
  double FontSize() const;
  // The same rule for any picture of this height in pixels: the cluster view and exports.
  static double FontSizeFor(int pixelHeight);

  // How to start, shown in the middle of an empty area; empty once there is something to show.
  void SetGuide(const QString& guide);
  // Paints such a guide in the middle of `area`: the cluster view shows its own the same way.
  static void PaintGuide(QPainter& painter, const QRect& area, const QString& guide);

  // Last pointer position over the area, in drawing units.
  double PointerX = 0;
  double PointerY = 0;

 signals:
  void Clicked(double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void RecordPointer(const QPointF& position);

  QString guide_;
};

}  // namespace ax
