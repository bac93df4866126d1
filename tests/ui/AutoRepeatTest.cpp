#include <gtest/gtest.h>

#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include <vector>

#include "display/ViewState.h"
#include "ui/ClusterGenerationForm.h"
#include "ui/ControlPanel.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

// The system window's UP, DOWN, < and > (and the arrow keys) repeat on a timer while held.
class HeldButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    rig.GenerateAndSurvey();
    test::BuildPair(*rig.world);
    rig.Button("WorldButton")->click();  // the world read-out of star 1, orbit 1
  }
  void Key(QEvent::Type type, int key, bool fromPlatform = false) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), fromPlatform);
    QCoreApplication::sendEvent(&rig.window, &event);
  }
  QTimer* Timer() const { return Child<QTimer>(rig.window, "ButtonTimer"); }
  // The timer's timeout, as its timer event raises it; returns the interval it leaves.
  int Tick() const {
    EXPECT_TRUE(QMetaObject::invokeMethod(Timer(), "timeout", Qt::DirectConnection));
    return Timer()->interval();
  }
  test::SystemWindowRig rig;
};

TEST_F(HeldButtonTest, HeldKeyActsAtOnceThenAfterAPauseEverFasterDownToAFloor) {
  Key(QEvent::KeyPress, Qt::Key_Down);
  const int start = Timer()->interval();
  std::vector<int> intervals = {Tick()};
  EXPECT_EQ(rig.world->CurrentBody, 1);  // each tick steps down a body
  intervals.push_back(Tick());
  EXPECT_EQ(rig.world->CurrentBody, 2);
  while (intervals.size() < 60) intervals.push_back(Tick());
  EXPECT_EQ(rig.window.RepeatCount(), 60);
  EXPECT_LT(start, intervals[0]);  // the first step comes at once, then a pause
  EXPECT_GT(intervals[0], intervals[1]);
  EXPECT_GT(intervals[1], intervals[2]);
  for (std::size_t i = 2; i < intervals.size(); ++i) EXPECT_LE(intervals[i], intervals[i - 1]);
  EXPECT_GT(intervals.back(), 0);
  EXPECT_EQ(intervals.back(), intervals[intervals.size() - 2]);  // a floor, reached

  // A repeat from the platform is not a new press; letting go stops.
  Key(QEvent::KeyRelease, Qt::Key_Down, true);
  Key(QEvent::KeyPress, Qt::Key_Down, true);
  EXPECT_EQ(rig.window.RepeatCount(), 60);
  Key(QEvent::KeyRelease, Qt::Key_Down);
  EXPECT_FALSE(Timer()->isActive());
  Key(QEvent::KeyPress, Qt::Key_Right);  // a new press starts over, with its own step
  EXPECT_EQ(Timer()->interval(), start);
  EXPECT_EQ(Tick(), intervals[0]);
  EXPECT_EQ(rig.world->CurrentOrbit, 2);
  Key(QEvent::KeyRelease, Qt::Key_Right);

  // Held with the mouse, a button repeats outside the world read-out only.
  emit rig.Button("RightScroll")->pressed();
  EXPECT_FALSE(Timer()->isActive());
  rig.Button("WorldButton")->click();  // "SYSTEM"
  rig.Button("ModeButton2")->click();  // the graphical system view
  emit rig.Button("UpScroll")->pressed();
  EXPECT_TRUE(Timer()->isActive());
  emit rig.Button("UpScroll")->released();
  EXPECT_FALSE(Timer()->isActive());
}

// Holds a spin's arrow with the mouse through its repeat delay and a few repeats, then lets
// go; returns how many clicks it gave.
int HoldArrow(const QWidget& parent, const char* spin, Qt::ArrowType direction) {
  QToolButton* arrow = nullptr;
  for (QToolButton* each : parent.findChildren<QToolButton*>(QString::fromLatin1(spin))) {
    if (each->arrowType() == direction) arrow = each;
  }
  if (arrow == nullptr) throw std::runtime_error(spin);
  int clicks = 0;
  QObject::connect(arrow, &QToolButton::clicked, [&clicks] { ++clicks; });
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
  return clicks;
}

TEST(SpinArrowsTest, AFormsArrowHeldRepeatsItsStepAndThePanelsStepsOnce) {
  ClusterGenerationForm form;
  form.show();
  auto* size = Child<QLineEdit>(form, "ClusterSizeText");
  size->setText(QStringLiteral("10"));
  const int clicks = HoldArrow(form, "ClusterSizeSpin", Qt::UpArrow);
  EXPECT_GT(clicks, 1);
  EXPECT_EQ(size->text(), QString::number(10 + clicks));  // one cell a click

  // Each of the panel's steps applies the panel and redraws: held, it still steps once.
  ViewState view;
  ControlPanel panel(view);
  panel.show();
  EXPECT_EQ(HoldArrow(panel, "RotationXSpin", Qt::DownArrow), 1);
  EXPECT_EQ(Child<QLineEdit>(panel, "RotationXText")->text(), QStringLiteral("359"));
}

}  // namespace
}  // namespace ax
