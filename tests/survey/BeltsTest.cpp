#include <gtest/gtest.h>

#include <algorithm>
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

// Runs MakeMoons alone: the steps it calls record the body they were called for (with its
// class, to show the class is set first); SortMoons orders the axes as the moons step does.
class BeltSurvey : public Survey {
 public:
  using Survey::Survey;
  void MakeOrbitElements() override { Record("MakeOrbitElements"); }
  void ComputeTemperatures() override { Record("ComputeTemperatures"); }
  void PhysicalParticulars() override { Record("PhysicalParticulars"); }
  void SortMoons() override {
    calls.push_back("SortMoons");
    const int n = world_.MoonCount[1][static_cast<std::size_t>(world_.CurrentOrbit)];
    std::vector<double> axes;
    for (int b = 1; b <= n; ++b)
      axes.push_back(world_.BodySemiMajorAxis(1, world_.CurrentOrbit, b));
    std::sort(axes.begin(), axes.end());
    for (int b = 1; b <= n; ++b) world_.BodySemiMajorAxis(1, world_.CurrentOrbit, b) = axes[b - 1];
  }
  void Record(const std::string& step) {
    calls.push_back(step + " " + std::to_string(world_.CurrentBody) + " " + Body(world_.BodyClass));
  }
  std::vector<std::string> calls;
};

// A belt world on orbit o of a lone star of one solar mass, selected.
struct Rig {
  Rig(std::vector<float> draws, const char* worldClass, double worldMass, int orbit,
      double worldAxis, double innerAxis, float age = 5)
      : random(Random::Scripted(std::move(draws))) {
    w.StarCount = 1;
    w.StarMass[1] = 1;
    w.SystemAge = age;
    w.CurrentStar = 1;
    w.CurrentOrbit = static_cast<std::int16_t>(orbit);
    w.BodyClass(1, orbit, 0) = worldClass;
    w.BodyMass(1, orbit, 0) = worldMass;
    w.BodySemiMajorAxis(1, orbit, 0) = worldAxis;
    w.BodySemiMajorAxis(1, orbit - 1, 0) = innerAxis;
    survey.MoonTide = 7;
  }
  int Count() const { return w.MoonCount[1][static_cast<std::size_t>(w.CurrentOrbit)]; }
  double Axis(int b) const { return w.BodySemiMajorAxis(1, w.CurrentOrbit, b); }
  double Mass(int b) const { return w.BodyMass(1, w.CurrentOrbit, b); }
  std::string Class(int b) const { return w.BodyClass(1, w.CurrentOrbit, b); }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  Random random;
  BeltSurvey survey{w, random};
};

// Placement draws of n bodies, all 0.5: two for a pair, two per body beyond that, none for one.
std::vector<float> MiddlePlacement(int n) {
  const int draws = n == 1 ? 0 : n == 2 ? 2 : 2 * n;
  return std::vector<float>(static_cast<std::size_t>(draws), 0.5f);
}
// The mass draws of n bodies of 0.00004 each, left undoubled.
std::vector<float> SmallBodies(int n) {
  std::vector<float> draws;
  for (int b = 0; b < n; ++b) {
    draws.push_back(0.5f);
    draws.push_back(D100(26));
  }
  return draws;
}

std::vector<std::string> BodyCalls(int n, const char* bodyClass) {
  std::vector<std::string> calls;
  for (int b = 1; b <= n; ++b) {
    for (const char* step :
         {"MakeOrbitElements ", "ComputeTemperatures ", "PhysicalParticulars "}) {
      // The class is set after the orbital elements.
      const std::string known = std::string(step) == "MakeOrbitElements " ? "" : bodyClass;
      calls.push_back(step + std::to_string(b) + " " + known);
    }
  }
  return calls;
}

TEST(BeltBodiesTest, CountFromTheWorldsMass) {
  struct Row {
    const char* worldClass;
    double worldMass;
    int d6;
    int count;
  };
  const Row rows[] = {
      {"P", 0.0015, 1, 5},  // Int(4.5) + 1
      {"P", 0.0015, 6, 10},
      {"I", 3.5, 1, 4},  // Int(3.5) + 1
      {"I", 3.5, 6, 9},
  };
  for (const Row& row : rows) {
    Rig rig(Script({{Die(row.d6, 6)}, MiddlePlacement(row.count), SmallBodies(row.count)}),
            row.worldClass, row.worldMass, 4, 1, 0.4);
    rig.survey.MakeMoons();
    SCOPED_TRACE(row.count);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_EQ(rig.Count(), row.count);
    std::vector<std::string> calls = {"SortMoons"};
    const std::vector<std::string> bodies = BodyCalls(row.count, "Z");
    calls.insert(calls.end(), bodies.begin(), bodies.end());
    EXPECT_EQ(rig.survey.calls, calls);
    EXPECT_EQ(rig.w.CurrentBody, 0);
    EXPECT_EQ(rig.survey.MoonTide, 0.0);
  }
}

TEST(BeltBodiesTest, YoungCountRoundsHalfToEven) {
  // Age 0.05: d8 + 2 d6 - 1.5, the half to the even neighbour.
  struct Row {
    int d6;
    int d8;
    int count;
  };
  const Row rows[] = {{1, 1, 2}, {1, 2, 2}, {2, 1, 4}};
  for (const Row& row : rows) {
    Rig rig(
        Script(
            {{Die(row.d6, 6), Die(row.d8, 8)}, MiddlePlacement(row.count), SmallBodies(row.count)}),
        "I", 0, 4, 1, 0.4, 0.05f);
    rig.survey.YoungSystem = 1;
    rig.survey.MakeMoons();
    SCOPED_TRACE(row.d8);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_EQ(rig.Count(), row.count);
  }
  // Age 0.1: 1 + 2 - 3 = 0 leaves no bodies and draws nothing more.
  Rig empty({Die(1, 6), Die(1, 8)}, "P", 0, 4, 1, 0.4, 0.1f);
  empty.survey.YoungSystem = 1;
  empty.survey.MakeMoons();
  EXPECT_EQ(empty.random.ScriptLeft(), 0u);
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_TRUE(empty.survey.calls.empty());
}

TEST(BeltBodiesTest, OneOrTwoBodiesShareTheWorldsPath) {
  // One body (icy world of mass 0, d6 = 1) takes the world's axis...
  Rig one(Script({{Die(1, 6)}, SmallBodies(1)}), "I", 0, 4, 1, 0.4);
  one.survey.MakeMoons();
  EXPECT_EQ(one.random.ScriptLeft(), 0u);
  EXPECT_EQ(one.Axis(1), 1.0);
  EXPECT_EQ(one.survey.calls, BodyCalls(1, "Z"));
  // ...unless within 0.01 AU: u / 100 + 0.005 + 1 / 25.
  Rig close(Script({{Die(1, 6), 0.5f}, SmallBodies(1)}), "I", 0, 4, 0.005, 0.004);
  close.survey.MakeMoons();
  EXPECT_EQ(close.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(close.Axis(1), 0.05);

  // Two bodies (mass 1, d6 = 1): a1 = 1 - 0.5 x 0.4 - 0.5 / 10, a2 = 2 - a1.
  Rig two(Script({{Die(1, 6), 0.5f, 0.5f}, SmallBodies(2)}), "I", 1, 4, 1, 0.4);
  two.survey.MakeMoons();
  EXPECT_EQ(two.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(two.Axis(1), 0.75);
  EXPECT_DOUBLE_EQ(two.Axis(2), 1.25);
  EXPECT_EQ(two.Axis(0), 1.0);
  EXPECT_EQ(two.survey.calls, BodyCalls(2, "Z"));
  // Close in, both are put back out: 0.005 + 0.005 + 0.04, then 0.005 + 0.01 + 0.04.
  Rig twoClose(Script({{Die(1, 6), 0.5f, 0.5f, 0.5f, 0.5f}, SmallBodies(2)}), "I", 1, 4, 0.008,
               0.004);
  twoClose.survey.MakeMoons();
  EXPECT_EQ(twoClose.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(twoClose.Axis(1), 0.05);
  EXPECT_DOUBLE_EQ(twoClose.Axis(2), 0.055);
}

TEST(BeltBodiesTest, ManyBodiesSpreadSortedAndMoveTheWorld) {
  struct Row {
    int orbit;
    double step;       // 2 x (10 - 8), x 1.5 beyond orbit 8
    double sorted[3];  // 8 + u1 x step + (0.5 - u2) / 5 for (0.75, 0.5), (0.25, 0), (0.5, 0.75)
    double mean;
  };
  const Row rows[] = {
      {9, 6, {9.6, 10.95, 12.5}, 11.016666666666666},
      {8, 4, {9.1, 9.95, 11.0}, 10.016666666666667},
  };
  for (const Row& row : rows) {
    Rig rig(Script({{Die(1, 6)}, {0.75f, 0.5f, 0.25f, 0.0f, 0.5f, 0.75f}, SmallBodies(3)}), "I", 2,
            row.orbit, 10, 8);
    rig.survey.MakeMoons();
    SCOPED_TRACE(row.orbit);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_EQ(rig.survey.DrawScale, row.step);
    for (int b = 1; b <= 3; ++b) EXPECT_DOUBLE_EQ(rig.Axis(b), row.sorted[b - 1]) << b;
    EXPECT_DOUBLE_EQ(rig.Axis(0), row.mean);
    EXPECT_EQ(rig.survey.calls.front(), "SortMoons");
  }
  // Orbit 1 spreads from the star (axis 0): 0.004 apart. Bodies within 0.01 AU draw u and go
  // to u / 100 + 0.045; the middle one lands at 0 + 0.5 x 0.008 + 0.1.
  Rig close(
      Script(
          {{Die(1, 6)}, {0.0f, 0.99f, 0.25f}, {0.5f, 0.0f}, {0.5f, 0.5f, 0.75f}, SmallBodies(3)}),
      "I", 2, 1, 0.004, 0);
  close.survey.MakeMoons();
  EXPECT_EQ(close.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(close.Axis(1), 0.0475);
  EXPECT_DOUBLE_EQ(close.Axis(2), 0.052500000000000005);
  EXPECT_DOUBLE_EQ(close.Axis(3), 0.10400000000000001);
  EXPECT_DOUBLE_EQ(close.Axis(0), 0.06800000000000002);
}

TEST(BeltBodiesTest, BodyMassDoublesUpToTheAgeCap) {
  // One body of 3u / 50000 + 0.00001.
  struct Row {
    const char* name;
    float age;
    std::vector<float> massDraws;
    double mass;
    const char* bodyClass;
  };
  const Row rows[] = {
      // Cap 0.01 / 10 = 0.001: 0.00004 doubles five times to 0.00128, then no more rolls.
      {"old doubling", 10, {0.5f, D100(25), D100(25), D100(25), D100(25), D100(25)}, 0.00128, "T"},
      {"old stays", 10, {0.5f, D100(26)}, 0.00004, "Z"},
      // Mended: age 0 caps at 0.01 / 0.01 = 1; 6.994e-5 doubles 14 times to 1.146.
      {"ageless", 0, Script({{0.999f}, std::vector<float>(14, D100(1))}), 1.14589697265625, "T"},
  };
  for (const Row& row : rows) {
    Rig rig(Script({{Die(1, 6)}, row.massDraws}), "I", 0, 4, 1, 0.4, row.age);
    rig.survey.MakeMoons();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.Mass(1), row.mass);
    EXPECT_EQ(rig.Class(1), row.bodyClass);
  }
  // Young, age 0.05: x (10 x 0.05 + 1), cap 0.2. 0.00006 doubles 12 times to 0.24576; the
  // second body, 0.000015, stops at once. Count 1 + 2 - 1.5 rounds to 2.
  Rig young(Script({{Die(1, 6), Die(1, 8), 0.5f, 0.5f},
                    {0.5f},
                    std::vector<float>(12, D100(25)),
                    {0.0f, D100(26)}}),
            "I", 0, 4, 1, 0.4, 0.05f);
  young.survey.YoungSystem = 1;
  young.survey.MakeMoons();
  EXPECT_EQ(young.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(young.Mass(1), 0.24576000122070316);
  EXPECT_EQ(young.Class(1), "T");
  EXPECT_DOUBLE_EQ(young.Mass(2), 1.5000000074505808e-05);
  EXPECT_EQ(young.Class(2), "Z");
}

}  // namespace
}  // namespace ax
