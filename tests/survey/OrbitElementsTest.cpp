#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SurveyRig.h"
#include "model/Numbers.h"

namespace ax::test {
namespace {

TEST(OrbitElementsTest, EccentricityInclinationAnglesAndPeriod) {
  // Period sqrt(a^3 / M) x 8766 hours round a star, sqrt((R a)^3 / m) x 1.4076 round a world.
  // Eccentricity u / 20 (round a pair the pair's pull S x NarrowFactor / 2a + u / 20), x (u + 1.5)
  // beyond 30 AU per solar mass squared (30 world radii), x 2 beyond 100 and 200, x 4 in a belt;
  // doubled on each d100 within the chance 35 - age (50 when young, + 10 beyond each of 30, 100,
  // 200) below 0.45 unless it is at most 0.01 and near; above 0.98 u / 5 + 0.75. Inclination
  // |2d6 - 6.5 - u / 2| / 2 (here 1.175), x 2 above e 0.1 and 0.25, doubled likewise below 90,
  // above 180 5u + 175. Node and periastron 360u, periastron time u (here 90, 180, 0.75).
  struct Row {
    const char* name;
    Change change;
    double axis;
    std::vector<float> eccentricity, inclination;  // draws, before and after kInclination
    double e, i, period;
  };
  const auto star = [](double mass) { return [mass](Rig& r) { r.w.StarMass[1] = mass; }; };
  const auto age = [](float years) { return [years](Rig& r) { r.w.SystemAge = years; }; };
  const auto pair = [](Rig& r) {
    r.w.StarCount = 2;
    r.w.StarMass[0] = 1.5;
    r.w.StarSeparation = 1;
    r.w.BodyClass(0, 2, 0) = "T";
    r.Select(0, 2);
  };
  const auto belt = [](Rig& r) { r.w.BodyClass(1, 2, 0) = "I"; };
  const auto young = [](Rig& r) { r.survey.YoungSystem = 1; };
  const auto kepler = [](double a, double mass) { return std::sqrt(Cube(a) / mass) * 8766; };
  // clang-format off
  const Row rows[] = {
      {"one star", star(0.9), 1.5, {0.1f}, {D100(25), D100(26)}, 0.005, 2.35, 16975.286006427108},
      {"young: chance 50", young, 1, {0.1f}, {D100(50), D100(51)}, 0.005, 2.35, 8766},
      {"10.5: 24.5 rounds to 24", age(10.5f), 1, {0.1f}, {D100(24), D100(25)}, 0.005, 2.35, 8766},
      {"31 AU: x 2, chance 35", star(1), 31, {0.5f, 0.5f, D100(35), D100(36)}, {D100(36)}, 0.1,
       1.175, kepler(31, 1)},
      {"belt: 0.025 x 4 doubled", belt, 2, {0.5f, D100(25), D100(26)}, {D100(26)}, 0.2, 2.35,
       kepler(2, 1)},
      // 1 x 0.9975 / 800 + 0.2 / 20, doubled once; no distance stretch round a pair.
      {"round a pair", pair, 400, {0.25f, 0.75f, 0.2f, D100(25), D100(26)}, {D100(26)},
       2 * (0.9975 / 800 + 0.2f / 20.0), 1.175, std::sqrt(Cube(400) / 1.5) * 8766},
      // At the pair's centre a body counts as unbound: e replaced without doubling rolls.
      {"at the pair's centre", pair, 0, {0.5f, 0.5f, 0.5f, 0.5f}, {D100(26)}, 0.85, 4.7, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.SystemAge = 10;
    rig.Select(1, 2);
    rig.At(rig.w.BodyClass) = "T";
    row.change(rig);
    rig.At(rig.w.BodySemiMajorAxis) = row.axis;
    rig.Draws(Script(
        {row.eccentricity, {0.3f, Die(4, 6), Die(5, 6)}, row.inclination, {0.25f, 0.5f, 0.75f}}));
    rig.survey.MakeOrbitElements();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_NEAR(rig.At(rig.w.BodyEccentricity), row.e, 1e-8);
    EXPECT_NEAR(rig.At(rig.w.BodyInclination), row.i, 1e-6);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyPeriod), row.period);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyAscendingNode), 90.0);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyPeriastronArgument), 180.0);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyPeriastronTime), 0.75);
  }
}

}  // namespace
}  // namespace ax::test
