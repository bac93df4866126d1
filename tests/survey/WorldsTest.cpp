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
enum Made { kNothing, kBelt, kWorld };

// The class (nullptr: whatever its air made of it) and what the world was handed on to.
void ExpectMade(Rig& rig, const char* bodyClass, Made made) {
  if (bodyClass != nullptr) {
    EXPECT_EQ(rig.At(rig.w.BodyClass), bodyClass);
  }
  EXPECT_EQ(rig.At(rig.w.BodyDensity) > 0, made == kWorld);
  if (made != kWorld) {
    EXPECT_EQ(rig.Moons() > 0, made == kBelt);
  }
}

// A world (mass 3 until made) on orbit 4 of the rig's star, 6 billion years old.
void SetWorld(Rig& rig, const char* bodyClass, double axis, int tempHigh) {
  rig.w.SystemAge = 6;
  rig.Select(rig.w.CurrentStar, 4);
  rig.At(rig.w.BodyClass) = bodyClass;
  rig.At(rig.w.BodyMass) = 3;
  rig.At(rig.w.BodySemiMajorAxis) = axis;
  rig.At(rig.w.BodyTempHigh) = static_cast<std::int16_t>(tempHigh);
}

TEST(TerrestrialWorldTest, MassFromDistanceAndWarmthAndTheClassItGives) {
  // m = X^2 / a x (300 / T)^k x WideFactor (1 here), k = 2, 9 above 400 K, 12 above 800 K, + 2
  // round a white dwarf, + 4 round a neutron star; 0.0001 to 0.002 masses is a planetoid belt,
  // above 4 a giant that marks a new snow line. Above 1800 K, or where no temperature or
  // distance was worked out, no world. A giant on the snow line inside the world sweeps it.
  struct Row {
    int temperature;
    const char* starType;
    double axis;
    std::vector<float> draws;
    double mass;
    const char* bodyClass;
    Made made;
    int snowLine;
    double giantAxis;  // of a giant of 300 masses on orbit 6, the snow line; 0: none
  };
  const std::vector<float> none = {};
  const auto unit = [](std::vector<float> doubling) { return Script({kUnitFactor, doubling}); };
  // clang-format off
  const Row rows[] = {
      {1800, "G 2 V  ", 1, unit({D100(50)}), 4.593938222897851e-10, "", kNothing, 9, 0},
      {801, "G 2 V  ", 1, unit({D100(50)}), 7.618419188465052e-06, "", kNothing, 9, 0},  // float
      {800, "G 2 V  ", 1, unit({D100(50)}), 0.0001466497778892517, "P", kBelt, 9, 0},
      {401, "G 2 V  ", 1, unit({D100(50)}), 0.07341619747511978, nullptr, kWorld, 9, 0},
      {400, "G 2 V  ", 1, unit({D100(50)}), 0.5625, nullptr, kWorld, 9, 0},     // 0.75^2
      {400, "A 0 D  ", 1, unit({D100(50)}), 0.31640625, nullptr, kWorld, 9, 0},  // 0.75^4
      {600, "A 0 N  ", 1, unit({D100(50)}), 0.0001220703125, "P", kBelt, 9, 0},  // 0.5^13
      {300, "G 2 V  ", 10000, unit({D100(21)}), 0.0001, "P", kBelt, 9, 0},
      {300, "G 2 V  ", 500, unit({D100(21)}), 0.002, nullptr, kWorld, 9, 0},
      {300, "G 2 V  ", 1 / 0.0015, unit({D100(20), D100(21)}), 0.003, nullptr, kWorld, 9, 0},
      {300, "G 2 V  ", 0.25, unit({D100(21)}), 4, nullptr, kWorld, 9, 0},
      {300, "G 2 V  ", 1 / 4.0001, unit({D100(21)}), 4.0001, "J", kWorld, 4, 0},
      // 60 doubles to 120, already past the limit of 100: no further roll.
      {300, "G 2 V  ", 1.0 / 60, unit({D100(1)}), 120, "J", kWorld, 4, 0},
      {1801, "G 2 V  ", 1, none, 0, "", kNothing, 9, 0},
      {0, "G 2 V  ", 1, none, 0, "", kNothing, 9, 0},
      {300, "G 2 V  ", 0, none, 0, "", kNothing, 9, 0},
      {300, "G 2 V  ", 2, unit({0.5f, 0.5f, D100(10), D100(50)}), 0, "", kNothing, 6, 1.5},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.temperature << " K at " << row.axis << " AU");
    Rig rig;
    rig.w.StarType[1] = row.starType;
    rig.w.StarSurveyOrbit[1] = 9;
    if (row.giantAxis > 0) {
      rig.w.StarSurveyOrbit[1] = 6;
      rig.w.BodyClass(1, 6, 0) = "J";
      rig.w.BodyMass(1, 6, 0) = 300;
      rig.w.BodySemiMajorAxis(1, 6, 0) = row.giantAxis;
    }
    SetWorld(rig, "T", row.axis, row.temperature);
    rig.Draws(row.draws.empty() ? row.draws : ThenAny(row.draws));
    rig.survey.MakeTerrestrialWorld();
    EXPECT_NEAR(rig.At(rig.w.BodyMass), row.mass, row.mass * 1e-12);
    ExpectMade(rig, row.bodyClass, row.made);
    EXPECT_EQ(rig.w.StarSurveyOrbit[1], row.snowLine);
  }
}

TEST(JovianWorldTest, MassFromDistanceLightAndTheCap) {
  // m = X^2.5 x 1500 / a, halved beyond 64, 32, 16 and 8 X, x WideFactor (1 here); / 4 round a
  // white dwarf, its root round a neutron star, / log10 L round a giant (none for L = 1 or 0).
  // Above 1000 it is divided by Int(m / 1000). Warm (above 70 K) it needs 0.5 masses, and below
  // 4 it is small; cold it needs 0.1, and below 4 it is an icy belt.
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
  // clang-format off
  const Row rows[] = {
      {"15 / 16", "G 2 V  ", 1, 100, 71, {D100(50)}, 0.9375, nullptr, kWorld},
      {"at 64X: 23.4375 / 8", "G 2 V  ", 1, 64, 71, {D100(50)}, 2.9296875, nullptr, kWorld},
      {"3500 / 3, doubled", "G 2 V  ", 1, 3.0 / 7, 71, {D100(20), D100(21)}, 2333.3333333333335,
       "J", kWorld},
      {"dwarf: 150 / 4 / 2", "A 0 D  ", 1, 10, 50, {D100(50)}, 18.75, "J", kWorld},
      {"neutron: sqrt(150) / 2", "A 0 N  ", 1, 10, 50, {D100(50)}, 6.123724356957945, "J", kWorld},
      {"giant: 150 / 2 / 2", "K 0 I  ", 100, 10, 50, {D100(50)}, 37.5, "J", kWorld},
      {"dim giant: 150 / -0.301 / 2", "K 0 I  ", 0.5f, 10, 71, {D100(50)}, -249.14460711655218, "",
       kNothing},
      {"giant of L 1", "K 0 I  ", 1, 10, 50, {D100(50)}, 75, "J", kWorld},
      {"no light", "X 0 B  ", 0, 10, 50, {D100(50)}, 0, "", kNothing},
      {"exactly 0.5", "G 2 V  ", 1, 187.5, 71, {D100(50)}, 0.5, nullptr, kWorld},
      {"icy: 1500 / 40 / 4 / 8", "A 0 D  ", 1, 40, 70, {D100(50)}, 1.171875, "I", kBelt},
      {"1500 / 1000 / 16 < 0.1", "G 2 V  ", 1, 1000, 70, {D100(50)}, 0.09375, "", kNothing},
  };
  // clang-format on
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
  // again on each d100 of 20 or less. Off the snow line, or around a pair, no roll.
  struct Row {
    const char* name;
    int starCount, star, snowLine;
    float age;
    std::vector<float> migration;
    double axis;
  };
  // clang-format off
  const Row rows[] = {
      {"80 stays", 1, 1, 4, 6, {D100(80)}, 10},
      {"81 moves", 1, 1, 4, 6, {D100(81), Die(4, 6)}, 10 / 3.5},
      {"young +10", 1, 1, 4, 4.9f, {D100(71), Die(6, 6)}, 10 / 5.5},
      {"96 twice, 21 no more", 1, 1, 4, 6, {D100(96), Die(3, 6), D100(21)}, 2},
      {"a one moves it out", 1, 1, 4, 6, {D100(81), Die(1, 6)}, 20},
      {"pair +20: 1, doubled", 2, 1, 4, 6, {D100(76), Die(1, 6), D100(20), D100(21)}, 5},
      {"around the pair", 2, 0, 4, 6, {D100(100), Die(6, 6)}, 10},
      {"off the snow line", 1, 1, 5, 6, {D100(100), Die(6, 6)}, 10},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.StarCount = static_cast<std::int16_t>(row.starCount);
    rig.w.StarType[0] = "G 2 V  ";
    rig.w.StarMass[0] = 1;
    rig.w.StarSeparation = 10000;  // far enough that the partner takes nothing
    rig.survey.OrbitScale = {1, 1, 1};
    rig.survey.PartnerStar = 2;
    rig.w.StarSurveyOrbit[static_cast<std::size_t>(row.star)] =
        static_cast<std::int16_t>(row.snowLine);
    rig.Select(row.star, 4);
    SetWorld(rig, "J", 10, 50);
    rig.w.SystemAge = row.age;
    rig.Draws(ThenAny(Script({kUnitFactor, {D100(50)}, row.migration})));
    rig.survey.MakeJovianWorld();
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass), row.starCount == 2 ? 18.75 : 75);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodySemiMajorAxis), row.axis);
    ExpectMade(rig, "J", kWorld);
  }
}

TEST(LimitWorldMassTest, PartnerAndSnowLineGiantTakeTheirShare) {
  // A world of mass 1 at 2 AU on orbit 3 (X = 1) keeps q = (15 / R)^3 / 20 of its mass, times a
  // WideFactor, where R = a^2 M / (gap^3 X) weighs a neighbour of mass M gap AU further out
  // against its star: the partner (scale 0.5: 166500 masses) or the giant of 300 on the snow line.
  // A neighbour on or inside its path sweeps it; the giant's own orbit and those beyond keep all.
  struct Row {
    const char* name;
    int starCount, star, body, orbit;
    double separation;
    const char* giantClass;
    double giantAxis;
    std::vector<float> draws;
    double mass;
  };
  const std::vector<float> wide091 = {0.25f, 0.75f};  // 0.7 x 1.3
  const std::vector<float> unit2 = Script({kUnitFactor, kUnitFactor});
  // clang-format off
  const Row rows[] = {
      {"partner: R 114.20", 2, 1, 0, 3, 20, "", 0, kUnitFactor, 0.00011331140899847982},
      {"giant: R 44.44", 1, 1, 0, 3, 0, "J", 5, wide091,
       0.0019221679687500004 * 0.9099999999999998},
      {"both", 2, 1, 0, 3, 20, "J", 5, unit2, 2.1780356087080848e-07},
      {"far giant: R 5.56", 1, 1, 0, 3, 0, "J", 8, kUnitFactor, 0.9841500000000002},
      {"farther giant: q > 1", 1, 1, 0, 3, 0, "J", 14, {}, 1},
      {"small giant", 1, 1, 0, 3, 0, "S", 5, {}, 1},
      {"pair's world", 2, 0, 0, 3, 20, "", 0, {}, 1},
      {"moon", 2, 1, 1, 3, 20, "", 0, {}, 1},
      {"giant's own orbit", 1, 1, 0, 6, 0, "J", 5, {}, 1},
      {"giant inside", 1, 1, 0, 3, 0, "J", 1.5, kUnitFactor, 0},
      {"giant on the path", 1, 1, 0, 3, 0, "J", 2, kUnitFactor, 0},
      {"partner on the path", 2, 1, 0, 3, 2, "", 0, kUnitFactor, 0},
  };
  // clang-format on
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
    rig.Select(row.star, row.orbit, row.body);
    rig.At(rig.w.BodySemiMajorAxis) = row.orbit == 6 ? 5.5 : 2;
    rig.At(rig.w.BodyMass) = 1;
    rig.survey.LimitWorldMass();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass), row.mass);
  }
}

// Moon 1 of the rig's Earth, which has 3 moons. At no distance from its world it feels no tide,
// so its particulars draw nothing more before its air.
void SetMoon(Rig& rig, const char* bodyClass, double mass, int tempHigh) {
  rig.w.MoonCount[1][3] = 3;
  rig.Select(1, 3, 1);
  rig.At(rig.w.BodyClass) = bodyClass;
  rig.At(rig.w.BodyMass) = mass;
  rig.At(rig.w.BodyTempHigh) = static_cast<std::int16_t>(tempHigh);
}

// A rocky body's draws after its density: tilt e^0 = 1, day (1 + 1 + 4) / 2 + age, no ring,
// quiet volcanism, no rare earths.
const std::vector<float> kQuietParticulars = {
    0.0f,      0.0f,      0.0f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6),
    Die(1, 6), Die(1, 6), 0.0f, Die(1, 6),  Die(1, 6), D100(1)};

TEST(PhysicalParticularsTest, DensityRadiusAndGravityOfRockyBodies) {
  // (m^2 + d4 + 2.5) x NarrowFactor / 10, + 0.3 above 250 K, - 0.2 below 150 K, - 0.1 more
  // below 50 K, + 0.2 round a white dwarf, + 0.4 round a neutron star; / 1.5 for a cold body
  // above 1 mass; below 0.2 it is d6 / 100 + 0.199; above 1.8 x 0.85. Radius (m / density)^(1/3),
  // gravity density x radius.
  struct Row {
    const char* name;
    double mass;
    int tempHigh;
    const char* starType;
    std::vector<float> draws;
    float density, radius;
  };
  const float d4 = Die(4, 4), d2 = Die(2, 4), d1 = Die(1, 4);
  // clang-format off
  const Row rows[] = {
      {"cold heavy: 0.65 / 1.5", 2, 100, "G 2 V  ", {d2, 0.5f, 0.5f}, 0.43333334f, 1.6649555f},
      {"mass 1 is not heavy", 1, 100, "G 2 V  ", {d2, 0.5f, 0.5f}, 0.35f, 1.4189835f},
      {"150 K is not cold", 2, 150, "G 2 V  ", {d2, 0.5f, 0.5f}, 0.85f, 1.3300573f},
      {"0.05: d6 1", 0.01, 40, "G 2 V  ", {d1, 0.5f, 0.5f, Die(1, 6)}, 0.209f, 0.3630373f},
      {"0.05: d6 6", 0.01, 40, "G 2 V  ", {d1, 0.5f, 0.5f, Die(6, 6)}, 0.259f, 0.33798707f},
      {"white dwarf's: 2.75 x 0.85", 4, 300, "D 5 D  ", {d4, 0.5f, 0.5f}, 2.3375f, 1.1961054f},
      {"neutron star's", 1, 100, "P 0 N  ", {d1, 0.5f, 0.5f}, 0.65f, 1.1544157f},
      {"massless: no size", 0, 200, "G 2 V  ", {d1, 0.5f, 0.5f}, 0.35f, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.StarType[1] = row.starType;
    SetMoon(rig, "T", row.mass, row.tempHigh);
    rig.Draws(ThenAny(Script({row.draws, kQuietParticulars})));
    rig.survey.PhysicalParticulars();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDensity), row.density);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyRadius), row.radius);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyGravity), row.density * row.radius);
  }
}

TEST(PhysicalParticularsTest, TiltDayRingsVolcanismAndRareEarths) {
  // Tilt e^(5.19 (u1 + u2) / 2); day (d10 d6 + d10 d6 + 4) / 2 + age + u, a giant's / 2 x
  // (u + 1), a tiny body's / 5 x (u + 1 + u), backwards past 90; rings Int(1.5 g) + 2d6 - 10,
  // + 5 for a giant, none for a tiny body, 0 to 9. Volcanism (2d6 - 5 - u) / 2 - age / 3 + moons
  // / 2 + m^2 density, / 8 below 0.001 masses; between -1 and 0 its size, below -1 1 / v^2.
  // Rare earths when 100 density + d100 + 3V > 180. Giants have neither.
  struct Row {
    const char* name;
    const char* bodyClass;
    double mass;
    int tempHigh;
    float age;
    std::vector<float> draws;
    float density, obliquity, day;
    std::int16_t rings;
    float volcanism;
    const char* rareEarths;
  };
  // clang-format off
  const Row rows[] = {
      // Density 0.65 + 0.3; day 36 / 2 + 4.5 + 0.25; rings 1 + 12 - 10; volcanism 0.75 - 1.5 +
      // 1.5 + 0.95; rare earths 95 + 90 + 5.1.
      {"rocky", "T", 1, 288, 4.5f, {Die(3, 4), 0.5f, 0.5f, 0.3f, 0.5f, 0.25f, Die(5, 10), Die(4, 6),
       Die(2, 10), Die(6, 6), Die(6, 6), Die(6, 6), 0.5f, Die(4, 6), Die(3, 6), D100(90)},
       0.95f, 7.972515f, 22.75f, 3, 1.7f, "Yes"},
      // Density 0.15: 0.03 + 0.199; day 8 / 5 x 2; volcanism (3.25 - 1.5 + 1.5 + ...) / 8.
      {"tiny", "Z", 0.0005, 100, 4.5f, {Die(1, 4), 0.5f, 0.5f, Die(3, 6), 0.3f, 0.5f, 0.5f,
       Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6), 0.5f, 0.5f, Die(6, 6), Die(6, 6), 0.5f,
       Die(6, 6), Die(6, 6), D100(1)}, 0.229f, 7.972515f, 3.2f, 0, 0.40625f, ""},
      // (1 + 1 + 3) / 50 gives radius 27.1 above the cap of 11.25: 0.5 + 10.25, density
      // 2000 / 10.75^3. Tilted past 90, day 67 / 2 x 1.5 backwards; rings 20 + 2 - 10 + 5.
      {"capped giant", "J", 2000, 100, 4.5f, {Die(1, 6), Die(1, 6), 0.5f, 0.5f, Die(500, 1000),
       0.9f, 0.9f, 0.5f, Die(10, 10), Die(6, 6), Die(10, 10), Die(6, 6), 0.5f, Die(1, 6),
       Die(1, 6)}, 1.6099211f, 106.80448f, -50.25f, 9, 0, ""},
      // 0.24: radius 10.98 stays; rings Int(3.95) + 6 - 10 + 5.
      {"giant", "J", 318, 100, 4.5f, {Die(4, 6), Die(5, 6), 0.5f, 0.5f, 0.0f, 0.0f, 0.5f,
       Die(10, 10), Die(6, 6), Die(10, 10), Die(6, 6), 0.5f, Die(3, 6), Die(3, 6)},
       0.24f, 1, 50.25f, 4, 0, ""},
      // Density 0.375; (2 - 5.5) / 2 - 1.5 + 1.5 + 0.09375 = -1.66 folds to 1 / v^2.
      {"below -1", "T", 0.5, 200, 4.5f, Script({{Die(1, 4), 0.5f, 0.5f}, {0.0f, 0.0f, 0.0f},
       {Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6), Die(1, 6), Die(1, 6)},
       {0.5f, Die(1, 6), Die(1, 6), D100(1)}}), 0.375f, 1, 7.5f, 0, 0.36454254f, ""},
      {"-0.65625 folds to its size", "T", 0.5, 200, 4.5f, Script({{Die(1, 4), 0.5f, 0.5f},
       {0.0f, 0.0f, 0.0f}, {Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6), Die(1, 6), Die(1, 6)},
       {0.5f, Die(2, 6), Die(2, 6), D100(1)}}), 0.375f, 1, 7.5f, 0, 0.65625f, ""},
      // A massless body, so the sum is exact: ((2 - 5) / 2 - 24 / 3 + 1.5) / 8 = -1 stays.
      {"exactly -1", "T", 0, 200, 24, Script({{Die(1, 4), 0.5f, 0.5f}, kQuietParticulars}),
       0.35f, 1, 27, 0, -1, ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.w.SystemAge = row.age;
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

}  // namespace
}  // namespace ax
