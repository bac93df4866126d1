#include "cluster/Jump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "cluster/TempFolder.h"
#include "generate/Stars.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// A cluster file of a pair and a single star, in a folder of its own that is not the current
// directory.
class JumpTest : public testing::Test {
 protected:
  void SetUp() override {
    pair.RecordNumber = 1;
    pair.FileName = "AX010203.C03";
    pair.SystemName = "Sec03:010203";
    pair.StarCount = 2;
    pair.Age = 3.5F;
    pair.X = 1.25F;  // a kept system is the star's when it sits where the star does
    pair.Separation = 12.5F;
    pair.Stars[0] = {1.1, 6100, 1.6F, "F 8 V  "};
    pair.Stars[1] = {0.5, 3900, 0.05F, "K 8 V  "};
    single = pair;
    single.RecordNumber = 2;
    single.FileName = "AX040506.C03";
    single.SystemName = "Sec03:040506";
    single.StarCount = 1;
    single.X = 4.5F;
    single.Stars[1] = {};
    std::ofstream out(clusterFile, std::ios::binary);
    for (const ClusterRecord& record : {pair, single}) {
      const ClusterSlot slot = EncodeClusterRecord(record);
      out.write(reinterpret_cast<const char*>(slot.data()),
                static_cast<std::streamsize>(slot.size()));
    }
  }
  JumpOutcome Jump(const ClusterRecord& record) {
    return JumpIntoClusterStar(*world, random, reader, clusterFile, record);
  }
  void JumpSurveyAndKeep(const ClusterRecord& record) {
    Jump(record);
    Survey(*world, random).SurveySystem();
    KeepClusterStarSystem(*world, clusterFile, record);
  }
  std::string KeptName(int record) const {
    return ClusterFileReader(clusterFile).Read(record).FileName;
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{7};
  SystemFileReader reader;
  test::TempFolder folder;
  fs::path clusterFile = folder / "C03.AXL";
  ClusterRecord pair;
  ClusterRecord single;
};

TEST_F(JumpTest, ANeverKeptStarGivesTheSameStarsAndNewWorldsEachTime) {
  std::string firstWorlds;
  for (int visit = 0; visit < 2; ++visit) {
    EXPECT_EQ(Jump(pair), JumpOutcome::Fresh);
    EXPECT_EQ(world->ClusterMode, 1);
    EXPECT_EQ(world->SystemName, "Sec03:010203");
    EXPECT_NEAR(world->StarPeriod, 34.938, 0.001);  // Kepler: sqrt(12.5^3 / (1.1 + 0.5)) years
    EXPECT_EQ(world->SystemSurveyed, 0);
    EXPECT_EQ(world->OrbitCount[1], 0);  // nothing around the stars yet
    Survey(*world, random).SurveySystem();
    if (visit == 0) firstWorlds = EncodeSystem(*world);
  }
  EXPECT_NE(EncodeSystem(*world), firstWorlds);
}

TEST_F(JumpTest, AKeptSystemLivesBesideItsClusterAndReopensExactlyAsSaved) {
  JumpSurveyAndKeep(single);
  const std::string saved = EncodeSystem(*world);
  ASSERT_TRUE(fs::exists(folder / "AX040506.C03"));
  const ClusterRecord marked = ClusterFileReader(clusterFile).Read(2);
  EXPECT_EQ(marked.SystemKept, 1);
  EXPECT_EQ(ClusterFileReader(clusterFile).Read(1).SystemKept, 0);  // the neighbour untouched

  ClearSystem(*world);
  EXPECT_EQ(Jump(marked), JumpOutcome::Kept);
  EXPECT_EQ(EncodeSystem(*world), saved);
  EXPECT_EQ(world->ClusterMode, 1);

  // With its file gone the star opens from its record, as a never-kept star does.
  fs::remove(folder / "AX040506.C03");
  EXPECT_EQ(Jump(marked), JumpOutcome::KeptFileMissing);
  EXPECT_EQ(world->OrbitCount[1], 0);
  EXPECT_EQ(world->SystemName, "Sec03:040506");
}

TEST_F(JumpTest, AUserSavedNameIsKeptOnlyWhenItFitsTheRecord) {
  Jump(pair);
  Survey(*world, random).SurveySystem();
  world->SystemSaved = 1;
  world->SystemFilePath = folder / "elsewhere" / "home.ax2";
  KeepClusterStarSystem(*world, clusterFile, pair);
  EXPECT_TRUE(fs::exists(folder / "home.ax2"));
  EXPECT_EQ(KeptName(1), "home.ax2");
  // A name too long for the record, the cluster file's own, or another star's: the star's own.
  for (const char* name : {"a-name-far-too-long.ax2", "c03.axl", "ax040506.c03"}) {
    world->SystemSaved = 1;
    world->SystemFilePath = folder / name;
    KeepClusterStarSystem(*world, clusterFile, pair);
    EXPECT_EQ(KeptName(1), "AX010203.C03") << name;
  }
  EXPECT_FALSE(fs::exists(folder / "AX040506.C03"));
  EXPECT_EQ(KeptName(2), "AX040506.C03");
}

TEST_F(JumpTest, AKeptFileThatIsNotTheStarsOpensAsIfFreshOrNotAtAll) {
  // The single star's kept file, written over from outside with the pair's system.
  JumpSurveyAndKeep(pair);
  fs::copy_file(folder / "AX010203.C03", folder / "AX040506.C03");
  ClusterRecord marked = single;
  marked.SystemKept = 1;
  EXPECT_EQ(Jump(marked), JumpOutcome::KeptFileForeign);
  EXPECT_EQ(world->StarCount, 1);
  EXPECT_EQ(world->SystemName, "Sec03:040506");
  EXPECT_EQ(world->OrbitCount[1], 0);

  // An unreadable one leaves the world as it was.
  std::ofstream(folder / "AX040506.C03", std::ios::trunc) << "not a system";
  world->SystemName = "Before";
  world->ClusterMode = 0;
  EXPECT_THROW(Jump(marked), SystemFileError);
  EXPECT_EQ(world->SystemName, "Before");
  EXPECT_EQ(world->ClusterMode, 0);
}

}  // namespace
}  // namespace ax
