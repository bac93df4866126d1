#pragma once

#include "model/World.h"

namespace ax {

// Gives the selected body its default name: the system's name, the star's letter, the world's
// place among the star's worlds as a Roman numeral and, for a moon, its number ("Sol III  2").
// An unnamed system is named "Star" first.
void MakeDefaultName(World& world);

}  // namespace ax
