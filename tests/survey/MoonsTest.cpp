#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

TEST(MakeMoonSystemTest, MoonsStayInReachApartAndOutsideTheTearingLimitSorted) {
  // Mass 3 at 0.035 AU: Int(5 x 0.5493) + 4 - 2 = 4 moons. The world's reach against its star is
  // 23361 x 0.035 x (3 / 665550)^0.4 = 5.9448 radii; inside 2.45 its tide tears a moon apart.
  // The world's axis stands square to its star, which then raises no tide on it.
  constexpr double kReach = 5.944778813771821;
  Rig rig;
  rig.At(rig.w.BodyMass) = 3;
  rig.At(rig.w.BodySemiMajorAxis) = 0.035;
  rig.At(rig.w.BodyPeriod) = std::pow(0.035, 1.5) * 8766;
  rig.At(rig.w.BodyObliquity) = 90;
  rig.Draws(ThenAny(Script({
      {Die(4, 4), Die(6, 6), D100(50)},
      {Die(1, 20), Die(2, 10), 0.5f, D100(21)},  // 3 + 2 - 0.5 = 4.5
      // 3 + 4 - 0.5 = 6.5 beyond reach: 5.94 - 0 - 2 = 3.94, within 1 of 4.5: + 2 + 0.25
      {Die(1, 20), Die(4, 10), 0.5f, D100(21), 0.0f, Die(2, 2), 0.25f},
      // 6 + 1 - 0 = 7, doubled (20 % chance) to 14, pulled back to 5.94 - 0.75 - 3 = 2.19,
      // inside 2.45: 0.5 + 2.44
      {Die(2, 20), Die(1, 10), 0.0f, D100(20), D100(21), 0.75f, 0.5f},
      // 3 + 2 - 0.9 = 4.1 near 4.5: + 2 + 0 = 6.1, now near 6.19: + 1 + 0.5
      {Die(1, 20), Die(2, 10), 0.9f, D100(21), Die(2, 2), 0.0f, Die(1, 2), 0.5f},
  })));
  rig.survey.MakeMoonSystem();
  ASSERT_EQ(rig.Moons(), 4);
  // The last: 3 + 2 - 0.9 (as a 32-bit draw) + 2 + 1 + 0.5.
  const double sorted[] = {2.94, 4.5, kReach + 0.25, 7.600000023841858};
  for (int b = 1; b <= 4; ++b) {
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, b), sorted[b - 1]) << b;
  }
}

TEST(ApplyTidesTest, StarOrWorldLocksOrBrakesABody) {
  // Above (moons + 1) x 4e-6 a body turns its face to what raises the tide, its tilt 2u (2u +
  // 178 on a retrograde orbit), its day its year, 2/3 of it on a d100 of 91 to 99. From 2e-6 to
  // 4e-6 the day is braked to 20 + day x d100 x tide x 500000. A tilt past 90 turns the day
  // backwards, tide or none. The star's tide on Earth, 1.3e20 (r^-2 - (r + 12.7e6)^-2) cos^2(tilt)
  // with r = a x 1.49e11 m, is 1.057e-4 at 0.2 AU, 3.08e-6 at 0.65 AU and 9e-12 at 30 AU.
  struct Row {
    const char* name;
    double axis;
    Change change;
    std::vector<float> draws;
    float obliquity, day;
  };
  const Change none = [](Rig&) {};
  // clang-format off
  const Row rows[] = {
      {"synchronous", 0.2, none, {0.25f, D100(90)}, 0.5f, 1000},
      {"three to two", 0.2, none, {0.25f, D100(91)}, 0.5f, 666.66669f},
      {"retrograde orbit", 0.2, Set(&World::BodyInclination, 120), {0.25f, D100(90)}, 178.5f,
       -1000},
      {"braked", 0.65, none, {D100(50)}, 23, 1867.6689f},
      {"far out, tilted past 90", 30, Set(&World::BodyObliquity, 120), {}, 120, -24},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The rig's Earth with a period of 1000 hours, tilt 23 and inclination 2.
    Rig rig;
    rig.At(rig.w.BodySemiMajorAxis) = row.axis;
    rig.At(rig.w.BodyObliquity) = 23;
    rig.At(rig.w.BodyInclination) = 2;
    rig.At(rig.w.BodyPeriod) = 1000;
    row.change(rig);
    rig.Draws(row.draws);
    rig.survey.ApplyTides();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyObliquity), row.obliquity);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDayLength), row.day);
  }
}

// A belt world on this orbit of the rig's star, the orbit inside at the given distance.
void SetBelt(Rig& rig, double worldMass, int orbit, double worldAxis, double innerAxis) {
  rig.w.SystemAge = 5;
  rig.Select(1, orbit);
  rig.At(rig.w.BodyClass) = "I";
  rig.At(rig.w.BodyMass) = worldMass;
  rig.At(rig.w.BodySemiMajorAxis) = worldAxis;
  rig.w.BodySemiMajorAxis(1, orbit - 1, 0) = innerAxis;
}

TEST(BeltBodiesTest, TwoBodiesSpreadAroundTheWorldsPath) {
  // Int(m) + d6 = 2 bodies in an icy belt of mass 1; they sit at a - u1 x inner - u2 / 10 and
  // mirrored beyond the world: 1 - 0.5 x 0.4 - 0.05 = 0.75 and 1.25.
  Rig rig;
  SetBelt(rig, 1, 4, 1, 0.4);
  rig.Draws(ThenAny({Die(1, 6), 0.5f, 0.5f}));
  rig.survey.MakeMoons();
  ASSERT_EQ(rig.Moons(), 2);
  EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, 0), 1.0);
  EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, 1), 0.75);
  EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, 2), 1.25);
}

TEST(BeltBodiesTest, BodyMassDoublesUpToTheAgeCap) {
  // A body weighs 3u / 50000 + 0.00001, doubled on each d100 of 25 or less below 0.01 / age. At
  // 10 billion years the cap is 0.001: 0.00004 doubles five times to 0.00128; the sixth 25 after
  // them must not be taken.
  Rig old;
  SetBelt(old, 0, 4, 1, 0.4);
  old.w.SystemAge = 10;
  old.Draws(ThenAny(Script({{Die(1, 6)}, kQuietElements, {0.5f}, std::vector(6, D100(25))})));
  old.survey.MakeMoons();
  EXPECT_DOUBLE_EQ(old.At(old.w.BodyMass, 1), 0.00128);
}

}  // namespace
}  // namespace ax::test
