#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace ax {

// The temperature band of each spectral letter, hottest first: a type's subclass places the
// star within its band, 0 at the hot end.
struct SpectralBand {
  char letter;
  std::int32_t low;   // kelvin
  std::int32_t high;  // kelvin
};

inline constexpr std::array<SpectralBand, 7> kSpectralBands{{{'O', 25000, 75000},
                                                             {'B', 11000, 25000},
                                                             {'A', 7500, 11000},
                                                             {'F', 6000, 7500},
                                                             {'G', 5000, 6000},
                                                             {'K', 3500, 5000},
                                                             {'M', 1500, 3500}}};

// The band a star of this temperature belongs to; a band's lower edge belongs to the cooler
// band, and everything cooler than K is M.
constexpr SpectralBand BandOfTemperature(std::int32_t temperature) {
  for (const SpectralBand& band : kSpectralBands) {
    if (temperature > band.low) return band;
  }
  return kSpectralBands.back();
}

constexpr std::optional<SpectralBand> BandOfLetter(char letter) {
  for (const SpectralBand& band : kSpectralBands) {
    if (band.letter == letter) return band;
  }
  return std::nullopt;
}

}  // namespace ax
