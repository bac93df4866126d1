#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "cluster/ClusterGeneration.h"
#include "cluster/TempFolder.h"
#include "io/ClusterFile.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using test::D100;
using test::Die;
using test::Script;

// The draws of one plain single star: GenerateStars makes a K 2 V star of 0.6225 solar masses
// aged 4.2 billion years, then the star sits at (x + 0.25, y + 0.5, z + 0.75) with three
// motion values of 0 that do not double.
std::vector<float> StarDraws() {
  return Script({
      {D100(30)},                // single star
      {Die(60, 81), 0.5f},       // mass 0.6225, no scatter
      {Die(420, 1000)},          // age 4.2
      {0.5f, 0.5f, 0.5f, 0.5f},  // temperature and light factors of 1
      {0.25f},                   // angle
      {0.25f, 0.5f, 0.75f},      // position within the cell
      {0.5f, D100(51), 0.5f, D100(51), 0.5f, D100(51)},
  });
}

std::vector<ClusterRecord> Records(const fs::path& file, std::string* problem = nullptr) {
  std::vector<ClusterRecord> records;
  ClusterFileReader reader(file);
  const ClusterScan scan = reader.ForEach([&records](const ClusterRecordView& view) {
    records.push_back(view.Decode());
    return true;
  });
  if (problem) *problem = scan.Problem;
  return records;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// The cell a record's file name gives, for cells below 100.
std::array<int, 3> CellOf(const ClusterRecord& record) {
  const std::string& name = record.FileName;
  return {std::stoi(name.substr(2, 2)), std::stoi(name.substr(4, 2)), std::stoi(name.substr(6, 2))};
}

TEST(ClusterNamesTest, EstimatesAndNamesOfCells) {
  // 100^3 / 350 = 2857.1; 4/3 pi 50^3 / 350 = 1496.0; half of that 748.0.
  EXPECT_EQ(ClusterEstimate({100, 350, ClusterShape::Cube}), 2857);
  EXPECT_EQ(ClusterEstimate({100, 350, ClusterShape::Sphere}), 1496);
  EXPECT_EQ(ClusterEstimate({100, 350, ClusterShape::FadingSphere}), 748);

  EXPECT_EQ(ClusterStarFileName(5, 7, 9, "C05"), "AX050709.C05");
  EXPECT_EQ(ClusterStarName(5, 7, 9, "C05"), "Sec05:050709");
  EXPECT_EQ(ClusterStarFileName(100, 249, 7, "C12"), "AXA0O907.C12");
  EXPECT_EQ(ClusterStarName(100, 249, 7, "C12"), "Sec12:A0O907");
  // Every coordinate of the largest cluster has its own two characters.
  std::set<std::string> names;
  for (int c = 0; c < kMaxClusterSize; ++c) {
    const std::string name = ClusterStarFileName(c, 10, 100, "C01");
    EXPECT_EQ(name.size(), kClusterFileNameWidth) << c;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kMaxClusterSize));
}

TEST(ClusterNamesTest, FirstFreeNumber) {
  test::TempFolder folder;
  EXPECT_EQ(FirstFreeClusterNumber(folder.Path()), 1);
  for (int n = 1; n <= 4; ++n) std::ofstream(folder / ClusterFileName(n)).put('x');
  EXPECT_EQ(FirstFreeClusterNumber(folder.Path()), 5);
  Random seeded(1);
  const ClusterResult fifth =
      GenerateCluster({1, 1, ClusterShape::Cube}, seeded, folder.Path(), {});
  EXPECT_EQ(fifth.Code, "C05");
  EXPECT_EQ(fifth.File, folder / "C05.AXL");
  EXPECT_EQ(Records(fifth.File).at(0).FileName, "AX000000.C05");
  fs::remove(folder / "C02.AXL");
  EXPECT_EQ(FirstFreeClusterNumber(folder.Path()), 2);
  for (int n = 1; n <= 99; ++n) std::ofstream(folder / ClusterFileName(n)).put('x');
  EXPECT_EQ(FirstFreeClusterNumber(folder.Path()), std::nullopt);

  Random random(1);
  try {
    GenerateCluster({1, 1, ClusterShape::Cube}, random, folder.Path(), {});
    ADD_FAILURE() << "a 100th cluster was made";
  } catch (const ClusterFileError& error) {
    EXPECT_EQ(error.Reason(), "all cluster numbers C01 to C99 are taken");
  }
}

TEST(CreateClusterStarTest, PositionThenMotionValuesInOrder) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->StarMass[1] = 0.6225;
  world->StarType[1] = "K 2 V  ";
  Random random = Random::Scripted(Script({
      {0.25f, 0.5f, 0.75f},  // x, y, z within the cell
      // 20 x 0.75 - 10 = 5, doubled once to 10.
      {0.75f, D100(50), D100(51)},
      // -5, doubled twice; a negative value is never held by the limit.
      {0.25f, D100(1), D100(50), D100(100)},
      // 9.98 doubles five times to 319.36 and stops at the limit of 200 without a further roll.
      {0.999f, D100(1), D100(1), D100(1), D100(1), D100(1)},
  }));
  const ClusterRecord record = CreateClusterStar(*world, random, 5, 7, 9, 12, "C05");
  EXPECT_EQ(random.ScriptLeft(), 0U);
  EXPECT_EQ(record.RecordNumber, 12);
  EXPECT_EQ(record.SystemKept, 0);
  EXPECT_EQ(record.FileName, "AX050709.C05");
  EXPECT_EQ(record.SystemName, "Sec05:050709");
  EXPECT_EQ(world->SystemName, "Sec05:050709");
  EXPECT_EQ(world->SystemZ, 9.75F);
  EXPECT_EQ(TaggedValue(world->SystemVectorY), -20.0);
  EXPECT_EQ(record.X, 5.25F);
  EXPECT_EQ(record.Y, 7.5F);
  EXPECT_EQ(record.Z, 9.75F);
  EXPECT_EQ(record.VectorX, 10.0F);
  EXPECT_EQ(record.VectorY, -20.0F);
  EXPECT_FLOAT_EQ(record.VectorZ, 319.36F);
  EXPECT_EQ(record.StarCount, 1);
  EXPECT_EQ(record.Stars[0].Type, "K 2 V  ");

  // A draw just below 1 in the last cell would round up to 250 as a float: it stays inside.
  Random high = Random::Scripted(
      Script({{0.99999994f, 0.0f, 0.0f}, {0.5f, D100(51), 0.5f, D100(51), 0.5f, D100(51)}}));
  const ClusterRecord edge = CreateClusterStar(*world, high, 249, 0, 0, 1, "C01");
  EXPECT_LT(edge.X, 250.0F);
  EXPECT_GE(edge.X, 249.0F);
  EXPECT_EQ(edge.Y, 0.0F);
}

TEST(GenerateClusterTest, SmallCubeInCellOrder) {
  test::TempFolder folder;
  std::vector<float> draws;
  for (int cell = 0; cell < 8; ++cell) {
    draws.push_back(0.99f);  // any draw rolls 1 on a one-faced die
    const std::vector<float> star = StarDraws();
    draws.insert(draws.end(), star.begin(), star.end());
  }
  Random random = Random::Scripted(draws);
  std::vector<ClusterProgress> layers;
  const ClusterResult result = GenerateCluster({2, 1, ClusterShape::Cube}, random, folder.Path(),
                                               [&layers](const ClusterProgress& layer) {
                                                 layers.push_back(layer);
                                                 return true;
                                               });
  EXPECT_EQ(random.ScriptLeft(), 0U);
  EXPECT_EQ(result.Code, "C01");
  EXPECT_EQ(result.File, folder / "C01.AXL");
  EXPECT_EQ(result.Stars, 8);
  EXPECT_FALSE(result.Cancelled);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"C01.AXL"});
  EXPECT_EQ(fs::file_size(result.File), 8U * kClusterSlotBytes);

  ASSERT_EQ(layers.size(), 2U);
  EXPECT_EQ(layers[0].Layer, 0);
  EXPECT_EQ(layers[0].Percent, 0);
  EXPECT_EQ(layers[0].Stars, 4);
  EXPECT_EQ(layers[1].Percent, 100);
  EXPECT_EQ(layers[1].Stars, 8);

  std::string problem;
  const std::vector<ClusterRecord> records = Records(result.File, &problem);
  EXPECT_EQ(problem, "");
  ASSERT_EQ(records.size(), 8U);
  for (int n = 1; n <= 8; ++n) {
    const ClusterRecord& record = records[static_cast<std::size_t>(n - 1)];
    // Cells in x, then y, then z order: record n is the cell whose bits are n - 1.
    const int x = (n - 1) / 4;
    const int y = (n - 1) / 2 % 2;
    const int z = (n - 1) % 2;
    EXPECT_EQ(record.RecordNumber, n);
    EXPECT_EQ(record.FileName, ClusterStarFileName(x, y, z, "C01")) << n;
    EXPECT_EQ(record.Z, static_cast<float>(z) + 0.75F) << n;
    EXPECT_EQ(record.Stars[0].Type, "K 2 V  ");
  }
}

TEST(GenerateClusterTest, FadingSphereBelowDensity16RollsOnlyOnes) {
  test::TempFolder folder;
  // Size 2: the centre is (1, 1, 1). Cells at distance 1 (the radius) keep their star with the
  // chance 0, so even a draw of 0 rejects them; the centre keeps it with the chance 1. A die of
  // 15 faces would roll 15 on every draw of 0.99: the density 15 / 16 leaves none.
  std::vector<float> draws;
  for (int cell = 0; cell < 8; ++cell) {
    draws.push_back(0.99f);
    const int onAxes = (cell >> 2 & 1) + (cell >> 1 & 1) + (cell & 1);
    if (onAxes == 2) draws.push_back(0.0f);  // distance 1: rejected
    if (onAxes == 3) {
      draws.push_back(0.99f);  // the centre: kept
      const std::vector<float> star = StarDraws();
      draws.insert(draws.end(), star.begin(), star.end());
    }
  }
  Random random = Random::Scripted(draws);
  const ClusterResult result =
      GenerateCluster({2, 15, ClusterShape::FadingSphere}, random, folder.Path(), {});
  EXPECT_EQ(random.ScriptLeft(), 0U);
  ASSERT_EQ(result.Stars, 1);
  EXPECT_EQ(Records(result.File)[0].FileName, "AX010101.C01");

  // Size 3: the eight cells with coordinates 1 and 2 lie sqrt(0.75) from the centre 1.5 and
  // keep their star with the chance (1 - 0.8660254 / 1.5)^4 = 0.031906.
  draws.clear();
  int inner = 0;
  for (int cell = 0; cell < 27; ++cell) {
    draws.push_back(0.99f);
    if (cell / 9 == 0 || cell / 3 % 3 == 0 || cell % 3 == 0) continue;
    draws.push_back(inner++ == 0 ? 0.0318f : 0.0320f);
    if (inner == 1) {
      const std::vector<float> star = StarDraws();
      draws.insert(draws.end(), star.begin(), star.end());
    }
  }
  Random thinned = Random::Scripted(draws);
  const ClusterResult second =
      GenerateCluster({3, 1, ClusterShape::FadingSphere}, thinned, folder.Path(), {});
  EXPECT_EQ(thinned.ScriptLeft(), 0U);
  EXPECT_EQ(second.Code, "C02");
  ASSERT_EQ(second.Stars, 1);
  EXPECT_EQ(Records(second.File)[0].FileName, "AX010101.C02");
}

TEST(GenerateClusterTest, SmallestClusters) {
  test::TempFolder folder;
  Random random(11);
  // Size 1: the only cell lies 0.866 from the centre 0.5, outside every sphere.
  for (const ClusterShape shape : {ClusterShape::Sphere, ClusterShape::FadingSphere}) {
    const ClusterResult result = GenerateCluster({1, 1, shape}, random, folder.Path(), {});
    EXPECT_EQ(result.Stars, 0);
    EXPECT_EQ(fs::file_size(result.File), 0U);
  }
  std::vector<int> percents;
  const ClusterResult cube = GenerateCluster({1, 1, ClusterShape::Cube}, random, folder.Path(),
                                             [&percents](const ClusterProgress& layer) {
                                               percents.push_back(layer.Percent);
                                               return true;
                                             });
  EXPECT_EQ(cube.Stars, 1);
  EXPECT_EQ(percents, std::vector<int>{100});

  // Density 1 fills the cube and every cell within the sphere's radius: 56 of a 5-cell cube,
  // counted by hand over the cells (x, y, z) with (x-2.5)^2 + (y-2.5)^2 + (z-2.5)^2 <= 6.25.
  EXPECT_EQ(GenerateCluster({5, 1, ClusterShape::Cube}, random, folder.Path(), {}).Stars, 125);
  const ClusterResult sphere =
      GenerateCluster({5, 1, ClusterShape::Sphere}, random, folder.Path(), {});
  EXPECT_EQ(sphere.Stars, 56);
  EXPECT_EQ(Records(sphere.File).size(), 56U);
  // A cell on the radius is inside: of size 2 the centre cell (1, 1, 1) and the three cells
  // 1 from it, (0, 1, 1), (1, 0, 1) and (1, 1, 0).
  EXPECT_EQ(GenerateCluster({2, 1, ClusterShape::Sphere}, random, folder.Path(), {}).Stars, 4);
}

TEST(GenerateClusterTest, CancelAndFailureLeaveNothing) {
  test::TempFolder folder;
  Random random(3);
  int calls = 0;
  const ClusterResult cancelled =
      GenerateCluster({20, 2, ClusterShape::Cube}, random, folder.Path(),
                      [&calls](const ClusterProgress&) { return ++calls < 3; });
  EXPECT_TRUE(cancelled.Cancelled);
  EXPECT_EQ(calls, 3);
  EXPECT_GT(cancelled.Stars, 0);
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());

  // Draws that run out in the middle of the grid.
  Random scripted = Random::Scripted({0.99f, 0.99f, 0.99f});
  EXPECT_THROW(GenerateCluster({4, 1, ClusterShape::Cube}, scripted, folder.Path(), {}),
               std::logic_error);
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

// Every shape at size 60 and density 5: sound records in cell order, each inside its cell, and
// a star count within 5 standard deviations of the binomial expectation over the cells.
class GenerateClusterPropertyTest : public testing::TestWithParam<ClusterShape> {};

TEST_P(GenerateClusterPropertyTest, RecordsAndCounts) {
  constexpr int kSize = 60;
  constexpr int kDensity = 5;
  const ClusterShape shape = GetParam();
  const double centre = kSize / 2.0;
  // The chance of each cell: the die's 1 in 5 (a fading sphere's die has 5 / 16 = 0 faces and
  // always rolls 1) within the radius, times (1 - d / c)^4 for the fading sphere.
  double expected = 0;
  double variance = 0;
  for (int x = 0; x < kSize; ++x) {
    for (int y = 0; y < kSize; ++y) {
      for (int z = 0; z < kSize; ++z) {
        const double d = std::hypot(x - centre, y - centre, z - centre);
        double chance = 1.0 / kDensity;
        if (shape != ClusterShape::Cube && d > centre) chance = 0;
        if (shape == ClusterShape::FadingSphere)
          chance = d > centre ? 0 : std::pow(1 - d / centre, 4);
        expected += chance;
        variance += chance * (1 - chance);
      }
    }
  }

  test::TempFolder folder;
  Random random(static_cast<std::uint64_t>(shape) + 100);
  const ClusterResult result = GenerateCluster({kSize, kDensity, shape}, random, folder.Path(), {});
  EXPECT_NEAR(static_cast<double>(result.Stars), expected, 5 * std::sqrt(variance));

  std::string problem;
  const std::vector<ClusterRecord> records = Records(result.File, &problem);
  EXPECT_EQ(problem, "");
  ASSERT_EQ(static_cast<std::int64_t>(records.size()), result.Stars);
  std::array<int, 3> previous{-1, -1, -1};
  int faults = 0;
  for (const ClusterRecord& record : records) {
    const std::array<int, 3> cell = CellOf(record);
    const std::array<int, 3> floor = {static_cast<int>(std::floor(record.X)),
                                      static_cast<int>(std::floor(record.Y)),
                                      static_cast<int>(std::floor(record.Z))};
    const bool inside = floor == cell;
    const bool inOrder = previous < cell;
    const bool named = record.SystemName == ClusterStarName(cell[0], cell[1], cell[2], "C01");
    const bool withinRadius =
        shape == ClusterShape::Cube ||
        std::hypot(cell[0] - centre, cell[1] - centre, cell[2] - centre) <= centre;
    if (!inside || !inOrder || !named || !withinRadius) {
      ADD_FAILURE() << "record " << record.RecordNumber << " at " << record.X << ", " << record.Y
                    << ", " << record.Z << " (" << record.FileName << ")";
      if (++faults == 5) break;
    }
    previous = cell;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, GenerateClusterPropertyTest,
                         testing::Values(ClusterShape::Cube, ClusterShape::Sphere,
                                         ClusterShape::FadingSphere));

}  // namespace
}  // namespace ax
