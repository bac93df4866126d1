#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

#include <vector>

#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::BuildPair;
using test::SystemWindowRig;

void SendKey(QWidget& window, QEvent::Type type, int key, bool autoRepeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
  QCoreApplication::sendEvent(&window, &event);
}

QTimer* Timer(const SystemDisplay& window) {
  return test::Child<QTimer>(window, "ButtonTimer");
}

class AutoRepeatTest : public testing::Test {
 protected:
  void SetUp() override {
    rig.GenerateAndSurvey();
    BuildPair(*rig.world);
    rig.Button("WorldButton")->click();  // the world read-out of star 1, orbit 1
  }
  SystemWindowRig rig;
};

TEST_F(AutoRepeatTest, HeldArrowKeyRepeatsAfterOneSecondThenFasterDownToAFloor) {
  SystemDisplay& w = rig.window;
  SendKey(w, QEvent::KeyPress, Qt::Key_Right);
  EXPECT_TRUE(Timer(w)->isActive());
  EXPECT_EQ(Timer(w)->interval(), 50);  // the key starts the timer at 50 ms
  EXPECT_EQ(w.RepeatTag(), QStringLiteral("right"));

  // The intervals the timer's ticks set, one tick after another.
  std::vector<int> intervals;
  for (int tick = 0; tick < 42; ++tick) {
    w.ButtonTimerTick();
    intervals.push_back(Timer(w)->interval());
  }
  EXPECT_EQ(intervals[0], 1000);  // the pause before repeating
  EXPECT_EQ(intervals[1], 200);
  EXPECT_EQ(intervals[2], 195);  // then 5 ms shorter per tick
  EXPECT_EQ(intervals[3], 190);
  // 200 - 5 x 37 = 15 is the last interval above 10 that a step reaches; it stays there.
  EXPECT_EQ(intervals[38], 15);
  EXPECT_EQ(intervals[39], 15);
  EXPECT_EQ(intervals[41], 15);
  EXPECT_EQ(w.RepeatCount(), 42);

  // A repeat from the platform is not a new press: the count goes on.
  SendKey(w, QEvent::KeyRelease, Qt::Key_Right, true);
  SendKey(w, QEvent::KeyPress, Qt::Key_Right, true);
  EXPECT_EQ(w.RepeatCount(), 42);
  EXPECT_TRUE(Timer(w)->isActive());

  SendKey(w, QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_FALSE(Timer(w)->isActive());
  EXPECT_EQ(w.RepeatCount(), 0);

  // A new press starts over at 50 ms, then 1000 ms.
  SendKey(w, QEvent::KeyPress, Qt::Key_Down);
  EXPECT_EQ(Timer(w)->interval(), 50);
  w.ButtonTimerTick();
  EXPECT_EQ(Timer(w)->interval(), 1000);
  SendKey(w, QEvent::KeyRelease, Qt::Key_Down);
}

TEST_F(AutoRepeatTest, EachTickRunsTheTaggedAction) {
  SystemDisplay& w = rig.window;
  SendKey(w, QEvent::KeyPress, Qt::Key_Down);
  w.ButtonTimerTick();
  EXPECT_EQ(rig.world->CurrentBody, 1);
  w.ButtonTimerTick();
  EXPECT_EQ(rig.world->CurrentBody, 2);
  SendKey(w, QEvent::KeyRelease, Qt::Key_Down);
  SendKey(w, QEvent::KeyPress, Qt::Key_Right);
  w.ButtonTimerTick();
  EXPECT_EQ(rig.world->CurrentOrbit, 2);
  EXPECT_EQ(rig.world->CurrentBody, 0);
  SendKey(w, QEvent::KeyRelease, Qt::Key_Right);
}

TEST_F(AutoRepeatTest, TimerEventsDriveTheRepeat) {
  SystemDisplay& w = rig.window;
  SendKey(w, QEvent::KeyPress, Qt::Key_Up);
  // The timer's own timeout signal, as its timer event would raise it.
  ASSERT_TRUE(QMetaObject::invokeMethod(Timer(w), "timeout", Qt::DirectConnection));
  EXPECT_EQ(Timer(w)->interval(), 1000);
  EXPECT_EQ(w.RepeatCount(), 1);
  SendKey(w, QEvent::KeyRelease, Qt::Key_Up);
}

TEST_F(AutoRepeatTest, MouseHoldRepeatsOnlyOutsideTheWorldReadOut) {
  SystemDisplay& w = rig.window;
  emit rig.Button("RightScroll")->pressed();
  EXPECT_FALSE(Timer(w)->isActive());  // mode 2: a click acts once
  rig.Button("WorldButton")->click();                   // "SYSTEM"
  rig.Button("ModeButton2")->click();                   // the graphical system view
  ASSERT_EQ(w.DisplayMode(), 1);
  emit rig.Button("UpScroll")->pressed();
  EXPECT_TRUE(Timer(w)->isActive());
  EXPECT_EQ(w.RepeatTag(), QStringLiteral("up"));
  emit rig.Button("UpScroll")->released();
  EXPECT_FALSE(Timer(w)->isActive());
}

}  // namespace
}  // namespace ax
