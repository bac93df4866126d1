#include "display/DisplayMode.h"

#include "display/OrbitView.h"
#include "display/SymbolicList.h"
#include "display/WorldReport.h"

namespace ax {

void DrawDisplayMode(World& world, const ViewState& view, Canvas& canvas) {
  switch (view.DisplayMode) {
    case 0: SymbolicList(world, canvas).Draw(); return;
    case 2: WorldReport(world, canvas).ShowWorldReport(); return;
    default: OrbitView(world, view, canvas).DrawSystem();
  }
}

std::string_view DisplayModeName(int displayMode) {
  switch (displayMode) {
    case 0: return "symbolic list";
    case 2: return "world report";
    case 3: return "world view";
    default: return "system view";
  }
}

}  // namespace ax
