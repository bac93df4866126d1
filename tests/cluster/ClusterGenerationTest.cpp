#include "cluster/ClusterGeneration.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "io/ClusterFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using test::D100;
using test::Script;

std::vector<ClusterRecord> Records(const fs::path& file, std::string* problem = nullptr) {
  std::vector<ClusterRecord> records;
  const ClusterScan scan =
      ClusterFileReader(file).ForEach([&records](const ClusterRecordView& view) {
        records.push_back(view.Decode());
        return true;
      });
  if (problem) *problem = scan.Problem;
  return records;
}

TEST(ClusterNamesTest, EstimatesAndNames) {
  // 100^3 / 350 = 2857.1; 4/3 pi 50^3 / 350 = 1496.0; half of that 748.0.
  EXPECT_EQ(ClusterEstimate({100, 350, ClusterShape::Cube}), 2857);
  EXPECT_EQ(ClusterEstimate({100, 350, ClusterShape::Sphere}), 1496);
  EXPECT_EQ(ClusterEstimate({100, 350, ClusterShape::FadingSphere}), 748);
  EXPECT_EQ(ClusterStarFileName(100, 249, 7, "C12"), "AXA0O907.C12");
  EXPECT_EQ(ClusterStarName(100, 249, 7, "C12"), "Sec12:A0O907");
}

TEST(CreateClusterStarTest, PositionThenMotionValuesInOrder) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->StarType[1] = "K 2 V  ";
  Random random = Random::Scripted(Script({
      {0.25f, 0.5f, 0.75f},                   // x, y, z within the cell
      {0.75f, D100(50), D100(51)},            // 20 x 0.75 - 10 = 5, doubled once to 10
      {0.25f, D100(1), D100(50), D100(100)},  // -5, doubled twice; never held by the limit
      // 9.98 doubles five times to 319.36 and stops at the limit of 200 without a further roll.
      {0.999f, D100(1), D100(1), D100(1), D100(1), D100(1)},
  }));
  const ClusterRecord record = CreateClusterStar(*world, random, 5, 7, 9, 12, "C05");
  EXPECT_EQ(random.ScriptLeft(), 0U);
  EXPECT_EQ(record.RecordNumber, 12);
  EXPECT_EQ(record.FileName + world->SystemName, "AX050709.C05Sec05:050709");
  EXPECT_EQ(TaggedValue(world->SystemVectorY), -20.0);
  EXPECT_EQ((std::array{record.X, record.Y, record.Z}), (std::array{5.25F, 7.5F, 9.75F}));
  EXPECT_EQ((std::array{record.VectorX, record.VectorY}), (std::array{10.0F, -20.0F}));
  EXPECT_FLOAT_EQ(record.VectorZ, 319.36F);
  EXPECT_EQ(record.Stars[0].Type, "K 2 V  ");
}

// A cube of 2 at density 1: a star in each cell, in x, then y, then z order, and a progress
// call after each layer.
TEST(GenerateClusterTest, SmallCubeInCellOrder) {
  test::TempFolder folder;
  std::ofstream(folder / ClusterFileName(1)).put('x');  // the next free number is 2
  Random random(5);
  std::vector<int> percents;
  const ClusterResult result = GenerateCluster({2, 1, ClusterShape::Cube}, random, folder.Path(),
                                               [&percents](const ClusterProgress& layer) {
                                                 percents.push_back(layer.Percent);
                                                 return true;
                                               });
  EXPECT_EQ(percents, (std::vector<int>{0, 100}));
  std::string problem, names;
  for (const ClusterRecord& record : Records(result.File, &problem)) names += record.FileName + " ";
  EXPECT_EQ(problem, "");
  EXPECT_EQ(names,
            "AX000000.C02 AX000001.C02 AX000100.C02 AX000101.C02 AX010000.C02 "
            "AX010001.C02 AX010100.C02 AX010101.C02 ");
}

// Star counts at density 1 counted by hand: a cell on the radius is inside, so a sphere of 2
// holds the centre (1, 1, 1) and the three cells 1 from it; of a 5-cell cube 56 cells lie
// within (x-2.5)^2 + (y-2.5)^2 + (z-2.5)^2 <= 6.25; the one cell of size 1 lies outside.
TEST(GenerateClusterTest, SmallestClusters) {
  test::TempFolder folder;
  Random random(11);
  const auto stars = [&](int size, ClusterShape shape) {
    return GenerateCluster({size, 1, shape}, random, folder.Path(), {}).Stars;
  };
  EXPECT_EQ(stars(2, ClusterShape::Sphere), 4);
  EXPECT_EQ(stars(5, ClusterShape::Sphere), 56);
  EXPECT_EQ(stars(5, ClusterShape::Cube), 125);
  EXPECT_EQ(stars(1, ClusterShape::Sphere), 0);
  EXPECT_EQ(stars(1, ClusterShape::FadingSphere), 0);
}

// A cancelled or failed generation leaves no file; with every number taken none is made.
TEST(GenerateClusterTest, CancelAndFailureLeaveNothing) {
  test::TempFolder folder;
  Random random(3);
  for (const int jobs : {1, 2}) {
    int calls = 0;
    const ClusterResult cancelled = GenerateCluster(
        {20, 2, ClusterShape::Cube}, random, folder.Path(),
        [&calls](const ClusterProgress&) { return ++calls < 3; }, jobs);
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_EQ(calls, 3);
    const auto failing = [](const ClusterProgress& layer) {
      if (layer.Layer == 2) throw std::runtime_error("the window went away");
      return true;
    };
    EXPECT_THROW(GenerateCluster({4, 1, ClusterShape::Cube}, random, folder.Path(), failing, jobs),
                 std::runtime_error);
  }
  EXPECT_TRUE(fs::is_empty(folder.Path()));
  for (int n = 1; n <= 99; ++n) std::ofstream(folder / ClusterFileName(n)).put('x');
  try {
    GenerateCluster({1, 1, ClusterShape::Cube}, random, folder.Path(), {});
    ADD_FAILURE() << "a 100th cluster was made";
  } catch (const ClusterFileError& error) {
    EXPECT_EQ(error.Reason(), "all cluster numbers C01 to C99 are taken");
  }
}

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A seed makes the same bytes on 1, 2 or 3 threads, a seeded source the same as its seed's
// draw; another seed makes another cluster.
TEST(GenerateClusterTest, ASeedMakesTheSameFileOnAnyNumberOfThreads) {
  test::TempFolder folder;
  const ClusterSettings settings{9, 3, ClusterShape::Cube};
  const auto taken = [](const ClusterResult& result) {
    std::string bytes = FileBytes(result.File);
    fs::remove(result.File);
    return bytes;
  };
  const auto made = [&](std::uint64_t seed, int jobs) {
    return taken(GenerateCluster(settings, seed, folder.Path(), {}, jobs));
  };
  const std::string once = made(77, 1);
  EXPECT_GT(once.size(), 100 * kClusterSlotBytes);  // 243 stars expected
  EXPECT_EQ(made(77, 2), once);
  EXPECT_EQ(made(77, 3), once);
  EXPECT_NE(made(78, 2), once);
  Random first(5), second(5);
  EXPECT_EQ(taken(GenerateCluster(settings, first, folder.Path(), {}, 1)),
            taken(GenerateCluster(settings, second, folder.Path(), {}, 3)));
}

// Every shape at size 60 and density 5: a sound file of a star count within 5 standard
// deviations of the binomial expectation. Each cell's chance is 1 in 5 within the radius, or
// (1 - d / c)^4 for the fading sphere, whose die of 5 / 16 = 0 faces always rolls 1.
class GenerateClusterPropertyTest : public testing::TestWithParam<ClusterShape> {};

TEST_P(GenerateClusterPropertyTest, StarCountsFollowTheShape) {
  const ClusterShape shape = GetParam();
  const double centre = 30;
  double expected = 0, variance = 0;
  for (int x = 0; x < 60; ++x) {
    for (int y = 0; y < 60; ++y) {
      for (int z = 0; z < 60; ++z) {
        const double d = std::hypot(x - centre, y - centre, z - centre);
        double chance = shape == ClusterShape::Cube || d <= centre ? 0.2 : 0;
        if (shape == ClusterShape::FadingSphere && d <= centre)
          chance = std::pow(1 - d / centre, 4);
        expected += chance;
        variance += chance * (1 - chance);
      }
    }
  }
  test::TempFolder folder;
  Random random(static_cast<std::uint64_t>(shape) + 100);
  const ClusterResult result = GenerateCluster({60, 5, shape}, random, folder.Path(), {}, 2);
  EXPECT_NEAR(static_cast<double>(result.Stars), expected, 5 * std::sqrt(variance));
  std::string problem;
  const std::vector<ClusterRecord> records = Records(result.File, &problem);
  EXPECT_EQ(static_cast<std::int64_t>(records.size()), result.Stars);
  EXPECT_EQ(problem, "");
  // Numbered from 1 without gaps, each inside its named cell, the cells in x, y, z order.
  std::array<int, 3> previous{-1, 0, 0};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ClusterRecord& record = records[i];
    const std::array cell{static_cast<int>(record.X), static_cast<int>(record.Y),
                          static_cast<int>(record.Z)};
    ASSERT_EQ(record.RecordNumber, static_cast<std::int32_t>(i + 1));
    ASSERT_EQ(record.FileName, ClusterStarFileName(cell[0], cell[1], cell[2], result.Code));
    ASSERT_LT(previous, cell);
    ASSERT_TRUE(record.StarCount == 1 || record.StarCount == 2) << record.StarCount;
    previous = cell;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, GenerateClusterPropertyTest,
                         testing::Values(ClusterShape::Cube, ClusterShape::Sphere,
                                         ClusterShape::FadingSphere));

}  // namespace
}  // namespace ax
