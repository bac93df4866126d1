#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "cluster/TempFolder.h"
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
  void SetUp() override { fs::current_path(folder_.Path()); }
  void TearDown() override { fs::current_path(previous_); }

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
  fs::path previous_ = fs::current_path();
  test::TempFolder folder_;  // removed after TearDown has left it
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

std::unique_ptr<World> Sample() {
  auto world = std::make_unique<World>();
  Random random(2);
  GenerateStars(*world, random);
  Survey(*world, random).SurveySystem();
  return world;
}

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(SystemFileOnDiskTest, ReadingWhatIsNotAFileFailsWithThePathAndKeepsTheWorld) {
  test::TempFolder dir;
  auto kept = Sample();  // a system that a failed read must leave exactly as it was
  kept->SystemFilePath = "kept.ax2";
  kept->SystemSaved = 1;
  const std::string before = EncodeSystem(*kept);
  SystemFileReader reader;
  const auto expectFailure = [&](const fs::path& path, const std::string& reason) {
    try {
      reader.Read(path, *kept);
      ADD_FAILURE() << path;
    } catch (const SystemFileError& error) {
      EXPECT_EQ(error.Reason(), reason);
      EXPECT_EQ(error.what(), path.string() + ": " + reason);
    }
  };
  expectFailure(dir / "missing.ax2", "the file does not exist");
  expectFailure(dir.Path(), "it is a folder, not a file");
  Put(dir / "short.ax2", before.substr(0, 100));
  expectFailure(dir / "short.ax2", "the file ends early");
  // Opening a pipe nobody writes to would wait for ever: it must be refused unopened.
  ASSERT_EQ(mkfifo((dir / "pipe.ax2").c_str(), 0600), 0);
  expectFailure(dir / "pipe.ax2", "not a regular file");
  // Every text at 32767 characters and every count at its bound: 3 texts and 54 bytes for the
  // system, 76 for the pair, and 3 stars of 3 texts, 26 bytes and 15 orbits, each of a class
  // text, a count and 21 bodies of 9 texts and 154 bytes.
  EXPECT_EQ(LargestSystemFileSize(), 280714006u);
  std::ofstream(dir / "huge.ax2").close();
  fs::resize_file(dir / "huge.ax2", 280714007u);  // sparse: nothing is written
  expectFailure(dir / "huge.ax2", "the file is too large to be a system file");
  EXPECT_EQ(EncodeSystem(*kept), before);
  EXPECT_EQ(kept->SystemFilePath, "kept.ax2");
  EXPECT_EQ(kept->SystemSaved, 1);
}

TEST(SystemNameFromPathTest, FileNameUpToItsLastDotCapitalized) {
  EXPECT_EQ(SystemNameFromPath("alpha.ax2"), "Alpha");
  EXPECT_EQ(SystemNameFromPath("dir.v2/ARCHIVE.tar.ax2"), "Archive.tar");
  EXPECT_EQ(SystemNameFromPath("dir.v2/mIxEd"), "Mixed");
  EXPECT_EQ(SystemNameFromPath(fs::path("saves") / "undone.bak"), "Undone");
}

TEST(SystemFileOnDiskTest, AnUnnamedSystemTakesTheFileName) {
  test::TempFolder dir;
  for (const char* unnamed : {"", "Star"}) {
    Put(dir / "alpha.ax2", std::string(100000, 'z'));  // no trailing bytes are left of it
    auto world = Sample();
    world->SystemName = unnamed;
    WriteSystemFile(*world, dir / "alpha.ax2");
    EXPECT_EQ(world->SystemName, "Alpha");
    EXPECT_EQ(Slurp(dir / "alpha.ax2"), EncodeSystem(*world));
  }
  auto named = Sample();
  named->SystemName = "Vega";
  WriteSystemFile(*named, dir / "alpha.ax2");
  EXPECT_EQ(named->SystemName, "Vega");
}

TEST(SystemFileOnDiskTest, AFailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  test::TempFolder dir;
  auto world = Sample();
  const auto expectFailure = [&](const fs::path& file) {
    EXPECT_THROW(WriteSystemFile(*world, file), SystemFileError) << file;
    EXPECT_EQ(world->SystemSaved, 0) << file;
  };
  expectFailure(dir / "no such folder" / "x.ax2");
  EXPECT_FALSE(fs::exists(dir / "no such folder"));

  fs::create_directory(dir / "taken.ax2");  // the rename onto a folder fails
  expectFailure(dir / "taken.ax2");
  EXPECT_TRUE(fs::is_directory(dir / "taken.ax2"));
  EXPECT_FALSE(fs::exists(dir / "taken.ax2.saving"));

  const fs::path file = dir / "keep.ax2";
  Put(file, "old content");
  fs::create_directory(dir / "keep.ax2.saving");  // the temporary cannot be made
  expectFailure(file);
  EXPECT_EQ(Slurp(file), "old content");
  fs::remove(dir / "keep.ax2.saving");

  world->SystemNote.assign(40000, 'n');  // too long for a text count
  expectFailure(file);
  EXPECT_EQ(Slurp(file), "old content");
  EXPECT_FALSE(fs::exists(dir / "keep.ax2.saving"));
}

}  // namespace
}  // namespace ax
