#include "ui/SysDisScreen.h"

#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>

#include "render/QtCanvas.h"

namespace ax {
namespace {

constexpr double kLogicalSize = 100;     // drawing units across and down
constexpr double kPixelsPerPoint = 60;   // one point of font per 60 pixels of height
constexpr double kSmallestFontSize = 6;  // points
constexpr int kBlackBackground = 0;      // palette index

}  // namespace

SysDisScreen::SysDisScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SysDisScreen"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 240);
}

double SysDisScreen::FontSize() const {
  return FontSizeFor(height());
}

double SysDisScreen::FontSizeFor(int pixelHeight) {
  return std::max(kSmallestFontSize, pixelHeight / kPixelsPerPoint);
}

void SysDisScreen::paintEvent(QPaintEvent* /*event*/) {
  QtCanvas canvas(*this);
  canvas.SetScale(0, 0, kLogicalSize, kLogicalSize);
  canvas.SetFontSize(FontSize());
  canvas.Clear(PaletteColour(kBlackBackground));
  if (Draw) Draw(canvas);
}

void SysDisScreen::RecordPointer(const QPointF& position) {
  // An empty area has no scale; the pointer stays where it was.
  if (width() <= 0 || height() <= 0) return;
  MouseX = position.x() * kLogicalSize / width();
  MouseY = position.y() * kLogicalSize / height();
}

void SysDisScreen::mouseMoveEvent(QMouseEvent* event) {
  RecordPointer(event->position());
}

void SysDisScreen::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  RecordPointer(event->position());
  emit Clicked(MouseX, MouseY);
}

}  // namespace ax
