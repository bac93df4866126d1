#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {

namespace {

constexpr double kEarthMassesPerSolarMass = 333000.0;

// The share q = (15 / R)^3 / 20 of its mass that a world keeps beside a neighbour, where
// R = a^2 M / (gap^3 X) weighs the neighbour's pull at the world (mass M, gap AU further out)
// against the star's (orbit scale X).
double KeptShare(double a, double neighbourMass, double gap, double orbitScale) {
  // A neighbour on or inside the world's path (a jovian that migrated across it, a partner
  // star nearer than the world) has swept it: nothing is kept. Written out, R would be
  // infinite or negative, and a negative share times a negative mass would revive the world.
  const double starPull = Cube(gap) * orbitScale;
  if (starPull <= 0) {
    return 0;
  }
  const double ratio = Square(a) * neighbourMass / starPull;
  // A neighbour without mass takes nothing.
  if (ratio <= 0) {
    return 1;
  }
  return Cube(15 / ratio) / 20;
}

}  // namespace

void Survey::MakeTerrestrialWorld() {
  const int s = world_.CurrentStar;
  const auto star = static_cast<std::size_t>(s);
  std::string& bodyClass = Body(world_.BodyClass);
  double& m = Body(world_.BodyMass);
  if (world_.CurrentBody == 0) {
    MoonTide = 0;
  }
  const int temperature = Body(world_.BodyTempHigh);
  const double a = Body(world_.BodySemiMajorAxis);
  // Too hot for rock to gather. A temperature or distance of 0 was never worked out, and the
  // mass would divide by it: no world either.
  if (temperature > 1800 || temperature <= 0 || a <= 0) {
    m = 0;
    bodyClass.clear();
    return;
  }

  int k = temperature > 800 ? 12 : temperature > 400 ? 9 : 2;
  const char letter = LuminosityLetter(s);
  if (letter == 'D') {
    k += 2;
  }
  if (letter == 'N') {
    k += 4;
  }
  const double x = OrbitScale[star];
  const float coolness = 300.0f / static_cast<float>(temperature);
  m = Square(x) / a * std::pow(static_cast<double>(coolness), k) * random_.WideFactor();
  if (world_.StarCount == 2) {
    m = m / 2;
  }
  LimitWorldMass();
  random_.DoubleOnChance(20, m, 100);

  if (m >= 0.0001 && m < kLightestWorld) {
    bodyClass = "P";
    MakeMoons();
  } else if (m < 0.0001) {
    bodyClass.clear();
  } else if (m > 4) {
    bodyClass = "J";
    world_.StarSurveyOrbit[star] = world_.CurrentOrbit;
  }
  if (bodyClass == "T" || bodyClass == "J") {
    PhysicalParticulars();
  }
}

void Survey::MakeJovianWorld() {
  const int s = world_.CurrentStar;
  const auto star = static_cast<std::size_t>(s);
  std::string& bodyClass = Body(world_.BodyClass);
  double& m = Body(world_.BodyMass);
  double& a = Body(world_.BodySemiMajorAxis);
  // A distance of 0 was never worked out, and the mass would divide by it.
  if (a <= 0) {
    m = 0;
    bodyClass.clear();
    return;
  }

  const double x = OrbitScale[star];
  m = std::pow(x, 2.5) * 1500 / a;
  switch (LuminosityLetter(s)) {
    case 'V': break;
    case 'D': m = m / 4; break;
    case 'N': m = std::sqrt(m); break;
    default: {
      const double luminosity = world_.StarLuminosity[star];
      if (luminosity <= 0) {
        // m / log10(L) shrinks to nothing as the light fades to nothing.
        m = 0;
      } else if (luminosity != 1) {
        m = m / std::log10(luminosity);
      }
      // A luminosity of exactly 1 has no logarithm to divide by: the mass stays as around a
      // main-sequence star.
      break;
    }
  }
  if (world_.StarCount == 2 && s > 0 && world_.CurrentBody == 0) {
    LimitWorldMass();
  }
  // Far out the disc thins: halved beyond 64X, 32X, 16X and 8X.
  for (int i = 6; i >= 3; --i) {
    if (a > x * static_cast<double>(1 << i)) {
      m = m / 2;
    }
  }
  if (world_.StarCount == 2) {
    m = m / 4;
  }
  m = m * random_.WideFactor();
  if (m > 1000) {
    m = m / std::floor(m / 1000);
  }
  random_.DoubleOnChance(20, m, 10000);

  if (Body(world_.BodyTempHigh) > 70) {
    if (m < 0.5) {
      bodyClass.clear();
    } else if (m > 0.5 && m < 4) {
      bodyClass = "S";
    }
  } else if (m < 0.1) {
    bodyClass.clear();
  } else if (m < 4) {
    bodyClass = "I";
    MakeMoons();
  }

  if (bodyClass == "J" || bodyClass == "S") {
    if (world_.CurrentOrbit == world_.StarSurveyOrbit[star] && s > 0 && world_.CurrentBody == 0) {
      int roll = random_.RollDie(100);
      if (world_.SystemAge < 5) {
        roll += 10;
      }
      if (world_.StarCount == 2) {
        roll += 20;
      }
      if (roll > 80) {
        double inwardFactor = random_.RollDie(6) - 0.5;
        if (roll > 95) {
          inwardFactor = 2 * inwardFactor;
          random_.DoubleOnChance(20, inwardFactor, 100);
        }
        a = a / inwardFactor;
      }
    }
    PhysicalParticulars();
  }
}

void Survey::LimitWorldMass() {
  const int s = world_.CurrentStar;
  const auto star = static_cast<std::size_t>(s);
  const double x = OrbitScale[star];
  const double a = Body(world_.BodySemiMajorAxis);
  double& m = Body(world_.BodyMass);
  const auto cut = [&](double q) {
    if (q < 1) {
      m = m * q * random_.WideFactor();
    }
  };

  if (world_.StarCount == 2 && s > 0 && world_.CurrentBody == 0) {
    const double partnerMass =
        kEarthMassesPerSolarMass * OrbitScale[static_cast<std::size_t>(PartnerStar)];
    cut(KeptShare(a, partnerMass, world_.StarSeparation - a, x));
  }
  const int snowLine = world_.StarSurveyOrbit[star];
  if (world_.CurrentOrbit < snowLine && world_.BodyClass(s, snowLine, 0) == "J") {
    const double jovianGap = world_.BodySemiMajorAxis(s, snowLine, 0) - a;
    cut(KeptShare(a, world_.BodyMass(s, snowLine, 0), jovianGap, x));
  }
}

}  // namespace ax
