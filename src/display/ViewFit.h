#pragma once

#include "display/ViewState.h"
#include "model/World.h"

namespace ax {

// Sets the zoom and pan so that what the graphical mode shows, the whole system (system view:
// every orbit of every star) or the selected world with its moons and rings (world view),
// fills about 90 % of the smaller side of the drawing area, centred; the rotations and the
// date stay. Does nothing in the other modes or when nothing would be drawn. The world is
// drawn to measure it and left as it was.
void FitView(World& world, ViewState& view);

}  // namespace ax
