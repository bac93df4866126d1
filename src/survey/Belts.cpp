#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {

namespace {

constexpr int kMaxBeltBodies = 20;  // body slots 1..20 of an orbit
// Billions of years: the youngest age a star is drawn with. An age of 0 read from elsewhere
// would leave a belt body's mass cap 0.01 / age without a bound.
constexpr float kYoungestAge = 0.01f;

}  // namespace

void Survey::MakeMoons() {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const auto star = static_cast<std::size_t>(s);
  const auto orbit = static_cast<std::size_t>(o);
  const float age = world_.SystemAge;

  MoonTide = 0;
  double count = random_.RollDie(6);
  const std::string& worldClass = OrbitWorld(world_.BodyClass);
  const double worldMass = OrbitWorld(world_.BodyMass);
  if (worldClass == "P") {
    count = std::floor(worldMass * 3000) + count;
  } else if (worldClass == "I") {
    count = std::floor(worldMass) + count;
  }
  if (YoungSystem == 1) {
    const int d8 = random_.RollDie(8);
    // 30 x age in the age's own 32-bit precision, so that an age of 0.05 takes off exactly
    // 1.5 and the half rounds to even.
    const float ageLoss = 30.0f * age;
    count = RoundHalfEven(d8 + 2 * count - static_cast<double>(ageLoss));
  }
  // A count of 0 or less leaves the belt without bodies; the table keeps it as 0.
  const int n = static_cast<int>(std::clamp(count, 0.0, static_cast<double>(kMaxBeltBodies)));
  world_.MoonCount[star][orbit] = static_cast<std::int16_t>(n);

  double& worldAxis = OrbitWorld(world_.BodySemiMajorAxis);
  const double innerAxis = world_.BodySemiMajorAxis(s, o - 1, 0);
  const double starMass = world_.StarMass[star];
  const auto axis = [&](int b) -> double& { return world_.BodySemiMajorAxis(s, o, b); };
  // A body that would fall within 0.01 AU is put back just beyond the star instead.
  const auto clearOfStar = [&](double offset) {
    const float u = random_.Uniform();
    return static_cast<double>(u) / 100 + offset + starMass / 25;
  };

  if (n == 1) {
    axis(1) = worldAxis;
    if (axis(1) < 0.01) {
      axis(1) = clearOfStar(0.005);
    }
  } else if (n == 2) {
    const float u1 = random_.Uniform();
    const float u2 = random_.Uniform();
    axis(1) = worldAxis - static_cast<double>(u1) * innerAxis - static_cast<double>(u2) / 10;
    if (axis(1) < 0.01) {
      axis(1) = clearOfStar(0.005);
    }
    axis(2) = 2 * worldAxis - axis(1);
    if (axis(2) < 0.01) {
      axis(2) = clearOfStar(0.01);
    }
  } else if (n > 2) {
    double step = 2 * (worldAxis - innerAxis);
    if (o > 8) {
      step = step * 1.5;
    }
    DrawScale = step;
    double axisSum = 0;
    for (int b = 1; b <= n; ++b) {
      const float u1 = random_.Uniform();
      const float u2 = random_.Uniform();
      axis(b) = innerAxis + static_cast<double>(u1) * step + (0.5 - static_cast<double>(u2)) / 5;
      if (axis(b) < 0.01) {
        axis(b) = clearOfStar(0.005);
      }
      axisSum += axis(b);
    }
    worldAxis = axisSum / n;
    SortMoons();
  }

  const double massCap = 0.01 / static_cast<double>(std::max(age, kYoungestAge));
  for (int b = 1; b <= n; ++b) {
    world_.CurrentBody = static_cast<std::int16_t>(b);
    MakeOrbitElements();
    const float u = random_.Uniform();
    double mass = 3 * static_cast<double>(u) / 50000 + 0.00001;
    if (YoungSystem == 1) {
      mass = mass * (10 * static_cast<double>(age) + 1);
    }
    random_.DoubleOnChance(25, mass, massCap);
    Body(world_.BodyMass) = mass;
    Body(world_.BodyClass) = mass < 0.001 ? "Z" : "T";
    ComputeTemperatures();
    PhysicalParticulars();
  }
  world_.CurrentBody = 0;
}

}  // namespace ax
