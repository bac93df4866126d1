#pragma once

#include "io/ClusterRecord.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {

// Puts the record's stars, name, age, position and motion values into the world, and its file
// name into SystemFilePath. A pair gets its period back from the separation, fresh angles
// and the pair's combined values; the caller clears the stars first.
void LoadClusterStar(World& world, Random& random, const ClusterRecord& record);

}  // namespace ax
