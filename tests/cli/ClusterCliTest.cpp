#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "io/ClusterFile.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

using test::Cli;
using test::CliRun;
using test::Lines;
namespace fs = std::filesystem;

// A cube of 6 at density 1 holds a star in each of its 216 cells; each listing has a line per
// star, the JSON one the star's own record.
TEST(ClusterCliTest, MakesAndListsClusters) {
  test::TempFolder folder;
  const std::string dir = (folder / "clusters").string();
  const CliRun made = Cli(
      {"cluster", "--size", "6", "--density", "1", "--shape", "cube", "--dir", dir, "--seed", "5"});
  ASSERT_EQ(made.status, 0) << made.err;
  const fs::path file = fs::path(dir) / "C01.AXL";
  EXPECT_EQ(made.out, file.string() + ": 216 stars\n");

  const std::vector<std::string> lines = Lines(Cli({"list", file.string()}).out);
  ASSERT_EQ(lines.size(), 217U);  // a header and a line per star
  EXPECT_EQ(lines[1].substr(0, 38), "      1    0 AX000000.C01 Sec01:000000");
  const std::vector<std::string> rows = Lines(Cli({"list", file.string(), "--csv"}).out);
  ASSERT_EQ(rows.size(), 217U);
  EXPECT_EQ(rows[0], "record,kept,file,name,stars,age,x,y,z,type1,type2,separation");
  EXPECT_EQ(rows[216].substr(0, 32), "216,0,AX050505.C01,Sec01:050505,");
  for (const std::string& row : rows) EXPECT_EQ(std::count(row.begin(), row.end(), ','), 11) << row;
  const std::vector<std::string> objects = Lines(Cli({"list", file.string(), "--json"}).out);
  ASSERT_EQ(objects.size(), 216U);
  ClusterFileReader reader(file);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const auto object = nlohmann::json::parse(objects[i]);
    const ClusterRecord record = reader.Read(static_cast<std::int64_t>(i) + 1);
    ASSERT_EQ(object["name"].get<std::string>(), record.SystemName);
    ASSERT_EQ(object["x"].get<float>(), record.X);
    ASSERT_EQ(object["separation"].get<float>(), record.Separation);
    ASSERT_EQ(object["types"].size(), static_cast<std::size_t>(record.StarCount));
  }

  // A star's own system: the same at every run, saved as printed; a kept one read from its file.
  const std::string star = (folder / "star.ax2").string();
  const CliRun once = Cli({"star", file.string(), "--record", "7", "--json", "--out", star});
  ASSERT_EQ(once.status, 0) << once.err;
  EXPECT_EQ(Cli({"star", file.string(), "--record", "7", "--json"}).out, once.out);
  EXPECT_EQ(Cli({"show", star, "--json"}).out, once.out);
  EXPECT_NE(Cli({"star", file.string(), "--record", "8", "--json"}).out, once.out);
  ClusterRecord kept = reader.Read(7);
  kept.SystemKept = 1;
  kept.FileName = "../star.ax2";
  WriteClusterRecord(file, kept);
  const CliRun read = Cli({"star", file.string(), "--record", "7", "--json"});
  EXPECT_NE(read.err.find("record 7 is kept"), std::string::npos) << read.err;
  EXPECT_EQ(read.out, once.out);
  EXPECT_EQ(Cli({"star", file.string(), "--record", "999"}).status, 2);

  // A damaged file lists what is sound, then fails with its reason.
  fs::resize_file(file, 26 * 128 + 100);
  const CliRun damaged = Cli({"list", file.string(), "--csv"});
  EXPECT_EQ(damaged.status, 2);
  EXPECT_EQ(Lines(damaged.out).size(), 27U);  // the header and 26 sound records
  EXPECT_EQ(damaged.err,
            "astrolattix-cli: " + file.string() + ": the file ends inside record 27\n");
}

}  // namespace
}  // namespace ax
