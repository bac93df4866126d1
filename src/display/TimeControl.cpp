#include "display/TimeControl.h"

#include <cmath>

namespace ax {
namespace {

constexpr double kFirstStarDate = 2000;    // years
constexpr double kLastStarDate = 1000000;  // years
constexpr double kDateDecimals = 1000000;  // the date box shows six decimals
constexpr double kDegreesRound = 360;
constexpr double kCoarseUnits = 1000;   // slider units per year
constexpr double kFineUnits = 1000000;  // slider units per year

}  // namespace

TimeControl::TimeControl(ViewState& view) : view_(view) {}

void TimeControl::StartStarDate() {
  if (view_.StarDate == 0) {
    view_.StarDate = kFirstStarDate;
  }
}

void TimeControl::ApplyControlPanel(double typedDate, double rotX, double rotY, double rotZ,
                                    double typedZoom) {
  ApplyStarDate(typedDate);
  view_.ViewRotX = static_cast<float>(rotX);
  view_.ViewRotY = static_cast<float>(rotY);
  view_.ViewRotZ = static_cast<float>(rotZ);
  ApplyZoom(typedZoom);
}

void TimeControl::ApplyStarDate(double typed) {
  double date = typed;
  // Also a NaN keeps the date, as an unreadable text reads as 0.
  if (!(date > 0)) {
    date = view_.StarDate;
  } else if (date > kLastStarDate) {
    date = kLastStarDate;
  }
  view_.StarDate = std::round(date * kDateDecimals) / kDateDecimals;
}

void TimeControl::ApplyZoom(double typed) {
  double zoom = typed;
  if (!(zoom >= kLeastViewZoom)) {
    zoom = kLeastViewZoom;
  } else if (zoom > kMostViewZoom) {
    zoom = kMostViewZoom;
  }
  view_.ViewZoom = static_cast<float>(zoom);
}

std::string_view TimeControl::ZoomPicture(double zoom) {
  return zoom <= 1 ? "0.000" : "0";
}

double TimeControl::RotationStep(double degrees, bool up) {
  if (up) {
    const double turned = degrees + 1;
    return turned > 359 ? turned - kDegreesRound : turned;
  }
  const double turned = degrees - 1;
  return turned < 0 ? turned + kDegreesRound : turned;
}

double TimeControl::ZoomStep(double zoom, bool up) {
  const double stepped = up ? zoom * 2 : zoom / 2;
  return stepped > 1 ? std::trunc(stepped) : stepped;
}

void TimeControl::SpinZoom(double zoomText, bool up) {
  view_.ViewZoom = static_cast<float>(ZoomStep(zoomText, up));
}

void TimeControl::SetSliders(int coarse, int fine) {
  coarse_ = coarse;
  fine_ = fine;
}

double TimeControl::CoarseStep() const {
  return coarse_ / kCoarseUnits;
}

double TimeControl::FineStep() const {
  return fine_ / kFineUnits;
}

void TimeControl::StepDate(bool forward) {
  const double step = CoarseStep() + FineStep();
  // Applied as a typed date, so a step below the first day keeps the date rather than making
  // it negative.
  ApplyStarDate(forward ? view_.StarDate + step : view_.StarDate - step);
}

void TimeControl::Tick() {
  ApplyStarDate(CoarseStep() + view_.StarDate + FineStep());
}

}  // namespace ax
