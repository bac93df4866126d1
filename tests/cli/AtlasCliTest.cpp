// The atlas of a cluster: every star's own system, a row each, the same however the work is
// shared out, and filters that keep exactly the rows that say so.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cluster/AtlasFile.h"
#include "io/ClusterFile.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

using test::Cli;
using test::Lines;
using Json = nlohmann::json;
namespace fs = std::filesystem;

std::vector<Json> Rows(const std::string& out) {
  std::vector<Json> rows;
  for (const std::string& line : Lines(out)) rows.push_back(Json::parse(line));
  return rows;
}

class AtlasCliTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Cli({"cluster", "--size", "12", "--density", "12", "--dir", folder.Path().string(),
                   "--seed", "11"})
                  .status,
              0);
  }
  std::string Atlas(std::vector<std::string> options) {
    options.insert(options.begin(), {"atlas", file.string()});
    const test::CliRun run = Cli(options);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  }
  test::TempFolder folder;
  fs::path file = folder / "C01.AXL";
};

TEST_F(AtlasCliTest, SharedOutWorkGivesTheSameBytes) {
  const std::string whole = Atlas({"--csv", "--jobs", "1"});
  EXPECT_GT(Lines(whole).size(), 100U);
  EXPECT_EQ(Atlas({"--csv", "--jobs", "2"}), whole);
  const std::string first = Atlas({"--csv", "--records", "1-37", "--jobs", "2"});
  const std::string rest = Atlas({"--csv", "--records", "38-"});
  EXPECT_EQ(first + rest.substr(rest.find('\n') + 1), whole);

  // The atlas kept beside the cluster: none when cancelled, else the same bytes, read back to
  // the same rows, and stale once the cluster file changes.
  const fs::path atlas = folder / "C01.atlas.csv";
  EXPECT_TRUE(MakeAtlasFile(file, 2, [](std::int64_t) { return false; }).Cancelled);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
  EXPECT_FALSE(AtlasFileIsCurrent(file));
  EXPECT_TRUE(MakeAtlasFile(file, 2).Written);
  EXPECT_EQ(test::FileBytes(atlas), whole);
  const auto rows = ReadAtlasFile(atlas);
  ASSERT_TRUE(rows);
  std::ostringstream again;
  WriteAtlasCsvHeader(again);
  for (const AtlasRow& row : *rows) WriteAtlasCsvRow(row, again);
  EXPECT_EQ(again.str(), whole);
  EXPECT_TRUE(AtlasFileIsCurrent(file));
  fs::last_write_time(file, fs::last_write_time(atlas) + std::chrono::seconds(1));
  EXPECT_FALSE(AtlasFileIsCurrent(file));
}

// Each row is the system `star` makes, kept ones read from their file; each filter keeps the
// rows whose fields say so and no other.
TEST_F(AtlasCliTest, RowsDescribeTheStarsSystemsAndFiltersKeepWhatTheySay) {
  const std::string kept = (folder / "kept.ax2").string();
  ASSERT_EQ(Cli({"star", file.string(), "--record", "9", "--out", kept}).status, 0);
  ClusterRecord record = ClusterFileReader(file).Read(9);
  record.SystemKept = 1;
  record.FileName = "kept.ax2";
  WriteClusterRecord(file, record);
  const std::vector<Json> rows = Rows(Atlas({"--json"}));
  for (const int r : {1, 9, 40, 77}) {
    const Json system =
        Json::parse(Cli({"star", file.string(), "--record", std::to_string(r), "--json"}).out);
    const Json& row = rows[static_cast<std::size_t>(r - 1)];
    EXPECT_EQ(row["kept"], r == 9);
    int worlds = 0;
    int life = 0;
    using Counts = std::map<std::string, int>;
    Counts classes;
    for (const Json& body : system["bodies"]) {
      worlds += body["body"] == 0 ? 1 : 0;
      ++classes[body["BodyClass"].get<std::string>()];
      life = std::max(life, body["BodyLifeComplexity"].get<int>());
    }
    EXPECT_EQ(row["worlds"], worlds) << r;
    EXPECT_EQ(row["highest_life"], life) << r;
    EXPECT_EQ(row["classes"].get<Counts>(), classes) << r;
  }

  const auto anyClass = [](const Json& row, const std::string& codes) {
    for (const char code : codes) {
      if (row["classes"].contains(std::string(1, code))) return true;
    }
    return false;
  };
  const std::vector<std::pair<std::vector<std::string>, std::function<bool(const Json&)>>> filters =
      {{{"--life", "3"}, [](const Json& row) { return row["highest_life"] >= 3; }},
       {{"--civ"}, [](const Json& row) { return !row["eras"].empty(); }},
       {{"--class", "NW"}, [&](const Json& row) { return anyClass(row, "NW"); }},
       {{"--habitable"}, [&](const Json& row) { return anyClass(row, "ABCDEFGH"); }},
       {{"--within", "4", "--of", "6,6,6"}, [](const Json& row) {
          const Json& p = row["position"];
          return std::hypot(p[0].get<double>() - 6, p[1].get<double>() - 6,
                            p[2].get<double>() - 6) <= 4;
        }}};
  for (const auto& [options, keeps] : filters) {
    std::vector<std::string> args = options;
    args.push_back("--json");
    std::vector<Json> expected;
    for (const Json& row : rows) {
      if (keeps(row)) expected.push_back(row);
    }
    EXPECT_EQ(Rows(Atlas(args)), expected) << options[0];
  }
}

TEST_F(AtlasCliTest, ADamagedFileIsSurveyedUpToItsLastSoundRecordAndBadOptionsAreRefused) {
  fs::resize_file(file, 20 * 128 + 60);
  const test::CliRun damaged = Cli({"atlas", file.string(), "--csv"});
  EXPECT_EQ(damaged.status, 2);
  EXPECT_EQ(Lines(damaged.out).size(), 21U);  // the header and 20 sound records
  EXPECT_EQ(damaged.err,
            "astrolattix-cli: " + file.string() + ": the file ends inside record 21\n");
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--records", "9-3"},
                                              {"--records", "x"},
                                              {"--class", "Q"},
                                              {"--within", "3"},
                                              {"--within", "3", "--of", "1,2"},
                                              {"--jobs", "0"}}) {
    std::vector<std::string> args = {"atlas", file.string()};
    args.insert(args.end(), bad.begin(), bad.end());
    const test::CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2) << bad[0];
    EXPECT_EQ(Lines(run.err).size(), 1U) << run.err;
  }
}

}  // namespace
}  // namespace ax
