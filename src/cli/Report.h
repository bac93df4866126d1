#pragma once

#include <ostream>
#include "model/World.h"

namespace ax {

// The world report of every world, moon and belt body in reading order (stars, orbits, bodies),
// a blank line between bodies. Unnamed bodies show their default names, as in the report; the
// world is left as it was.
void PrintWorldReports(World& world, std::ostream& out);

}  // namespace ax
