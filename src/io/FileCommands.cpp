#include "io/FileCommands.h"

namespace ax {

FileDialogFilter OpenDialogFilter() {
  return {"Star Files (*.ax2)", "*.ax2", "ax2"};
}

FileDialogFilter SaveDialogFilter(const World& world, std::string_view clusterCode) {
  if (world.ClusterMode == 0) return OpenDialogFilter();
  const std::string code(clusterCode);
  return {"Astrolattix Systems (*." + code + ")", "*." + code, code};
}

void UndoCopy::Take(World& world) {
  if (!enabled) return;
  // Only the copy is named after the undo file: the system on screen keeps its own name,
  // which an empty model would otherwise pass on to the next system generated.
  const std::string name = world.SystemName;
  try {
    WriteSystemFile(world, File());
  } catch (...) {
    world.SystemName = name;
    throw;
  }
  world.SystemName = name;
  world.SystemFilePath = File();
  available = true;
}

void UndoCopy::Restore(World& world, SystemFileReader& reader) const {
  reader.Read(File(), world);
}

}  // namespace ax
