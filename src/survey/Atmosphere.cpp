#include "survey/Survey.h"

namespace ax {

void Survey::FinishWithGases(double gases) {
  const float u = random_.Uniform();
  Body(world_.BodyPressure) = static_cast<float>(gases * (1 + u / 50.0));
  ComputeAlbedo();
  ComputeTemperatures();
}

// Until atmospheres are made, every body keeps a bare surface: its albedo and temperatures
// are worked out once its particulars are known.
void Survey::MakeAtmosphere() {
  ComputeAlbedo();
  ComputeTemperatures();
}

void Survey::MakeJovianAtmosphere() {}
void Survey::MakeNoAtmosphere() {}
void Survey::MakeSubJovianAtmosphere() {}
void Survey::MakePrimordialAtmosphere() {}
void Survey::CheckHabitability() {}
void Survey::MakeThinAtmosphere() {}
void Survey::MakeTraceAtmosphere() {}
void Survey::MakeDryAtmosphere() {}
void Survey::MakeColdAtmosphere() {}
void Survey::MakeHotAtmosphere() {}

}  // namespace ax
