#include "survey/Survey.h"

namespace ax {

void Survey::MakeMoonSystem() {}

void Survey::SortMoons() {}

void Survey::ApplyTides() {}

}  // namespace ax
