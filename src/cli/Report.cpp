#include "cli/Report.h"

#include <cstdint>

#include "display/WorldReport.h"

namespace ax {
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
        for (const std::string& line : ReportLines(canvas)) {
          // Lines with nothing to read are left out: blank lines mark the gaps between bodies.
          if (line.find_first_not_of(' ') != std::string::npos) out << line << '\n';
        }
      }
    }
  }
}

}  // namespace ax
