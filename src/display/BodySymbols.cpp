#include "display/BodySymbols.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ax {
namespace {

constexpr double kStarRadiusPerMass = 0.005;  // drawing units at zoom 1 per solar mass

Colour Rgb(int red, int green, int blue) {
  const auto channel = [](int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  };
  return {channel(red), channel(green), channel(blue)};
}

// The type text is the spectral letter, a blank, the subclass digit and the luminosity suffix,
// whose first letter (the text's fifth character) names a remnant: "D", "N" or "B".
char LuminosityLetter(std::string_view type) {
  return type.size() >= 5 ? type[4] : '\0';
}

enum class StarSize {
  WhiteDwarf,
  NeutronStar,
  BlackHole,
  Dwarf,
  Subgiant,
  Giant,
  BrightGiant,
  Supergiant
};

// By the remnant letter, else by the type text's last three characters (the luminosity class).
StarSize StarSizeOf(std::string_view type) {
  switch (LuminosityLetter(type)) {
    case 'D': return StarSize::WhiteDwarf;
    case 'N': return StarSize::NeutronStar;
    case 'B': return StarSize::BlackHole;
    default: break;
  }
  const std::string_view suffix = type.size() >= 3 ? type.substr(type.size() - 3) : type;
  if (suffix == "IV ") return StarSize::Subgiant;
  if (suffix == "III") return StarSize::Giant;
  if (suffix == "II ") return StarSize::BrightGiant;
  if (suffix == "I  ") return StarSize::Supergiant;
  return StarSize::Dwarf;
}

}  // namespace

BodySymbol SymbolOf(const World& world, int star, int orbit, int body) {
  const std::string& bodyClass = world.BodyClass(star, orbit, body);
  if (bodyClass.size() != 1) {
    return {};
  }
  switch (bodyClass[0]) {
    case 'T': return {1.5f, Colour{120, 60, 0}, "Rocky world or moon without an atmosphere"};
    case 'J': {
      const double mass = world.BodyMass(star, orbit, body);
      if (mass > 385) return {2.0f, Colour{110, 30, 90}, "Jovian of more than 385 Earth masses"};
      if (mass > 120) {
        return {2.0f, Colour{190, 30, 90}, "Jovian of more than 120 up to 385 Earth masses"};
      }
      if (mass > 20) {
        return {2.0f, Colour{190, 60, 120}, "Jovian of more than 20 up to 120 Earth masses"};
      }
      return {2.0f, Colour{190, 60, 90}, "Jovian of 20 Earth masses or less"};
    }
    case 'S': return {1.5f, Colour{180, 60, 120}, "Small warm jovian"};
    case 'P': return {0.5f, Colour{122, 122, 122}, "Planetoid belt, or a warm protoplanet"};
    case 'I':
      return {0.5f, Colour{255, 255, 255}, "Small icy world, or a belt of cold protoplanets"};
    case 'Z':
      if (world.BodyClass(star, orbit, 0) == "I") {
        return {0.5f, Colour{255, 255, 255}, "Belt body of an icy (I) belt"};
      }
      return {0.5f, Colour{122, 122, 122}, "Tiny moon or belt body"};
    case 'Y':
      return {1.5f, Colour{125, 125, 50}, "Primordial atmosphere, still the gases it formed with"};
    case 'M': return {1.5f, Colour{200, 0, 0}, "Carbon dioxide atmosphere below 0.1 bar"};
    case 'V': return {1.5f, Colour{255, 255, 0}, "Carbon dioxide atmosphere above 5 bars"};
    case 'W': return {1.5f, Colour{255, 122, 0}, "Carbon dioxide atmosphere of 0.1 to 5 bars"};
    case 'N':
      return {1.5f, Colour{100, 255, 200},
              "Nitrogen atmosphere, sometimes with simple life that breathes no oxygen"};
    case 'K': return {1.5f, Colour{0, 255, 0}, "Chlorine world with chlorine-silicon life"};
    case 'H':
      return {1.5f, Colour{0, 175, 255}, "Oxygen world furthest from Earth, more than 200 points"};
    case 'G': return {1.5f, Colour{0, 150, 255}, "Oxygen world, more than 100 points"};
    case 'F': return {1.5f, Colour{0, 125, 255}, "Oxygen world, more than 50 points"};
    case 'E': return {1.5f, Colour{0, 100, 255}, "Oxygen world, more than 30 points"};
    case 'D': return {1.5f, Colour{0, 75, 255}, "Oxygen world, more than 20 points"};
    case 'C': return {1.5f, Colour{0, 50, 255}, "Oxygen world, more than 10 points"};
    case 'B': return {1.5f, Colour{0, 25, 255}, "Oxygen world, more than 5 points"};
    case 'A':
      return {1.5f, Colour{0, 0, 255},
              "Oxygen world closest to Earth (5 habitability points or fewer)"};
    default: return {};
  }
}

std::optional<Colour> StarColourOf(std::string_view type) {
  if (LuminosityLetter(type) == 'B') {
    return Colour{100, 0, 100};  // a black hole, whatever its letter
  }
  if (type.empty()) {
    return std::nullopt;
  }
  const int d = type.size() >= 3 && type[2] >= '0' && type[2] <= '9' ? type[2] - '0' : 0;
  switch (type[0]) {
    case 'O': return Rgb(0, 100 + 10 * d, 255);
    case 'B': return Rgb(10 * d, 255, 255);
    case 'A': return Rgb(150 + 10 * d, 255, 255);
    case 'F': return Rgb(255, 255, 255 - 10 * d);
    case 'G': return Rgb(255, 255 - 5 * d, 0);
    case 'K': return Rgb(255, 200 - 10 * d, 0);
    case 'M': return Rgb(255, 100 - 10 * d, 0);
    default: return std::nullopt;
  }
}

// The star's radius in drawing units at zoom 1: remnants shrink, giants swell with the square
// root of their luminosity factor over the square of their temperature factor.
double StarRadius(double mass, std::string_view type) {
  const double r = mass * kStarRadiusPerMass;
  switch (StarSizeOf(type)) {
    case StarSize::WhiteDwarf: return r / 1000;
    case StarSize::NeutronStar: return r / 100000;
    case StarSize::BlackHole: return r / 200000;
    case StarSize::Subgiant: return r * std::sqrt(2.0) / (0.8 * 0.8);
    case StarSize::Giant: return r * std::sqrt(10.0) / (0.6 * 0.6);
    case StarSize::BrightGiant: return r * std::sqrt(100.0) / (0.5 * 0.5);
    case StarSize::Supergiant: return r * std::sqrt(1000.0) / (0.3 * 0.3);
    case StarSize::Dwarf: break;
  }
  return r;
}

double StarLeastPixels(std::string_view type) {
  switch (StarSizeOf(type)) {
    case StarSize::WhiteDwarf:
    case StarSize::NeutronStar:
    case StarSize::BlackHole: return kLeastPixels;
    case StarSize::Dwarf: return 7;
    case StarSize::Subgiant: return 9;
    case StarSize::Giant: return 11;
    case StarSize::BrightGiant: return 13;
    case StarSize::Supergiant: return 15;
  }
  return kLeastPixels;
}

double BodyLeastPixels(const World& world, int star, int orbit, int body) {
  const std::string& worldClass = world.BodyClass(star, orbit, 0);
  if (body != 0 || IsBelt(worldClass)) return kLeastPixels;
  if (worldClass == "J") return 9;
  if (worldClass == "S") return 7;
  return 6;
}

Colour BodyClassColour(const World& world, int star, int orbit, int body) {
  return SymbolOf(world, star, orbit, body).colour.value_or(PaletteColour(10));
}

Colour StarColour(const std::string& starType) {
  return StarColourOf(starType).value_or(PaletteColour(10));
}

}  // namespace ax
