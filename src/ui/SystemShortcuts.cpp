// The system window's keyboard shortcuts and its buttons' tooltips.

#include <QAction>
#include <QKeySequence>
#include <QPushButton>

#include "ui/SystemDisplay.h"

namespace ax {

void SystemDisplay::AddShortcutsAndTips() {
  randomItem_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_R), Qt::Key_F5});
  surveyButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  openItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  saveAsItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  undoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  fitItem_->setShortcuts({QKeySequence(Qt::Key_0), QKeySequence(Qt::CTRL | Qt::Key_0)});

  modeButton2_->setToolTip(QStringLiteral("Draw the system, or the selected world, on its orbits"));
  modeButton_->setToolTip(QStringLiteral("Back from the drawing to the list or the world report"));
  worldButton_->setToolTip(
      QStringLiteral("WORLD: the report of the first world from the selection on; SYSTEM: back "
                     "to the list of the system"));
  surveyButton_->setToolTip(
      QStringLiteral("Survey the system: its orbits, worlds and moons (Ctrl+U)"));
  jumpButton_->setToolTip(
      QStringLiteral("A new random system; from a cluster star, back to the cluster, keeping a "
                     "surveyed system"));
  upScroll_->setToolTip(QStringLiteral("UP: the previous body of the orbit; OUT: halve the zoom"));
  downScroll_->setToolTip(QStringLiteral("DOWN: the next moon; IN: double the zoom"));
  leftScroll_->setToolTip(
      QStringLiteral("The previous world; in the drawings, move the view to the left"));
  rightScroll_->setToolTip(
      QStringLiteral("The next world; in the drawings, move the view to the right"));

  setAcceptDrops(true);
}

}  // namespace ax
