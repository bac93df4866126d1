#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include "display/ViewState.h"
#include "ui/ControlPanel.h"

namespace ax {
namespace {

class ControlPanelTest : public testing::Test {
 protected:
  ViewState view;
  ControlPanel panel{view};
  int applied = 0;
  void SetUp() override {
    QObject::connect(&panel, &ControlPanel::Applied, [this] { ++applied; });
  }
  void Execute() { panel.ManualExecute->click(); }
};

TEST_F(ControlPanelTest, FramesAndControlsAsDesigned) {
  EXPECT_EQ(panel.ViewZoomText->text(), QStringLiteral("1.000"));
  EXPECT_EQ(panel.ViewZoomLabel->text(), QStringLiteral("Zoom:  X"));
  EXPECT_EQ(panel.ManualExecute->text(), QStringLiteral("Execute"));
  EXPECT_EQ(panel.StarDateStopOption->text(), QStringLiteral("Manual"));
  EXPECT_TRUE(panel.StarDateStopOption->isChecked());
  EXPECT_EQ(panel.StarDateRunOption->text(), QStringLiteral("Auto"));
  EXPECT_EQ(panel.StarDateMultiplierLabel->text(), QStringLiteral(".000"));
  EXPECT_EQ(panel.FineDateMultiplierLabel->text(), QStringLiteral(".000000"));
  EXPECT_EQ(panel.Timer1->interval(), 50);
  EXPECT_FALSE(panel.Timer1->isActive());
  EXPECT_EQ(panel.StarDateText->text(), QStringLiteral("2000.000000"));
  EXPECT_EQ(panel.findChild<QLineEdit*>(QStringLiteral("RotationZText")), panel.RotationZText);
  EXPECT_NE(panel.findChild<QWidget*>(QStringLiteral("FineDateXLAbel")), nullptr);
}

TEST_F(ControlPanelTest, TypedDatesOutOfRange) {
  view.StarDate = 2500.25;
  panel.StarDateText->setText(QStringLiteral("-5"));
  Execute();  // 0 or less keeps the previous date
  EXPECT_DOUBLE_EQ(view.StarDate, 2500.25);
  EXPECT_EQ(panel.StarDateText->text(), QStringLiteral("2500.250000"));
  panel.StarDateText->setText(QStringLiteral("2000000"));
  Execute();
  EXPECT_DOUBLE_EQ(view.StarDate, 1000000);
  EXPECT_EQ(panel.StarDateText->text(), QStringLiteral("1000000.000000"));
  panel.StarDateText->setText(QStringLiteral("abc"));  // not a number: reads as 0
  Execute();
  EXPECT_DOUBLE_EQ(view.StarDate, 1000000);
  EXPECT_EQ(applied, 3);
}

TEST_F(ControlPanelTest, TypedZoomsAreHeldWithinBounds) {
  panel.ViewZoomText->setText(QStringLiteral("0.0001"));
  Execute();
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
  EXPECT_EQ(panel.ViewZoomText->text(), QStringLiteral("0.001"));
  panel.ViewZoomText->setText(QStringLiteral("300"));
  Execute();
  EXPECT_FLOAT_EQ(view.ViewZoom, 256);
  EXPECT_EQ(panel.ViewZoomText->text(), QStringLiteral("256"));
}

TEST_F(ControlPanelTest, SpinsStepZoomAndRotationsRoundTheCircle) {
  panel.ViewZoomText->setText(QStringLiteral("0.75"));
  panel.ViewZoomSpin->UpArrow->click();  // 1.5 is truncated to 1
  EXPECT_FLOAT_EQ(view.ViewZoom, 1);
  EXPECT_EQ(panel.ViewZoomText->text(), QStringLiteral("1.000"));
  panel.ViewZoomSpin->DownArrow->click();
  EXPECT_EQ(panel.ViewZoomText->text(), QStringLiteral("0.500"));

  panel.RotationXText->setText(QStringLiteral("359"));
  panel.RotationXSpin->UpArrow->click();
  EXPECT_EQ(panel.RotationXText->text(), QStringLiteral("0"));
  EXPECT_FLOAT_EQ(view.ViewRotX, 0);
  panel.RotationYText->setText(QStringLiteral("0"));
  panel.RotationYSpin->DownArrow->click();
  EXPECT_EQ(panel.RotationYText->text(), QStringLiteral("359"));
  EXPECT_FLOAT_EQ(view.ViewRotY, 359);
}

TEST_F(ControlPanelTest, AutoRunsTheTimerAndTicksAdvanceByBothSteps) {
  panel.StarDateRunOption->click();
  EXPECT_TRUE(panel.Timer1->isActive());
  panel.AdvanceStarDate();  // both sliders at zero: the date stays
  EXPECT_DOUBLE_EQ(view.StarDate, 2000);

  panel.StarDateSlider->setValue(250);  // 0.25 years
  panel.FineDateSlider->setValue(500);  // 0.0005 years
  EXPECT_EQ(panel.StarDateMultiplierLabel->text(), QStringLiteral(".250"));
  EXPECT_EQ(panel.FineDateMultiplierLabel->text(), QStringLiteral(".000500"));
  panel.AdvanceStarDate();
  EXPECT_NEAR(view.StarDate, 2000.2505, 1e-9);
  EXPECT_EQ(panel.StarDateText->text(), QStringLiteral("2000.250500"));

  // While "Auto" runs a rotation spin waits for the next tick.
  const int before = applied;
  panel.RotationZSpin->UpArrow->click();
  EXPECT_EQ(applied, before);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 0);

  panel.StarDateStopOption->click();
  EXPECT_FALSE(panel.Timer1->isActive());
  panel.StarDateSpin->DownArrow->click();  // back by both steps
  EXPECT_NEAR(view.StarDate, 2000, 1e-9);
  EXPECT_FLOAT_EQ(view.ViewRotZ, 1);  // applied with the date
}

TEST_F(ControlPanelTest, ResetViewClearsTheViewAndTheTexts) {
  view.ViewZoom = 8;
  view.ViewPanX = 3;
  view.ViewRotY = 45;
  panel.RotationYText->setText(QStringLiteral("45"));
  panel.ViewZoomText->setText(QStringLiteral("8"));
  panel.ResetView();
  EXPECT_FLOAT_EQ(view.ViewZoom, 1);
  EXPECT_FLOAT_EQ(view.ViewPanX, 0);
  EXPECT_FLOAT_EQ(view.ViewRotY, 0);
  EXPECT_EQ(panel.RotationYText->text(), QStringLiteral("0"));
  EXPECT_EQ(panel.ViewZoomText->text(), QStringLiteral("1.000"));
}

TEST(LeadingNumberTest, ReadsTheLeadingNumericPart) {
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("12.5 years")), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(" -3")), -3);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(".250")), 0.25);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("1e3")), 1000);
  EXPECT_DOUBLE_EQ(LeadingNumber(QString()), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("x5")), 0);
}

}  // namespace
}  // namespace ax
