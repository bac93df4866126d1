#include "ui/ClusterScreen.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "render/QtCanvas.h"
#include "ui/SystemScreen.h"

namespace ax {
namespace {

constexpr double kViewSize = 100;    // drawing units across one view and down
constexpr int kBlack = 0;            // palette index
constexpr int kOneViewLeast = 300;   // pixels: the least side of one view alone
constexpr int kTwoViewsLeast = 250;  // pixels: of each of two views

}  // namespace

ClusterScreen::ClusterScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ClusDisScreen"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(300, 300);
}

void ClusterScreen::SetViews(int views, bool stacked) {
  views_ = std::clamp(views, 1, 2);
  stacked_ = stacked && views_ == 2;
  const int along = views_ == 2 ? 2 * kTwoViewsLeast : kOneViewLeast;
  const int across = views_ == 2 ? kTwoViewsLeast : kOneViewLeast;
  setMinimumSize(stacked_ ? across : along, stacked_ ? along : across);
  update();
}

int ClusterScreen::Side() const {
  const int across = stacked_ ? 1 : views_;
  const int down = stacked_ ? 2 : 1;
  return std::max(1, std::min(width() / across, height() / down));
}

QRect ClusterScreen::ViewRect(int view) const {
  const int side = Side();
  const int across = stacked_ ? side : side * views_;
  const int down = stacked_ ? 2 * side : side;
  const QPoint corner((width() - across) / 2, (height() - down) / 2);
  const int index = std::clamp(view, 0, views_ - 1);
  return {corner + (stacked_ ? QPoint(0, side * index) : QPoint(side * index, 0)),
          QSize(side, side)};
}

double ClusterScreen::UnitsPerPixel() const {
  return kViewSize / Side();
}

QPointF ClusterScreen::AreaPoint(double x, double y) const {
  const int view = x >= kViewSize && views_ == 2 ? 1 : 0;
  const QRect shown = ViewRect(view);
  return {shown.x() + (x - kViewSize * view) / UnitsPerPixel(), shown.y() + y / UnitsPerPixel()};
}

void ClusterScreen::Render(const std::function<void(Canvas&)>& draw) {
  const int side = Side();
  picture_ = QImage(side * views_, side, QImage::Format_RGB32);
  {
    QtCanvas canvas(picture_);
    canvas.SetScale(0, 0, ScaleWidth(), kViewSize);
    canvas.SetFontSize(SystemScreen::FontSizeFor(side));
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

void ClusterScreen::PaintViews(QPainter& painter, const QImage& picture) const {
  // A picture drawn before the views were switched on or off shows as far as it goes.
  const int views = std::clamp(picture.width() / std::max(1, picture.height()), 1, views_);
  const int part = picture.width() / views;
  for (int view = 0; view < views; ++view) {
    painter.drawImage(ViewRect(view), picture, QRect(part * view, 0, part, picture.height()));
  }
}

void ClusterScreen::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  // Between a resize and the next drawing the old picture is stretched to the new place.
  if (!picture_.isNull()) PaintViews(painter, picture_);
  SystemScreen::PaintGuide(painter, rect(), guide_);
  if (picture_.isNull() || !DrawOver) return;
  const int side = Side();
  QImage overlay(side * views_, side, QImage::Format_ARGB32_Premultiplied);
  overlay.fill(Qt::transparent);
  {
    QtCanvas canvas(overlay);
    canvas.SetScale(0, 0, ScaleWidth(), kViewSize);
    canvas.SetFontSize(SystemScreen::FontSizeFor(side));
    DrawOver(canvas);
  }
  PaintViews(painter, overlay);
}

void ClusterScreen::RecordPointer(const QPointF& position) {
  const QRect second = ViewRect(1);
  const bool inSecond =
      views_ == 2 && (stacked_ ? position.y() >= second.top() : position.x() >= second.left());
  const QRect shown = ViewRect(inSecond ? 1 : 0);
  PointerX = (position.x() - shown.x()) * UnitsPerPixel() + (inSecond ? kViewSize : 0);
  PointerY = (position.y() - shown.y()) * UnitsPerPixel();
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
