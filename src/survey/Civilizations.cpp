#include "survey/Survey.h"

namespace ax {

void Survey::AssignCivilizations() {}

}  // namespace ax
