#include "cluster/Jump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "io/ClusterFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "support/ClusterRecords.h"
#include "support/TempFolder.h"
#include "survey/Survey.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// A cluster file of a pair and a single star, in a folder of its own that is not the current
// directory.
class JumpTest : public testing::Test {
 protected:
  void SetUp() override { test::WriteClusterFile(clusterFile, {pair, single}); }
  JumpOutcome Jump(const ClusterRecord& record) {
    return JumpIntoClusterStar(*world, random, reader, clusterFile, record);
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{7};
  SystemFileReader reader;
  test::TempFolder folder;
  fs::path clusterFile = folder / "C03.AXL";
  ClusterRecord pair = test::PairRecord(1, 1.25F, 0, 0);
  ClusterRecord single = test::StarRecord(2, 4.5F, 0, 0);
};

// A star never kept opens fresh, with nothing around it yet; kept, it reopens as saved.
TEST_F(JumpTest, AKeptSystemReopensExactlyAsSavedAndABadOneLeavesTheWorld) {
  EXPECT_EQ(Jump(pair), JumpOutcome::Fresh);
  EXPECT_EQ(world->OrbitCount[1] + world->SystemSurveyed, 0);
  Survey(*world, random).SurveySystem();
  KeepClusterStarSystem(*world, clusterFile, pair);
  const std::string saved = EncodeSystem(*world);
  const ClusterRecord marked = ClusterFileReader(clusterFile).Read(1);
  EXPECT_EQ(marked.SystemKept, 1);
  EXPECT_EQ(marked.Stars[1].Type, "M 5 V  ");
  EXPECT_EQ(ClusterFileReader(clusterFile).Read(2).SystemKept, 0);  // the neighbour untouched
  ClearSystem(*world);
  EXPECT_EQ(Jump(marked), JumpOutcome::Kept);
  EXPECT_EQ(EncodeSystem(*world), saved);

  // Not a system file at all: an error, and the world as it was.
  std::ofstream(folder / marked.FileName, std::ios::trunc) << "not a system";
  world->SystemName = "Before";
  world->ClusterMode = 0;
  EXPECT_THROW(Jump(marked), SystemFileError);
  EXPECT_EQ(world->SystemName, "Before");
  EXPECT_EQ(world->ClusterMode, 0);
  // With its file gone the star opens from its record.
  fs::remove(folder / marked.FileName);
  EXPECT_EQ(Jump(marked), JumpOutcome::KeptFileMissing);
  EXPECT_EQ(world->OrbitCount[1], 0);
  EXPECT_EQ(world->SystemName, "Sec03:1");
}

// A star's worlds come from the star, not from whatever the source drew before the jump: the
// same record makes the same system, kept or renamed, and another star another system.
TEST_F(JumpTest, AStarMakesItsOwnSystemAtEveryJump) {
  auto surveyed = [this](const ClusterRecord& record, std::uint64_t before) {
    random = Random(before);
    Jump(record);
    Survey(*world, random).SurveySystem();
    return EncodeSystem(*world);
  };
  const std::string first = surveyed(pair, 1);
  EXPECT_EQ(surveyed(pair, 2), first);
  ClusterRecord renamed = pair;
  renamed.SystemName = "Renamed";
  renamed.FileName = "KEPT.C03";
  EXPECT_EQ(StarSystemSeed(renamed), StarSystemSeed(pair));
  ClusterRecord moved = pair;
  moved.X += 0.01F;
  EXPECT_NE(StarSystemSeed(moved), StarSystemSeed(pair));
  EXPECT_NE(surveyed(single, 1), first);
}

}  // namespace
}  // namespace ax
