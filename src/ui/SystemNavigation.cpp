// The system window's ways about a system: the display modes, the arrows (buttons, keys and
// their auto-repeat), clicks on the drawing and the View menu.

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <limits>
#include <optional>

#include "display/SymbolicList.h"
#include "display/ViewFit.h"
#include "ui/ControlPanel.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

constexpr int kRepeatStartInterval = 50;    // ms: first repeat of a held arrow key
constexpr int kRepeatFirstInterval = 1000;  // ms: the pause before the key repeats
constexpr int kRepeatSecondInterval = 200;  // ms
constexpr int kRepeatShrink = 5;            // ms shorter per tick
constexpr int kRepeatFloor = 10;            // ms: the interval stays above this

bool Graphical(int mode) {
  return mode == 1 || mode == 3;
}

}  // namespace

void SystemDisplay::BuildRepeatTimer() {
  buttonTimer_ = new QTimer(this);
  buttonTimer_->setObjectName(QStringLiteral("ButtonTimer"));
  buttonTimer_->setInterval(kRepeatStartInterval);
}

void SystemDisplay::ToggleDisplayMode() {
  if (commands_.ToggleDisplayMode()) NewView();
  if (view_.DisplayMode == 0) {
    ShowSymbolicSystem();
  } else if (view_.DisplayMode == 2) {
    ShowWorld();
  } else {
    UpdateCommands();
    Redraw();
  }
}

void SystemDisplay::NewView() {
  panel_->ResetView();
  if (fitNewViewsItem_->isChecked()) FitView();
}

void SystemDisplay::FitView() {
  if (!Graphical(view_.DisplayMode)) return;
  ax::FitView(world_, view_);
  panel_->ShowZoom();
  Redraw();
}

void SystemDisplay::WorldButtonClick() {
  if (view_.DisplayMode != 0) {
    ShowSymbolicSystem();
    return;
  }
  if (commands_.FindWorldFromSelection()) ShowWorld();
}

void SystemDisplay::MoveToWorld(int step) {
  if (commands_.MoveToWorld(step)) {
    NewView();
    ShowWorld();
    return;
  }
  // Back where the search began: no other world to move to.
  ShowSymbolicSystem();
}

void SystemDisplay::ScrollAction(const QString& tag) {
  if (!commands_.Present() || world_.SystemSurveyed == 0) return;
  if (view_.DisplayMode == 2) {
    ScrollWorld(tag);
    return;
  }
  if (!Graphical(view_.DisplayMode)) return;
  // A zoom of 0 would pan by an infinite step.
  const double zoom = view_.ViewZoom > 0 ? view_.ViewZoom : 1;
  if (tag == QLatin1String("up")) {
    panel_->SpinZoom(false);
  } else if (tag == QLatin1String("down")) {
    panel_->SpinZoom(true);
  } else if (tag == QLatin1String("left")) {
    view_.ViewPanX = static_cast<float>(view_.ViewPanX + 1 / zoom);
  } else if (tag == QLatin1String("right")) {
    view_.ViewPanX = static_cast<float>(view_.ViewPanX - 1 / zoom);
  }
  Redraw();
}

void SystemDisplay::ScrollWorld(const QString& tag) {
  const auto s = static_cast<std::size_t>(world_.CurrentStar);
  const auto o = static_cast<std::size_t>(world_.CurrentOrbit);
  if (tag == QLatin1String("up")) {
    if (world_.CurrentBody > 0) --world_.CurrentBody;
  } else if (tag == QLatin1String("down")) {
    if (world_.CurrentBody < world_.MoonCount[s][o]) ++world_.CurrentBody;
  } else if (tag == QLatin1String("left")) {
    MoveToWorld(-1);
    return;
  } else if (tag == QLatin1String("right")) {
    MoveToWorld(1);
    return;
  }
  ShowWorld();
}

void SystemDisplay::ButtonTimerTick() {
  if (repeatCount_ == 0) {
    buttonTimer_->setInterval(kRepeatFirstInterval);
  } else if (repeatCount_ == 1) {
    buttonTimer_->setInterval(kRepeatSecondInterval);
  } else if (buttonTimer_->interval() - kRepeatShrink > kRepeatFloor) {
    buttonTimer_->setInterval(buttonTimer_->interval() - kRepeatShrink);
  }
  // Only 0, 1 and more matter; a very long hold must not wrap the count.
  if (repeatCount_ < std::numeric_limits<std::int16_t>::max()) ++repeatCount_;
  ScrollAction(repeatTag_);
}

void SystemDisplay::keyPressEvent(QKeyEvent* event) {
  QString tag;
  switch (event->key()) {
    case Qt::Key_Left: tag = QStringLiteral("left"); break;
    case Qt::Key_Up: tag = QStringLiteral("up"); break;
    case Qt::Key_Right: tag = QStringLiteral("right"); break;
    case Qt::Key_Down: tag = QStringLiteral("down"); break;
    default: QMainWindow::keyPressEvent(event); return;
  }
  event->accept();
  // The platform's own key repeat is replaced by the window's timer.
  if (event->isAutoRepeat()) return;
  buttonTimer_->setInterval(kRepeatStartInterval);
  repeatTag_ = tag;
  buttonTimer_->start();
}

void SystemDisplay::keyReleaseEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: break;
    default: QMainWindow::keyReleaseEvent(event); return;
  }
  event->accept();
  if (event->isAutoRepeat()) return;
  repeatCount_ = 0;
  buttonTimer_->stop();
}

void SystemDisplay::ClickAt(double x, double y) {
  if (!commands_.Present() || world_.SystemSurveyed == 0) return;
  switch (view_.DisplayMode) {
    case 0: {
      const std::optional<SymbolicList::Cell> cell = SymbolicList::HitAt(x, y);
      if (!cell || !commands_.SelectWorld(cell->star, cell->orbit)) return;
      NewView();
      ShowWorld();
      return;
    }
    case 2: ClickReport(x, y); return;
    default: {
      const double zoom = view_.ViewZoom > 0 ? view_.ViewZoom : 1;
      view_.ViewPanX = static_cast<float>(view_.ViewPanX + (50 - x) / zoom);
      view_.ViewPanY = static_cast<float>(view_.ViewPanY + (50 - y) / zoom);
      Redraw();
    }
  }
}

void SystemDisplay::ViewMenuChanged(QAction* item) {
  if (item == planetsItem_ && !item->isChecked()) {
    moonOrbitsItem_->setChecked(false);
    moonPositionsItem_->setChecked(false);
  }
  if ((item == moonOrbitsItem_ || item == moonPositionsItem_) && item->isChecked()) {
    planetsItem_->setChecked(true);
  }
  view_.ShowOrbits = orbitsItem_->isChecked();
  view_.ShowPlanets = planetsItem_->isChecked();
  view_.ShowMoonOrbits = moonOrbitsItem_->isChecked();
  view_.ShowMoonPositions = moonPositionsItem_->isChecked();
  if (Graphical(view_.DisplayMode)) Redraw();
}

}  // namespace ax
