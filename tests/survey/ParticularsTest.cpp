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
using test::kUnitFactor;
using test::Script;

constexpr int kStar = 1;
constexpr int kOrbit = 3;

// The steps PhysicalParticulars calls, recorded with how many draws were left at the call.
class ParticularsSurvey : public Survey {
 public:
  using Survey::Survey;

  void MakeMoonSystem() override {
    Record("MakeMoonSystem");
    world_.MoonCount[kStar][kOrbit] = moonsToMake;
  }
  void ApplyTides() override { Record("ApplyTides"); }
  void MakeAtmosphere() override { Record("MakeAtmosphere"); }

  std::vector<std::string> calls;
  std::vector<std::size_t> drawsLeftAtCall;
  std::int16_t moonsToMake = 0;

 private:
  void Record(const std::string& step) {
    calls.push_back(step);
    drawsLeftAtCall.push_back(random_.ScriptLeft());
  }
};

struct Bench {
  Bench(const std::string& bodyClass, double mass, std::int16_t tempHigh, int body = 0) {
    world->StarType[kStar] = "G 2 V  ";
    world->SystemAge = 4.5f;
    world->CurrentStar = kStar;
    world->CurrentOrbit = kOrbit;
    world->CurrentBody = static_cast<std::int16_t>(body);
    world->BodyClass(kStar, kOrbit, body) = bodyClass;
    world->BodyMass(kStar, kOrbit, body) = mass;
    world->BodyTempHigh(kStar, kOrbit, body) = tempHigh;
  }

  void Run(std::vector<float> draws) {
    random = Random::Scripted(std::move(draws));
    survey.PhysicalParticulars();
  }
  template <typename T>
  T& At(BodyTable<T>& table) {
    return table(kStar, kOrbit, world->CurrentBody);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  Random random = Random::Scripted({});
  ParticularsSurvey survey{*world, random};
};

// Draws after the density of a non-jovian body that leave a tilt of 1 degree, no ring and
// little volcanism: tilt, day, ring, volcanism, rare earths.
const std::vector<float> kQuietTail = Script({
    {0.0f, 0.0f},
    {0.0f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6)},
    {Die(1, 6), Die(1, 6)},
    {0.0f, Die(1, 6), Die(1, 6)},
    {D100(1)},
});

TEST(PhysicalParticularsTest, RockyWorldDrawsInOrderAndCallsOnward) {
  Bench bench("T", 1.0, 288);
  bench.survey.moonsToMake = 2;
  bench.Run(Script({
      {Die(3, 4)},
      kUnitFactor,                                            // density (1 + 3 + 2.5) / 10 + 0.3
      {0.3f, 0.5f},                                           // tilt e^(5.19 x 0.4)
      {0.25f, Die(5, 10), Die(4, 6), Die(2, 10), Die(6, 6)},  // (20 + 12 + 4) / 2 + 4.5 + 0.25
      {Die(6, 6), Die(6, 6)},                                 // ring Int(1.45) + 12 - 10
      {0.5f, Die(4, 6), Die(3, 6)},                           // volcanism
      {D100(90)},                                             // rare earths
  }));
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDensity), 0.95f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyRadius), 1.0172448f);   // (1 / 0.95)^(1/3)
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyGravity), 0.9663825f);  // 0.95 x 1.01724
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyObliquity), 7.972515f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), 22.75f);
  EXPECT_EQ(bench.At(bench.world->BodyRingSize), 3);
  // (4 + 3 - 5 - 0.5) / 2 - 4.5 / 3 + 2 moons / 2 + 1^2 x 0.95: the moons made before count.
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyVolcanism), 1.2f);
  // 100 x 0.95 + 90 + 3 x 1.2 = 188.6 > 180
  EXPECT_EQ(bench.At(bench.world->BodyRareEarths), "Yes");
  // Moons after the rings (four draws still to come), tides after the rare earths, then air.
  EXPECT_EQ(bench.survey.calls,
            (std::vector<std::string>{"MakeMoonSystem", "ApplyTides", "MakeAtmosphere"}));
  EXPECT_EQ(bench.survey.drawsLeftAtCall, (std::vector<std::size_t>{4, 0, 0}));
}

TEST(PhysicalParticularsTest, JovianRadiusIsCappedAndItGetsNoSurfaceActivity) {
  struct Row {
    const char* name;
    double mass;
    std::vector<float> densityDraws;
    std::int16_t ringDie;
    float density, radius;
    std::int16_t ringSize;
  };
  const Row rows[] = {
      // (1 + 1 + 3) / 50 = 0.1 gives (20000)^(1/3) = 27.1 > 11.25: radius 0.5 + 10.25,
      // density 2000 / 10.75^3; gravity 17.3, ring Int(25.96) + 2 - 10 + 5 = 22, capped.
      {"capped",
       2000,
       {Die(1, 6), Die(1, 6), 0.5f, 0.5f, Die(500, 1000)},
       1,
       1.6099211f,
       10.75f,
       9},
      {"capped at the top",
       2000,
       {Die(1, 6), Die(1, 6), 0.5f, 0.5f, Die(1000, 1000)},
       1,
       1.4046639f,
       11.25f,
       9},
      {"capped at the bottom",
       2000,
       {Die(1, 6), Die(1, 6), 0.5f, 0.5f, Die(1, 1000)},
       1,
       1.8566554f,
       10.251f,
       9},
      // (4 + 5 + 3) / 50 = 0.24: (318 / 0.24)^(1/3) = 10.98 stays, no d1000;
      // gravity 2.636, ring Int(3.95) + 6 - 10 + 5.
      {"kept", 318, {Die(4, 6), Die(5, 6), 0.5f, 0.5f}, 3, 0.24f, 10.983446f, 4},
  };
  for (const Row& row : rows) {
    Bench bench("J", row.mass, 100);
    bench.Run(Script({
        row.densityDraws,
        {0.0f, 0.0f},
        {0.5f, Die(10, 10), Die(6, 6), Die(10, 10), Die(6, 6)},  // (120 + 4) / 2 + 4.5 + 0.5
        {0.5f},                                                  // jovian: 67 / 2 x 1.5
        {Die(row.ringDie, 6), Die(row.ringDie, 6)},
    }));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDensity), row.density) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyRadius), row.radius) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), 50.25f) << row.name;
    EXPECT_EQ(bench.At(bench.world->BodyRingSize), row.ringSize) << row.name;
    EXPECT_EQ(bench.At(bench.world->BodyVolcanism), 0.0f) << row.name;
    EXPECT_EQ(bench.At(bench.world->BodyRareEarths), "") << row.name;
    EXPECT_EQ(bench.survey.calls, (std::vector<std::string>{"MakeMoonSystem", "MakeAtmosphere"}))
        << row.name;
  }
}

TEST(PhysicalParticularsTest, DensityOfRockyBodies) {
  struct Row {
    const char* name;
    double mass;
    std::int16_t tempHigh;
    const char* starType;
    std::vector<float> densityDraws;
    float density, radius;
  };
  const Row rows[] = {
      // (4 + 2 + 2.5) / 10 - 0.2 = 0.65, cold and heavy: / 1.5
      {"cold heavy", 2, 100, "G 2 V  ", {Die(2, 4), 0.5f, 0.5f}, 0.43333334f, 1.6649555f},
      // (1 + 2 + 2.5) / 10 - 0.2: a mass of exactly 1 is not heavy
      {"cold, mass 1", 1, 100, "G 2 V  ", {Die(2, 4), 0.5f, 0.5f}, 0.35f, 1.4189835f},
      // 150 K is not cold: (4 + 2 + 2.5) / 10, no temperature term
      {"heavy at 150 K", 2, 150, "G 2 V  ", {Die(2, 4), 0.5f, 0.5f}, 0.85f, 1.3300573f},
      // (0.0001 + 1 + 2.5) / 10 - 0.3 = 0.05 < 0.2: d6 / 100 + 0.199
      {"replaced, d6 1",
       0.01,
       40,
       "G 2 V  ",
       {Die(1, 4), 0.5f, 0.5f, Die(1, 6)},
       0.209f,
       0.3630373f},
      {"replaced, d6 6",
       0.01,
       40,
       "G 2 V  ",
       {Die(1, 4), 0.5f, 0.5f, Die(6, 6)},
       0.259f,
       0.33798707f},
      // (16 + 4 + 2.5) / 10 + 0.3 + 0.2 = 2.75 > 1.8: x 0.85
      {"white dwarf's", 4, 300, "D 5 D  ", {Die(4, 4), 0.5f, 0.5f}, 2.3375f, 1.1961054f},
      // (1 + 1 + 2.5) / 10 - 0.2 + 0.4
      {"neutron star's", 1, 100, "P 0 N  ", {Die(1, 4), 0.5f, 0.5f}, 0.65f, 1.1544157f},
  };
  for (const Row& row : rows) {
    Bench bench("T", row.mass, row.tempHigh, 1);
    bench.world->StarType[kStar] = row.starType;
    bench.Run(Script({row.densityDraws, kQuietTail}));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDensity), row.density) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyRadius), row.radius) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyGravity), row.density * row.radius) << row.name;
  }
}

TEST(PhysicalParticularsTest, TinyMoonTiltedPastNinetyTurnsBackwardsWithoutRings) {
  Bench bench("Z", 0.0005, 100, 2);
  bench.world->MoonCount[kStar][kOrbit] = 3;
  bench.Run(Script({
      {Die(1, 4), 0.5f, 0.5f, Die(3, 6)},                    // 0.15 < 0.2: 0.03 + 0.199
      {0.9f, 0.9f},                                          // tilt e^(5.19 x 0.9) = 106.8
      {0.5f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6)},  // (1 + 1 + 4) / 2 + 4.5 + 0.5 = 8
      {0.5f, 0.5f},                                          // tiny: 8 / 5 x (0.5 + 1 + 0.5)
      {Die(6, 6), Die(6, 6)},                                // 0 + 12 - 10, but never a ring
      {0.5f, Die(6, 6), Die(6, 6)},
      {D100(1)},
  }));
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDensity), 0.229f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyObliquity), 106.80448f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), -3.2f);
  EXPECT_EQ(bench.At(bench.world->BodyRingSize), 0);
  // ((12 - 5 - 0.5) / 2 - 4.5 / 3 + 3 / 2 + 0.0005^2 x 0.229) / 8: light bodies cool fast.
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyVolcanism), 0.40625f);
  EXPECT_EQ(bench.At(bench.world->BodyRareEarths), "");
  // A moon makes no moons of its own.
  EXPECT_EQ(bench.survey.calls, (std::vector<std::string>{"ApplyTides", "MakeAtmosphere"}));
}

TEST(PhysicalParticularsTest, NegativeVolcanismFoldsBack) {
  struct Row {
    const char* name;
    double mass;
    float age;
    std::vector<float> ventDraws;
    float volcanism;
  };
  const Row rows[] = {
      // (2 - 5 - 0.5) / 2 + 0.5^2 x 0.375 = -1.65625 < -1: 1 / v^2
      {"below -1", 0.5, 0.0f, {0.5f, Die(1, 6), Die(1, 6)}, 0.36454254f},
      // (4 - 5 - 0.5) / 2 + 0.09375 = -0.65625: its absolute value
      {"between -1 and 0", 0.5, 0.0f, {0.5f, Die(2, 6), Die(2, 6)}, 0.65625f},
      // A massless body (so the sum is exact): ((2 - 5 - 0) / 2 - 19.5 / 3) / 8 = -1 stays.
      {"exactly -1", 0.0, 19.5f, {0.0f, Die(1, 6), Die(1, 6)}, -1.0f},
  };
  for (const Row& row : rows) {
    Bench bench("T", row.mass, 200, 1);
    bench.world->SystemAge = row.age;
    bench.Run(Script({
        {Die(1, 4), 0.5f, 0.5f},  // density (m^2 + 1 + 2.5) / 10
        {0.0f, 0.0f},
        {0.0f, Die(1, 10), Die(1, 6), Die(1, 10), Die(1, 6)},
        {Die(1, 6), Die(1, 6)},
        row.ventDraws,
        {D100(100)},
    }));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyVolcanism), row.volcanism) << row.name;
  }
}

TEST(PhysicalParticularsTest, MasslessBodyHasNoSize) {
  Bench bench("T", 0.0, 200, 1);
  bench.Run(Script({{Die(1, 4), 0.5f, 0.5f}, kQuietTail}));
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDensity), 0.35f);
  EXPECT_EQ(bench.At(bench.world->BodyRadius), 0.0f);
  EXPECT_EQ(bench.At(bench.world->BodyGravity), 0.0f);
}

}  // namespace
}  // namespace ax
