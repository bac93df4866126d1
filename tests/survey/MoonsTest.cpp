#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "SurveyRig.h"
#include "model/Numbers.h"

namespace ax {
namespace {

using test::Both;
using test::Change;
using test::D100;
using test::Die;
using test::kQuietElements;
using test::Rig;
using test::Script;
using test::Set;
using test::ThenAny;

// The elements of a moon beyond 30 world radii: circular after its stretch draw and one failed
// doubling roll, then as kQuietElements.
const std::vector<float> kDistantElements = {0.0f,      0.0f,      D100(100), 0.0f, Die(1, 6),
                                             Die(1, 6), D100(100), 0.0f,      0.0f, 0.0f};

// A rocky world's moon at 3 x d20 + d10 - u world radii that fails its doubling roll.
std::vector<float> RockyOrbit(int d20, int d10, float spread) {
  return {Die(d20, 20), Die(d10, 10), spread, D100(99)};
}

// The rig's world made this class, mass and size, at this distance with its year and a day of
// 20 hours; its star's tide there is far too weak to turn it.
void SetWorld(Rig& rig, const char* bodyClass, double mass, float radius, double axis,
              float obliquity) {
  rig.At(rig.w.BodyClass) = bodyClass;
  rig.At(rig.w.BodyMass) = mass;
  rig.At(rig.w.BodyRadius) = radius;
  rig.At(rig.w.BodySemiMajorAxis) = axis;
  rig.At(rig.w.BodyPeriod) = std::pow(axis, 1.5) * 8766;
  rig.At(rig.w.BodyDayLength) = 20;
  rig.At(rig.w.BodyObliquity) = obliquity;
}

TEST(MakeMoonSystemTest, CountFromTheWorldsMassWithACapture) {
  // Int((d6 - 1) ln sqrt(m)) + d4 - 2 moons, none for a world locked to its star (a day within
  // an hour of its year); below 4 masses one more is captured when m / 10 + d100 / 100 > 1.
  // Never more than 20.
  struct Row {
    const char* name;
    double mass;
    float day;  // 0: the rig's 20 hours
    std::vector<float> draws;
    int count;
  };
  // clang-format off
  const Row rows[] = {
      {"d4 2: none; 0.1 + 0.9 captures none", 1, 0, {Die(2, 4), Die(6, 6), D100(90)}, 0},
      {"d4 3: one; 0.1 + 0.91 captures", 1, 0, {Die(3, 4), Die(6, 6), D100(91)}, 2},
      // Int(5 x 4.2586) + 4 - 2 = 23; at 4 masses or more no capture roll.
      {"5000 masses", 5000, 0, {Die(4, 4), Die(6, 6)}, 20},
      {"no mass, no logarithm; 0 + 1.0 captures none", 0, 0, {Die(4, 4), Die(6, 6), D100(100)}, 0},
      {"0.001 masses: -1, but 0.0001 + 1.0 captures", 0.001, 0, {Die(1, 4), Die(1, 6), D100(100)},
       1},
      {"locked", 1, 8765.5f, {Die(4, 4), Die(1, 6), D100(10)}, 0},
      {"locked, captures", 1, 8765.5f, {Die(4, 4), Die(1, 6), D100(95)}, 1},
      {"a full hour short of the year", 1, 8765, {Die(4, 4), Die(1, 6), D100(10)}, 2},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    SetWorld(rig, row.mass > 4 ? "J" : "T", row.mass, row.mass > 4 ? 10.0f : 1.0f, 1, 23.5f);
    if (row.day > 0) {
      rig.At(rig.w.BodyPeriod) = 8766;
      rig.At(rig.w.BodyDayLength) = row.day;
    }
    rig.Draws(ThenAny(row.draws));
    rig.survey.MakeMoonSystem();
    EXPECT_EQ(rig.Moons(), row.count);
    EXPECT_EQ(rig.w.CurrentBody, 0);
  }
}

TEST(MakeMoonSystemTest, MoonsStayInReachApartAndOutsideTheTearingLimitSorted) {
  // Mass 3 at 0.035 AU: Int(5 x 0.5493) + 4 - 2 = 4 moons. The world's reach against its star is
  // 23361 x 0.035 x (3 / 665550)^0.4 = 5.9448 radii; inside 2.45 its tide tears a moon apart.
  // The world's axis stands square to its star, which then raises no tide on it.
  constexpr double kReach = 5.944778813771821;
  Rig rig;
  SetWorld(rig, "T", 3, 1, 0.035, 90);
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

TEST(MakeMoonSystemTest, ReachIsUnboundedWithoutAStarOrAWorldSize) {
  // 60 + 10 - 0 doubled once to 140. A world of radius 1 at 1 AU reaches 109.45 radii: the moon
  // is pulled back to 109.45 - 0 - 1. With no star mass or no radius nothing bounds it.
  struct Row {
    const char* name;
    double scale;
    float radius;
    std::vector<float> pullBack;
    double axis;
  };
  // clang-format off
  const Row rows[] = {
      {"bounded", 1, 1, {0.0f}, 108.45085394166118},
      {"no star", 0, 1, {}, 140},
      {"no size", 1, 0, {}, 140},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    SetWorld(rig, "T", 1, row.radius, 1, 23.5f);
    rig.survey.OrbitScale[1] = row.scale;
    rig.Draws(ThenAny(Script({{Die(3, 4), Die(1, 6), D100(10)},
                              {Die(20, 20), Die(10, 10), 0.0f, D100(1)},
                              row.pullBack})));
    rig.survey.MakeMoonSystem();
    ASSERT_EQ(rig.Moons(), 1);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, 1), row.axis);
  }
}

TEST(MakeMoonSystemTest, MoonMassAndTheTideThatTurnsTheWorld) {
  // A moon weighs u / 10000 + 0.00001, x v when v = d10 + ln sqrt(M) (+ 5 for a captured first
  // moon) exceeds 7, doubled on each d100 of 60 or less below M / 2; heavier than its world it
  // takes 0.9 to 1 of it. A rocky moon above 0.001 masses whose tide
  // m 4e14 (r^-2 - (r + D)^-2) cos^2(tilt) beats count x 3e-6 turns the world: its day becomes
  // the moon's period sqrt((R a)^3 / M) x 1.4076 h (2/3 of it on a d100 of 91 to 99) and its axis
  // follows the moon's inclination (here 2.25) + 3 - 6u. The worlds lie at 10 AU, tilted 30.
  struct Row {
    const char* name;
    const char* worldClass;
    double worldMass;
    float worldRadius;
    std::vector<float> draws;
    double moonMass;
    const char* moonClass;  // nullptr: whatever its air made of it
    bool turns;
  };
  const std::vector<float> nearMoon = Script({RockyOrbit(1, 1, 0.9f), kQuietElements});  // 3.1
  const std::vector<float> one = {Die(3, 4), Die(1, 6), D100(10)};
  // clang-format off
  const Row rows[] = {
      {"too light", "T", 1, 0.1f, Script({one, nearMoon, {0.99f, Die(9, 10), D100(99)}}),
       0.0009810000085830688, "Z", false},
      // The tide 0.0551 turns the world to 2/3 of the period 0.24295 h; its tilt 2.25 + 3 - 1.5.
      {"rocky", "T", 1, 0.1f,
       Script({one, nearMoon, {0.99f, Die(10, 10), D100(99), D100(95), 0.25f}}),
       0.0010900000095367432, nullptr, true},
      // v = 10 + 1.4979: 0.000109 x 11.4979 doubled 13 times to pass 10; 2 x 2 + 1 + 0.44 + 0.5.
      {"giant", "J", 20, 10, Script({{Die(3, 4), Die(1, 6), Die(2, 10), Die(2, 4), 0.5f, D100(99)},
       kQuietElements, {0.99f, Die(10, 10)},
       std::vector(13, D100(60))}), 10.26676671873333, "J", false},
      // No moons of its own, but 0.0001 + 1.0 captures one at 34.5: v = 10 - 3.4539 + 5 makes
      // 0.00126, past the doubling limit and its world, so it takes (0.05 + 0.9) x 0.001.
      {"captured", "T", 0.001, 0.1f,
       Script({{Die(1, 4), Die(1, 6), D100(100)}, RockyOrbit(10, 5, 0.5f),
       kDistantElements, {0.99f, Die(10, 10), 0.5f}}), 0.95 * 0.001, "Z", false},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    SetWorld(rig, row.worldClass, row.worldMass, row.worldRadius, 10, 30);
    rig.Draws(ThenAny(row.draws));
    rig.survey.MakeMoonSystem();
    ASSERT_EQ(rig.Moons(), 1);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass, 1), row.moonMass);
    if (row.moonClass != nullptr) {
      EXPECT_EQ(rig.At(rig.w.BodyClass, 1), row.moonClass);
    }
    if (row.turns) {
      EXPECT_DOUBLE_EQ(rig.survey.MoonTide, 0.055090445004020286);
      EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDayLength, 0),
                      static_cast<float>(0.24295274686391846 * 2 / 3));
      EXPECT_FLOAT_EQ(rig.At(rig.w.BodyObliquity, 0), 3.75f);
    } else {
      EXPECT_EQ(rig.At(rig.w.BodyDayLength, 0), 20.0f);
      EXPECT_EQ(rig.At(rig.w.BodyObliquity, 0), 30.0f);
    }
  }
}

TEST(MakeMoonSystemTest, MoreMoonsNeedAStrongerTideToTurnTheWorld) {
  // A moon of 0.00109 masses at 16 radii of an upright Earth raises 8.78e-6: above 2 x 3e-6,
  // below 3 x 3e-6. The third moon is a capture, whose + 5 the first moon's d10 of 5 offsets.
  for (const bool third : {false, true}) {
    SCOPED_TRACE(third);
    Rig rig;
    SetWorld(rig, "T", 1, 1, 10, 0);
    rig.Draws(ThenAny(Script({{Die(4, 4), Die(1, 6), D100(third ? 95 : 10)},
                              RockyOrbit(5, 1, 0.0f),                                   // 16
                              RockyOrbit(10, 5, 0.5f),                                  // 34.5
                              third ? RockyOrbit(20, 10, 0.0f) : std::vector<float>{},  // 70
                              kQuietElements,
                              {0.99f, Die(third ? 5 : 10, 10), D100(99), D100(50), 0.5f}})));
    rig.survey.MakeMoonSystem();
    ASSERT_EQ(rig.Moons(), third ? 3 : 2);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, 1), 16.0);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass, 1), 0.0010900000095367432);
    // Turned, the world's day is the moon's period, sqrt(16^3) x 1.4076 hours.
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDayLength, 0), third ? 20.0f : 64 * 1.4076f);
  }
}

TEST(SortMoonsTest, SortsTheMoonsByDistanceOnly) {
  Rig rig;
  rig.w.MoonCount[1][3] = 5;
  const double axes[] = {5, 3, 9, 3, 1, 4};  // the sixth is beyond the count
  for (int b = 1; b <= 6; ++b) rig.At(rig.w.BodySemiMajorAxis, b) = axes[b - 1];
  rig.At(rig.w.BodyMass, 1) = 0.5;
  rig.survey.SortMoons();
  const double sorted[] = {1, 3, 3, 5, 9, 4};
  for (int b = 1; b <= 6; ++b) EXPECT_EQ(rig.At(rig.w.BodySemiMajorAxis, b), sorted[b - 1]) << b;
  EXPECT_EQ(rig.At(rig.w.BodySemiMajorAxis, 0), 1.0);
  EXPECT_EQ(rig.At(rig.w.BodyMass, 1), 0.5);
}

TEST(ApplyTidesTest, StarOrWorldLocksOrBrakesABody) {
  // Above (moons + 1) x 4e-6 a body turns its face to what raises the tide, its tilt 2u (2u +
  // 178 on a retrograde orbit), its day its year, 2/3 of it on a d100 of 91 to 99, 1/2 on 100; a
  // world held harder by a moon is not turned. From 2e-6 to 4e-6 the day is braked to 20 + day x
  // d100 x tide x 500000. A tilt past 90 (taken as 180 - tilt) turns the day backwards, tide or
  // none. Giants and worlds round a pair are left alone. The star's tide on a body of radius 1,
  // 1.3e20 (r^-2 - (r + 12.7e6)^-2) cos^2(tilt) with r = a x 1.49e11 m, is 1.057e-4 at 0.2 AU,
  // 3.13e-5 at 0.3 AU, 3.08e-6 at 0.65 AU and 9e-12 at 30 AU.
  struct Row {
    const char* name;
    int star, body;
    double axis;
    Change change;
    std::vector<float> draws;
    float obliquity, day;
  };
  const auto moons = [](int n) {
    return [n](Rig& r) { r.w.MoonCount[1][3] = static_cast<std::int16_t>(n); };
  };
  const auto tilt = [](float t) { return Set(&World::BodyObliquity, t); };
  const Change held = [](Rig& r) { r.survey.MoonTide = 1; };
  // A belt body of radius 0.05 (4.84e-5 at 0.1 AU) feels its star, not its belt's world, which
  // has no radius; a body that is not the world ignores the moon tide.
  const Change belt = [held](Rig& r) {
    r.w.BodyClass(1, 3, 0) = "P";
    r.w.BodyRadius(1, 3, 0) = 0;
    r.w.MoonCount[1][3] = 5;
    r.At(r.w.BodyRadius) = 0.05f;
    held(r);
  };
  // A moon of radius 0.5 at 20 radii of a giant of 300 masses and radius 10 feels 1.2e17
  // (r^-2 - (r + 6.35e6)^-2) cos^2(180 - 150), r = 10 x 6378000 x 20: 5.5e-4 > 16e-6.
  const Change giantsMoon = [held](Rig& r) {
    r.w.BodyClass(1, 3, 0) = "J";
    r.w.BodyMass(1, 3, 0) = 300;
    r.w.BodyRadius(1, 3, 0) = 10;
    r.w.MoonCount[1][3] = 3;
    r.At(r.w.BodyRadius) = 0.5f;
    r.At(r.w.BodyObliquity) = 150;
    held(r);
  };
  // A moon of a world with no radius is at no distance: no tide rather than an infinite one.
  const Change nowhere = [](Rig& r) {
    r.w.BodyRadius(1, 3, 0) = 0;
    r.At(r.w.BodyObliquity) = 120;
    r.At(r.w.BodyDayLength) = -10;
  };
  const Change none = [](Rig&) {};
  // clang-format off
  const Row rows[] = {
      {"synchronous", 1, 0, 0.2, none, {0.25f, D100(90)}, 0.5f, 1000},
      {"three to two", 1, 0, 0.2, none, {0.25f, D100(91)}, 0.5f, 666.66669f},
      {"two to one", 1, 0, 0.2, none, {0.25f, D100(100)}, 0.5f, 500},
      {"retrograde orbit", 1, 0, 0.2, Set(&World::BodyInclination, 120), {0.25f, D100(90)}, 178.5f,
       -1000},
      {"six moons", 1, 0, 0.3, moons(6), {0.25f, D100(90)}, 0.5f, 1000},
      {"seven moons hold it", 1, 0, 0.3, moons(7), {}, 23, 24},
      {"braked", 1, 0, 0.65, none, {D100(50)}, 23, 1867.6689f},
      {"braked, tilted past 90", 1, 0, 0.65, tilt(157), {D100(50)}, 157, -1867.6689f},
      {"far out, tilted past 90", 1, 0, 30, tilt(120), {}, 120, -24},
      {"giant", 1, 0, 0.2, Set(&World::BodyClass, "J"), {}, 23, 24},
      {"round a pair", 0, 0, 0.2, none, {}, 23, 24},
      {"held by a moon", 1, 0, 0.2, held, {}, 23, 24},
      {"belt body", 1, 2, 0.1, belt, {0.5f, D100(90)}, 1, 1000},
      {"giant's moon", 1, 1, 20, giantsMoon, {0.5f, D100(96)}, 1, 666.66669f},
      {"moon at no distance", 1, 1, 5, nowhere, {}, 120, 10},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // A rocky body of radius 1, period 1000 hours, day 24, tilt 23 and inclination 2.
    Rig rig;
    rig.Select(row.star, 3, row.body);
    rig.At(rig.w.BodyClass) = "T";
    rig.At(rig.w.BodySemiMajorAxis) = row.axis;
    rig.At(rig.w.BodyRadius) = 1;
    rig.At(rig.w.BodyObliquity) = 23;
    rig.At(rig.w.BodyInclination) = 2;
    rig.At(rig.w.BodyPeriod) = 1000;
    rig.At(rig.w.BodyDayLength) = 24;
    row.change(rig);
    rig.Draws(row.draws);
    rig.survey.ApplyTides();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyObliquity), row.obliquity);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDayLength), row.day);
  }
}

// A belt world on orbit o of the rig's star (age 5 unless given), the orbit inside at the
// given distance.
void SetBelt(Rig& rig, const char* worldClass, double worldMass, int orbit, double worldAxis,
             double innerAxis, float age = 5) {
  rig.w.SystemAge = age;
  rig.Select(1, orbit);
  rig.At(rig.w.BodyClass) = worldClass;
  rig.At(rig.w.BodyMass) = worldMass;
  rig.At(rig.w.BodySemiMajorAxis) = worldAxis;
  rig.w.BodySemiMajorAxis(1, orbit - 1, 0) = innerAxis;
  rig.survey.MoonTide = 7;
}

TEST(BeltBodiesTest, CountFromTheWorldsMassOrTheYoungDisc) {
  // Int(3000 m) + d6 bodies in a planetoid belt, Int(m) + d6 in an icy one; in a young system
  // d8 + 2 x that - 30 x age, a half to the even neighbour. At most 20.
  struct Row {
    const char* worldClass;
    double worldMass;
    float age;
    std::vector<float> dice;  // d6, and d8 when young
    int count;
  };
  // clang-format off
  const Row rows[] = {
      {"P", 0.0015, 5, {Die(1, 6)}, 5}, {"P", 0.0015, 5, {Die(6, 6)}, 10},
      {"I", 3.5, 5, {Die(1, 6)}, 4}, {"I", 3.5, 5, {Die(6, 6)}, 9}, {"P", 0.01, 5, {Die(6, 6)}, 20},
      // 1 + 2 - 1.5, 2 + 2 - 1.5 and 1 + 4 - 1.5 round to 2, 2 and 4; 1 + 2 - 3 leaves none.
      {"I", 0, 0.05f, {Die(1, 6), Die(1, 8)}, 2}, {"I", 0, 0.05f, {Die(1, 6), Die(2, 8)}, 2},
      {"I", 0, 0.05f, {Die(2, 6), Die(1, 8)}, 4}, {"P", 0, 0.1f, {Die(1, 6), Die(1, 8)}, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.worldClass << row.worldMass << " " << row.count);
    Rig rig;
    SetBelt(rig, row.worldClass, row.worldMass, 4, 1, 0.4, row.age);
    rig.survey.YoungSystem = row.dice.size() > 1 ? 1 : 0;
    rig.Draws(ThenAny(row.dice));
    rig.survey.MakeMoons();
    EXPECT_EQ(rig.Moons(), row.count);
    EXPECT_EQ(rig.w.CurrentBody, 0);
    EXPECT_EQ(rig.survey.MoonTide, 0.0);
  }
}

TEST(BeltBodiesTest, BodiesSpreadAroundTheWorldsPath) {
  // One body takes the world's path; two sit at a - u1 x inner - u2 / 10 and mirrored beyond
  // the world; more spread over inner + u1 x step + (0.5 - u2) / 5 with step 2 (a - inner),
  // 1.5 times that beyond orbit 8, sorted, the world moved to their mean. A body within
  // 0.01 AU of its star is put back at u / 100 + 0.005 (0.01 for the second of two) + M / 25.
  struct Row {
    const char* name;
    double worldMass;
    int orbit;
    double worldAxis, innerAxis;
    std::vector<float> draws;
    std::vector<double> axes;  // the world's, then each body's
  };
  // clang-format off
  const Row rows[] = {
      {"one", 0, 4, 1, 0.4, {Die(1, 6)}, {1, 1}},
      {"one, too close", 0, 4, 0.005, 0.004, {Die(1, 6), 0.5f}, {0.005, 0.05}},
      {"two", 1, 4, 1, 0.4, {Die(1, 6), 0.5f, 0.5f}, {1, 0.75, 1.25}},
      {"two, too close", 1, 4, 0.008, 0.004, {Die(1, 6), 0.5f, 0.5f, 0.5f, 0.5f},
       {0.008, 0.05, 0.055}},
      // From 8 AU (u1, u2) = (0.75, 0.5), (0.25, 0), (0.5, 0.75).
      {"three beyond orbit 8", 2, 9, 10, 8, {Die(1, 6), 0.75f, 0.5f, 0.25f, 0.0f, 0.5f, 0.75f},
       {11.016666666666666, 9.6, 10.95, 12.5}},
      {"three", 2, 8, 10, 8, {Die(1, 6), 0.75f, 0.5f, 0.25f, 0.0f, 0.5f, 0.75f},
       {10.016666666666667, 9.1, 9.95, 11.0}},
      // Orbit 1 spreads from the star itself, 0.004 apart: two fall within 0.01 AU.
      {"three at the star", 2, 1, 0.004, 0,
       {Die(1, 6), 0.0f, 0.99f, 0.25f, 0.5f, 0.0f, 0.5f, 0.5f, 0.75f},
       {0.06800000000000002, 0.0475, 0.052500000000000005, 0.10400000000000001}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    SetBelt(rig, "I", row.worldMass, row.orbit, row.worldAxis, row.innerAxis);
    rig.Draws(ThenAny(row.draws));
    rig.survey.MakeMoons();
    ASSERT_EQ(rig.Moons() + 1, static_cast<int>(row.axes.size()));
    for (int b = 0; b <= rig.Moons(); ++b) {
      EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis, b), row.axes[b]) << b;
    }
  }
}

TEST(BeltBodiesTest, BodyMassDoublesUpToTheAgeCap) {
  // A body weighs 3u / 50000 + 0.00001 (x (10 age + 1) when young), doubled on each d100 of 25
  // or less below 0.01 / age. The roll after the last is one more 25 that must not be taken.
  struct Row {
    const char* name;
    float age;
    bool young;
    std::vector<float> draws;  // the bodies' dice and placement, then body 1's mass
    double mass;
    const char* bodyClass;
  };
  const std::vector<float> one = Script({{Die(1, 6)}, kQuietElements});
  // clang-format off
  const Row rows[] = {
      // Cap 0.001: 0.00004 doubles five times to 0.00128.
      {"old", 10, false, Script({one, {0.5f}, std::vector(5, D100(25))}), 0.00128, nullptr},
      {"old, no doubling", 10, false, Script({one, {0.5f, D100(26)}}), 0.00004, "Z"},
      // Age 0 caps at 0.01 / 0.01 = 1: 6.994e-5 doubles 14 times.
      {"ageless", 0, false, Script({one, {0.999f}, std::vector(14, D100(1))}), 1.14589697265625,
       nullptr},
      // Age 0.05: 1 + 2 - 1.5 rounds to 2 bodies; x 1.5, cap 0.2: doubled 12 times.
      {"young", 0.05f, true, Script({{Die(1, 6), Die(1, 8), 0.5f, 0.5f}, kQuietElements, {0.5f},
       std::vector(12, D100(25))}), 0.24576000122070316, nullptr},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    SetBelt(rig, "I", 0, 4, 1, 0.4, row.age);
    rig.survey.YoungSystem = row.young ? 1 : 0;
    rig.Draws(ThenAny(Script({row.draws, {D100(25)}})));
    rig.survey.MakeMoons();
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass, 1), row.mass);
    if (row.bodyClass != nullptr) {
      EXPECT_EQ(rig.At(rig.w.BodyClass, 1), row.bodyClass);
    }
  }
}

}  // namespace
}  // namespace ax
