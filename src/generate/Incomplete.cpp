#include "generate/Incomplete.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "generate/NumberText.h"
#include "generate/SpectralBands.h"
#include "generate/StarLimits.h"
#include "generate/Stars.h"
#include "model/Numbers.h"

namespace ax {
namespace {

struct ObservedStar {
  float luminosity = 0;
  SpectralBand band{' ', 0, 0};
  int subclass = 0;
  std::string suffix;
  double correctionBase = 1;  // the mass is corrected by this to the power 1/4
  bool heavier = false;       // multiplied by the correction rather than divided
  // The lightest and heaviest mass the scatter can give the star.
  double leastMass = 0;
  double mostMass = 0;
};

// NarrowFactor scatters a mass from light by 0.81 ... 1.21: an observation is taken only when
// every mass it can give lies in the range the model holds.
constexpr double kLeastScatter = 0.81;
constexpr double kMostScatter = 1.21;

struct LuminosityClass {
  std::string_view name;
  std::string_view suffix;
  double correctionBase;
  bool heavier;
};

// The magnitude-based mass assumes the main sequence; giants are lighter for their light,
// remnants heavier.
const LuminosityClass kClasses[] = {
    {"V", " V  ", 1, false},    {"IV", " IV ", 2, false},   {"III", " III", 10, false},
    {"II", " II ", 100, false}, {"I", " I  ", 1000, false}, {"D", " D  ", 500, true},
    {"N", " N  ", 555, true},
};

// Reads one star's fields; a rejected field is added to the list. Once the input is invalid
// the subclass and class are not examined.
ObservedStar ReadObservedStar(std::string_view typeText, std::string_view magnitudeText,
                              const char* typeField, const char* magnitudeField,
                              std::vector<std::string>& rejected) {
  ObservedStar star;
  // A bare "0" is a real magnitude; only an empty or non-numeric text reads as 0.
  const double magnitude = magnitudeText == "0" ? 0.00001 : LeadingNumber(magnitudeText);
  const double luminosity = magnitude != 0 ? std::pow(10.0, (4.7 - magnitude) / 2.5) : 0.0;
  if (!kStarLuminosityRange.Holds(luminosity)) {
    rejected.emplace_back(magnitudeField);
  }
  star.luminosity = static_cast<float>(luminosity);

  std::string type(typeText);
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const std::optional<SpectralBand> band = type.empty() ? std::nullopt : BandOfLetter(type[0]);
  if (band) {
    star.band = *band;
  } else {
    rejected.emplace_back(typeField);
  }
  if (!rejected.empty()) {
    return star;
  }

  const std::size_t digitAt = type.size() > 1 && type[1] == ' ' ? 2 : 1;
  if (digitAt >= type.size() || type[digitAt] < '0' || type[digitAt] > '9') {
    rejected.emplace_back(typeField);
    return star;
  }
  star.subclass = type[digitAt] - '0';

  std::string className;
  for (std::size_t i = digitAt + 1; i < type.size(); ++i) {
    if (type[i] != ' ') className += type[i];
  }
  star.suffix = " V  ";
  for (const LuminosityClass& entry : kClasses) {
    if (className == entry.name) {
      star.suffix = entry.suffix;
      star.correctionBase = entry.correctionBase;
      star.heavier = entry.heavier;
    }
  }
  const double correction = std::pow(star.correctionBase, 0.25);
  const double mass =
      std::pow(double{star.luminosity}, 0.25) * (star.heavier ? correction : 1 / correction);
  star.leastMass = mass * kLeastScatter;
  star.mostMass = mass * kMostScatter;
  if (!kStarMassRange.Holds(star.leastMass) || !kStarMassRange.Holds(star.mostMass)) {
    rejected.emplace_back(magnitudeField);
  }
  return star;
}

// Places one observed star in the tables: mass from its light, then its temperature within
// the letter's band.
void StoreStar(World& world, Random& random, int s, const ObservedStar& star) {
  // Main-sequence mass-luminosity relation, L ~ m^4.
  const double scatter = random.NarrowFactor();
  const double mainSequenceMass = std::pow(double{star.luminosity}, 0.25) * scatter;
  const double correction = std::pow(star.correctionBase, 0.25);
  world.StarMass[s] = star.heavier ? mainSequenceMass * correction : mainSequenceMass / correction;
  world.StarLuminosity[s] = star.luminosity;
  world.StarType[s] = std::string(1, star.band.letter) + " " +
                      std::string(1, static_cast<char>('0' + star.subclass)) + star.suffix;
  const std::int16_t spread = random.RollDie(100);
  const double bandWidth = star.band.high - star.band.low;
  world.StarTemperature[s] = static_cast<std::int32_t>(
      RoundHalfEven(star.band.low + bandWidth * (10 - star.subclass) / 10 - spread));
}

void DrawAge(World& world, Random& random) {
  const double primaryMass = world.StarMass[1];
  const char code = world.StarType[1].size() > 4 ? world.StarType[1][4] : 'V';
  if (code == 'D' || code == 'N') {
    // A remnant's progenitor had three times its mass and lived out its lifetime.
    const float u = random.Uniform();
    world.SystemAge = static_cast<float>(3 * u + 10 / Cube(3 * primaryMass));
  } else if (code != 'V') {
    // An evolved star is at 98 ... 100 % of its main-sequence lifetime.
    const float u = random.Uniform();
    world.SystemAge = static_cast<float>(10 / Cube(primaryMass) * (0.98 + u / 50.0));
  } else if (primaryMass <= 1.0) {
    world.SystemAge = static_cast<float>(random.RollDie(1000) / 100.0);
  } else {
    const int lifetimeShare = random.RollDie(100);
    world.SystemAge = static_cast<float>(lifetimeShare / Cube(primaryMass) / 10);
  }
}

}  // namespace

std::vector<std::string> GenerateIncompleteSystem(World& world, Random& random,
                                                  const IncompleteInput& input) {
  random.SeedFromClock();
  std::vector<std::string> rejected;
  const int starCount = input.binary ? 2 : 1;
  ObservedStar stars[3];
  stars[1] = ReadObservedStar(input.starAType, input.starAMagn, "StarATypeText", "StarAMagnText",
                              rejected);
  if (input.binary) {
    stars[2] = ReadObservedStar(input.starBType, input.starBMagn, "StarBTypeText", "StarBMagnText",
                                rejected);
  }
  const bool starsSound = rejected.empty();
  double knownSeparation = 0;
  double knownPeriod = 0;
  if (input.binary && input.separation == SeparationKnowledge::kKnown) {
    knownSeparation = LeadingNumber(input.knownSep);
    if (!kStarSeparationRange.Holds(knownSeparation)) rejected.emplace_back("KnownSepText");
  }
  if (input.binary && input.separation == SeparationKnowledge::kPeriod) {
    knownPeriod = LeadingNumber(input.knownPeriod);
    // Kepler's third law for the lightest and the heaviest pair the scatter can make.
    const double periodSquared = Square(ClampToFloat(knownPeriod));
    const auto fits = [&](double totalMass) {
      return kStarSeparationRange.Holds(std::cbrt(periodSquared * totalMass));
    };
    if (knownPeriod <= 0 || (starsSound && !(fits(stars[1].leastMass + stars[2].leastMass) &&
                                             fits(stars[1].mostMass + stars[2].mostMass)))) {
      rejected.emplace_back("KnownPeriodText");
    }
  }
  if (!rejected.empty()) {
    return rejected;
  }

  ClearStars(world);
  world.SystemName = input.systemName;
  world.StarCount = static_cast<std::int16_t>(starCount);
  for (int s = 1; s <= starCount; ++s) {
    StoreStar(world, random, s, stars[s]);
  }
  if (input.binary && world.StarMass[2] > world.StarMass[1]) {
    std::swap(world.StarMass[1], world.StarMass[2]);
    std::swap(world.StarLuminosity[1], world.StarLuminosity[2]);
    std::swap(world.StarTemperature[1], world.StarTemperature[2]);
    std::swap(world.StarType[1], world.StarType[2]);
  }
  DrawAge(world, random);

  if (input.binary) {
    const double totalMass = world.StarMass[1] + world.StarMass[2];
    switch (input.separation) {
      case SeparationKnowledge::kKnown: world.StarSeparation = knownSeparation; break;
      case SeparationKnowledge::kPeriod:
        world.StarPeriod = ClampToFloat(knownPeriod);
        world.StarSeparation = std::cbrt(Square(double{world.StarPeriod}) * totalMass);
        break;
      case SeparationKnowledge::kClose: {
        const std::int16_t roll = random.RollDie(1000);
        world.StarSeparation = roll / 1000.0 + totalMass / 400;
        break;
      }
      case SeparationKnowledge::kUnknown: DrawSeparation(world, random); break;
      case SeparationKnowledge::kNone: break;
    }
    if (input.separation == SeparationKnowledge::kKnown ||
        input.separation == SeparationKnowledge::kClose ||
        input.separation == SeparationKnowledge::kUnknown) {
      // Kepler's third law in years, AU and solar masses.
      world.StarPeriod = ClampToFloat(std::sqrt(Cube(world.StarSeparation) / totalMass));
    }
  }

  world.StarMass[0] = world.StarMass[1] + (input.binary ? world.StarMass[2] : 0);
  world.StarTemperature[0] = world.StarTemperature[1];
  world.StarLuminosity[0] =
      world.StarLuminosity[1] + (input.binary ? world.StarLuminosity[2] : 0.0f);
  DrawStarAngles(world, random);
  ClearSystem(world);
  return rejected;
}

}  // namespace ax
