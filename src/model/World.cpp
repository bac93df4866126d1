#include "model/World.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace ax {

void ThrowIndexOutOfRange(int star, int orbit, int body) {
  throw std::out_of_range("body index [" + std::to_string(star) + "][" + std::to_string(orbit) +
                          "][" + std::to_string(body) + "] is outside [3][16][21]");
}

double TaggedValue(const TaggedNumber& number) {
  return std::visit([](auto value) { return static_cast<double>(value); }, number);
}

void ClearBody(World& world, int star, int orbit, int body) {
  ForEachBodyTable(world, [&](const char*, auto& table) {
    auto& cell = table(star, orbit, body);
    // A jump clears every body of the last system: clear() is a store, where assigning an
    // empty text goes through the general replace.
    if constexpr (std::is_same_v<std::remove_reference_t<decltype(cell)>, std::string>) {
      cell.clear();
    } else {
      cell = {};
    }
  });
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
        ClearBody(world, star, orbit, body);
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

void ClearStars(World& world) {
  if (world.StarCount <= 0) {
    return;
  }
  const int first = world.StarCount == 1 ? 1 : 0;
  const int last = std::min<int>(world.StarCount, kStarSlots - 1);
  for (int s = first; s <= last; ++s) {
    world.StarMass[s] = 0;
    world.StarTemperature[s] = 0;
    world.StarLuminosity[s] = 0;
    world.StarAngle[s] = 0;
    world.StarType[s].clear();
  }
  world.StarCount = 0;
  world.SystemAge = 0;
  world.StarSeparation = 0;
  world.StarPeriod = 0;
  world.SystemName.clear();
  world.SystemNote.clear();
  world.SystemX = std::int16_t{0};
  world.SystemY = std::int16_t{0};
  world.SystemZ = 0;
  world.SystemVectorX = std::int16_t{0};
  world.SystemVectorY = std::int16_t{0};
  world.SystemVectorZ = 0;
}

}  // namespace ax
