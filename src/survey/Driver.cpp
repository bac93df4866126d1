#include "survey/Survey.h"

namespace ax {

void Survey::SurveySystem() {}

void Survey::SurveyWorld() {}

}  // namespace ax
