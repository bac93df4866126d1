#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

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

}  // namespace
}  // namespace ax
