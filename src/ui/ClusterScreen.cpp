#include "ui/ClusterScreen.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "render/QtCanvas.h"
#include "ui/SystemScreen.h"

namespace ax {
namespace {

constexpr double kViewSize = 100;  // drawing units across one view and down
constexpr int kBlack = 0;          // palette index

}  // namespace

ClusterScreen::ClusterScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ClusDisScreen"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(300, 300);
}

void ClusterScreen::SetViews(int views) {
  views_ = std::clamp(views, 1, 2);
  setMinimumSize(300 * views_, 300);
}

QRect ClusterScreen::PictureRect() const {
  const int side = std::max(1, std::min(width() / views_, height()));
  return {(width() - side * views_) / 2, (height() - side) / 2, side * views_, side};
}

void ClusterScreen::Render(const std::function<void(Canvas&)>& draw) {
  const QRect area = PictureRect();
  picture_ = QImage(area.size(), QImage::Format_RGB32);
  {
    QtCanvas canvas(picture_);
    canvas.SetScale(0, 0, ScaleWidth(), kViewSize);
    canvas.SetFontSize(SystemScreen::FontSizeFor(area.height()));
    canvas.Clear(PaletteColour(kBlack));
    draw(canvas);
  }
  update();
}

void ClusterScreen::SetGuide(const QString& guide) {
  if (guide == guide_) return;
  guide_ = guide;
  update();
}

void ClusterScreen::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const QRect area = PictureRect();
  // Between a resize and the next drawing the old picture is stretched to the new place.
  if (!picture_.isNull()) painter.drawImage(area, picture_);
  SystemScreen::PaintGuide(painter, rect(), guide_);
  painter.end();
  if (picture_.isNull() || !DrawOver) return;
  QImage overlay(area.size(), QImage::Format_ARGB32_Premultiplied);
  overlay.fill(Qt::transparent);
  {
    QtCanvas canvas(overlay);
    canvas.SetScale(0, 0, ScaleWidth(), kViewSize);
    canvas.SetFontSize(SystemScreen::FontSizeFor(area.height()));
    DrawOver(canvas);
  }
  QPainter over(this);
  over.drawImage(area.topLeft(), overlay);
}

void ClusterScreen::RecordPointer(const QPointF& position) {
  const QRect area = PictureRect();
  PointerX = (position.x() - area.x()) * ScaleWidth() / area.width();
  PointerY = (position.y() - area.y()) * kViewSize / area.height();
}

void ClusterScreen::mouseMoveEvent(QMouseEvent* event) {
  RecordPointer(event->position());
}

void ClusterScreen::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  RecordPointer(event->position());
  emit Clicked();
}

void ClusterScreen::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  RecordPointer(event->position());
  emit DoubleClicked();
}

}  // namespace ax
