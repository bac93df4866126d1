#pragma once

#include <string>
#include <string_view>

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

}  // namespace ax
