#include "survey/Survey.h"

namespace ax {

void Survey::AssessLife() {}

}  // namespace ax
