#include "control/ClusterHandoff.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "io/ClusterFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "support/ClusterRecords.h"
#include "support/TempFolder.h"
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

// A cluster of one star, and the hand-off between two stand-in windows that note what they
// are told.
class ClusterHandoffTest : public testing::Test {
 protected:
  void SetUp() override {
    test::WriteClusterFile(clusterFile, {test::StarRecord(1, 50, 50, 50)});
    handoff.ShowStar = [this](const StarVisit& visit) {
      told += "show " + visit.clusterCode + " ";
    };
    handoff.LeaveStar = [this] { told += "leave "; };
    handoff.Returned = [this] { told += "returned "; };
    handoff.StarClosed = [this] { told += "closed "; };
  }
  // As the cluster window does: the star's record as the file now holds it.
  void Visit(bool survey) {
    const ClusterRecord record = ClusterFileReader(clusterFile).Read(1);
    const JumpOutcome outcome = JumpIntoClusterStar(*world, random, reader, clusterFile, record);
    handoff.Visit({clusterFile, "C03", record, outcome});
    if (survey) Survey(*world, random).SurveySystem();
  }
  std::int16_t Kept() const { return ClusterFileReader(clusterFile).Read(1).SystemKept; }

  test::TempFolder folder;
  std::filesystem::path clusterFile = folder / "C03.AXL";
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{11};
  SystemFileReader reader;
  ClusterHandoff handoff{*world};
  std::string told;
};

TEST_F(ClusterHandoffTest, JumpBackKeepsASurveyedSystemWithItsStar) {
  handoff.Return();  // no visit: nothing to return from
  Visit(true);
  EXPECT_TRUE(handoff.Active());
  handoff.Return();
  EXPECT_EQ(told, "show C03 returned ");
  EXPECT_EQ(handoff.Keep(), "");
  EXPECT_FALSE(handoff.Active());
  EXPECT_EQ(Kept(), 1);
  const std::string kept = ClusterFileReader(clusterFile).Read(1).FileName;
  EXPECT_TRUE(std::filesystem::exists(folder / kept)) << kept;

  // Back again: the kept system is read, as it was kept.
  Visit(false);
  EXPECT_EQ(handoff.Current()->outcome, JumpOutcome::Kept);
  EXPECT_EQ(world->SystemSurveyed, 1);
}

TEST_F(ClusterHandoffTest, AnUnsurveyedOrClosedVisitKeepsNothing) {
  Visit(false);
  EXPECT_EQ(handoff.Keep(), "");  // stars only: nothing worth keeping
  EXPECT_EQ(Kept(), 0);
  Visit(true);
  handoff.SystemClosed();  // closing the system window is not JUMP
  EXPECT_FALSE(handoff.Active());
  EXPECT_EQ(handoff.Leave(), "");  // and a later close of the cluster window has no visit
  EXPECT_EQ(told, "show C03 show C03 closed ");
  EXPECT_EQ(Kept(), 0);
}

TEST_F(ClusterHandoffTest, ClosingTheClusterKeepsWhatJumpWouldAndSaysWhyNot) {
  Visit(true);
  EXPECT_EQ(handoff.Leave(), "");
  EXPECT_EQ(Kept(), 1);
  Visit(false);                          // the kept system, surveyed as it was kept
  std::filesystem::remove(clusterFile);  // gone while the star was visited
  const std::string problem = handoff.Leave();
  EXPECT_EQ(problem.rfind("Could not keep the system of Sec03:1: ", 0), 0u) << problem;
  EXPECT_EQ(told, "show C03 leave show C03 leave ");
  EXPECT_FALSE(handoff.Active());
}

}  // namespace
}  // namespace ax
