#include "io/Naming.h"

#include <utility>

namespace ax {

const char* NamePanelCaption(NameKind kind) {
  return kind == NameKind::System ? "System Name:" : "World Name:";
}

std::string NameToEdit(const World& world, NameKind kind) {
  if (kind == NameKind::System) return world.SystemName;
  return world.BodyName(world.CurrentStar, world.CurrentOrbit, world.CurrentBody);
}

void AcceptName(World& world, NameKind kind, std::string name) {
  if (kind == NameKind::System) {
    world.SystemName = std::move(name);
  } else {
    world.BodyName(world.CurrentStar, world.CurrentOrbit, world.CurrentBody) = std::move(name);
  }
}

}  // namespace ax
