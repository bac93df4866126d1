#include "ui/SystemScreen.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "render/QtCanvas.h"

namespace ax {
namespace {

constexpr double kLogicalSize = 100;     // drawing units across and down
constexpr double kPixelsPerPoint = 60;   // one point of font per 60 pixels of height
constexpr double kSmallestFontSize = 6;  // points
constexpr int kBlackBackground = 0;      // palette index
constexpr int kGuideColour = 7;          // palette index: light grey
constexpr double kGuideFontScale = 1.5;  // the guide's font against the read-outs'

}  // namespace

SystemScreen::SystemScreen(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SysDisScreen"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 240);
}

double SystemScreen::FontSize() const {
  return FontSizeFor(height());
}

double SystemScreen::FontSizeFor(int pixelHeight) {
  return std::max(kSmallestFontSize, pixelHeight / kPixelsPerPoint);
}

void SystemScreen::SetGuide(const QString& guide) {
  if (guide == guide_) return;
  guide_ = guide;
  update();
}

void SystemScreen::PaintGuide(QPainter& painter, const QRect& area, const QString& guide) {
  if (guide.isEmpty()) return;
  QFont font = painter.font();
  font.setPointSizeF(FontSizeFor(area.height()) * kGuideFontScale);
  painter.setFont(font);
  const Colour colour = PaletteColour(kGuideColour);
  painter.setPen(QColor(colour.red, colour.green, colour.blue));
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, guide);
}

void SystemScreen::paintEvent(QPaintEvent* /*event*/) {
  {
    QtCanvas canvas(*this);
    canvas.SetScale(0, 0, kLogicalSize, kLogicalSize);
    canvas.SetFontSize(FontSize());
    canvas.Clear(PaletteColour(kBlackBackground));
    if (Draw) Draw(canvas);
  }
  if (guide_.isEmpty()) return;
  QPainter painter(this);
  PaintGuide(painter, rect(), guide_);
}

void SystemScreen::RecordPointer(const QPointF& position) {
  // An empty area has no scale; the pointer stays where it was.
  if (width() <= 0 || height() <= 0) return;
  PointerX = position.x() * kLogicalSize / width();
  PointerY = position.y() * kLogicalSize / height();
}

void SystemScreen::mouseMoveEvent(QMouseEvent* event) {
  RecordPointer(event->position());
}

void SystemScreen::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  RecordPointer(event->position());
  emit Clicked(PointerX, PointerY);
}

}  // namespace ax
