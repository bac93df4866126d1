#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
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

constexpr int kStar = 1;
constexpr int kOrbit = 3;
constexpr double kYear = 8766;  // hours

// The steps MakeMoonSystem calls, recorded as "Step body". The orbital elements a moon gets
// are set by the test; the world's tides, when asked, leave the day the test chose.
class MoonSurvey : public Survey {
 public:
  using Survey::Survey;

  void MakeOrbitElements() override {
    Record("MakeOrbitElements");
    Body(world_.BodyPeriod) = moonPeriod[static_cast<std::size_t>(world_.CurrentBody)];
    Body(world_.BodyInclination) = moonInclination[static_cast<std::size_t>(world_.CurrentBody)];
  }
  void ComputeTemperatures() override { Record("ComputeTemperatures"); }
  void PhysicalParticulars() override { Record("PhysicalParticulars"); }
  void ApplyTides() override {
    Record("ApplyTides");
    if (dayAfterTides) OrbitWorld(world_.BodyDayLength) = *dayAfterTides;
  }

  std::vector<std::string> calls;
  std::array<double, kBodySlots> moonPeriod{};
  std::array<double, kBodySlots> moonInclination{};
  std::optional<float> dayAfterTides;

 private:
  void Record(const std::string& step) {
    calls.push_back(step + " " + std::to_string(world_.CurrentBody));
  }
};

struct MoonBench {
  MoonBench(const std::string& worldClass, double mass, float radius, double axis) {
    world->StarType[kStar] = "G 2 V  ";
    world->StarMass[kStar] = 1;
    survey.OrbitScale[kStar] = 1;
    world->CurrentStar = kStar;
    world->CurrentOrbit = kOrbit;
    world->BodyClass(kStar, kOrbit, 0) = worldClass;
    world->BodyMass(kStar, kOrbit, 0) = mass;
    world->BodyRadius(kStar, kOrbit, 0) = radius;
    world->BodySemiMajorAxis(kStar, kOrbit, 0) = axis;
    world->BodyPeriod(kStar, kOrbit, 0) = kYear;
    world->BodyDayLength(kStar, kOrbit, 0) = 20;
    world->BodyObliquity(kStar, kOrbit, 0) = 30;
  }

  void Run(std::vector<float> draws) {
    random = Random::Scripted(std::move(draws));
    survey.MakeMoonSystem();
  }
  int Count() const { return world->MoonCount[kStar][kOrbit]; }
  template <typename T>
  T& At(BodyTable<T>& table, int body) {
    return table(kStar, kOrbit, body);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  Random random = Random::Scripted({});
  MoonSurvey survey{*world, random};
};

// The calls that working out these moons makes, after the world's own tides when asked.
std::vector<std::string> MoonCalls(int count, bool worldTides) {
  std::vector<std::string> calls;
  if (worldTides) calls.push_back("ApplyTides 0");
  for (int b = 1; b <= count; ++b) {
    for (const char* step : {"MakeOrbitElements", "ComputeTemperatures", "PhysicalParticulars"}) {
      calls.push_back(std::string(step) + " " + std::to_string(b));
    }
  }
  return calls;
}

// A rocky world's moon at 3 x d20 + d10 - u radii, that does not double.
std::vector<float> RockyOrbit(int d20, int d10, float spread) {
  return {Die(d20, 20), Die(d10, 10), spread, D100(99)};
}

// A moon of 0.00001 standard masses: d10 of 1 keeps it from growing, and it fails the one
// doubling roll that half its world's mass allows it.
std::vector<float> LightMoon() {
  return {0.0f, Die(1, 10), D100(99)};
}

TEST(MakeMoonSystemTest, WorldOfMassOneHasDFourLessTwoMoonsAndMayCaptureOne) {
  {  // ln(sqrt 1) = 0, so n = d4 - 2 = 0; 1 / 10 + 90 / 100 = 1.0 is no capture.
    MoonBench bench("T", 1, 1, 1);
    bench.Run({Die(2, 4), Die(6, 6), D100(90)});
    EXPECT_EQ(bench.random.ScriptLeft(), 0u);
    EXPECT_EQ(bench.Count(), 0);
    EXPECT_TRUE(bench.survey.calls.empty());
  }
  {  // d4 of 3: one moon and a captured one. Only the first gets the + 5: v = 3 + 5 = 8 > 7
     // multiplies its mass; the second's v = 7 + 0 = 7 does not.
    MoonBench bench("T", 1, 1, 1);
    bench.Run(Script({{Die(3, 4), Die(6, 6), D100(91)},
                      RockyOrbit(4, 3, 0.0f),
                      RockyOrbit(10, 5, 0.5f),
                      {0.5f, Die(3, 10), D100(99)},
                      {0.5f, Die(7, 10), D100(99)}}));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u);
    EXPECT_EQ(bench.Count(), 2);
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, 1), 15.0);  // 12 + 3 - 0
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyMass, 1), 0.00048);
    EXPECT_EQ(bench.At(bench.world->BodyClass, 1), "Z");
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyMass, 2), 0.00006);
    EXPECT_EQ(bench.survey.calls, MoonCalls(2, true));
  }
  {  // d4 of 4: two moons, at 30 + 5 - 0.5 and 15 + 5 - 0.5, sorted innermost first
    MoonBench bench("T", 1, 1, 1);
    bench.Run(Script({{Die(4, 4), Die(1, 6), D100(10)},
                      RockyOrbit(10, 5, 0.5f),
                      RockyOrbit(5, 5, 0.5f),
                      LightMoon(),
                      LightMoon()}));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u);
    EXPECT_EQ(bench.Count(), 2);
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, 1), 19.5);
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, 2), 34.5);
    EXPECT_EQ(bench.survey.calls, MoonCalls(2, true));
  }
}

TEST(MakeMoonSystemTest, WorldLockedToItsStarKeepsOnlyACapturedMoon) {
  struct Row {
    const char* name;
    float day;
    std::vector<float> draws;
    int count;
  };
  const Row rows[] = {
      {"locked", 8765.5f, {Die(4, 4), Die(1, 6), D100(10)}, 0},
      {"locked, captures", 8765.5f,
       Script({{Die(4, 4), Die(1, 6), D100(95)}, RockyOrbit(4, 3, 0.0f), LightMoon()}), 1},
      // A day a full hour short of the year is not locked.
      {"an hour short", 8765.0f,
       Script({{Die(4, 4), Die(1, 6), D100(10)},
               RockyOrbit(10, 5, 0.5f),
               RockyOrbit(5, 5, 0.5f),
               LightMoon(),
               LightMoon()}),
       2},
  };
  for (const Row& row : rows) {
    MoonBench bench("T", 1, 1, 1);
    bench.survey.dayAfterTides = row.day;
    bench.Run(row.draws);
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << row.name;
    EXPECT_EQ(bench.Count(), row.count) << row.name;
    EXPECT_EQ(bench.survey.calls, MoonCalls(row.count, true)) << row.name;
  }
}

TEST(MakeMoonSystemTest, NoWorldHasMoreThanTwentyMoons) {
  // ln(sqrt 5000) = 4.2586: Int(5 x 4.2586) + 4 - 2 = 23. No capture draw at 4 masses or more.
  MoonBench bench("J", 5000, 10, 5);
  std::vector<float> draws = {Die(4, 4), Die(6, 6)};
  // Jovian moons at d10 x d4 + i + 0.44 + u, the products rising so that no two are close.
  const int products[][2] = {{1, 1}, {2, 1},  {3, 1},  {4, 1}, {5, 1}, {6, 1}, {7, 1},
                             {8, 1}, {9, 1},  {10, 1}, {6, 2}, {7, 2}, {5, 3}, {8, 2},
                             {9, 2}, {10, 2}, {7, 3},  {8, 3}, {9, 3}, {7, 4}};
  for (const auto& [d10, d4] : products) {
    draws.insert(draws.end(), {Die(d10, 10), Die(d4, 4), 0.5f, D100(61)});  // 60 % chance
  }
  for (int b = 1; b <= 20; ++b) {
    draws.insert(draws.end(), {0.0f, Die(1, 10), D100(61)});
  }
  bench.Run(draws);
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_EQ(bench.Count(), 20);
  for (int i = 1; i <= 20; ++i) {
    const int product = products[i - 1][0] * products[i - 1][1];
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, i), product + i + 0.44 + 0.5) << i;
  }
  EXPECT_EQ(bench.survey.calls, MoonCalls(20, true));
  EXPECT_EQ(bench.world->CurrentBody, 0);
}

TEST(MakeMoonSystemTest, MoonOrbitsStayInReachApartAndOutsideTheTearingLimit) {
  // Mass 3: Int(5 x 0.5493) + 4 - 2 = 4 moons. Reach 23361 x 0.035 x (3 / 665550)^0.4 = 5.9448.
  constexpr double kReach = 5.944778813771821;
  MoonBench bench("T", 3, 1, 0.035);
  bench.Run(Script({
      {Die(4, 4), Die(6, 6), D100(50)},
      {Die(1, 20), Die(2, 10), 0.5f, D100(21)},  // 3 + 2 - 0.5 = 4.5
      // 3 + 4 - 0.5 = 6.5 beyond reach: 5.94 - 0 - 2 = 3.94, within 1 of 4.5: + 2 + 0.25
      {Die(1, 20), Die(4, 10), 0.5f, D100(21), 0.0f, Die(2, 2), 0.25f},
      // 6 + 1 - 0 = 7, doubled (20 % chance) to 14, pulled to 5.94 - 0.75 - 3 = 2.19,
      // under 2.45: 0.5 + 2.44
      {Die(2, 20), Die(1, 10), 0.0f, D100(20), D100(21), 0.75f, 0.5f},
      // 3 + 2 - 0.9 = 4.1 near 4.5: + 2 + 0 = 6.1, now near 6.19: + 1 + 0.5
      {Die(1, 20), Die(2, 10), 0.9f, D100(21), Die(2, 2), 0.0f, Die(1, 2), 0.5f},
      LightMoon(),
      LightMoon(),
      LightMoon(),
      LightMoon(),
  }));
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  ASSERT_EQ(bench.Count(), 4);
  // The last: 3 + 2 - 0.9 (as a 32-bit draw) + 2 + 1 + 0.5.
  const double sorted[] = {2.94, 4.5, kReach + 0.25, 7.600000023841858};
  for (int b = 1; b <= 4; ++b) {
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, b), sorted[b - 1]) << b;
  }
}

TEST(MakeMoonSystemTest, StrongestMoonLocksTheWorld) {
  // Mass 3: Int(1 x 0.5493) + 4 - 2 = 2 moons, the second (after sorting) heavy.
  MoonBench bench("T", 3, 1, 1);
  bench.survey.moonPeriod = {0, 100, 200};
  bench.survey.moonInclination = {0, 10, 170};
  bench.Run(Script({
      {Die(4, 4), Die(2, 6), D100(50)},
      RockyOrbit(10, 5, 0.5f),  // 34.5
      RockyOrbit(5, 5, 0.5f),   // 19.5
      LightMoon(),
      // (0.99 / 10000 + 0.00001) x (10 + 0.5493), doubled 11 times to pass the limit of 1.5
      {0.99f, Die(10, 10)},
      std::vector<float>(11, D100(60)),
      {D100(95), 0.25f},  // two thirds of its period; tilt |170 + 3 - 1.5|
  }));
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, 2), 34.5);
  EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyMass, 1), 0.00001);
  EXPECT_EQ(bench.At(bench.world->BodyClass, 1), "Z");
  EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyMass, 2), 2.354942732029895);
  EXPECT_EQ(bench.At(bench.world->BodyClass, 2), "T");
  // 2.355 x 4e14 x (r^-2 - (r + 12760000)^-2) x cos^2(40 x 0.01745), r = 6378000 x 34.5: the
  // angle |170 - 30| past 90 is taken as 180 - 140.
  EXPECT_DOUBLE_EQ(bench.survey.MoonTide, 0.0012174880887771966);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength, 0), 133.33333f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyObliquity, 0), 171.5f);
  EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyInclination, 1), 161.5);  // |10 - 171.5|
  EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyInclination, 2), 170.0);
  EXPECT_EQ(bench.world->CurrentBody, 0);
}

TEST(MakeMoonSystemTest, CapturedMoonNeverOutweighsItsWorld) {
  // A world of 0.001: n = Int(0 x L) + 1 - 2 < 0, but 0.0001 + 1.0 captures a moon. Its
  // v = 10 + ln(sqrt 0.001) + 5 = 11.55 makes 0.000109 x 11.55 = 0.00126: above the doubling
  // limit of 0.0005 and above the world, so it is cut to (0.05 + 0.9) x 0.001, too light to lock.
  MoonBench bench("T", 0.001, 0.1f, 1);
  bench.Run(Script({{Die(1, 4), Die(1, 6), D100(100)},
                    RockyOrbit(10, 5, 0.5f),  // 34.5, within the reach of 69 radii
                    {0.99f, Die(10, 10)},
                    {0.5f}}));
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_EQ(bench.survey.calls, MoonCalls(1, false));  // no world tides for n <= 0
  EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyMass, 1), 0.95 * 0.001);
  EXPECT_EQ(bench.At(bench.world->BodyClass, 1), "Z");
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength, 0), 20.0f);
}

TEST(MakeMoonSystemTest, OnlyARockyMoonAboveAThousandthLocksTheWorld) {
  struct Row {
    const char* name;
    const char* worldClass;
    double worldMass;
    float worldRadius;
    std::vector<float> draws;
    double mass;
    const char* moonClass;
    float day;
  };
  const Row rows[] = {
      // 0.000109 x (10 + 1.4979) doubled 13 times to pass 10 = 20 / 2: a jovian moon
      {"jovian moon", "J", 20, 10,
       Script({{Die(3, 4), Die(1, 6)},
               {Die(2, 10), Die(2, 4), 0.5f, D100(99)},
               {0.99f, Die(10, 10)},
               std::vector<float>(13, D100(60))}),
       10.26676671873333, "J", 20},
      // (0.99 / 10000 + 0.00001) x 9, u a 32-bit draw, at 3.1 radii of a small world: a strong
      // tide, but too light
      {"light moon", "T", 1, 0.1f,
       Script({{Die(3, 4), Die(1, 6), D100(10)},
               RockyOrbit(1, 1, 0.9f),
               {0.99f, Die(9, 10), D100(99)}}),
       0.0009810000085830688, "Z", 20},
      // x 10: tide 0.07 > 3e-6, the world turns with the moon's period of 30 hours
      {"rocky moon", "T", 1, 0.1f,
       Script({{Die(3, 4), Die(1, 6), D100(10)},
               RockyOrbit(1, 1, 0.9f),
               {0.99f, Die(10, 10), D100(99)},
               {D100(50), 0.5f}}),
       0.0010900000095367432, "T", 30},
  };
  for (const Row& row : rows) {
    MoonBench bench(row.worldClass, row.worldMass, row.worldRadius, 5);
    bench.survey.moonPeriod = {0, 30};
    bench.Run(row.draws);
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << row.name;
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodyMass, 1), row.mass) << row.name;
    EXPECT_EQ(bench.At(bench.world->BodyClass, 1), row.moonClass) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength, 0), row.day) << row.name;
  }
}

TEST(MakeMoonSystemTest, OuterMoonsNeedAStrongerTideToLock) {
  // A moon of 0.00109 at 16 radii raises 8.79e-6: above 2 moons x 3e-6 x 1 for the inner
  // moon, below 2 x 3e-6 x 2 for the outer one.
  for (const bool inner : {true, false}) {
    MoonBench bench("T", 1, 1, 1);
    bench.world->BodyObliquity(kStar, kOrbit, 0) = 0;
    bench.survey.moonPeriod = {0, 30, 40};
    const std::vector<float> heavy = {0.99f, Die(10, 10), D100(99)};
    bench.Run(inner ? Script({{Die(4, 4), Die(1, 6), D100(10)},
                              RockyOrbit(5, 1, 0.0f),   // 16
                              RockyOrbit(10, 5, 0.5f),  // 34.5
                              heavy,
                              {D100(50), 0.5f},
                              LightMoon()})
                    : Script({{Die(4, 4), Die(1, 6), D100(10)},
                              RockyOrbit(5, 1, 0.0f),  // 16
                              RockyOrbit(2, 4, 0.0f),  // 10
                              LightMoon(),
                              heavy}));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << inner;
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, inner ? 1 : 2), 16.0) << inner;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength, 0), inner ? 30.0f : 20.0f) << inner;
  }
}

TEST(MakeMoonSystemTest, MasslessWorldHasNoMoonsAndNoStarOrSizeLeavesReachUnbounded) {
  {  // No logarithm of 0: no moons, and 0 / 10 + 1.0 captures none.
    MoonBench bench("T", 0, 0, 1);
    bench.Run({Die(4, 4), Die(6, 6), D100(100)});
    EXPECT_EQ(bench.random.ScriptLeft(), 0u);
    EXPECT_EQ(bench.Count(), 0);
    EXPECT_TRUE(bench.survey.calls.empty());
  }
  for (const bool noStar : {true, false}) {
    // 60 + 10 - 0 doubled to 140 stays: no pull-back draw.
    MoonBench bench("T", 1, noStar ? 1.0f : 0.0f, 1);
    if (noStar) bench.survey.OrbitScale[kStar] = 0;
    bench.Run(Script({{Die(3, 4), Die(1, 6), D100(10)},
                      {Die(20, 20), Die(10, 10), 0.0f, D100(1)},
                      LightMoon()}));
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << noStar;
    EXPECT_DOUBLE_EQ(bench.At(bench.world->BodySemiMajorAxis, 1), 140.0) << noStar;
  }
}

TEST(SortMoonsTest, SortsTheMoonsByDistanceOnly) {
  MoonBench bench("T", 1, 1, 7);
  bench.world->MoonCount[kStar][kOrbit] = 5;
  const double axes[] = {5, 3, 9, 3, 1, 4};  // the sixth is beyond the count
  for (int b = 1; b <= 6; ++b) bench.At(bench.world->BodySemiMajorAxis, b) = axes[b - 1];
  bench.At(bench.world->BodyMass, 1) = 0.5;
  bench.survey.SortMoons();
  const double sorted[] = {1, 3, 3, 5, 9, 4};
  for (int b = 1; b <= 6; ++b) {
    EXPECT_EQ(bench.At(bench.world->BodySemiMajorAxis, b), sorted[b - 1]) << b;
  }
  EXPECT_EQ(bench.At(bench.world->BodySemiMajorAxis, 0), 7.0);
  EXPECT_EQ(bench.At(bench.world->BodyMass, 1), 0.5);
}

// A body for ApplyTides alone: a rocky world at the given distance from a star of one solar
// mass, with a period of 1000 hours, a day of 24, tilt 23 and inclination 2.
struct TideBench {
  TideBench(int star, int body, double axis) {
    world->StarMass[static_cast<std::size_t>(star)] = 1;
    world->CurrentStar = static_cast<std::int16_t>(star);
    world->CurrentOrbit = kOrbit;
    world->CurrentBody = static_cast<std::int16_t>(body);
    world->BodyClass(star, kOrbit, 0) = "T";
    world->BodyClass(star, kOrbit, body) = "T";
    world->BodySemiMajorAxis(star, kOrbit, body) = axis;
    world->BodyRadius(star, kOrbit, body) = 1;
    world->BodyObliquity(star, kOrbit, body) = 23;
    world->BodyInclination(star, kOrbit, body) = 2;
    world->BodyPeriod(star, kOrbit, body) = 1000;
    world->BodyDayLength(star, kOrbit, body) = 24;
  }

  void Run(std::vector<float> draws) {
    random = Random::Scripted(std::move(draws));
    survey.ApplyTides();
  }
  template <typename T>
  T& At(BodyTable<T>& table) {
    return table(world->CurrentStar, kOrbit, world->CurrentBody);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  Random random = Random::Scripted({});
  Survey survey{*world, random};
};

// Tide of the star on that world at 0.2 AU: 1.3e20 x (r^-2 - (r + 12.7e6)^-2) x cos^2(23 x
// 0.01745), r = 0.2 x 148999995392 m: 1.057e-4, far above the lock at 4e-6.
constexpr double kCloseAu = 0.2;

TEST(ApplyTidesTest, LeavesJoviansAndWorldsAroundThePairAlone) {
  for (const int star : {1, 0}) {
    TideBench bench(star, 0, kCloseAu);
    if (star == 1) bench.At(bench.world->BodyClass) = "J";
    bench.At(bench.world->BodyObliquity) = 120;
    EXPECT_NO_THROW(bench.Run({})) << star;  // not one draw
    EXPECT_EQ(bench.At(bench.world->BodyObliquity), 120.0f) << star;
    EXPECT_EQ(bench.At(bench.world->BodyDayLength), 24.0f) << star;
  }
}

TEST(ApplyTidesTest, StarLocksACloseWorld) {
  struct Row {
    const char* name;
    double inclination;
    std::vector<float> draws;
    float obliquity, day;
  };
  const Row rows[] = {
      {"synchronous", 2, {0.25f, D100(90)}, 0.5f, 1000},
      {"three to two", 2, {0.25f, D100(91)}, 0.5f, 666.66669f},
      {"two to one", 2, {0.25f, D100(100)}, 0.5f, 500},
      // Tilt 2 x 0.25 + 178 past 90: the locked day runs backwards.
      {"retrograde orbit", 120, {0.25f, D100(90)}, 178.5f, -1000},
  };
  for (const Row& row : rows) {
    TideBench bench(1, 0, kCloseAu);
    bench.At(bench.world->BodyInclination) = row.inclination;
    bench.Run(row.draws);
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyObliquity), row.obliquity) << row.name;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), row.day) << row.name;
  }
}

TEST(ApplyTidesTest, StrongerMoonTideOrMoreMoonsHoldOffTheStar) {
  {  // A moon already pulls harder than the star.
    TideBench bench(1, 0, kCloseAu);
    bench.survey.MoonTide = 1;
    EXPECT_NO_THROW(bench.Run({}));
    EXPECT_EQ(bench.At(bench.world->BodyDayLength), 24.0f);
  }
  // At 0.3 AU the tide is 3.13e-5: above (6 + 1) x 4e-6, below (7 + 1) x 4e-6.
  for (const int moons : {6, 7}) {
    TideBench bench(1, 0, 0.3);
    bench.world->MoonCount[1][kOrbit] = static_cast<std::int16_t>(moons);
    bench.Run(moons == 6 ? std::vector<float>{0.25f, D100(90)} : std::vector<float>{});
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << moons;
    EXPECT_EQ(bench.At(bench.world->BodyDayLength), moons == 6 ? 1000.0f : 24.0f) << moons;
  }
}

TEST(ApplyTidesTest, StarBrakesAWorldInTheBand) {
  // At 0.65 AU the tide is 3.0794e-6, within [2e-6, 4e-6): 20 + 24 x 50 x tide x 500000.
  // A tilt of 157 is taken as 180 - 157 = 23, the same tide; the day then runs backwards.
  for (const float tilt : {23.0f, 157.0f}) {
    TideBench bench(1, 0, 0.65);
    bench.At(bench.world->BodyObliquity) = tilt;
    bench.Run({D100(50)});
    EXPECT_EQ(bench.random.ScriptLeft(), 0u) << tilt;
    EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), tilt < 90 ? 1867.6689f : -1867.6689f)
        << tilt;
    EXPECT_EQ(bench.At(bench.world->BodyObliquity), tilt) << tilt;
  }
  TideBench held(1, 0, 0.65);
  held.survey.MoonTide = 1;
  EXPECT_NO_THROW(held.Run({}));
  EXPECT_EQ(held.At(held.world->BodyDayLength), 24.0f);
}

TEST(ApplyTidesTest, BeltBodyFeelsItsStarNotItsWorld) {
  // Body 2 of a planetoid belt at 0.1 AU, radius 0.05: tide 4.84e-5 > (5 + 1) x 4e-6. The belt
  // world has no radius: taken for a moon's world, the body would feel nothing.
  TideBench bench(1, 2, 0.1);
  bench.world->BodyClass(1, kOrbit, 0) = "P";
  bench.world->BodyMass(1, kOrbit, 0) = 1000;
  bench.world->BodyRadius(1, kOrbit, 0) = 0;
  bench.world->MoonCount[1][kOrbit] = 5;
  bench.At(bench.world->BodyRadius) = 0.05f;
  bench.At(bench.world->BodyObliquity) = 10;
  bench.survey.MoonTide = 1;  // a body other than the world ignores it
  bench.Run({0.5f, D100(90)});
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyObliquity), 1.0f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), 1000.0f);
}

TEST(ApplyTidesTest, MoonFeelsItsWorld) {
  // Moon of radius 0.5 at 20 radii of a jovian of 300 masses and radius 10: 1.2e17 x
  // (r^-2 - (r + 6.35e6)^-2) x cos^2(30 x 0.01745), r = 10 x 6378000 x 20: 5.5e-4 > 16e-6.
  TideBench bench(1, 1, 20);
  bench.world->BodyClass(1, kOrbit, 0) = "J";
  bench.world->BodyMass(1, kOrbit, 0) = 300;
  bench.world->BodyRadius(1, kOrbit, 0) = 10;
  bench.world->MoonCount[1][kOrbit] = 3;
  bench.At(bench.world->BodyRadius) = 0.5f;
  bench.At(bench.world->BodyObliquity) = 150;  // tilted past 90, taken as 30
  bench.survey.MoonTide = 1;
  bench.Run({0.5f, D100(96)});
  EXPECT_EQ(bench.random.ScriptLeft(), 0u);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyObliquity), 1.0f);
  EXPECT_FLOAT_EQ(bench.At(bench.world->BodyDayLength), 666.66669f);  // two thirds of 1000
}

TEST(ApplyTidesTest, DayTurnsOverWhenTiltedPastNinetyEvenWithoutATide) {
  {  // A moon of a world with no radius is at no distance: no tide rather than an infinite one.
    TideBench bench(1, 1, 5);
    bench.world->BodyMass(1, kOrbit, 0) = 1;
    bench.world->BodyRadius(1, kOrbit, 0) = 0;
    bench.At(bench.world->BodyObliquity) = 120;
    bench.At(bench.world->BodyDayLength) = -10;
    EXPECT_NO_THROW(bench.Run({}));
    EXPECT_EQ(bench.At(bench.world->BodyDayLength), 10.0f);  // already negative: positive again
  }
  {  // 30 AU out the tide is 9e-12.
    TideBench bench(1, 0, 30);
    bench.At(bench.world->BodyObliquity) = 120;
    EXPECT_NO_THROW(bench.Run({}));
    EXPECT_EQ(bench.At(bench.world->BodyDayLength), -24.0f);
  }
}

}  // namespace
}  // namespace ax
