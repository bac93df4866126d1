#include "cluster/ClusterStar.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "model/Random.h"
#include "model/World.h"
#include "support/ClusterRecords.h"

namespace ax {
namespace {

TEST(LoadClusterStarTest, PairGetsPeriodAnglesAndTheCombinedStar) {
  auto world = std::make_unique<World>();
  // 30 x 1.5 > 12.35 AU is a close pair: angle 0 = 180 u, then two small turns of (0.5 - u) x 5.
  Random random = Random::Scripted({0.5F, 0.25F, 0.75F});
  LoadClusterStar(*world, random, test::PairRecord(4, 1.5F, 2.25F, 3.125F));
  EXPECT_EQ(random.ScriptLeft(), 0U);
  EXPECT_EQ(world->SystemFilePath.string() + world->SystemName, "AX000004.C03Sec03:4");
  EXPECT_EQ(TaggedValue(world->SystemX) + world->SystemZ + TaggedValue(world->SystemVectorY),
            1.5 + 3.125 + 8.0);
  EXPECT_EQ(world->StarSeparation, 12.34567928314209);  // widened from the record's float
  // sqrt(12.34567928314209^3 / 1.9) years, worked out in double precision.
  EXPECT_FLOAT_EQ(world->StarPeriod, 31.469923F);
  EXPECT_EQ(world->StarAngle, (std::array<double, 3>{90.0, 91.25, 90.0}));
  // The pair as one body: star 1's type and temperature, the sums of mass and light.
  EXPECT_EQ(world->StarType[0], "F 3 V  ");
  EXPECT_DOUBLE_EQ(world->StarMass[0], 1.9);
  EXPECT_EQ(world->StarTemperature[0], 7000);
  EXPECT_FLOAT_EQ(world->StarLuminosity[0], 5.02F);

  // A single star draws nothing and leaves the companion and the pair's values as they were.
  Random none = Random::Scripted({});
  world->StarSeparation = 77.0;
  LoadClusterStar(*world, none, test::StarRecord(5, 1, 2, 3, "G 2 V  "));
  EXPECT_EQ(world->StarMass[1], 0.5);
  EXPECT_EQ(world->StarType, (std::array<std::string, 3>{"F 3 V  ", "G 2 V  ", "M 5 V  "}));
  EXPECT_EQ(world->StarSeparation, 77.0);
  EXPECT_EQ(world->StarAngle[1], 91.25);
}

}  // namespace
}  // namespace ax
