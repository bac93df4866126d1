#pragma once

#include <string_view>

#include "display/ViewState.h"

namespace ax {

// The arithmetic of the control panel: the date and zoom the user types, the spin steps of
// rotation, zoom and date, and the animation tick. The panel turns its texts into numbers and
// shows the results; this class holds the rules.
class TimeControl {
 public:
  explicit TimeControl(ViewState& view);

  // On the panel's load: a date never set starts at 2000.
  void StartStarDate();

  // The typed values of the panel, applied as "Execute" applies them: date, rotations, zoom.
  void ApplyControlPanel(double typedDate, double rotX, double rotY, double rotZ, double typedZoom);
  // A typed date: 0 or less keeps the current date, above 1000000 becomes 1000000; the date
  // is kept to six decimals, as the panel shows it.
  void ApplyStarDate(double typed);
  // A typed zoom, held within 0.001 .. 256.
  void ApplyZoom(double typed);
  // The picture the zoom box shows a zoom with: three decimals up to 1, whole numbers above.
  static std::string_view ZoomPicture(double zoom);

  // One spin step of a rotation in degrees, wrapping round within 0 .. 359.
  static double RotationStep(double degrees, bool up);
  // One spin step of the zoom: doubled or halved; above 1 truncated to a whole number.
  static double ZoomStep(double zoom, bool up);
  // The zoom spin: the step of the zoom box's value becomes the view's zoom, which the next
  // application holds within its bounds.
  void SpinZoom(double zoomText, bool up);

  // The date steps of the two sliders: coarse slider / 1000 and fine slider / 1000000 years.
  void SetSliders(int coarse, int fine);
  double CoarseStep() const;
  double FineStep() const;
  // One step of the date spin by both steps, applied like a typed date.
  void StepDate(bool forward);
  // One animation tick: the date moves on by both steps.
  void Tick();

 private:
  ViewState& view_;
  int coarse_ = 0;
  int fine_ = 0;
};

}  // namespace ax
