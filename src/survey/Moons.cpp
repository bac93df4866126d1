#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr int kMaxMoons = 20;                    // body slots 1..20 of an orbit
constexpr double kMetresPerAu = 148999995392.0;  // 1.49e11 rounded to a 32-bit float
constexpr double kMetresPerRadius = 6378000.0;   // one standard radius
// Diameters in metres per standard radius: of a world under its moon's tide, and (a rounder
// figure) of a body under its star's or its world's.
constexpr double kWorldDiameterPerRadius = 12760000.0;
constexpr double kBodyDiameterPerRadius = 12700000.0;
constexpr double kStarGm = 1.3e20;  // m^3/s^2 per solar mass
constexpr double kWorldGm = 4e14;   // m^3/s^2 per standard mass

// The difference between the pull on the near and the far side of a body of this diameter at
// this distance (metres) from a mass of parameter gm, weakened as the angle (degrees) tilts the
// body's axis away. A body with no distance worked out feels no tide, not an infinite one.
double TidalStress(double gm, double distance, double diameter, double angle) {
  if (distance <= 0 || distance + diameter <= 0) {
    return 0;
  }
  if (angle > 90) angle = 180 - angle;
  const double cosine = std::cos(angle * kRadiansPerDegree);
  return gm * (1 / Square(distance) - 1 / Square(distance + diameter)) * Square(cosine);
}

// A lock is mostly synchronous, sometimes a 3:2 or a 2:1 resonance, from a d100 roll.
double LockedDay(double period, int roll) {
  if (roll <= 90) return period;
  if (roll <= 99) return period * 2 / 3;
  return period / 2;
}

}  // namespace

void Survey::MakeMoonSystem() {
  const int star = world_.CurrentStar;
  const int orbit = world_.CurrentOrbit;
  std::int16_t& moonCount = world_.MoonCount[star][orbit];
  const double worldMass = OrbitWorld(world_.BodyMass);
  const double worldRadius = OrbitWorld(world_.BodyRadius);
  const double worldAxis = OrbitWorld(world_.BodySemiMajorAxis);
  const bool jovianWorld = OrbitWorld(world_.BodyClass) == "J";

  moonCount = 0;
  // A world without mass holds no moons; its logarithm would be minus infinity or NaN.
  const bool massive = worldMass > 0;
  const float logRootMass = massive ? static_cast<float>(std::log(std::sqrt(worldMass))) : 0.0f;
  const int countD4 = random_.RollDie(4);
  const int countD6 = random_.RollDie(6);
  if (massive) {
    moonCount =
        static_cast<std::int16_t>(std::floor((countD6 - 1) * double{logRootMass}) + countD4 - 2);
  }
  if (moonCount > 0) {
    ApplyTides();
    // Locked to its star (a day within an hour of its year), a world cannot hold moons.
    if (std::abs(OrbitWorld(world_.BodyPeriod)) - std::abs(OrbitWorld(world_.BodyDayLength)) < 1) {
      moonCount = 0;
    }
  }
  if (moonCount < 0) moonCount = 0;
  double capture = 0;
  if (worldMass < 4) {
    const int roll = random_.RollDie(100);
    capture = worldMass / 10 + roll / 100.0;
    if (capture > 1) ++moonCount;
  }
  if (moonCount > kMaxMoons) moonCount = kMaxMoons;
  if (moonCount == 0) return;
  const int count = moonCount;

  // The world's reach against its star, in world radii: about its Hill sphere. With no star
  // mass or no radius the reach is unbounded, as the formula's limit is.
  const double starScale = 665550 * OrbitScale[static_cast<std::size_t>(star)];
  const bool bounded = starScale > 0 && worldRadius > 0;
  const double outerLimit =
      bounded ? 23361 * worldAxis * std::pow(worldMass / starScale, 0.4) / worldRadius : 0;

  const auto doublingChance =
      static_cast<std::int16_t>(std::min(60.0, std::floor(worldMass / 10 + 20)));
  for (int i = 1; i <= count; ++i) {
    double axis = 0;
    if (jovianWorld) {
      const int d10 = random_.RollDie(10);
      const int d4 = random_.RollDie(4);
      const double spread = random_.Uniform();
      axis = d10 * d4 + i + 0.44 + spread;
    } else {
      const int d20 = random_.RollDie(20);
      const int d10 = random_.RollDie(10);
      const double spread = random_.Uniform();
      axis = 3 * d20 + d10 - spread;
    }
    random_.DoubleOnChance(doublingChance, axis, 100);
    if (bounded && axis > outerLimit) {
      const double pullBack = random_.Uniform();
      axis = outerLimit - pullBack - i;
    }
    if (axis < kRocheLimit) {
      const double lift = random_.Uniform();
      axis = lift + 2.44;
    }
    for (int j = 1; j < i; ++j) {
      if (std::abs(world_.BodySemiMajorAxis(star, orbit, j) - axis) < 1) {
        const int step = random_.RollDie(2);
        const double nudge = random_.Uniform();
        axis = axis + step + nudge;
      }
    }
    world_.BodySemiMajorAxis(star, orbit, i) = axis;
  }
  if (count > 1) SortMoons();

  MoonTide = 0;
  for (int b = 1; b <= count; ++b) {
    world_.CurrentBody = static_cast<std::int16_t>(b);
    MakeOrbitElements();
    const double massDraw = random_.Uniform();
    double mass = massDraw / 10000.0 + 0.00001;
    const int heftDie = random_.RollDie(10);
    double heft = heftDie + double{logRootMass};
    if (capture > 1 && b == 1) heft = heft + 5;
    if (heft > 7) mass = mass * heft;
    random_.DoubleOnChance(60, mass, worldMass / 2);
    if (mass > worldMass) {
      const double share = random_.Uniform();
      mass = (share / 10.0 + 0.9) * worldMass;
    }
    const std::string moonClass = mass > 4 ? "J" : mass < 0.001 ? "Z" : "T";
    Body(world_.BodyMass) = mass;
    Body(world_.BodyClass) = moonClass;

    if (mass > 0.001 && moonClass != "J") {
      const double distance = worldRadius * kMetresPerRadius * Body(world_.BodySemiMajorAxis);
      const double tilt =
          std::abs(Body(world_.BodyInclination) - double{OrbitWorld(world_.BodyObliquity)});
      const double tide =
          TidalStress(mass * kWorldGm, distance, worldRadius * kWorldDiameterPerRadius, tilt);
      if (tide > count * 3e-6 * b && tide > MoonTide) {
        MoonTide = tide;
        const int roll = random_.RollDie(100);
        OrbitWorld(world_.BodyDayLength) =
            static_cast<float>(LockedDay(Body(world_.BodyPeriod), roll));
        const double wobble = random_.Uniform();
        OrbitWorld(world_.BodyObliquity) =
            static_cast<float>(std::abs(Body(world_.BodyInclination) + 3 - 6.0 * wobble));
        const double obliquity = OrbitWorld(world_.BodyObliquity);
        for (int j = 1; j <= count; ++j) {
          if (j == b) continue;
          double& inclination = world_.BodyInclination(star, orbit, j);
          inclination = std::abs(inclination - obliquity);
        }
      }
    }
    ComputeTemperatures();
    PhysicalParticulars();
  }
  world_.CurrentBody = 0;
}

void Survey::SortMoons() {
  const int star = world_.CurrentStar;
  const int orbit = world_.CurrentOrbit;
  const int count = world_.MoonCount[star][orbit];
  for (int i = 1; i < count; ++i) {
    int nearest = i;
    for (int j = i + 1; j <= count; ++j) {
      if (world_.BodySemiMajorAxis(star, orbit, j) <
          world_.BodySemiMajorAxis(star, orbit, nearest)) {
        nearest = j;
      }
    }
    std::swap(world_.BodySemiMajorAxis(star, orbit, i),
              world_.BodySemiMajorAxis(star, orbit, nearest));
  }
}

void Survey::ApplyTides() {
  const int star = world_.CurrentStar;
  const int body = world_.CurrentBody;
  // Worlds around the pair of a binary circle no single star to be locked to.
  if (Body(world_.BodyClass) == "J" || (body == 0 && star == 0)) return;

  double distance = 0;
  double gm = 0;
  if (IsMoon()) {
    distance = OrbitWorld(world_.BodyRadius) * kMetresPerRadius * Body(world_.BodySemiMajorAxis);
    gm = OrbitWorld(world_.BodyMass) * kWorldGm;
  } else {
    distance = Body(world_.BodySemiMajorAxis) * kMetresPerAu;
    gm = world_.StarMass[static_cast<std::size_t>(star)] * kStarGm;
  }
  const double tide = TidalStress(gm, distance, Body(world_.BodyRadius) * kBodyDiameterPerRadius,
                                  Body(world_.BodyObliquity));

  // A world already held by a stronger moon tide is not turned by its star's.
  const bool dominant = tide > MoonTide || body > 0;
  const int moonCount = world_.MoonCount[star][world_.CurrentOrbit];
  if (tide > (moonCount + 1) * 4e-6 && dominant) {
    const double tilt = random_.Uniform();
    const double obliquity = Body(world_.BodyInclination) > 90 ? 2.0 * tilt + 178 : 2.0 * tilt;
    Body(world_.BodyObliquity) = static_cast<float>(obliquity);
    const int roll = random_.RollDie(100);
    Body(world_.BodyDayLength) = static_cast<float>(LockedDay(Body(world_.BodyPeriod), roll));
  }
  if (tide >= 2e-6 && tide < 4e-6 && dominant) {
    const int roll = random_.RollDie(100);
    Body(world_.BodyDayLength) =
        static_cast<float>(20 + double{Body(world_.BodyDayLength)} * roll * tide * 500000);
  }
  if (Body(world_.BodyObliquity) > 90) Body(world_.BodyDayLength) = -Body(world_.BodyDayLength);
}

}  // namespace ax
