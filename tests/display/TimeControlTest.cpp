#include "display/TimeControl.h"

#include <gtest/gtest.h>

#include <limits>

#include "display/ViewState.h"

namespace ax {
namespace {

TEST(TimeControlTest, TypedDatesAndZoomsAreHeldWithinTheirBounds) {
  ViewState view;
  TimeControl control(view);
  view.StarDate = 2000.5;
  for (const double typed : {-5.0, 0.0, std::numeric_limits<double>::quiet_NaN()}) {
    control.ApplyStarDate(typed);  // 0 or less, or unreadable: the date shown before
    EXPECT_EQ(view.StarDate, 2000.5) << typed;
  }
  control.ApplyStarDate(2000000);
  EXPECT_EQ(view.StarDate, 1000000.0);

  control.ApplyZoom(0.0001);
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
  control.ApplyZoom(300);
  EXPECT_EQ(view.ViewZoom, 256.0f);
  control.ApplyZoom(2.5);
  EXPECT_EQ(view.ViewZoom, 2.5f);
  control.ApplyZoom(0);  // an empty box reads as 0
  EXPECT_FLOAT_EQ(view.ViewZoom, 0.001f);
}

TEST(TimeControlTest, SpinsWrapRotationsAndTruncateZoomsAboveOne) {
  EXPECT_EQ(TimeControl::RotationStep(359, true), 0.0);
  EXPECT_EQ(TimeControl::RotationStep(0, false), 359.0);
  EXPECT_EQ(TimeControl::RotationStep(90, true), 91.0);
  EXPECT_EQ(TimeControl::ZoomStep(0.75, true), 1.0);  // 1.5 truncated
  EXPECT_EQ(TimeControl::ZoomStep(3, false), 1.0);    // 1.5 truncated
  EXPECT_EQ(TimeControl::ZoomStep(5, false), 2.0);    // 2.5 truncated
  EXPECT_EQ(TimeControl::ZoomStep(1, false), 0.5);
  EXPECT_EQ(TimeControl::ZoomStep(0.5, false), 0.25);
}

}  // namespace
}  // namespace ax
