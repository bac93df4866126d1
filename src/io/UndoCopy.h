#pragma once

#include <filesystem>

#include "io/SystemFile.h"
#include "model/World.h"

namespace ax {

// The one-level undo of a generation: a copy of the system about to be replaced, kept in
// "undone.bak" in the current directory. The file outlives the program.
class UndoCopy {
 public:
  static std::filesystem::path File() { return "undone.bak"; }

  bool enabled = false;    // the Enable Undo System switch, off at start
  bool available = false;  // Undo System can be chosen once a copy was taken in this run

  // Writes the current system to the undo file when the switch is on (an unnamed system is
  // stored as "Undone"). Throws SystemFileError; a failed copy leaves availability as it was.
  void Take(World& world);
  // Brings the copy back; the copy stays, so undoing again restores it again. Throws
  // SystemFileError and leaves the world as it was when the copy is missing or damaged.
  void Restore(World& world, SystemFileReader& reader) const;
};

}  // namespace ax
