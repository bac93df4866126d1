#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "cluster/Jump.h"
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

// A cluster file of two hand-made stars, a pair and a single star, in a folder of its own
// that is not the current directory.
class JumpTest : public testing::Test {
 protected:
  void SetUp() override {
    clusterFile = folder / "C03.AXL";
    pair.RecordNumber = 1;
    pair.FileName = "AX010203.C03";
    pair.SystemName = "Sec03:010203";
    pair.StarCount = 2;
    pair.Age = 3.5F;
    pair.X = 1.25F;
    pair.Y = 2.5F;
    pair.Z = 3.75F;
    pair.VectorX = -4;
    pair.Separation = 12.5F;
    pair.Stars[0] = {1.1, 6100, 1.6F, "F 8 V  "};
    pair.Stars[1] = {0.5, 3900, 0.05F, "K 8 V  "};
    single = pair;
    single.RecordNumber = 2;
    single.FileName = "AX040506.C03";
    single.SystemName = "Sec03:040506";
    single.StarCount = 1;
    single.X = 4.5F;
    single.Separation = 0;
    single.Stars[1] = {};
    std::ofstream out(clusterFile, std::ios::binary);
    for (const ClusterRecord& record : {pair, single}) {
      const ClusterSlot slot = EncodeClusterRecord(record);
      out.write(reinterpret_cast<const char*>(slot.data()),
                static_cast<std::streamsize>(slot.size()));
    }
  }
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{7};
  SystemFileReader reader;
  test::TempFolder temp;
  fs::path folder = temp.Path();
  fs::path clusterFile;
  ClusterRecord pair;
  ClusterRecord single;
};

TEST_F(JumpTest, ANeverKeptStarGivesTheSameStarsAndNewWorldsEachTime) {
  std::string firstWorlds;
  for (int visit = 0; visit < 2; ++visit) {
    EXPECT_EQ(JumpIntoClusterStar(*world, random, reader, clusterFile, pair), JumpOutcome::Fresh);
    EXPECT_EQ(world->ClusterMode, 1);
    EXPECT_EQ(world->SystemName, "Sec03:010203");
    EXPECT_EQ(world->StarCount, 2);
    // Kepler: sqrt(12.5^3 / (1.1 + 0.5)) = 34.938 years.
    EXPECT_NEAR(world->StarPeriod, 34.938, 0.001);
    EXPECT_EQ(world->SystemSurveyed, 0);
    EXPECT_EQ(world->OrbitCount[1], 0);  // nothing around the stars yet
    Survey(*world, random).SurveySystem();
    const std::string worlds = EncodeSystem(*world);
    if (visit == 0) {
      firstWorlds = worlds;
    } else {
      EXPECT_NE(worlds, firstWorlds);
    }
  }
}

TEST_F(JumpTest, AKeptSystemLivesBesideItsClusterAndReopensExactlyAsSaved) {
  JumpIntoClusterStar(*world, random, reader, clusterFile, single);
  Survey(*world, random).SurveySystem();
  world->SystemSurveyed = 1;
  KeepClusterStarSystem(*world, clusterFile, single);
  const std::string saved = EncodeSystem(*world);
  ASSERT_TRUE(fs::exists(folder / "AX040506.C03"));

  ClusterFileReader cluster(clusterFile);
  const ClusterRecord marked = cluster.Read(2);
  EXPECT_EQ(marked.SystemKept, 1);
  EXPECT_EQ(marked.FileName, "AX040506.C03");
  EXPECT_EQ(cluster.Read(1).SystemKept, 0);  // its neighbour is untouched

  ClearSystem(*world);
  ClearStars(*world);
  EXPECT_EQ(JumpIntoClusterStar(*world, random, reader, clusterFile, marked), JumpOutcome::Kept);
  EXPECT_EQ(EncodeSystem(*world), saved);
  EXPECT_EQ(world->SystemFilePath, fs::path("AX040506.C03"));
  EXPECT_EQ(world->ClusterMode, 1);

  // With its file gone the star opens from its record, as a never-kept star does.
  fs::remove(folder / "AX040506.C03");
  EXPECT_EQ(JumpIntoClusterStar(*world, random, reader, clusterFile, marked),
            JumpOutcome::KeptFileMissing);
  EXPECT_EQ(world->StarCount, 1);
  EXPECT_EQ(world->OrbitCount[1], 0);
  EXPECT_EQ(world->SystemName, "Sec03:040506");
}

TEST_F(JumpTest, AUserSavedNameIsKeptOnlyWhenItFitsTheRecord) {
  JumpIntoClusterStar(*world, random, reader, clusterFile, pair);
  Survey(*world, random).SurveySystem();
  world->SystemSaved = 1;
  world->SystemFilePath = folder / "elsewhere" / "home.ax2";
  KeepClusterStarSystem(*world, clusterFile, pair);
  EXPECT_TRUE(fs::exists(folder / "home.ax2"));
  EXPECT_EQ(ClusterFileReader(clusterFile).Read(1).FileName, "home.ax2");

  // A name too long for the record, the cluster file's own, or another star's: the star's own.
  for (const char* name : {"a-name-far-too-long.ax2", "c03.axl", "ax040506.c03"}) {
    world->SystemSaved = 1;
    world->SystemFilePath = folder / name;
    KeepClusterStarSystem(*world, clusterFile, pair);
    EXPECT_EQ(ClusterFileReader(clusterFile).Read(1).FileName, "AX010203.C03") << name;
  }
  EXPECT_TRUE(fs::exists(folder / "AX010203.C03"));
  EXPECT_FALSE(fs::exists(folder / "AX040506.C03"));
  EXPECT_EQ(ClusterFileReader(clusterFile).Read(2).FileName, "AX040506.C03");
}

TEST_F(JumpTest, AKeptFileHoldingAnotherStarsSystemIsNotTakenForTheStars) {
  JumpIntoClusterStar(*world, random, reader, clusterFile, pair);
  Survey(*world, random).SurveySystem();
  KeepClusterStarSystem(*world, clusterFile, pair);
  // The single star's kept file, written over from outside with the pair's system.
  fs::copy_file(folder / "AX010203.C03", folder / "AX040506.C03");
  ClusterRecord marked = single;
  marked.SystemKept = 1;
  EXPECT_EQ(JumpIntoClusterStar(*world, random, reader, clusterFile, marked),
            JumpOutcome::KeptFileForeign);
  EXPECT_EQ(world->StarCount, 1);
  EXPECT_EQ(world->SystemName, "Sec03:040506");
  EXPECT_EQ(world->OrbitCount[1], 0);
}

TEST_F(JumpTest, AnUnreadableKeptFileLeavesTheWorldAsItWas) {
  std::ofstream(folder / "AX040506.C03") << "not a system";
  ClusterRecord marked = single;
  marked.SystemKept = 1;
  world->SystemName = "Before";
  EXPECT_THROW(JumpIntoClusterStar(*world, random, reader, clusterFile, marked), SystemFileError);
  EXPECT_EQ(world->SystemName, "Before");
  EXPECT_EQ(world->ClusterMode, 0);
}

}  // namespace
}  // namespace ax
