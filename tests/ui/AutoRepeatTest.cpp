#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <vector>

#include "ui/ClusterGenerationForm.h"
#include "ui/ControlPanel.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

// The system window's UP, DOWN, < and > and the arrow keys repeat on a timer while held.
TEST(AutoRepeatTest, HeldKeyActsAtOnceThenAfterAPauseEverFasterDownToAFloor) {
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  test::BuildPair(*rig.world);
  rig.Button("WorldButton")->click();  // the world read-out of star 1, orbit 1
  auto* timer = Child<QTimer>(rig.window, "ButtonTimer");
  const auto key = [&rig](QEvent::Type type, int code, bool fromPlatform = false) {
    QKeyEvent event(type, code, Qt::NoModifier, QString(), fromPlatform);
    QCoreApplication::sendEvent(&rig.window, &event);
  };
  const auto tick = [timer] {  // the timeout its timer event raises; the interval it leaves
    EXPECT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
    return timer->interval();
  };
  key(QEvent::KeyPress, Qt::Key_Down);
  const int start = timer->interval();
  std::vector<int> intervals = {tick()};
  EXPECT_EQ(rig.world->CurrentBody, 1);  // each tick steps down a body
  while (intervals.size() < 60) intervals.push_back(tick());
  EXPECT_LT(start, intervals[0]);  // the first step comes at once, then a pause
  EXPECT_GT(intervals[1], intervals[2]);
  EXPECT_TRUE(std::is_sorted(intervals.begin(), intervals.end(), std::greater<>()));
  EXPECT_GT(intervals[59], 0);
  EXPECT_EQ(intervals[59], intervals[58]);  // a floor, reached

  // A repeat from the platform is not a new press; letting go stops; a new press starts over.
  key(QEvent::KeyRelease, Qt::Key_Down, true);
  key(QEvent::KeyPress, Qt::Key_Down, true);
  EXPECT_EQ(rig.window.RepeatCount(), 60);
  key(QEvent::KeyRelease, Qt::Key_Down);
  EXPECT_FALSE(timer->isActive());
  key(QEvent::KeyPress, Qt::Key_Right);
  EXPECT_EQ(timer->interval(), start);
  key(QEvent::KeyRelease, Qt::Key_Right);

  // Held with the mouse, a button repeats outside the world read-out only.
  emit rig.Button("RightScroll")->pressed();
  EXPECT_FALSE(timer->isActive());
  rig.Button("WorldButton")->click();  // "SYSTEM"
  rig.Button("ModeButton2")->click();  // the graphical system view
  emit rig.Button("UpScroll")->pressed();
  EXPECT_TRUE(timer->isActive());
  emit rig.Button("UpScroll")->released();
  EXPECT_FALSE(timer->isActive());
}

// Holds a spin's up arrow with the mouse through its repeat delay and a few repeats.
void HoldUpArrow(const QWidget& parent, const char* spin) {
  auto* arrow = Child<QToolButton>(parent, spin);
  const auto mouse = [arrow](QEvent::Type type, Qt::MouseButtons buttons) {
    const QPointF at(arrow->width() / 2.0, arrow->height() / 2.0);
    QMouseEvent event(type, at, arrow->mapToGlobal(at), Qt::LeftButton, buttons, {});
    QCoreApplication::sendEvent(arrow, &event);
  };
  mouse(QEvent::MouseButtonPress, Qt::LeftButton);
  QEventLoop held;
  QTimer::singleShot(arrow->autoRepeatDelay() + 5 * arrow->autoRepeatInterval(), &held,
                     &QEventLoop::quit);
  held.exec();
  mouse(QEvent::MouseButtonRelease, Qt::NoButton);
}

TEST(AutoRepeatTest, AFormsArrowHeldRepeatsItsStepAndThePanelsStepsOnce) {
  ClusterGenerationForm form;
  HoldUpArrow(form, "ClusterSizeSpin");
  EXPECT_GT(Child<QLineEdit>(form, "ClusterSizeText")->text().toInt(), 101);

  // Each of the panel's steps applies the panel and redraws: held, it still steps once.
  ViewState view;
  ControlPanel panel(view);
  HoldUpArrow(panel, "RotationXSpin");
  EXPECT_EQ(Child<QLineEdit>(panel, "RotationXText")->text(), "1");
}

}  // namespace
}  // namespace ax
