#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestDraws.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::Script;

// WideFactor with both draws 0.5 is exactly 1.
const std::vector<float> kUnitWide = {0.5f, 0.5f};

// Runs the world-mass steps alone: the steps they hand the world on to only record their call.
class WorldMassSurvey : public Survey {
 public:
  using Survey::Survey;
  void MakeMoons() override { calls.push_back("MakeMoons"); }
  void PhysicalParticulars() override { calls.push_back("PhysicalParticulars"); }
  std::vector<std::string> calls;
};

// One world on orbit 4 of a lone main-sequence star of orbit scale 1, selected.
struct Rig {
  explicit Rig(std::vector<float> draws) : random(Random::Scripted(std::move(draws))) {
    w.StarCount = 1;
    w.StarType[1] = "G 2 V  ";
    w.StarLuminosity[1] = 1;
    w.SystemAge = 6;
    survey.OrbitScale[1] = 1;
    Select(1, 4);
  }
  void Select(int star, int orbit) {
    w.CurrentStar = static_cast<std::int16_t>(star);
    w.CurrentOrbit = static_cast<std::int16_t>(orbit);
    w.CurrentBody = 0;
  }
  void SetWorld(const char* bodyClass, double axis, int tempHigh) {
    const int s = w.CurrentStar;
    const int o = w.CurrentOrbit;
    w.BodyClass(s, o, 0) = bodyClass;
    w.BodySemiMajorAxis(s, o, 0) = axis;
    w.BodyTempHigh(s, o, 0) = static_cast<std::int16_t>(tempHigh);
  }
  std::string& Class() { return w.BodyClass(w.CurrentStar, w.CurrentOrbit, 0); }
  double& Mass() { return w.BodyMass(w.CurrentStar, w.CurrentOrbit, 0); }
  double& Axis() { return w.BodySemiMajorAxis(w.CurrentStar, w.CurrentOrbit, 0); }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  Random random;
  WorldMassSurvey survey{w, random};
};

using Calls = std::vector<std::string>;
const Calls kNoCalls;
const Calls kParticulars = {"PhysicalParticulars"};
const Calls kBelt = {"MakeMoons"};

TEST(TerrestrialWorldTest, ExponentFollowsTemperatureAndRemnant) {
  struct Row {
    int temperature;
    const char* starType;
    double mass;  // (float(300 / T))^k, with X = a = WideFactor = 1
    const char* bodyClass;
    Calls calls;
  };
  const Row rows[] = {
      {1800, "G 2 V  ", 4.593938222897851e-10, "", kNoCalls},  // k = 12
      {801, "G 2 V  ", 7.618419188465052e-06, "", kNoCalls},   // k = 12; in double ...161e-06
      {800, "G 2 V  ", 0.0001466497778892517, "P", kBelt},     // k = 9
      {401, "G 2 V  ", 0.07341619747511978, "T", kParticulars},
      {400, "G 2 V  ", 0.5625, "T", kParticulars},      // k = 2: 0.75^2
      {400, "A 0 D  ", 0.31640625, "T", kParticulars},  // k = 2 + 2: 0.75^4
      {600, "A 0 N  ", 0.0001220703125, "P", kBelt},    // k = 9 + 4: 0.5^13
  };
  for (const Row& row : rows) {
    Rig rig(Script({kUnitWide, {D100(50)}}));  // 50 > 20: no doubling
    rig.w.StarType[1] = row.starType;
    rig.SetWorld("T", 1, row.temperature);
    rig.survey.MoonTide = 7;
    rig.survey.MakeTerrestrialWorld();
    SCOPED_TRACE(row.temperature);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.Mass(), row.mass);
    EXPECT_EQ(rig.Class(), row.bodyClass);
    EXPECT_EQ(rig.survey.calls, row.calls);
    EXPECT_EQ(rig.survey.MoonTide, 0.0);
  }
}

TEST(TerrestrialWorldTest, NoWorldWhenTooHotOrUnmeasured) {
  // T = 1801 is too hot; T = 0 and a = 0 were never worked out. No draws, no calls.
  const int temperatures[] = {1801, 0, 300};
  const double axes[] = {1, 1, 0};
  for (int i = 0; i < 3; ++i) {
    Rig rig({});
    rig.SetWorld("T", axes[i], temperatures[i]);
    rig.Mass() = 3;
    rig.survey.MoonTide = 7;
    rig.survey.MakeTerrestrialWorld();
    EXPECT_EQ(rig.Mass(), 0.0) << i;
    EXPECT_EQ(rig.Class(), "") << i;
    EXPECT_EQ(rig.survey.calls, kNoCalls) << i;
    EXPECT_EQ(rig.survey.MoonTide, 0.0) << i;
  }
}

TEST(TerrestrialWorldTest, FinalClassBounds) {
  // At T = 300 (k = 2) with X = 1 and WideFactor 1 the mass is 1 / a.
  struct Row {
    double axis;
    std::vector<float> doubling;
    double mass;
    const char* bodyClass;
    Calls calls;
    int surveyOrbit;
  };
  const Row rows[] = {
      {10000, {D100(21)}, 0.0001, "P", kBelt, 9},                       // lowest planetoid
      {500, {D100(21)}, 0.002, "T", kParticulars, 9},                   // 0.002 is not below 0.002
      {0.25, {D100(21)}, 4, "T", kParticulars, 9},                      // 4 is not above 4
      {1 / 4.0001, {D100(21)}, 4.0001, "J", kParticulars, 4},           // the new snow line
      {1 / 0.0015, {D100(20), D100(21)}, 0.003, "T", kParticulars, 9},  // doubled once
      // 60 doubles to 120, already past the limit of 100: no further roll.
      {1.0 / 60, {D100(1)}, 120, "J", kParticulars, 4},
  };
  for (const Row& row : rows) {
    Rig rig(Script({kUnitWide, row.doubling}));
    rig.w.StarSurveyOrbit[1] = 9;
    rig.SetWorld("T", row.axis, 300);
    rig.survey.MakeTerrestrialWorld();
    SCOPED_TRACE(row.mass);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_NEAR(rig.Mass(), row.mass, row.mass * 1e-12);
    EXPECT_EQ(rig.Class(), row.bodyClass);
    EXPECT_EQ(rig.survey.calls, row.calls);
    EXPECT_EQ(rig.w.StarSurveyOrbit[1], row.surveyOrbit);
  }
}

TEST(TerrestrialWorldTest, PairHalvesTheMass) {
  // Around the pair (star 0) no partner cut applies: 1 / 0.5 x 1 x 1 / 2 = 1.
  Rig rig(Script({kUnitWide, {D100(50)}}));
  rig.w.StarCount = 2;
  rig.w.StarType[0] = "G 2 V  ";
  rig.survey.OrbitScale[0] = 1;
  rig.Select(0, 4);
  rig.SetWorld("T", 0.5, 300);
  rig.survey.MakeTerrestrialWorld();
  EXPECT_EQ(rig.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(rig.Mass(), 1.0);
  EXPECT_EQ(rig.Class(), "T");
}

TEST(JovianWorldTest, MassByDistanceLightAndCap) {
  struct Row {
    const char* name;
    const char* starType;
    float luminosity;
    double axis;
    int tempHigh;
    std::vector<float> doubling;
    double mass;
    const char* bodyClass;
    Calls calls;
  };
  const Row rows[] = {
      // 1500 / 100 halved beyond 64X, 32X, 16X, 8X: 15 / 16.
      {"beyond 64X", "G 2 V  ", 1, 100, 71, {D100(50)}, 0.9375, "S", kParticulars},
      // 1500 / 64 is not beyond 64X: 23.4375 / 8.
      {"at 64X", "G 2 V  ", 1, 64, 71, {D100(50)}, 2.9296875, "S", kParticulars},
      // 1500 / (3/7) = 3500 -> 3500 / Int(3.5), then one doubling: 2333.3.
      {"cap",
       "G 2 V  ",
       1,
       3.0 / 7,
       71,
       {D100(20), D100(21)},
       2333.3333333333335,
       "J",
       kParticulars},
      // 1500 / 10 / 4 for a white dwarf, halved beyond 8X.
      {"dwarf", "A 0 D  ", 1, 10, 50, {D100(50)}, 18.75, "J", kParticulars},
      {"neutron", "A 0 N  ", 1, 10, 50, {D100(50)}, 6.123724356957945, "J", kParticulars},
      // 150 / log10(100) / 2.
      {"giant", "K 0 I  ", 100, 10, 50, {D100(50)}, 37.5, "J", kParticulars},
      // log10(0.5) < 0: 150 / -0.30103 / 2, below 0.5 at T > 70.
      {"dim giant", "K 0 I  ", 0.5f, 10, 71, {D100(50)}, -249.14460711655218, "", kNoCalls},
      {"black hole", "X 0 B  ", 1e-6f, 10, 50, {D100(50)}, -12.49999999771565, "", kNoCalls},
      // Mended: no logarithm of 1 to divide by, the mass stays 150 / 2.
      {"giant of L 1", "K 0 I  ", 1, 10, 50, {D100(50)}, 75, "J", kParticulars},
      // Mended: no light at all leaves no mass.
      {"dark", "X 0 B  ", 0, 10, 50, {D100(50)}, 0, "", kNoCalls},
      // 1500 / 187.5 / 16 is exactly 0.5, which stays "J" in a warm orbit.
      {"half", "G 2 V  ", 1, 187.5, 71, {D100(50)}, 0.5, "J", kParticulars},
      // 1500 / 40 / 4 / 8 = 1.171875 in a cold orbit (T = 70): an icy belt world.
      {"icy", "A 0 D  ", 1, 40, 70, {D100(50)}, 1.171875, "I", kBelt},
      // 1500 / 1000 / 16 = 0.09375, below 0.1.
      {"too small", "G 2 V  ", 1, 1000, 70, {D100(50)}, 0.09375, "", kNoCalls},
  };
  for (const Row& row : rows) {
    Rig rig(Script({kUnitWide, row.doubling}));
    rig.w.StarType[1] = row.starType;
    rig.w.StarLuminosity[1] = row.luminosity;
    rig.SetWorld("J", row.axis, row.tempHigh);
    rig.survey.MakeJovianWorld();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.Mass(), row.mass);
    EXPECT_EQ(rig.Class(), row.bodyClass);
    EXPECT_EQ(rig.survey.calls, row.calls);
  }
}

TEST(JovianWorldTest, SnowLineJovianMigrates) {
  // 1500 / 10 halved beyond 8X = 75 (18.75 in a pair): "J", then the migration roll.
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
      // 96: f = 2 x 2.5 = 5, which a roll of 21 leaves undoubled.
      {"96 twice", 1, 1, 6, {D100(96), Die(3, 6), D100(21)}, 2},
      // A one makes f = 0.5: the world moves out to twice its distance.
      {"one", 1, 1, 6, {D100(81), Die(1, 6)}, 20},
      // Pair +20: 76 -> 96; f = 2 x 0.5 = 1, doubled once to 2.
      {"pair +20", 2, 1, 6, {D100(76), Die(1, 6), D100(20), D100(21)}, 5},
      {"around the pair", 2, 0, 6, {}, 10},
  };
  for (const Row& row : rows) {
    Rig rig(Script({kUnitWide, {D100(50)}, row.migration}));
    rig.w.StarCount = static_cast<std::int16_t>(row.starCount);
    rig.w.SystemAge = row.age;
    rig.w.StarType[0] = "G 2 V  ";
    rig.w.StarSeparation = 10000;  // far enough that the partner takes nothing
    rig.survey.OrbitScale = {1, 1, 1};
    rig.survey.PartnerStar = 2;
    rig.w.StarSurveyOrbit[static_cast<std::size_t>(row.star)] = 4;
    rig.Select(row.star, 4);
    rig.SetWorld("J", 10, 50);
    rig.survey.MakeJovianWorld();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_EQ(rig.Class(), "J");
    EXPECT_DOUBLE_EQ(rig.Mass(), row.starCount == 2 ? 18.75 : 75);
    EXPECT_DOUBLE_EQ(rig.Axis(), row.axis);
    EXPECT_EQ(rig.survey.calls, kParticulars);
  }
  // Not the snow-line orbit: no roll.
  Rig inner(Script({kUnitWide, {D100(50)}}));
  inner.w.StarSurveyOrbit[1] = 5;
  inner.SetWorld("J", 10, 50);
  inner.survey.MakeJovianWorld();
  EXPECT_EQ(inner.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(inner.Axis(), 10.0);
}

TEST(LimitWorldMassTest, PartnerAndSnowLineCuts) {
  // World of mass 1 on orbit 3 of star 1 at 2 AU, X = 1. Partner: scale 0.5 at 20 AU.
  // Jovian: mass 300 on orbit 6.
  struct Row {
    const char* name;
    int starCount;
    int star;
    int body;
    double separation;
    const char* jovianClass;
    double jovianAxis;
    std::vector<float> draws;
    double mass;
  };
  const std::vector<float> wide091 = {0.25f, 0.75f};  // (0.7)(1.3) = 0.91
  const Row rows[] = {
      // R = 4 x 333000 x 0.5 / 18^3 = 114.20; q = (15 / R)^3 / 20.
      {"partner", 2, 1, 0, 20, "", 0, kUnitWide, 0.00011331140899847982},
      // R = 4 x 300 / 3^3 = 44.44; q = 0.0019222, times the factor 0.91.
      {"jovian", 1, 1, 0, 0, "J", 5, wide091, 0.0019221679687500004 * 0.9099999999999998},
      {"both", 2, 1, 0, 20, "J", 5, Script({kUnitWide, kUnitWide}), 2.1780356087080848e-07},
      // R = 4 x 300 / 6^3 = 5.56; q = 0.984 stays below 1.
      {"far jovian", 1, 1, 0, 0, "J", 8, kUnitWide, 0.9841500000000002},
      // R = 4 x 300 / 12^3 = 0.69: q far above 1, no cut and no draw.
      {"farther jovian", 1, 1, 0, 0, "J", 14, {}, 1},
      {"small jovian", 1, 1, 0, 0, "S", 5, {}, 1},
      {"pair's world", 2, 0, 0, 20, "", 0, {}, 1},
      {"moon", 2, 1, 1, 20, "", 0, {}, 1},
      // Mended: a jovian that migrated inside the world, or sits on its path, sweeps it.
      {"jovian inside", 1, 1, 0, 0, "J", 1.5, kUnitWide, 0},
      {"jovian on the path", 1, 1, 0, 0, "J", 2, kUnitWide, 0},
      {"partner on the path", 2, 1, 0, 2, "", 0, kUnitWide, 0},
  };
  for (const Row& row : rows) {
    Rig rig(row.draws);
    rig.w.StarCount = static_cast<std::int16_t>(row.starCount);
    rig.w.StarSeparation = row.separation;
    rig.survey.OrbitScale = {1, 1, 0.5};
    rig.survey.PartnerStar = 2;
    rig.w.StarSurveyOrbit[static_cast<std::size_t>(row.star)] = 6;
    rig.w.BodyClass(row.star, 6, 0) = row.jovianClass;
    rig.w.BodyMass(row.star, 6, 0) = 300;
    rig.w.BodySemiMajorAxis(row.star, 6, 0) = row.jovianAxis;
    rig.Select(row.star, 3);
    rig.w.CurrentBody = static_cast<std::int16_t>(row.body);
    rig.w.BodySemiMajorAxis(row.star, 3, row.body) = 2;
    rig.w.BodyMass(row.star, 3, row.body) = 1;
    rig.survey.LimitWorldMass();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.w.BodyMass(row.star, 3, row.body), row.mass);
  }
  // Only worlds inside the snow line are cut: the jovian's own orbit and those beyond are not.
  Rig outer({});
  outer.w.StarSurveyOrbit[1] = 6;
  outer.w.BodyClass(1, 6, 0) = "J";
  outer.w.BodyMass(1, 6, 0) = 300;
  outer.w.BodySemiMajorAxis(1, 6, 0) = 5;
  outer.Select(1, 6);
  outer.Axis() = 5.5;
  outer.Mass() = 1;
  outer.survey.LimitWorldMass();
  EXPECT_EQ(outer.Mass(), 1.0);
}

TEST(LimitWorldMassTest, SweptWorldLeavesNoTerrestrial) {
  // A jovian that migrated to 1.5 AU, inside a world at 2 AU: the world's mass is cut to 0
  // and no world is left (the doubling roll still comes).
  Rig rig(Script({kUnitWide, kUnitWide, {D100(10), D100(50)}}));
  rig.w.StarSurveyOrbit[1] = 6;
  rig.w.BodyClass(1, 6, 0) = "J";
  rig.w.BodyMass(1, 6, 0) = 300;
  rig.w.BodySemiMajorAxis(1, 6, 0) = 1.5;
  rig.Select(1, 3);
  rig.SetWorld("T", 2, 300);
  rig.survey.MakeTerrestrialWorld();
  EXPECT_EQ(rig.random.ScriptLeft(), 0u);
  EXPECT_EQ(rig.Mass(), 0.0);
  EXPECT_EQ(rig.Class(), "");
  EXPECT_EQ(rig.survey.calls, kNoCalls);
}

}  // namespace
}  // namespace ax
