#pragma once

#include <cstdint>
#include <filesystem>

#include "io/ClusterRecord.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {

// How a jump found the star's system.
enum class JumpOutcome {
  Fresh,            // never kept: the stars from the record, the worlds still to be made
  Kept,             // read from the star's own system file
  KeptFileMissing,  // kept, but the file is gone: the stars from the record, as if fresh
  KeptFileForeign,  // kept, but the file now holds another star's system: as if fresh
};

// The folder of a cluster's kept systems: the cluster file's own, so that a cluster opened
// from anywhere finds them.
std::filesystem::path KeptSystemFile(const std::filesystem::path& clusterFile,
                                     const std::string& fileName);

// The seed of a star's own system: a fixed hash of the record's star (its number, position,
// motion and star data, not its kept flag, file name or system name), so that every jump, on
// any machine and for clusters made before, makes the same system.
std::uint64_t StarSystemSeed(const ClusterRecord& record);

// Puts the selected star's system into the world: the kept system file when there is one,
// otherwise the stars of the record with nothing around them yet, and `random` then seeded
// from StarSystemSeed, so that the survey drawing on from it makes the star's own worlds. Sets
// ClusterMode. Throws
// SystemFileError when a kept file exists but cannot be read; the world is unchanged then.
JumpOutcome JumpIntoClusterStar(World& world, Random& random, SystemFileReader& reader,
                                const std::filesystem::path& clusterFile,
                                const ClusterRecord& record);

// Keeps the surveyed system of the star the world holds: saves it beside the cluster file and
// marks the star's record as kept with that file's name. The name is the one the user saved
// the system under when it fits the record's 12 characters and names neither the cluster file
// nor another star's file (two stars sharing a file would take each other's systems), else
// the star's own. Throws
// SystemFileError or ClusterFileError; the record is marked only after the system is saved.
void KeepClusterStarSystem(World& world, const std::filesystem::path& clusterFile,
                           const ClusterRecord& record);

}  // namespace ax
