#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ax {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  window.move(area.x() + (area.width() - window.width()) / 2,
              area.y() + (area.height() - window.height()) / 2);
}

void CentreOn(QWidget& window, const QWidget* over) {
  // Sized as showing it would size it: until then it has a default size, not its layout's.
  if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
  if (over == nullptr || !over->window()->isVisible()) {
    CentreOnScreen(window);
    return;
  }
  QRect frame = window.frameGeometry();
  frame.moveCenter(over->window()->frameGeometry().center());
  // Kept on the screen, its top-left corner first, where the title bar and the fields begin.
  if (const QScreen* screen = over->window()->screen()) {
    const QRect area = screen->availableGeometry();
    frame.moveTo(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())),
                 std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
  }
  window.move(frame.topLeft());
}

}  // namespace ax
