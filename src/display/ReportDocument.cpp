#include "display/ReportDocument.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <stdexcept>

#include "display/BodySymbols.h"
#include "display/DefaultNames.h"
#include "display/NumberPicture.h"
#include "display/WorldReport.h"
#include "model/Numbers.h"

namespace ax {
namespace {

constexpr double kKmPerRadius = 6378;                  // standard radius
constexpr std::size_t kMoonHeaderLine = 12;            // the report's moon list starts on this line
constexpr std::size_t kMoonColumn = 4;                 // ... in this column
constexpr std::size_t kOrbitColumn = 5;                // the orbital elements' column
constexpr std::string_view kNothing = "\xE2\x80\x94";  // an em dash in an empty cell

void CheckPlace(BodyPlace place) {
  if (place.star < 0 || place.star >= kStarSlots || place.orbit < 0 || place.orbit >= kOrbitSlots ||
      place.body < 0 || place.body >= kBodySlots) {
    ThrowIndexOutOfRange(place.star, place.orbit, place.body);
  }
}

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The report's texts paired into labels and values, row by row and left to right: a text
// ending in a colon labels the text after it, "HP: 0.45" is a label and its value in one
// text, and a text after a value adds to it. The orbit column follows the body's own values,
// as one reads the panel; what it lists in its moon columns from the moon header down goes to
// the moon table instead.
void ReadItems(const RecordingCanvas& canvas, const WorldReport& grid, bool moonList,
               BodyReport& report) {
  std::map<double, std::vector<std::pair<double, std::string>>> rows;
  for (const RecordingCanvas::Call& call : canvas.Calls()) {
    if (call.kind != RecordingCanvas::Kind::Text || !std::isfinite(call.x1) ||
        !std::isfinite(call.y1)) {
      continue;
    }
    std::string text = Trimmed(Printable(Latin1ToUtf8(call.text)));
    if (!text.empty()) rows[call.y1].emplace_back(call.x1, std::move(text));
  }
  const double moonTop = grid.LineY[kMoonHeaderLine];
  const double moonLeft = grid.ColX[kMoonColumn];
  std::vector<ReportItem> orbitItems;
  for (auto& [y, pieces] : rows) {
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> moonRow;
    ReportItem* item = nullptr;  // the item this row's texts go to
    std::vector<ReportItem> row;
    for (auto& [x, text] : pieces) {
      if (moonList && y >= moonTop && x >= moonLeft) {
        moonRow.push_back(std::move(text));
        continue;
      }
      const std::size_t colon = text.find(": ");
      if (item != nullptr && !item->label.empty() && item->value.empty()) {
        item->value = std::move(text);
        continue;
      }
      std::vector<ReportItem>& items = x >= grid.ColX[kOrbitColumn] ? orbitItems : row;
      if (text.back() == ':') {
        text.pop_back();
        items.push_back({std::move(text), {}});
      } else if (colon != std::string::npos) {
        items.push_back({text.substr(0, colon), Trimmed(text.substr(colon + 2))});
      } else if (item != nullptr && item->label.empty()) {
        // A text followed by another on its row names it.
        item->label = std::move(item->value);
        item->value = std::move(text);
        continue;
      } else if (item != nullptr) {
        item->value += ", " + text;
        continue;
      } else {
        items.push_back({{}, std::move(text)});
      }
      item = &items.back();
    }
    report.items.insert(report.items.end(), row.begin(), row.end());
    if (!moonRow.empty()) report.moonTable.push_back(std::move(moonRow));
  }
  report.items.insert(report.items.end(), orbitItems.begin(), orbitItems.end());
}

const char* GroupHeading(const World& world, int star) {
  if (world.StarCount != 2) return "Worlds";
  return star == 0   ? "Worlds around both stars"
         : star == 1 ? "Worlds of star A"
                     : "Worlds of star B";
}

std::string ItemValue(const BodyReport& report, std::string_view label) {
  for (const ReportItem& item : report.items) {
    if (item.label == label) return item.value;
  }
  return {};
}

std::string OrNothing(std::string text) {
  return text.empty() ? std::string(kNothing) : text;
}

// The numbers in the units of kGlanceColumns, the words as the world's report gives them.
GlanceRow Glance(const World& world, const BodySection& section) {
  const auto [s, o, b] = section.place;
  const BodyReport& report = section.report;
  GlanceRow row;
  row.place = section.place;
  row.name = OneLine(report.name);
  row.bodyClass = OneLine(world.BodyClass(s, o, b));
  row.meaning = OrNothing(std::string(SymbolOf(world, s, o, b).meaning));
  row.orbit = FormatNumber(world.BodySemiMajorAxis(s, o, b), "#,##0.000");
  const bool belt = IsBelt(world.BodyClass(s, o, b));
  const auto worked = [belt](double value, std::string_view picture) {
    return belt ? std::string(kNothing) : FormatNumber(value, picture);
  };
  row.year = worked(world.BodyPeriod(s, o, b) / kHoursPerYear, "#,##0.000");
  row.mass = worked(world.BodyMass(s, o, b), "#,##0.000");
  row.radius = worked(world.BodyRadius(s, o, b) * kKmPerRadius, "#,##0");
  row.gravity = worked(world.BodyGravity(s, o, b), "0.000");
  row.temperature = belt ? std::string(kNothing)
                         : FormatNumber(world.BodyTempLow(s, o, b), "0") + " - " +
                               FormatNumber(world.BodyTempHigh(s, o, b), "0");
  std::string atmosphere = ItemValue(report, "Atmosphere");
  const std::string pressure = ItemValue(report, "Pressure");
  if (!pressure.empty()) atmosphere += ", " + pressure;
  row.atmosphere = OrNothing(std::move(atmosphere));
  const float water = world.BodyWaterCover(s, o, b);
  row.water = water > 0 ? FormatNumber(water * 100.0, "0.0") : std::string(kNothing);
  row.life = OrNothing(ItemValue(report, "Life Classification"));
  std::string civilization = ItemValue(report, "Technological era");
  const std::string extinct = ItemValue(report, "Extinct civilization era");
  if (!extinct.empty()) {
    civilization += (civilization.empty() ? "" : "; ") + std::string("extinct: ") + extinct;
  }
  row.civilization = OrNothing(std::move(civilization));
  return row;
}

}  // namespace

KeepWorld::KeepWorld(World& world)
    : world_(world),
      star_(world.CurrentStar),
      orbit_(world.CurrentOrbit),
      body_(world.CurrentBody),
      systemName_(world.SystemName),
      reportText_(world.ReportText) {}

KeepWorld::~KeepWorld() {
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

void KeepWorld::KeepName(BodyPlace place) {
  names_.emplace_back(place, world_.BodyName(place.star, place.orbit, place.body));
}

std::string Printable(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return text;
}

std::string OneLine(std::string_view latin1) {
  return Trimmed(Printable(Latin1ToUtf8(latin1)));
}

BodyReport DrawReport(World& world, KeepWorld& keep, RecordingCanvas& canvas, BodyPlace place) {
  CheckPlace(place);
  keep.KeepName(place);
  world.CurrentStar = static_cast<std::int16_t>(place.star);
  world.CurrentOrbit = static_cast<std::int16_t>(place.orbit);
  world.CurrentBody = static_cast<std::int16_t>(place.body);
  // The report would give the default name itself; giving it first lets the heading carry the
  // name the report shows, which it may clear again afterwards.
  if (world.BodyName(place.star, place.orbit, place.body).empty()) MakeDefaultName(world);
  BodyReport out;
  out.name = world.BodyName(place.star, place.orbit, place.body);

  canvas.Reset();
  WorldReport report(world, canvas);
  report.GasShares = false;
  report.ShowWorldReport();
  for (std::string& line : ReportLines(canvas)) {
    // Lines with nothing to read are left out: blank lines mark the gaps between bodies.
    if (line.find_first_not_of(' ') != std::string::npos) out.lines.push_back(std::move(line));
  }
  const auto star = static_cast<std::size_t>(place.star);
  const auto orbit = static_cast<std::size_t>(place.orbit);
  ReadItems(canvas, report, world.MoonCount[star][orbit] > 0, out);
  return out;
}

std::string DocumentTitle(const World& world) {
  const bool named = !world.SystemName.empty() && world.SystemName != "Star";
  return named ? "System " + OneLine(world.SystemName) : "Unnamed system";
}

std::vector<const std::string*> GlanceCells(const GlanceRow& row) {
  return {&row.name,  &row.bodyClass, &row.meaning,     &row.orbit,       &row.year,
          &row.mass,  &row.radius,    &row.gravity,     &row.temperature, &row.atmosphere,
          &row.water, &row.life,      &row.civilization};
}

SystemDocument Collect(World& world) {
  SystemDocument document;
  document.title = DocumentTitle(world);

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
    section.place = place;
    section.level = place.body == 0 ? 3 : 4;
    section.report = DrawReport(world, keep, canvas, place);
    section.heading = OneLine(section.report.name) + " (class " +
                      OneLine(world.BodyClass(place.star, place.orbit, place.body)) + ")";
    for (std::string& line : section.report.lines) line = Printable(std::move(line));
    if (place.body == 0) document.glance.push_back(Glance(world, section));
    document.groups.back().bodies.push_back(std::move(section));
  }
  return document;
}

}  // namespace ax
