#include "survey/Survey.h"

namespace ax {

void Survey::MakeOrbitElements() {}

}  // namespace ax
