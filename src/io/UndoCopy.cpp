#include "io/UndoCopy.h"

namespace ax {

void UndoCopy::Take(World& world) {
  if (!enabled) return;
  // Only the copy is named after the undo file: the system on screen keeps its own name,
  // which an empty model would otherwise pass on to the next system generated.
  const std::string name = world.SystemName;
  WriteSystemFile(world, File());
  world.SystemName = name;
  world.SystemFilePath = File();
  available = true;
}

void UndoCopy::Restore(World& world, SystemFileReader& reader) const {
  reader.Read(File(), world);
}

}  // namespace ax
