#include "display/DefaultNames.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>

#include "model/World.h"

namespace ax {
namespace {

struct Row {
  int star, orbit, body;
  const char* name;
};

// A star named Sol with a world on each of orbits 1..15 of star slots 0..2.
class DefaultNamesTest : public testing::Test {
 protected:
  void SetUp() override {
    w.StarCount = 1;
    w.SystemName = "Sol";
    for (int s = 0; s <= 2; ++s) {
      w.OrbitCount[static_cast<std::size_t>(s)] = 15;
      w.MoonCount[static_cast<std::size_t>(s)][3] = 12;
      for (int o = 1; o <= 15; ++o) w.BodyClass(s, o, 0) = "T";
    }
  }
  void ExpectNames(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
      w.CurrentStar = static_cast<std::int16_t>(row.star);
      w.CurrentOrbit = static_cast<std::int16_t>(row.orbit);
      w.CurrentBody = static_cast<std::int16_t>(row.body);
      MakeDefaultName(w);
      EXPECT_EQ(w.BodyName(row.star, row.orbit, row.body), row.name) << row.orbit;
      EXPECT_EQ(w.CurrentOrbit, row.orbit);
    }
  }
  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
};

TEST_F(DefaultNamesTest, SystemNameStarLetterNumeralAndMoonNumber) {
  // A single star's blank, the numeral with its own trailing blank, and a moon's number with
  // the blank of its sign; orbit 0 is no place among the worlds.
  ExpectNames({{1, 1, 0, "Sol I "},
               {1, 3, 0, "Sol III "},
               {1, 4, 0, "Sol IV "},
               {1, 9, 0, "Sol IX "},
               {1, 14, 0, "Sol XIV "},
               {1, 15, 0, "Sol XV "},
               {1, 3, 2, "Sol III  2"},
               {1, 3, 12, "Sol III  12"},
               {1, 0, 0, "Sol "}});
  EXPECT_EQ(w.BodyName(1, 2, 0), "");  // only the selected body is named

  // Empty orbits are not counted: orbits 1, 3 and 5 hold the first three worlds.
  w.BodyClass(1, 2, 0) = "";
  w.BodyClass(1, 4, 0) = "";
  ExpectNames({{1, 5, 0, "Sol III "}, {1, 3, 0, "Sol II "}});

  w.StarCount = 2;
  ExpectNames({{1, 1, 0, "SolA I "},
               {2, 2, 0, "SolB II "},
               {0, 1, 0, "SolO I "},
               {2, 3, 1, "SolB III  1"}});

  // An unnamed system is named "Star", and keeps that name.
  w.StarCount = 1;
  w.SystemName = "";
  ExpectNames({{1, 3, 0, "Star II "}, {1, 1, 0, "Star I "}});
  EXPECT_EQ(w.SystemName, "Star");

  w.CurrentOrbit = 16;
  EXPECT_THROW(MakeDefaultName(w), std::out_of_range);
}

}  // namespace
}  // namespace ax
