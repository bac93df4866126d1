#pragma once

#include <ostream>
#include "model/World.h"

namespace ax {

// The world report of every world, moon and belt body in reading order (stars, orbits, bodies),
// a blank line between bodies. Gives unnamed bodies their default names, as the report does.
void PrintWorldReports(World& world, std::ostream& out);

}  // namespace ax
