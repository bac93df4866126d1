#pragma once

#include <string>
#include <vector>

#include "model/Random.h"
#include "model/World.h"

namespace ax {

// The texts and choice of the deliberate generation form, as the user typed them.
struct DeliberateInput {
  std::string systemName;
  bool binary = false;
  std::string starAMass;
  std::string starATemp;
  std::string starALumn;
  std::string starBMass;
  std::string starBTemp;
  std::string starBLumn;
  std::string separation;
  std::string age;  // empty or 0: drawn
};

// Builds one or two main-sequence stars from the user's values, each within its range in
// generate/StarLimits.h. Returns the names of the rejected text boxes (e.g. "StarAMassText");
// the world is changed only when none is rejected, so a rejected input leaves it exactly as
// it was.
std::vector<std::string> GenerateDeliberateSystem(World& world, Random& random,
                                                  const DeliberateInput& input);

}  // namespace ax
