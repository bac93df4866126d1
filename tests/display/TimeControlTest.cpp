#include "display/TimeControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "display/ViewState.h"

namespace ax {
namespace {

class TimeControlTest : public ::testing::Test {
 protected:
  ViewState view;
  TimeControl control{view};
};

TEST_F(TimeControlTest, TypedDateKeepsOrClampsAndKeepsSixDecimals) {
  view.StarDate = 2000.5;
  control.ApplyStarDate(-5);  // 0 or less restores the date shown before
  EXPECT_EQ(view.StarDate, 2000.5);
  control.ApplyStarDate(0);
  EXPECT_EQ(view.StarDate, 2000.5);
  control.ApplyStarDate(std::numeric_limits<double>::quiet_NaN());  // unreadable: as 0
  EXPECT_EQ(view.StarDate, 2000.5);

  control.ApplyStarDate(2000000);
  EXPECT_EQ(view.StarDate, 1000000.0);

  // "#.000000": rounded to the sixth decimal.
  control.ApplyStarDate(2000.1234567);
  EXPECT_DOUBLE_EQ(view.StarDate, 2000.123457);
  control.ApplyStarDate(2000.0000004);
  EXPECT_DOUBLE_EQ(view.StarDate, 2000.0);
}

TEST_F(TimeControlTest, StartingDateIs2000OnlyWhenUnset) {
  view.StarDate = 0;
  control.StartStarDate();
  EXPECT_EQ(view.StarDate, 2000.0);
  view.StarDate = 1500;
  control.StartStarDate();
  EXPECT_EQ(view.StarDate, 1500.0);
}

TEST_F(TimeControlTest, TypedZoomIsHeldWithinBoundsAndShownByItsPicture) {
  control.ApplyZoom(0.0001);
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
  EXPECT_EQ(TimeControl::ZoomPicture(view.ViewZoom), "0.000");  // shows "0.001"
  control.ApplyZoom(300);
  EXPECT_EQ(view.ViewZoom, 256.0f);
  EXPECT_EQ(TimeControl::ZoomPicture(view.ViewZoom), "0");  // shows "256"
  control.ApplyZoom(2.5);
  EXPECT_EQ(view.ViewZoom, 2.5f);
  control.ApplyZoom(0);  // an empty box reads as 0
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
  EXPECT_EQ(TimeControl::ZoomPicture(1), "0.000");
}

TEST_F(TimeControlTest, ApplyControlPanelSetsDateRotationsAndZoom) {
  view.StarDate = 2000;
  control.ApplyControlPanel(2010.25, 30, -45, 400, 1000);
  EXPECT_EQ(view.StarDate, 2010.25);
  EXPECT_EQ(view.ViewRotX, 30.0f);
  EXPECT_EQ(view.ViewRotY, -45.0f);  // typed rotations are taken as they are
  EXPECT_EQ(view.ViewRotZ, 400.0f);
  EXPECT_EQ(view.ViewZoom, 256.0f);
}

TEST_F(TimeControlTest, RotationSpinsWrapRound) {
  EXPECT_EQ(TimeControl::RotationStep(359, true), 0.0);
  EXPECT_EQ(TimeControl::RotationStep(0, false), 359.0);
  EXPECT_EQ(TimeControl::RotationStep(358, true), 359.0);
  EXPECT_EQ(TimeControl::RotationStep(1, false), 0.0);
  EXPECT_EQ(TimeControl::RotationStep(90, true), 91.0);
  EXPECT_EQ(TimeControl::RotationStep(90, false), 89.0);
}

TEST_F(TimeControlTest, ZoomSpinsDoubleOrHalveAndTruncateAboveOne) {
  EXPECT_EQ(TimeControl::ZoomStep(0.75, true), 1.0);  // 1.5 truncated, shown "1.000"
  EXPECT_EQ(TimeControl::ZoomPicture(TimeControl::ZoomStep(0.75, true)), "0.000");
  EXPECT_EQ(TimeControl::ZoomStep(1, true), 2.0);
  EXPECT_EQ(TimeControl::ZoomStep(3, false), 1.0);  // 1.5 truncated
  EXPECT_EQ(TimeControl::ZoomStep(1, false), 0.5);
  EXPECT_EQ(TimeControl::ZoomStep(0.5, false), 0.25);
  EXPECT_EQ(TimeControl::ZoomStep(5, true), 10.0);
  EXPECT_EQ(TimeControl::ZoomStep(5, false), 2.0);  // 2.5 truncated

  control.SpinZoom(0.75, true);
  EXPECT_EQ(view.ViewZoom, 1.0f);
  control.SpinZoom(256, true);  // held within bounds by the next application
  EXPECT_EQ(view.ViewZoom, 512.0f);
}

TEST_F(TimeControlTest, SlidersSetTheCoarseAndFineSteps) {
  control.SetSliders(250, 1500);
  EXPECT_EQ(control.CoarseStep(), 0.25);  // 250 / 1000 years
  EXPECT_EQ(control.FineStep(), 0.0015);  // 1500 / 1000000 years
  view.StarDate = 2000;
  control.Tick();
  EXPECT_DOUBLE_EQ(view.StarDate, 2000.2515);
  control.StepDate(true);
  EXPECT_DOUBLE_EQ(view.StarDate, 2000.503);
  control.StepDate(false);
  control.StepDate(false);
  EXPECT_DOUBLE_EQ(view.StarDate, 2000.0);
}

TEST_F(TimeControlTest, SlidersAtZeroLeaveTheDateStill) {
  control.SetSliders(0, 0);
  view.StarDate = 2000.125;
  for (int tick = 0; tick < 5; ++tick) control.Tick();
  EXPECT_EQ(view.StarDate, 2000.125);
  control.StepDate(true);
  control.StepDate(false);
  EXPECT_EQ(view.StarDate, 2000.125);
}

TEST_F(TimeControlTest, DateStepsStayWithinTheDateRange) {
  control.SetSliders(1000, 0);  // a year a step
  view.StarDate = 0.5;
  control.StepDate(false);  // -0.5 would be no date: the date stays
  EXPECT_EQ(view.StarDate, 0.5);
  view.StarDate = 999999.5;
  control.Tick();
  EXPECT_EQ(view.StarDate, 1000000.0);
}

}  // namespace
}  // namespace ax
