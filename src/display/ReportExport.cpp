#include "display/ReportExport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "display/RecordingCanvas.h"
#include "display/ReportDocument.h"

namespace ax {
namespace {

constexpr int kLastBody = kBodySlots - 1;
constexpr std::size_t kShortestFence = 3;  // backticks

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
  return DrawReport(world, keep, canvas, {star, orbit, body}).lines;
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
  if (!document.glance.empty()) {
    out += "\n## System at a glance\n\n|";
    for (const std::string_view column : kGlanceColumns) out += " " + std::string(column) + " |";
    out += "\n|";
    for (std::size_t c = 0; c < std::size(kGlanceColumns); ++c) out += " --- |";
    out += '\n';
    for (const GlanceRow& row : document.glance) {
      for (const std::string* cell : GlanceCells(row)) out += "| " + MarkdownText(*cell) + " ";
      out += "|\n";
    }
  }
  if (document.groups.empty()) out += "\nNo worlds or moons.\n";
  for (const StarGroup& group : document.groups) {
    out += "\n## " + MarkdownText(group.heading) + "\n";
    for (const BodySection& section : group.bodies) {
      const std::string fence = Fence(section.report.lines);
      out += '\n' + std::string(static_cast<std::size_t>(section.level), '#') + ' ' +
             MarkdownText(section.heading) + "\n\n" + fence + "text\n";
      for (const std::string& line : section.report.lines) out += line + '\n';
      out += fence + '\n';
    }
  }
  return out;
}

}  // namespace ax
