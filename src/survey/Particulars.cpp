#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr double kJovianRadiusCap = 11.25;  // standard radii: heavier jovians grow denser
constexpr double kDenseWorld = 1.8;         // standard densities: above this, compression eases

// Radius in standard radii of a sphere of this mass and density (both in standard units).
// A body without mass has no size: its cube root would be 0 or not a number.
double RadiusOf(double mass, double density) {
  if (mass <= 0 || density <= 0) {
    return 0;
  }
  return std::cbrt(mass / density);
}

}  // namespace

void Survey::PhysicalParticulars() {
  const BodySize size = MakeBodySize();
  MakeSpin();
  MakeRings(size.gravity);
  const std::string bodyClass = Body(world_.BodyClass);
  if (world_.CurrentBody == 0 && bodyClass != "P" && bodyClass != "I") MakeMoonSystem();
  if (bodyClass != "J") {
    MakeVolcanism(size.density);
    ApplyTides();
  }
  MakeAtmosphere();
}

void Survey::RemakeParticulars() {
  // The density depends on the warmth, which is worked out anew first.
  ComputeTemperatures();
  const BodySize size = MakeBodySize();
  MakeRings(size.gravity);
  if (Body(world_.BodyClass) != "J") MakeVolcanism(size.density);
  MakeAtmosphere();
}

Survey::BodySize Survey::MakeBodySize() {
  const std::string& bodyClass = Body(world_.BodyClass);
  const bool jovian = bodyClass == "J";
  const double mass = Body(world_.BodyMass);
  const int tempHigh = Body(world_.BodyTempHigh);

  double density = 0;
  double radius = 0;
  if (jovian) {
    const int dice = random_.RollDice(2, 6);
    const double scatter = random_.NarrowFactor();
    density = (dice + 3) / 50.0 * scatter;
    radius = RadiusOf(mass, density);
    if (radius > kJovianRadiusCap) {
      const int roll = random_.RollDie(1000);
      radius = roll / 1000.0 + 10.25;
      density = mass / Cube(radius);
    }
  } else {
    // Warm worlds are denser, icy ones lighter; a remnant's worlds are its dense leftovers.
    double tempTerm = 0;
    if (tempHigh > 250) tempTerm = 0.3;
    if (tempHigh < 150) tempTerm -= 0.2;
    if (tempHigh < 50) tempTerm -= 0.1;
    const char letter = LuminosityLetter(world_.CurrentStar);
    if (letter == 'D') {
      tempTerm += 0.2;
    } else if (letter == 'N') {
      tempTerm += 0.4;
    }
    const int die = random_.RollDie(4);
    const double scatter = random_.NarrowFactor();
    density = (Square(mass) + die + 2.5) * scatter / 10 + tempTerm;
    if (mass > 1 && tempHigh < 150) density = density / 1.5;
    if (density < 0.2) {
      const int roll = random_.RollDie(6);
      density = roll / 100.0 + 0.199;
    }
    if (density > kDenseWorld) density = 0.85 * density;
    radius = RadiusOf(mass, density);
  }
  const double gravity = density * radius;
  Body(world_.BodyDensity) = static_cast<float>(density);
  Body(world_.BodyRadius) = static_cast<float>(radius);
  Body(world_.BodyGravity) = static_cast<float>(gravity);
  return {density, gravity};
}

void Survey::MakeSpin() {
  const std::string& bodyClass = Body(world_.BodyClass);
  const double firstTilt = random_.Uniform();
  const double secondTilt = random_.Uniform();
  Body(world_.BodyObliquity) = static_cast<float>(std::exp(5.19 * (firstTilt + secondTilt) / 2));
  const float obliquity = Body(world_.BodyObliquity);

  const double dayDraw = random_.Uniform();
  const int firstD10 = random_.RollDie(10);
  const int firstD6 = random_.RollDie(6);
  const int secondD10 = random_.RollDie(10);
  const int secondD6 = random_.RollDie(6);
  double day = (firstD10 * firstD6 + secondD10 * secondD6 + 4) / 2.0 + world_.SystemAge + dayDraw;
  if (bodyClass == "J") {
    const double spin = random_.Uniform();
    day = day / 2 * (spin + 1);
  } else if (bodyClass == "Z") {
    const double firstSpin = random_.Uniform();
    const double secondSpin = random_.Uniform();
    day = day / 5 * (firstSpin + 1 + secondSpin);
  }
  if (obliquity > 90) day = -day;
  Body(world_.BodyDayLength) = static_cast<float>(day);
}

void Survey::MakeRings(double gravity) {
  const std::string& bodyClass = Body(world_.BodyClass);
  const int ringDice = random_.RollDice(2, 6);
  // Any gravity term above 20 ends at the cap of 9 anyway; the bound keeps the cast defined.
  int ringSize = static_cast<int>(std::min(1.5 * gravity, 20.0)) + ringDice - 10;
  if (bodyClass == "J") {
    ringSize += 5;
  } else if (bodyClass == "Z") {
    ringSize = 0;
  }
  Body(world_.BodyRingSize) = static_cast<std::int16_t>(std::clamp(ringSize, 0, 9));
}

void Survey::MakeVolcanism(double density) {
  const double mass = Body(world_.BodyMass);
  const double ventDraw = random_.Uniform();
  const int ventDice = random_.RollDice(2, 6);
  const int moonCount = world_.MoonCount[world_.CurrentStar][world_.CurrentOrbit];
  // Heat of formation fades with age; moons knead the interior; heavy dense worlds keep hot.
  double volcanism = (ventDice - 5 - ventDraw) / 2.0 - world_.SystemAge / 3.0 + moonCount / 2.0 +
                     Square(mass) * density;
  if (mass < 0.001) volcanism = volcanism / 8;
  if (volcanism > -1 && volcanism < 0) {
    volcanism = std::abs(volcanism);
  } else if (volcanism < -1) {
    volcanism = 1 / Square(volcanism);
  }
  Body(world_.BodyVolcanism) = static_cast<float>(volcanism);

  const int roll = random_.RollDie(100);
  const float rareEarthScore = 100.0f * Body(world_.BodyDensity) + static_cast<float>(roll) +
                               3.0f * Body(world_.BodyVolcanism);
  if (rareEarthScore > 180.0f) Body(world_.BodyRareEarths) = "Yes";
}

}  // namespace ax
