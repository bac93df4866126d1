#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cluster/ClusterView.h"
#include "cluster/TempFolder.h"
#include "display/Canvas.h"
#include "display/RecordingCanvas.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using Kind = RecordingCanvas::Kind;
using Call = RecordingCanvas::Call;

// Star colours worked by hand from the letter and digit: "G" 255, 255 - 5d, 0; "M" 255,
// 100 - 10d, 0; "B" 10d, 255, 255.
const Colour kG2{255, 245, 0};
const Colour kM5{255, 50, 0};
const Colour kB3{30, 255, 255};

ClusterRecord Star(std::int32_t number, float x, float y, float z,
                   const std::string& type = "M 5 V  ", float luminosity = 0.01f,
                   std::int16_t kept = 0) {
  ClusterRecord record;
  record.RecordNumber = number;
  record.SystemKept = kept;
  record.SystemName = "Sec05:" + std::to_string(number);
  record.StarCount = 1;
  record.X = x;
  record.Y = y;
  record.Z = z;
  record.Stars[0].Type = type;
  record.Stars[0].Luminosity = luminosity;
  record.Stars[0].Mass = 0.5;
  record.Stars[1].Type = "       ";
  return record;
}

using View = ClusterViewState;  // centre X, Y, Z, range, second view

void ExpectAt(const Call& call, double x, double y) {
  EXPECT_DOUBLE_EQ(call.x1, x);
  EXPECT_DOUBLE_EQ(call.y1, y);
}

bool AllFinite(const RecordingCanvas& canvas) {
  for (const Call& call : canvas.Calls()) {
    for (const double value : {call.x1, call.y1, call.x2, call.y2, call.radius}) {
      if (!std::isfinite(value)) return false;
    }
  }
  return true;
}

class ClusterViewFileTest : public ::testing::Test {
 protected:
  fs::path Write(const std::vector<ClusterRecord>& records) {
    const fs::path file = dir_ / "C01.AXL";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const ClusterRecord& record : records) {
      const ClusterSlot slot = EncodeClusterRecord(record);
      out.write(reinterpret_cast<const char*>(slot.data()),
                static_cast<std::streamsize>(slot.size()));
    }
    return file;
  }

  std::vector<DrawnStar> Draw(const std::vector<ClusterRecord>& records,
                              const ClusterViewState& view, ClusterScan* scan = nullptr) {
    canvas_.Reset();
    ClusterFileReader reader(Write(records));
    return DrawCluster(canvas_, view, reader, scan);
  }

  test::TempFolder dir_;
  RecordingCanvas canvas_;
};

TEST_F(ClusterViewFileTest, AViewWithoutAPositiveFiniteRangeDrawsNoStarAndReadsNothing) {
  const std::vector<ClusterRecord> records = {Star(1, 50, 50, 50), Star(2, 51, 50, 50)};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const ClusterViewState& view :
       {View{50, 50, 50, 0}, View{50, 50, 50, -5}, View{50, 50, 50, nan, true},
        View{50, 50, 50, inf, true}, View{nan, 50, 50, 10}, View{50, 50, inf, 10, true}}) {
    ClusterScan scan;
    scan.Records = -1;
    const auto drawn = Draw(records, view, &scan);
    EXPECT_TRUE(drawn.empty());
    EXPECT_EQ(scan.Records, 0);
    EXPECT_TRUE(canvas_.CallsOf(Kind::Point).empty());
    EXPECT_TRUE(AllFinite(canvas_));
  }
  // A range of 10^12 would ask for a scale tick per cell over half of it: they are thinned.
  Draw(records, View{50, 50, 50, 1e12});
  EXPECT_LE(canvas_.CallsOf(Kind::Line).size(), 2002u);
  EXPECT_TRUE(AllFinite(canvas_));
}

TEST_F(ClusterViewFileTest, OnlyStarsStrictlyInsideTheRangeAreDrawn) {
  // 3-4-5 and 2-3-6-7 triangles in whole cells: the distances are exact in float.
  const auto drawn = Draw({Star(1, 13, 14, 10), Star(2, 12, 13, 16), Star(3, 13, 13.9f, 10),
                           Star(4, 10, 10, 10), Star(5, 10, 10, 3)},
                          View{10, 10, 10, 5});
  ASSERT_EQ(drawn.size(), std::size_t{2});  // distances 5, 7, 4.92, 0 and 7
  EXPECT_EQ(drawn[0].Record, 3);
  EXPECT_EQ(drawn[1].Record, 4);
  EXPECT_EQ(canvas_.CallsOf(Kind::Point).size(), std::size_t{2});
}

TEST_F(ClusterViewFileTest, ADamagedRecordEndsThePassWithTheStarsBeforeItDrawn) {
  ClusterRecord damaged = Star(3, 50, 51, 50);
  damaged.RecordNumber = 9;  // not its place
  ClusterScan scan;
  const auto drawn = Draw({Star(1, 50, 50, 50), Star(2, 51, 50, 50), damaged, Star(4, 50, 50, 51)},
                          View{50, 50, 50, 10}, &scan);
  ASSERT_EQ(drawn.size(), std::size_t{2});
  EXPECT_EQ(drawn[1].Record, 2);
  EXPECT_EQ(scan.Records, 2);
  EXPECT_FALSE(scan.Problem.empty());
  EXPECT_EQ(canvas_.CallsOf(Kind::Point).size(), std::size_t{2});
}

TEST_F(ClusterViewFileTest, StarsArePointsOrDiscsByLuminosityInTheirColour) {
  // Centre (50, 50, 50), range 10: 5 area units per cell.
  const auto drawn =
      Draw({Star(1, 52, 46, 50, "M 5 V  ", 5), Star(2, 49, 51, 50, "G 2 V  ", 10),
            Star(3, 50, 53, 51, "G 2 V  ", 99.5f), Star(4, 51, 51, 51, "B 3 III", 100),
            Star(5, 47, 48, 49, "M 5 V  ", 9.99f, 1), Star(6, 50, 50, 52, "G 2 V  ", 0.5f)},
           View{50, 50, 50, 10});
  ASSERT_EQ(drawn.size(), std::size_t{6});

  // L 10 is no longer a point, L 100 a larger disc; each in its type's colour.
  const auto discs = canvas_.CallsOf(Kind::Disc);
  ASSERT_EQ(discs.size(), std::size_t{3});
  EXPECT_EQ(std::make_pair(discs[0].radius, discs[0].colour), std::make_pair(0.2, kG2));
  EXPECT_EQ(std::make_pair(discs[1].radius, discs[1].colour), std::make_pair(0.2, kG2));
  EXPECT_EQ(std::make_pair(discs[2].radius, discs[2].colour), std::make_pair(0.3, kB3));
  // The kept star's mark, between the range circle and the centre mark.
  ExpectAt(canvas_.CallsOf(Kind::Circle).at(1), 35, 40);
  EXPECT_EQ(canvas_.CallsOf(Kind::Circle).at(1).colour, kM5);
  // Points come after the pass, gathered by colour in the order the colours first appear.
  const auto points = canvas_.CallsOf(Kind::Point);
  ASSERT_EQ(points.size(), std::size_t{3});
  EXPECT_EQ(points[0].colour, kM5);
  EXPECT_EQ(points[1].colour, kM5);
  ExpectAt(points[2], 50, 50);
  EXPECT_EQ(points[2].colour, kG2);

  // Kept marks during the pass, then every point, then every disc, then the centre mark.
  std::string order;
  for (const Call& call : canvas_.Calls()) {
    if (call.kind == Kind::Circle) order += 'c';
    if (call.kind == Kind::Point) order += 'p';
    if (call.kind == Kind::Disc) order += 'd';
  }
  EXPECT_EQ(order, "ccpppdddc");
}

TEST_F(ClusterViewFileTest, TheSecondViewLooksAlongXWithZMirrored) {
  const auto drawn =
      Draw({Star(1, 52, 46, 47, "M 5 V  ", 5, 1), Star(2, 50, 50, 54, "G 2 V  ", 50)},
           View{50, 50, 50, 10, true});
  ASSERT_EQ(drawn.size(), std::size_t{2});
  // x = 150 - (Z - 50) * 50 / 10
  const auto points = canvas_.CallsOf(Kind::Point);
  ASSERT_EQ(points.size(), std::size_t{2});
  ExpectAt(points[0], 60, 30);
  ExpectAt(points[1], 165, 30);
  const auto discs = canvas_.CallsOf(Kind::Disc);
  ASSERT_EQ(discs.size(), std::size_t{2});
  ExpectAt(discs[0], 50, 50);
  ExpectAt(discs[1], 130, 50);
  const auto circles = canvas_.CallsOf(Kind::Circle);
  ASSERT_EQ(circles.size(), std::size_t{6});  // 2 range circles, 2 kept marks, 2 centre marks
  ExpectAt(circles[2], 60, 30);
  ExpectAt(circles[3], 165, 30);
}

TEST_F(ClusterViewFileTest, RandomClusterDrawsExactlyTheStarsInsideTheSphereInsideTheCircle) {
  Random random(17);
  std::vector<ClusterRecord> records;
  for (std::int32_t n = 1; n <= 400; ++n) {
    const float x = 40 * random.Uniform();
    const float y = 40 * random.Uniform();
    const float z = 40 * random.Uniform();
    records.push_back(Star(n, x, y, z));
  }
  const ClusterViewState view = View{20, 18, 22, 12.5, true};
  ClusterScan scan;
  const auto drawn = Draw(records, view, &scan);
  EXPECT_EQ(scan.Records, 400);
  EXPECT_TRUE(scan.Problem.empty());
  std::size_t inside = 0;
  for (const ClusterRecord& record : records) {
    const double dx = record.X - 20.0;
    const double dy = record.Y - 18.0;
    const double dz = record.Z - 22.0;
    if (dx * dx + dy * dy + dz * dz < 12.5 * 12.5) ++inside;
  }
  EXPECT_EQ(drawn.size(), inside);
  const auto points = canvas_.CallsOf(Kind::Point);
  ASSERT_EQ(points.size(), 2 * inside);
  for (const Call& point : points) {
    const double centreX = point.x1 < 100 ? 50 : 150;
    EXPECT_LT(std::hypot(point.x1 - centreX, point.y1 - 50), 50);
  }
}

TEST(ClusterView, NearestStarByXAndYOnTheLeftAndByZAndYOnTheRight) {
  // Centre (50, 50, 50), range 10: an area unit is 0.2 cells.
  const std::vector<DrawnStar> drawn = {{7, 52, 46, 40}, {9, 40, 46, 47}, {11, 60, 60, 60}};
  ClusterViewState view = View{50, 50, 50, 10, true};
  // Left view at (60, 30): X = 52, Y = 46, star 7.
  EXPECT_EQ(NearestDrawnStar(drawn, view, 60, 30), std::optional<std::size_t>{0});
  // Right view at (165, 30): Z = (150 - 165) * 10 / 50 + 50 = 47, Y = 46, star 9.
  EXPECT_EQ(NearestDrawnStar(drawn, view, 165, 30), std::optional<std::size_t>{1});
  // x = 100 already belongs to the right view: Z = 60, Y = 46, star 9 at 13 cells (by X 60
  // it would be star 7).
  EXPECT_EQ(NearestDrawnStar(drawn, view, 100, 30), std::optional<std::size_t>{1});

  // With one view, a click beyond x 100 still maps by X: at (165, 30) X = 73, Y = 46, which
  // is 21 cells from star 7, 33 from star 9 and 19.1 from star 11.
  view.SecondView = false;
  EXPECT_EQ(NearestDrawnStar(drawn, view, 165, 30), std::optional<std::size_t>{2});
  EXPECT_EQ(NearestDrawnStar(drawn, view, 60, 30), std::optional<std::size_t>{0});

  // Equal distances keep the first drawn.
  const std::vector<DrawnStar> twins = {{3, 51, 50, 50}, {4, 49, 50, 50}, {5, 51, 50, 50}};
  EXPECT_EQ(NearestDrawnStar(twins, view, 50, 50), std::optional<std::size_t>{0});
  EXPECT_EQ(NearestDrawnStar(twins, view, 52, 50), std::optional<std::size_t>{0});

  EXPECT_EQ(NearestDrawnStar({}, view, 50, 50), std::nullopt);
  EXPECT_EQ(NearestDrawnStar(drawn, view, std::numeric_limits<double>::quiet_NaN(), 50),
            std::nullopt);
}

TEST(ClusterView, PositionAndSummaryTexts) {
  EXPECT_EQ(StarPositionText({1, 5.2f, 12, 49.93f}), "X:05.20 Y:12.00 Z:49.93");
  EXPECT_EQ(StarPositionText({1, 0.004f, 100.5f, 7.126f}), "X:00.00 Y:100.50 Z:07.13");

  const ClusterViewState view = View{50, 50, 50, 20};
  ClusterRecord single = Star(1, 53, 54, 62, "G 2 V  ");
  single.SystemName = "Sec05:050709";
  // 13 cells: 3-4-12.
  EXPECT_EQ(SelectedStarSummary(single, view),
            "Sec05:050709" + std::string(14, ' ') + "G 2 V  " + " " + "       " + " Range:13.00");

  ClusterRecord pair = Star(2, 50.019f, 50, 50, "K 1 V  ");
  pair.SystemName = "A name longer than twenty-six characters";
  pair.StarCount = 2;
  pair.Stars[1].Type = "M 4 V  ";
  pair.Separation = 0.5f;
  // 0.019 cells would round to 0.02; below 0.02 reads 0.00.
  const std::string head = "A name longer than twenty-K 1 V   M 4 V  ";
  EXPECT_EQ(SelectedStarSummary(pair, view), head + "  Sep:0.50AU  " + " Range:0.00");
  pair.X = 50.03f;
  pair.Separation = 123.456f;
  EXPECT_EQ(SelectedStarSummary(pair, view), head + "  Sep:123.46AU  " + " Range:0.03");
}

TEST(ClusterView, ViewCentreTexts) {
  const auto shown = [](const ClusterViewTexts& texts) {
    return std::vector<std::string>{texts.X, texts.Y, texts.Z, texts.Range};
  };
  const std::vector<std::string> unset = {"50.00", "50.00", "50.00", "50"};
  ClusterViewState view = View{0, 0, 0, 0};  // a range never set: the middle of the cluster
  EXPECT_EQ(shown(ShowViewCentre(view)), unset);
  EXPECT_DOUBLE_EQ(view.X, 50);
  EXPECT_DOUBLE_EQ(view.Range, 50);
  view = View{std::numeric_limits<double>::quiet_NaN(), 3, 4, 7};
  EXPECT_EQ(shown(ShowViewCentre(view)), unset);

  view = View{5.2, 12, 149.937, 12.6};
  EXPECT_EQ(shown(ShowViewCentre(view)),
            (std::vector<std::string>{"05.20", "12.00", "149.94", "13"}));
  EXPECT_DOUBLE_EQ(view.Range, 12.6);  // the texts round, the view keeps its value

  auto world = std::make_unique<World>();
  world->SystemX = 12.5f;
  world->SystemY = std::int16_t{7};
  world->SystemZ = 3.25f;
  view = View{50, 50, 50, 20};
  EXPECT_EQ(shown(CentreViewOnStar(view, *world)),
            (std::vector<std::string>{"12.50", "07.00", "03.25", "20"}));
}

}  // namespace
}  // namespace ax
