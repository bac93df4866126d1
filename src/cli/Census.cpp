#include "cli/Census.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

namespace ax {

void Census::Add(const World& world) {
  ++systems;
  pairs += world.StarCount == 2 ? 1 : 0;
  for (int s = 0; s < kStarSlots; ++s) {
    for (int o = 1; o <= world.OrbitCount[s]; ++o) {
      const std::string& worldClass = world.BodyClass(s, o, 0);
      if (worldClass.empty()) continue;
      const bool belt = IsBelt(worldClass);
      ++worlds;
      (belt ? beltBodies : moons) += world.MoonCount[s][o];
      for (int b = 0; b <= world.MoonCount[s][o]; ++b) {
        const std::string& bodyClass = world.BodyClass(s, o, b);
        if (bodyClass.empty()) continue;
        ++classes[bodyClass];
        livingBodies += world.BodyLifeComplexity(s, o, b) > 0 ? 1 : 0;
      }
    }
  }
}

void Census::Print(std::ostream& out) const {
  const auto perSystem = [this](long count) {
    return systems > 0 ? static_cast<double>(count) / static_cast<double>(systems) : 0.0;
  };
  fmt::print(out, "{} systems, {} pairs ({:.1f} %)\n", systems, pairs, 100 * perSystem(pairs));
  fmt::print(out, "{} worlds, {} moons, {} belt bodies\n", worlds, moons, beltBodies);
  fmt::print(out, "{} bodies with life ({:.2f} per system)\n", livingBodies,
             perSystem(livingBodies));
  fmt::print(out, "{} civilizations ({:.2f} % of systems)\n", civilizations,
             100 * perSystem(civilizations));
  fmt::print(out, "bodies by class:");
  for (const auto& [code, count] : classes) fmt::print(out, " {} {}", code, count);
  fmt::print(out, "\n");
}

}  // namespace ax
