#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cli/Commands.h"
#include "cluster/TempFolder.h"
#include "io/ClusterFile.h"

namespace ax {
namespace {

using test::Cli;
using test::CliRun;
using test::Lines;

namespace fs = std::filesystem;

TEST(ClusterCliTest, MakesAndListsClusters) {
  test::TempFolder folder;
  const std::string dir = (folder / "clusters").string();
  const CliRun made = Cli(
      {"cluster", "--size", "6", "--density", "1", "--shape", "cube", "--dir", dir, "--seed", "5"});
  ASSERT_EQ(made.status, 0) << made.err;
  const fs::path file = fs::path(dir) / "C01.AXL";
  EXPECT_EQ(made.out, file.string() + ": 216 stars\n");
  EXPECT_EQ(ClusterFileReader(file).RecordCount(), 216);

  const CliRun sphere =
      Cli({"cluster", "--size", "1", "--shape", "sphere", "--dir", dir, "--seed", "5"});
  EXPECT_EQ(sphere.out, (fs::path(dir) / "C02.AXL").string() + ": 0 stars\n");

  const CliRun text = Cli({"list", file.string()});
  ASSERT_EQ(text.status, 0) << text.err;
  const std::vector<std::string> lines = Lines(text.out);
  ASSERT_EQ(lines.size(), 217U);  // a header and a line per star
  EXPECT_EQ(lines[1].substr(0, 38), "      1    0 AX000000.C01 Sec01:000000");

  const CliRun csv = Cli({"list", file.string(), "--csv"});
  const std::vector<std::string> rows = Lines(csv.out);
  ASSERT_EQ(rows.size(), 217U);
  EXPECT_EQ(rows[0], "record,kept,file,name,stars,age,x,y,z,type1,type2,separation");
  EXPECT_EQ(rows[216].substr(0, 32), "216,0,AX050505.C01,Sec01:050505,");
  for (const std::string& row : rows) {
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 11) << row;
  }

  const CliRun json = Cli({"list", file.string(), "--json"});
  const std::vector<std::string> objects = Lines(json.out);
  ASSERT_EQ(objects.size(), 216U);
  ClusterFileReader reader(file);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const auto object = nlohmann::json::parse(objects[i]);
    const ClusterRecord record = reader.Read(static_cast<std::int64_t>(i) + 1);
    ASSERT_EQ(object["record"].get<int>(), record.RecordNumber);
    ASSERT_EQ(object["name"].get<std::string>(), record.SystemName);
    ASSERT_EQ(object["x"].get<float>(), record.X);
    ASSERT_EQ(object["separation"].get<float>(), record.Separation);
    ASSERT_EQ(object["types"].size(), static_cast<std::size_t>(record.StarCount));
  }

  // The same seed makes the same cluster.
  const CliRun again =
      Cli({"cluster", "--size", "6", "--density", "1", "--dir", dir, "--seed", "5"});
  ASSERT_EQ(again.status, 0);
  EXPECT_EQ(Cli({"list", (fs::path(dir) / "C03.AXL").string(), "--json"}).out.size(),
            json.out.size());
}

TEST(ClusterCliTest, DamagedFileListsWhatIsSoundThenStatusTwo) {
  test::TempFolder folder;
  ASSERT_EQ(
      Cli({"cluster", "--size", "3", "--density", "1", "--dir", folder.Path().string()}).status, 0);
  const fs::path file = folder / "C01.AXL";
  fs::resize_file(file, 26 * 128 + 100);
  const CliRun run = Cli({"list", file.string(), "--csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(Lines(run.out).size(), 27U);  // the header and 26 sound records
  EXPECT_EQ(run.err, "astrolattix-cli: " + file.string() + ": the file ends inside record 27\n");
}

}  // namespace
}  // namespace ax
