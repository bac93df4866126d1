#pragma once

// What the report exports share: the system read into headings, tables and report lines
// before it is written out as Markdown or HTML.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/RecordingCanvas.h"
#include "display/ReportExport.h"
#include "model/World.h"

namespace ax {

// Puts back what drawing reports changes in the world: the selection, the names given to
// unnamed bodies, the name "Star" that default naming gives an unnamed system, and the report
// buffer. An export is a copy of what the report shows, not a change to the system.
class KeepWorld {
 public:
  explicit KeepWorld(World& world);
  KeepWorld(const KeepWorld&) = delete;
  KeepWorld& operator=(const KeepWorld&) = delete;
  ~KeepWorld();

  void KeepName(BodyPlace place);

 private:
  World& world_;
  std::int16_t star_;
  std::int16_t orbit_;
  std::int16_t body_;
  std::string systemName_;
  std::string reportText_;
  std::vector<std::pair<BodyPlace, std::string>> names_;
};

// One label of the report and the value beside it, as the window shows them; a text that
// stands alone (a note, a continued line) has no label.
struct ReportItem {
  std::string label;
  std::string value;
};

// A body's report as the lines of the plain text and as labelled values: the report's texts,
// each value with the unit the report gives it, the moon or belt body list as its own rows
// (its header first).
struct BodyReport {
  std::string name;  // as the report shows it
  std::vector<std::string> lines;
  std::vector<ReportItem> items;
  std::vector<std::vector<std::string>> moonTable;
};

// Draws one body's report on the canvas and reads it back. The keeper restores what the
// report changed. Throws std::out_of_range for a place outside the tables.
BodyReport DrawReport(World& world, KeepWorld& keep, RecordingCanvas& canvas, BodyPlace place);

struct BodySection {
  BodyPlace place;
  int level = 3;  // heading level: 3 a world, 4 its moons or belt bodies
  std::string heading;
  BodyReport report;
};

struct StarGroup {
  std::string heading;
  std::vector<BodySection> bodies;
};

struct StarRow {
  std::string letter, type, mass, temperature, luminosity;
};

inline constexpr std::string_view kStarColumns[] = {"Star", "Type", "Mass (solar)",
                                                    "Temperature (K)", "Luminosity (solar)"};

// One world in the system at a glance, each number worked in the unit its column names.
struct GlanceRow {
  BodyPlace place;
  std::string name, bodyClass, meaning, orbit, year, mass, radius, gravity, temperature, atmosphere,
      water, life, civilization;
};

// The columns of GlanceRow, in order, with their units.
inline constexpr std::string_view kGlanceColumns[] = {
    "World",       "Class",        "Meaning",
    "Orbit (AU)",  "Year (years)", "Mass (Earth = 1)",
    "Radius (km)", "Gravity (g)",  "Temperature (K)",
    "Atmosphere",  "Water (%)",    "Life",
    "Civilization"};

// The system as headings, table cells and reports in UTF-8, before it is written out.
struct SystemDocument {
  std::string title;
  std::vector<StarRow> stars;
  std::vector<std::string> facts;
  std::vector<GlanceRow> glance;
  std::vector<StarGroup> groups;
};

SystemDocument Collect(World& world);
// The document's title: the system's name, or that it has none.
std::string DocumentTitle(const World& world);

// A world text for a heading or a table cell: UTF-8, on one line, without outer blanks.
std::string OneLine(std::string_view latin1);
// Control characters (a name read from a damaged file) become blanks: a line break would end
// a heading or a table row, and the others have no place in a page.
std::string Printable(std::string text);

// The cells of a glance row in the order of kGlanceColumns.
std::vector<const std::string*> GlanceCells(const GlanceRow& row);

}  // namespace ax
