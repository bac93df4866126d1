#include "survey/Survey.h"

namespace ax {

void Survey::PhysicalParticulars() {}

}  // namespace ax
