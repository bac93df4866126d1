#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/World.h"
#include "support/ClusterRecords.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

std::string Hex(const ClusterSlot& slot) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : slot) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

// A single star, and a pair whose file name and name are too long for their fields.
ClusterRecord SingleStar() {
  ClusterRecord record = test::StarRecord(3, 5.25F, 7.5F, 9.75F, "G 5 V  ", 0.8F);
  record.FileName = "AX050709.C05";
  record.SystemName = "Sec05:050709";
  record.Age = 4.5F;
  record.VectorX = -3.5F;
  record.VectorY = 12.0F;
  record.VectorZ = 0.25F;
  record.Stars[0] = {0.95, 5500, 0.8F, "G 5 V  "};
  return record;
}

ClusterRecord OverlongPair() {
  ClusterRecord record = test::PairRecord(1234567, 249.5F, 0.125F, 100.0F);
  record.SystemKept = 1;
  record.FileName = "AX1234567890123";
  record.SystemName = "A system name of thirty chars";
  record.Age = 0.01F;
  record.VectorX = -1280.0F;
  record.VectorY = 20.0F;
  record.Stars[1].Type = "M 5 D  ";
  return record;
}

// The expected slots are packed independently with Python's struct ("<ih12s26sh8fdif7sdif7s"
// and four zero bytes).
TEST(ClusterRecordTest, LayoutByteForByte) {
  EXPECT_EQ(Hex(EncodeClusterRecord(SingleStar())),
            "03000000000041583035303730392e43303553656330353a303530373039202020202020202020202020"
            "20200100000090400000a8400000f04000001c41000060c0000040410000803e00000000666666666666"
            "ee3f7c150000cdcc4c3f4720352056202000000000000000000000000000000000202020202020200000"
            "0000");
  // The file name is cut to 12 characters and the name to 26.
  EXPECT_EQ(Hex(EncodeClusterRecord(OverlongPair())),
            "87d612000100415831323334353637383930412073797374656d206e616d65206f66207468697274792063"
            "6802000ad7233c008079430000003e0000c8420000a0c40000a04100000000e787454100000000000"
            "0f83f581b00000000a040462033205620209a9999999999d93f800c00000ad7a33c4d2035204420200000"
            "0000");
}

// With the layout proven above, a decoded record that encodes to the same slot is whole; names
// lose their trailing blanks. A record from a world narrows the separation to a float, holds a
// position beyond a float's range as the largest float, and encoded straight from the world
// fills the same slot.
TEST(ClusterRecordTest, DecodeAndFromWorldGiveBackTheSameSlot) {
  ClusterRecord named = SingleStar();
  named.SystemName = "New Eden   ";
  for (const ClusterRecord& record : {named, OverlongPair()}) {
    const ClusterSlot slot = EncodeClusterRecord(record);
    EXPECT_EQ(Hex(EncodeClusterRecord(ClusterRecordView(slot.data()).Decode())), Hex(slot));
  }
  EXPECT_EQ(ClusterRecordView(EncodeClusterRecord(named).data()).Decode().SystemName, "New Eden");

  auto world = std::make_unique<World>();
  world->StarCount = 2;
  world->StarSeparation = 12.3456789;
  world->SystemX = 1e300;
  world->StarMass = {1.9, 1.5, 0.4};
  world->StarType = {"F 3 V  ", "F 3 V  ", "M 5 D  "};
  const ClusterRecord record = ClusterRecordFromWorld(*world, 7, 0, "AX050709.C05");
  EXPECT_EQ(record.Separation, static_cast<float>(12.3456789));
  EXPECT_EQ(record.X, std::numeric_limits<float>::max());
  EXPECT_EQ(record.Stars[1].Type, "M 5 D  ");
  ClusterSlot direct{};
  for (const int stars : {2, 1}) {
    world->StarCount = static_cast<std::int16_t>(stars);
    direct.fill(0xEE);
    EncodeClusterStar(*world, 8, 1, "AX050710.C05", direct);
    EXPECT_EQ(Hex(direct),
              Hex(EncodeClusterRecord(ClusterRecordFromWorld(*world, 8, 1, "AX050710.C05"))));
  }
}

// A cluster file of `count` sound records, record n at (n, 2n, 3n).
void WriteRecords(const fs::path& file, int count) {
  std::vector<ClusterRecord> records;
  for (int n = 1; n <= count; ++n) {
    records.push_back(test::StarRecord(n, float(n), float(2 * n), float(3 * n)));
  }
  test::WriteClusterFile(file, records);
}

// The record numbers a pass visits, and how it ended.
std::vector<std::int32_t> Numbers(const fs::path& file, std::string* problem = nullptr) {
  std::vector<std::int32_t> numbers;
  const ClusterScan scan =
      ClusterFileReader(file).ForEach([&numbers](const ClusterRecordView& view) {
        numbers.push_back(view.RecordNumber());
        return true;
      });
  if (problem) *problem = scan.Problem;
  return numbers;
}

TEST(ClusterFileTest, ReadsEveryRecordAndEachByNumberAndRefusesWhatIsNotAFile) {
  test::TempFolder folder;
  const fs::path file = folder / "C01.AXL";
  WriteRecords(file, 3);
  std::string problem = "unset";
  EXPECT_EQ(Numbers(file, &problem), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(problem, "");
  ClusterFileReader reader(file);
  EXPECT_EQ(reader.RecordCount(), 3);
  EXPECT_EQ(reader.Read(2).Z, 6.0F);
  for (const std::int64_t missing : {0, 4, -1}) {
    EXPECT_THROW(reader.Read(missing), ClusterFileError) << missing;
  }
  EXPECT_EQ(reader.Read(3).RecordNumber, 3);  // after a failed read the next one still works
  // A visitor that declines stops the pass without a problem.
  int visited = 0;
  const ClusterScan stopped =
      reader.ForEach([&visited](const ClusterRecordView&) { return ++visited < 2; });
  EXPECT_EQ(stopped.Records, 2);
  EXPECT_EQ(stopped.Problem, "");

  fs::create_directory(folder / "C03.AXL");
  ASSERT_EQ(mkfifo((folder / "C04.AXL").c_str(), 0600), 0);  // opening it would wait for ever
  for (const auto& [name, reason] :
       {std::pair("C02.AXL", "there is no such file"), std::pair("C03.AXL", "not a regular file"),
        std::pair("C04.AXL", "not a regular file")}) {
    try {
      ClusterFileReader refused(folder / name);
      ADD_FAILURE() << name << " was opened";
    } catch (const ClusterFileError& error) {
      EXPECT_EQ(error.Reason(), reason);
    }
    EXPECT_THROW(WriteClusterRecord(folder / name, reader.Read(1)), ClusterFileError) << name;
  }
}

// The last slot's unused four bytes may be missing; any more missing ends the pass before the
// record. A record out of place, a star count of 3 or a position that is not a number do too.
TEST(ClusterFileTest, ShortAndDamagedFilesAreReadUpToTheirLastSoundRecord) {
  test::TempFolder folder;
  const fs::path file = folder / "C01.AXL";
  std::string problem;
  WriteRecords(file, 3);
  fs::resize_file(file, 2 * 128 + 124);
  EXPECT_EQ(Numbers(file, &problem).size(), 3U);
  EXPECT_EQ(problem, "");
  EXPECT_EQ(ClusterFileReader(file).Read(3).Z, 9.0F);
  fs::resize_file(file, 2 * 128 + 100);
  EXPECT_EQ(Numbers(file, &problem).size(), 2U);
  EXPECT_EQ(problem, "the file ends inside record 3");
  EXPECT_EQ(ClusterFileReader(file).RecordCount(), 2);
  EXPECT_THROW(ClusterFileReader(file).Read(3), ClusterFileError);
  fs::resize_file(file, 0);
  EXPECT_TRUE(Numbers(file, &problem).empty());
  EXPECT_EQ(problem, "");

  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const auto& [at, bytes] :
       {std::pair(0, std::string("\x07\0\0\0", 4)), std::pair(44, std::string("\x03\0", 2)),
        std::pair(58, std::string(reinterpret_cast<const char*>(&nan), 4))}) {
    WriteRecords(file, 3);
    std::string content = test::FileBytes(file);
    test::PutFile(file, content.replace(128 + static_cast<std::size_t>(at), bytes.size(), bytes));
    EXPECT_EQ(Numbers(file, &problem), (std::vector<std::int32_t>{1})) << at;
    EXPECT_EQ(problem, "record 2 is damaged") << at;
    ClusterFileReader reader(file);
    EXPECT_THROW(reader.Read(2), ClusterFileError) << at;
    EXPECT_EQ(reader.Read(3).RecordNumber, 3);
  }
  WriteRecords(file, 40'000);  // beyond one block of reading
  const std::vector<std::int32_t> many = Numbers(file, &problem);
  ASSERT_EQ(many.size(), 40'000U);
  EXPECT_EQ(many.back(), 40'000);
}

// The fuzzing corpus: a pass over a file named "valid-" visits all its records, one over a
// file named "bad-" stops with a reason, and every record visited reads alone the same.
TEST(ClusterFileTest, CorpusFilesAreReadFullyOrStopWithAReasonAsNamed) {
  int valid = 0, bad = 0;
  for (const auto& entry : fs::directory_iterator(AX_CLUSTER_FILE_CORPUS)) {
    const std::string name = entry.path().filename().string();
    ClusterFileReader reader(entry.path());
    std::vector<ClusterSlot> visited;
    const ClusterScan scan = reader.ForEach([&visited](const ClusterRecordView& view) {
      visited.push_back(EncodeClusterRecord(view.Decode()));
      return true;
    });
    const bool good = name.starts_with("valid-");
    EXPECT_TRUE(good || name.starts_with("bad-")) << name;
    EXPECT_EQ(scan.Problem.empty(), good) << name;
    if (good) {
      EXPECT_EQ(scan.Records, reader.RecordCount()) << name;
    }
    (good ? valid : bad) += 1;
    ASSERT_EQ(static_cast<std::int64_t>(visited.size()), scan.Records) << name;
    for (std::int64_t n = 1; n <= scan.Records; ++n) {
      EXPECT_EQ(EncodeClusterRecord(reader.Read(n)), visited[static_cast<std::size_t>(n - 1)])
          << name << " record " << n;
    }
  }
  EXPECT_GE(valid, 4);
  EXPECT_GE(bad, 4);
}

}  // namespace
}  // namespace ax
