#pragma once

#include <string_view>

#include "display/Canvas.h"
#include "display/ViewState.h"
#include "model/World.h"

namespace ax {

// Draws the display mode the view names, for the window and for images alike: the symbolic
// list (0), the system view (1), the world report of the selected body (2) or the world view
// (3). The selection is left as it was.
void DrawDisplayMode(World& world, const ViewState& view, Canvas& canvas);

// What the display mode shows, for titles: "symbolic list", "system view", ...
std::string_view DisplayModeName(int displayMode);

}  // namespace ax
