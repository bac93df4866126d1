#include "display/ReportExport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "display/DefaultNames.h"
#include "display/NumberPicture.h"
#include "display/RecordingCanvas.h"
#include "display/WorldReport.h"

namespace ax {
namespace {

constexpr int kLastBody = kBodySlots - 1;
constexpr std::size_t kShortestFence = 3;  // backticks

// Puts back what drawing reports changes in the world: the selection, the names given to
// unnamed bodies, the name "Star" that default naming gives an unnamed system, and the report
// buffer. An export is a copy of what the report shows, not a change to the system.
class KeepWorld {
 public:
  explicit KeepWorld(World& world)
      : world_(world),
        star_(world.CurrentStar),
        orbit_(world.CurrentOrbit),
        body_(world.CurrentBody),
        systemName_(world.SystemName),
        reportText_(world.ReportText) {}
  KeepWorld(const KeepWorld&) = delete;
  KeepWorld& operator=(const KeepWorld&) = delete;

  ~KeepWorld() {
    for (auto kept = names_.rbegin(); kept != names_.rend(); ++kept) {
      world_.BodyName(kept->first.star, kept->first.orbit, kept->first.body) =
          std::move(kept->second);
    }
    world_.SystemName = std::move(systemName_);
    world_.ReportText = std::move(reportText_);
    world_.CurrentStar = star_;
    world_.CurrentOrbit = orbit_;
    world_.CurrentBody = body_;
  }

  void KeepName(BodyPlace place) {
    names_.emplace_back(place, world_.BodyName(place.star, place.orbit, place.body));
  }

 private:
  World& world_;
  std::int16_t star_;
  std::int16_t orbit_;
  std::int16_t body_;
  std::string systemName_;
  std::string reportText_;
  std::vector<std::pair<BodyPlace, std::string>> names_;
};

// Control characters (a name read from a damaged file) become blanks: a line break would end
// a heading or a table row, and the others have no place in a page.
std::string Printable(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return text;
}

// A world text for a heading or a table cell: UTF-8, on one line, without outer blanks.
std::string OneLine(std::string_view latin1) {
  std::string text = Printable(Latin1ToUtf8(latin1));
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct BodySection {
  int level = 3;  // heading level: 3 a world, 4 its moons or belt bodies
  std::string heading;
  std::vector<std::string> lines;
};

struct StarGroup {
  std::string heading;
  std::vector<BodySection> bodies;
};

struct StarRow {
  std::string letter, type, mass, temperature, luminosity;
};

// The system as headings, table cells and report lines in UTF-8, before it is written out.
struct SystemDocument {
  std::string title;
  std::vector<StarRow> stars;
  std::vector<std::string> facts;
  std::vector<StarGroup> groups;
};

void CheckPlace(BodyPlace place) {
  if (place.star < 0 || place.star >= kStarSlots || place.orbit < 0 || place.orbit >= kOrbitSlots ||
      place.body < 0 || place.body >= kBodySlots) {
    ThrowIndexOutOfRange(place.star, place.orbit, place.body);
  }
}

// Draws one body's report on the canvas and reads it back as lines; returns the name the
// report showed. The keeper restores what the report changed.
std::string DrawReport(World& world, KeepWorld& keep, RecordingCanvas& canvas, BodyPlace place,
                       std::vector<std::string>& lines) {
  CheckPlace(place);
  keep.KeepName(place);
  world.CurrentStar = static_cast<std::int16_t>(place.star);
  world.CurrentOrbit = static_cast<std::int16_t>(place.orbit);
  world.CurrentBody = static_cast<std::int16_t>(place.body);
  // The report would give the default name itself; giving it first lets the heading carry the
  // name the report shows, which it may clear again afterwards.
  if (world.BodyName(place.star, place.orbit, place.body).empty()) MakeDefaultName(world);
  std::string name = world.BodyName(place.star, place.orbit, place.body);

  canvas.Reset();
  WorldReport report(world, canvas);
  report.GasShares = false;
  report.ShowWorldReport();
  for (std::string& line : ReportLines(canvas)) {
    // Lines with nothing to read are left out: blank lines mark the gaps between bodies.
    if (line.find_first_not_of(' ') != std::string::npos) lines.push_back(std::move(line));
  }
  return name;
}

const char* GroupHeading(const World& world, int star) {
  if (world.StarCount != 2) return "Worlds";
  return star == 0   ? "Worlds around both stars"
         : star == 1 ? "Worlds of star A"
                     : "Worlds of star B";
}

SystemDocument Collect(World& world) {
  SystemDocument document;
  const bool named = !world.SystemName.empty() && world.SystemName != "Star";
  document.title = named ? "System " + OneLine(world.SystemName) : "Unnamed system";

  const int lastStar = std::min<int>(world.StarCount, 2);
  for (int star = 1; star <= lastStar; ++star) {
    const auto s = static_cast<std::size_t>(star);
    document.stars.push_back({star == 1 ? "A" : "B", OneLine(world.StarType[s]),
                              FormatNumber(world.StarMass[s], "#,##0.000"),
                              FormatNumber(world.StarTemperature[s], "#,##0"),
                              FormatNumber(world.StarLuminosity[s], "#,##0.0000")});
  }
  document.facts.push_back("Age: " + FormatNumber(world.SystemAge, "#,##0.00") + " billion years");
  if (world.StarCount == 2) {
    document.facts.push_back("Separation: " + FormatNumber(world.StarSeparation, "#,##0.00") +
                             " AU");
    document.facts.push_back("Period: " + FormatNumber(world.StarPeriod, "#,##0.00") + " years");
  }

  KeepWorld keep(world);
  RecordingCanvas canvas;
  int groupStar = -1;
  for (const BodyPlace& place : ReportBodies(world)) {
    if (place.star != groupStar) {
      groupStar = place.star;
      document.groups.push_back({GroupHeading(world, place.star), {}});
    }
    BodySection section;
    section.level = place.body == 0 ? 3 : 4;
    const std::string name = DrawReport(world, keep, canvas, place, section.lines);
    section.heading = OneLine(name) + " (class " +
                      OneLine(world.BodyClass(place.star, place.orbit, place.body)) + ")";
    for (std::string& line : section.lines) line = Printable(std::move(line));
    document.groups.back().bodies.push_back(std::move(section));
  }
  return document;
}

std::string MarkdownText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (std::string_view("\\`*_[]<>#|~&").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// A code fence longer than any run of backticks in the lines, so that none of them closes it.
std::string Fence(const std::vector<std::string>& lines) {
  std::size_t longest = 0;
  for (const std::string& line : lines) {
    std::size_t run = 0;
    for (const char c : line) {
      run = c == '`' ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return std::string(std::max(kShortestFence, longest + 1), '`');
}

std::string HtmlText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

constexpr std::string_view kStarColumns[] = {"Star", "Type", "Mass (solar)", "Temperature (K)",
                                             "Luminosity (solar)"};

constexpr std::string_view kPageStyle =
    "body { font-family: sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em; "
    "color: #1b1b2f; }\n"
    "table { border-collapse: collapse; }\n"
    "th, td { border: 1px solid #b8b8c8; padding: 0.2em 0.7em; }\n"
    "td.number { text-align: right; }\n"
    "pre { background: #f2f2f6; padding: 0.7em 1em; overflow-x: auto; }\n";

}  // namespace

std::vector<BodyPlace> ReportBodies(const World& world) {
  std::vector<BodyPlace> places;
  const int firstStar = world.StarCount == 2 ? 0 : 1;
  const int lastStar = std::min<int>(world.StarCount, kStarSlots - 1);
  for (int s = firstStar; s <= lastStar; ++s) {
    const auto star = static_cast<std::size_t>(s);
    const int orbits = std::min<int>(world.OrbitCount[star], kLastOrbit);
    for (int o = 1; o <= orbits; ++o) {
      if (world.BodyClass(s, o, 0).empty()) continue;
      const int bodies =
          std::min<int>(world.MoonCount[star][static_cast<std::size_t>(o)], kLastBody);
      for (int b = 0; b <= bodies; ++b) places.push_back({s, o, b});
    }
  }
  return places;
}

std::vector<std::string> BodyReportLines(World& world, int star, int orbit, int body) {
  KeepWorld keep(world);
  RecordingCanvas canvas;
  std::vector<std::string> lines;
  DrawReport(world, keep, canvas, {star, orbit, body}, lines);
  return lines;
}

std::string BodyReportText(World& world, int star, int orbit, int body) {
  std::string text;
  for (const std::string& line : BodyReportLines(world, star, orbit, body)) {
    text += line;
    text += '\n';
  }
  return text;
}

std::string SystemReportText(World& world) {
  std::string text;
  bool first = true;
  for (const BodyPlace& place : ReportBodies(world)) {
    if (!first) text += '\n';
    first = false;
    text += BodyReportText(world, place.star, place.orbit, place.body);
  }
  return text;
}

std::string SystemReportMarkdown(World& world) {
  const SystemDocument document = Collect(world);
  std::string out = "# " + MarkdownText(document.title) + "\n\n## Stars\n\n";
  if (!document.stars.empty()) {
    out += "|";
    for (const std::string_view column : kStarColumns) out += " " + std::string(column) + " |";
    out += "\n| --- | --- | ---: | ---: | ---: |\n";
    for (const StarRow& row : document.stars) {
      for (const std::string* cell :
           {&row.letter, &row.type, &row.mass, &row.temperature, &row.luminosity}) {
        out += "| " + MarkdownText(*cell) + " ";
      }
      out += "|\n";
    }
    out += '\n';
  }
  for (const std::string& fact : document.facts) out += "- " + MarkdownText(fact) + "\n";
  if (document.groups.empty()) out += "\nNo worlds or moons.\n";
  for (const StarGroup& group : document.groups) {
    out += "\n## " + MarkdownText(group.heading) + "\n";
    for (const BodySection& section : group.bodies) {
      const std::string fence = Fence(section.lines);
      out += '\n' + std::string(static_cast<std::size_t>(section.level), '#') + ' ' +
             MarkdownText(section.heading) + "\n\n" + fence + "text\n";
      for (const std::string& line : section.lines) out += line + '\n';
      out += fence + '\n';
    }
  }
  return out;
}

std::string SystemReportHtml(World& world) {
  const SystemDocument document = Collect(world);
  const std::string title = HtmlText(document.title);
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<title>" + title + "</title>\n<style>\n" + std::string(kPageStyle) + "</style>\n";
  out += "</head>\n<body>\n<h1>" + title + "</h1>\n<h2>Stars</h2>\n";
  if (!document.stars.empty()) {
    out += "<table>\n<tr>";
    for (const std::string_view column : kStarColumns)
      out += "<th>" + std::string(column) + "</th>";
    out += "</tr>\n";
    for (const StarRow& row : document.stars) {
      out += "<tr><td>" + HtmlText(row.letter) + "</td><td>" + HtmlText(row.type) + "</td>";
      for (const std::string* cell : {&row.mass, &row.temperature, &row.luminosity}) {
        out += "<td class=\"number\">" + HtmlText(*cell) + "</td>";
      }
      out += "</tr>\n";
    }
    out += "</table>\n";
  }
  out += "<ul>\n";
  for (const std::string& fact : document.facts) out += "<li>" + HtmlText(fact) + "</li>\n";
  out += "</ul>\n";
  if (document.groups.empty()) out += "<p>No worlds or moons.</p>\n";
  for (const StarGroup& group : document.groups) {
    out += "<h2>" + HtmlText(group.heading) + "</h2>\n";
    for (const BodySection& section : group.bodies) {
      const std::string tag = "h" + std::to_string(section.level);
      out += "<" + tag + ">" + HtmlText(section.heading) + "</" + tag + ">\n<pre>";
      for (const std::string& line : section.lines) out += HtmlText(line) + '\n';
      out += "</pre>\n";
    }
  }
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace ax
