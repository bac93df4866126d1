#pragma once

#include <string>
#include <vector>

#include "model/Random.h"
#include "model/World.h"

namespace ax {

// What is known of a pair's separation.
enum class SeparationKnowledge { kNone, kKnown, kPeriod, kClose, kUnknown };

// The texts and choices of the incomplete generation form, as the user typed them.
struct IncompleteInput {
  std::string systemName;
  bool binary = false;
  std::string starAType;  // spectral type, e.g. "G2V" or "K 3 III"
  std::string starAMagn;  // absolute magnitude
  std::string starBType;
  std::string starBMagn;
  SeparationKnowledge separation = SeparationKnowledge::kNone;
  std::string knownSep;     // AU
  std::string knownPeriod;  // years
};

// Works out each star's luminosity, mass and temperature from its spectral type and absolute
// magnitude, then the age and the pair's separation. A magnitude or a separation (known, or
// from a period) that may give a star or pair outside the ranges in generate/StarLimits.h is
// rejected. Returns the names of the rejected text boxes (e.g. "StarATypeText"); the world is
// changed only when none is rejected.
std::vector<std::string> GenerateIncompleteSystem(World& world, Random& random,
                                                  const IncompleteInput& input);

}  // namespace ax
