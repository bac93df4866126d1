#include "cli/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "display/WorldReport.h"

namespace ax {
namespace {

// Texts whose heights differ by less than this share a line; the report's lines are at least
// one unit apart (scale units).
constexpr double kSameLine = 0.5;
// A text far off the 0..100 grid is placed at this column rather than after a sea of blanks.
constexpr long kLastColumn = 200;

void PlaceText(std::string& line, double x, const std::string& text) {
  const auto column = static_cast<std::size_t>(std::clamp(std::lround(x), 0L, kLastColumn));
  if (!line.empty()) line += ' ';
  if (line.size() < column) line.resize(column, ' ');
  line += text;
}

}  // namespace

std::vector<std::string> GroupReportLines(const RecordingCanvas& canvas) {
  std::vector<RecordingCanvas::Call> texts = canvas.CallsOf(RecordingCanvas::Kind::Text);
  std::erase_if(texts, [](const RecordingCanvas::Call& call) {
    return !std::isfinite(call.x1) || !std::isfinite(call.y1);
  });
  std::stable_sort(texts.begin(), texts.end(),
                   [](const auto& a, const auto& b) { return a.y1 < b.y1; });

  std::vector<std::string> lines;
  for (std::size_t first = 0; first < texts.size();) {
    std::size_t end = first + 1;
    while (end < texts.size() && texts[end].y1 - texts[first].y1 < kSameLine) ++end;
    std::stable_sort(texts.begin() + static_cast<std::ptrdiff_t>(first),
                     texts.begin() + static_cast<std::ptrdiff_t>(end),
                     [](const auto& a, const auto& b) { return a.x1 < b.x1; });
    std::string line;
    for (std::size_t i = first; i < end; ++i) PlaceText(line, texts[i].x1, texts[i].text);
    line.erase(line.find_last_not_of(' ') + 1);
    // A line with nothing to read is left out: blank lines mark the gaps between bodies.
    if (!line.empty()) lines.push_back(std::move(line));
    first = end;
  }

  std::size_t margin = std::string::npos;
  for (const std::string& line : lines) {
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent != std::string::npos) margin = std::min(margin, indent);
  }
  if (margin != std::string::npos) {
    for (std::string& line : lines) line.erase(0, std::min(margin, line.size()));
  }
  return lines;
}

void PrintWorldReports(World& world, std::ostream& out) {
  RecordingCanvas canvas;
  bool first = true;
  for (int s = world.StarCount == 2 ? 0 : 1; s <= world.StarCount && s < kStarSlots; ++s) {
    for (int o = 1; o <= world.OrbitCount[s]; ++o) {
      if (world.BodyClass(s, o, 0).empty()) continue;
      for (int b = 0; b <= world.MoonCount[s][o]; ++b) {
        world.CurrentStar = static_cast<std::int16_t>(s);
        world.CurrentOrbit = static_cast<std::int16_t>(o);
        world.CurrentBody = static_cast<std::int16_t>(b);
        canvas.Reset();
        WorldReport(world, canvas).ShowWorldReport();
        if (!first) out << '\n';
        first = false;
        for (const std::string& line : GroupReportLines(canvas)) out << line << '\n';
      }
    }
  }
}

}  // namespace ax
