#pragma once

#include <string>

#include "model/World.h"

namespace ax {

// What the naming window edits: the system's name or the selected body's.
enum class NameKind { System, World };

// The caption of the naming window's label for each kind.
const char* NamePanelCaption(NameKind kind);

// The name the window opens with.
std::string NameToEdit(const World& world, NameKind kind);

// Stores the typed name as it is (an empty name is allowed and means "not named"); a world's
// name goes to the body selected when the name is accepted.
void AcceptName(World& world, NameKind kind, std::string name);

}  // namespace ax
