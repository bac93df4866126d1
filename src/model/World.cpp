#include "model/World.h"

#include <stdexcept>
#include <string>

namespace ax {

void ThrowIndexOutOfRange(int star, int orbit, int body) {
  throw std::out_of_range("body index [" + std::to_string(star) + "][" + std::to_string(orbit) +
                          "][" + std::to_string(body) + "] is outside [3][16][21]");
}

double TaggedValue(const TaggedNumber& number) {
  return std::visit([](auto value) { return static_cast<double>(value); }, number);
}

void ClearSystem(World& world) {
  world.SystemFilePath.clear();
  world.SystemSaved = 0;
  for (world.CurrentStar = 0; world.CurrentStar < kStarSlots; ++world.CurrentStar) {
    const int star = world.CurrentStar;
    for (world.CurrentOrbit = 0; world.CurrentOrbit <= world.OrbitCount[star];
         ++world.CurrentOrbit) {
      const int orbit = world.CurrentOrbit;
      // The bound is taken before the pass: zeroing MoonCount inside it must not shorten it.
      const int lastBody = world.MoonCount[star][orbit];
      for (world.CurrentBody = 0; world.CurrentBody <= lastBody; ++world.CurrentBody) {
        const int body = world.CurrentBody;
        ForEachBodyTable(world, [&](const char*, auto& table) { table(star, orbit, body) = {}; });
        world.MoonCount[star][orbit] = 0;
      }
    }
    world.StarOffset[star] = 0;
    world.OrbitCount[star] = 0;
    world.StarSurveyOrbit[star] = 0;
  }
  world.CurrentStar = 0;
  world.CurrentOrbit = 0;
  world.CurrentBody = 0;
}

}  // namespace ax
