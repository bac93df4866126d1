#pragma once

class QWidget;

namespace ax {

// Moves a window to the middle of its screen's free area.
void CentreOnScreen(QWidget& window);

// Moves a window to the middle of the window `over` belongs to, where the user is looking,
// but not off that window's screen; to the middle of the screen when there is no such window
// or it is not shown.
void CentreOn(QWidget& window, const QWidget* over);

}  // namespace ax
