#include "display/OrbitView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/RecordingCanvas.h"
#include "display/ViewState.h"
#include "model/World.h"

namespace ax {
namespace {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;
constexpr double kPi = 3.14159265358979;  // the view's own value

// One star of a solar mass at the centre of a 0..100 area; every body below goes round in a
// year (8766 hours) with periastron time 0, so at the date 2000 it is at periastron.
class OrbitViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.DisplayMode = 1;
    view.ShowOrbits = false;
    w.StarCount = 1;
    w.StarMass[1] = 1;
    w.StarType[1] = "G 2 V  ";
  }
  void Body(int s, int o, int b, const std::string& bodyClass, double axis, double e = 0) {
    const auto slot = static_cast<std::size_t>(s);
    w.OrbitCount[slot] = std::max(w.OrbitCount[slot], static_cast<std::int16_t>(o));
    w.MoonCount[slot][static_cast<std::size_t>(o)] = static_cast<std::int16_t>(b);
    w.BodyClass(s, o, b) = bodyClass;
    w.BodySemiMajorAxis(s, o, b) = axis;
    w.BodyEccentricity(s, o, b) = e;
    w.BodyPeriod(s, o, b) = 8766;
    w.BodyRadius(s, o, b) = 1;
  }
  // Draws, and checks each disc's centre within the tolerance and, when given, its radius.
  void ExpectDiscs(const std::vector<std::vector<double>>& expected, double within = 1e-9) {
    canvas.Reset();
    orbitView.DrawSystem();
    const std::vector<Call> discs = canvas.CallsOf(Kind::Disc);
    ASSERT_EQ(discs.size(), expected.size());
    for (std::size_t i = 0; i < discs.size(); ++i) {
      EXPECT_NEAR(discs[i].x1, expected[i][0], within) << "disc " << i;
      EXPECT_NEAR(discs[i].y1, expected[i][1], within) << "disc " << i;
      if (expected[i].size() > 2) {
        EXPECT_EQ(discs[i].radius, expected[i][2]) << "disc " << i;
      }
    }
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  ViewState view;
  RecordingCanvas canvas;
  OrbitView orbitView{w, view, canvas};
};

// Kepler's equation worked by hand for a = 2 AU: the fraction of the way round and the drawn
// position of the world (the star's disc follows it).
TEST_F(OrbitViewTest, BodiesSitWhereKeplersEquationPutsThem) {
  const struct {
    double e, date, fraction, x, y;
  } rows[] = {
      {0, 2000.3, 0.3, 50 + 0.618034, 50 + 1.902113},  // a circle: v = M = 108 degrees
      // E = pi/2 needs M = pi/2 - 0.5; then v = 2 atan(sqrt(3)) = 2 pi / 3 and the ellipse point
      // is x = 2 cos v - 1 = -2, y = b sin v = sqrt(3) x sqrt(3)/2 = 1.5.
      {0.5, 2001 + (kPi / 2 - 0.5) / (2 * kPi), 1.0 / 3, 52, 51.5},
      // M = pi exactly: apastron, x = -a - c = -3.
      {0.5, 2001.5, 0.5, 53, 50},
      // Three years on it is back at periastron, a (1 - e) = 1 AU out.
      {0.5, 2003, 0, 49, 50},
  };
  w.CurrentStar = w.CurrentOrbit = 1;
  for (const auto& row : rows) {
    Body(1, 1, 0, "T", 2.0, row.e);
    view.StarDate = row.date;
    orbitView.SetupOrbit();
    orbitView.OrbitPosition();
    EXPECT_NEAR(orbitView.OrbitFraction, row.fraction, 1e-9) << row.date;
    ExpectDiscs({{row.x, row.y, 0.2}, {50, 50, 0.4}}, 1e-6);
  }
}

// The periastron, 1 AU out along +x and mirrored to the left, turned by each angle and view
// rotation: onto +y and stretched by the area's width / height, tipped out of the plane, and
// onto +y then on by the view to -x, mirrored to the right.
TEST_F(OrbitViewTest, AnglesAndViewRotationsTurnThePeriastron) {
  const struct {
    double w, i, node, rotX, rotZ, aspect, x, y;
  } rows[] = {{0, 0, 0, 0, 0, 1, 49, 50},   {90, 0, 0, 0, 0, 2, 50, 52},
              {90, 90, 0, 0, 0, 1, 50, 50}, {0, 0, 90, 0, 0, 1, 50, 51},
              {90, 0, 0, 90, 0, 1, 50, 50}, {90, 0, 0, 0, 90, 1, 51, 50}};
  Body(1, 1, 0, "T", 2.0, 0.5);
  for (const auto& row : rows) {
    w.BodyPeriastronArgument(1, 1, 0) = row.w;
    w.BodyInclination(1, 1, 0) = row.i;
    w.BodyAscendingNode(1, 1, 0) = row.node;
    view.ViewRotX = static_cast<float>(row.rotX);
    view.ViewRotZ = static_cast<float>(row.rotZ);
    view.ViewAspect = row.aspect;
    ExpectDiscs({{row.x, row.y}, {50, 50}});
  }
}

// The world view of a world of radius 1: 10,000 km per drawing unit, so its disc is
// 1 / 1.56789 and a moon 2 x 1.56789 world radii out circles at 2 units. Edge on, the moon's
// orbit is hidden where it passes behind the world: sin t < 0 and |2 cos t| < 1.15 x 0.6378.
TEST_F(OrbitViewTest, WorldViewHidesTheMoonOrbitBehindTheWorld) {
  view.DisplayMode = 3;
  view.ViewRotX = 90;
  Body(1, 1, 0, "T", 1.0);
  Body(1, 1, 1, "M", 2 * 1.56789);
  w.BodyPeriastronTime(1, 1, 1) = 0.25;  // a quarter round: in front
  Body(1, 1, 2, "K", 2 * 1.56789);
  w.BodyPeriastronTime(1, 1, 2) = 0.75;  // three quarters: behind
  w.BodyRadius(1, 1, 1) = 0.1f;          // below the smallest disc
  w.CurrentStar = w.CurrentOrbit = 1;
  view.ShowOrbits = true;
  // Farthest first: the moon behind, the world, the moon in front.
  ExpectDiscs({{50, 50, 1 / 1.56789}, {50, 50, 1 / 1.56789}, {50, 50, 0.2}});
  EXPECT_EQ(canvas.CallsOf(Kind::Disc)[0].colour, (Colour{0, 255, 0}));
  // Behind and within 1.15 x 0.6378 = 0.733 (|2 cos t| < 0.733): steps k = 50..58 of 72.
  int step = 0;
  for (const Call& line : canvas.CallsOf(Kind::Line)) {
    if (line.colour != Colour{200, 0, 0}) continue;
    ++step;
    EXPECT_EQ(line.mode, step >= 50 && step <= 58 ? DrawMode::NoOp : DrawMode::CopyPen) << step;
  }
  EXPECT_EQ(step, 72);
}

}  // namespace
}  // namespace ax
