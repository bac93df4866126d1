#include "io/LockFile.h"

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "io/SystemFile.h"
#include "model/World.h"

namespace ax {

namespace fs = std::filesystem;

fs::path LockFilePath(const fs::path& systemFile) {
  fs::path side = systemFile;
  side += ".locks";
  return side;
}

Locks ReadLocks(const fs::path& systemFile) {
  const fs::path side = LockFilePath(systemFile);
  std::error_code error;
  if (!fs::exists(side, error)) return {};
  std::ifstream in(side);
  if (!in)
    throw SystemFileError(side, "the file cannot be opened", {FileFailure::Kind::Unreadable});
  Locks locks;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream fields(line);
    OrbitPlace place;
    std::string rest;
    // Each line "star orbit", with a star 0..2 and an orbit 1..15, as the system file counts them.
    if (!(fields >> place.star >> place.orbit) || (fields >> rest) || place.star < 0 ||
        place.star >= kStarSlots || place.orbit < 1 || place.orbit > kLastOrbit) {
      throw SystemFileError(side, "line " + std::to_string(number) + " is not a star and an orbit",
                            {FileFailure::Kind::Damaged});
    }
    locks.insert(place);
  }
  if (in.bad())
    throw SystemFileError(side, "the file cannot be read", {FileFailure::Kind::Unreadable});
  return locks;
}

void WriteLocks(const fs::path& systemFile, const Locks& locks) {
  const fs::path side = LockFilePath(systemFile);
  if (locks.empty()) {
    std::error_code error;
    fs::remove(side, error);
    if (error) throw SystemFileError(side, error.message(), {FileFailure::Kind::Unwritable});
    return;
  }
  std::string text;
  for (const OrbitPlace& place : locks) {
    text += std::to_string(place.star) + ' ' + std::to_string(place.orbit) + '\n';
  }
  WriteAtomically(side, text);
}

}  // namespace ax
