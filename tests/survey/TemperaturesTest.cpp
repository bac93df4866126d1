#include <gtest/gtest.h>

#include <algorithm>
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

using test::Die;

// Expected values come from an independent float64 model of the same steps, with float32
// rounding wherever a table or value is 32-bit.
class TemperaturesTest : public ::testing::Test {
 protected:
  // Earth around a Sun-like single star, selected at [1][3][0].
  void SetUp() override {
    w.StarCount = 1;
    w.StarLuminosity[1] = 1;
    w.StarMass[1] = 1;
    w.StarType[1] = "G 2 V  ";
    w.SystemAge = 4.6f;
    Select(1, 3, 0);
    w.BodyClass(1, 3, 0) = "T";
    w.BodySemiMajorAxis(1, 3, 0) = 1;
    w.BodyEccentricity(1, 3, 0) = 0.017;
    w.BodyPeriod(1, 3, 0) = 8766;
    w.BodyMass(1, 3, 0) = 1;
    w.BodyRadius(1, 3, 0) = 1;
    w.BodyAlbedo(1, 3, 0) = 0.3f;
    w.BodyObliquity(1, 3, 0) = 23.5f;
    w.BodyDayLength(1, 3, 0) = 24;
    w.BodyPressure(1, 3, 0) = 1;
    w.BodyWaterCover(1, 3, 0) = 0.7f;
    w.BodyVolcanism(1, 3, 0) = 1;
  }

  void Select(int star, int orbit, int body) {
    w.CurrentStar = static_cast<std::int16_t>(star);
    w.CurrentOrbit = static_cast<std::int16_t>(orbit);
    w.CurrentBody = static_cast<std::int16_t>(body);
  }
  template <typename T>
  T& Selected(BodyTable<T>& table) {
    return table(w.CurrentStar, w.CurrentOrbit, w.CurrentBody);
  }
  void Compute(std::vector<float> draws = {}) {
    random = Random::Scripted(std::move(draws));
    survey.ComputeTemperatures();
  }
  void ExpectTemperatures(int high, int low) {
    EXPECT_EQ(Selected(w.BodyTempHigh), high);
    EXPECT_EQ(Selected(w.BodyTempLow), low);
    EXPECT_EQ(random.ScriptLeft(), 0u);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  Random random = Random::Scripted({});
  Survey survey{w, random};
};

TEST_F(TemperaturesTest, EarthLikeWorld) {
  // X = 0.3987; EqT 269.36 and 239.38; F = 1 (0.953 raised); greenhouse x 1.1892 gives 320.33
  // and 284.67; +10 -20, water 0.7 leaves them, volcanism +3 each: 333.33 and 267.67.
  Compute();
  ExpectTemperatures(333, 268);
  EXPECT_EQ(survey.DayNightFactor, 1.0f);
  EXPECT_EQ(w.BodyAlbedo(1, 3, 0), 0.3f);
}

TEST_F(TemperaturesTest, DayNightFactorBounds) {
  struct Row {
    const char* name;
    float day;
    double period;
    float dayNight;
    int high, low;
  };
  const Row rows[] = {
      {"32 hours or less", 32, 8766, 1.0f, 333, 268},
      // (64/32)^(1/6) = 1.12246, inside (1, 2) so raised by albedo/10
      {"64 hours", 64, 8766, 1.1524620f, 382, 224},
      {"2048 hours gives 2, not raised", 2048, 8766, 2.0f, 654, 10},
      {"beyond 2048", 4000, 8766, 2.0f, 654, 10},
      {"a year long", 8766, 8766, 2.0f, 654, 10},
      {"retrograde, a year long", -8766, 8766, 2.0f, 654, 10},
      // (100/32)^(1/6) = 1.209 would be raised, but a face locked to the star gives 2
      {"locked at 100 hours", 100, 100, 2.0f, 654, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    w.BodyDayLength(1, 3, 0) = row.day;
    w.BodyPeriod(1, 3, 0) = row.period;
    Compute();
    EXPECT_EQ(survey.DayNightFactor, row.dayNight);
    ExpectTemperatures(row.high, row.low);
  }
}

TEST_F(TemperaturesTest, LockedFaceCountsOnlyForBodiesCirclingAStar) {
  // Body 1 of a rocky world is a moon: its locked face keeps (100/32)^(1/6) + 0.3/10.
  Select(1, 3, 1);
  for (auto* table : {&w.BodyAlbedo, &w.BodyObliquity, &w.BodyPressure, &w.BodyWaterCover,
                      &w.BodyVolcanism, &w.BodyRadius}) {
    (*table)(1, 3, 1) = (*table)(1, 3, 0);
  }
  w.BodyDayLength(1, 3, 1) = 100;
  w.BodyPeriod(1, 3, 1) = 100;
  Compute();
  EXPECT_EQ(survey.DayNightFactor, 1.2391356f);
  ExpectTemperatures(410, 200);
  // The same body in a belt circles the star: F = 2.
  w.BodyClass(1, 3, 0) = "P";
  Compute();
  EXPECT_EQ(survey.DayNightFactor, 2.0f);
  ExpectTemperatures(654, 10);
}

TEST_F(TemperaturesTest, PressureThresholds) {
  struct Row {
    float pressure;
    int high, low;
  };
  // A 200-hour day: F = 1.38721. Below 1.5 bars both sides are spread by F; above 2 bars
  // -10/+10; above 10 bars a third of the spread closes.
  const Row rows[] = {
      {1.49f, 494, 172},  // spread by F
      {1.5f, 360, 291},   // not spread
      {2, 381, 310},      // no -10/+10
      {2.5f, 390, 337},   // -10/+10
      {10, 537, 468},     // no third
      {10.5f, 520, 497},  // third of the spread
  };
  w.BodyDayLength(1, 3, 0) = 200;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pressure);
    w.BodyPressure(1, 3, 0) = row.pressure;
    Compute();
    ExpectTemperatures(row.high, row.low);
  }
}

TEST_F(TemperaturesTest, MissingAlbedoIsRepairedAndKept) {
  w.BodyAlbedo(1, 3, 0) = 0;
  Compute();
  EXPECT_EQ(w.BodyAlbedo(1, 3, 0), 0.15f);
  ExpectTemperatures(349, 282);  // Earth with albedo 0.15
  // A giant gets 0.5, F = 1, no greenhouse.
  w.BodyClass(1, 3, 0) = "J";
  w.BodyAlbedo(1, 3, 0) = 0;
  w.BodyMass(1, 3, 0) = 300;
  w.BodyRadius(1, 3, 0) = 11;
  w.BodyDayLength(1, 3, 0) = 1000;
  Compute();
  EXPECT_EQ(w.BodyAlbedo(1, 3, 0), 0.5f);
  EXPECT_EQ(survey.DayNightFactor, 1.0f);
  ExpectTemperatures(264, 208);  // 72 (300^1.7 / 121)^0.25 = 360 K of internal heat
}

TEST_F(TemperaturesTest, MoonOfAGiantGainsParentLightAndOwnHeat) {
  // A 300-mass world of radius 11 and 150 K at 5.2 AU (e 0.05); the moon at 20 world radii.
  w.BodyClass(1, 3, 0) = "J";
  w.BodyMass(1, 3, 0) = 300;
  w.BodyRadius(1, 3, 0) = 11;
  w.BodyTempHigh(1, 3, 0) = 150;
  w.BodySemiMajorAxis(1, 3, 0) = 5.2;
  w.BodyEccentricity(1, 3, 0) = 0.05;
  Select(1, 3, 1);
  w.BodyClass(1, 3, 1) = "T";
  w.BodySemiMajorAxis(1, 3, 1) = 20;
  w.BodyMass(1, 3, 1) = 30;
  w.BodyRadius(1, 3, 1) = 2.5f;
  w.BodyAlbedo(1, 3, 1) = 0.3f;
  w.BodyObliquity(1, 3, 1) = 10;
  w.BodyDayLength(1, 3, 1) = 40;
  w.BodyPeriod(1, 3, 1) = 200;
  // Parent light Tm = 21.527 K; own heat 36 (30^1.2 / 6.25)^0.25 = 63.164 K. The cold side is
  // formed from the new hot side, so it ends close to it.
  Compute();
  ExpectTemperatures(152, 92);
  // A moon locked to its world keeps its cold side; its F stays (200/32)^(1/6) + 0.03.
  w.BodyDayLength(1, 3, 1) = 200;
  Compute();
  EXPECT_EQ(survey.DayNightFactor, 1.3872088f);
  ExpectTemperatures(189, 41);
  // A parent of exactly 20 masses gives no light of its own.
  w.BodyDayLength(1, 3, 1) = 40;
  w.BodyMass(1, 3, 0) = 20;
  Compute();
  ExpectTemperatures(152, 68);
  // Nor does a moon of exactly 20 masses have heat of its own; 20.5 has 36 (20.5^1.2 / 6.25)^0.25.
  w.BodyMass(1, 3, 1) = 20;
  Compute();
  ExpectTemperatures(150, 65);
  w.BodyMass(1, 3, 1) = 20.5;
  Compute();
  ExpectTemperatures(151, 67);
}

TEST_F(TemperaturesTest, EarlyLuminosityLeavesTheStarAsItWas) {
  // L / (1^3 x 4.6 / 20 + 0.75) = 1.0204082; F = 1 despite the 200-hour day.
  w.BodyDayLength(1, 3, 0) = 200;
  survey.TempMode = 1;
  Compute();
  EXPECT_EQ(survey.DayNightFactor, 1.0f);
  ExpectTemperatures(335, 269);
  EXPECT_EQ(w.StarLuminosity[1], 1.0f);

  // A white dwarf: 0.75 x 1.8^4 x NarrowFactor (0.95 x 1.05) = 7.853517, world at 3 AU.
  w.StarType[1] = "D 5 D  ";
  w.StarLuminosity[1] = 0.0012345f;
  survey.OrbitScale[1] = 1.8;
  w.BodySemiMajorAxis(1, 3, 0) = 3;
  w.BodyDayLength(1, 3, 0) = 24;
  Compute({0.25f, 0.75f});
  ExpectTemperatures(323, 258);
  EXPECT_EQ(w.StarLuminosity[1], 0.0012345f);
}

TEST_F(TemperaturesTest, PairsOfStars) {
  // Earth around star 1 of a pair 3 AU apart, partner of luminosity 2: the partner adds
  // EqT(2, 0.3, 3 - 1) = 214.60 K to the hot side and EqT(2, 0.3, 1 + 3) = 151.74 K to the cold.
  w.StarCount = 2;
  w.StarLuminosity[2] = 2;
  w.StarSeparation = 3;
  survey.PartnerStar = 2;
  Compute();
  ExpectTemperatures(362, 279);

  // Around the pair: L0 = 1.5 from offsets 0.2 and 0.3, at 2.5 AU.
  w.StarLuminosity[0] = 1.5f;
  w.StarOffset[1] = 0.2f;
  w.StarOffset[2] = 0.3f;
  for (auto* table : {&w.BodyAlbedo, &w.BodyObliquity, &w.BodyPressure, &w.BodyWaterCover,
                      &w.BodyVolcanism, &w.BodyDayLength, &w.BodyRadius}) {
    (*table)(0, 3, 0) = (*table)(1, 3, 0);
  }
  w.BodyClass(0, 3, 0) = "T";
  w.BodyEccentricity(0, 3, 0) = 0.017;
  w.BodyPeriod(0, 3, 0) = 8766;
  w.BodySemiMajorAxis(0, 3, 0) = 2.5;
  Select(0, 3, 0);
  Compute();
  ExpectTemperatures(279, 224);
  // Inside the offsets a - o1 and a - o2 are negative: the light counts by the distance's size.
  w.BodySemiMajorAxis(0, 3, 0) = 0.15;
  Compute();
  ExpectTemperatures(1603, 831);
}

TEST_F(TemperaturesTest, LimitsOfTheStoredValues) {
  w.BodyVolcanism(1, 3, 0) = 1e9f;
  Compute();
  ExpectTemperatures(20000, 20000);
  // Far below absolute zero cannot wrap around the 16-bit table.
  w.BodyVolcanism(1, 3, 0) = -1e9f;
  Compute();
  ExpectTemperatures(0, 0);
  // At 3000 AU with no air: hot 14.92, and the cold side is lifted to 3 + 14.92 / 100.
  w.BodyVolcanism(1, 3, 0) = 0;
  w.BodyPressure(1, 3, 0) = 0;
  w.BodySemiMajorAxis(1, 3, 0) = 3000;
  Compute();
  ExpectTemperatures(15, 3);
}

TEST(TemperatureFormulasTest, LawsAndGuards) {
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 1), 279 * std::pow(0.7, 0.25));
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(16, 0, 4), 279.0);  // 2 x 279 / 2
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0, -2),
                   Survey::EquilibriumTemperature(1, 0, 2));
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(0, 0.3, 1), 0.0);
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 1, 1), 0.0);
  // At the star itself: far above the 20000 K cap, yet finite.
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 0), 1.0e6);
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 1e-300), 1.0e6);
  // (0.75 x 250^4 x (2 + 2/3 in float))^0.25
  EXPECT_DOUBLE_EQ(Survey::GreenhouseTemperature(250, 1, 0), 297.30177930444796);
  EXPECT_DOUBLE_EQ(Survey::GreenhouseTemperature(250, -1, 0), 0.0);

  auto world = std::make_unique<World>();
  Random random = Random::Scripted({});
  Survey survey(*world, random);
  world->BodyObliquity(0, 0, 0) = 210;
  EXPECT_NEAR(survey.TiltFactor(), 0.4994011, 1e-7);  // |sin(210 x 0.01745)|
}

TEST_F(TemperaturesTest, Albedo) {
  struct Row {
    const char* name;
    std::string bodyClass;
    float pressure, density;
    std::string atmosphere;
    std::vector<float> draws;
    float albedo;
  };
  const float one = Die(1, 6), three = Die(3, 6), six = Die(6, 6);
  const Row rows[] = {
      {"giant: 2d6/100 + 0.45", "J", 1, 1, "", {three, Die(4, 6)}, 0.52f},
      {"(2d6 + 5)/100 + sqrt(P)/5", "T", 1, 1, "", {Die(2, 6), three}, 0.3f},
      {"negative pressure set to 0", "T", -0.5f, 1, "", {one, one}, 0.07f},
      {"density below 0.4: + d10", "T", 0, 0.35f, "", {one, one, Die(5, 10)}, 0.12f},
      {"below 0.3: + d20 + d10", "T", 0, 0.25f, "", {one, one, Die(10, 20), Die(5, 10)}, 0.22f},
      // 0.17 + 0.4 = 0.57 is above 0.52: drawn again as 0.06 + 0.5
      {"bright, drawn again", "T", 4, 1, "Nitrogen", {six, six, three, three}, 0.56f},
      {"bright carbon dioxide", "T", 4, 1, "Carbon Dioxide", {six, six, three, three}, 0.61f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    w.BodyClass(1, 3, 0) = row.bodyClass;
    w.BodyPressure(1, 3, 0) = row.pressure;
    w.BodyDensity(1, 3, 0) = row.density;
    w.BodyAtmosphere(1, 3, 0) = row.atmosphere;
    random = Random::Scripted(row.draws);
    survey.ComputeAlbedo();
    EXPECT_FLOAT_EQ(w.BodyAlbedo(1, 3, 0), row.albedo);
    EXPECT_EQ(w.BodyPressure(1, 3, 0), std::max(row.pressure, 0.0f));
    EXPECT_EQ(random.ScriptLeft(), 0u);
  }
}

}  // namespace
}  // namespace ax
