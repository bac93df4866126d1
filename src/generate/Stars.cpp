#include "generate/Stars.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "generate/SpectralBands.h"
#include "model/Numbers.h"

namespace ax {
namespace {

constexpr std::int32_t kMaxStarTemperature = 75000;  // K
constexpr double kSunTemperature = 5800;             // K

// How a star that has swollen off the main sequence changes its temperature and luminosity.
struct GiantLight {
  std::string_view code;
  double temperature;
  double luminosity;
};
constexpr GiantLight kGiantLight[] = {
    {kSubgiant, 0.8, 2}, {kGiant, 0.6, 10}, {kBrightGiant, 0.5, 100}, {kSupergiant, 0.3, 1000}};

double InverseCube(double x) {
  return 1.0 / (x * x * x);
}

// Rolls d81 on the mass table; the two top rows are the massive stars, which may double.
double DrawStarMass(Random& random) {
  const int roll = random.RollDie(81);
  if (roll < 80) {
    return StarMassFromRoll(roll);
  }
  double mass = 1.5 + random.RollDie(100) / 200.0;
  if (mass <= 1.75) {
    random.DoubleOnChance(25, mass, 50);
  } else if (random.RollDie(100) <= 25) {
    mass += random.Uniform();
  }
  return mass;
}

// Temperature and luminosity of star s from its mass and the system's age, then the
// changes its luminosity class makes to them.
void StarLight(World& world, Random& random, int s) {
  const double mass = world.StarMass[s];
  const double age = world.SystemAge;
  const double massCubed = mass * mass * mass;
  // Heavier stars age faster: their share of a lifetime scales with the cube of the mass.
  const double ageing = mass <= 1.0 ? age : massCubed * age;
  const double fade = 1.05 - ageing / 100;
  auto temperature = static_cast<std::int32_t>(
      std::floor(kSunTemperature * std::sqrt(mass * random.NarrowFactor()) * fade));
  auto luminosity =
      static_cast<float>(mass * massCubed * (ageing / 20 + 0.75) * random.NarrowFactor());

  auto scaleTemperature = [&temperature](double factor) {
    temperature = static_cast<std::int32_t>(RoundHalfEven(temperature * factor));
  };
  std::string& code = world.StarType[s];
  if (code == kWhiteDwarf) {
    scaleTemperature(1.75);
    luminosity = static_cast<float>(luminosity / 500.0);
    if (mass > 1.4) {
      code = kNeutronStar;
      scaleTemperature(2.5);
      luminosity = static_cast<float>(luminosity * 0.9);
      if (mass > 2.4) {
        code = kBlackHole;
        temperature = 3;
        luminosity = 0.000001f;
      }
    }
  } else {
    for (const GiantLight& giant : kGiantLight) {
      if (code == giant.code) {
        scaleTemperature(giant.temperature);
        luminosity = static_cast<float>(luminosity * giant.luminosity);
      }
    }
  }
  world.StarTemperature[s] = std::min(temperature, kMaxStarTemperature);
  world.StarLuminosity[s] = luminosity;
}

}  // namespace

double StarMassFromRoll(int roll) {
  if (roll <= 40) return 0.08 + 0.006 * roll;
  if (roll <= 58) return 0.32 + 0.0145 * (roll - 40);
  if (roll <= 66) return 0.58 + 0.02125 * (roll - 58);
  if (roll <= 70) return 0.75 + 0.03125 * (roll - 66);
  if (roll <= 73) return 0.875 + 0.04167 * (roll - 70);
  if (roll <= 75) return 1 + 0.0625 * (roll - 73);
  if (roll <= 77) return 1.125 + 0.0875 * (roll - 75);
  return 1.3 + 0.1 * (roll - 77);
}

void GenerateStars(World& world, Random& random) {
  random.SeedFromClock();
  ClearStars(world);
  if (random.RollDie(100) < 60) {
    world.StarCount = 1;
  } else {
    world.StarCount = 2;
    DrawSeparation(world, random);
  }
  for (int s = 1; s <= world.StarCount; ++s) {
    double mass = DrawStarMass(random);
    mass += (random.Uniform() - 0.5) / 20;
    // A close companion forms from the same cloud: its mass follows the primary's.
    if (s == 2 && 30 * world.StarMass[1] > world.StarSeparation && random.RollDie(10) > 3) {
      mass = world.StarMass[1] * random.NarrowFactor();
    }
    world.StarMass[s] = mass;
  }
  StarPhysics(world, random);
  ClassifyStars(world);
}

void DrawSeparation(World& world, Random& random) {
  const int sixes = random.RollDice(2, 6);
  const int fours = random.RollDice(2, 4);
  const double exponent = sixes - fours + 2.0 * random.Uniform();
  world.StarSeparation = std::pow(2.0, exponent);
}

void StarPhysics(World& world, Random& random) {
  const bool binary = world.StarCount == 2;
  if (binary && world.StarMass[2] > world.StarMass[1]) {
    std::swap(world.StarMass[1], world.StarMass[2]);
  }
  DrawAgeAndEvolution(world, random);
  if (binary) {
    // The primary may have shed mass as a white dwarf: keep the heavier star first.
    if (world.StarMass[2] > world.StarMass[1]) {
      std::swap(world.StarMass[1], world.StarMass[2]);
      std::swap(world.StarType[1], world.StarType[2]);
    }
    // Kepler's third law in years, AU and solar masses.
    const double separation = world.StarSeparation;
    world.StarPeriod = static_cast<float>(
        std::sqrt(separation * separation * separation / (world.StarMass[1] + world.StarMass[2])));
  }
  for (int s = 1; s <= world.StarCount; ++s) {
    StarLight(world, random, s);
  }
  DrawStarAngles(world, random);
}

void DrawAgeAndEvolution(World& world, Random& random) {
  const double primaryMass = world.StarMass[1];
  if (primaryMass <= 1.0) {
    world.SystemAge = static_cast<float>(random.RollDie(1000) / 100.0);
  } else {
    // The age is a share of the main-sequence lifetime, 10 / m^3 billion years.
    const int lifetimeShare = random.RollDie(100);
    world.SystemAge = static_cast<float>(lifetimeShare * InverseCube(primaryMass) / 10);
    if (lifetimeShare > 98) {
      MakeGiant(world, random);
    }
    if (random.RollDie(100) > 90 - primaryMass) {
      world.SystemAge = static_cast<float>(3 * random.Uniform() + 10 * InverseCube(primaryMass));
      if (world.SystemAge > 10) {
        world.SystemAge = static_cast<float>(10 - random.Uniform() / 2.0);
      }
      world.StarMass[1] = primaryMass / 3;
      world.StarType[1] = kWhiteDwarf;
    }
  }
  EvolveCompanion(world, random);
}

void MakeGiant(World& world, Random& random) {
  const double primaryMass = world.StarMass[1];
  const double size = random.RollDie(100) + primaryMass;
  std::string_view code = size < 40   ? kSubgiant
                          : size < 70 ? kGiant
                          : size < 90 ? kBrightGiant
                                      : kSupergiant;
  world.StarType[1] = code;
  if (world.StarCount == 2 && 0.97 * primaryMass < world.StarMass[2]) {
    world.StarType[2] = code;
  }
}

void EvolveCompanion(World& world, Random& random) {
  const double companionMass = world.StarMass[2];
  if (world.StarCount != 2 || companionMass <= 1.0) {
    return;
  }
  double progress = random.RollDie(100) * companionMass;
  if (world.StarType[1] == kWhiteDwarf) {
    progress += 50;
  }
  if (world.SystemAge > (150 - progress) * InverseCube(companionMass) / 10) {
    world.StarMass[2] = companionMass / 3;
    world.StarType[2] = kWhiteDwarf;
  }
}

void DrawStarAngles(World& world, Random& random) {
  if (world.StarCount == 1) {
    world.StarAngle[1] = 180.0 * random.Uniform();
  } else if (world.StarCount == 2) {
    world.StarAngle[0] = 180.0 * random.Uniform();
    if (30 * world.StarMass[1] <= world.StarSeparation) {
      world.StarAngle[1] = 180.0 * random.Uniform();
      world.StarAngle[2] = 180.0 * random.Uniform();
    } else {
      // A close pair shares the plane of its orbit within a few degrees.
      world.StarAngle[1] = world.StarAngle[0] + (0.5 - random.Uniform()) * 5;
      world.StarAngle[2] = world.StarAngle[1] + (0.5 - random.Uniform()) * 5;
      for (int s = 1; s <= 2; ++s) {
        if (world.StarAngle[s] >= 180) {
          world.StarAngle[s] -= 180;
        }
      }
    }
  }
}

void ClassifyStars(World& world) {
  for (int s = 1; s <= world.StarCount; ++s) {
    std::string& type = world.StarType[s];
    const std::string suffix = type.empty() ? std::string(" V  ") : " " + type;
    const std::int32_t temperature = world.StarTemperature[s];
    const SpectralBand band = BandOfTemperature(temperature);
    // Hotter stars within a band take smaller subclass numbers.
    const double place = 10.0 * (temperature - band.low) / (band.high - band.low);
    const int subclass = std::clamp(9 - static_cast<int>(std::floor(place)), 0, 9);
    type.assign(1, band.letter);
    type += ' ';
    type += static_cast<char>('0' + subclass);
    type += suffix;
  }
  if (world.StarCount == 2) {
    CombineBinary(world);
  }
}

void CombineBinary(World& world) {
  world.StarType[0] = world.StarType[1];
  world.StarMass[0] = world.StarMass[1] + world.StarMass[2];
  world.StarTemperature[0] = world.StarTemperature[1];
  world.StarLuminosity[0] = world.StarLuminosity[1] + world.StarLuminosity[2];
}

}  // namespace ax
