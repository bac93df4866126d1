#include "control/ClusterHandoff.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "support/TempFolder.h"
#include "io/ClusterFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "survey/Survey.h"

namespace ax {
namespace {

TEST(ArrivalMessageTest, OnlyAKeptSystemThatIsGoneIsExplained) {
  StarVisit visit;
  visit.record.FileName = "AX010203.C03";
  const std::pair<JumpOutcome, const char*> rows[] = {
      {JumpOutcome::Fresh, ""},
      {JumpOutcome::Kept, ""},
      {JumpOutcome::KeptFileMissing,
       "The kept system AX010203.C03 is missing; the star's system is made anew"},
      {JumpOutcome::KeptFileForeign,
       "The kept system AX010203.C03 now holds another star's system; the star's system is "
       "made anew"},
  };
  for (const auto& [outcome, message] : rows) {
    visit.outcome = outcome;
    EXPECT_EQ(ArrivalMessage(visit), message) << static_cast<int>(outcome);
  }
}

// A cluster of one star, and the hand-off between two stand-in windows that count what they
// are told.
class ClusterHandoffTest : public testing::Test {
 protected:
  void SetUp() override {
    star.RecordNumber = 1;
    star.FileName = "AX010203.C03";
    star.SystemName = "Sec03:010203";
    star.StarCount = 1;
    star.Age = 3.5F;
    star.Stars[0] = {1.1, 6100, 1.6F, "F 8 V  "};
    std::ofstream out(clusterFile, std::ios::binary);
    const ClusterSlot slot = EncodeClusterRecord(star);
    out.write(reinterpret_cast<const char*>(slot.data()),
              static_cast<std::streamsize>(slot.size()));
    out.close();
    handoff.ShowStar = [this](const StarVisit& visit) { shown += visit.clusterCode + " "; };
    handoff.LeaveStar = [this] { ++left; };
    handoff.Returned = [this] { ++returned; };
    handoff.StarClosed = [this] { ++closed; };
  }
  // As the cluster window does: the star's record as the file now holds it.
  void Visit() {
    const ClusterRecord record = ClusterFileReader(clusterFile).Read(1);
    const JumpOutcome outcome = JumpIntoClusterStar(*world, random, reader, clusterFile, record);
    handoff.Visit({clusterFile, "C03", record, outcome});
  }
  std::int16_t Kept() const { return ClusterFileReader(clusterFile).Read(1).SystemKept; }

  test::TempFolder folder;
  std::filesystem::path clusterFile = folder / "C03.AXL";
  ClusterRecord star;
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{11};
  SystemFileReader reader;
  ClusterHandoff handoff{*world};
  std::string shown;
  int left = 0;
  int returned = 0;
  int closed = 0;
};

TEST_F(ClusterHandoffTest, JumpBackKeepsASurveyedSystemWithItsStar) {
  handoff.Return();  // no visit: nothing to return from
  EXPECT_EQ(returned, 0);
  Visit();
  EXPECT_TRUE(handoff.Active());
  EXPECT_EQ(shown, "C03 ");
  Survey(*world, random).SurveySystem();
  handoff.Return();
  EXPECT_EQ(returned, 1);
  EXPECT_EQ(handoff.Keep(), "");
  EXPECT_FALSE(handoff.Active());
  EXPECT_EQ(Kept(), 1);
  EXPECT_TRUE(std::filesystem::exists(folder / "AX010203.C03"));

  // Back again: the kept system is read, as it was kept.
  Visit();
  EXPECT_EQ(handoff.Current()->outcome, JumpOutcome::Kept);
  EXPECT_EQ(world->SystemSurveyed, 1);
}

TEST_F(ClusterHandoffTest, AnUnsurveyedOrClosedVisitKeepsNothing) {
  Visit();
  EXPECT_EQ(handoff.Keep(), "");  // stars only: nothing worth keeping
  EXPECT_EQ(Kept(), 0);

  Visit();
  Survey(*world, random).SurveySystem();
  handoff.SystemClosed();  // closing the system window is not JUMP
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(handoff.Active());
  EXPECT_EQ(handoff.Leave(), "");  // and a later close of the cluster window has no visit
  EXPECT_EQ(left, 0);
  EXPECT_EQ(Kept(), 0);
}

TEST_F(ClusterHandoffTest, ClosingTheClusterKeepsWhatJumpWouldAndSaysWhyNot) {
  Visit();
  Survey(*world, random).SurveySystem();
  EXPECT_EQ(handoff.Leave(), "");
  EXPECT_EQ(left, 1);
  EXPECT_EQ(Kept(), 1);

  Visit();  // the kept system, surveyed as it was kept
  std::filesystem::remove(clusterFile);  // gone while the star was visited
  const std::string problem = handoff.Leave();
  EXPECT_EQ(problem.rfind("Could not keep the system of Sec03:010203: ", 0), 0u) << problem;
  EXPECT_EQ(left, 2);
  EXPECT_FALSE(handoff.Active());
}

}  // namespace
}  // namespace ax
