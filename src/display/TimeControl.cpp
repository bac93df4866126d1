#include "display/TimeControl.h"

namespace ax {

TimeControl::TimeControl(ViewState& view) : view_(view) {}

void TimeControl::ApplyStarDate(double) {}
void TimeControl::ApplyZoom(double) {}
double TimeControl::RotationStep(double degrees, bool) {
  return degrees;
}
double TimeControl::ZoomStep(double zoom, bool) {
  return zoom;
}
void TimeControl::SetSliders(int coarse, int fine) {
  coarse_ = coarse;
  fine_ = fine;
}
double TimeControl::CoarseStep() const {
  return 0;
}
double TimeControl::FineStep() const {
  return 0;
}
void TimeControl::StepDate(bool) {}

}  // namespace ax
