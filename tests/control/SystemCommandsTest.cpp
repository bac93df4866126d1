#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "support/TempFolder.h"
#include "control/PairSystem.h"
#include "control/Seeds.h"
#include "control/SystemCommands.h"
#include "io/FileFilters.h"
#include "io/UndoCopy.h"
#include "io/SystemFile.h"

namespace ax {
namespace {

// The names of the commands that are on, in the order of EnabledCommands.
std::string OnNames(const EnabledCommands& on) {
  const std::pair<bool, const char*> all[] = {
      {on.survey, "survey"},         {on.jump, "jump"},
      {on.graphical, "graphical"},   {on.symbolic, "symbolic"},
      {on.world, "world"},           {on.scrolls, "scrolls"},
      {on.open, "open"},             {on.saveAs, "saveAs"},
      {on.undo, "undo"},             {on.systemName, "systemName"},
      {on.planetName, "planetName"}, {on.generate, "generate"},
      {on.seedInNote, "seedInNote"}, {on.exportImage, "exportImage"},
      {on.exportReport, "exportReport"}, {on.copyReport, "copyReport"}};
  std::string names;
  for (const auto& [enabled, name] : all) {
    if (!enabled) continue;
    if (!names.empty()) names += ' ';
    names += name;
  }
  return names;
}

struct EnablingRow {
  const char* name;
  CommandState state;
  const char* on;
};

TEST(EnablingTest, EachStateTurnsOnItsCommands) {
  auto state = [](bool present, bool surveyed, int mode) {
    CommandState s;
    s.present = present;
    s.surveyed = surveyed;
    s.mode = mode;
    return s;
  };
  auto with = [](CommandState s, auto change) {
    change(s);
    return s;
  };
  const EnablingRow rows[] = {
      {"nothing shown", state(false, false, 0), "jump open generate"},
      // A survey flag left over from a closed system counts for nothing.
      {"nothing shown, stale survey", state(false, true, 2), "jump open generate"},
      {"stars only", state(true, false, 0),
       "survey jump open systemName generate exportImage exportReport"},
      {"surveyed list", state(true, true, 0),
       "jump graphical world open saveAs systemName generate exportImage exportReport"},
      {"system drawing", state(true, true, 1),
       "jump symbolic scrolls open saveAs systemName generate exportImage exportReport"},
      {"world report, body selected",
       with(state(true, true, 2), [](CommandState& s) { s.bodySelected = true; }),
       "jump graphical world scrolls open saveAs systemName planetName generate exportImage "
       "exportReport copyReport"},
      // A belt has no world to draw.
      {"belt report", with(state(true, true, 2), [](CommandState& s) { s.beltSelected = true; }),
       "jump world scrolls open saveAs systemName planetName generate exportImage exportReport"},
      {"world drawing",
       with(state(true, true, 3), [](CommandState& s) { s.bodySelected = true; }),
       "jump symbolic scrolls open saveAs systemName planetName generate exportImage "
       "exportReport copyReport"},
      {"undo copy taken",
       with(state(true, false, 0), [](CommandState& s) { s.undoAvailable = true; }),
       "survey jump open undo systemName generate exportImage exportReport"},
      {"made from a seed", with(state(true, false, 0), [](CommandState& s) { s.seedMade = true; }),
       "survey jump open systemName generate seedInNote exportImage exportReport"},
      {"seed of a closed system",
       with(state(false, false, 0), [](CommandState& s) { s.seedMade = true; }),
       "jump open generate"},
      // Nothing may put another system in a cluster star's place, not even an undo copy.
      {"cluster star, surveyed",
       with(state(true, true, 0),
            [](CommandState& s) {
              s.clusterStar = true;
              s.undoAvailable = true;
            }),
       "jump graphical world saveAs systemName exportImage exportReport"},
      {"cluster star, stars only",
       with(state(true, false, 0), [](CommandState& s) { s.clusterStar = true; }),
       "survey jump systemName exportImage exportReport"},
  };
  for (const EnablingRow& row : rows) {
    EXPECT_EQ(OnNames(Enabling(row.state)), row.on) << row.name;
  }
}

TEST(SeedsTest, OnlyWholeNumbersThatFitAreSeeds) {
  const std::pair<const char*, std::optional<std::uint64_t>> rows[] = {
      {"42", 42},
      {"  7 \t", 7},
      {"0", 0},
      {"18446744073709551615", std::numeric_limits<std::uint64_t>::max()},
      {"18446744073709551616", std::nullopt},  // 2^64
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-1", std::nullopt},
      {"+5", std::nullopt},
      {"4 2", std::nullopt},
      {"0x10", std::nullopt},
      {"12.0", std::nullopt},
  };
  for (const auto& [text, seed] : rows) EXPECT_EQ(ParseSeed(text), seed) << '"' << text << '"';
  EXPECT_EQ(SeedText(1234), "Seed: 1234");
}

// A controller on its own world, run in a folder of its own: the undo copy is written to the
// current directory.
class SystemCommandsTest : public testing::Test {
 protected:
  SystemCommandsTest() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder.Path());
  }
  ~SystemCommandsTest() override { std::filesystem::current_path(previous_); }

  test::TempFolder folder;
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{20261207};
  SystemCommands commands{*world, random};

 private:
  std::filesystem::path previous_;
};

TEST_F(SystemCommandsTest, TheSameSeedMakesTheSameSurveyedSystem) {
  commands.SetAutoSurvey(true);
  ASSERT_TRUE(commands.GenerateRandom(987654321).done);
  EXPECT_EQ(commands.Seed(), 987654321u);
  EXPECT_EQ(world->SystemSurveyed, 1);
  const std::string first = EncodeSystem(*world);
  commands.GenerateRandom();  // a fresh seed of its own
  ASSERT_TRUE(commands.Seed().has_value());
  EXPECT_NE(*commands.Seed(), 987654321u);
  commands.GenerateRandom(987654321);
  EXPECT_EQ(EncodeSystem(*world), first);

  // The seed goes into the note once, on a line of its own.
  world->SystemNote = "Visited twice";
  EXPECT_EQ(commands.PutSeedInNote().status, "The seed was put in the system's note");
  EXPECT_EQ(commands.PutSeedInNote().status, "The note already holds the seed");
  EXPECT_EQ(world->SystemNote, "Visited twice\nSeed: 987654321");
  // A system from a file has no seed.
  commands.SystemGenerated();
  EXPECT_FALSE(commands.Seed().has_value());
  EXPECT_FALSE(commands.PutSeedInNote().status.has_value());
}

TEST_F(SystemCommandsTest, SaveOpenAndUndoKeepWhatTheUserHad) {
  commands.SetUndoEnabled(true);
  commands.GenerateRandom(1);
  ASSERT_TRUE(commands.SurveySystem());
  EXPECT_FALSE(commands.SurveySystem());  // once only
  const std::string first = EncodeSystem(*world);
  ASSERT_EQ(commands.SaveAs(folder / "first.ax2").status, "");
  const std::string saved = EncodeSystem(*world);  // saving names the system after its file

  commands.GenerateRandom(2);  // the undo copy holds the first system
  EXPECT_TRUE(commands.Enabled().undo);
  const std::string second = EncodeSystem(*world);
  ASSERT_NE(second, first);

  // A file that is no system: the world stays as it was, the reason is said.
  std::ofstream(folder / "bad.ax2") << "not a system";
  const CommandResult bad = commands.Open(folder / "bad.ax2");
  EXPECT_FALSE(bad.done);
  ASSERT_TRUE(bad.status.has_value());
  EXPECT_EQ(bad.status->rfind("Could not open bad.ax2: ", 0), 0u) << *bad.status;
  EXPECT_EQ(EncodeSystem(*world), second);

  // A folder that is not there: the file name stays the one the system had.
  const std::filesystem::path named = world->SystemFilePath;
  const CommandResult lost = commands.SaveAs(folder / "missing" / "x.ax2");
  EXPECT_FALSE(lost.done);
  EXPECT_EQ(lost.status->rfind("Could not save x.ax2: ", 0), 0u) << *lost.status;
  EXPECT_EQ(world->SystemFilePath, named);

  EXPECT_TRUE(commands.Undo().done);
  EXPECT_EQ(EncodeSystem(*world), saved);
  EXPECT_EQ(commands.View().DisplayMode, 0);
  EXPECT_TRUE(commands.Open(folder / "first.ax2").done);
  EXPECT_EQ(EncodeSystem(*world), saved);
  EXPECT_EQ(world->SystemSurveyed, 1);

  // The undo copy cannot be written over a folder of its name: the system shown stays.
  std::filesystem::remove(UndoCopy::File());
  std::filesystem::create_directory(UndoCopy::File());
  const std::string shown = EncodeSystem(*world);
  const CommandResult refused = commands.GenerateRandom(3);
  EXPECT_FALSE(refused.done);
  EXPECT_EQ(refused.status->rfind("Could not write the undo copy undone.bak: ", 0), 0u);
  EXPECT_EQ(EncodeSystem(*world), shown);
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
  const EnabledCommands on = commands.Enabled();
  EXPECT_FALSE(on.open || on.generate || on.undo);

  const std::string star = EncodeSystem(*world);
  EXPECT_FALSE(commands.GenerateRandom(7).done);
  EXPECT_FALSE(commands.Undo().done);
  std::ofstream(folder / "other.ax2") << "x";
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
  test::BuildPair(*world);
  auto selection = [&] {
    return std::to_string(world->CurrentStar) + "," + std::to_string(world->CurrentOrbit);
  };
  world->CurrentStar = 0;
  world->CurrentOrbit = 3;  // nothing there: the search goes on from here
  ASSERT_TRUE(commands.FindWorldFromSelection());
  EXPECT_EQ(selection(), "1,1");
  std::string forward;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(commands.MoveToWorld(1));
    forward += selection() + " ";
  }
  EXPECT_EQ(forward, "1,2 2,1 0,1 1,1 1,2 ");
  std::string back;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(commands.MoveToWorld(-1));
    back += selection() + " ";
  }
  EXPECT_EQ(back, "1,1 0,1 2,1 1,2 ");
  EXPECT_FALSE(commands.SelectWorld(1, 4));  // no world there: the selection stays
  EXPECT_EQ(selection(), "1,2");

  // Alone in the system, a world is found again going forward and not going back.
  world->OrbitCount = {0, 1, 0};
  ASSERT_TRUE(commands.SelectWorld(1, 1));
  EXPECT_TRUE(commands.MoveToWorld(1));
  EXPECT_EQ(selection(), "1,1");
  EXPECT_FALSE(commands.MoveToWorld(-1));

  // Only a body of the selected world, in a report or a drawing of it, can be copied.
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

TEST_F(SystemCommandsTest, TheGraphicalViewStartsAfreshOnlyWhenReachedAnew) {
  commands.GenerateRandom(9);
  commands.SurveySystem();
  EXPECT_TRUE(commands.ToggleDisplayMode());  // 0 -> 1, first time
  EXPECT_EQ(commands.View().DisplayMode, 1);
  EXPECT_FALSE(commands.ToggleDisplayMode());  // 1 -> 0
  EXPECT_TRUE(commands.ToggleDisplayMode());   // 0 -> 1 again: the way back set mode 0
  // Sent to the list by another command, the drawing is found as it was left.
  commands.ShowSymbolic();
  EXPECT_FALSE(commands.ToggleDisplayMode());
  EXPECT_EQ(commands.View().DisplayMode, 1);
  EXPECT_FALSE(commands.ToggleDisplayMode());
  commands.ShowWorld();
  EXPECT_TRUE(commands.ToggleDisplayMode());  // 2 -> 3
  EXPECT_EQ(commands.View().DisplayMode, 3);
}

}  // namespace
}  // namespace ax
