#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

// The rig's Earth moved out to 2 AU, where no air a living world makes heats it past 400 K:
// 300 and 280 K as found, half covered by sea, with 1 bar to its air.
struct LifeRig : Rig {
  LifeRig() {
    At(w.BodySemiMajorAxis) = 2;
    At(w.BodyTempHigh) = 300;
    At(w.BodyTempLow) = 280;
    At(w.BodyWaterCover) = 0.5f;
    survey.SurveyPressure = 1;
  }
};

TEST(MakeLivingWorldTest, TimesAndTheAirTheyLeadTo) {
  // Life arises after 0.7 x NarrowFactor - (T - 5800) / 5000 billion years (at least 0.5); it
  // changes the air in sqrt(0.84 x NarrowFactor x 5800 / T / sqrt(W)) = 1.0899 (0.35 to 1.5).
  // Until 0.5 x that + the onset it is anaerobic; after, chlorine on d100 + 10 density - age
  // above 100, or where already chlorine; oxygen otherwise. Nitrogen rises to age / 50 + 0.7 P.
  struct Row {
    const char* name;
    Change change;
    std::vector<float> draws;
    const char* air;
    float nitrogen, onset, oxygenation;
  };
  const auto age = [](float years) { return [years](Rig& r) { r.w.SystemAge = years; }; };
  // All sea: 0.7 - 39200 / 5000 < 0.5; sqrt(0.84 x 5800 / 45000) = 0.329 < 0.35.
  const Change hot = [](Rig& r) {
    r.w.SystemAge = 0.6f;
    r.w.StarTemperature[1] = 45000;
    r.At(r.w.BodyWaterCover) = 1;
  };
  const std::vector<float> unit = Script({kUnitFactor, kUnitFactor});  // both factors 1
  // clang-format off
  const Row rows[] = {
      {"young: no chlorine roll", age(1), unit, "Nitrogen", 0.72f, 0.7f, 1.0899264f},
      {"95 + 10 - 4.5 = 100.5", age(4.5f), Script({unit, {D100(95)}}), "Chlorine", 0.79f, 0.7f,
       1.0899264f},
      {"very hot star: both floors", hot, unit, "Nitrogen", 0.712f, 0.5f, 0.35f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    row.change(rig);
    rig.Draws(ThenAny(row.draws));
    rig.survey.MakeLivingWorld();
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), row.air);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyNitrogen), row.nitrogen);
    EXPECT_FLOAT_EQ(rig.survey.LifeOnsetTime, row.onset);
    EXPECT_FLOAT_EQ(rig.survey.OxygenationTime, row.oxygenation);
  }
}

TEST(MakeHydrosphereTest, WaterCoverFromMassHeatAndVolcanism) {
  // 0.5 m / r^2 x (age / 10 + 1) x NarrowFactor, x (1 - (age (T - 6000) / 10000)^2) round a star
  // above 6000 K, x ((V - 1) / 10 + 1) above V = 1, x (1 - (High - 335) x age / 1005) above
  // 335 K: here 0.5 x 1.5 / 1.21 x 1.2 x 0.9975 x 0.99 x 1.2 x 0.9801 = 0.8639.
  LifeRig rig;
  rig.At(rig.w.BodyMass) = 1.5;
  rig.At(rig.w.BodyRadius) = 1.1f;
  rig.w.StarTemperature[1] = 6500;
  rig.w.SystemAge = 2;
  rig.At(rig.w.BodyVolcanism) = 3;
  rig.At(rig.w.BodyTempHigh) = 345;
  rig.Draws(ThenAny({0.75f, 0.25f}));
  rig.survey.MakeHydrosphere();
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyWaterCover), 0.86388642f);
}

TEST(PlaceContinentsTest, ContinentsFromTheWaterCover) {
  // One continent below 0.2 of sea, none above 0.98. Else n = 50 (1 - W) above half sea, 30 W
  // below, and Int((n - dn) x W) continents; a lone one on 0.5 to 0.9 of sea may break into
  // d10 / 2 on a d10 above 5; none becomes one below 0.8; below 0.6 a third, at least one.
  struct Row {
    float water;
    std::vector<float> draws;
    int continents;
  };
  for (const Row& row :
       {Row{0.15f, {}, 1}, Row{0.981f, {}, 0}, Row{0.7f, {Die(1, 15)}, 9},
        Row{0.7f, {Die(13, 15), Die(8, 10)}, 4}, Row{0.55f, {Die(1, 22)}, 3},
        Row{0.3f, {Die(1, 9)}, 1}, Row{std::numeric_limits<float>::quiet_NaN(), {}, 0}}) {
    LifeRig rig;
    rig.At(rig.w.BodyWaterCover) = row.water;
    rig.Draws(row.draws);
    rig.survey.PlaceContinents();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u) << row.water;
    EXPECT_EQ(rig.At(rig.w.BodyContinents), row.continents) << row.water;
  }
}

TEST(AssignCivilizationsTest, AgeAndRollDecideLivingExtinctOrBoth) {
  // x = Int(age) + d100: 100 a living civilization, above 102 an extinct one, 104 both. The
  // living era on d400 up to 350 stone, 375 metal, ... 400 temporal; the extinct up to 200
  // stone, 250 metal, ... 397 interstellar. Early below 35 on a d100, late above 70; a living
  // stone age takes 20 off.
  struct Row {
    float age;
    std::vector<float> draws;
    std::int16_t complexity;
    int beeps;
    const char* techEra;
    const char* extinctEra;
  };
  const auto d400 = [](int face) { return Die(face, 400); };
  // clang-format off
  const Row rows[] = {
      {4.9f, {D100(96), d400(1), D100(91)}, 7, 1, "Late Stone age", ""},         // 100
      {4.9f, {D100(98)}, 6, 0, "", ""},                                          // 102
      {4.9f, {D100(99), d400(200), D100(35)}, 8, 1, "", "Mid Stone age"},        // 103
      {4.9f, {D100(100), d400(351), D100(71), d400(398), D100(34)}, 9, 2, "Late Metal age",
       "Early Temporal age"},                                                    // 104
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    LifeRig rig;
    rig.w.SystemAge = row.age;
    rig.At(rig.w.BodyLifeComplexity) = 6;
    int beeps = 0;
    rig.survey.Beep = [&beeps] { ++beeps; };
    rig.Draws(row.draws);
    rig.survey.AssignCivilizations();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_EQ(rig.At(rig.w.BodyLifeComplexity), row.complexity);
    EXPECT_EQ(beeps, row.beeps);
    EXPECT_EQ(rig.At(rig.w.BodyTechEra), row.techEra);
    EXPECT_EQ(rig.At(rig.w.BodyExtinctEra), row.extinctEra);
  }
}

}  // namespace
}  // namespace ax::test
