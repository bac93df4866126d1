#include "survey/Survey.h"

namespace ax {

void Survey::MakeLivingWorld() {}

void Survey::MakeHydrosphere() {}

void Survey::PlaceContinents() {}

void Survey::MakeAnaerobicWorld() {}

void Survey::MakeOxygenWorld() {}

void Survey::MakeChlorineWorld() {}

}  // namespace ax
