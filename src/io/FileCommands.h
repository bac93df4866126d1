#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "io/SystemFile.h"
#include "model/World.h"

namespace ax {

// What the Open and Save As dialogs offer.
struct FileDialogFilter {
  std::string description;       // "Star Files (*.ax2)"
  std::string pattern;           // "*.ax2"
  std::string defaultExtension;  // "ax2", added to a name typed without one
};

// Open always looks for .ax2 files; Save As in a cluster saves under the cluster's own code
// (files ending in .C07 for the cluster C07).
FileDialogFilter OpenDialogFilter();
FileDialogFilter SaveDialogFilter(const World& world, std::string_view clusterCode);

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
