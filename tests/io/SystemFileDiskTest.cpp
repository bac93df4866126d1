#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "generate/Stars.h"
#include "io/LockFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "survey/Survey.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;
using test::PutFile;

std::unique_ptr<World> Sample() {
  auto world = std::make_unique<World>();
  Random random(2);
  GenerateStars(*world, random);
  Survey(*world, random).SurveySystem();
  return world;
}

TEST(SystemFileOnDiskTest, ReadingWhatIsNotASystemFileFailsWithThePathAndKeepsTheWorld) {
  test::TempFolder dir;
  auto kept = Sample();
  kept->SystemFilePath = "kept.ax2";
  kept->SystemSaved = 1;
  const std::string before = EncodeSystem(*kept);
  SystemFileReader reader;
  using Kind = FileFailure::Kind;
  const auto expectFailure = [&](const fs::path& path, const std::string& reason, Kind kind) {
    try {
      reader.Read(path, *kept);
      ADD_FAILURE() << path;
    } catch (const SystemFileError& error) {
      EXPECT_EQ(error.what(), path.string() + ": " + reason);
      EXPECT_EQ(error.Failure().kind, kind) << reason;
    }
  };
  expectFailure(dir / "missing.ax2", "the file does not exist", Kind::Missing);
  expectFailure(dir.Path(), "it is a folder, not a file", Kind::Folder);
  PutFile(dir / "short.ax2", before.substr(0, 100));
  expectFailure(dir / "short.ax2", "the file ends early", Kind::EndsEarly);
  // Opening a pipe nobody writes to would wait for ever: it must be refused unopened.
  ASSERT_EQ(mkfifo((dir / "pipe.ax2").c_str(), 0600), 0);
  expectFailure(dir / "pipe.ax2", "not a regular file", Kind::NotAFile);
  // Every text at 32767 characters and every count at its bound: 3 texts and 54 bytes for the
  // system, 76 for the pair, and 3 stars of 3 texts, 26 bytes and 15 orbits, each of a class
  // text, a count and 21 bodies of 9 texts and 154 bytes.
  EXPECT_EQ(LargestSystemFileSize(), 280714006u);
  PutFile(dir / "huge.ax2", "");
  fs::resize_file(dir / "huge.ax2", 280714007u);  // sparse: nothing is written
  expectFailure(dir / "huge.ax2", "the file is too large to be a system file", Kind::TooLarge);
  EXPECT_EQ(EncodeSystem(*kept), before);
  EXPECT_EQ(kept->SystemFilePath, "kept.ax2");
  EXPECT_EQ(kept->SystemSaved, 1);
}

TEST(SystemFileOnDiskTest, AnUnnamedSystemTakesTheFileNameAndReadsBack) {
  test::TempFolder dir;
  for (const char* unnamed : {"", "Star"}) {
    PutFile(dir / "alpha.ax2", std::string(100000, 'z'));  // no trailing bytes are left of it
    auto world = Sample();
    world->SystemName = unnamed;
    WriteSystemFile(*world, dir / "alpha.ax2");
    EXPECT_EQ(world->SystemName, "Alpha");
    EXPECT_EQ(world->SystemSaved, 1);
    EXPECT_EQ(FileBytes(dir / "alpha.ax2"), EncodeSystem(*world));
  }
  auto named = Sample();
  named->SystemName = "Vega";
  WriteSystemFile(*named, dir / "ARCHIVE.tar.ax2");
  EXPECT_EQ(named->SystemName, "Vega");
  EXPECT_EQ(SystemNameFromPath("dir.v2/ARCHIVE.tar.ax2"), "Archive.tar");
}

TEST(SystemFileOnDiskTest, AFailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  test::TempFolder dir;
  auto world = Sample();
  world->SystemName.clear();  // an unnamed system takes no name from a file it was not saved in
  const auto expectFailure = [&](const fs::path& file) {
    EXPECT_THROW(WriteSystemFile(*world, file), SystemFileError) << file;
    EXPECT_EQ(world->SystemSaved, 0) << file;
    EXPECT_EQ(world->SystemName, "") << file;
  };
  expectFailure(dir / "no such folder" / "x.ax2");
  EXPECT_FALSE(fs::exists(dir / "no such folder"));
  fs::create_directory(dir / "taken.ax2");  // the rename onto a folder fails
  expectFailure(dir / "taken.ax2");
  EXPECT_TRUE(fs::is_directory(dir / "taken.ax2"));
  const fs::path file = dir / "keep.ax2";
  PutFile(file, "old content");
  fs::create_directory(dir / "keep.ax2.saving");  // the temporary cannot be made
  expectFailure(file);
  EXPECT_EQ(FileBytes(file), "old content");
  fs::remove(dir / "keep.ax2.saving");
  world->SystemNote.assign(40000, 'n');  // too long for a text count
  expectFailure(file);
  EXPECT_EQ(FileBytes(file), "old content");
  EXPECT_FALSE(fs::exists(dir / "keep.ax2.saving"));
  EXPECT_FALSE(fs::exists(dir / "taken.ax2.saving"));
}

TEST(LockFileTest, LocksRoundTripBesideTheSystemAndABadSideFileIsRefused) {
  test::TempFolder dir;
  const fs::path sol = dir / "sol.ax2";
  EXPECT_EQ(LockFilePath(sol), dir / "sol.ax2.locks");
  EXPECT_TRUE(ReadLocks(sol).empty());  // no side file: nothing locked
  const Locks locks = {{1, 3}, {0, 15}, {2, 1}};
  WriteLocks(sol, locks);
  EXPECT_EQ(FileBytes(dir / "sol.ax2.locks"), "0 15\n1 3\n2 1\n");
  EXPECT_EQ(ReadLocks(sol), locks);
  // A failed write keeps the old side file.
  fs::create_directory(dir / "sol.ax2.locks.saving");
  EXPECT_THROW(WriteLocks(sol, {{1, 1}}), SystemFileError);
  EXPECT_EQ(ReadLocks(sol), locks);
  fs::remove(dir / "sol.ax2.locks.saving");
  WriteLocks(sol, {});
  EXPECT_FALSE(fs::exists(dir / "sol.ax2.locks"));
  const struct {
    const char* text;
    const char* message;
  } rows[] = {
      {"1 3\nthree\n", "line 2 is not a star and an orbit"},
      {"3 1\n", "line 1 is not a star and an orbit"},   // stars are 0 to 2
      {"1 16\n", "line 1 is not a star and an orbit"},  // orbits are 1 to 15
      {"1 0\n", "line 1 is not a star and an orbit"},
      {"1 2 3\n", "line 1 is not a star and an orbit"},
  };
  for (const auto& row : rows) {
    PutFile(dir / "sol.ax2.locks", row.text);
    try {
      ReadLocks(sol);
      ADD_FAILURE() << row.text;
    } catch (const SystemFileError& error) {
      EXPECT_EQ(std::string(error.what()), (dir / "sol.ax2.locks").string() + ": " + row.message);
    }
  }
}

}  // namespace
}  // namespace ax
