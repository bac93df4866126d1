#pragma once

#include <string>
#include <string_view>
#include <utility>
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

// The whole system as one UTF-8 document: a title with the system's name, its stars, every
// world at a glance (see SystemReportHtml), then the report of every body of ReportBodies
// under a heading with its name and class. The world
// is left as it was.
std::string SystemReportMarkdown(World& world);

// The pictures a page shows, as HTML markup made elsewhere (an inline <svg>, an <img>): the
// system view, and the world view of each world that has one. None: the page goes without.
struct ReportPictures {
  std::string system;
  std::vector<std::pair<BodyPlace, std::string>> worlds;
};

// The system as a dossier to print or share, one self-contained HTML page: the title, the
// system's picture, the stars and every world at a glance (its name, class and what the class
// means, its orbit, year, mass, radius, gravity, temperatures, air, water, life and
// civilization), then each world on a printed page of its own: its report as labelled
// values beside its picture, its list of moons or belt bodies, and their reports.
std::string SystemReportHtml(World& world, const ReportPictures& pictures = {});
// The page's body in the parts that each begin a printed page: the head with the glance
// table, then one part for each world with its moons or belt bodies.
std::vector<std::string> SystemReportHtmlParts(World& world, const ReportPictures& pictures);
// The page's style sheet, with its print rules.
std::string_view ReportPageStyle();

}  // namespace ax
