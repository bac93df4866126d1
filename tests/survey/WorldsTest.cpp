#include <gtest/gtest.h>

#include <cstdint>
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

// What a world-mass step hands the world on to, seen in its results: nothing, a belt of bodies
// (the world itself gets no particulars), or a world with its particulars.
enum class Made { kNothing, kBelt, kWorld };

// Checks the class (nullptr: whatever its air made of it) and what the world was handed on to.
void ExpectMade(Rig& rig, const char* bodyClass, Made made) {
  if (bodyClass != nullptr) {
    EXPECT_EQ(rig.At(rig.w.BodyClass), bodyClass);
  }
  EXPECT_EQ(rig.At(rig.w.BodyDensity) > 0, made == Made::kWorld);
  if (made == Made::kBelt) {
    EXPECT_GE(rig.Moons(), 1);
  } else if (made == Made::kNothing) {
    EXPECT_EQ(rig.Moons(), 0);
  }
}

// A world on orbit 4 of the rig's star, 6 billion years old.
void SetWorld(Rig& rig, const char* bodyClass, double axis, int tempHigh) {
  rig.w.SystemAge = 6;
  rig.Select(rig.w.CurrentStar, 4);
  rig.At(rig.w.BodyClass) = bodyClass;
  rig.At(rig.w.BodySemiMajorAxis) = axis;
  rig.At(rig.w.BodyTempHigh) = static_cast<std::int16_t>(tempHigh);
}

TEST(TerrestrialWorldTest, MassFromDistanceAndWarmthAndTheClassItGives) {
  // m = X^2 / a x (300 / T)^k x WideFactor (here 1), k = 2, 9 above 400 K, 12 above 800 K,
  // + 2 round a white dwarf, + 4 round a neutron star. 0.0001 to 0.002 masses is a planetoid
  // belt, above 4 a giant that marks a new snow line.
  struct Row {
    int temperature;
    const char* starType;
    double axis;
    std::vector<float> doubling;
    double mass;
    const char* bodyClass;
    Made made;
    int snowLine;
  };
  const Row rows[] = {
      {1800, "G 2 V  ", 1, {D100(50)}, 4.593938222897851e-10, "", Made::kNothing, 9},
      {801, "G 2 V  ", 1, {D100(50)}, 7.618419188465052e-06, "", Made::kNothing, 9},  // float 300/T
      {800, "G 2 V  ", 1, {D100(50)}, 0.0001466497778892517, "P", Made::kBelt, 9},
      {401, "G 2 V  ", 1, {D100(50)}, 0.07341619747511978, nullptr, Made::kWorld, 9},
      {400, "G 2 V  ", 1, {D100(50)}, 0.5625, nullptr, Made::kWorld, 9},      // 0.75^2
      {400, "A 0 D  ", 1, {D100(50)}, 0.31640625, nullptr, Made::kWorld, 9},  // 0.75^4
      {600, "A 0 N  ", 1, {D100(50)}, 0.0001220703125, "P", Made::kBelt, 9},  // 0.5^13
      {300, "G 2 V  ", 10000, {D100(21)}, 0.0001, "P", Made::kBelt, 9},
      {300, "G 2 V  ", 500, {D100(21)}, 0.002, nullptr, Made::kWorld, 9},
      {300, "G 2 V  ", 1 / 0.0015, {D100(20), D100(21)}, 0.003, nullptr, Made::kWorld, 9},
      {300, "G 2 V  ", 0.25, {D100(21)}, 4, nullptr, Made::kWorld, 9},
      {300, "G 2 V  ", 1 / 4.0001, {D100(21)}, 4.0001, "J", Made::kWorld, 4},
      // 60 doubles to 120, already past the limit of 100: no further roll.
      {300, "G 2 V  ", 1.0 / 60, {D100(1)}, 120, "J", Made::kWorld, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.temperature << " K at " << row.axis << " AU");
    Rig rig;
    rig.w.StarType[1] = row.starType;
    rig.w.StarSurveyOrbit[1] = 9;
    SetWorld(rig, "T", row.axis, row.temperature);
    rig.Draws(ThenAny(Script({kUnitFactor, row.doubling})));
    rig.survey.MakeTerrestrialWorld();
    EXPECT_NEAR(rig.At(rig.w.BodyMass), row.mass, row.mass * 1e-12);
    ExpectMade(rig, row.bodyClass, row.made);
    EXPECT_EQ(rig.w.StarSurveyOrbit[1], row.snowLine);
  }
}

TEST(TerrestrialWorldTest, NoWorldWhereItIsTooHotOrNothingWasWorkedOut) {
  // Above 1800 K no rock gathers; a temperature or distance of 0 was never worked out. No draws.
  const int temperatures[] = {1801, 0, 300};
  const double axes[] = {1, 1, 0};
  for (int i = 0; i < 3; ++i) {
    Rig rig;
    SetWorld(rig, "T", axes[i], temperatures[i]);
    rig.At(rig.w.BodyMass) = 3;
    rig.survey.MakeTerrestrialWorld();
    EXPECT_EQ(rig.At(rig.w.BodyMass), 0.0) << i;
    ExpectMade(rig, "", Made::kNothing);
  }
}

TEST(TerrestrialWorldTest, PairHalvesTheMassAndAGiantInsideSweepsTheWorld) {
  // Around the pair: 1 / 0.5 x 1 / 2 = 1.
  Rig pair;
  pair.w.StarCount = 2;
  pair.w.StarType[0] = "G 2 V  ";
  pair.w.StarMass[0] = 1;
  pair.survey.OrbitScale[0] = 1;
  pair.Select(0, 4);
  SetWorld(pair, "T", 0.5, 300);
  pair.Draws(ThenAny(Script({kUnitFactor, {D100(50)}})));
  pair.survey.MakeTerrestrialWorld();
  EXPECT_DOUBLE_EQ(pair.At(pair.w.BodyMass), 1.0);

  // A giant that migrated to 1.5 AU, inside the world at 2 AU, leaves it nothing to gather.
  Rig swept;
  swept.w.StarSurveyOrbit[1] = 6;
  swept.w.BodyClass(1, 6, 0) = "J";
  swept.w.BodyMass(1, 6, 0) = 300;
  swept.w.BodySemiMajorAxis(1, 6, 0) = 1.5;
  SetWorld(swept, "T", 2, 300);
  swept.Draws(ThenAny(Script({kUnitFactor, kUnitFactor, {D100(10), D100(50)}})));
  swept.survey.MakeTerrestrialWorld();
  EXPECT_EQ(swept.At(swept.w.BodyMass), 0.0);
  ExpectMade(swept, "", Made::kNothing);
}

TEST(JovianWorldTest, MassFromDistanceLightAndTheCap) {
  // m = X^2.5 x 1500 / a, halved beyond 64, 32, 16 and 8 X, x WideFactor (here 1); / 4 round a
  // white dwarf, its root round a neutron star, / log10 L round a giant. Above 1000 it is
  // divided by Int(m / 1000). Warm (above 70 K) it needs 0.5 masses, and below 4 it is small;
  // cold it needs 0.1, and below 4 it is an icy belt.
  struct Row {
    const char* name;
    const char* starType;
    float luminosity;
    double axis;
    int tempHigh;
    std::vector<float> doubling;
    double mass;
    const char* bodyClass;
    Made made;
  };
  const Row rows[] = {
      {"beyond 64X: 15 / 16", "G 2 V  ", 1, 100, 71, {D100(50)}, 0.9375, nullptr, Made::kWorld},
      {"at 64X: 23.4375 / 8", "G 2 V  ", 1, 64, 71, {D100(50)}, 2.9296875, nullptr, Made::kWorld},
      // 3500 / Int(3.5), then one doubling.
      {"cap",
       "G 2 V  ",
       1,
       3.0 / 7,
       71,
       {D100(20), D100(21)},
       2333.3333333333335,
       "J",
       Made::kWorld},
      {"dwarf: 150 / 4 / 2", "A 0 D  ", 1, 10, 50, {D100(50)}, 18.75, "J", Made::kWorld},
      {"neutron: sqrt(150) / 2",
       "A 0 N  ",
       1,
       10,
       50,
       {D100(50)},
       6.123724356957945,
       "J",
       Made::kWorld},
      {"giant: 150 / 2 / 2", "K 0 I  ", 100, 10, 50, {D100(50)}, 37.5, "J", Made::kWorld},
      // log10(0.5) < 0: 150 / -0.30103 / 2.
      {"dim giant", "K 0 I  ", 0.5f, 10, 71, {D100(50)}, -249.14460711655218, "", Made::kNothing},
      {"black hole", "X 0 B  ", 1e-6f, 10, 50, {D100(50)}, -12.49999999771565, "", Made::kNothing},
      // No logarithm of 1 to divide by: the mass stays 150 / 2.
      {"giant of L 1", "K 0 I  ", 1, 10, 50, {D100(50)}, 75, "J", Made::kWorld},
      {"no light at all", "X 0 B  ", 0, 10, 50, {D100(50)}, 0, "", Made::kNothing},
      // 1500 / 187.5 / 16 is exactly 0.5: not below 0.5, so still a giant's particulars.
      {"half", "G 2 V  ", 1, 187.5, 71, {D100(50)}, 0.5, nullptr, Made::kWorld},
      {"icy: 1500 / 40 / 4 / 8", "A 0 D  ", 1, 40, 70, {D100(50)}, 1.171875, "I", Made::kBelt},
      {"too small: 1500 / 1000 / 16",
       "G 2 V  ",
       1,
       1000,
       70,
       {D100(50)},
       0.09375,
       "",
       Made::kNothing},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.StarType[1] = row.starType;
    rig.w.StarLuminosity[1] = row.luminosity;
    SetWorld(rig, "J", row.axis, row.tempHigh);
    rig.Draws(ThenAny(Script({kUnitFactor, row.doubling})));
    rig.survey.MakeJovianWorld();
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass), row.mass);
    ExpectMade(rig, row.bodyClass, row.made);
  }
}

TEST(JovianWorldTest, GiantOnTheSnowLineMayMigrateInwards) {
  // 1500 / 10 halved beyond 8 AU = 75 (18.75 in a pair). On a d100 above 80 (+ 10 under 5
  // billion years, + 20 in a pair) it moves in by d6 - 0.5; above 95 by twice that, doubled
  // again on each d100 of 20 or less.
  struct Row {
    const char* name;
    int starCount;
    int star;
    float age;
    std::vector<float> migration;
    double axis;
  };
  const Row rows[] = {
      {"80 stays", 1, 1, 6, {D100(80)}, 10},
      {"81 moves", 1, 1, 6, {D100(81), Die(4, 6)}, 10 / 3.5},
      {"young +10", 1, 1, 4.9f, {D100(71), Die(6, 6)}, 10 / 5.5},
      {"young 70 stays", 1, 1, 4.9f, {D100(70)}, 10},
      {"95 once", 1, 1, 6, {D100(95), Die(3, 6)}, 10 / 2.5},
      {"96 twice, 21 no more", 1, 1, 6, {D100(96), Die(3, 6), D100(21)}, 2},
      {"a one moves it out", 1, 1, 6, {D100(81), Die(1, 6)}, 20},
      // 76 + 20 = 96: 2 x 0.5 = 1, doubled once to 2.
      {"pair +20", 2, 1, 6, {D100(76), Die(1, 6), D100(20), D100(21)}, 5},
      {"around the pair", 2, 0, 6, {}, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.StarCount = static_cast<std::int16_t>(row.starCount);
    rig.w.StarType[0] = "G 2 V  ";
    rig.w.StarMass[0] = 1;
    rig.w.StarSeparation = 10000;  // far enough that the partner takes nothing
    rig.survey.OrbitScale = {1, 1, 1};
    rig.survey.PartnerStar = 2;
    rig.w.StarSurveyOrbit[static_cast<std::size_t>(row.star)] = 4;
    rig.Select(row.star, 4);
    SetWorld(rig, "J", 10, 50);
    rig.w.SystemAge = row.age;
    rig.Draws(ThenAny(Script({kUnitFactor, {D100(50)}, row.migration})));
    rig.survey.MakeJovianWorld();
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass), row.starCount == 2 ? 18.75 : 75);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis), row.axis);
    ExpectMade(rig, "J", Made::kWorld);
  }
  // A giant beyond the snow line rolls for nothing.
  Rig outer;
  outer.w.StarSurveyOrbit[1] = 5;
  SetWorld(outer, "J", 10, 50);
  outer.Draws(ThenAny(Script({kUnitFactor, {D100(50), D100(100), Die(6, 6)}})));
  outer.survey.MakeJovianWorld();
  EXPECT_DOUBLE_EQ(outer.At(outer.w.BodySemiMajorAxis), 10.0);
}

TEST(LimitWorldMassTest, PartnerAndSnowLineGiantTakeTheirShare) {
  // A world of mass 1 on orbit 3 of star 1 at 2 AU, X = 1, keeps q = (15 / R)^3 / 20 of its
  // mass (times a WideFactor) where R = a^2 M / (gap^3 X) weighs a neighbour of mass M gap AU
  // out against the star. The partner has scale 0.5 (333000 x 0.5 masses); the giant 300.
  struct Row {
    const char* name;
    int starCount, star, body;
    double separation;
    const char* giantClass;
    double giantAxis;
    std::vector<float> draws;
    double mass;
  };
  const std::vector<float> wide091 = {0.25f, 0.75f};  // (0.7)(1.3)
  const Row rows[] = {
      // R = 4 x 166500 / 18^3 = 114.20.
      {"partner", 2, 1, 0, 20, "", 0, kUnitFactor, 0.00011331140899847982},
      // R = 4 x 300 / 3^3 = 44.44: q = 0.0019222, times 0.91.
      {"giant", 1, 1, 0, 0, "J", 5, wide091, 0.0019221679687500004 * 0.9099999999999998},
      {"both", 2, 1, 0, 20, "J", 5, Script({kUnitFactor, kUnitFactor}), 2.1780356087080848e-07},
      // R = 4 x 300 / 6^3 = 5.56: q = 0.984 is still below 1.
      {"far giant", 1, 1, 0, 0, "J", 8, kUnitFactor, 0.9841500000000002},
      // R = 4 x 300 / 12^3 = 0.69: q far above 1, no cut and no draw.
      {"farther giant", 1, 1, 0, 0, "J", 14, {}, 1},
      {"small giant", 1, 1, 0, 0, "S", 5, {}, 1},
      {"pair's world", 2, 0, 0, 20, "", 0, {}, 1},
      {"moon", 2, 1, 1, 20, "", 0, {}, 1},
      // A giant inside the world or on its path, or a partner on it, sweeps it clean.
      {"giant inside", 1, 1, 0, 0, "J", 1.5, kUnitFactor, 0},
      {"giant on the path", 1, 1, 0, 0, "J", 2, kUnitFactor, 0},
      {"partner on the path", 2, 1, 0, 2, "", 0, kUnitFactor, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.Draws(row.draws);
    rig.w.StarCount = static_cast<std::int16_t>(row.starCount);
    rig.w.StarSeparation = row.separation;
    rig.survey.OrbitScale = {1, 1, 0.5};
    rig.survey.PartnerStar = 2;
    rig.w.StarSurveyOrbit[static_cast<std::size_t>(row.star)] = 6;
    rig.w.BodyClass(row.star, 6, 0) = row.giantClass;
    rig.w.BodyMass(row.star, 6, 0) = 300;
    rig.w.BodySemiMajorAxis(row.star, 6, 0) = row.giantAxis;
    rig.Select(row.star, 3, row.body);
    rig.At(rig.w.BodySemiMajorAxis) = 2;
    rig.At(rig.w.BodyMass) = 1;
    rig.survey.LimitWorldMass();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass), row.mass);
  }
  // The giant's own orbit and those beyond it are not cut.
  Rig outer;
  outer.w.StarSurveyOrbit[1] = 6;
  outer.w.BodyClass(1, 6, 0) = "J";
  outer.w.BodyMass(1, 6, 0) = 300;
  outer.w.BodySemiMajorAxis(1, 6, 0) = 5;
  outer.Select(1, 6);
  outer.At(outer.w.BodySemiMajorAxis) = 5.5;
  outer.At(outer.w.BodyMass) = 1;
  outer.survey.LimitWorldMass();
  EXPECT_EQ(outer.At(outer.w.BodyMass), 1.0);
}

// Draws of a rocky body's particulars after its density: tilt e^(5.19 x 0) = 1, day
// (1 + 1 + 4) / 2 + age, no ring, quiet volcanism, no rare earths.
const std::vector<float> kQuietParticulars = Script({
    {0.0f, 0.0f},
    {0.0f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6)},
    {Die(1, 6), Die(1, 6)},
    {0.0f, Die(1, 6), Die(1, 6)},
    {D100(1)},
});

// Moon 1 of the rig's Earth, which has 3 moons. A moon at no distance feels no tide, so its
// particulars draw nothing more before its air.
void SetMoon(Rig& rig, const char* bodyClass, double mass, int tempHigh) {
  rig.w.MoonCount[1][3] = 3;
  rig.Select(1, 3, 1);
  rig.At(rig.w.BodyClass) = bodyClass;
  rig.At(rig.w.BodyMass) = mass;
  rig.At(rig.w.BodyTempHigh) = static_cast<std::int16_t>(tempHigh);
}

TEST(PhysicalParticularsTest, DensityRadiusAndGravityOfRockyBodies) {
  // (m^2 + d4 + 2.5) x NarrowFactor / 10, + 0.3 above 250 K, - 0.2 below 150 K and - 0.1 more
  // below 50 K, + 0.2 round a white dwarf and + 0.4 round a neutron star; / 1.5 for a cold
  // body above 1 mass; below 0.2 it is d6 / 100 + 0.199; above 1.8 x 0.85. The radius is
  // (m / density)^(1/3) and the gravity density x radius.
  struct Row {
    const char* name;
    double mass;
    int tempHigh;
    const char* starType;
    std::vector<float> densityDraws;
    float density, radius;
  };
  const Row rows[] = {
      {"cold heavy: 0.65 / 1.5",
       2,
       100,
       "G 2 V  ",
       {Die(2, 4), 0.5f, 0.5f},
       0.43333334f,
       1.6649555f},
      {"cold, mass 1 is not heavy", 1, 100, "G 2 V  ", {Die(2, 4), 0.5f, 0.5f}, 0.35f, 1.4189835f},
      {"150 K is not cold", 2, 150, "G 2 V  ", {Die(2, 4), 0.5f, 0.5f}, 0.85f, 1.3300573f},
      {"0.05 replaced, d6 1",
       0.01,
       40,
       "G 2 V  ",
       {Die(1, 4), 0.5f, 0.5f, Die(1, 6)},
       0.209f,
       0.3630373f},
      {"0.05 replaced, d6 6",
       0.01,
       40,
       "G 2 V  ",
       {Die(1, 4), 0.5f, 0.5f, Die(6, 6)},
       0.259f,
       0.33798707f},
      {"white dwarf's: 2.75 x 0.85",
       4,
       300,
       "D 5 D  ",
       {Die(4, 4), 0.5f, 0.5f},
       2.3375f,
       1.1961054f},
      {"neutron star's: 0.25 + 0.4", 1, 100, "P 0 N  ", {Die(1, 4), 0.5f, 0.5f}, 0.65f, 1.1544157f},
      {"massless: no size", 0, 200, "G 2 V  ", {Die(1, 4), 0.5f, 0.5f}, 0.35f, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.StarType[1] = row.starType;
    SetMoon(rig, "T", row.mass, row.tempHigh);
    rig.Draws(ThenAny(Script({row.densityDraws, kQuietParticulars})));
    rig.survey.PhysicalParticulars();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDensity), row.density);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyRadius), row.radius);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyGravity), row.density * row.radius);
  }
}

TEST(PhysicalParticularsTest, TiltDayRingsVolcanismAndRareEarthsOfAMoon) {
  struct Row {
    const char* name;
    const char* bodyClass;
    double mass;
    int tempHigh;
    std::vector<float> draws;
    float density, obliquity, day;
    std::int16_t rings;
    float volcanism;
    const char* rareEarths;
  };
  const Row rows[] = {
      // Density (1 + 3 + 2.5) / 10 + 0.3; tilt e^(5.19 x 0.4); day (20 + 12 + 4) / 2 + 4.5
      // + 0.25; rings Int(1.5 x 0.966) + 12 - 10; volcanism (7 - 5 - 0.5) / 2 - 4.5 / 3 + 3
      // moons / 2 + 1 x 0.95; rare earths 95 + 90 + 5.1 > 180.
      {"rocky", "T", 1, 288,
       Script({{Die(3, 4), 0.5f, 0.5f},
               {0.3f, 0.5f},
               {0.25f, Die(5, 10), Die(4, 6), Die(2, 10), Die(6, 6)},
               {Die(6, 6), Die(6, 6)},
               {0.5f, Die(4, 6), Die(3, 6)},
               {D100(90)}}),
       0.95f, 7.972515f, 22.75f, 3, 1.7f, "Yes"},
      // Density 0.15 < 0.2: 0.03 + 0.199. A tiny body's day is 8 / 5 x (0.5 + 1 + 0.5); it has
      // no rings and cools eight times as fast: ((12 - 5 - 0.5) / 2 - 1.5 + 1.5 + ...) / 8.
      {"tiny", "Z", 0.0005, 100,
       Script({{Die(1, 4), 0.5f, 0.5f, Die(3, 6)},
               {0.3f, 0.5f},
               {0.5f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6)},
               {0.5f, 0.5f},
               {Die(6, 6), Die(6, 6)},
               {0.5f, Die(6, 6), Die(6, 6)},
               {D100(1)}}),
       0.229f, 7.972515f, 3.2f, 0, 0.40625f, ""},
      // A giant: density (1 + 1 + 3) / 50 gives a radius (2000 / 0.1)^(1/3) = 27.1 above the
      // cap of 11.25, so the radius is 500 / 1000 + 10.25 and the density 2000 / 10.75^3.
      // Tilted e^(5.19 x 0.9) past 90 its day (120 + 4) / 2 + 4.5 + 0.5, / 2 x 1.5, runs
      // backwards; rings 20 + 2 - 10 + 5, at most 9.
      {"capped giant", "J", 2000, 100,
       Script({{Die(1, 6), Die(1, 6), 0.5f, 0.5f, Die(500, 1000)},
               {0.9f, 0.9f},
               {0.5f, Die(10, 10), Die(6, 6), Die(10, 10), Die(6, 6)},
               {0.5f},
               {Die(1, 6), Die(1, 6)}}),
       1.6099211f, 106.80448f, -50.25f, 9, 0, ""},
      // (4 + 5 + 3) / 50 = 0.24: radius 10.98 stays; rings Int(3.95) + 6 - 10 + 5.
      {"giant", "J", 318, 100,
       Script({{Die(4, 6), Die(5, 6), 0.5f, 0.5f},
               {0.0f, 0.0f},
               {0.5f, Die(10, 10), Die(6, 6), Die(10, 10), Die(6, 6)},
               {0.5f},
               {Die(3, 6), Die(3, 6)}}),
       0.24f, 1, 50.25f, 4, 0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    SetMoon(rig, row.bodyClass, row.mass, row.tempHigh);
    rig.Draws(ThenAny(row.draws));
    rig.survey.PhysicalParticulars();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDensity), row.density);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyObliquity), row.obliquity);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDayLength), row.day);
    EXPECT_EQ(rig.At(rig.w.BodyRingSize), row.rings);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyVolcanism), row.volcanism);
    EXPECT_EQ(rig.At(rig.w.BodyRareEarths), row.rareEarths);
    EXPECT_EQ(rig.Moons(), 3);  // a moon makes no moons of its own
  }
}

TEST(PhysicalParticularsTest, VolcanismBelowNothingFoldsBack) {
  // Density (0.25 + 1 + 2.5) / 10 = 0.375. Between -1 and 0 it is its size; below -1 it is
  // 1 / v^2; exactly -1 (a massless body, so the sum is exact) stays.
  struct Row {
    const char* name;
    double mass;
    float age;
    std::vector<float> ventDraws;
    float volcanism;
  };
  const Row rows[] = {
      {"(2 - 5.5) / 2 - 1.5 + 0.09375 = -3.16",
       0.5,
       4.5f,
       {0.5f, Die(1, 6), Die(1, 6)},
       0.10038231f},
      {"(7 - 5.5) / 2 - 1.5 + 0.09375", 0.5, 4.5f, {0.5f, Die(4, 6), Die(3, 6)}, 0.65625f},
      {"((2 - 5) / 2 - 19.5 / 3) / 8", 0.0, 19.5f, {0.0f, Die(1, 6), Die(1, 6)}, -1.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.SystemAge = row.age;
    SetMoon(rig, "T", row.mass, 200);
    rig.w.MoonCount[1][3] = 0;
    rig.Draws(ThenAny(Script({{Die(1, 4), 0.5f, 0.5f},
                              {0.0f, 0.0f},
                              {0.0f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6)},
                              {Die(1, 6), Die(1, 6)},
                              row.ventDraws,
                              {D100(100)}})));
    rig.survey.PhysicalParticulars();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyVolcanism), row.volcanism);
  }
}

}  // namespace
}  // namespace ax
