#include "display/OrbitView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "display/BodySymbols.h"
#include "display/ScaleBar.h"
#include "model/Numbers.h"

namespace ax {
namespace {

constexpr double kPi = 3.14159265358979;  // the value the view's angles are worked with
constexpr double kRadiansPerDegree = kPi / 180;
constexpr int kOrbitPoints = 72;               // segments round one ellipse
constexpr double kKeplerTolerance = 0.0001;    // radians
constexpr double kApastronTolerance = 0.0001;  // radians: tan(E / 2) is unbounded at E = pi
constexpr int kMaxKeplerPasses = 100;          // Newton converges in a few; a bound all the same
// An eccentricity of 1 or more is no ellipse: b and the true anomaly would be undefined.
constexpr double kMaxEccentricity = 0.9999;

constexpr std::int16_t kSystemView = 1;
constexpr std::int16_t kWorldView = 3;
constexpr double kScreenCentre = 50;  // drawing units, the middle of the 0..100 area
constexpr double kFarPoint = 2000;    // drawing units: orbit points beyond are not drawn
constexpr double kFarCentre = 10000;  // drawing units: a star this far draws no orbits
constexpr double kFarStar = 1000;     // drawing units: a star this far is not drawn

constexpr double kEarthRadiiPerAu = 23455.295;     // 149.6 million km / 6378 km
constexpr double kEarthRadiiPer10000Km = 1.56789;  // 10,000 km / 6378 km
constexpr double kHiddenReach = 1.15;  // world radii within which a point behind it is hidden
constexpr double kRingCentre = 1.7;    // world radii
constexpr Colour kRingColour{120, 120, 120};

constexpr double kSmallestWorldDisc = 0.2;  // drawing units, world view
constexpr double kGiantWorldDisc = 0.3;     // drawing units, system view: a "J" world
constexpr double kWorldDisc = 0.2;
constexpr double kMinorDisc = 0.1;  // moons, belt bodies and belt worlds

constexpr double kSmallestStarDisc = 0.4;  // drawing units

// The selected body's ring: white reads on the black sky and against every body's colour.
constexpr Colour kSelectionColour{255, 255, 255};
constexpr double kSelectionGap = 3;  // pixels between the disc's edge and the ring

double Eccentricity(double e) {
  return e > 0 ? std::min(e, kMaxEccentricity) : 0;
}

// A body's disc in the world view: its true size at the zoom, never too small to see.
double WorldViewDisc(double radius, double zoom) {
  return std::max(radius * zoom / kEarthRadiiPer10000Km, kSmallestWorldDisc);
}

// The counts as table indices, whatever a file may have held.
int OrbitsOf(const World& world, int star) {
  return std::clamp<int>(world.OrbitCount[static_cast<std::size_t>(star)], 0, kOrbitSlots - 1);
}

int MoonsOf(const World& world, int star, int orbit) {
  const auto count =
      world.MoonCount[static_cast<std::size_t>(star)][static_cast<std::size_t>(orbit)];
  return std::clamp<int>(count, 0, kBodySlots - 1);
}

// Both coordinates within -reach..reach; a NaN is never within.
bool Within(double x, double y, double reach) {
  return std::abs(x) <= reach && std::abs(y) <= reach;
}

// Both coordinates strictly inside -limit..limit.
bool Below(double x, double y, double limit) {
  return std::abs(x) < limit && std::abs(y) < limit;
}

}  // namespace

OrbitView::OrbitView(World& world, const ViewState& view, Canvas& canvas)
    : world_(world), view_(view), canvas_(canvas) {}

void OrbitView::DrawSystem() {
  if (view_.DisplayMode != kSystemView && view_.DisplayMode != kWorldView) {
    return;
  }
  canvas_.SetScale(0, 0, 100, 100);
  canvas_.Clear(PaletteColour(0));
  DrawBodies();
  DrawScaleBar(canvas_, view_);
}

void OrbitView::DrawBodies() {
  if (view_.DisplayMode != kSystemView && view_.DisplayMode != kWorldView) {
    return;
  }
  const std::int16_t star = world_.CurrentStar;
  const std::int16_t orbit = world_.CurrentOrbit;
  const std::int16_t body = world_.CurrentBody;
  selectedStar_ = star;
  selectedOrbit_ = orbit;
  selectedBody_ = body;

  canvas_.SetDrawMode(DrawMode::CopyPen);
  drawMode_ = DrawMode::CopyPen;
  SymbolColour = PaletteColour(10);
  if (view_.DisplayMode == kSystemView) {
    SystemView();
  } else {
    WorldView();
  }

  world_.CurrentStar = star;
  world_.CurrentOrbit = orbit;
  world_.CurrentBody = body;
}

OrbitView::OrbitElements OrbitView::SelectedElements() const {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  return {world_.BodySemiMajorAxis(s, o, b),
          world_.BodyEccentricity(s, o, b),
          world_.BodyInclination(s, o, b),
          world_.BodyAscendingNode(s, o, b),
          world_.BodyPeriastronArgument(s, o, b),
          world_.BodyPeriastronTime(s, o, b),
          world_.BodyPeriod(s, o, b)};
}

void OrbitView::SetupOrbit() {
  SetupElements(SelectedElements());
}

void OrbitView::SetupElements(const OrbitElements& orbit) {
  const double e = Eccentricity(orbit.eccentricity);
  // A draw scale of 0 has no sound quotient: the orbit shrinks to its focus.
  const bool scaled = DrawScale != 0 && std::isfinite(DrawScale);
  const double a = scaled ? orbit.semiMajorAxis / DrawScale : 0;
  SemiMajorAxis = a;
  FocalOffset = a - (1 - e) * a;
  SemiMinorAxis = std::sqrt(a * a - FocalOffset * FocalOffset);

  cosW_ = std::cos(orbit.periastronArgument * kRadiansPerDegree);
  sinW_ = std::sin(orbit.periastronArgument * kRadiansPerDegree);
  cosN_ = std::cos(orbit.ascendingNode * kRadiansPerDegree);
  sinN_ = std::sin(orbit.ascendingNode * kRadiansPerDegree);
  cosI_ = std::cos(orbit.inclination * kRadiansPerDegree);
  sinI_ = std::sin(orbit.inclination * kRadiansPerDegree);
  const double rx = static_cast<double>(view_.ViewRotX) * kRadiansPerDegree;
  const double ry = static_cast<double>(view_.ViewRotY) * kRadiansPerDegree;
  const double rz = static_cast<double>(view_.ViewRotZ) * kRadiansPerDegree;
  cosRx_ = std::cos(rx);
  sinRx_ = std::sin(rx);
  cosRy_ = std::cos(ry);
  sinRy_ = std::sin(ry);
  cosRz_ = std::cos(rz);
  sinRz_ = std::sin(rz);
}

void OrbitView::OrbitPosition() {
  PositionOnOrbit(SelectedElements());
}

void OrbitView::PositionOnOrbit(const OrbitElements& orbit) {
  const double e = Eccentricity(orbit.eccentricity);
  const double p = orbit.period;
  double mean = 0;  // a body without a period stays at periastron
  if (p / kHoursPerYear > 0) {
    const double epoch = 2000 + (1 - orbit.periastronTime) * p / kHoursPerYear;
    const double phase = (view_.StarDate - epoch) / (p / kHoursPerYear);
    if (std::isfinite(phase)) {
      mean = 2 * kPi * (phase - std::floor(phase));
    }
  }

  // Kepler's equation E - e sin E = M by Newton's method; 1 - e cos E > 0 since e < 1.
  double anomaly = mean;
  double delta = 0;
  int passes = 0;
  do {
    delta = (anomaly - e * std::sin(anomaly) - mean) / (1 - e * std::cos(anomaly));
    anomaly -= delta;
    ++passes;
  } while (std::abs(delta) >= kKeplerTolerance && passes < kMaxKeplerPasses);

  double v = kPi;
  if (std::abs(anomaly - kPi) >= kApastronTolerance) {
    v = 2 * std::atan(std::sqrt((e + 1) / (1 - e)) * std::tan(anomaly / 2));
    if (v < 0) {
      v += 2 * kPi;
    }
  }
  OrbitFraction = v / 2 / kPi;
}

void OrbitView::ProjectOrbitPoint(double k) {
  const double t = k * 2 * kPi / kOrbitPoints;
  const double x = SemiMajorAxis * std::cos(t) - FocalOffset;
  const double y = SemiMinorAxis * std::sin(t);
  // Periastron, inclination and node turn the orbit into the reference frame.
  const double x1 = cosW_ * x - sinW_ * y;
  const double y1 = sinW_ * x + cosW_ * y;
  const double y2 = cosI_ * y1;
  const double z = sinI_ * y1;
  const double x3 = cosN_ * x1 - sinN_ * y2;
  const double y3 = sinN_ * x1 + cosN_ * y2;
  // The view's rotations, about Z, then X, then (after the mirror) Y.
  const double x4 = cosRz_ * x3 - sinRz_ * y3;
  const double y4 = sinRz_ * x3 + cosRz_ * y3;
  const double z5 = sinRx_ * y4 + cosRx_ * z;
  const double y5 = cosRx_ * y4 - sinRx_ * z;
  const double x5 = -x4;
  const double x6 = cosRy_ * x5 - sinRy_ * z5;
  const double depth = sinRy_ * x5 + cosRy_ * z5;

  const auto zoom = static_cast<double>(view_.ViewZoom);
  projectedX_ = x6 * zoom + ViewCentreX;
  ProjectedY = y5 * zoom * view_.ViewAspect + ViewCentreY;
  ProjectedDepth = depth;
  planeX_ = x6;
  planeY_ = y5;
}

void OrbitView::DrawOrbit() {
  const auto zoom = static_cast<double>(view_.ViewZoom);
  const bool hiding = view_.DisplayMode == kWorldView;
  double hiddenWithin = 0;
  if (hiding) {
    hiddenWithin = kHiddenReach * WorldDisc();
  }
  double lastX = 0;
  double lastY = 0;
  for (int k = 0; k <= kOrbitPoints; ++k) {
    ProjectOrbitPoint(k);
    // Far segments are skipped, not clipped; a NaN point fails the test too.
    if (k > 0 && Below(projectedX_, ProjectedY, kFarPoint) && std::isfinite(lastX) &&
        std::isfinite(lastY)) {
      if (hiding) {
        // The world sits at the view's centre; distances are measured before the aspect.
        const bool hidden =
            ProjectedDepth < 0 && std::hypot(planeX_, planeY_) * zoom < hiddenWithin;
        UseDrawMode(hidden ? DrawMode::NoOp : DrawMode::CopyPen);
      }
      canvas_.Line(lastX, lastY, projectedX_, ProjectedY, SymbolColour);
    }
    lastX = projectedX_;
    lastY = ProjectedY;
  }
  UseDrawMode(DrawMode::CopyPen);
}

void OrbitView::SetBodySymbol() {
  const BodySymbol symbol =
      SymbolOf(world_, world_.CurrentStar, world_.CurrentOrbit, world_.CurrentBody);
  SymbolSize = symbol.size;
  if (symbol.colour) {
    SymbolColour = *symbol.colour;
  }
}

void OrbitView::SetStarColour(int star) {
  if (const auto colour = StarColourOf(world_.StarType[static_cast<std::size_t>(star)])) {
    SymbolColour = *colour;
  }
}

void OrbitView::DrawDisc(double x, double y, double radius, Colour colour) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius)) {
    return;
  }
  UseDrawMode(DrawMode::CopyPen);
  canvas_.Disc(x, y, radius, colour);
}

double OrbitView::WorldDisc() const {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  return Visible(WorldViewDisc(world_.BodyRadius(s, o, 0), static_cast<double>(view_.ViewZoom)),
                 BodyLeastPixels(world_, s, o, 0));
}

double OrbitView::Visible(double radius, double leastPixels) const {
  const double pixelsPerUnit = canvas_.PixelsPerUnit();
  if (!(pixelsPerUnit > 0) || !std::isfinite(pixelsPerUnit)) return radius;
  return std::max(radius, leastPixels / 2 / pixelsPerUnit);
}

void OrbitView::RingSelected(double x, double y, double radius) {
  const double pixelsPerUnit = canvas_.PixelsPerUnit();
  // Without pixels the ring keeps a disc's width from it.
  const double gap = pixelsPerUnit > 0 ? kSelectionGap / pixelsPerUnit : radius;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius + gap)) return;
  UseDrawMode(DrawMode::CopyPen);
  canvas_.Circle(x, y, radius + gap, kSelectionColour);
}

void OrbitView::ProjectBodyAtDate(const OrbitElements& orbit) {
  SetupElements(orbit);
  PositionOnOrbit(orbit);
  ProjectOrbitPoint(kOrbitPoints * OrbitFraction);
}

void OrbitView::SystemView() {
  const auto zoom = static_cast<double>(view_.ViewZoom);
  const double centreX = static_cast<double>(view_.ViewPanX) * zoom + kScreenCentre;
  const double centreY = static_cast<double>(view_.ViewPanY) * zoom + kScreenCentre;
  int firstStar = 1;
  int lastStar = 0;
  if (world_.StarCount == 1) {
    lastStar = 1;
  } else if (world_.StarCount == 2) {
    firstStar = 0;
    lastStar = 2;
  }
  for (int s = firstStar; s <= lastStar; ++s) {
    Select(s, 0, 0);
    ViewCentreX = centreX;
    ViewCentreY = centreY;
    if (s > 0 && world_.StarCount == 2) {
      // The star's own orbit about the pair's centre, in AU; the two stars are half a period
      // apart.
      const OrbitElements own{world_.StarOffset[static_cast<std::size_t>(s)],
                              world_.BodyEccentricity(s, 0, 0),
                              world_.BodyInclination(s, 0, 0),
                              world_.BodyAscendingNode(s, 0, 0),
                              world_.BodyPeriastronArgument(s, 0, 0),
                              s == 1 ? 0.0 : 0.5,
                              static_cast<double>(world_.StarPeriod) * kHoursPerYear};
      DrawScale = 1;
      ProjectBodyAtDate(own);
      ViewCentreX = projectedX_;
      ViewCentreY = ProjectedY;
    }
    for (int o = 1; o <= OrbitsOf(world_, s); ++o) {
      Select(s, o, 0);
      DrawWorldAndMoons();
    }
    Select(s, 0, 0);
    DrawStars();
  }
}

double OrbitView::SizeWorldSymbol() const {
  const std::string& worldClass = world_.BodyClass(world_.CurrentStar, world_.CurrentOrbit, 0);
  if (world_.CurrentBody != 0 || IsBelt(worldClass)) {
    return kMinorDisc;
  }
  return worldClass == "J" ? kGiantWorldDisc : kWorldDisc;
}

void OrbitView::DrawWorldAndMoons() {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const std::string& worldClass = world_.BodyClass(s, o, 0);
  const bool belt = IsBelt(worldClass);
  DrawScale = 1;
  if (!Within(ViewCentreX, ViewCentreY, kFarCentre)) {
    return;
  }

  // A belt's members travel on the star's orbit in the world's place.
  const int first = belt ? 1 : 0;
  const int last = belt ? MoonsOf(world_, s, o) : 0;
  for (int b = first; b <= last; ++b) {
    Select(s, o, b);
    if (world_.BodyClass(s, o, b).empty()) {
      continue;
    }
    if (view_.ShowOrbits) {
      SetBodySymbol();
      SetupOrbit();
      DrawOrbit();
    }
    if (view_.ShowPlanets) {
      SetBodySymbol();
      ProjectBodyAtDate(SelectedElements());
      const double radius = Visible(SizeWorldSymbol(), BodyLeastPixels(world_, s, o, b));
      DrawDisc(projectedX_, ProjectedY, radius, SymbolColour);
      if (b == 0 && s == selectedStar_ && o == selectedOrbit_) {
        RingSelected(projectedX_, ProjectedY, radius);
      }
    }
  }

  const float worldRadius = world_.BodyRadius(s, o, 0);
  const bool moonsShown = view_.ShowMoonOrbits || view_.ShowMoonPositions;
  // Moon orbits are in world radii: a world without a radius gives them no scale.
  if (!view_.ShowPlanets || !moonsShown || belt || worldClass.empty() ||
      MoonsOf(world_, s, o) < 1 || !(worldRadius > 0)) {
    return;
  }
  Select(s, o, 0);
  ProjectBodyAtDate(SelectedElements());
  const double starX = ViewCentreX;
  const double starY = ViewCentreY;
  ViewCentreX = projectedX_;
  ViewCentreY = ProjectedY;
  DrawScale = kEarthRadiiPerAu / static_cast<double>(worldRadius);
  if (Within(ViewCentreX, ViewCentreY, kFarCentre)) {
    for (int m = 1; m <= MoonsOf(world_, s, o); ++m) {
      Select(s, o, m);
      if (world_.BodyClass(s, o, m).empty()) {
        continue;
      }
      SetBodySymbol();
      if (view_.ShowMoonOrbits) {
        SetupOrbit();
        DrawOrbit();
      }
      if (view_.ShowMoonPositions) {
        ProjectBodyAtDate(SelectedElements());
        DrawDisc(projectedX_, ProjectedY, Visible(SizeWorldSymbol(), kLeastPixels), SymbolColour);
      }
    }
  }
  ViewCentreX = starX;
  ViewCentreY = starY;
  DrawScale = 1;
}

void OrbitView::DrawStars() {
  const int s = world_.CurrentStar;
  if (!Within(ViewCentreX, ViewCentreY, kFarStar)) {
    return;
  }
  if (s == 0) {
    // The pair's centre of mass.
    const Colour cross = PaletteColour(8);
    canvas_.Line(ViewCentreX, ViewCentreY - 3, ViewCentreX, ViewCentreY + 3, cross);
    canvas_.Line(ViewCentreX - 2, ViewCentreY, ViewCentreX + 2, ViewCentreY, cross);
    return;
  }
  SetStarColour(s);
  const auto star = static_cast<std::size_t>(s);
  const double r = StarRadius(world_.StarMass[star], world_.StarType[star]);
  const double scaled = r * static_cast<double>(view_.ViewZoom);
  const double radius =
      scaled > kSmallestStarDisc ? std::floor(scaled * 10) / 10 : kSmallestStarDisc;
  DrawDisc(ViewCentreX, ViewCentreY, Visible(radius, StarLeastPixels(world_.StarType[star])),
           SymbolColour);
}

void OrbitView::WorldView() {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const auto zoom = static_cast<double>(view_.ViewZoom);
  ViewCentreX = static_cast<double>(view_.ViewPanX) * zoom + kScreenCentre;
  ViewCentreY = static_cast<double>(view_.ViewPanY) * zoom + kScreenCentre;
  const std::string& worldClass = world_.BodyClass(s, o, 0);
  if (worldClass.empty()) {
    return;
  }
  const auto worldRadius = static_cast<double>(world_.BodyRadius(s, o, 0));
  // Moons and rings are measured in world radii: a world without a radius shows alone, and a
  // belt's members are no moons.
  const bool scaled = worldRadius > 0;
  DrawScale = scaled ? kEarthRadiiPer10000Km / worldRadius : 1;
  const int moons = scaled && !IsBelt(worldClass) ? MoonsOf(world_, s, o) : 0;

  if (view_.ShowMoonOrbits) {
    for (int m = 1; m <= moons; ++m) {
      Select(s, o, m);
      if (world_.BodyClass(s, o, m).empty()) {
        continue;
      }
      SetBodySymbol();
      SetupOrbit();
      DrawOrbit();
    }
  }

  struct Placed {
    double depth;
    int body;
    double x, y, radius;
    Colour colour;
  };
  std::array<Placed, kBodySlots> placed{};
  int count = 0;
  Select(s, o, 0);
  SetBodySymbol();
  placed[0] = {0, 0, ViewCentreX, ViewCentreY, WorldDisc(), SymbolColour};
  count = 1;
  if (view_.ShowMoonPositions) {
    for (int m = 1; m <= moons; ++m) {
      Select(s, o, m);
      if (world_.BodyClass(s, o, m).empty()) {
        continue;
      }
      SetBodySymbol();
      ProjectBodyAtDate(SelectedElements());
      if (!std::isfinite(projectedX_) || !std::isfinite(ProjectedY) ||
          !std::isfinite(ProjectedDepth)) {
        continue;
      }
      const auto moonRadius = static_cast<double>(world_.BodyRadius(s, o, m));
      const double moonDisc = Visible(WorldViewDisc(moonRadius, zoom), kLeastPixels);
      placed[static_cast<std::size_t>(count++)] = {ProjectedDepth, m,        projectedX_,
                                                   ProjectedY,     moonDisc, SymbolColour};
    }
  }
  // Farthest first, so that nearer bodies cover farther ones.
  std::sort(placed.begin(), placed.begin() + count, [](const Placed& a, const Placed& b) {
    return a.depth < b.depth || (a.depth == b.depth && a.body < b.body);
  });
  for (int i = 0; i < count; ++i) {
    const Placed& body = placed[static_cast<std::size_t>(i)];
    DrawDisc(body.x, body.y, body.radius, body.colour);
  }
  // The selected moon's ring over every disc, so that no nearer body hides it; the world is
  // the view's subject and wants none.
  for (int i = 0; i < count; ++i) {
    const Placed& body = placed[static_cast<std::size_t>(i)];
    if (body.body > 0 && body.body == selectedBody_) {
      RingSelected(body.x, body.y, body.radius);
    }
  }

  const std::int16_t ringSize = world_.BodyRingSize(s, o, 0);
  if (scaled && ringSize > 0) {
    // Ring elements are all zero but the size, so only the view's rotations tilt the ring.
    const double halfWidth = 0.65 * ringSize * ringSize / 100;  // world radii
    SymbolColour = kRingColour;
    for (const double reach : {kRingCentre - halfWidth, kRingCentre + halfWidth}) {
      OrbitElements ring;
      ring.semiMajorAxis = reach;
      SetupElements(ring);
      DrawOrbit();
    }
  }
}

void OrbitView::Select(int star, int orbit, int body) {
  world_.CurrentStar = static_cast<std::int16_t>(star);
  world_.CurrentOrbit = static_cast<std::int16_t>(orbit);
  world_.CurrentBody = static_cast<std::int16_t>(body);
}

void OrbitView::UseDrawMode(DrawMode mode) {
  if (mode != drawMode_) {
    canvas_.SetDrawMode(mode);
    drawMode_ = mode;
  }
}

}  // namespace ax
