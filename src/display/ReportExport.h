#pragma once

#include <string>
#include <vector>

#include "model/World.h"

namespace ax {

// Where a body stands in the tables.
struct BodyPlace {
  int star = 0;
  int orbit = 0;
  int body = 0;

  friend bool operator==(const BodyPlace&, const BodyPlace&) = default;
};

// Every world, moon and belt body in reading order: star by star (a pair's shared orbits
// first), orbit by orbit, each world followed by its moons or belt bodies.
std::vector<BodyPlace> ReportBodies(const World& world);

// One body's world report as plain UTF-8 lines in reading order, lines with nothing to read
// left out. The world is left as it was: the selection, and the default names the report
// gives on the way. Throws std::out_of_range for a place outside the tables.
std::vector<std::string> BodyReportLines(World& world, int star, int orbit, int body);
// The same lines as text, each ending in a newline.
std::string BodyReportText(World& world, int star, int orbit, int body);
// The text of every body of ReportBodies in turn, a blank line between bodies. The world is
// left as it was.
std::string SystemReportText(World& world);

// The whole system as one UTF-8 document: a title with the system's name, its stars, then
// the report of every body of ReportBodies under a heading with its name and class. The world
// is left as it was.
std::string SystemReportMarkdown(World& world);
// The same as one self-contained HTML page.
std::string SystemReportHtml(World& world);

}  // namespace ax
