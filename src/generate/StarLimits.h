#pragma once

#include <string_view>

namespace ax {

// A closed range of typed values, and how forms and help texts write it; NaN lies outside
// every range.
struct ValueRange {
  double least;
  double greatest;
  std::string_view text;
  constexpr bool Holds(double value) const { return value >= least && value <= greatest; }
};

// What a typed or observed star may be. Below ten Jupiter masses nothing is a star, and 300
// is about the heaviest star known; its main-sequence light m^4 and 5800 x sqrt(m) K stay
// inside the luminosity and temperature ranges. Black holes carry 3 K and the hottest stars
// a few 100,000 K. Across the separations the pair's period stays a finite float (at most
// sqrt(1e18 / 0.02) years) and every orbit a finite distance.
inline constexpr ValueRange kStarMassRange{0.01, 300, "0.01 to 300"};           // solar masses
inline constexpr ValueRange kStarTemperatureRange{1, 500'000, "1 to 500,000"};  // whole kelvin
inline constexpr ValueRange kStarLuminosityRange{1e-9, 1e10, "1e-9 to 1e10"};   // solar units
inline constexpr ValueRange kStarSeparationRange{0.001, 1'000'000, "0.001 to 1,000,000"};  // AU

// A given age must stay below this many billion years: 98 % of the 10 / m^3 billion years a
// star of m solar masses lives on the main sequence, so that it cannot have evolved.
constexpr double LongestGivenAge(double mass) {
  return 9.8 / (mass * mass * mass);
}

}  // namespace ax
