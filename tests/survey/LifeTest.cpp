#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::kUnitFactor;
using test::Script;

constexpr int kStar = 1;
constexpr int kOrbit = 3;

// Living-world steps alone: the steps they call only record themselves, and the temperatures
// can be set to what a test needs after a change of air. A test reaches a real step through
// its qualified name, e.g. survey.Survey::MakeHydrosphere().
class LifeSurvey : public Survey {
 public:
  using Survey::Survey;

  std::int16_t highAfterTemperatures = -1;  // -1 keeps the high temperature
  std::vector<std::string> calls;

  void ComputeAlbedo() override { calls.push_back("Albedo"); }
  void ComputeTemperatures() override {
    calls.push_back("Temperatures");
    if (highAfterTemperatures >= 0) Body(world_.BodyTempHigh) = highAfterTemperatures;
  }
  void MakeHydrosphere() override { calls.push_back("Hydrosphere"); }
  void PlaceContinents() override { calls.push_back("Continents"); }
  void MakeAnaerobicWorld() override { calls.push_back("Anaerobic"); }
  void MakeOxygenWorld() override { calls.push_back("Oxygen"); }
  void MakeChlorineWorld() override { calls.push_back("Chlorine"); }
  void CheckHabitability() override { calls.push_back("CheckHabitability"); }
  void AssignCivilizations() override { calls.push_back("Civilizations"); }
  void AssessLife() override { calls.push_back("AssessLife"); }
};

using Calls = std::vector<std::string>;

// An Earthlike world on orbit 3 of a sunlike star 4.5 billion years old.
std::unique_ptr<World> LivingWorld(int body = 0) {
  auto w = std::make_unique<World>();
  w->StarCount = 1;
  w->StarType[kStar] = "G 2 V  ";
  w->StarTemperature[kStar] = 5800;
  w->SystemAge = 4.5f;
  w->CurrentStar = kStar;
  w->CurrentOrbit = kOrbit;
  w->CurrentBody = static_cast<std::int16_t>(body);
  w->BodyClass(kStar, kOrbit, body) = "T";
  w->BodyMass(kStar, kOrbit, body) = 1;
  w->BodyRadius(kStar, kOrbit, body) = 1;
  w->BodyDensity(kStar, kOrbit, body) = 1;
  w->BodyGravity(kStar, kOrbit, body) = 1;
  w->BodyTempHigh(kStar, kOrbit, body) = 300;
  w->BodyTempLow(kStar, kOrbit, body) = 280;
  w->BodyWaterCover(kStar, kOrbit, body) = 0.5f;
  return w;
}

TEST(MakeLivingWorldTest, ChoosesAnaerobicChlorineOrOxygenWorld) {
  // Times: onset 0.7 x 1; oxygenation sqrt(0.84 / sqrt(0.5)) = 1.0899; life waits 1.2450.
  struct Row {
    const char* name;
    float age;
    float density;
    std::string bodyClass;
    std::vector<float> rolls;  // after the two factors
    const char* made;
  };
  const Row rows[] = {
      {"young: anaerobic, no chlorine roll", 1.0f, 1, "T", {}, "Anaerobic"},
      {"95 + 10 - 4.5 = 100.5", 4.5f, 1, "T", {D100(95)}, "Chlorine"},
      {"94 + 10 - 4.5 = 99.5", 4.5f, 1, "T", {D100(94)}, "Oxygen"},
      {"a chlorine world stays one", 4.5f, 1, "K", {D100(94)}, "Chlorine"},
      {"light world: 100 + 5 - 4.5", 4.5f, 0.5f, "T", {D100(100)}, "Chlorine"},
      {"light world: 99 + 5 - 4.5", 4.5f, 0.5f, "T", {D100(99)}, "Oxygen"},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld();
    world->SystemAge = row.age;
    world->BodyDensity(kStar, kOrbit, 0) = row.density;
    world->BodyClass(kStar, kOrbit, 0) = row.bodyClass;
    Random random = Random::Scripted(Script({kUnitFactor, kUnitFactor, row.rolls}));
    LifeSurvey survey(*world, random);
    survey.SurveyPressure = 1;
    survey.MakeLivingWorld();
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.name;
    EXPECT_EQ(survey.calls, Calls{row.made}) << row.name;
    EXPECT_FLOAT_EQ(survey.LifeOnsetTime, 0.7f) << row.name;
    EXPECT_FLOAT_EQ(survey.OxygenationTime, 1.0899264f) << row.name;
    // Nitrogen raised to Age/50 + 0.7 x P.
    EXPECT_FLOAT_EQ(world->BodyNitrogen(kStar, kOrbit, 0), row.age / 50 + 0.7f) << row.name;
    EXPECT_FLOAT_EQ(world->BodyWaterCover(kStar, kOrbit, 0), 0.5f) << row.name;  // kept
  }
}

TEST(MakeLivingWorldTest, TimesOfACoolStarThickNitrogenAndAColdWorld) {
  for (int body : {0, 1}) {
    auto world = LivingWorld(body);
    world->StarTemperature[kStar] = 5000;
    world->BodyNitrogen(kStar, kOrbit, body) = 6;  // above 2 x 0.7 + 0.09: kept
    world->BodyTempHigh(kStar, kOrbit, body) = 250;
    world->BodyTempLow(kStar, kOrbit, body) = 250;
    Random random = Random::Scripted({0.75f, 0.25f, 0.0f, 0.5f, D100(94)});
    LifeSurvey survey(*world, random);
    survey.SurveyPressure = 2;
    survey.MakeLivingWorld();
    EXPECT_EQ(random.ScriptLeft(), 0u);
    EXPECT_EQ(survey.calls, Calls{"Oxygen"});
    EXPECT_FLOAT_EQ(world->BodyNitrogen(kStar, kOrbit, body), 6.0f);
    // (0.7 x 1.05 x 0.95 + 800 / 5000) x 6 / 5
    EXPECT_FLOAT_EQ(survey.LifeOnsetTime, 1.0299001f);
    // sqrt(0.9 x 0.84 x 5800 / 5000 / sqrt(0.5)) = 1.11365, x 1.2 for a cold world (not a
    // moon), x 1.5 for the thick nitrogen.
    EXPECT_FLOAT_EQ(survey.OxygenationTime, body == 0 ? 2.0045638f : 1.67047f) << body;
  }
}

TEST(MakeLivingWorldTest, TimesKeepTheirBoundsAndSurviveADryWorldOrADarkStar) {
  struct Row {
    const char* name;
    std::int32_t starTemperature;
    float water;
    float onset;
    float oxygenation;
    Calls calls;
  };
  const Row rows[] = {
      // 0.7 - 39200/5000 < 0.5; sqrt(0.84 x 5800/45000) = 0.329 < 0.35.
      {"very hot star: both floors", 45000, 1.0f, 0.5f, 0.35f, {"Anaerobic"}},
      // sqrt(0.84 x 2.9 / sqrt(0.1)) = 2.78
      {"cool star and little water: ceiling", 2000, 0.1f, 1.46f, 1.5f, {"Anaerobic"}},
      // The hydrosphere (recorded only) leaves no water: the ceiling, not a division by 0.
      {"no water after the hydrosphere", 5800, 0.0f, 0.7f, 1.5f, {"Hydrosphere", "Anaerobic"}},
      {"star temperature 0", 0, 0.5f, 1.86f, 1.5f, {"Anaerobic"}},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld();
    world->SystemAge = 0.6f;  // younger than 0.675: always anaerobic
    world->StarTemperature[kStar] = row.starTemperature;
    world->BodyWaterCover(kStar, kOrbit, 0) = row.water;
    Random random = Random::Scripted(Script({kUnitFactor, kUnitFactor}));
    LifeSurvey survey(*world, random);
    survey.SurveyPressure = 1;
    survey.MakeLivingWorld();
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.name;
    EXPECT_EQ(survey.calls, row.calls) << row.name;
    EXPECT_FLOAT_EQ(survey.LifeOnsetTime, row.onset) << row.name;
    EXPECT_FLOAT_EQ(survey.OxygenationTime, row.oxygenation) << row.name;
  }
}

TEST(MakeHydrosphereTest, WaterCoverFromMassHeatAndVolcanism) {
  struct Row {
    const char* name;
    double mass;
    float radius;
    std::int32_t starTemperature;
    float age;
    float volcanism;
    std::int16_t high;
    std::vector<float> draws;
    float water;
  };
  const std::vector<float> kBelowZero =
      Script({kUnitFactor, {D100(50), D100(30), D100(10), D100(31)}});
  const Row rows[] = {
      // 0.5 x 1.5 / 1.1^2 x 1.2 x 0.9975 x (1 - 0.1^2) x 1.2 x (1 - 10 x 2 / 1005)
      {"every factor", 1.5, 1.1f, 6500, 2.0f, 3, 345, {0.75f, 0.25f}, 0.86388642f},
      {"1.2 with the lowest d1000", 2.4, 1, 5800, 0, 0, 300, {0.5f, 0.5f, Die(1, 1000)}, 0.9001f},
      {"1.2 with the highest d1000", 2.4, 1, 5800, 0, 0, 300, {0.5f, 0.5f, Die(1000, 1000)}, 1.0f},
      {"1.5 is still redrawn", 3.0, 1, 5800, 0, 0, 300, {0.5f, 0.5f, Die(500, 1000)}, 0.95f},
      {"1.6 is exactly 1", 3.2, 1, 5800, 0, 0, 300, {0.5f, 0.5f}, 1.0f},
      // 0.7 x (1 - (4 x 3000 / 10000)^2) < 0: d100 50 gives 0.05, doubled twice, then a 31.
      {"hot star drives it below 0", 1.0, 1, 9000, 4.0f, 0, 300, kBelowZero, 0.2f},
      // No surface to cover: no water, and doubling 0 leaves 0.
      {"radius 0", 1.0, 0, 5800, 4.5f, 0, 300, {0.5f, 0.5f, D100(31)}, 0.0f},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld();
    world->BodyMass(kStar, kOrbit, 0) = row.mass;
    world->BodyRadius(kStar, kOrbit, 0) = row.radius;
    world->StarTemperature[kStar] = row.starTemperature;
    world->SystemAge = row.age;
    world->BodyVolcanism(kStar, kOrbit, 0) = row.volcanism;
    world->BodyTempHigh(kStar, kOrbit, 0) = row.high;
    Random random = Random::Scripted(row.draws);
    LifeSurvey survey(*world, random);
    survey.Survey::MakeHydrosphere();
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.name;
    EXPECT_FLOAT_EQ(world->BodyWaterCover(kStar, kOrbit, 0), row.water) << row.name;
    EXPECT_EQ(survey.calls, Calls{"Continents"}) << row.name;
  }
}

TEST(PlaceContinentsTest, ContinentsFromTheWaterCover) {
  struct Row {
    const char* name;
    float water;
    std::vector<float> draws;
    int continents;
  };
  const Row rows[] = {
      {"0.15: one", 0.15f, {}, 1},
      {"0.99: none", 0.99f, {}, 0},
      {"0.981: none", 0.981f, {}, 0},
      {"0.7, n = 15, d15 = 1: Int(14 x 0.7)", 0.7f, {Die(1, 15)}, 9},
      {"0.7, d15 = 15: 0, raised to 1", 0.7f, {Die(15, 15)}, 1},
      {"0.7, d15 = 13: 1, then d10 = 8 gives 4", 0.7f, {Die(13, 15), Die(8, 10)}, 4},
      {"0.7, d15 = 13: 1, d10 = 5 keeps it", 0.7f, {Die(13, 15), Die(5, 10)}, 1},
      {"0.85, n = 7, d7 = 7: 0 stays above 0.8", 0.85f, {Die(7, 7)}, 0},
      {"0.97, n = 1: the die has one face", 0.97f, {0.99f}, 0},
      {"0.55, n = 22, d22 = 1: Int(11.55) / 3", 0.55f, {Die(1, 22)}, 3},
      {"0.55, d22 = 20: 1, d10 = 10 gives 5, / 3", 0.55f, {Die(20, 22), Die(10, 10)}, 1},
      {"0.5, n = 15 from 0.5 x 30: 7 / 3", 0.5f, {Die(1, 15)}, 2},
      {"0.3, n = 9: Int(2.4) / 3 raised to 1", 0.3f, {Die(1, 9)}, 1},
      {"not a number: no die of no faces", std::numeric_limits<float>::quiet_NaN(), {}, 0},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld();
    world->BodyWaterCover(kStar, kOrbit, 0) = row.water;
    world->BodyContinents(kStar, kOrbit, 0) = 99;
    Random random = Random::Scripted(row.draws);
    LifeSurvey survey(*world, random);
    survey.Survey::PlaceContinents();
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.name;
    EXPECT_EQ(world->BodyContinents(kStar, kOrbit, 0), row.continents) << row.name;
  }
}

// Working times of a living world, as MakeLivingWorld would leave them.
void SetTimes(LifeSurvey& survey, float onset, float oxygenation) {
  survey.SurveyPressure = 1;
  survey.LifeOnsetTime = onset;
  survey.OxygenationTime = oxygenation;
}

TEST(MakeAnaerobicWorldTest, ReducingAirAndTheSendBackWhenTooHot) {
  auto world = LivingWorld();
  world->SystemAge = 1.0f;
  world->BodyNitrogen(kStar, kOrbit, 0) = 0.72f;
  // k = 1 - 1 / 2.7; factors 1, 1 and 1.3 x 0.7; u = 0.5.
  Random random = Random::Scripted(Script({kUnitFactor, kUnitFactor, {0.75f, 0.25f}, {0.5f}}));
  LifeSurvey survey(*world, random);
  SetTimes(survey, 0.7f, 1);
  survey.Survey::MakeAnaerobicWorld();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyAtmosphere(kStar, kOrbit, 0), "Nitrogen");
  EXPECT_EQ(world->BodyClass(kStar, kOrbit, 0), "N");
  EXPECT_EQ(world->BodyLifeComplexity(kStar, kOrbit, 0), 1);
  EXPECT_EQ(world->BodyLifeKind(kStar, kOrbit, 0), "Anaerobic life");
  EXPECT_EQ(survey.AtmospherePasses, 1);
  EXPECT_FLOAT_EQ(world->BodyCarbonDioxide(kStar, kOrbit, 0), 0.062962964f);  // k / 10
  EXPECT_FLOAT_EQ(world->BodyMethane(kStar, kOrbit, 0), 0.020987654f);        // k / 30
  EXPECT_FLOAT_EQ(world->BodyAmmonia(kStar, kOrbit, 0), 0.009549383f);        // k / 60 x 0.91
  EXPECT_FLOAT_EQ(world->BodyPressure(kStar, kOrbit, 0), 0.821635f);          // sum x 1.01
  EXPECT_EQ(survey.calls, (Calls{"Albedo", "Temperatures"}));

  struct Row {
    const char* name;
    std::int16_t high;
    std::int16_t passes;
    float onset, oxygenation;
    bool sentBack;
  };
  const Row rows[] = {
      {"401 K: back to the check", 401, 0, 0.7f, 1, true},
      {"400 K stays", 400, 0, 0.7f, 1, false},
      {"tenth pass stays", 401, 9, 0.7f, 1, false},
      // No times at all: nothing of the early air is left, only the nitrogen.
      {"times 0", 300, 0, 0, 0, false},
  };
  for (const Row& row : rows) {
    auto hot = LivingWorld();
    hot->BodyNitrogen(kStar, kOrbit, 0) = 0.72f;
    Random draws = Random::Scripted(Script({kUnitFactor, kUnitFactor, kUnitFactor, {0.5f}}));
    LifeSurvey again(*hot, draws);
    SetTimes(again, row.onset, row.oxygenation);
    again.AtmospherePasses = row.passes;
    again.highAfterTemperatures = row.high;
    again.Survey::MakeAnaerobicWorld();
    EXPECT_EQ(draws.ScriptLeft(), 0u) << row.name;
    Calls expected = {"Albedo", "Temperatures"};
    if (row.sentBack) expected.push_back("CheckHabitability");
    EXPECT_EQ(again.calls, expected) << row.name;
    EXPECT_EQ(hot->BodyLifeComplexity(kStar, kOrbit, 0), row.sentBack ? 0 : 1) << row.name;
    if (row.oxygenation == 0) {
      EXPECT_EQ(hot->BodyCarbonDioxide(kStar, kOrbit, 0), 0.0f);
      EXPECT_FLOAT_EQ(hot->BodyPressure(kStar, kOrbit, 0), 0.7272f);  // 0.72 x 1.01
    }
  }
}

TEST(MakeOxygenWorldTest, EarlyStageKeepsSomeReducingAir) {
  auto world = LivingWorld();
  world->SystemAge = 2.0f;
  world->BodyNitrogen(kStar, kOrbit, 0) = 0.78f;
  // t2 = 0.5 + 0.7 + 1.5 = 2.7 >= 2: early. k = 1 - 2 / 2.7.
  Random random = Random::Scripted(
      Script({kUnitFactor, {0.75f, 0.25f}, kUnitFactor, {0.75f, 0.25f}, {0.25f, 0.25f}, {0.5f}}));
  LifeSurvey survey(*world, random);
  SetTimes(survey, 0.7f, 1);
  survey.Survey::MakeOxygenWorld();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyAtmosphere(kStar, kOrbit, 0), "Oxygen");
  EXPECT_EQ(world->BodyClass(kStar, kOrbit, 0), "H");
  EXPECT_EQ(world->BodyLifeComplexity(kStar, kOrbit, 0), 2);
  EXPECT_FLOAT_EQ(world->BodyCarbonDioxide(kStar, kOrbit, 0), 0.025861111f);  // k/10 x 0.9975
  EXPECT_FLOAT_EQ(world->BodyMethane(kStar, kOrbit, 0), 0.0043209875f);       // k / 60
  EXPECT_FLOAT_EQ(world->BodyAmmonia(kStar, kOrbit, 0), 0.0039320989f);       // k/60 x 0.91
  EXPECT_FLOAT_EQ(world->BodyOxygen(kStar, kOrbit, 0), 0.00049f);             // 0.001 x 0.7^2
  EXPECT_FLOAT_EQ(world->BodyPressure(kStar, kOrbit, 0), 0.82275021f);
  EXPECT_EQ(survey.AtmospherePasses, 0);
  EXPECT_EQ(survey.calls, (Calls{"Albedo", "Temperatures", "AssessLife"}));
}

// Late stage: onset 0.5 and oxygenation 1 give t2 = 2.5, so Age 4.5 is 2 past it and
// C = 10 / 1 + 10 x 2 = 30.
struct LateRow {
  const char* name;
  float nitrogen;
  float gravity;
  std::vector<float> rolls;
  int complexity;
  float gas;
  Calls calls;
};

void RunLate(bool chlorine, const LateRow& row) {
  auto world = LivingWorld();
  world->BodyNitrogen(kStar, kOrbit, 0) = row.nitrogen;
  world->BodyGravity(kStar, kOrbit, 0) = row.gravity;
  world->BodyCarbonDioxide(kStar, kOrbit, 0) = 0.3f;
  Random random = Random::Scripted(Script({kUnitFactor, row.rolls, {0.5f}}));
  LifeSurvey survey(*world, random);
  SetTimes(survey, 0.5f, 1);
  if (chlorine) {
    survey.Survey::MakeChlorineWorld();
  } else {
    survey.Survey::MakeOxygenWorld();
  }
  EXPECT_EQ(random.ScriptLeft(), 0u) << row.name;
  EXPECT_EQ(world->BodyLifeComplexity(kStar, kOrbit, 0), row.complexity) << row.name;
  const float gas =
      chlorine ? world->BodyChlorine(kStar, kOrbit, 0) : world->BodyOxygen(kStar, kOrbit, 0);
  const float otherGas =
      chlorine ? world->BodyOxygen(kStar, kOrbit, 0) : world->BodyChlorine(kStar, kOrbit, 0);
  EXPECT_FLOAT_EQ(gas, row.gas) << row.name;
  EXPECT_EQ(otherGas, 0.0f) << row.name;
  EXPECT_EQ(world->BodyCarbonDioxide(kStar, kOrbit, 0), 0.0f) << row.name;
  EXPECT_FLOAT_EQ(world->BodyPressure(kStar, kOrbit, 0), (row.nitrogen + row.gas) * 1.01f)
      << row.name;
  EXPECT_EQ(survey.calls, row.calls) << row.name;
  EXPECT_EQ(world->BodyClass(kStar, kOrbit, 0), chlorine ? "K" : "H") << row.name;
  EXPECT_EQ(world->BodyLifeKind(kStar, kOrbit, 0), chlorine ? "chlorine-silicon life" : "")
      << row.name;
}

TEST(MakeOxygenWorldTest, EarlyAirPastItsTimeLeavesNoNegativeGas) {
  auto world = LivingWorld();
  world->SystemAge = 2.8f;
  // t2 = 0.5 + 0.7 + 1.5 x 1.1025 = 2.85 >= 2.8: still early, but past 2 x 1 + 0.7 the early
  // air would be 1 - 2.8 / 2.7 < 0 of itself: none is left.
  Random random = Random::Scripted(
      Script({{0.75f, 0.75f}, kUnitFactor, kUnitFactor, kUnitFactor, kUnitFactor, {0.5f}}));
  LifeSurvey survey(*world, random);
  SetTimes(survey, 0.7f, 1);
  survey.Survey::MakeOxygenWorld();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyLifeComplexity(kStar, kOrbit, 0), 2);
  EXPECT_EQ(world->BodyCarbonDioxide(kStar, kOrbit, 0), 0.0f);
  EXPECT_EQ(world->BodyMethane(kStar, kOrbit, 0), 0.0f);
  EXPECT_EQ(world->BodyAmmonia(kStar, kOrbit, 0), 0.0f);
  EXPECT_GT(world->BodyOxygen(kStar, kOrbit, 0), 0.0f);
}

TEST(MakeOxygenWorldTest, LateStageComplexityLadder) {
  const Calls plain = {"Albedo", "Temperatures", "AssessLife"};
  const Calls civilized = {"Albedo", "Temperatures", "Civilizations", "AssessLife"};
  // O2 = 0.4 x 2 = 0.8 > 0.35 x 1: set back to 0.25 + 10 / 1000.
  const LateRow rows[] = {
      {"46 + 30 > 75, 21 + 30 > 50 twice",
       1,
       1,
       {D100(10), D100(46), D100(21), D100(21)},
       6,
       0.26f,
       civilized},
      {"45 + 30 is not above 75", 1, 1, {D100(10), D100(45)}, 3, 0.26f, plain},
      {"the roll for 6 fails: no civilization",
       1,
       1,
       {D100(10), D100(46), D100(21), D100(20)},
       5,
       0.26f,
       plain},
      // 0.4 x 2 x 0.02 = 0.016: above 0.25 x 0.05, not above 0.02.
      {"too little oxygen for 5", 0.05f, 0.02f, {D100(46)}, 4, 0.016f, plain},
      {"0.8 is not above 0.25 x 10: no ladder", 10, 1, {}, 3, 0.8f, plain},
  };
  for (const LateRow& row : rows) RunLate(false, row);
}

TEST(MakeChlorineWorldTest, OwnConstantsAndChlorineSiliconLife) {
  const Calls plain = {"Albedo", "Temperatures"};
  const Calls civilized = {"Albedo", "Temperatures", "Civilizations"};
  // Cl = 0.3 x 2 = 0.6 > 0.3 x 1: set back to 0.2 + 50 / 1000.
  const LateRow rows[] = {
      {"51 + 30 > 80, 31 + 30 > 60 twice",
       1,
       1,
       {D100(50), D100(51), D100(31), D100(31)},
       6,
       0.25f,
       civilized},
      {"50 + 30 is not above 80", 1, 1, {D100(50), D100(50)}, 3, 0.25f, plain},
      {"31 + 30 above 60, 30 + 30 not", 1, 1, {D100(50), D100(51), D100(30)}, 4, 0.25f, plain},
      // 0.3 x 2 x 0.04 = 0.024: above 0.2 x 0.1, not above 0.03.
      {"too little chlorine for 5", 0.1f, 0.04f, {D100(51)}, 4, 0.024f, plain},
  };
  for (const LateRow& row : rows) RunLate(true, row);
}

TEST(MakeOxygenWorldTest, TooHotGoesBackToTheCheckWithoutCivilizationOrAssessment) {
  struct Row {
    const char* name;
    std::int16_t high;
    std::int16_t passes;
    Calls calls;
  };
  const Row rows[] = {
      {"401 K", 401, 0, {"Albedo", "Temperatures", "CheckHabitability"}},
      {"400 K", 400, 0, {"Albedo", "Temperatures", "Civilizations", "AssessLife"}},
      {"tenth pass", 401, 10, {"Albedo", "Temperatures", "Civilizations", "AssessLife"}},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld();
    world->BodyNitrogen(kStar, kOrbit, 0) = 1;
    Random random =
        Random::Scripted(Script({kUnitFactor, {D100(10), D100(46), D100(21), D100(21)}, {0.5f}}));
    LifeSurvey survey(*world, random);
    SetTimes(survey, 0.5f, 1);
    survey.AtmospherePasses = row.passes;
    survey.highAfterTemperatures = row.high;
    survey.Survey::MakeOxygenWorld();
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.name;
    EXPECT_EQ(survey.calls, row.calls) << row.name;
    EXPECT_EQ(survey.AtmospherePasses, row.passes) << row.name;  // counts no pass itself
    EXPECT_EQ(world->BodyLifeComplexity(kStar, kOrbit, 0), 6) << row.name;
  }
}

}  // namespace
}  // namespace ax
