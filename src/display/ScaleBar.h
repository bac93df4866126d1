#pragma once

#include "display/Canvas.h"
#include "display/ViewState.h"

namespace ax {

// The orbit view's scale bar along the bottom edge with its caption, "Scale in AU" (system
// view) or "Scale X 10,000KM" (world view). The bar is as long as a round distance (1, 2 or 5
// times a power of ten AU, or km in the world view) and that distance is written under it.
void DrawScaleBar(Canvas& canvas, const ViewState& view);

}  // namespace ax
