#include "survey/Survey.h"

namespace ax {

void Survey::ComputeAlbedo() {}

void Survey::ComputeTemperatures() {}

double Survey::EquilibriumTemperature(double, double, double) {
  return 0;
}

double Survey::GreenhouseTemperature(double, double, double) {
  return 0;
}

double Survey::TiltFactor() const {
  return 0;
}

}  // namespace ax
