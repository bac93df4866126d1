#include "survey/Survey.h"

namespace ax {

// Until atmospheres are made, every body keeps a bare surface: its albedo and temperatures
// are worked out once its particulars are known.
void Survey::MakeAtmosphere() {
  ComputeAlbedo();
  ComputeTemperatures();
}

}  // namespace ax
