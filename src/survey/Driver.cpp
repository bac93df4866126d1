#include <cmath>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// Base semi-major axis of orbit o in units of the star's orbit scale.
double BaseDistance(int orbit) {
  if (orbit == 1) return 0.1;
  if (orbit == 2) return 0.4;
  if (orbit <= 8) return (4 + 3 * std::pow(2.0, orbit - 3)) / 10;
  return 10.0 * (orbit - 7);
}

// Kepler's third law for the pair, in years.
float PairPeriod(const World& world) {
  return ClampToFloat(
      std::sqrt(Cube(world.StarSeparation) / (world.StarMass[2] + world.StarMass[1])));
}

}  // namespace

void Survey::SurveySystem() {
  if (DrawStarSymbols) DrawStarSymbols();
  world_.SystemSurveyed = 1;
  YoungSystem = 0.1f >= world_.SystemAge ? 1 : 0;
  SurveyWorld();
}

void Survey::SurveyWorld() {
  World& w = world_;
  if (w.StarCount < 1) return;  // no stars, nothing to circle

  SetOrbitScales();
  if (w.StarCount == 2) {
    const double spread =
        std::sqrt((OrbitScale[2] + OrbitScale[1]) / (w.StarMass[2] + w.StarMass[1]));
    w.StarSeparation = w.StarSeparation / spread;
    w.StarPeriod = PairPeriod(w);
    // Each star's distance from the pair's centre.
    // The share first, so that a vast separation cannot overflow into inf / inf.
    const double share = Square(w.StarMass[2]) / (Square(w.StarMass[1]) + Square(w.StarMass[2]));
    w.StarOffset[1] = ClampToFloat(share * w.StarSeparation);
    w.StarOffset[2] = ClampToFloat(w.StarSeparation - w.StarOffset[1]);
  }

  bool pairWidened = false;
  w.CurrentBody = 0;
  for (w.CurrentStar = w.StarCount == 1 ? 1 : 0; w.CurrentStar <= w.StarCount; ++w.CurrentStar) {
    const int s = w.CurrentStar;
    PartnerStar = s == 1 ? 2 : 1;

    // The layout runs out to the star's last orbit before any world is made.
    w.CurrentOrbit = 0;
    while (w.CurrentOrbit < kLastOrbit) {
      ++w.CurrentOrbit;
      const int o = w.CurrentOrbit;
      const OrbitFit place = PlaceOrbit();
      if (place == OrbitFit::Torn) continue;
      if (place == OrbitFit::Beyond) break;
      ClassifyOrbit();
      if (OrbitWorld(w.BodyClass) == "J" && w.BodyClass(s, o - 1, 0) != "J") {
        w.StarSurveyOrbit[s] = static_cast<std::int16_t>(o);  // the snow line
      }
    }
    w.OrbitCount[s] = w.CurrentOrbit;
    if (w.BodyClass(s, w.OrbitCount[s], 0).empty()) --w.OrbitCount[s];

    // Worlds, outermost first.
    for (w.CurrentOrbit = w.OrbitCount[s]; w.CurrentOrbit >= 1; --w.CurrentOrbit) {
      MakeOrbitWorld();
      if (IsRemnant(s)) FinishRemnantOrbit(pairWidened);
      if (DrawOrbitSymbol) DrawOrbitSymbol();
      w.CurrentBody = 0;
    }
  }
}

void Survey::SetOrbitScales() {
  for (int s = 1; s <= world_.StarCount; ++s) {
    // A remnant's former mass shaped its disc: its orbits are spaced as for three times its mass.
    OrbitScale[s] = IsRemnant(s) ? 3 * world_.StarMass[s] : world_.StarMass[s];
  }
  if (world_.StarCount == 2) OrbitScale[0] = world_.StarMass[0];
}

Survey::OrbitFit Survey::PlaceOrbit() {
  World& w = world_;
  const int s = w.CurrentStar;
  const int o = w.CurrentOrbit;
  const int k = PartnerStar;
  const double scale = OrbitScale[s];
  double& axis = OrbitWorld(w.BodySemiMajorAxis);
  axis = BaseDistance(o) * scale * random_.NarrowFactor();
  const char primaryLetter = LuminosityLetter(1);
  if (s == 0 && (primaryLetter == 'N' || primaryLetter == 'D')) {
    axis *= std::sqrt((scale + OrbitScale[k]) / (w.StarMass[s] + w.StarMass[k]));
  }
  // Orbits too close to the pair are torn apart by the two stars.
  if (s == 0 && 5 * w.StarSeparation > axis) {
    OrbitWorld(w.BodyClass).clear();
    return OrbitFit::Torn;
  }
  const double spaced = w.BodySemiMajorAxis(s, o - 1, 0) + 0.1 * scale * (o - 1);
  if (axis < spaced) axis = spaced;
  if (45 * scale * scale < axis) return OrbitFit::Beyond;
  if (w.StarCount == 2 && s > 0 &&
      (0.9 * w.StarSeparation < axis || 0.8 * w.StarOffset[k] < axis)) {
    OrbitWorld(w.BodyClass).clear();
    return OrbitFit::Beyond;
  }
  return OrbitFit::Kept;
}

void Survey::ClassifyOrbit() {
  MakeOrbitElements();
  // Where rocky and giant worlds form is decided by the young star's light.
  TempMode = 1;
  ComputeTemperatures();
  TempMode = 0;
  OrbitWorld(world_.BodyClass) = OrbitWorld(world_.BodyTempHigh) > 145 ? "T" : "J";
  const char letter = LuminosityLetter(world_.CurrentStar);
  if (letter != 'V' && letter != 'D' && letter != 'N') {
    TempMode = 2;
    ComputeTemperatures();
  }
}

void Survey::MakeOrbitWorld() {
  World& w = world_;
  std::string& worldClass = OrbitWorld(w.BodyClass);
  if (YoungSystem == 0) {
    if (worldClass == "T") {
      MakeTerrestrialWorld();
    } else if (worldClass == "J" && OrbitWorld(w.BodyMass) == 0) {
      MakeJovianWorld();
    }
  } else if (worldClass == "T" || worldClass == "J") {
    worldClass = OrbitWorld(w.BodyTempHigh) > 80 ? "P" : "I";
    MakeMoons();
  }
}

void Survey::FinishRemnantOrbit(bool& pairWidened) {
  World& w = world_;
  const int s = w.CurrentStar;
  const int o = w.CurrentOrbit;
  const int k = PartnerStar;
  std::string& worldClass = OrbitWorld(w.BodyClass);

  // The disc of a collapsed star spreads as it loses its mass.
  double& axis = OrbitWorld(w.BodySemiMajorAxis);
  axis *= std::sqrt(3.0);
  if (w.StarCount == 2 && !pairWidened) {
    pairWidened = true;
    w.StarSeparation *=
        std::sqrt((OrbitScale[s] + OrbitScale[k]) / (w.StarMass[s] + w.StarMass[k]));
    w.StarPeriod = PairPeriod(w);
  }
  if (w.StarCount == 2 && s > 0) {
    if (0.9 * w.StarSeparation < axis) worldClass.clear();
    if (0.8 * w.StarOffset[k] < axis) worldClass.clear();
    // A world lost to the partner star takes its moons with it.
    if (worldClass.empty()) {
      for (int b = 1; b <= w.MoonCount[s][o]; ++b) ClearBody(w, s, o, b);
      w.MoonCount[s][o] = 0;
    }
  }
  if (!worldClass.empty()) {
    for (w.CurrentBody = 0; w.CurrentBody <= w.MoonCount[s][o]; ++w.CurrentBody) {
      const std::string& bodyClass = Body(w.BodyClass);
      if (bodyClass != "I" && bodyClass != "P") {
        MakeOrbitElements();
        MakeAtmosphere();
      }
    }
  }
}

}  // namespace ax
