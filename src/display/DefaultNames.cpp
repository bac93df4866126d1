#include "display/DefaultNames.h"

namespace ax {

void MakeDefaultName(World&) {}

}  // namespace ax
