#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include "display/ViewState.h"
#include "ui/ControlPanel.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

class ControlPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(&panel, &ControlPanel::Applied, [this] { ++applied; });
  }
  QLineEdit* Box(const char* name) const { return Child<QLineEdit>(panel, name); }
  void Type(const char* box, const char* text) const { Box(box)->setText(text); }
  void Click(const char* name) const { Child<QAbstractButton>(panel, name)->click(); }
  void Spin(const char* spin, Qt::ArrowType direction) const {
    for (auto* arrow : panel.findChildren<QToolButton*>(QString::fromLatin1(spin))) {
      if (arrow->arrowType() == direction) arrow->click();
    }
  }
  QTimer* Timer() const { return Child<QTimer>(panel, "Timer1"); }

  ViewState view;
  ControlPanel panel{view};
  int applied = 0;
};

// Each box reads the leading number of what is typed in it; a text without one reads as 0,
// which the date refuses and the zoom holds at its least. The boxes show what was applied.
TEST_F(ControlPanelTest, ExecuteReadsEachBoxsLeadingNumberWithinItsBounds) {
  const char* const rows[][3] = {{"StarDateText", "2100.5 AD", "2100.500000"},
                                 {"StarDateText", "soon", "2100.500000"},
                                 {"StarDateText", "-5", "2100.500000"},
                                 {"StarDateText", "2e6", "1000000.000000"},
                                 {"ViewZoomText", "2x", "2"},
                                 {"ViewZoomText", ".25", "0.250"},
                                 {"ViewZoomText", "0.0001", "0.001"},
                                 {"ViewZoomText", "300", "256"},
                                 {"ViewZoomText", "near", "0.001"}};
  for (const auto& [box, typed, shown] : rows) {
    Type(box, typed);
    Click("ManualExecute");
    EXPECT_EQ(Box(box)->text(), QString::fromLatin1(shown)) << typed;
  }
  EXPECT_DOUBLE_EQ(view.StarDate, 1000000);
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
  Type("RotationXText", "45 deg");
  Type("RotationYText", " -30");
  Type("RotationZText", "");
  Click("ManualExecute");
  EXPECT_FLOAT_EQ(view.ViewRotX, 45);
  EXPECT_FLOAT_EQ(view.ViewRotY, -30);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 0);
  EXPECT_EQ(applied, 10);
}

TEST_F(ControlPanelTest, SpinsDoubleOrHalveTheZoomAndTurnRotationsRoundTheCircle) {
  Type("ViewZoomText", "0.75");
  Spin("ViewZoomSpin", Qt::UpArrow);  // 1.5 is truncated to 1
  EXPECT_FLOAT_EQ(view.ViewZoom, 1);
  EXPECT_EQ(Box("ViewZoomText")->text(), QStringLiteral("1.000"));
  Spin("ViewZoomSpin", Qt::DownArrow);
  EXPECT_EQ(Box("ViewZoomText")->text(), QStringLiteral("0.500"));
  Type("ViewZoomText", "256");
  Spin("ViewZoomSpin", Qt::UpArrow);
  EXPECT_FLOAT_EQ(view.ViewZoom, 256);

  Type("RotationXText", "359");
  Spin("RotationXSpin", Qt::UpArrow);
  EXPECT_EQ(Box("RotationXText")->text(), QStringLiteral("0"));
  EXPECT_FLOAT_EQ(view.ViewRotX, 0);
  Spin("RotationYSpin", Qt::DownArrow);
  EXPECT_EQ(Box("RotationYText")->text(), QStringLiteral("359"));
  EXPECT_FLOAT_EQ(view.ViewRotY, 359);
  EXPECT_EQ(applied, 5);
}

TEST_F(ControlPanelTest, AutoTicksMoveTheDateByBothSlidersAndSpinsWaitForTheTick) {
  EXPECT_EQ(Box("StarDateText")->text(), QStringLiteral("2000.000000"));  // a date never set
  Click("StarDateRunOption");
  ASSERT_TRUE(Timer()->isActive());
  Child<QSlider>(panel, "StarDateSlider")->setValue(250);  // 0.25 years
  Child<QSlider>(panel, "FineDateSlider")->setValue(500);  // 0.0005 years
  ASSERT_TRUE(QMetaObject::invokeMethod(Timer(), "timeout", Qt::DirectConnection));
  EXPECT_DOUBLE_EQ(view.StarDate, 2000.2505);
  EXPECT_EQ(Box("StarDateText")->text(), QStringLiteral("2000.250500"));

  // While "Auto" runs a rotation spin waits for the next tick.
  const int before = applied;
  Spin("RotationZSpin", Qt::UpArrow);
  EXPECT_EQ(applied, before);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 0);

  Click("StarDateStopOption");
  EXPECT_FALSE(Timer()->isActive());
  Spin("StarDateSpin", Qt::DownArrow);  // back by both steps
  EXPECT_NEAR(view.StarDate, 2000, 1e-9);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 1);  // applied with the date

  // Loaded afresh: Manual, no steps, the view reset, but the date kept.
  Click("StarDateRunOption");
  panel.Load();
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(Child<QSlider>(panel, "FineDateSlider")->value(), 0);
  EXPECT_NEAR(view.StarDate, 2000, 1e-9);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 0);
  EXPECT_EQ(Box("RotationZText")->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace ax
