#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "generate/Stars.h"
#include "io/FileCommands.h"
#include "io/Naming.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// Runs each test in a folder of its own, since the undo copy lives in the current directory.
class UndoTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("astrolattix-undo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
    previous_ = fs::current_path();
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

  // Generation as the system window does it: the undo copy first, then a new system.
  void Generate(Random& random) {
    undo.Take(*world);
    ClearSystem(*world);
    GenerateStars(*world, random);
    Survey(*world, random).SurveySystem();
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  SystemFileReader reader;
  UndoCopy undo;

 private:
  fs::path folder_;
  fs::path previous_;
};

TEST_F(UndoTest, SwitchedOffWritesNothing) {
  Random random(1);
  Generate(random);
  Generate(random);
  EXPECT_FALSE(fs::exists(UndoCopy::File()));
  EXPECT_FALSE(undo.available);
}

TEST_F(UndoTest, UndoBringsBackTheSystemBeforeTheLastGenerationEveryTime) {
  Random random(2);
  undo.enabled = true;
  Generate(random);  // keeps a copy of the empty model
  EXPECT_TRUE(undo.available);
  EXPECT_EQ(world->SystemName, "");  // the new system is not named after the undo file
  const std::string first = EncodeSystem(*world);
  Generate(random);
  ASSERT_NE(EncodeSystem(*world), first);

  undo.Restore(*world, reader);
  auto expected = std::make_unique<World>();
  reader.Decode(first, *expected);
  expected->SystemName = "Undone";  // an unnamed system is kept under the undo file's name
  EXPECT_EQ(EncodeSystem(*world), EncodeSystem(*expected));
  EXPECT_EQ(world->SystemSurveyed, 1);
  EXPECT_TRUE(world->SystemFilePath.empty());
  undo.Restore(*world, reader);
  EXPECT_EQ(EncodeSystem(*world), EncodeSystem(*expected));

  // Switching undo off keeps the copy that is there.
  undo.enabled = false;
  Generate(random);
  undo.Restore(*world, reader);
  EXPECT_EQ(EncodeSystem(*world), EncodeSystem(*expected));
}

TEST_F(UndoTest, MissingCopyIsReportedAndTheSystemStays) {
  Random random(3);
  Generate(random);
  const std::string before = EncodeSystem(*world);
  try {
    undo.Restore(*world, reader);
    FAIL() << "restored a copy that does not exist";
  } catch (const SystemFileError& error) {
    EXPECT_EQ(error.Reason(), "the file does not exist");
  }
  EXPECT_EQ(EncodeSystem(*world), before);
}

TEST(FileDialogFilterTest, ClusterSystemsSaveUnderTheClusterCode) {
  auto world = std::make_unique<World>();
  EXPECT_EQ(SaveDialogFilter(*world, "C07").pattern, "*.ax2");
  EXPECT_EQ(SaveDialogFilter(*world, "C07").defaultExtension, "ax2");
  world->ClusterMode = 1;
  EXPECT_EQ(SaveDialogFilter(*world, "C07").pattern, "*.C07");
  EXPECT_EQ(SaveDialogFilter(*world, "C07").defaultExtension, "C07");
  EXPECT_EQ(OpenDialogFilter().pattern, "*.ax2");
}

TEST(NamingTest, NamesGoWhereTheSelectionIsWhenAccepted) {
  auto world = std::make_unique<World>();
  world->SystemName = "Tau";
  EXPECT_EQ(NameToEdit(*world, NameKind::System), "Tau");

  world->CurrentStar = 1;
  world->CurrentOrbit = 3;
  world->CurrentBody = 0;
  world->BodyName(1, 3, 0) = "Ceti";
  EXPECT_EQ(NameToEdit(*world, NameKind::World), "Ceti");
  world->CurrentBody = 2;  // the user picked a moon while the window was open
  AcceptName(*world, NameKind::World, "Luna");
  EXPECT_EQ(world->BodyName(1, 3, 2), "Luna");
  EXPECT_EQ(world->BodyName(1, 3, 0), "Ceti");

  AcceptName(*world, NameKind::System, "");
  EXPECT_EQ(world->SystemName, "");
  AcceptName(*world, NameKind::World, "");
  EXPECT_EQ(world->BodyName(1, 3, 2), "");
}

}  // namespace
}  // namespace ax
