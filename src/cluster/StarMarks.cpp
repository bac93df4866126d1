#include "cluster/StarMarks.h"

#include <algorithm>

namespace ax {

AtlasFilter MarkFilter(StarMark mark) {
  AtlasFilter filter;
  switch (mark) {
    case StarMark::Life: filter.LeastLife = 1; break;  // 1 is anaerobic life: any life at all
    case StarMark::Civilizations: filter.Civilization = true; break;
    case StarMark::Habitable: filter.Habitable = true; break;
    case StarMark::None: break;
  }
  return filter;
}

Colour MarkColour(StarMark mark) {
  switch (mark) {
    case StarMark::Life: return {40, 220, 40};            // green
    case StarMark::Civilizations: return {255, 190, 60};  // gold
    case StarMark::Habitable: return {80, 255, 200};      // aquamarine
    case StarMark::None: break;
  }
  return {};
}

std::string MarkLegend(StarMark mark, std::int64_t stars) {
  const char* name = mark == StarMark::Life            ? "Life"
                     : mark == StarMark::Civilizations ? "Civilizations"
                                                       : "Habitable";
  return std::string(name) + ": " + std::to_string(stars) + (stars == 1 ? " star" : " stars");
}

StarMarks::StarMarks(const std::vector<AtlasRow>& rows) {
  std::int32_t last = 0;
  for (const AtlasRow& row : rows) last = std::max(last, row.Record);
  flags_.assign(static_cast<std::size_t>(last) + 1, 0);
  for (const AtlasRow& row : rows) {
    if (row.Record < 0) continue;
    for (const StarMark mark : {StarMark::Life, StarMark::Civilizations, StarMark::Habitable}) {
      if (MarkFilter(mark).Matches(row)) flags_[static_cast<std::size_t>(row.Record)] |= Bit(mark);
    }
  }
}

}  // namespace ax
