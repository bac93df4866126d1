#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "display/RecordingCanvas.h"
#include "model/World.h"

namespace ax {

// The recorded texts as lines of plain text in reading order: texts at one height make one
// line, placed by their x (one character per unit of the 0..100 scale), the report's common
// left margin removed.
std::vector<std::string> GroupReportLines(const RecordingCanvas& canvas);

// The world report of every world, moon and belt body in reading order (stars, orbits, bodies),
// a blank line between bodies. Gives unnamed bodies their default names, as the report does.
void PrintWorldReports(World& world, std::ostream& out);

}  // namespace ax
