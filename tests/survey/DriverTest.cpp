#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

// A lone star of one solar mass and this type, luminosity and age; nothing surveyed yet.
std::unique_ptr<World> LoneStar(const char* type, float luminosity, float age, double mass = 1) {
  auto w = std::make_unique<World>();
  w->StarCount = 1;
  w->StarType[1] = type;
  w->StarMass[1] = mass;
  w->StarLuminosity[1] = luminosity;
  w->StarTemperature[1] = 5800;
  w->SystemAge = age;
  return w;
}

// The layout draws of one orbit at its plain distance (NarrowFactor 0.5, 0.5 is exactly 1)
// with circular, quiet elements; an orbit beyond 30 AU per squared solar mass draws its
// stretch and a failed doubling roll, and a remnant draws the NarrowFactor of its early light.
std::vector<float> PlainOrbit(bool distant, bool remnant = false) {
  std::vector<float> d = {0.5f, 0.5f, 0.0f};
  if (distant) d.insert(d.end(), {0.0f, D100(100)});
  d.insert(d.end(), {0.0f, Die(1, 6), Die(1, 6), D100(100), 0.0f, 0.0f, 0.0f});
  if (remnant) d.insert(d.end(), {0.5f, 0.5f});
  return d;
}

// Orbits 1 to 11 of a star of one solar mass laid out plainly; orbit 12 at 50 AU lies beyond
// 45 x 1^2 AU and ends the layout after its distance draws.
std::vector<float> SunLayout() {
  std::vector<float> draws;
  for (int o = 1; o <= 11; ++o) {
    const auto orbit = PlainOrbit(o == 11);
    draws.insert(draws.end(), orbit.begin(), orbit.end());
  }
  draws.insert(draws.end(), {0.5f, 0.5f});
  return draws;
}

TEST(SurveyDriverTest, LaysOutOrbitsAndMakesWorldsOutermostFirst) {
  // A star 10^8 times as bright as the Sun: every orbit is above 1800 K, too hot for any world
  // to form, so the survey draws nothing past the layout. Distances 0.1, 0.4, (4 + 3 x 2^(o-3))
  // / 10 to orbit 8, then 10 (o - 7) AU; an orbit closer than 0.1 (o - 1) AU to the one inside
  // is pushed out to it. The last high temperature is 279 L^(1/4) (1 - 0.15)^(1/4) / sqrt(40)
  // + 25 K on a dry airless day side: 4282 K for the early light L / (4.6 / 20 + 0.75). Orbit 2
  // at 0.4 x 1.05^2 = 0.441 stays; orbit 3 at 0.7 x 0.9^2 = 0.567 is pushed out to 0.441 + 0.2.
  auto world = LoneStar("G 2 V  ", 1e8f, 4.6f);
  std::vector<float> draws = SunLayout();
  draws[10] = draws[11] = 0.75f;
  draws[20] = draws[21] = 0.0f;
  Random random = Random::Scripted(draws);
  Survey survey(*world, random);
  std::vector<int> drawn;
  survey.DrawOrbitSymbol = [&] { drawn.push_back(world->CurrentOrbit); };
  survey.SurveySystem();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->OrbitCount[1], 11);
  const double axes[] = {0.1, 0.441, 0.641, 1.0, 1.6, 2.8, 5.2, 10, 20, 30, 40};
  for (int o = 1; o <= 11; ++o) {
    EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(1, o, 0), axes[o - 1]) << o;
    EXPECT_EQ(world->BodyClass(1, o, 0), "") << o;
  }
  EXPECT_EQ(world->BodyTempHigh(1, 11, 0), 4282);
  EXPECT_EQ(drawn, (std::vector<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(SurveyDriverTest, SunlikeStarHasItsSnowLineAtFiveAu) {
  // The same layout under the Sun's own light: the day side reaches 269.25 / sqrt(a) + 25 K,
  // 186 K at 2.8 AU, 143 K at 5.2 AU. Rock forms above 145 K: the first giant is on orbit 7.
  auto world = LoneStar("G 2 V  ", 1, 4.6f);
  Random random = Random::Scripted(ThenAny(SunLayout()));
  Survey survey(*world, random);
  int snowLine = 0;
  survey.DrawOrbitSymbol = [&] {
    if (snowLine == 0) snowLine = world->StarSurveyOrbit[1];  // before any inner world is made
  };
  survey.SurveySystem();
  EXPECT_EQ(snowLine, 7);
  // Kepler's law at 5.2 AU; no later step changes a world's period.
  EXPECT_NEAR(world->BodyPeriod(1, 7, 0), std::pow(5.2, 1.5) * 8766, 1e-6);
  // At 5.2 AU a giant gets at least 1500 / a x 0.16 > 4 masses.
  EXPECT_EQ(world->BodyClass(1, 7, 0), "J");
}

TEST(SurveyDriverTest, WhiteDwarfWidensItsWorldsOrbits) {
  // A dwarf of 2 solar masses spaces its orbits as for 6 and lit its young disc with
  // 0.75 x 6^4 = 972 Suns: orbit 1 at 0.6 AU was 1956 K, too hot for a world. Its orbit
  // then widens by sqrt(3) as the star loses its mass.
  auto world = LoneStar("A 5 D  ", 0.001f, 5, 2);
  std::vector<float> draws;
  for (int o = 1; o <= 15; ++o) {
    const auto orbit = PlainOrbit(o >= 10, true);  // beyond 30 AU x 2^2 from orbit 10 on
    draws.insert(draws.end(), orbit.begin(), orbit.end());
  }
  Random random = Random::Scripted(ThenAny(draws));
  Survey survey(*world, random);
  survey.SurveySystem();
  EXPECT_EQ(world->OrbitCount[1], 15);  // 480 AU is within 45 x 6^2
  EXPECT_EQ(world->BodyClass(1, 1, 0), "");
  EXPECT_DOUBLE_EQ(world->BodySemiMajorAxis(1, 1, 0), 0.6 * std::sqrt(3.0));
}

TEST(SurveyDriverTest, AVastPairKeepsFinitePeriodAndOffsets) {
  // Typed stars can be anything: 1e300 AU cubed overflows a double, and the mass squared
  // times the separation would be inf / inf.
  World w;
  w.StarCount = 2;
  w.StarMass = {1e20, 0.01, 1e20};
  w.StarType = {"M 9 V  ", "M 9 V  ", "G 2 V  "};
  w.StarSeparation = 1e300;
  w.SystemAge = 3;
  Random random(5);
  Survey survey(w, random);
  survey.SurveySystem();
  EXPECT_FLOAT_EQ(w.StarPeriod, std::numeric_limits<float>::max());
  EXPECT_FLOAT_EQ(w.StarOffset[1], std::numeric_limits<float>::max());
  EXPECT_TRUE(std::isfinite(w.StarOffset[2]));
}

}  // namespace
}  // namespace ax::test
