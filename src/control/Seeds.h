#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Random.h"

namespace ax {

// Every random system and cluster is made from a 64-bit seed of its own, so that the same seed
// makes it again here and on the command line.

// A whole number 0 .. 2^64 - 1 in decimal digits alone; blanks around it are allowed.
std::optional<std::uint64_t> ParseSeed(std::string_view text);

// "Seed: 1234", as the status bar and a system's note show it.
std::string SeedText(std::uint64_t seed);

}  // namespace ax
