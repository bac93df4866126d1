#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax::test {
namespace {

TEST(GenerateStarsTest, ClosePairSharesItsMassAndPlane) {
  auto world = std::make_unique<World>();
  Random random = Random::Scripted(Script({
      {D100(80)},                                          // a pair
      {Die(1, 6), Die(1, 6), Die(4, 4), Die(4, 4), 0.0f},  // 2^(2 - 8) = 1/64 AU
      {Die(60, 81), 0.5f},                                 // primary 0.6225
      {Die(10, 81), 0.5f},                                 // companion 0.14 at first...
      {Die(5, 10), 0.0f, 0.0f},                            // ...then close: 0.6225 x 0.81
      {Die(420, 1000)},                                    // age 4.2
      std::vector(8, 0.5f),                                // light: NarrowFactors of 1
      {0.999f, 0.0f, 0.0f},                                // close pair: angles within 2.5 degrees
  }));
  GenerateStars(*world, random);
  const World& w = *world;
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_DOUBLE_EQ(w.StarSeparation, 1.0 / 64);
  EXPECT_DOUBLE_EQ(w.StarMass[2], 0.6225 * 0.81);
  // floor(5800 x sqrt(0.6225) x (1.05 - 4.2 / 100)) = floor(4612.4); 0.6225^4 x (4.2 / 20 + 0.75)
  EXPECT_EQ(w.StarTemperature[1], 4612);
  EXPECT_FLOAT_EQ(w.StarLuminosity[1], 0.14415465f);
  // sqrt((1/64)^3 / (0.6225 + 0.504225)) years
  EXPECT_FLOAT_EQ(w.StarPeriod, 0.0018400138f);
  EXPECT_EQ(w.StarTemperature[2], 4151);
  EXPECT_EQ(w.StarType[2], "K 5 V  ");
  // 179.82 + 2.5 wraps to 2.32; the companion's angle builds on the unwrapped 182.32.
  const double pairAngle = 180.0 * 0.999f;
  EXPECT_DOUBLE_EQ(w.StarAngle[0], pairAngle);
  EXPECT_DOUBLE_EQ(w.StarAngle[1], pairAngle + 2.5 - 180);
  EXPECT_DOUBLE_EQ(w.StarAngle[2], pairAngle + 5.0 - 180);
  // The pair as one body: star 1's type, the sum of their light.
  EXPECT_EQ(w.StarType[0], "K 2 V  ");
  EXPECT_EQ(w.StarLuminosity[0], w.StarLuminosity[1] + w.StarLuminosity[2]);
}

TEST(ClassifyStarsTest, LetterSubclassAndSuffix) {
  struct Row {
    int temperature;
    const char* code;
    const char* type;
  };
  for (const Row row : {
           Row{5800, "", "G 1 V  "},     // main sequence: 9 - int(10 x 800 / 1000)
           Row{4500, "III", "K 3 III"},  // a giant
           Row{3, "B  ", "M 9 B  "},     // a black hole: far below the M band, held at 9
           Row{25001, "", "O 9 V  "},    // band edges: the first O temperature...
           Row{25000, "", "B 0 V  "},    // ...and the top of B
       }) {
    auto world = std::make_unique<World>();
    world->StarCount = 1;
    world->StarTemperature[1] = row.temperature;
    world->StarType[1] = row.code;
    ClassifyStars(*world);
    EXPECT_EQ(world->StarType[1], row.type) << row.temperature;
  }
}

TEST(GenerateStarsPropertyTest, EveryValueWithinItsBoundsOverManySeeds) {
  auto world = std::make_unique<World>();
  int binaries = 0;
  int evolved = 0;
  for (std::uint64_t seed = 1; seed <= 200; ++seed) {
    Random random(seed);
    for (int i = 0; i < 500; ++i) {
      GenerateStars(*world, random);
      const World& w = *world;
      ASSERT_TRUE(w.StarCount == 1 || w.StarCount == 2);
      ASSERT_TRUE(w.SystemAge > 0 && w.SystemAge <= 10) << w.SystemAge;
      for (int s = 1; s <= w.StarCount; ++s) {
        ASSERT_TRUE(w.StarMass[s] > 0 && w.StarMass[s] < 150 && w.StarTemperature[s] >= 3 &&
                    w.StarTemperature[s] <= 75000 && std::isfinite(w.StarLuminosity[s]) &&
                    w.StarLuminosity[s] > 0 && w.StarAngle[s] > -5 && w.StarAngle[s] < 180)
            << w.StarMass[s] << " " << w.StarTemperature[s] << " " << w.StarAngle[s];
        const std::string& type = w.StarType[s];
        ASSERT_TRUE(type.size() == 7 && std::string("OBAFGKM").find(type[0]) != std::string::npos)
            << type;
        evolved += type[4] != 'V' ? 1 : 0;
      }
      if (w.StarCount == 2) {
        ++binaries;
        ASSERT_TRUE(w.StarMass[1] >= w.StarMass[2] && w.StarSeparation >= 1.0 / 64 &&
                    w.StarSeparation < 4096 && std::isfinite(w.StarPeriod) && w.StarPeriod > 0)
            << w.StarSeparation;
        ASSERT_EQ(w.StarMass[0], w.StarMass[1] + w.StarMass[2]);
      } else {
        ASSERT_EQ(w.StarSeparation, 0.0);
        ASSERT_TRUE(w.StarMass[0] == 0 && w.StarMass[2] == 0 && w.StarType[2].empty());
      }
    }
  }
  // About 41 % of systems are pairs; a few per cent of stars have left the main sequence.
  EXPECT_NEAR(binaries / 100'000.0, 0.41, 0.01);
  EXPECT_GT(evolved, 100);
}

}  // namespace
}  // namespace ax::test
