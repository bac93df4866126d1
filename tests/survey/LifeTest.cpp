#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::kUnitFactor;
using test::Rig;
using test::Script;
using test::ThenAny;

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

TEST(MakeLivingWorldTest, ChoosesAnaerobicChlorineOrOxygenWorld) {
  // Life arises after 0.7 x NarrowFactor - (T - 5800) / 5000 billion years (at least 0.5);
  // it changes the air in sqrt(0.84 x NarrowFactor x 5800 / T / sqrt(W)) = 1.0899 (0.35 to
  // 1.5). Until 0.5 x 1.0899 + 0.7 = 1.245 it is anaerobic; after, chlorine on d100 + 10 x
  // density - age above 100, or where the air was already chlorine; oxygen otherwise. The
  // nitrogen is raised to age / 50 + 0.7 P.
  struct Row {
    const char* name;
    float age, density;
    const char* bodyClass;
    std::vector<float> rolls;  // after the two factors
    const char* air;
  };
  // clang-format off
  const Row rows[] = {
      {"young: no chlorine roll", 1.0f, 1, "T", {}, "Nitrogen"},
      {"95 + 10 - 4.5 = 100.5", 4.5f, 1, "T", {D100(95)}, "Chlorine"},
      {"94 + 10 - 4.5 = 99.5", 4.5f, 1, "T", {D100(94)}, "Oxygen"},
      {"a chlorine world stays one", 4.5f, 1, "K", {D100(94)}, "Chlorine"},
      {"light world: 100 + 5 - 4.5", 4.5f, 0.5f, "T", {D100(100)}, "Chlorine"},
      {"light world: 99 + 5 - 4.5", 4.5f, 0.5f, "T", {D100(99)}, "Oxygen"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.w.SystemAge = row.age;
    rig.At(rig.w.BodyDensity) = row.density;
    rig.At(rig.w.BodyClass) = row.bodyClass;
    rig.Draws(ThenAny(Script({kUnitFactor, kUnitFactor, row.rolls})));
    rig.survey.MakeLivingWorld();
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), row.air);
    EXPECT_FLOAT_EQ(rig.survey.LifeOnsetTime, 0.7f);
    EXPECT_FLOAT_EQ(rig.survey.OxygenationTime, 1.0899264f);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyNitrogen), row.age / 50 + 0.7f);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyWaterCover), 0.5f);  // a sea is kept
  }
}

TEST(MakeLivingWorldTest, TimesOfACoolStarAThickAirAndAColdWorld) {
  // A 5000 K star: (0.7 x 1.05 x 0.95 + 800 / 5000) x 6 / 5 for 6 bars of nitrogen, which
  // stays. sqrt(0.9 x 0.84 x 5800 / 5000 / sqrt(0.5)) = 1.11365, x 1.2 for a world (not a
  // moon) colder than 260 K on average, x 1.5 for the thick nitrogen.
  for (const int body : {0, 1}) {
    SCOPED_TRACE(body);
    LifeRig rig;
    rig.w.StarTemperature[1] = 5000;
    rig.Select(1, 3, body);
    rig.At(rig.w.BodyMass) = 1;
    rig.At(rig.w.BodyRadius) = 1;
    rig.At(rig.w.BodyDensity) = 1;
    rig.At(rig.w.BodyNitrogen) = 6;
    rig.At(rig.w.BodyTempHigh) = 250;
    rig.At(rig.w.BodyTempLow) = 250;
    rig.At(rig.w.BodyWaterCover) = 0.5f;
    rig.survey.SurveyPressure = 2;
    rig.Draws(ThenAny({0.75f, 0.25f, 0.0f, 0.5f, D100(94)}));
    rig.survey.MakeLivingWorld();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyNitrogen), 6.0f);
    EXPECT_FLOAT_EQ(rig.survey.LifeOnsetTime, 1.0299001f);
    EXPECT_FLOAT_EQ(rig.survey.OxygenationTime, body == 0 ? 2.0045638f : 1.67047f);
  }
}

TEST(MakeLivingWorldTest, TimesKeepTheirBoundsWithoutWaterOrStarlight) {
  // Under 0.675 billion years a world is always anaerobic: its times are as drawn.
  struct Row {
    const char* name;
    std::int32_t starTemperature;
    float water, radius;
    std::vector<float> draws;
    float onset, oxygenation;
  };
  // clang-format off
  const Row rows[] = {
      // 0.7 - 39200 / 5000 < 0.5; sqrt(0.84 x 5800 / 45000) = 0.329 < 0.35.
      {"very hot star: both floors", 45000, 1, 1, Script({kUnitFactor, kUnitFactor}), 0.5f, 0.35f},
      // sqrt(0.84 x 2.9 / sqrt(0.1)) = 2.78.
      {"cool star, little water: ceiling", 2000, 0.1f, 1, Script({kUnitFactor, kUnitFactor}), 1.46f,
       1.5f},
      // A world with no surface makes no sea: no water to divide by, the ceiling.
      {"no sea", 5800, 0, 0, Script({kUnitFactor, kUnitFactor, {D100(31)}, kUnitFactor}), 0.7f,
       1.5f},
      {"star temperature 0", 0, 0.5f, 1, Script({kUnitFactor, kUnitFactor}), 1.86f, 1.5f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.w.SystemAge = 0.6f;
    rig.w.StarTemperature[1] = row.starTemperature;
    rig.At(rig.w.BodyWaterCover) = row.water;
    rig.At(rig.w.BodyRadius) = row.radius;
    rig.Draws(ThenAny(row.draws));
    rig.survey.MakeLivingWorld();
    EXPECT_EQ(rig.At(rig.w.BodyLifeKind), "Anaerobic life");
    EXPECT_FLOAT_EQ(rig.survey.LifeOnsetTime, row.onset);
    EXPECT_FLOAT_EQ(rig.survey.OxygenationTime, row.oxygenation);
  }
}

TEST(MakeHydrosphereTest, WaterCoverFromMassHeatAndVolcanism) {
  // 0.5 m / r^2 x (age / 10 + 1) x NarrowFactor, x (1 - (age (T - 6000) / 10000)^2) round a star
  // above 6000 K, x ((V - 1) / 10 + 1) above V = 1, x (1 - (High - 335) x age / 1005) above
  // 335 K. Below 0 it is d100 / 1000; below 0.2 doubled on each d100 of 30 or less; above 1.5
  // all sea; from 1 to 1.5 0.9 + d1000 / 10000.
  struct Row {
    const char* name;
    double mass;
    float radius;
    std::int32_t starTemperature;
    float age, volcanism;
    std::int16_t high;
    std::vector<float> draws;
    float water;
  };
  // clang-format off
  const Row rows[] = {
      {"every factor", 1.5, 1.1f, 6500, 2, 3, 345, {0.75f, 0.25f}, 0.86388642f},
      {"1.2, the lowest d1000", 2.4, 1, 5800, 0, 0, 300, {0.5f, 0.5f, Die(1, 1000)}, 0.9001f},
      {"1.2, the highest d1000", 2.4, 1, 5800, 0, 0, 300, {0.5f, 0.5f, Die(1000, 1000)}, 1.0f},
      {"1.5 is still redrawn", 3.0, 1, 5800, 0, 0, 300, {0.5f, 0.5f, Die(500, 1000)}, 0.95f},
      {"1.6 is all sea", 3.2, 1, 5800, 0, 0, 300, {0.5f, 0.5f}, 1.0f},
      // 0.7 x (1 - 1.2^2) < 0: 0.05, doubled twice, then a 31.
      {"a hot star dries it out", 1.0, 1, 9000, 4, 0, 300,
       Script({kUnitFactor, {D100(50), D100(30), D100(10), D100(31)}}), 0.2f},
      {"no surface", 1.0, 0, 5800, 4.5f, 0, 300, {0.5f, 0.5f, D100(31)}, 0.0f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.At(rig.w.BodyMass) = row.mass;
    rig.At(rig.w.BodyRadius) = row.radius;
    rig.w.StarTemperature[1] = row.starTemperature;
    rig.w.SystemAge = row.age;
    rig.At(rig.w.BodyVolcanism) = row.volcanism;
    rig.At(rig.w.BodyTempHigh) = row.high;
    rig.Draws(ThenAny(row.draws));
    rig.survey.MakeHydrosphere();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyWaterCover), row.water);
  }
}

TEST(PlaceContinentsTest, ContinentsFromTheWaterCover) {
  // One continent below 0.2 of sea, none above 0.98. Else n = 50 (1 - W) above half sea, 30 W
  // below, and Int((n - dn) x W) continents; a lone one on 0.5 to 0.9 of sea may break into
  // d10 / 2 on a d10 above 5; none becomes one below 0.8; below 0.6 a third, at least one.
  struct Row {
    const char* name;
    float water;
    std::vector<float> draws;
    int continents;
  };
  // clang-format off
  const Row rows[] = {
      {"0.15", 0.15f, {}, 1},
      {"0.99", 0.99f, {}, 0},
      {"0.981", 0.981f, {}, 0},
      {"0.7, d15 1: Int(14 x 0.7)", 0.7f, {Die(1, 15)}, 9},
      {"0.7, d15 15: none, raised to 1", 0.7f, {Die(15, 15)}, 1},
      {"0.7, d15 13: 1, d10 8 gives 4", 0.7f, {Die(13, 15), Die(8, 10)}, 4},
      {"0.7, d15 13: 1, d10 5 keeps it", 0.7f, {Die(13, 15), Die(5, 10)}, 1},
      {"0.85, d7 7: none stays above 0.8", 0.85f, {Die(7, 7)}, 0},
      {"0.97: a die of one face", 0.97f, {0.99f}, 0},
      {"0.55, d22 1: Int(11.55) / 3", 0.55f, {Die(1, 22)}, 3},
      {"0.55, d22 20: 1, d10 10 gives 5, / 3", 0.55f, {Die(20, 22), Die(10, 10)}, 1},
      {"0.5, d15 1: 7 / 3", 0.5f, {Die(1, 15)}, 2},
      {"0.3, d9 1: Int(2.4) / 3 raised to 1", 0.3f, {Die(1, 9)}, 1},
      {"not a number: no die of no faces", std::numeric_limits<float>::quiet_NaN(), {}, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.At(rig.w.BodyWaterCover) = row.water;
    rig.At(rig.w.BodyContinents) = 99;
    rig.Draws(row.draws);
    rig.survey.PlaceContinents();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_EQ(rig.At(rig.w.BodyContinents), row.continents);
  }
}

TEST(MakeAnaerobicWorldTest, ReducingAirAndTheSendBackWhenTooHot) {
  // At 1 billion years, times 0.7 and 1: k = 1 - 1 / 2.7 of the early air is left: k P / 10 x
  // NarrowFactor of carbon dioxide, k P / 30 x WideFactor of methane, k P / 60 x WideFactor
  // (0.91 here) of ammonia; the pressure is the gases with 0.72 bars of nitrogen x 1.01.
  LifeRig rig;
  rig.w.SystemAge = 1;
  rig.At(rig.w.BodyNitrogen) = 0.72f;
  rig.survey.LifeOnsetTime = 0.7f;
  rig.survey.OxygenationTime = 1;
  rig.Draws(ThenAny(Script({kUnitFactor, kUnitFactor, {0.75f, 0.25f}, {0.5f}})));
  rig.survey.MakeAnaerobicWorld();
  EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), "Nitrogen");
  EXPECT_EQ(rig.At(rig.w.BodyClass), "N");
  EXPECT_EQ(rig.At(rig.w.BodyLifeComplexity), 1);
  EXPECT_EQ(rig.At(rig.w.BodyLifeKind), "Anaerobic life");
  EXPECT_EQ(rig.survey.AtmospherePasses, 1);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyCarbonDioxide), 0.062962964f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyMethane), 0.020987654f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyAmmonia), 0.009549383f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyPressure), 0.821635f);

  // Half an AU from the star the new air heats the world past 400 K: back to the check, which
  // finds it too hot for life, unless this was the tenth pass. Without any times none of the
  // early air is left, only the nitrogen.
  struct Row {
    const char* name;
    double axis;
    std::int16_t passes;
    float times;
    int complexity;
  };
  // clang-format off
  const Row rows[] = {
      {"hot: back to the check", 0.5, 0, 1, 0},
      {"hot on the tenth pass", 0.5, 9, 1, 1},
      {"no times", 2, 0, 0, 1},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig hot;
    hot.At(hot.w.BodySemiMajorAxis) = row.axis;
    hot.At(hot.w.BodyNitrogen) = 0.72f;
    hot.survey.SurveyMeanTemp = 300;
    hot.survey.LifeOnsetTime = 0.7f * row.times;
    hot.survey.OxygenationTime = row.times;
    hot.survey.AtmospherePasses = row.passes;
    hot.Draws(ThenAny(Script({kUnitFactor, kUnitFactor, kUnitFactor, {0.5f}})));
    hot.survey.MakeAnaerobicWorld();
    EXPECT_EQ(hot.At(hot.w.BodyLifeComplexity), row.complexity);
    if (row.times == 0) {
      EXPECT_EQ(hot.At(hot.w.BodyCarbonDioxide), 0.0f);
      EXPECT_FLOAT_EQ(hot.At(hot.w.BodyPressure), 0.7272f);
    }
  }
}

TEST(MakeOxygenWorldTest, EarlyAirKeepsSomeOfTheReducingGases) {
  // Until 0.5 + 0.7 + 1.5 x NarrowFactor (here 2.7) the air has not turned: k = 1 - age / 2.7
  // of it is left as for an anaerobic world (methane k P / 60), with 0.001 P x WideFactor of
  // oxygen and life of grade 2. Past 2 x 1 + 0.7 nothing of it is left, never less.
  struct Row {
    float age;
    std::vector<float> draws;
    float carbonDioxide, methane, ammonia, oxygen, pressure;
  };
  // clang-format off
  const Row rows[] = {
      // k / 10 x 0.9975, k / 60, k / 60 x 0.91, 0.001 x 0.49; with 0.78 bars of nitrogen.
      {2, Script({kUnitFactor, {0.75f, 0.25f}, kUnitFactor, {0.75f, 0.25f}, {0.25f, 0.25f}}),
       0.025861111f, 0.0043209875f, 0.0039320989f, 0.00049f, 0.82275021f},
      // 2.8 is before 0.5 + 0.7 + 1.5 x 1.1025 = 2.85 but past 2.7: 0.78 + 0.001 bars.
      {2.8f, Script({{0.75f, 0.75f}, kUnitFactor, kUnitFactor, kUnitFactor, kUnitFactor}), 0, 0, 0,
       0.001f, 0.78881f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.age);
    LifeRig rig;
    rig.w.SystemAge = row.age;
    rig.At(rig.w.BodyNitrogen) = 0.78f;
    rig.survey.LifeOnsetTime = 0.7f;
    rig.survey.OxygenationTime = 1;
    rig.Draws(ThenAny(Script({row.draws, {0.5f}})));
    rig.survey.MakeOxygenWorld();
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), "Oxygen");
    EXPECT_EQ(rig.At(rig.w.BodyLifeComplexity), 2);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyCarbonDioxide), row.carbonDioxide);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyMethane), row.methane);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyAmmonia), row.ammonia);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyOxygen), row.oxygen);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyPressure), row.pressure);
    EXPECT_EQ(rig.survey.AtmospherePasses, 0);
  }
}

TEST(ChangedAirTest, LateComplexityLadderOfOxygenAndChlorineWorlds) {
  // Times 0.5 and 1: the air turned at 2.5 billion years, 2 before now. The active gas is then
  // rate x 2 x g (oxygen 0.4, chlorine 0.3); above cap x N2 (0.35, 0.3) it is set back to
  // reset x N2 + d100 / 1000 (0.25, 0.2). Above reset x N2, with C = 10 / 1 + 10 x 2 = 30, life
  // climbs to 4 on d100 + C above 75 (80), to 5 with 0.02 (0.03) bars and d100 + C above 50
  // (60), to 6 with 0.07 (0.1) bars and d100 + C above 50 (60). Without it, grade 3.
  struct Row {
    const char* name;
    bool chlorine;
    float nitrogen, gravity;
    std::vector<float> rolls;
    int complexity;
    float gas;
  };
  // clang-format off
  const Row rows[] = {
      {"O2 0.8 set back: 46, 21, 21", false, 1, 1, {D100(10), D100(46), D100(21), D100(21)}, 6,
       0.26f},
      {"O2: 45 + 30 is not above 75", false, 1, 1, {D100(10), D100(45)}, 3, 0.26f},
      {"O2: the roll for 6 fails", false, 1, 1, {D100(10), D100(46), D100(21), D100(20)}, 5, 0.26f},
      // 0.4 x 2 x 0.02 = 0.016: above 0.25 x 0.05, not above 0.02.
      {"O2: too little for 5", false, 0.05f, 0.02f, {D100(46)}, 4, 0.016f},
      // 0.8 is not above 0.25 x 3.3 = 0.825 (nor 0.35 x 3.3).
      {"O2: no ladder", false, 3.3f, 1, {}, 3, 0.8f},
      {"Cl 0.6 set back: 51, 31, 31", true, 1, 1, {D100(50), D100(51), D100(31), D100(31)}, 6,
       0.25f},
      {"Cl: 50 + 30 is not above 80", true, 1, 1, {D100(50), D100(50)}, 3, 0.25f},
      {"Cl: 31 + 30 above 60, 30 + 30 not", true, 1, 1, {D100(50), D100(51), D100(30)}, 4, 0.25f},
      // 0.3 x 2 x 0.04 = 0.024: above 0.2 x 0.1, not above 0.03.
      {"Cl: too little for 5", true, 0.1f, 0.04f, {D100(51)}, 4, 0.024f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.At(rig.w.BodyNitrogen) = row.nitrogen;
    rig.At(rig.w.BodyGravity) = row.gravity;
    rig.At(rig.w.BodyCarbonDioxide) = 0.3f;
    rig.survey.LifeOnsetTime = 0.5f;
    rig.survey.OxygenationTime = 1;
    // After the turn, the rolls and the finish: a dim albedo (2 dice) and a civilization roll
    // of 1, which on a grade of 6 finds none.
    rig.Draws(ThenAny(Script({kUnitFactor, row.rolls, {0.5f, Die(1, 6), Die(1, 6), D100(1)}})));
    if (row.chlorine) {
      rig.survey.MakeChlorineWorld();
    } else {
      rig.survey.MakeOxygenWorld();
    }
    const float gas = row.chlorine ? rig.At(rig.w.BodyChlorine) : rig.At(rig.w.BodyOxygen);
    const float other = row.chlorine ? rig.At(rig.w.BodyOxygen) : rig.At(rig.w.BodyChlorine);
    EXPECT_EQ(rig.At(rig.w.BodyLifeComplexity), row.complexity);
    EXPECT_FLOAT_EQ(gas, row.gas);
    EXPECT_EQ(other, 0.0f);
    EXPECT_EQ(rig.At(rig.w.BodyCarbonDioxide), 0.0f);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyPressure), (row.nitrogen + row.gas) * 1.01f);
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), row.chlorine ? "Chlorine" : "Oxygen");
    if (row.chlorine) {
      EXPECT_EQ(rig.At(rig.w.BodyClass), "K");
      EXPECT_EQ(rig.At(rig.w.BodyLifeKind), "chlorine-silicon life");
    } else {
      EXPECT_NE(rig.At(rig.w.BodyHabitability), 0);  // assessed: never exactly 0
    }
  }
}

TEST(ChangedAirTest, TooHotGoesBackToTheCheckWithoutAssessment) {
  // Half an AU out the oxygen world passes 400 K: the check finds it too hot, and it is not
  // assessed, unless this was the tenth pass.
  for (const int passes : {0, 10}) {
    SCOPED_TRACE(passes);
    LifeRig rig;
    rig.At(rig.w.BodySemiMajorAxis) = 0.5;
    rig.At(rig.w.BodyNitrogen) = 1;
    rig.survey.SurveyMeanTemp = 300;
    rig.survey.LifeOnsetTime = 0.5f;
    rig.survey.OxygenationTime = 1;
    rig.survey.AtmospherePasses = static_cast<std::int16_t>(passes);
    rig.Draws(ThenAny(Script(
        {kUnitFactor, {D100(10), D100(46), D100(21), D100(21), 0.5f, Die(1, 6), Die(1, 6)}})));
    rig.survey.MakeOxygenWorld();
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), passes == 0 ? "Carbon Dioxide" : "Oxygen");
    EXPECT_EQ(rig.At(rig.w.BodyHabitability) != 0, passes == 10);
  }
}

TEST(AssignCivilizationsTest, AgeAndRollDecideLivingExtinctOrBoth) {
  // x = Int(age) + d100: 100 a living civilization, above 102 an extinct one, 104 both. The
  // living era on d400 up to 350, 375, 390, 395, 398, 399, 400 (stone, metal, combustion,
  // nuclear, fundamental, interstellar, temporal); the extinct up to 200, 250, 320, 360, 380,
  // 397, 400. Early below 35 on a d100, late above 70; a living stone age takes 20 off.
  struct Row {
    const char* name;
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
      {"99: nothing", 4.9f, {D100(95)}, 6, 0, "", ""},
      {"100: living", 4.9f, {D100(96), d400(1), D100(54)}, 7, 1, "Early Stone age", ""},
      {"100: stone age, 55 - 20", 4.9f, {D100(96), d400(350), D100(55)}, 7, 1, "Mid Stone age", ""},
      {"100: stone age, 91 - 20", 4.9f, {D100(96), d400(1), D100(91)}, 7, 1, "Late Stone age", ""},
      {"100: metal age, 34", 4.9f, {D100(96), d400(351), D100(34)}, 7, 1, "Early Metal age", ""},
      {"100: metal age, 70", 4.9f, {D100(96), d400(375), D100(70)}, 7, 1, "Mid Metal age", ""},
      {"100: combustion age", 4.9f, {D100(96), d400(376), D100(71)}, 7, 1, "Late Combustion age",
       ""},
      {"100: temporal age", 4.9f, {D100(96), d400(400), D100(50)}, 7, 1, "Mid Temporal age", ""},
      {"101: nothing", 4.9f, {D100(97)}, 6, 0, "", ""},
      {"102: nothing", 4.9f, {D100(98)}, 6, 0, "", ""},
      {"103: extinct, stone age as rolled", 4.9f, {D100(99), d400(200), D100(35)}, 8, 1, "",
       "Mid Stone age"},
      {"103: extinct metal age", 4.9f, {D100(99), d400(201), D100(71)}, 8, 1, "", "Late Metal age"},
      {"103: extinct interstellar age", 4.9f, {D100(99), d400(397), D100(34)}, 8, 1, "",
       "Early Interstellar age"},
      {"104: both, the living first", 4.9f, {D100(100), d400(351), D100(71), d400(398), D100(34)},
       9, 2, "Late Metal age", "Early Temporal age"},
      // At 2.9 billion years x is at most 102: only a living civilization.
      {"young 100", 2.9f, {D100(98), d400(360), D100(50)}, 7, 1, "Mid Metal age", ""},
      {"young 102", 2.9f, {D100(100)}, 6, 0, "", ""},
      // At 10.5 x can pass 104: 110 is an extinct civilization only.
      {"old 110", 10.5f, {D100(100), d400(321), D100(71)}, 8, 1, "", "Late Nuclear age"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
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
  // Without a beep hooked up; a later pass keeps the living era an earlier one found.
  LifeRig later;
  later.w.SystemAge = 4.9f;
  later.At(later.w.BodyLifeComplexity) = 6;
  later.At(later.w.BodyTechEra) = "Late Nuclear age";
  later.Draws({D100(99), Die(399, 400), D100(10)});
  later.survey.AssignCivilizations();
  EXPECT_EQ(later.At(later.w.BodyTechEra), "Late Nuclear age");
  EXPECT_EQ(later.At(later.w.BodyExtinctEra), "Early Temporal age");
}

}  // namespace
}  // namespace ax
