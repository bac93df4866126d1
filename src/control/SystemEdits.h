#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "edit/WorldEdit.h"
#include "io/LockFile.h"
#include "io/SystemFile.h"
#include "model/World.h"

namespace ax {

// One edit of the system window as its undo stack holds it: the system's saved bytes and its
// locks before and after, so that undo and redo give back exactly what was there.
struct EditStep {
  std::string name;  // "Reroll World": Undo and Redo name it
  std::string before;
  std::string after;
  Locks locksBefore;
  Locks locksAfter;
};

// What an edit did: its step, or none when it was refused; and the status bar's words.
struct EditOutcome {
  std::optional<EditStep> step;
  std::string status;
  bool refused = false;      // nothing changed: the status says why
  std::string refusedField;  // the World table of a refused value, for the form to mark
};

// The system window's edits of the selected world (the world of the selected orbit): reroll,
// lock, edit, remove and add, and Reroll Unlocked, with the locks of the system shown. Each
// edit that changes anything gives the step to put on the undo stack.
class SystemEdits {
 public:
  explicit SystemEdits(World& world);

  EditOutcome RerollWorld(std::uint64_t seed);
  EditOutcome RerollUnlocked(std::uint64_t seed);
  EditOutcome ToggleLock();
  // The values of the selected body (a world or a moon) and of its star.
  EditOutcome EditWorld(const std::vector<FieldValue>& values);
  EditOutcome RemoveWorld();
  EditOutcome AddWorld(std::uint64_t seed);

  bool SelectedLocked() const;
  const Locks& CurrentLocks() const { return locks_; }

  // Undo and redo: the system as the bytes hold it, with these locks. What belongs to the window
  // rather than the system (its file, a cluster star, the selection) stays.
  void Restore(const std::string& bytes, const Locks& locks);

  // Locks travel with files: read beside an opened file (a bad side file is refused in plain
  // words and locks nothing), written beside a saved one, forgotten with a new system.
  std::string LoadLocks(const std::filesystem::path& systemFile);
  void SaveLocks(const std::filesystem::path& systemFile) const;
  void ForgetLocks() { locks_.clear(); }

 private:
  template <typename Change>
  EditOutcome Edit(const char* name, Change&& change);

  World& world_;
  Locks locks_;
  SystemFileReader reader_;
};

}  // namespace ax
