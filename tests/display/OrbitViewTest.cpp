#include "display/OrbitView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "display/RecordingCanvas.h"
#include "display/ViewState.h"
#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

constexpr double kPi = 3.14159265358979;  // the view's own value
constexpr Colour kRocky{120, 60, 0};      // class "T"
constexpr Colour kGrey{122, 122, 122};
constexpr Colour kWhite{255, 255, 255};

// One star of a solar mass at the centre of a 0..100 area; every body below goes round in a
// year (8766 hours) with periastron time 0, so at the date 2000 it is at periastron.
class OrbitViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.DisplayMode = 1;
    w.StarCount = 1;
    w.StarMass[1] = 1;
    w.StarType[1] = "G 2 V  ";
  }
  void Body(int s, int o, int b, const std::string& bodyClass, double axis, double e = 0) {
    auto& orbits = w.OrbitCount[static_cast<std::size_t>(s)];
    orbits = std::max<std::int16_t>(orbits, static_cast<std::int16_t>(o));
    auto& moons = w.MoonCount[static_cast<std::size_t>(s)][static_cast<std::size_t>(o)];
    moons = std::max<std::int16_t>(moons, static_cast<std::int16_t>(b));
    w.BodyClass(s, o, b) = bodyClass;
    w.BodySemiMajorAxis(s, o, b) = axis;
    w.BodyEccentricity(s, o, b) = e;
    w.BodyPeriod(s, o, b) = 8766;
    w.BodyRadius(s, o, b) = 1;
  }
  void Select(int s, int o, int b) {
    w.CurrentStar = static_cast<std::int16_t>(s);
    w.CurrentOrbit = static_cast<std::int16_t>(o);
    w.CurrentBody = static_cast<std::int16_t>(b);
  }
  std::vector<Call> LinesIn(Colour colour) const {
    std::vector<Call> found;
    for (const Call& call : canvas.CallsOf(Kind::Line)) {
      if (call.colour == colour) found.push_back(call);
    }
    return found;
  }
  std::vector<Call> Discs() const { return canvas.CallsOf(Kind::Disc); }
  // The centre and radius of each disc drawn, in drawing order.
  std::vector<std::vector<double>> Draw() {
    canvas.Reset();
    orbitView.DrawSystem();
    std::vector<std::vector<double>> discs;
    for (const Call& disc : Discs()) discs.push_back({disc.x1, disc.y1, disc.radius});
    return discs;
  }
  // Centres within the tolerance, radii exactly.
  static void ExpectNear(const std::vector<std::vector<double>>& discs,
                         const std::vector<std::vector<double>>& expected, double within = 1e-9) {
    ASSERT_EQ(discs.size(), expected.size());
    for (std::size_t i = 0; i < discs.size(); ++i) {
      EXPECT_NEAR(discs[i][0], expected[i][0], within) << "disc " << i;
      EXPECT_NEAR(discs[i][1], expected[i][1], within) << "disc " << i;
      if (expected[i].size() > 2) {
        EXPECT_EQ(discs[i][2], expected[i][2]) << "disc " << i;
      }
    }
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  ViewState view;
  RecordingCanvas canvas;
  OrbitView orbitView{w, view, canvas};
};

// Kepler's equation worked by hand for a = 2 AU: the true anomaly and the drawn position.
TEST_F(OrbitViewTest, BodiesSitWhereKeplersEquationPutsThem) {
  struct Row {
    double e, date, fraction, x, y;
  };
  const Row rows[] = {
      // On a circle v = M: 0.3 of the way round, t = 108 degrees, mirrored in x.
      {0, 2000.3, 0.3, 50 + 0.618034, 50 + 1.902113},
      // E = pi/2 needs M = pi/2 - 0.5; then v = 2 atan(sqrt(3)) = 2 pi / 3 and the ellipse point
      // is x = 2 cos v - 1 = -2, y = b sin v = sqrt(3) x sqrt(3)/2 = 1.5.
      {0.5, 2001 + (kPi / 2 - 0.5) / (2 * kPi), 1.0 / 3, 52, 51.5},
      // M = pi exactly: apastron, x = -a - c = -3, without tan(pi/2) leaving it a hair short.
      {0.5, 2001.5, 0.5, 53, 50},
      // Three years on it is back at periastron, a (1 - e) = 1 AU out.
      {0.5, 2003, 0, 49, 50},
  };
  view.ShowOrbits = false;
  Select(1, 1, 0);
  for (const Row& row : rows) {
    Body(1, 1, 0, "T", 2.0, row.e);
    view.StarDate = row.date;
    orbitView.SetupOrbit();
    orbitView.OrbitPosition();
    if (row.fraction == 0.5) {
      EXPECT_EQ(orbitView.OrbitFraction, 0.5);
    } else {
      EXPECT_NEAR(orbitView.OrbitFraction, row.fraction, 1e-9) << row.date;
    }
    ExpectNear(Draw(), {{row.x, row.y, 0.2}, {50, 50, 0.4}}, 1e-6);  // the world, the star
    EXPECT_EQ(Discs()[0].colour, kRocky);
  }
}

// The periastron, 1 AU out along +x before any turn, through each angle and view rotation.
TEST_F(OrbitViewTest, AnglesAndViewRotationsTurnThePeriastron) {
  struct Row {
    double w, i, node;
    float rotX, rotY, rotZ;
    double aspect, x, y;
  };
  const Row rows[] = {
      {0, 0, 0, 0, 0, 0, 1, 49, 50},    // mirrored to the left
      {90, 0, 0, 0, 0, 0, 1, 50, 51},   // turned onto +y
      {90, 0, 0, 0, 0, 0, 2, 50, 52},   // y stretched by the area's width / height
      {90, 90, 0, 0, 0, 0, 1, 50, 50},  // tipped out of the plane
      {90, 0, 0, 90, 0, 0, 1, 50, 50},  // the view tips the same way
      {0, 0, 90, 0, 0, 0, 1, 50, 51},   // the node turns it onto +y
      {0, 0, 0, 0, 0, 90, 1, 50, 51},   // so does the view about z
      {90, 0, 0, 0, 0, 90, 1, 51, 50},  // onto +y, then on to -x: mirrored to the right
      {0, 0, 0, 0, 90, 0, 1, 50, 50},   // the view about y turns it edge on
      {0, 0, 0, 0, 180, 0, 1, 51, 50},  // and half round undoes the mirror
  };
  Body(1, 1, 0, "T", 2.0, 0.5);
  view.ShowOrbits = false;
  for (const Row& row : rows) {
    w.BodyPeriastronArgument(1, 1, 0) = row.w;
    w.BodyInclination(1, 1, 0) = row.i;
    w.BodyAscendingNode(1, 1, 0) = row.node;
    view.ViewRotX = row.rotX;
    view.ViewRotY = row.rotY;
    view.ViewRotZ = row.rotZ;
    view.ViewAspect = row.aspect;
    ExpectNear(Draw(), {{row.x, row.y}, {50, 50}});
  }
}

TEST_F(OrbitViewTest, SegmentsBeyond2000UnitsAreSkippedAtZoom256) {
  Body(1, 1, 0, "T", 8.0);
  view.ShowPlanets = false;
  Draw();
  EXPECT_EQ(LinesIn(kRocky).size(), 72u);
  // Radius 8 x 256 = 2048: X = 50 - 2048 cos t reaches 2000 where cos t < -0.952 (k = 33..39)
  // and Y = 50 + 2048 sin t where sin t > 0.952 (k = 15..21); neither reaches -2000.
  view.ViewZoom = 256;
  Draw();
  const std::vector<Call> lines = LinesIn(kRocky);
  EXPECT_EQ(lines.size(), 72u - 14u);
  for (const Call& line : lines) {
    EXPECT_LT(std::abs(line.x2), 2000.0);
    EXPECT_LT(std::abs(line.y2), 2000.0);
  }
}

TEST_F(OrbitViewTest, ViewMenuFlagsChooseWhatIsDrawn) {
  Body(1, 1, 0, "T", 5.0);
  Body(1, 1, 1, "Z", 23455.295);  // 23455.295 world radii of a world of radius 1 are 1 AU
  Body(1, 2, 0, "J", 10.0);
  struct Row {
    bool orbits, planets, moonOrbits, moonPositions;
    std::size_t orbitLines, discs;  // of the world and its moon; discs include the star's
  };
  const Row rows[] = {
      {true, true, true, true, 144, 3},    // everything
      {false, true, true, true, 72, 3},    // the moon's orbit alone
      {true, false, true, true, 72, 1},    // no planets: no moons either
      {true, true, false, true, 72, 3},    // no moon orbits
      {true, true, true, false, 144, 2},   // no moon positions
      {true, true, false, false, 72, 2},   // no moons at all
      {false, false, false, false, 0, 1},  // the star alone
  };
  for (const Row& row : rows) {
    view.ShowOrbits = row.orbits;
    view.ShowPlanets = row.planets;
    view.ShowMoonOrbits = row.moonOrbits;
    view.ShowMoonPositions = row.moonPositions;
    Draw();
    EXPECT_EQ(LinesIn(kRocky).size() + LinesIn(kGrey).size(), row.orbitLines);
    EXPECT_EQ(Discs().size(), row.discs + (row.planets ? 1 : 0));  // and the jovian's
  }
  // The world mirrored to the left, its moon 1 AU beyond it, the jovian, the star.
  view.ShowPlanets = true;
  view.ShowMoonPositions = true;
  ExpectNear(Draw(), {{45, 50, 0.2}, {44, 50, 0.1}, {40, 50, 0.3}, {50, 50, 0.4}});
  EXPECT_EQ(Discs()[1].colour, kGrey);  // a "Z" moon of a "T" world

  view.DisplayMode = 2;  // not a graphical mode: nothing at all
  Draw();
  EXPECT_EQ(canvas.Calls().size(), 0u);
}

TEST_F(OrbitViewTest, BeltMembersTakeTheWorldsPlaceAndNoMoonsAreDrawn) {
  Body(1, 1, 0, "I", 3.5);
  Body(1, 1, 1, "Z", 3.0);
  Body(1, 1, 2, "T", 4.0);
  // Two members and the star, not the belt's own world.
  ExpectNear(Draw(), {{47, 50, 0.1}, {46, 50, 0.1}, {50, 50, 0.4}});
  EXPECT_EQ(Discs()[0].colour, kWhite);  // a "Z" body of an "I" belt
  EXPECT_EQ(Discs()[1].colour, kRocky);
  EXPECT_EQ(LinesIn(kWhite).size() + LinesIn(kRocky).size(), 144u);  // two orbits in AU

  view.DisplayMode = 3;  // the world view of a belt shows its world alone
  Select(1, 1, 0);
  EXPECT_EQ(Draw().size(), 1u);
  EXPECT_EQ(canvas.CallsOf(Kind::Line).size(), 3u);  // the scale bar only
}

TEST_F(OrbitViewTest, PairStarsCircleTheirCentre) {
  w.StarCount = 2;
  w.StarMass = {2, 1, 1};
  w.StarType = {"G 2 V  ", "G 2 V  ", "K 5 V  "};
  w.StarOffset = {0, 1, 3};
  w.StarPeriod = 1;
  w.BodyPeriastronTime(2, 0, 0) = 0.25;  // saved in files; the view uses 0.5 for star 2
  Body(0, 1, 0, "J", 10.0);              // round both stars
  Body(2, 1, 0, "T", 0.5);               // round the companion
  view.ShowOrbits = false;
  // Star 1 (periastron time 0) is at periastron, 1 AU out and mirrored to x = 49; star 2,
  // half a period on, at apastron 3 AU out on the other side, its world 0.5 AU from it.
  ExpectNear(Draw(), {{40, 50}, {49, 50}, {52.5, 50}, {53, 50}});
  EXPECT_EQ(Discs()[3].colour, (Colour{255, 150, 0}));  // K5: 200 - 10 x 5
  // The pair's centre: a cross from y - 3 to y + 3 and x - 2 to x + 2.
  const std::vector<Call> cross = LinesIn(PaletteColour(8));
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(std::make_pair(cross[0].y1, cross[0].y2), std::make_pair(47.0, 53.0));
  EXPECT_EQ(std::make_pair(cross[1].x1, cross[1].x2), std::make_pair(48.0, 52.0));
}

TEST_F(OrbitViewTest, StarDiscsFollowMassLuminosityClassAndZoom) {
  struct Row {
    const char* type;
    double mass;
    float zoom;
    double radius;
  };
  const Row rows[] = {
      {"G 2 V  ", 1, 1, 0.4},      // 0.005: the smallest disc
      {"G 2 V  ", 100, 256, 128},  // 0.5 x 256
      {"G 2 D  ", 100, 256, 0.4},  // 0.0005 x 256 = 0.128
      {"G 2 N  ", 100, 256, 0.4}, {"G 2 B  ", 100, 256, 0.4},
      {"G 0 IV ", 1, 100, 1.1},  // 0.005 sqrt 2 / 0.64 x 100 = 1.105
      {"K 2 III", 1, 100, 4.3},  // 0.005 sqrt 10 / 0.36 x 100 = 4.392
      {"B 5 II ", 1.3, 2, 0.5},  // 0.0065 x 10 / 0.25 x 2 = 0.52
      {"M 0 I  ", 1, 1, 1.7},    // 0.005 sqrt 1000 / 0.09 = 1.757
  };
  for (const Row& row : rows) {
    w.StarType[1] = row.type;
    w.StarMass[1] = row.mass;
    view.ViewZoom = row.zoom;
    ExpectNear(Draw(), {{50, 50, row.radius}});
  }
}

// The world view of a world of radius 1: 10,000 km per drawing unit at zoom 1, so its disc is
// 1 / 1.56789 = 0.6378 and a moon 2 x 1.56789 world radii out circles at 2 units.
TEST_F(OrbitViewTest, WorldViewHidesTheMoonOrbitBehindTheWorld) {
  view.DisplayMode = 3;
  view.ViewRotX = 90;  // edge on: depth = 2 sin t, X = 50 - 2 cos t
  Body(1, 1, 0, "T", 1.0);
  Body(1, 1, 1, "M", 2 * 1.56789);
  w.BodyPeriastronTime(1, 1, 1) = 0.25;  // a quarter round: in front (depth +2)
  Body(1, 1, 2, "K", 2 * 1.56789);
  w.BodyPeriastronTime(1, 1, 2) = 0.75;  // three quarters: behind (depth -2)
  w.BodyRadius(1, 1, 1) = 0.1f;
  Select(1, 1, 0);
  // Farthest first: the moon behind, the world, the moon in front (0.1 / 1.56789 is below the
  // smallest disc).
  ExpectNear(Draw(), {{50, 50, 1 / 1.56789}, {50, 50, 1 / 1.56789}, {50, 50, 0.2}});
  const std::vector<Call> discs = Discs();
  EXPECT_EQ(discs[0].colour, (Colour{0, 255, 0}));
  EXPECT_EQ(discs[1].colour, kRocky);
  EXPECT_EQ(discs[2].colour, (Colour{200, 0, 0}));
  for (const Call& disc : discs) EXPECT_EQ(disc.mode, DrawMode::CopyPen);
  // Behind (sin t < 0) and within 1.15 x 0.6378 = 0.733 (|2 cos t| < 0.733): k = 50..58.
  const std::vector<Call> lines = LinesIn(Colour{200, 0, 0});
  ASSERT_EQ(lines.size(), 72u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool hidden = i + 1 >= 50 && i + 1 <= 58;
    EXPECT_EQ(lines[i].mode, hidden ? DrawMode::NoOp : DrawMode::CopyPen) << i;
  }
  EXPECT_EQ(w.CurrentBody, 0);

  view.ShowMoonPositions = false;
  EXPECT_EQ(Draw().size(), 1u);
}

TEST_F(OrbitViewTest, RingIsTwoCirclesRoundTheWorld) {
  view.DisplayMode = 3;
  Body(1, 1, 0, "J", 1.0);
  w.BodyRingSize(1, 1, 0) = 5;  // E = 0.65 x 25 / 100 = 0.1625 world radii
  Select(1, 1, 0);
  Draw();
  const std::vector<Call> ring = LinesIn(Colour{120, 120, 120});
  ASSERT_EQ(ring.size(), 144u);
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const double reach = (i < 72 ? 1.7 - 0.1625 : 1.7 + 0.1625) / 1.56789;
    EXPECT_NEAR(std::hypot(ring[i].x2 - 50, ring[i].y2 - 50), reach, 1e-9);
    EXPECT_EQ(ring[i].mode, DrawMode::CopyPen);  // face on: nothing behind the world
  }
}

// Surveyed random systems, singles and pairs, from every side: every coordinate drawn is a
// number, and the world's bytes and selection are as they were.
TEST_F(OrbitViewTest, RealSystemsDrawFiniteAndLeaveTheWorldAlone) {
  int pairs = 0;
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    Random random(seed);
    ClearSystem(w);
    GenerateStars(w, random);
    Survey(w, random).SurveySystem();
    pairs += w.StarCount == 2 ? 1 : 0;
    int star = 0;  // the world view looks at the outermost world of the system
    int orbit = 0;
    for (int s = 0; s <= 2; ++s) {
      for (int o = 1; o <= w.OrbitCount[static_cast<std::size_t>(s)]; ++o) {
        if (!w.BodyClass(s, o, 0).empty()) std::tie(star, orbit) = std::pair(s, o);
      }
    }
    ASSERT_GT(orbit, 0) << "seed " << seed;
    Select(star, orbit, 0);
    const std::string before = EncodeSystem(w);
    for (const std::int16_t mode : {std::int16_t{1}, std::int16_t{3}}) {
      for (const float zoom : {0.001f, 1.0f, 256.0f}) {
        view = ViewState{.DisplayMode = mode,
                         .ViewZoom = zoom,
                         .ViewRotX = 30,
                         .ViewRotY = 200,
                         .ViewRotZ = 75,
                         .StarDate = 2000 + static_cast<double>(seed) * 7.3};
        EXPECT_FALSE(Draw().empty()) << "seed " << seed;
        for (const Call& call : canvas.Calls()) {
          ASSERT_TRUE(std::isfinite(call.x1) && std::isfinite(call.y1) && std::isfinite(call.x2) &&
                      std::isfinite(call.y2) && std::isfinite(call.radius))
              << "seed " << seed;
        }
      }
    }
    EXPECT_EQ(EncodeSystem(w), before) << "seed " << seed;
    EXPECT_EQ(std::tie(w.CurrentStar, w.CurrentOrbit, w.CurrentBody),
              std::make_tuple(std::int16_t(star), std::int16_t(orbit), std::int16_t{0}));
  }
  EXPECT_GT(pairs, 0);  // the seeds include a pair
}

}  // namespace
}  // namespace ax
