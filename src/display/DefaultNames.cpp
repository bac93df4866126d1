#include "display/DefaultNames.h"

#include <array>
#include <string>
#include <string_view>

#include "display/NumberPicture.h"

namespace ax {
namespace {

constexpr std::array<std::string_view, 16> kNumerals = {
    "",      "I ",  "II ", "III ", "IV ",  "V ",    "VI ",  "VII ",
    "VIII ", "IX ", "X ",  "XI ",  "XII ", "XIII ", "XIV ", "XV ",
};

std::string_view StarLetter(const World& world, int star) {
  if (world.StarCount != 2) return " ";
  static constexpr std::array<std::string_view, 3> kLetters = {"O ", "A ", "B "};
  return kLetters[static_cast<std::size_t>(star)];
}

}  // namespace

void MakeDefaultName(World& world) {
  const int star = world.CurrentStar;
  const int orbit = world.CurrentOrbit;
  const int body = world.CurrentBody;
  if (star < 0 || star >= kStarSlots || orbit < 0 || orbit >= kOrbitSlots || body < 0 ||
      body >= kBodySlots) {
    ThrowIndexOutOfRange(star, orbit, body);
  }

  if (world.SystemName.empty()) world.SystemName = "Star";

  // The place among the star's worlds: empty orbits are not counted.
  std::size_t position = 0;
  for (int k = 1; k <= orbit; ++k) {
    if (!world.BodyClass(star, k, 0).empty()) ++position;
  }
  // Orbit 0 is the star's own slot and has no place; a valid model has at most 15 worlds.
  const std::string_view numeral = position < kNumerals.size() ? kNumerals[position] : "";
  const std::string moonPart = body > 0 ? SignedText(body) : "";

  world.BodyName(star, orbit, body) =
      world.SystemName + std::string(StarLetter(world, star)) + std::string(numeral) + moonPart;
}

}  // namespace ax
