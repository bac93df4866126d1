#include "control/Seeds.h"

#include <charconv>

namespace ax {

std::optional<std::uint64_t> ParseSeed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\n\v\f\r";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view digits = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  std::uint64_t seed = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return seed;
}

std::string SeedText(std::uint64_t seed) {
  return "Seed: " + std::to_string(seed);
}

}  // namespace ax
