#pragma once

class QWidget;

namespace ax {

// Moves a window to the middle of its screen's free area.
void CentreOnScreen(QWidget& window);

}  // namespace ax
