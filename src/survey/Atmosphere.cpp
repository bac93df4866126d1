#include "survey/Survey.h"

namespace ax {

void Survey::MakeAtmosphere() {}

}  // namespace ax
