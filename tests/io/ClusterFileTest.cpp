#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cluster/TempFolder.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/World.h"

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

ClusterRecord SingleStar() {
  ClusterRecord record;
  record.RecordNumber = 3;
  record.FileName = "AX050709.C05";
  record.SystemName = "Sec05:050709";
  record.StarCount = 1;
  record.Age = 4.5F;
  record.X = 5.25F;
  record.Y = 7.5F;
  record.Z = 9.75F;
  record.VectorX = -3.5F;
  record.VectorY = 12.0F;
  record.VectorZ = 0.25F;
  record.Stars[0] = {0.95, 5500, 0.8F, "G 5 V  "};
  return record;
}

ClusterRecord Pair() {
  ClusterRecord record;
  record.RecordNumber = 1234567;
  record.SystemKept = 1;
  record.FileName = "AX1234567890123";
  record.SystemName = "A system name of thirty chars";
  record.StarCount = 2;
  record.Age = 0.01F;
  record.X = 249.5F;
  record.Y = 0.125F;
  record.Z = 100.0F;
  record.VectorX = -1280.0F;
  record.VectorY = 20.0F;
  record.Separation = 12.3456789F;
  record.Stars[0] = {1.5, 7000, 5.0F, "F 3 V  "};
  record.Stars[1] = {0.4, 3200, 0.02F, "M 5 D  "};
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
  EXPECT_EQ(Hex(EncodeClusterRecord(Pair())),
            "87d612000100415831323334353637383930412073797374656d206e616d65206f66207468697274792063"
            "6802000ad7233c008079430000003e0000c8420000a0c40000a04100000000e787454100000000000"
            "0f83f581b00000000a040462033205620209a9999999999d93f800c00000ad7a33c4d2035204420200000"
            "0000");
}

// With the layout proven above, a decoded record that encodes to the same slot is whole.
TEST(ClusterRecordTest, DecodeGivesBackWhatWasEncoded) {
  for (const ClusterRecord& record : {SingleStar(), Pair()}) {
    const ClusterSlot slot = EncodeClusterRecord(record);
    EXPECT_EQ(Hex(EncodeClusterRecord(ClusterRecordView(slot.data()).Decode())), Hex(slot));
  }
  const ClusterRecord back = ClusterRecordView(EncodeClusterRecord(Pair()).data()).Decode();
  EXPECT_EQ(back.FileName, "AX1234567890");
  EXPECT_EQ(back.SystemName, "A system name of thirty ch");
  EXPECT_EQ(back.Stars[1].Type, "M 5 D  ");
  ClusterRecord named = SingleStar();
  named.SystemName = "New Eden   ";
  const ClusterRecord single = ClusterRecordView(EncodeClusterRecord(named).data()).Decode();
  EXPECT_EQ(single.SystemName, "New Eden");
  EXPECT_EQ(single.Stars[1].Mass, 0.0);
  EXPECT_EQ(single.Stars[1].Type, "       ");
}

TEST(ClusterRecordTest, FromWorldNarrowsTheSeparationToAFloat) {
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  world->StarSeparation = 12.3456789;
  world->SystemName = "Sec05:050709";
  world->SystemX = 5.25F;
  world->SystemY = 7.5F;
  world->SystemZ = 9.75F;
  world->StarMass = {1.9, 1.5, 0.4};
  world->StarType = {"F 3 V  ", "F 3 V  ", "M 5 D  "};
  const ClusterRecord record = ClusterRecordFromWorld(*world, 7, 0, "AX050709.C05");
  EXPECT_EQ(record.Separation, static_cast<float>(12.3456789));
  EXPECT_NE(static_cast<double>(record.Separation), 12.3456789);
  EXPECT_EQ(record.X, 5.25F);
  EXPECT_EQ(record.Stars[0].Mass, 1.5);
  EXPECT_EQ(record.Stars[1].Type, "M 5 D  ");

  // Encoded straight from the world, the slot is the same.
  ClusterSlot direct{};
  direct.fill(0xEE);
  EncodeClusterStar(*world, 7, 0, "AX050709.C05", direct);
  EXPECT_EQ(Hex(direct), Hex(EncodeClusterRecord(record)));
  world->StarCount = 1;
  EncodeClusterStar(*world, 8, 1, "AX050710.C05", direct);
  EXPECT_EQ(Hex(direct),
            Hex(EncodeClusterRecord(ClusterRecordFromWorld(*world, 8, 1, "AX050710.C05"))));
  world->StarCount = 2;

  // A position held as a double beyond a float's range is stored as the largest float.
  world->SystemX = 1e300;
  EXPECT_EQ(ClusterRecordFromWorld(*world, 7, 0, "").X, std::numeric_limits<float>::max());
}

// A cluster file of `count` sound records, record n at (n, 2n, 3n).
void WriteRecords(const fs::path& file, int count) {
  std::ofstream stream(file, std::ios::binary);
  for (int n = 1; n <= count; ++n) {
    ClusterRecord record = SingleStar();
    record.RecordNumber = n;
    record.X = static_cast<float>(n);
    record.Y = static_cast<float>(2 * n);
    record.Z = static_cast<float>(3 * n);
    const ClusterSlot slot = EncodeClusterRecord(record);
    stream.write(reinterpret_cast<const char*>(slot.data()),
                 static_cast<std::streamsize>(slot.size()));
  }
}

std::vector<char> Bytes(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void Poke(const fs::path& file, std::streamoff at, const void* bytes, std::streamsize size) {
  std::fstream stream(file, std::ios::binary | std::ios::in | std::ios::out);
  stream.seekp(at);
  stream.write(static_cast<const char*>(bytes), size);
}

std::vector<std::int32_t> Numbers(ClusterFileReader& reader, ClusterScan& scan) {
  std::vector<std::int32_t> numbers;
  scan = reader.ForEach([&numbers](const ClusterRecordView& view) {
    numbers.push_back(view.RecordNumber());
    return true;
  });
  return numbers;
}

TEST(ClusterFileTest, ReadsEveryRecordAndEachByNumber) {
  test::TempFolder folder;
  const fs::path file = folder / "C01.AXL";
  WriteRecords(file, 3);
  ClusterFileReader reader(file);
  EXPECT_EQ(reader.RecordCount(), 3);
  ClusterScan scan;
  EXPECT_EQ(Numbers(reader, scan), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(scan.Records, 3);
  EXPECT_EQ(scan.Problem, "");

  const ClusterRecord second = reader.Read(2);
  EXPECT_EQ(second.RecordNumber, 2);
  EXPECT_EQ(second.Z, 6.0F);
  EXPECT_EQ(second.FileName, "AX050709.C05");
  for (const std::int64_t missing : {0, 4, -1}) {
    EXPECT_THROW(reader.Read(missing), ClusterFileError) << missing;
  }
  // After a failed read the next one still works.
  EXPECT_EQ(reader.Read(3).RecordNumber, 3);

  // A visitor that declines stops the pass without a problem.
  int visited = 0;
  const ClusterScan stopped =
      reader.ForEach([&visited](const ClusterRecordView&) { return ++visited < 2; });
  EXPECT_EQ(stopped.Records, 2);
  EXPECT_EQ(stopped.Problem, "");

  fs::create_directory(folder / "C03.AXL");
  ASSERT_EQ(mkfifo((folder / "C04.AXL").c_str(), 0600), 0);  // opening it would wait for ever
  for (const auto& [name, reason] :
       std::vector<std::pair<std::string, std::string>>{{"C02.AXL", "there is no such file"},
                                                        {"C03.AXL", "not a regular file"},
                                                        {"C04.AXL", "not a regular file"}}) {
    try {
      ClusterFileReader refused(folder / name);
      ADD_FAILURE() << name << " was opened";
    } catch (const ClusterFileError& error) {
      EXPECT_EQ(error.Reason(), reason);
    }
    EXPECT_THROW(WriteClusterRecord(folder / name, reader.Read(1)), ClusterFileError) << name;
  }
}

TEST(ClusterFileTest, ShortAndDamagedFilesAreReadUpToTheirLastSoundRecord) {
  test::TempFolder folder;
  const fs::path file = folder / "C01.AXL";
  ClusterScan scan;

  // The last slot's unused four bytes may be missing.
  WriteRecords(file, 3);
  fs::resize_file(file, 2 * 128 + 124);
  {
    ClusterFileReader reader(file);
    EXPECT_EQ(reader.RecordCount(), 3);
    EXPECT_EQ(Numbers(reader, scan).size(), 3U);
    EXPECT_EQ(scan.Problem, "");
    EXPECT_EQ(reader.Read(3).Z, 9.0F);
  }
  fs::resize_file(file, 2 * 128 + 100);
  {
    ClusterFileReader reader(file);
    EXPECT_EQ(reader.RecordCount(), 2);
    EXPECT_EQ(Numbers(reader, scan).size(), 2U);
    EXPECT_EQ(scan.Records, 2);
    EXPECT_EQ(scan.Problem, "the file ends inside record 3");
    EXPECT_THROW(reader.Read(3), ClusterFileError);
  }
  fs::resize_file(file, 0);
  {
    ClusterFileReader reader(file);
    EXPECT_EQ(Numbers(reader, scan).size(), 0U);
    EXPECT_EQ(scan.Problem, "");
  }

  // A record out of place, a star count of 3 and a position that is not a number each end
  // the pass before the record.
  const std::int32_t wrongNumber = 7;
  const std::int16_t threeStars = 3;
  const float notANumber = std::numeric_limits<float>::quiet_NaN();
  struct Damage {
    std::streamoff at;
    const void* bytes;
    std::streamsize size;
  };
  for (const Damage& damage : {Damage{128 + 0, &wrongNumber, 4}, Damage{128 + 44, &threeStars, 2},
                               Damage{128 + 58, &notANumber, 4}}) {
    WriteRecords(file, 3);
    Poke(file, damage.at, damage.bytes, damage.size);
    ClusterFileReader reader(file);
    EXPECT_EQ(Numbers(reader, scan), (std::vector<std::int32_t>{1})) << damage.at;
    EXPECT_EQ(scan.Problem, "record 2 is damaged") << damage.at;
    EXPECT_THROW(reader.Read(2), ClusterFileError) << damage.at;
    EXPECT_EQ(reader.Read(3).RecordNumber, 3);
  }
}

TEST(ClusterFileTest, PassesOverManyBlocks) {
  test::TempFolder folder;
  const fs::path file = folder / "C01.AXL";
  constexpr int kRecords = 40'000;  // beyond one block of reading
  WriteRecords(file, kRecords);
  ClusterFileReader reader(file);
  std::int64_t expected = 1;
  bool inOrder = true;
  const ClusterScan scan = reader.ForEach([&](const ClusterRecordView& view) {
    inOrder = inOrder && view.RecordNumber() == expected && view.Y() == 2.0F * float(expected);
    ++expected;
    return true;
  });
  EXPECT_EQ(scan.Records, kRecords);
  EXPECT_TRUE(inOrder);
}

TEST(ClusterFileTest, WritesOneRecordInPlace) {
  test::TempFolder folder;
  const fs::path file = folder / "C01.AXL";
  WriteRecords(file, 3);
  fs::resize_file(file, 2 * 128 + 124);
  const std::vector<char> before = Bytes(file);

  ClusterRecord kept = ClusterFileReader(file).Read(2);
  kept.SystemKept = 1;
  kept.FileName = "AX010203.C01";
  WriteClusterRecord(file, kept);
  ClusterRecord last = ClusterFileReader(file).Read(3);
  last.SystemName = "Far Away";
  WriteClusterRecord(file, last);

  const std::vector<char> after = Bytes(file);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 128, after.begin()));
  ClusterFileReader reader(file);
  EXPECT_EQ(reader.Read(2).SystemKept, 1);
  EXPECT_EQ(reader.Read(2).FileName, "AX010203.C01");
  EXPECT_EQ(reader.Read(3).SystemName, "Far Away");

  for (const std::int32_t number : {0, 4}) {
    kept.RecordNumber = number;
    EXPECT_THROW(WriteClusterRecord(file, kept), ClusterFileError) << number;
  }
  EXPECT_EQ(Bytes(file).size(), before.size());
  kept.RecordNumber = 1;
  EXPECT_THROW(WriteClusterRecord(folder / "C02.AXL", kept), ClusterFileError);
  EXPECT_FALSE(fs::exists(folder / "C02.AXL"));
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
    if (name.rfind("bad-", 0) == 0) {
      EXPECT_NE(scan.Problem, "") << name;
      ++bad;
    } else {
      EXPECT_EQ(name.rfind("valid-", 0), 0u) << name;
      EXPECT_EQ(scan.Problem, "") << name;
      EXPECT_EQ(scan.Records, reader.RecordCount()) << name;
      ++valid;
    }
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
