#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "model/World.h"

namespace ax {
namespace {

// Writes a non-cleared value into every body table at one slot; counts those still set.
void FillSlot(World& world, int s, int o, int b) {
  ForEachBodyTable(world, [&](const char*, auto& table) {
    using T = std::remove_reference_t<decltype(table(s, o, b))>;
    if constexpr (std::is_same_v<T, std::string>) {
      table(s, o, b) = "x";
    } else {
      table(s, o, b) = T{7};
    }
  });
}
int FilledTables(const World& world, int s, int o, int b) {
  int filled = 0;
  ForEachBodyTable(world, [&](const char*, const auto& table) {
    using T = std::remove_cvref_t<decltype(table(s, o, b))>;
    filled += table(s, o, b) != T{} ? 1 : 0;
  });
  return filled;
}

TEST(ClearSystemTest, ClearsEverySlotWithinTheCountsAndKeepsTheStars) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->StarMass[1] = 1.2;
  world->SystemName = "Tau";
  world->SystemFilePath = "tau.ax2";
  world->SystemSaved = 1;
  world->OrbitCount[1] = 3;
  world->MoonCount[1][2] = 4;
  world->StarSurveyOrbit[1] = 2;
  // Each star's own slot, two worlds, and the last moon: reached only if the bound is taken
  // before the moon count is zeroed.
  const int slots[][3] = {{0, 0, 0}, {2, 0, 0}, {1, 0, 0}, {1, 2, 0}, {1, 2, 4}, {1, 3, 0}};
  for (const auto& [s, o, b] : slots) FillSlot(*world, s, o, b);
  world->CurrentOrbit = 5;
  ClearSystem(*world);
  for (const auto& [s, o, b] : slots) EXPECT_EQ(FilledTables(*world, s, o, b), 0) << s << o << b;
  EXPECT_EQ(world->MoonCount[1][2], 0);
  EXPECT_EQ(world->OrbitCount[1], 0);
  EXPECT_EQ(world->CurrentOrbit, 0);
  EXPECT_TRUE(world->SystemFilePath.empty());
  EXPECT_EQ(world->SystemSaved, 0);
  // The stars and the system's own values belong to ClearStars.
  EXPECT_EQ(world->StarCount, 1);
  EXPECT_EQ(world->StarMass[1], 1.2);
  EXPECT_EQ(world->SystemName, "Tau");
}

TEST(ClearStarsTest, EmptiesThePairsStarsAndTheValuesThatTravelWithThem) {
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  for (int s = 0; s < kStarSlots; ++s) {
    world->StarMass[s] = 1;
    world->StarType[s] = "G 2 V  ";
  }
  world->StarSeparation = 5;
  world->SystemName = "Tau";
  world->OrbitCount[1] = 4;  // a body table value: not a star table
  ClearStars(*world);
  for (int s = 0; s < kStarSlots; ++s) {
    EXPECT_TRUE(world->StarMass[s] == 0 && world->StarType[s].empty()) << s;
  }
  EXPECT_EQ(world->StarCount, 0);
  EXPECT_EQ(world->StarSeparation, 0.0);
  EXPECT_TRUE(world->SystemName.empty());
  EXPECT_EQ(world->OrbitCount[1], 4);
  // With no stars it does nothing at all.
  world->SystemName = "Kept";
  ClearStars(*world);
  EXPECT_EQ(world->SystemName, "Kept");
}

}  // namespace
}  // namespace ax
