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
  void Click(const char* name) const { Child<QAbstractButton>(panel, name)->click(); }
  void Spin(const char* spin, Qt::ArrowType direction) const {
    for (auto* arrow : panel.findChildren<QToolButton*>(spin)) {
      if (arrow->arrowType() == direction) arrow->click();
    }
  }
  ViewState view;
  ControlPanel panel{view};
  int applied = 0;
};

// Each box reads the leading number of what is typed in it; a text without one reads as 0,
// which the date refuses and the zoom holds at its least. The boxes show what was applied.
TEST_F(ControlPanelTest, ExecuteReadsEachBoxsLeadingNumberWithinItsBounds) {
  const char* const rows[][3] = {{"StarDateText", "2100.5 AD", "2100.500000"},
                                 {"StarDateText", "soon", "2100.500000"},
                                 {"StarDateText", "2e6", "1000000.000000"},
                                 {"ViewZoomText", "2x", "2"},
                                 {"ViewZoomText", "0.0001", "0.001"},
                                 {"ViewZoomText", "300", "256"},
                                 {"ViewZoomText", "near", "0.001"},
                                 {"RotationXText", "45 deg", "45 deg"},
                                 {"RotationYText", " -30", " -30"}};
  for (const auto& [box, typed, shown] : rows) {
    Box(box)->setText(typed);
    Click("ManualExecute");
    EXPECT_EQ(Box(box)->text(), shown) << typed;
  }
  EXPECT_DOUBLE_EQ(view.StarDate, 1000000);
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
  EXPECT_FLOAT_EQ(view.ViewRotX, 45);
  EXPECT_FLOAT_EQ(view.ViewRotY, -30);
  EXPECT_EQ(applied, 9);
}

TEST_F(ControlPanelTest, SpinsAndAutoTicksStepTheViewAndTheDate) {
  Box("ViewZoomText")->setText("0.75");
  Spin("ViewZoomSpin", Qt::UpArrow);  // 1.5 is truncated to 1
  EXPECT_EQ(Box("ViewZoomText")->text(), "1.000");
  Spin("ViewZoomSpin", Qt::DownArrow);
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.5f);
  Box("RotationXText")->setText("359");
  Spin("RotationXSpin", Qt::UpArrow);
  EXPECT_EQ(Box("RotationXText")->text(), "0");
  Spin("RotationYSpin", Qt::DownArrow);
  EXPECT_EQ(Box("RotationYText")->text(), "359");
  EXPECT_FLOAT_EQ(view.ViewRotY, 359);

  // Auto: each tick moves the date by both sliders' steps; a spin waits for the next tick.
  EXPECT_EQ(Box("StarDateText")->text(), "2000.000000");  // a date never set
  Click("StarDateRunOption");
  auto* timer = Child<QTimer>(panel, "Timer1");
  EXPECT_TRUE(timer->isActive());
  Child<QSlider>(panel, "StarDateSlider")->setValue(250);  // 0.25 years
  Child<QSlider>(panel, "FineDateSlider")->setValue(500);  // 0.0005 years
  ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
  EXPECT_EQ(Box("StarDateText")->text(), "2000.250500");
  Spin("RotationZSpin", Qt::UpArrow);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 0);
  EXPECT_EQ(applied, 5);

  Click("StarDateStopOption");
  EXPECT_FALSE(timer->isActive());
  Spin("StarDateSpin", Qt::DownArrow);  // back by both steps
  EXPECT_EQ(Box("StarDateText")->text(), "2000.000000");
  EXPECT_FLOAT_EQ(view.ViewRotZ, 1);  // applied with the date
}

}  // namespace
}  // namespace ax
