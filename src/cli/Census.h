#pragma once

#include <map>
#include <ostream>
#include <string>

#include "model/World.h"

namespace ax {

// Counts over many generated systems, so a reader can judge the distributions at a glance.
struct Census {
  long systems = 0;
  long pairs = 0;
  long worlds = 0;
  long moons = 0;          // moons of worlds
  long beltBodies = 0;     // large bodies of "P" and "I" belts
  long livingBodies = 0;   // any life at all
  long civilizations = 0;  // one for every beep of the survey
  std::map<std::string, long> classes;

  void Add(const World& world);
  void Print(std::ostream& out) const;
};

}  // namespace ax
