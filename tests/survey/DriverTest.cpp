#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/Numbers.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// The driver alone: the steps it calls only record themselves, and the first temperature pass
// gives each orbit a high temperature chosen by the test.
class DriverSurvey : public Survey {
 public:
  using Survey::Survey;

  std::function<std::int16_t(int star, int orbit)> layoutTemperature = [](int, int) {
    return std::int16_t{300};
  };
  std::function<void()> onWorld = [] {};
  std::vector<std::string> calls;

  void MakeOrbitElements() override { Record("Elements"); }
  void ComputeTemperatures() override {
    Record("Temperatures" + std::to_string(TempMode));
    if (TempMode == 1) {
      Body(world_.BodyTempHigh) = layoutTemperature(world_.CurrentStar, world_.CurrentOrbit);
    }
  }
  void MakeTerrestrialWorld() override {
    Record("Terrestrial");
    onWorld();
  }
  void MakeJovianWorld() override {
    Record("Jovian");
    onWorld();
  }
  void MakeMoons() override { Record("Belt"); }
  void MakeAtmosphere() override { Record("Atmosphere"); }

  std::vector<std::string> CallsFor(const std::string& step) const {
    std::vector<std::string> found;
    for (const auto& call : calls) {
      if (call.rfind(step, 0) == 0) found.push_back(call);
    }
    return found;
  }

 private:
  void Record(const std::string& step) {
    calls.push_back(step + " " + std::to_string(world_.CurrentStar) + "/" +
                    std::to_string(world_.CurrentOrbit) + "/" + std::to_string(world_.CurrentBody));
  }
};

// NarrowFactor is exactly 1 when both its draws are 0.5: the layout's plain distances.
std::vector<float> PlainLayout(int orbits) {
  return std::vector<float>(static_cast<std::size_t>(2 * orbits), 0.5f);
}

std::unique_ptr<World> SingleStar(double mass, const char* type, float age) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->StarMass[1] = mass;
  world->StarType[1] = type;
  world->SystemAge = age;
  return world;
}

TEST(SurveyDriverTest, SunlikeStarLaysOutOrbitsThenMakesWorldsOutermostFirst) {
  auto world = SingleStar(1.0, "G 2 V  ", 4.6f);
  // Orbit 12 lies at 50 AU, beyond 45 x 1^2: the layout ends there, after its draws.
  Random random = Random::Scripted(PlainLayout(12));
  DriverSurvey survey(*world, random);
  survey.layoutTemperature = [](int, int orbit) { return std::int16_t(orbit <= 4 ? 300 : 100); };
  int symbols = 0;
  survey.DrawOrbitSymbol = [&] { ++symbols; };
  survey.SurveySystem();

  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->SystemSurveyed, 1);
  EXPECT_EQ(survey.YoungSystem, 0);
  EXPECT_EQ(world->OrbitCount[1], 11);
  const double expected[] = {0, 0.1, 0.4, 0.7, 1.0, 1.6, 2.8, 5.2, 10, 20, 30, 40};
  for (int o = 1; o <= 11; ++o) {
    EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(1, o, 0), expected[o]) << o;
    EXPECT_EQ(world->BodyClass(1, o, 0), o <= 4 ? "T" : "J") << o;
  }
  EXPECT_TRUE(world->BodyClass(1, 12, 0).empty());
  EXPECT_EQ(world->StarSurveyOrbit[1], 5);  // the first cold orbit
  // One temperature pass per orbit under the young star; a main-sequence star needs no second.
  EXPECT_EQ(survey.CallsFor("Temperatures1").size(), 11u);
  EXPECT_TRUE(survey.CallsFor("Temperatures2").empty());
  const std::vector<std::string> worlds = {
      "Jovian 1/11/0",     "Jovian 1/10/0",     "Jovian 1/9/0",     "Jovian 1/8/0",
      "Jovian 1/7/0",      "Jovian 1/6/0",      "Jovian 1/5/0",     "Terrestrial 1/4/0",
      "Terrestrial 1/3/0", "Terrestrial 1/2/0", "Terrestrial 1/1/0"};
  std::vector<std::string> made = survey.CallsFor("Jovian");
  const auto terrestrial = survey.CallsFor("Terrestrial");
  made.insert(made.end(), terrestrial.begin(), terrestrial.end());
  EXPECT_EQ(made, worlds);
  EXPECT_EQ(symbols, 11);
  // The loops leave the selection one past the last star.
  EXPECT_EQ(world->CurrentStar, 2);
  EXPECT_EQ(world->CurrentOrbit, 0);
  EXPECT_EQ(world->CurrentBody, 0);
}

TEST(SurveyDriverTest, OrbitCountStopsAtFifteenAndAtTheOuterLimit) {
  // A star of 3 solar masses reaches 45 x 9 = 405 AU: all fifteen orbits, the last at 240 AU.
  auto heavy = SingleStar(3.0, "B 8 V  ", 0.2f);
  Random heavyDraws = Random::Scripted(PlainLayout(15));
  DriverSurvey heavySurvey(*heavy, heavyDraws);
  heavySurvey.SurveySystem();
  EXPECT_EQ(heavyDraws.ScriptLeft(), 0u);
  EXPECT_EQ(heavy->OrbitCount[1], 15);
  EXPECT_DOUBLE_EQ(heavy->BodySemiMajorAxis(1, 15, 0), 240.0);

  // A star of 0.3 ends at 45 x 0.09 = 4.05 AU: orbit 9 at 6 AU is beyond it.
  auto light = SingleStar(0.3, "M 4 V  ", 5.0f);
  Random lightDraws = Random::Scripted(PlainLayout(9));
  DriverSurvey lightSurvey(*light, lightDraws);
  lightSurvey.SurveySystem();
  EXPECT_EQ(lightDraws.ScriptLeft(), 0u);
  EXPECT_EQ(light->OrbitCount[1], 8);
  EXPECT_NEAR(light->BodySemiMajorAxis(1, 8, 0), 3.0, 1e-12);
}

TEST(SurveyDriverTest, MinimumSpacingPushesCrowdedOrbitsOut) {
  auto world = SingleStar(1.0, "G 2 V  ", 4.6f);
  // Orbit 2 drawn at 0.4 x 1.05^2 = 0.441 stays; orbit 3 drawn at 0.7 x 0.9^2 = 0.567 is
  // pushed out to 0.441 + 0.1 x 2; the rest keep their plain distances.
  std::vector<float> draws = {0.5f, 0.5f, 0.75f, 0.75f, 0.0f, 0.0f};
  const auto rest = PlainLayout(9);
  draws.insert(draws.end(), rest.begin(), rest.end());
  Random random = Random::Scripted(draws);
  DriverSurvey survey(*world, random);
  survey.SurveySystem();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(1, 2, 0), 0.4 * 1.1025);
  EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(1, 3, 0), 0.4 * 1.1025 + 0.2);
}

TEST(SurveyDriverTest, YoungSystemGetsProtoplanetBelts) {
  auto world = SingleStar(1.0, "G 2 V  ", 0.1f);  // 0.1 itself counts as young
  Random random = Random::Scripted(PlainLayout(12));
  DriverSurvey survey(*world, random);
  survey.layoutTemperature = [](int, int orbit) { return std::int16_t(orbit <= 6 ? 200 : 80); };
  survey.SurveySystem();
  EXPECT_EQ(survey.YoungSystem, 1);
  for (int o = 1; o <= 11; ++o) {
    EXPECT_EQ(world->BodyClass(1, o, 0), o <= 6 ? "P" : "I") << o;  // 80 K is not above 80
  }
  EXPECT_EQ(survey.CallsFor("Belt").size(), 11u);
  EXPECT_TRUE(survey.CallsFor("Terrestrial").empty());
  EXPECT_TRUE(survey.CallsFor("Jovian").empty());
}

TEST(SurveyDriverTest, PairLimitsTheOrbitsOfBothStarsAndAroundThem) {
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  world->StarMass = {1.5, 1.0, 0.5};
  world->StarType = {"G 2 V  ", "G 2 V  ", "K 5 V  "};
  world->StarSeparation = 2;
  world->SystemAge = 3;
  // Around the pair (scale 1.5) out to orbit 14 at 105 AU > 101.25; around star 1 to orbit 5
  // at 1.6 AU > 0.8 x 1.6; around star 2 to orbit 3 at 0.35 AU > 0.8 x 0.4.
  Random random = Random::Scripted(PlainLayout(14 + 5 + 3));
  DriverSurvey survey(*world, random);
  survey.SurveySystem();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(world->StarSeparation, 2.0);
  EXPECT_FLOAT_EQ(world->StarPeriod, static_cast<float>(std::sqrt(8 / 1.5)));
  EXPECT_FLOAT_EQ(world->StarOffset[1], 0.4f);  // 0.5^2 x 2 / (1 + 0.25)
  EXPECT_FLOAT_EQ(world->StarOffset[2], 1.6f);
  // Inside five separations of the pair the orbits stay empty but are counted.
  EXPECT_EQ(world->OrbitCount[0], 13);
  for (int o = 1; o <= 7; ++o) EXPECT_TRUE(world->BodyClass(0, o, 0).empty()) << o;
  EXPECT_EQ(world->BodyClass(0, 8, 0), "T");
  EXPECT_EQ(world->OrbitCount[1], 4);
  EXPECT_EQ(world->OrbitCount[2], 2);
  EXPECT_EQ(survey.CallsFor("Terrestrial").size(), 6u + 4u + 2u);
}

TEST(SurveyDriverTest, AVastPairKeepsFinitePeriodAndOffsets) {
  // Typed stars can be anything: 1e300 AU cubed overflows a double, and the mass squared
  // times the separation would be inf / inf.
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  world->StarMass = {1e20, 0.01, 1e20};
  world->StarType = {"M 9 V  ", "M 9 V  ", "G 2 V  "};
  world->StarSeparation = 1e300;
  world->SystemAge = 3;
  Random random(5);
  DriverSurvey survey(*world, random);
  survey.SurveySystem();
  EXPECT_FLOAT_EQ(world->StarPeriod, std::numeric_limits<float>::max());
  EXPECT_FLOAT_EQ(world->StarOffset[1], std::numeric_limits<float>::max());
  EXPECT_TRUE(std::isfinite(world->StarOffset[2]));
}

TEST(SurveyDriverTest, GiantStarsWarmTheirWorldsAgainAsTheyAreNow) {
  auto world = SingleStar(1.5, "K 6 III", 2.9f);
  Random random = Random::Scripted(PlainLayout(14));  // orbit 14 at 105 AU > 45 x 2.25
  DriverSurvey survey(*world, random);
  survey.SurveySystem();
  EXPECT_EQ(world->OrbitCount[1], 13);
  EXPECT_EQ(survey.CallsFor("Temperatures2").size(), 13u);
  EXPECT_EQ(survey.calls[1], "Temperatures1 1/1/0");
  EXPECT_EQ(survey.calls[2], "Temperatures2 1/1/0");
}

TEST(SurveyDriverTest, WhiteDwarfWidensItsWorldsAndRemakesTheirBodies) {
  auto world = SingleStar(0.6, "A 5 D  ", 5.0f);  // scale 1.8: orbit 15 at 144 AU < 145.8
  Random random = Random::Scripted(PlainLayout(15));
  DriverSurvey survey(*world, random);
  survey.onWorld = [&] {
    if (world->CurrentOrbit == 1) {  // a world with a tiny moon and a belt-less rocky moon
      world->MoonCount[1][1] = 2;
      world->BodyClass(1, 1, 1) = "Z";
      world->BodyClass(1, 1, 2) = "T";
    }
  };
  survey.SurveySystem();
  EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(1, 1, 0), 0.1 * 1.8 * std::sqrt(3.0));
  EXPECT_EQ(world->OrbitCount[1], 15);
  // After the world is made, the world and each of its moons get new elements and air.
  const std::vector<std::string> remade = {
      "Terrestrial 1/1/0", "Elements 1/1/0", "Atmosphere 1/1/0", "Elements 1/1/1",
      "Atmosphere 1/1/1",  "Elements 1/1/2", "Atmosphere 1/1/2"};
  const std::vector<std::string> tail(survey.calls.end() - 7, survey.calls.end());
  EXPECT_EQ(tail, remade);
}

TEST(SurveyDriverTest, PairWithAWhiteDwarfWidensOnceAndLosesWorldsToThePartner) {
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  world->StarMass = {1.6, 1.0, 0.6};
  world->StarType = {"G 2 V  ", "G 2 V  ", "A 5 D  "};
  world->StarSeparation = 20;
  world->SystemAge = 3;
  // Scales: pair 1.6, star 1 1.0, star 2 1.8. The separation shrinks by
  // sqrt((1.8 + 1) / 1.6) before the layout, to 15.12 AU, and grows back once.
  // Layouts: pair to orbit 15 (128 AU > 45 x 1.6^2), star 1 to orbit 8 (10 AU > 0.8 x 11.12),
  // star 2 to orbit 6 (5.04 AU > 0.8 x 4.0).
  Random random = Random::Scripted(PlainLayout(15 + 8 + 6));
  DriverSurvey survey(*world, random);
  survey.onWorld = [&] {
    world->MoonCount[world->CurrentStar][world->CurrentOrbit] = 1;
    world->BodyClass(world->CurrentStar, world->CurrentOrbit, 1) = "Z";
  };
  survey.SurveySystem();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_NEAR(world->StarSeparation, 20.0, 1e-12);
  EXPECT_FLOAT_EQ(world->StarPeriod, static_cast<float>(std::sqrt(8000 / 1.6)));
  EXPECT_NEAR(world->StarOffset[1], 0.36 * 20 / std::sqrt(1.75) / 1.36, 1e-5);
  EXPECT_EQ(world->OrbitCount[2], 5);
  // Widened by sqrt(3), orbit 5 (4.99 AU) passes 0.8 x 4.0: the world and its moon are gone;
  // orbit 4 (3.12 AU) stays.
  EXPECT_TRUE(world->BodyClass(2, 5, 0).empty());
  EXPECT_EQ(world->MoonCount[2][5], 0);
  EXPECT_EQ(world->BodyClass(2, 4, 0), "T");
  EXPECT_EQ(world->MoonCount[2][4], 1);
  EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(2, 4, 0), 1.8 * std::sqrt(3.0));
}

}  // namespace
}  // namespace ax
