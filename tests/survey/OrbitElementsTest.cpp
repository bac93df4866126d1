#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestDraws.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::Script;

// u = 0.3 then dice 4 and 5: |(9 - 6.5 - 0.15) / 2| = 1.175 degrees before any doubling.
const std::vector<float> kInclination = {0.3f, Die(4, 6), Die(5, 6)};
// Ascending node 90, argument of periastron 180, time of periastron 0.75.
const std::vector<float> kAngles = {0.25f, 0.5f, 0.75f};

class OrbitElementsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.StarCount = 1;
    w.StarMass[1] = 1;
    w.SystemAge = 10;  // doubling chance 35 - 10 = 25
    Select(1, 2, 0);
    w.BodyClass(1, 2, 0) = "T";
  }

  void Select(int star, int orbit, int body) {
    w.CurrentStar = static_cast<std::int16_t>(star);
    w.CurrentOrbit = static_cast<std::int16_t>(orbit);
    w.CurrentBody = static_cast<std::int16_t>(body);
  }
  // Places the selected body at this semi-major axis, runs the step on these draws and checks
  // that every draw was taken.
  void Make(double axis, std::vector<float> draws) {
    w.BodySemiMajorAxis(w.CurrentStar, w.CurrentOrbit, w.CurrentBody) = axis;
    random = Random::Scripted(std::move(draws));
    survey.MakeOrbitElements();
    EXPECT_EQ(random.ScriptLeft(), 0u);
  }
  template <typename T>
  T& Selected(BodyTable<T>& table) {
    return table(w.CurrentStar, w.CurrentOrbit, w.CurrentBody);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  Random random = Random::Scripted({});
  Survey survey{w, random};
};

TEST_F(OrbitElementsTest, WorldAroundOneStar) {
  w.StarMass[1] = 0.9;
  // u = 0.1: e = 0.005 and d = 1.5 / 0.81 skip the eccentricity doublings; the inclination
  // doubles on 25 and stops on 26.
  Make(1.5, Script({{0.1f}, kInclination, {D100(25), D100(26)}, kAngles}));
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriod), 16975.286006427108);  // sqrt(1.5^3 / 0.9) x 8766
  EXPECT_DOUBLE_EQ(Selected(w.BodyEccentricity), 0.1f / 20.0);
  EXPECT_DOUBLE_EQ(Selected(w.BodyInclination), 2 * (9 - 6.5 - 0.3f / 2.0) / 2);
  EXPECT_DOUBLE_EQ(Selected(w.BodyAscendingNode), 90.0);
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriastronArgument), 180.0);
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriastronTime), 0.75);
}

TEST_F(OrbitElementsTest, DoublingChanceFallsWithAge) {
  struct Row {
    const char* name;
    std::int16_t young;
    float age;
    std::vector<float> doublings;  // the inclination's rolls: the chance doubles, one above stops
    double inclination;
  };
  const Row rows[] = {
      {"young: 50", 1, 0.05f, {D100(50), D100(51)}, 2.35},
      {"age 10: 25", 0, 10, {D100(25), D100(26)}, 2.35},
      {"age 10.5: 24.5 rounds to 24", 0, 10.5f, {D100(24), D100(25)}, 2.35},
      {"age 9.5: 25.5 rounds to 26", 0, 9.5f, {D100(26), D100(27)}, 2.35},
      {"age 35: none, still one roll", 0, 35, {D100(1)}, 1.175},
      {"age 40: none, never below", 0, 40, {D100(1)}, 1.175},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    survey.YoungSystem = row.young;
    w.SystemAge = row.age;
    Make(1, Script({{0.1f}, kInclination, row.doublings, kAngles}));
    EXPECT_NEAR(Selected(w.BodyInclination), row.inclination, 1e-6);
  }
}

TEST_F(OrbitElementsTest, DistantOrbitsAreMoreEccentric) {
  struct Row {
    const char* name;
    double axis, starMass;
    std::vector<float> eccentricityDraws;
    std::vector<float> inclinationDoublings;
    double eccentricity, inclination;
  };
  // u = 0.5 gives e = 0.025; a further u = 0.5 multiplies it by 2.
  const Row rows[] = {
      {"d = 30: no stretch, chance 25", 30, 1, {0.5f, D100(26)}, {D100(26)}, 0.025, 1.175},
      {"d = 31: x (u + 1.5), chance 35",
       31,
       1,
       {0.5f, 0.5f, D100(35), D100(36)},
       {D100(36)},
       0.1,
       1.175},
      {"d = 31 rolls even for e <= 0.01", 31, 1, {0.05f, 0.5f, D100(36)}, {D100(36)}, 0.005, 1.175},
      {"d = 101: x 2, chance 45; e 0.2 doubles i",
       101,
       1,
       {0.5f, 0.5f, D100(45), D100(46)},
       {D100(46)},
       0.2,
       2.35},
      // 0.2 doubles to 0.4, then to 0.8, which is at the limit: no third roll. i x 4.
      {"d = 201: x 2, chance 55", 201, 1, {0.5f, 0.5f, D100(55), D100(55)}, {D100(56)}, 0.8, 4.7},
      {"e <= 0.01 and d <= 30 skip the rolls", 30, 1, {0.19f}, {D100(26)}, 0.0095, 1.175},
      {"d = 124 / 2^2 = 31", 124, 2, {0.05f, 0.5f, D100(36)}, {D100(36)}, 0.005, 1.175},
      {"d = 100 / 2^2 = 25", 100, 2, {0.19f}, {D100(26)}, 0.0095, 1.175},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    w.StarMass[1] = row.starMass;
    Make(row.axis,
         Script({row.eccentricityDraws, kInclination, row.inclinationDoublings, kAngles}));
    EXPECT_NEAR(Selected(w.BodyEccentricity), row.eccentricity, 1e-8);
    EXPECT_NEAR(Selected(w.BodyInclination), row.inclination, 1e-6);
    EXPECT_DOUBLE_EQ(Selected(w.BodyPeriod),
                     std::sqrt(std::pow(row.axis, 3) / row.starMass) * 8766);
  }
}

TEST_F(OrbitElementsTest, BeltsAreFourTimesAsEccentric) {
  w.BodyClass(1, 2, 0) = "I";
  // The belt world: e = 0.025 x 4 = 0.1 doubles once at chance 25; e 0.2 doubles i.
  Make(2, Script({{0.5f, D100(25), D100(26)}, kInclination, {D100(26)}, kAngles}));
  EXPECT_NEAR(Selected(w.BodyEccentricity), 0.2, 1e-8);
  EXPECT_NEAR(Selected(w.BodyInclination), 2.35, 1e-6);
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriod), 24793.992175525105);  // sqrt(2^3) x 8766

  // A large body of the belt at 250 AU circles the star: e = 0.0495 x 2.49 x 2 x 2 x 4 = 1.97,
  // already past the limit (no rolls), above 0.98 so replaced by 0.5 / 5 + 0.75; i x 4.
  Select(1, 2, 3);
  Make(250, Script({{0.99f, 0.99f}, {0.5f}, kInclination, {D100(56)}, kAngles}));
  EXPECT_NEAR(Selected(w.BodyEccentricity), 0.85, 1e-8);
  EXPECT_NEAR(Selected(w.BodyInclination), 4.7, 1e-6);
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriod), 34650657.461295016);  // sqrt(250^3) x 8766
}

TEST_F(OrbitElementsTest, InclinationAbove180IsReplaced) {
  // Doublings stop at 90, so in-range draws never pass 180; out-of-range die draws (RollDie(6)
  // of 8.0 is 49) force it: (98 - 6.5) / 2 x 4 = 183, replaced by 5 x 0.5 + 175.
  w.BodyClass(1, 2, 0) = "I";
  Select(1, 2, 3);
  Make(250, Script({{0.99f, 0.99f, 0.5f}, {0.0f, 8.0f, 8.0f}, {0.5f}, kAngles}));
  EXPECT_DOUBLE_EQ(Selected(w.BodyInclination), 177.5);
}

TEST_F(OrbitElementsTest, AroundThePairDrawOrder) {
  w.StarCount = 2;
  w.StarMass[0] = 1.5;
  w.StarSeparation = 1;
  w.BodyClass(0, 2, 0) = "T";
  Select(0, 2, 0);
  // NarrowFactor (0.95 x 1.05), then u: e = 1 x 0.9975 / 800 + 0.2 / 20 = 0.011247. No distance
  // stretch at 400 AU and the chance stays 25.
  Make(400,
       Script({{0.25f, 0.75f, 0.2f}, {D100(25), D100(26)}, kInclination, {D100(26)}, kAngles}));
  EXPECT_NEAR(Selected(w.BodyEccentricity), 2 * (0.9975 / 800 + 0.2f / 20.0), 1e-12);
  EXPECT_NEAR(Selected(w.BodyInclination), 1.175, 1e-6);
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriod), 57259272.22729956);  // sqrt(400^3 / 1.5) x 8766
}

TEST_F(OrbitElementsTest, MoonDrawOrder) {
  // A moon of the pair's slot takes the moon formulas, not the pair's.
  w.StarCount = 2;
  w.StarMass[0] = 1.5;
  w.StarSeparation = 1;
  w.BodyClass(0, 2, 0) = "T";
  w.BodyRadius(0, 2, 0) = 2;
  w.BodyMass(0, 2, 0) = 8;
  Select(0, 2, 1);
  // d = 40 world radii: chance 35, e = 0.025 x 2 = 0.05, doubled twice to 0.2; i doubled.
  Make(40,
       Script({{0.5f, 0.5f}, {D100(35), D100(35), D100(36)}, kInclination, {D100(36)}, kAngles}));
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriod), 356.09776275624085);  // sqrt(80^3 / 8) x 1.4076
  EXPECT_NEAR(Selected(w.BodyEccentricity), 0.2, 1e-8);
  EXPECT_NEAR(Selected(w.BodyInclination), 2.35, 1e-6);
  EXPECT_DOUBLE_EQ(Selected(w.BodyPeriastronTime), 0.75);
}

TEST_F(OrbitElementsTest, DegenerateOrbitsStayFinite) {
  // A moon of a world without mass has no period.
  Select(1, 2, 1);
  Make(10, Script({{0.1f}, kInclination, {D100(26)}, kAngles}));
  EXPECT_EQ(Selected(w.BodyPeriod), 0.0);
  // A body at the pair's centre counts as unbound: e is replaced, with no doubling rolls.
  w.StarCount = 2;
  w.StarMass[0] = 1.5;
  w.StarSeparation = 1;
  w.BodyClass(0, 2, 0) = "T";
  Select(0, 2, 0);
  Make(0, Script({{0.5f, 0.5f, 0.5f}, {0.5f}, kInclination, {D100(26)}, kAngles}));
  EXPECT_EQ(Selected(w.BodyPeriod), 0.0);
  EXPECT_DOUBLE_EQ(Selected(w.BodyEccentricity), 0.85);
  EXPECT_NEAR(Selected(w.BodyInclination), 4.7, 1e-6);
}

}  // namespace
}  // namespace ax
