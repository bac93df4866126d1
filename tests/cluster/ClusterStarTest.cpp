#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "cluster/ClusterStar.h"
#include "io/ClusterRecord.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {
namespace {

ClusterRecord PairRecord() {
  ClusterRecord record;
  record.RecordNumber = 4;
  record.FileName = "AX010203.C07";
  record.SystemName = "Sec07:010203";
  record.StarCount = 2;
  record.Age = 2.5F;
  record.X = 1.5F;
  record.Y = 2.25F;
  record.Z = 3.125F;
  record.VectorX = -4.0F;
  record.VectorY = 8.0F;
  record.VectorZ = 0.5F;
  record.Separation = 12.3456789F;
  record.Stars[0] = {1.5, 7000, 5.0F, "F 3 V  "};
  record.Stars[1] = {0.4, 3200, 0.02F, "M 5 V  "};
  return record;
}

TEST(LoadClusterStarTest, PairGetsPeriodAnglesAndTheCombinedStar) {
  auto world = std::make_unique<World>();
  // 30 x 1.5 > 12.35 AU is a close pair: angle 0 = 180 u, then two small turns of (0.5 - u) x 5.
  Random random = Random::Scripted({0.5F, 0.25F, 0.75F});
  LoadClusterStar(*world, random, PairRecord());
  EXPECT_EQ(random.ScriptLeft(), 0U);
  EXPECT_EQ(world->SystemFilePath, std::filesystem::path("AX010203.C07"));
  EXPECT_EQ(world->SystemName, "Sec07:010203");
  EXPECT_EQ(world->StarCount, 2);
  EXPECT_EQ(world->SystemAge, 2.5F);
  EXPECT_EQ(TaggedValue(world->SystemX), 1.5);
  EXPECT_EQ(world->SystemZ, 3.125F);
  EXPECT_EQ(TaggedValue(world->SystemVectorY), 8.0);
  // Widened from the record's float: 12.34567928314209 AU.
  EXPECT_EQ(world->StarSeparation, 12.34567928314209);
  // sqrt(12.34567928314209^3 / 1.9) years, worked out in double precision.
  EXPECT_FLOAT_EQ(world->StarPeriod, 31.469923F);
  EXPECT_DOUBLE_EQ(world->StarAngle[0], 90.0);
  EXPECT_DOUBLE_EQ(world->StarAngle[1], 91.25);
  EXPECT_DOUBLE_EQ(world->StarAngle[2], 90.0);
  EXPECT_EQ(world->StarType[2], "M 5 V  ");
  EXPECT_EQ(world->StarTemperature[2], 3200);
  // The pair as one body: star 1's type and temperature, the sums of mass and light.
  EXPECT_EQ(world->StarType[0], "F 3 V  ");
  EXPECT_DOUBLE_EQ(world->StarMass[0], 1.9);
  EXPECT_EQ(world->StarTemperature[0], 7000);
  EXPECT_FLOAT_EQ(world->StarLuminosity[0], 5.02F);
}

TEST(LoadClusterStarTest, SingleStarLeavesTheCompanionAndThePairAsTheyWere) {
  auto world = std::make_unique<World>();
  world->StarType = {"old 0", "old 1", "old 2"};
  world->StarSeparation = 77.0;
  world->StarAngle = {1.0, 2.0, 3.0};
  ClusterRecord record = PairRecord();
  record.StarCount = 1;
  Random random = Random::Scripted({});  // no draws: a single star gets no angles
  LoadClusterStar(*world, random, record);
  EXPECT_EQ(world->StarCount, 1);
  EXPECT_EQ(world->StarMass[1], 1.5);
  EXPECT_EQ(world->StarType, (std::array<std::string, 3>{"old 0", "F 3 V  ", "old 2"}));
  EXPECT_EQ(world->StarSeparation, 77.0);
  EXPECT_EQ(world->StarAngle[1], 2.0);
}

}  // namespace
}  // namespace ax
