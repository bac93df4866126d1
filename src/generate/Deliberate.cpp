#include "generate/Deliberate.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "generate/NumberText.h"
#include "generate/StarLimits.h"
#include "generate/Stars.h"
#include "model/Numbers.h"

namespace ax {
namespace {

struct StarValues {
  double mass = 0;
  std::int32_t temperature = 0;
  float luminosity = 0;
};

// Reads a value within the range the model holds, or records the field as rejected and
// gives 0.
double RangedField(std::string_view text, const char* field, const ValueRange& range,
                   std::vector<std::string>& rejected) {
  const double value = LeadingNumber(text);
  if (!range.Holds(value)) {
    rejected.emplace_back(field);
    return 0;
  }
  return value;
}

StarValues ReadStar(std::string_view mass, std::string_view temperature,
                    std::string_view luminosity, const char* massField,
                    const char* temperatureField, const char* luminosityField,
                    std::vector<std::string>& rejected) {
  StarValues star;
  star.mass = RangedField(mass, massField, kStarMassRange, rejected);
  // Kelvin are whole.
  const double kelvin = RoundHalfEven(LeadingNumber(temperature));
  if (!kStarTemperatureRange.Holds(kelvin)) {
    rejected.emplace_back(temperatureField);
  } else {
    star.temperature = static_cast<std::int32_t>(kelvin);
  }
  star.luminosity =
      static_cast<float>(RangedField(luminosity, luminosityField, kStarLuminosityRange, rejected));
  return star;
}

}  // namespace

std::vector<std::string> GenerateDeliberateSystem(World& world, Random& random,
                                                  const DeliberateInput& input) {
  random.SeedFromClock();
  std::vector<std::string> rejected;
  const int starCount = input.binary ? 2 : 1;
  StarValues stars[3];
  stars[1] = ReadStar(input.starAMass, input.starATemp, input.starALumn, "StarAMassText",
                      "StarATempText", "StarALumnText", rejected);
  double separation = 0;
  if (input.binary) {
    stars[2] = ReadStar(input.starBMass, input.starBTemp, input.starBLumn, "StarBMassText",
                        "StarBTempText", "StarBLumnText", rejected);
    separation = RangedField(input.separation, "SeparationText", kStarSeparationRange, rejected);
  }
  if (!rejected.empty()) {
    return rejected;
  }

  const double primaryMass = stars[1].mass;
  const double givenAge = LeadingNumber(input.age);
  if (givenAge > 0 && !(givenAge < LongestGivenAge(primaryMass))) {
    rejected.emplace_back("AgeText");
    return rejected;
  }

  ClearStars(world);
  world.SystemName = input.systemName;
  world.StarCount = static_cast<std::int16_t>(starCount);
  for (int s = 1; s <= starCount; ++s) {
    world.StarMass[s] = stars[s].mass;
    world.StarTemperature[s] = stars[s].temperature;
    world.StarLuminosity[s] = stars[s].luminosity;
    world.StarType[s].clear();  // main sequence, whatever the tables held before
  }
  world.StarSeparation = separation;
  if (givenAge > 0) {
    world.SystemAge = ClampToFloat(givenAge);
  } else if (primaryMass <= 1.0) {
    world.SystemAge = static_cast<float>(random.RollDie(1000) / 100.0);
  } else {
    // At most 98 % of the lifetime, so the star cannot have evolved.
    const int lifetimeShare = random.RollDie(98);
    world.SystemAge = static_cast<float>(lifetimeShare / Cube(primaryMass) / 10);
  }
  if (input.binary) {
    // Kepler's third law in years, AU and solar masses.
    world.StarPeriod = ClampToFloat(std::sqrt(Cube(separation) / (stars[1].mass + stars[2].mass)));
  }
  ClassifyStars(world);
  DrawStarAngles(world, random);
  ClearSystem(world);
  return rejected;
}

}  // namespace ax
