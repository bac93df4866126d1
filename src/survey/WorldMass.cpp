#include "survey/Survey.h"

namespace ax {

void Survey::MakeTerrestrialWorld() {}

void Survey::MakeJovianWorld() {}

void Survey::LimitWorldMass() {}

}  // namespace ax
