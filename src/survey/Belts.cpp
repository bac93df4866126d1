#include "survey/Survey.h"

namespace ax {

void Survey::MakeMoons() {}

}  // namespace ax
