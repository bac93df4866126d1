#pragma once

#include <compare>
#include <filesystem>
#include <set>

namespace ax {

// A world the user keeps: star and orbit.
struct OrbitPlace {
  int star = 0;
  int orbit = 0;
  auto operator<=>(const OrbitPlace&) const = default;
};

using Locks = std::set<OrbitPlace>;

// The side file beside a system file that holds its locks: "sol.ax2" gives "sol.ax2.locks".
std::filesystem::path LockFilePath(const std::filesystem::path& systemFile);

// The locks saved beside a system file; nothing is locked when there is no side file. Throws
// SystemFileError naming the side file when it cannot be read or is not a list of places.
Locks ReadLocks(const std::filesystem::path& systemFile);

// Saves the locks beside a system file, atomically; with no locks the side file is removed.
// Throws SystemFileError.
void WriteLocks(const std::filesystem::path& systemFile, const Locks& locks);

}  // namespace ax
