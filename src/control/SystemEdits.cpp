#include "control/SystemEdits.h"

#include <algorithm>
#include <string>

#include "edit/EditError.h"
#include "edit/Reroll.h"

namespace ax {
namespace {

std::string OrbitWords(const World& w) {
  return "orbit " + std::to_string(w.CurrentOrbit) + " of star " + std::to_string(w.CurrentStar);
}

// Puts the selection back, the body no further out than the orbit's moons now reach. The
// selection may still be the survey's cursor, one past the last star, which names no orbit.
void Reselect(World& w, std::int16_t star, std::int16_t orbit, std::int16_t body) {
  w.CurrentStar = star;
  w.CurrentOrbit = orbit;
  if (star >= 0 && star < kStarSlots && orbit >= 0 && orbit < kOrbitSlots) {
    w.CurrentBody = std::min<std::int16_t>(body, w.MoonCount[star][orbit]);
  }
}

}  // namespace

SystemEdits::SystemEdits(World& world) : world_(world) {}

template <typename Change>
EditOutcome SystemEdits::Edit(const char* name, Change&& change) {
  EditStep step{name, EncodeSystem(world_), {}, locks_, {}};
  const std::int16_t star = world_.CurrentStar;
  const std::int16_t orbit = world_.CurrentOrbit;
  const std::int16_t body = world_.CurrentBody;
  EditOutcome outcome;
  try {
    outcome.status = change();
  } catch (const EditError& error) {
    return {std::nullopt, error.what(), true, error.field};
  }
  // The edits select as they go; the user's choice stays.
  Reselect(world_, star, orbit, body);
  step.after = EncodeSystem(world_);
  step.locksAfter = locks_;
  if (step.after != step.before || step.locksAfter != step.locksBefore) outcome.step = step;
  return outcome;
}

bool SystemEdits::SelectedLocked() const {
  return locks_.contains({world_.CurrentStar, world_.CurrentOrbit});
}

EditOutcome SystemEdits::RerollWorld(std::uint64_t seed) {
  return Edit("Reroll World", [&] {
    if (SelectedLocked()) throw EditError("The world of " + OrbitWords(world_) + " is locked");
    ax::RerollWorld(world_, world_.CurrentStar, world_.CurrentOrbit, seed);
    const bool none = world_.BodyClass(world_.CurrentStar, world_.CurrentOrbit, 0).empty();
    return "Rerolled the world of " + OrbitWords(world_) + " from seed " + std::to_string(seed) +
           (none ? ": no world formed there this time" : "");
  });
}

EditOutcome SystemEdits::RerollUnlocked(std::uint64_t seed) {
  return Edit("Reroll Unlocked", [&] {
    const int count = ax::RerollUnlocked(world_, locks_, seed);
    return "Rerolled " + std::to_string(count) + " unlocked worlds from seed " +
           std::to_string(seed);
  });
}

EditOutcome SystemEdits::ToggleLock() {
  const bool locked = SelectedLocked();
  return Edit(locked ? "Unlock World" : "Lock World", [&] {
    CheckWorld(world_, world_.CurrentStar, world_.CurrentOrbit);
    const OrbitPlace place{world_.CurrentStar, world_.CurrentOrbit};
    if (locked) {
      locks_.erase(place);
    } else {
      locks_.insert(place);
    }
    return (locked ? "Unlocked the world of " : "Locked the world of ") + OrbitWords(world_);
  });
}

EditOutcome SystemEdits::EditWorld(const std::vector<FieldValue>& values) {
  return Edit("Edit World", [&] {
    ApplyEdits(world_, world_.CurrentStar, world_.CurrentOrbit, world_.CurrentBody, values);
    return "Edited the world of " + OrbitWords(world_);
  });
}

EditOutcome SystemEdits::RemoveWorld() {
  return Edit("Remove World", [&] {
    ax::RemoveWorld(world_, world_.CurrentStar, world_.CurrentOrbit);
    locks_.erase({world_.CurrentStar, world_.CurrentOrbit});
    return "Removed the world of " + OrbitWords(world_);
  });
}

EditOutcome SystemEdits::AddWorld(std::uint64_t seed) {
  return Edit("Add World", [&] {
    ax::AddWorld(world_, world_.CurrentStar, world_.CurrentOrbit, seed);
    return "Added a world at " + OrbitWords(world_) + " from seed " + std::to_string(seed);
  });
}

void SystemEdits::Restore(const std::string& bytes, const Locks& locks) {
  const std::filesystem::path file = world_.SystemFilePath;
  const std::int16_t saved = world_.SystemSaved;
  const std::int16_t clusterMode = world_.ClusterMode;
  const std::int16_t star = world_.CurrentStar;
  const std::int16_t orbit = world_.CurrentOrbit;
  const std::int16_t body = world_.CurrentBody;
  reader_.Decode(bytes, world_);
  world_.SystemFilePath = file;
  world_.SystemSaved = saved;
  world_.ClusterMode = clusterMode;
  Reselect(world_, star, orbit, body);
  locks_ = locks;
}

std::string SystemEdits::LoadLocks(const std::filesystem::path& systemFile) {
  locks_.clear();
  try {
    locks_ = ReadLocks(systemFile);
  } catch (const SystemFileError& error) {
    return std::string("Nothing is locked: ") + error.what();
  }
  return {};
}

void SystemEdits::SaveLocks(const std::filesystem::path& systemFile) const {
  WriteLocks(systemFile, locks_);
}

}  // namespace ax
