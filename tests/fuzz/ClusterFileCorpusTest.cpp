#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// Every file of the cluster fuzzing corpus is read without a crash: a pass over a file named
// "valid-" visits all its records, one over a file named "bad-" stops with a reason, and every
// record a pass visited reads alone to the same record.
TEST(ClusterFileCorpusTest, EveryFileIsReadFullyOrStopsWithAReason) {
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
