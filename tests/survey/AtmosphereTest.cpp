#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
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

// Temperatures come from the test; the steps named in `stubbed` only record themselves.
class AtmosphereSurvey : public Survey {
 public:
  using Survey::Survey;

  std::int16_t high = 300;
  std::int16_t low = 280;
  std::set<std::string> stubbed;
  std::vector<std::string> calls;
  std::function<void()> traceAir;  // what the trace procedure leaves, when set

  void ComputeAlbedo() override { calls.push_back("Albedo"); }
  void ComputeTemperatures() override {
    calls.push_back("Temperatures");
    Body(world_.BodyTempHigh) = high;
    Body(world_.BodyTempLow) = low;
    DayNightFactor = 1;
  }
  void MakeHydrosphere() override { calls.push_back("Hydrosphere"); }
  void MakeLivingWorld() override { calls.push_back("Living"); }
  void AssignCivilizations() override { calls.push_back("Civilizations"); }
  void MakeSubJovianAtmosphere() override {
    if (!Stub("SubJovian")) Survey::MakeSubJovianAtmosphere();
  }
  void MakePrimordialAtmosphere() override {
    if (!Stub("Primordial")) Survey::MakePrimordialAtmosphere();
  }
  void CheckHabitability() override {
    if (!Stub("Habitability")) Survey::CheckHabitability();
  }
  void MakeThinAtmosphere() override {
    if (!Stub("Thin")) Survey::MakeThinAtmosphere();
  }
  void MakeTraceAtmosphere() override {
    if (traceAir) {
      traceAir();
    } else if (!Stub("Trace")) {
      Survey::MakeTraceAtmosphere();
    }
  }
  void MakeDryAtmosphere() override {
    if (!Stub("Dry")) Survey::MakeDryAtmosphere();
  }
  void MakeColdAtmosphere() override {
    if (!Stub("Cold")) Survey::MakeColdAtmosphere();
  }
  void MakeHotAtmosphere() override {
    if (!Stub("Hot")) Survey::MakeHotAtmosphere();
  }

  bool Called(const std::string& step) const {
    return std::find(calls.begin(), calls.end(), step) != calls.end();
  }

 private:
  bool Stub(const std::string& step) {
    if (stubbed.count(step) == 0) return false;
    calls.push_back(step);
    return true;
  }
};

// An Earth-sized world on orbit 1 of a sunlike star, selected.
std::unique_ptr<World> EarthSizedWorld(float age = 4.0f) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->StarType[1] = "G 2 V  ";
  world->StarTemperature[1] = 5800;
  world->SystemAge = age;
  world->CurrentStar = 1;
  world->CurrentOrbit = 1;
  world->CurrentBody = 0;
  world->BodyClass(1, 1, 0) = "T";
  world->BodyMass(1, 1, 0) = 1;
  world->BodyRadius(1, 1, 0) = 1;
  world->BodyDensity(1, 1, 0) = 1;
  world->BodyDayLength(1, 1, 0) = 24;
  world->BodyPeriod(1, 1, 0) = 8766;
  world->BodyVolcanism(1, 1, 0) = 0.5f;
  world->BodyTempHigh(1, 1, 0) = 300;
  world->BodyTempLow(1, 1, 0) = 280;
  return world;
}

TEST(AtmosphereTest, GiantsAndTinyBodiesAreSettledFirst) {
  auto world = EarthSizedWorld();
  world->BodyMass(1, 1, 0) = 4.01;
  Random none = Random::Scripted({});
  AtmosphereSurvey giant(*world, none);
  giant.MakeAtmosphere();
  EXPECT_EQ(world->BodyAtmosphere(1, 1, 0), "Jovian");
  EXPECT_EQ(world->BodyClass(1, 1, 0), "J");

  world->BodyMass(1, 1, 0) = 0.0009;
  world->BodyClass(1, 1, 0) = "Z";
  world->BodyDensity(1, 1, 0) = 0.5f;
  Random dice = Random::Scripted({Die(1, 6), Die(1, 6)});
  AtmosphereSurvey tiny(*world, dice);
  tiny.MakeAtmosphere();
  EXPECT_EQ(world->BodyAtmosphere(1, 1, 0), "None");
  EXPECT_EQ(world->BodyClass(1, 1, 0), "Z");           // a tiny body keeps its class
  EXPECT_FLOAT_EQ(world->BodyAlbedo(1, 1, 0), 0.03f);  // (2 + 0.5 / 10) / 100, raised to 0.03
  EXPECT_EQ(dice.ScriptLeft(), 0u);
}

TEST(AtmosphereTest, LockedWorldIsAirlessButALockedMoonIsNot) {
  auto world = EarthSizedWorld();
  world->BodyDayLength(1, 1, 0) = -8766;  // turns one face to its star, whichever way
  Random dice = Random::Scripted({Die(6, 6), Die(6, 6)});
  AtmosphereSurvey survey(*world, dice);
  survey.MakeAtmosphere();
  EXPECT_EQ(world->BodyAtmosphere(1, 1, 0), "None");
  EXPECT_EQ(world->BodyClass(1, 1, 0), "T");
  EXPECT_FLOAT_EQ(world->BodyAlbedo(1, 1, 0), 0.12f);  // 12 / 100, raised to no floor

  // The same rotation on a moon that already has air: only the survey pressure is set.
  world->CurrentBody = 1;
  world->BodyMass(1, 1, 1) = 0.5;
  world->BodyRadius(1, 1, 1) = 0.8f;
  world->BodyDayLength(1, 1, 1) = 100;
  world->BodyPeriod(1, 1, 1) = 100;
  world->BodyPressure(1, 1, 1) = 0.7f;
  Random moonDraws = Random::Scripted({});
  AtmosphereSurvey moon(*world, moonDraws);
  moon.MakeAtmosphere();
  EXPECT_EQ(moon.SurveyPressure, 0.7f);
  EXPECT_TRUE(world->BodyAtmosphere(1, 1, 1).empty());
}

TEST(AtmosphereTest, PressureAlbedoAndTheRetentionLadder) {
  struct Row {
    double mass;
    float radius;
    float age;
    const char* step;
  };
  // Mean temperature (300 + 280) / 2 - 10 = 280 K; the index is mass / radius / 280.
  for (const Row row :
       {Row{3.0, 1.0f, 4.0f, "SubJovian"},                                   // 0.0107
        Row{1.0, 1.0f, 0.5f, "Primordial"},                                  // young
        Row{1.0, 1.0f, 4.0f, "Habitability"}, Row{0.1, 1.0f, 4.0f, "Thin"},  // 0.000357
        Row{0.06, 1.0f, 4.0f, "Trace"}}) {                                   // 0.000214
    auto world = EarthSizedWorld(row.age);
    world->BodyMass(1, 1, 0) = row.mass;
    world->BodyRadius(1, 1, 0) = row.radius;
    Random random = Random::Scripted({Die(3, 6), Die(4, 6), Die(5, 6), Die(6, 6),  // 4d6 = 18
                                      Die(3, 6), Die(4, 6)});                      // albedo
    AtmosphereSurvey survey(*world, random);
    survey.stubbed = {"SubJovian", "Primordial", "Habitability", "Thin", "Trace"};
    survey.MakeAtmosphere();
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.step;
    EXPECT_EQ(survey.calls.back(), row.step) << row.mass;
    // P = sqrt(18 x m / 18); age / 4 + 0.5 above 1 raises it by (age / 4 + 0.5) / 10 + 1.
    const double outgassing = row.age / 4.0 + 0.5;
    const double p = std::sqrt(row.mass) * (outgassing > 1 ? outgassing / 10 + 1 : 1);
    EXPECT_FLOAT_EQ(survey.SurveyPressure, static_cast<float>(p)) << row.step;
    EXPECT_FLOAT_EQ(world->BodyAlbedo(1, 1, 0), static_cast<float>(0.12 + std::sqrt(p) / 5));
  }
}

TEST(AtmosphereTest, CarbonDioxideClassesFollowThePressure) {
  struct Row {
    float pressure;
    const char* bodyClass;
  };
  for (const Row row : {Row{5.0f, "W"}, Row{5.01f, "V"}, Row{0.1f, "W"}, Row{0.0999f, "M"}}) {
    auto world = EarthSizedWorld();
    world->BodyMass(1, 1, 0) = 0.06;  // the trace rung of the ladder
    Random random = Random::Scripted({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    AtmosphereSurvey survey(*world, random);
    survey.traceAir = [&] {
      world->BodyAtmosphere(1, 1, 0) = "Carbon Dioxide";
      world->BodyPressure(1, 1, 0) = row.pressure;
      world->BodyCarbonDioxide(1, 1, 0) = row.pressure;
    };
    survey.MakeAtmosphere();
    EXPECT_EQ(world->BodyClass(1, 1, 0), row.bodyClass) << row.pressure;
  }
  // Driven through the trace procedure with exact draws: 10 x P x Narrow + age / 2 x V.
  auto world = EarthSizedWorld();
  world->BodyMass(1, 1, 0) = 0.06;
  Random random = Random::Scripted({Die(3, 6), Die(3, 6), Die(3, 6), Die(3, 6),  // 4d6 = 12
                                    Die(1, 6), Die(1, 6),                        // albedo
                                    0.5f, 0.5f,                                  // Narrow = 1
                                    0.0f});                                      // u x P / 5
  AtmosphereSurvey survey(*world, random);
  survey.MakeAtmosphere();
  // P = sqrt(12 x 0.06 / 18) x 1.15 = 0.23; CO2 = 2.3 + 2 x 0.5 = 3.3 bars: class "W".
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyAtmosphere(1, 1, 0), "Carbon Dioxide");
  EXPECT_FLOAT_EQ(world->BodyCarbonDioxide(1, 1, 0), static_cast<float>(10 * 0.23 + 1.0));
  EXPECT_EQ(world->BodyClass(1, 1, 0), "W");
}

TEST(AtmosphereTest, HabitabilityCheckRoutes) {
  struct Row {
    float mean;
    float pressure;
    std::int16_t high;
    std::int16_t low;
    const char* starType;
    const char* step;
  };
  for (const Row row : {
           Row{290, 0.005f, 300, 280, "G 2 V  ", "Dry"},   // below the triple point
           Row{385, 1.0f, 390, 300, "G 2 V  ", "Hot"},     // too warm on average
           Row{300, 1.0f, 401, 250, "G 2 V  ", "Hot"},     // a hot side above 400
           Row{265, 1.0f, 300, 250, "G 2 V  ", "Cold"},    // too cold on average
           Row{271, 1.0f, 290, 200, "G 2 V  ", "Hot"},     // below 273: negative quotient
           Row{273, 1.0f, 290, 200, "G 2 V  ", "Living"},  // moved to 273.1: 1 / 0.1
           Row{300, 0.1f, 320, 280, "G 2 V  ", "Hot"},     // 0.1 / 27 below 0.0067
           Row{370, 0.3f, 380, 300, "G 2 V  ", "Hot"},     // 0.3 / 12 below 0.028
           Row{300, 1.0f, 320, 280, "K 6 III", "Hot"},     // no life round a giant
           Row{300, 1.0f, 320, 280, "G 2 V  ", "Living"},
       }) {
    auto world = EarthSizedWorld();
    world->StarType[1] = row.starType;
    world->BodyTempHigh(1, 1, 0) = row.high;
    world->BodyTempLow(1, 1, 0) = row.low;
    Random random = Random::Scripted({});
    AtmosphereSurvey survey(*world, random);
    survey.stubbed = {"Dry", "Hot", "Cold"};
    survey.SurveyMeanTemp = row.mean;
    survey.SurveyPressure = row.pressure;
    survey.CheckHabitability();
    EXPECT_EQ(survey.calls, std::vector<std::string>{row.step}) << row.mean << " " << row.high;
    EXPECT_EQ(world->BodyAtmosphere(1, 1, 0), "Habcheck");
  }
}

TEST(AtmosphereTest, PassChainsEndAtTheTenthPass) {
  // Warm enough to keep thickening a thin atmosphere: it stops after ten passes.
  auto thin = EarthSizedWorld();
  Random random(3);
  AtmosphereSurvey thinSurvey(*thin, random);
  thinSurvey.high = 250;
  thinSurvey.low = 200;
  thinSurvey.SurveyPressure = 0.5f;
  thinSurvey.MakeThinAtmosphere();
  EXPECT_EQ(thinSurvey.AtmospherePasses, 10);
  EXPECT_EQ(thin->BodyAtmosphere(1, 1, 0), "Carbon Dioxide");

  // Hot and the check send a body back and forth until the passes run out.
  auto hot = EarthSizedWorld();
  AtmosphereSurvey hotSurvey(*hot, random);
  hotSurvey.high = 350;
  hotSurvey.low = 300;
  hot->BodyTempHigh(1, 1, 0) = 350;
  hot->BodyTempLow(1, 1, 0) = 300;
  hotSurvey.SurveyMeanTemp = 375;
  hotSurvey.SurveyPressure = 0.2f;  // at 375 K: 0.2 / 17 is below 0.028, hot again
  hotSurvey.CheckHabitability();
  EXPECT_EQ(hotSurvey.AtmospherePasses, 10);
  EXPECT_EQ(hot->BodyAtmosphere(1, 1, 0), "Carbon Dioxide");
  EXPECT_EQ(hot->BodyWaterCover(1, 1, 0), 0.0f);
}

TEST(AtmosphereTest, FrozenBodyIsAirlessEvenAfterTheLastPass) {
  auto world = EarthSizedWorld();
  Random random = Random::Scripted({0.0f, Die(2, 6), Die(2, 6)});  // finish, then albedo dice
  AtmosphereSurvey survey(*world, random);
  survey.high = 60;
  survey.low = 30;
  world->BodyTempHigh(1, 1, 0) = 60;
  world->BodyTempLow(1, 1, 0) = 30;
  survey.SurveyPressure = 1;
  survey.AtmospherePasses = 9;  // this pass is the tenth
  world->BodyAtmosphere(1, 1, 0) = "Habcheck";
  survey.MakeColdAtmosphere();
  EXPECT_EQ(survey.AtmospherePasses, 10);
  EXPECT_EQ(world->BodyAtmosphere(1, 1, 0), "None");
  EXPECT_EQ(random.ScriptLeft(), 0u);
}

TEST(AtmosphereTest, SubJovianGasesAndCloudLife) {
  auto world = EarthSizedWorld(4.9f);
  world->BodyMass(1, 1, 0) = 3;
  Random random = Random::Scripted({
      0.5f, 0.5f, 0.5f, 0.5f,  // hydrogen and helium, Narrow = 1 each
      0.5f, 0.5f, 0.5f, 0.5f,  // methane (above 100 K) and ammonia (above 230 K)
      0.0f,                    // u x P
      D100(80), D100(60),      // 24 + 80 > 100, then 24 + 60 > 75
      Die(7, 10), Die(5, 5),   // 7 + 4.9 > 10: complexity d5 + 1 = 6
  });
  AtmosphereSurvey survey(*world, random);
  survey.SurveyPressure = 2;
  survey.MakeSubJovianAtmosphere();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyClass(1, 1, 0), "S");
  EXPECT_FLOAT_EQ(world->BodyHydrogen(1, 1, 0), (49 + 700) * 2.0f);
  EXPECT_FLOAT_EQ(world->BodyHelium(1, 1, 0), static_cast<float>((14.7 + 200) * 2));
  EXPECT_FLOAT_EQ(world->BodyAmmonia(1, 1, 0), static_cast<float>((2.45 + 20) * 2));
  EXPECT_EQ(world->BodyLifeComplexity(1, 1, 0), 6);
  EXPECT_TRUE(survey.Called("Civilizations"));
  EXPECT_EQ(world->BodyLifeKind(1, 1, 0), "Subjovian life");
}

TEST(AtmosphereTest, PrimordialAirOfAYoungWorld) {
  auto world = EarthSizedWorld(0.5f);
  Random random = Random::Scripted({
      0.5f, 0.5f,              // Wide = 1: Q = 10 x 1 + 1 / 0.5 = 12
      Die(4, 10),              // volcanism + 3
      0.5f, 0.5f, 0.5f, 0.5f,  // ammonia and methane (High 300: no water vapour)
      0.5f, 0.5f, 0.5f, 0.5f,  // nitrogen and carbon dioxide
      0.0f,                    // u x P / 50
  });
  AtmosphereSurvey survey(*world, random);
  survey.SurveyPressure = 1;
  survey.RetentionIndex = 0.004;
  survey.MakePrimordialAtmosphere();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyClass(1, 1, 0), "Y");
  EXPECT_FLOAT_EQ(world->BodyVolcanism(1, 1, 0), 3.5f);
  EXPECT_FLOAT_EQ(world->BodyMethane(1, 1, 0), static_cast<float>(0.12 * 12));
  EXPECT_FLOAT_EQ(world->BodyCarbonDioxide(1, 1, 0), 12.0f);
  EXPECT_EQ(world->BodyWaterVapor(1, 1, 0), 0.0f);
  // 12 + 3 + 1.44 + 0.96 bars of gas.
  EXPECT_FLOAT_EQ(world->BodyPressure(1, 1, 0), static_cast<float>(12 + 3 + 1.44 + 0.96));
  EXPECT_TRUE(survey.Called("Hydrosphere"));  // 300 K: between 280 and 380
}

}  // namespace
}  // namespace ax
