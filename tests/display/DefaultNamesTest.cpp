#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "display/DefaultNames.h"
#include "model/World.h"

namespace ax {
namespace {

class DefaultNamesTest : public testing::Test {
 protected:
  // A single star named Sol with worlds on orbits 1..count.
  void SingleStar(int count) {
    world->StarCount = 1;
    world->SystemName = "Sol";
    world->OrbitCount[1] = static_cast<std::int16_t>(count);
    for (int o = 1; o <= count; ++o) world->BodyClass(1, o, 0) = "T";
  }

  const std::string& NameOf(int star, int orbit, int body) {
    world->CurrentStar = static_cast<std::int16_t>(star);
    world->CurrentOrbit = static_cast<std::int16_t>(orbit);
    world->CurrentBody = static_cast<std::int16_t>(body);
    MakeDefaultName(*world);
    return world->BodyName(star, orbit, body);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
};

TEST_F(DefaultNamesTest, WorldsOfASingleStarTakeABlankAndTheirNumeral) {
  SingleStar(15);
  // System name, the single star's blank, the numeral with its own trailing blank.
  EXPECT_EQ(NameOf(1, 1, 0), "Sol I ");
  EXPECT_EQ(NameOf(1, 3, 0), "Sol III ");
  EXPECT_EQ(NameOf(1, 4, 0), "Sol IV ");
  EXPECT_EQ(NameOf(1, 9, 0), "Sol IX ");
  EXPECT_EQ(NameOf(1, 14, 0), "Sol XIV ");
  EXPECT_EQ(NameOf(1, 15, 0), "Sol XV ");
}

TEST_F(DefaultNamesTest, MoonsAddTheirNumberWithItsSignBlank) {
  SingleStar(3);
  world->MoonCount[1][3] = 12;
  // "Sol III " then " 2": two blanks between the numeral and the moon's number.
  EXPECT_EQ(NameOf(1, 3, 2), "Sol III  2");
  EXPECT_EQ(NameOf(1, 3, 12), "Sol III  12");
}

TEST_F(DefaultNamesTest, StarsOfAPairTakeTheirLetters) {
  world->StarCount = 2;
  world->SystemName = "Sol";
  for (int s = 0; s <= 2; ++s) {
    world->OrbitCount[static_cast<std::size_t>(s)] = 2;
    world->BodyClass(s, 1, 0) = "T";
    world->BodyClass(s, 2, 0) = "J";
  }
  EXPECT_EQ(NameOf(1, 1, 0), "SolA I ");
  EXPECT_EQ(NameOf(2, 2, 0), "SolB II ");
  EXPECT_EQ(NameOf(0, 1, 0), "SolO I ");
  EXPECT_EQ(NameOf(2, 2, 1), "SolB II  1");
}

TEST_F(DefaultNamesTest, NumberingSkipsEmptyOrbits) {
  SingleStar(5);
  world->BodyClass(1, 2, 0) = "";
  world->BodyClass(1, 4, 0) = "";
  // Orbits 1, 3 and 5 hold worlds: the fifth orbit is the third world.
  EXPECT_EQ(NameOf(1, 5, 0), "Sol III ");
  EXPECT_EQ(NameOf(1, 3, 0), "Sol II ");
}

TEST_F(DefaultNamesTest, AnUnnamedSystemIsNamedStarAndKeepsIt) {
  SingleStar(2);
  world->SystemName = "";
  EXPECT_EQ(NameOf(1, 2, 0), "Star II ");
  EXPECT_EQ(world->SystemName, "Star");
  // The text "Star" is itself an unnamed system's name and is used as it stands.
  EXPECT_EQ(NameOf(1, 1, 0), "Star I ");
  EXPECT_EQ(world->SystemName, "Star");
}

TEST_F(DefaultNamesTest, ReplacesOnlyTheSelectedBodyAndKeepsTheSelection) {
  SingleStar(3);
  world->BodyName(1, 1, 0) = "Hermes";
  EXPECT_EQ(NameOf(1, 2, 0), "Sol II ");
  EXPECT_EQ(world->BodyName(1, 1, 0), "Hermes");
  EXPECT_EQ(world->BodyName(1, 3, 0), "");
  EXPECT_EQ(world->CurrentStar, 1);
  EXPECT_EQ(world->CurrentOrbit, 2);
  EXPECT_EQ(world->CurrentBody, 0);
}

TEST_F(DefaultNamesTest, TheStarsOwnSlotHasNoNumeral) {
  SingleStar(1);
  // Orbit 0 is no place among the worlds: the name is the system's and the star's letter.
  EXPECT_EQ(NameOf(1, 0, 0), "Sol ");
}

TEST_F(DefaultNamesTest, ASelectionOutsideTheTablesIsRefused) {
  SingleStar(1);
  world->CurrentStar = 1;
  world->CurrentOrbit = 16;
  world->CurrentBody = 0;
  EXPECT_THROW(MakeDefaultName(*world), std::out_of_range);
}

}  // namespace
}  // namespace ax
