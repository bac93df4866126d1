// The controller of the system window and the hand-off between the windows, without a window:
// which commands are on in each state, seeds, files, and a cluster star's visit.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "control/ClusterHandoff.h"
#include "control/PairSystem.h"
#include "control/Seeds.h"
#include "control/SystemCommands.h"
#include "io/ClusterFile.h"
#include "io/FileFilters.h"
#include "io/SystemFile.h"
#include "io/UndoCopy.h"
#include "support/ClusterRecords.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// The names of the commands that are on, in the order of EnabledCommands.
std::string OnNames(const EnabledCommands& on) {
  // clang-format off
  const std::pair<bool, const char*> all[] = {
      {on.survey, "survey"}, {on.jump, "jump"}, {on.graphical, "graphical"},
      {on.symbolic, "symbolic"}, {on.world, "world"}, {on.scrolls, "scrolls"}, {on.open, "open"},
      {on.saveAs, "saveAs"}, {on.undo, "undo"}, {on.systemName, "systemName"},
      {on.planetName, "planetName"}, {on.generate, "generate"}, {on.seedInNote, "seedInNote"},
      {on.exportImage, "exportImage"}, {on.exportReport, "exportReport"},
      {on.copyReport, "copyReport"}, {on.editWorld, "editWorld"}, {on.addWorld, "addWorld"},
      {on.rerollUnlocked, "rerollUnlocked"}};
  // clang-format on
  std::string names;
  for (const auto& [enabled, name] : all) {
    if (enabled) names += (names.empty() ? "" : " ") + std::string(name);
  }
  return names;
}

TEST(EnablingTest, EachStateTurnsOnItsCommands) {
  const std::pair<CommandState, const char*> rows[] = {
      {{}, "jump open generate"},
      // Left over from a closed system, a survey or a seed counts for nothing.
      {{.surveyed = true, .mode = 2, .seedMade = true}, "jump open generate"},
      {{.present = true}, "survey jump open systemName generate exportImage exportReport"},
      {{.present = true, .surveyed = true},
       "jump graphical world open saveAs systemName generate exportImage exportReport "
       "rerollUnlocked"},
      {{.present = true, .surveyed = true, .mode = 1},
       "jump symbolic scrolls open saveAs systemName generate exportImage exportReport "
       "rerollUnlocked"},
      {{.present = true, .surveyed = true, .mode = 2, .bodySelected = true},
       "jump graphical world scrolls open saveAs systemName planetName generate exportImage "
       "exportReport copyReport rerollUnlocked"},
      // A belt has no world to draw.
      {{.present = true, .surveyed = true, .mode = 2, .beltSelected = true},
       "jump world scrolls open saveAs systemName planetName generate exportImage exportReport "
       "rerollUnlocked"},
      {{.present = true, .surveyed = true, .mode = 3, .bodySelected = true},
       "jump symbolic scrolls open saveAs systemName planetName generate exportImage "
       "exportReport copyReport rerollUnlocked"},
      // The world edits act on the world chosen outside the list; Add World on an empty orbit.
      {{.present = true, .surveyed = true, .mode = 1, .worldSelected = true},
       "jump symbolic scrolls open saveAs systemName generate exportImage exportReport editWorld "
       "rerollUnlocked"},
      {{.present = true, .surveyed = true, .mode = 2, .emptyOrbitSelected = true},
       "jump graphical world scrolls open saveAs systemName planetName generate exportImage "
       "exportReport addWorld rerollUnlocked"},
      {{.present = true, .surveyed = true, .worldSelected = true},
       "jump graphical world open saveAs systemName generate exportImage exportReport "
       "rerollUnlocked"},
      {{.present = true, .undoAvailable = true},
       "survey jump open undo systemName generate exportImage exportReport"},
      {{.present = true, .seedMade = true},
       "survey jump open systemName generate seedInNote exportImage exportReport"},
      // Nothing may put another system in a cluster star's place, not even an undo copy.
      {{.present = true, .surveyed = true, .clusterStar = true, .undoAvailable = true},
       "jump graphical world saveAs systemName exportImage exportReport rerollUnlocked"},
      {{.present = true, .clusterStar = true}, "survey jump systemName exportImage exportReport"},
  };
  for (const auto& [state, on] : rows) EXPECT_EQ(OnNames(Enabling(state)), on) << on;
}

TEST(SeedsTest, OnlyWholeNumbersThatFitAreSeeds) {
  // clang-format off
  const std::pair<const char*, std::optional<std::uint64_t>> rows[] = {
      {"42", 42}, {"  7 \t", 7}, {"0", 0},
      {"18446744073709551615", std::numeric_limits<std::uint64_t>::max()},
      {"18446744073709551616", std::nullopt},  // 2^64
      {"", std::nullopt}, {"   ", std::nullopt}, {"-1", std::nullopt}, {"+5", std::nullopt},
      {"4 2", std::nullopt}, {"0x10", std::nullopt}, {"12.0", std::nullopt}};
  // clang-format on
  for (const auto& [text, seed] : rows) EXPECT_EQ(ParseSeed(text), seed) << '"' << text << '"';
}

// A controller on its own world, in a folder of its own, where its undo copy goes.
class SystemCommandsTest : public testing::Test {
 protected:
  SystemCommandsTest() { std::filesystem::current_path(folder.Path()); }
  ~SystemCommandsTest() override { std::filesystem::current_path(previous_); }

  std::filesystem::path previous_ = std::filesystem::current_path();
  test::TempFolder folder;
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{20261207};
  SystemCommands commands{*world, random};
};

TEST_F(SystemCommandsTest, TheSameSeedMakesTheSameSurveyedSystem) {
  commands.SetAutoSurvey(true);
  ASSERT_TRUE(commands.GenerateRandom(987654321).done);
  EXPECT_EQ(commands.Seed(), 987654321u);
  EXPECT_EQ(world->SystemSurveyed, 1);
  const std::string first = EncodeSystem(*world);
  commands.GenerateRandom();  // a fresh seed of its own
  EXPECT_NE(commands.Seed().value_or(987654321u), 987654321u);
  commands.GenerateRandom(987654321);
  EXPECT_EQ(EncodeSystem(*world), first);

  // The seed goes into the note once, on a line of its own.
  world->SystemNote = "Visited twice";
  EXPECT_EQ(commands.PutSeedInNote().status, "The seed was put in the system's note");
  EXPECT_EQ(commands.PutSeedInNote().status, "The note already holds the seed");
  EXPECT_EQ(world->SystemNote, "Visited twice\nSeed: 987654321");
  commands.SystemGenerated();  // a system from a form has no seed
  EXPECT_FALSE(commands.Seed().has_value());
  EXPECT_FALSE(commands.PutSeedInNote().status.has_value());
}

TEST_F(SystemCommandsTest, SaveOpenAndUndoKeepWhatTheUserHad) {
  commands.SetUndoEnabled(true);
  commands.GenerateRandom(1);
  ASSERT_TRUE(commands.SurveySystem());
  EXPECT_FALSE(commands.SurveySystem());  // once only
  ASSERT_EQ(commands.SaveAs(folder / "first.ax2").status, "");
  const std::string saved = EncodeSystem(*world);  // saving names the system after its file
  commands.GenerateRandom(2);                      // the undo copy holds the first system
  const std::string second = EncodeSystem(*world);
  ASSERT_NE(second, saved);

  EXPECT_TRUE(commands.Undo().done);
  EXPECT_EQ(EncodeSystem(*world), saved);
  EXPECT_EQ(commands.View().DisplayMode, 0);
  EXPECT_TRUE(commands.Open(folder / "first.ax2").done);
  EXPECT_EQ(EncodeSystem(*world), saved);

  // The undo copy cannot be written over a folder of its name: the system shown stays.
  std::filesystem::remove(UndoCopy::File());
  std::filesystem::create_directory(UndoCopy::File());
  const CommandResult refused = commands.GenerateRandom(3);
  EXPECT_FALSE(refused.done);
  EXPECT_EQ(refused.status->rfind("Could not write the undo copy undone.bak: ", 0), 0u);
  EXPECT_EQ(EncodeSystem(*world), saved);
}

TEST_F(SystemCommandsTest, AClusterStarsSystemStaysUntilJumpLeadsBack) {
  commands.SetUndoEnabled(true);
  commands.GenerateRandom(5);
  commands.GenerateRandom(6);  // an undo copy exists
  world->ClusterMode = 1;      // the cluster window's jump has put a star's stars here
  commands.EnterClusterStar(false, "C07");
  EXPECT_TRUE(commands.Present());
  EXPECT_FALSE(commands.Seed().has_value());
  EXPECT_EQ(world->SystemSurveyed, 0);
  const std::string star = EncodeSystem(*world);
  EXPECT_FALSE(commands.GenerateRandom(7).done);
  EXPECT_FALSE(commands.Undo().done);
  test::PutFile(folder / "other.ax2", "x");
  EXPECT_EQ(commands.Open(folder / "other.ax2").status, kClusterStarTip);
  EXPECT_EQ(EncodeSystem(*world), star);
  // Saved under the cluster's own code.
  EXPECT_EQ(SaveDialogFilter(*world, commands.ClusterCode()).defaultExtension, "C07");

  commands.LeaveClusterStar();
  EXPECT_FALSE(commands.Present());
  EXPECT_EQ(world->ClusterMode, 0);
  EXPECT_TRUE(commands.Enabled().generate);
}

TEST_F(SystemCommandsTest, WorldsAreVisitedRoundTheStarsBothWays) {
  commands.GenerateRandom(8);
  commands.SurveySystem();
  test::BuildPair(*world);  // worlds on 0,1 1,1 1,2 2,1
  const auto selection = [&] {
    return std::to_string(world->CurrentStar) + "," + std::to_string(world->CurrentOrbit);
  };
  world->CurrentStar = 0;
  world->CurrentOrbit = 3;  // nothing there: the search goes on from here
  ASSERT_TRUE(commands.FindWorldFromSelection());
  std::string visited = selection();
  for (const int step : {1, 1, 1, 1, 1, -1, -1, -1, -1}) {
    EXPECT_TRUE(commands.MoveToWorld(step));
    visited += " " + selection();
  }
  EXPECT_EQ(visited, "1,1 1,2 2,1 0,1 1,1 1,2 1,1 0,1 2,1 1,2");
  EXPECT_FALSE(commands.SelectWorld(1, 4));  // no world there: the selection stays
  EXPECT_EQ(selection(), "1,2");

  // Only a body of the selected world, in a report or a drawing of it, can be copied.
  ASSERT_TRUE(commands.SelectWorld(1, 1));
  commands.ShowWorld();
  world->CurrentBody = 2;
  EXPECT_TRUE(commands.BodySelected());
  world->CurrentBody = 3;  // the world has two moons
  EXPECT_FALSE(commands.BodySelected());
  commands.ShowWorld();  // puts the selection back on the world
  EXPECT_EQ(world->CurrentBody, 0);
  commands.ShowSymbolic();
  EXPECT_FALSE(commands.BodySelected());
}

// A cluster of one pair and the hand-off between two stand-in windows, through a row of steps:
// "visit" (the cluster window's jump), "survey", "return" (the system window's JUMP), "keep",
// "closed" (the system window closed), "leave" (the cluster window closed), "gone" (the
// cluster file deleted). What the windows were told and the problems said, then the record.
TEST(ClusterHandoffTest, AVisitKeepsASurveyedSystemWithItsStarOnlyWhenLeftThroughJump) {
  const std::pair<const char*, const char*> rows[] = {
      {"return visit survey return keep", "show returned | kept"},
      {"visit keep", "show | not kept"},  // stars only: nothing worth keeping
      {"visit survey closed leave", "show closed | not kept"},
      {"visit survey leave", "show leave | kept"},
      // Back again, the kept system is read as it was kept.
      {"visit survey return keep visit", "show returned show kept surveyed | visiting kept"},
      {"visit survey leave visit gone leave",
       "show leave show kept surveyed leave Could not keep the system of Sec03:1 | gone"},
  };
  for (const auto& [steps, expected] : rows) {
    test::TempFolder folder;
    const std::filesystem::path file = folder / "C03.AXL";
    test::WriteClusterFile(file, {test::PairRecord(1, 50, 50, 50)});
    auto world = std::make_unique<World>();
    Random random{11};
    SystemFileReader reader;
    ClusterHandoff handoff{*world};
    std::string told;
    handoff.ShowStar = [&](const StarVisit& visit) {
      told += visit.outcome == JumpOutcome::Kept ? "show kept " : "show ";
      if (world->SystemSurveyed != 0) told += "surveyed ";
    };
    handoff.LeaveStar = [&] { told += "leave "; };
    handoff.Returned = [&] { told += "returned "; };
    handoff.StarClosed = [&] { told += "closed "; };
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
      std::string problem;
      if (step == "visit") {
        const ClusterRecord record = ClusterFileReader(file).Read(1);
        handoff.Visit(
            {file, "C03", record, JumpIntoClusterStar(*world, random, reader, file, record)});
      }
      if (step == "survey") Survey(*world, random).SurveySystem();
      if (step == "return") handoff.Return();
      if (step == "keep") problem = handoff.Keep();
      if (step == "closed") handoff.SystemClosed();
      if (step == "leave") problem = handoff.Leave();
      if (step == "gone") std::filesystem::remove(file);
      told += problem.substr(0, problem.find(": ")) + (problem.empty() ? "" : " ");
    }
    told += handoff.Active() ? "| visiting " : "| ";
    if (!std::filesystem::exists(file)) {
      told += "gone";
    } else {
      const ClusterRecord record = ClusterFileReader(file).Read(1);
      EXPECT_NEAR(record.Stars[1].Mass, 0.4, 1e-6) << steps;  // the pair's second star stays
      told += record.SystemKept != 0 && std::filesystem::exists(folder / record.FileName)
                  ? "kept"
                  : "not kept";
    }
    EXPECT_EQ(told, expected) << steps;
  }
}

}  // namespace
}  // namespace ax
