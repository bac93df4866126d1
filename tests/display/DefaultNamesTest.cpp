#include "display/DefaultNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>

#include "model/World.h"

namespace ax {
namespace {

// A world on each orbit but orbit 2: a single star's blank, the numeral with its own trailing
// blank, a moon's number with the blank of its sign; the empty orbit is not counted.
TEST(DefaultNamesTest, SystemNameStarLetterNumeralAndMoonNumber) {
  auto world = std::make_unique<World>();
  World& w = *world;
  w.SystemName = "Sol";
  for (int s = 0; s <= 2; ++s) {
    w.OrbitCount[static_cast<std::size_t>(s)] = 15;
    w.MoonCount[static_cast<std::size_t>(s)][15] = 12;
    for (int o = 1; o <= 15; ++o) w.BodyClass(s, o, 0) = o == 2 ? "" : "T";
  }
  const struct {
    int stars, star, orbit, body;
    const char* name;
  } rows[] = {{1, 1, 1, 0, "Sol I "},        {1, 1, 4, 0, "Sol III "}, {1, 1, 10, 0, "Sol IX "},
              {1, 1, 15, 12, "Sol XIV  12"}, {1, 1, 0, 0, "Sol "},     {2, 1, 1, 0, "SolA I "},
              {2, 0, 3, 0, "SolO II "},      {2, 2, 5, 0, "SolB IV "}};
  for (const auto& row : rows) {
    w.StarCount = static_cast<std::int16_t>(row.stars);
    w.CurrentStar = static_cast<std::int16_t>(row.star);
    w.CurrentOrbit = static_cast<std::int16_t>(row.orbit);
    w.CurrentBody = static_cast<std::int16_t>(row.body);
    MakeDefaultName(w);
    EXPECT_EQ(w.BodyName(row.star, row.orbit, row.body), row.name) << row.name;
  }
  EXPECT_EQ(w.BodyName(1, 3, 0), "");  // only the selected body is named
  w.SystemName = "";                   // an unnamed system is named "Star", and keeps that name
  MakeDefaultName(w);
  EXPECT_EQ(w.BodyName(2, 5, 0) + w.SystemName, "StarB IV Star");
  w.CurrentOrbit = 16;
  EXPECT_THROW(MakeDefaultName(w), std::out_of_range);
}

}  // namespace
}  // namespace ax
