#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr double kLowOrbitHours = 1.4076;  // one standard radius around one standard mass
constexpr double kEccentricityLimit = 0.45;
constexpr std::int16_t kInclinationLimit = 90;  // degrees

// Kepler's third law. An orbit with no size, or around nothing with mass, has no period to
// work out: it is left at 0 rather than becoming infinite.
double KeplerPeriod(double axis, double centralMass, double hoursAtUnitOrbit) {
  if (axis <= 0 || centralMass <= 0) {
    return 0;
  }
  return std::sqrt(Cube(axis) / centralMass) * hoursAtUnitOrbit;
}

}  // namespace

void Survey::MakePeriod() {
  const double axis = Body(world_.BodySemiMajorAxis);
  if (IsMoon()) {
    const double worldRadius = OrbitWorld(world_.BodyRadius);
    Body(world_.BodyPeriod) =
        KeplerPeriod(worldRadius * axis, OrbitWorld(world_.BodyMass), kLowOrbitHours);
  } else {
    const double starMass = world_.StarMass[static_cast<std::size_t>(world_.CurrentStar)];
    Body(world_.BodyPeriod) = KeplerPeriod(axis, starMass, kHoursPerYear);
  }
}

void Survey::MakeOrbitElements() {
  const double starMass = world_.StarMass[static_cast<std::size_t>(world_.CurrentStar)];
  const double axis = Body(world_.BodySemiMajorAxis);
  const bool moon = IsMoon();
  MakePeriod();

  // Orbits circularise as a system ages; past 35 billion years no chance is left, never less.
  std::int16_t chance = 50;
  if (YoungSystem != 1) {
    const double ageChance = RoundHalfEven(35.0 - static_cast<double>(world_.SystemAge));
    chance = static_cast<std::int16_t>(std::clamp(ageChance, 0.0, 100.0));
  }

  double eccentricity = 0;
  float distance = 0;
  if (world_.CurrentStar == 0 && !moon) {
    const double scatter = random_.NarrowFactor();
    const float u = random_.Uniform();
    // The pair's pull stretches the orbits close to it. A body at the pair's centre has no orbit
    // of its own: it counts as unbound, and the cap on eccentricity below replaces it.
    const double stretch = axis > 0 ? world_.StarSeparation * scatter / (2 * axis) : 1.0;
    eccentricity = stretch + u / 20.0;
  } else {
    const float u = random_.Uniform();
    eccentricity = u / 20.0;
    if (moon) {
      distance = static_cast<float>(axis);
    } else if (starMass > 0) {
      // Tides and planets sculpt orbits out to a distance that grows with the star's mass.
      distance = static_cast<float>(axis / Square(starMass));
    }
    if (distance > 30) {
      chance = static_cast<std::int16_t>(chance + 10);
      const float stretchDraw = random_.Uniform();
      eccentricity = eccentricity * (stretchDraw + 1.5);
    }
    if (distance > 100) {
      chance = static_cast<std::int16_t>(chance + 10);
      eccentricity = eccentricity * 2;
    }
    if (distance > 200) {
      chance = static_cast<std::int16_t>(chance + 10);
      eccentricity = eccentricity * 2;
    }
  }

  if (InBelt()) {
    eccentricity = eccentricity * 4;
  }
  if (!(eccentricity <= 0.01 && distance <= 30)) {
    random_.DoubleOnChance(chance, eccentricity, kEccentricityLimit);
  }
  if (eccentricity > 0.98) {
    const float u = random_.Uniform();
    eccentricity = u / 5.0 + 0.75;
  }

  const float tiltDraw = random_.Uniform();
  const int dice = random_.RollDice(2, 6);
  double inclination = std::abs((dice - 6.5 - tiltDraw / 2.0) / 2);
  if (eccentricity > 0.1) {
    inclination = 2 * inclination;
  }
  if (eccentricity > 0.25) {
    inclination = 2 * inclination;
  }
  random_.DoubleOnChance(chance, inclination, kInclinationLimit);
  if (inclination > 180) {
    const float u = random_.Uniform();
    inclination = 5.0 * u + 175;
  }

  const float nodeDraw = random_.Uniform();
  const float argumentDraw = random_.Uniform();
  const float timeDraw = random_.Uniform();
  Body(world_.BodyEccentricity) = eccentricity;
  Body(world_.BodyInclination) = inclination;
  Body(world_.BodyAscendingNode) = 360.0 * nodeDraw;
  Body(world_.BodyPeriastronArgument) = 360.0 * argumentDraw;
  Body(world_.BodyPeriastronTime) = timeDraw;
}

}  // namespace ax
