#include "cluster/ClusterView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "display/RecordingCanvas.h"
#include "io/ClusterFile.h"
#include "model/Random.h"
#include "support/ClusterRecords.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

using test::StarRecord;
using Kind = RecordingCanvas::Kind;
using View = ClusterViewState;  // centre X, Y, Z, range, second view, area units a pixel

class ClusterViewTest : public ::testing::Test {
 protected:
  std::vector<DrawnStar> Draw(const std::vector<ClusterRecord>& records, const View& view) {
    canvas.Reset();
    test::WriteClusterFile(folder / "C03.AXL", records);
    ClusterFileReader reader(folder / "C03.AXL");
    return DrawCluster(canvas, view, reader, &scan);
  }
  bool AllFinite() const {
    for (const auto& call : canvas.Calls()) {
      if (!std::isfinite(call.x1 + call.y1 + call.x2 + call.y2 + call.radius)) return false;
    }
    return true;
  }

  test::TempFolder folder;
  RecordingCanvas canvas;
  ClusterScan scan;
};

TEST_F(ClusterViewTest, AViewWithoutAPositiveFiniteRangeDrawsNoStarAndReadsNothing) {
  const std::vector<ClusterRecord> records = {StarRecord(1, 50, 50, 50), StarRecord(2, 51, 50, 50)};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const View& view : {View{50, 50, 50, 0}, View{50, 50, 50, -5}, View{50, 50, 50, nan, true},
                           View{50, 50, 50, inf, true}, View{nan, 50, 50, 10}}) {
    EXPECT_TRUE(Draw(records, view).empty());
    EXPECT_EQ(scan.Records, 0);
    EXPECT_TRUE(AllFinite());
  }
  // A range of 10^12 would ask for a scale tick per cell over half of it: they are thinned.
  Draw(records, View{50, 50, 50, 1e12});
  EXPECT_LE(canvas.CallsOf(Kind::Line).size(), 2002u);
  EXPECT_TRUE(AllFinite());
}

// 3-4-5 and 2-3-6-7 triangles in whole cells: the distances 5, 7, 4.92, 0 and 7 are exact in
// float; a damaged record (out of its place) ends the pass with the stars before it drawn.
TEST_F(ClusterViewTest, OnlyStarsStrictlyInsideTheRangeAreDrawnUpToADamagedRecord) {
  ClusterRecord damaged = StarRecord(7, 10, 10, 10);
  damaged.RecordNumber = 9;
  const auto drawn = Draw(
      {StarRecord(1, 13, 14, 10), StarRecord(2, 12, 13, 16), StarRecord(3, 13, 13.9f, 10),
       StarRecord(4, 10, 10, 10), StarRecord(5, 10, 10, 3), StarRecord(6, 11, 10, 10), damaged},
      View{10, 10, 10, 5});
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].Record, 3);
  EXPECT_EQ(drawn[1].Record, 4);
  EXPECT_EQ(scan.Records, 6);
  EXPECT_FALSE(scan.Problem.empty());
  EXPECT_EQ(canvas.CallsOf(Kind::Disc).size(), 3u);
}

// Both views draw every star inside the sphere within their circle; the second looks along X
// with Z mirrored: x = 150 - (Z - 50) x 50 / 10.
TEST_F(ClusterViewTest, RandomClusterDrawsExactlyTheStarsInsideTheSphereInBothViews) {
  Random random(17);
  std::vector<ClusterRecord> records;
  std::size_t inside = 0;
  for (std::int32_t n = 1; n <= 400; ++n) {
    const float x = 40 * random.Uniform(), y = 40 * random.Uniform(), z = 40 * random.Uniform();
    records.push_back(StarRecord(n, x, y, z));
    const double dx = x - 20.0, dy = y - 18.0, dz = z - 22.0;
    inside += dx * dx + dy * dy + dz * dz < 12.5 * 12.5;
  }
  EXPECT_EQ(Draw(records, View{20, 18, 22, 12.5, true}).size(), inside);
  EXPECT_EQ(scan.Records, 400);
  const auto points = canvas.CallsOf(Kind::Disc);
  ASSERT_EQ(points.size(), 2 * inside);
  for (const auto& point : points) {
    EXPECT_LT(std::hypot(point.x1 - (point.x1 < 100 ? 50 : 150), point.y1 - 50), 50);
  }
  Draw({StarRecord(1, 50, 50, 54, "G 2 V  ", 50)}, View{50, 50, 50, 10, true});
  EXPECT_EQ(canvas.CallsOf(Kind::Disc).at(1).x1, 130.0);
}

// A row of stars from a dim red dwarf to a supergiant, 10 pixels an area unit: discs 2 to 6
// pixels across, never smaller for a brighter star.
TEST_F(ClusterViewTest, StarsAreDiscsOfTwoToSixPixelsGrowingWithLuminosity) {
  std::vector<ClusterRecord> records;
  for (const float sun : {1e-4F, 0.01F, 0.3F, 1.0F, 40.0F, 900.0F, 2e4F, 1e6F}) {
    const auto n = static_cast<std::int32_t>(records.size());
    records.push_back(StarRecord(n + 1, 46 + static_cast<float>(n), 50, 50, "G 2 V  ", sun));
  }
  Draw(records, View{50, 50, 50, 10, false, 0.1});
  std::vector<double> across(8, 99);  // pixels, the least disc (not a glow) of star i at 30 + 5i
  for (const auto& disc : canvas.CallsOf(Kind::Disc)) {
    const auto i = static_cast<std::size_t>(std::lround((disc.x1 - 30) / 5));
    across.at(i) = std::min(across[i], disc.radius * 20);
  }
  EXPECT_EQ(std::ranges::is_sorted_until(across), across.end());
  EXPECT_NEAR(across[0], 2, 1e-9);
  EXPECT_NEAR(across[7], 6, 1e-9);
}

}  // namespace
}  // namespace ax
