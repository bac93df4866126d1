#include "display/OrbitView.h"

namespace ax {

OrbitView::OrbitView(World& world, const ViewState& view, Canvas& canvas)
    : world_(world), view_(view), canvas_(canvas) {}

void OrbitView::DrawSystem() {}
void OrbitView::SetupOrbit() {}
void OrbitView::OrbitPosition() {}
void OrbitView::ProjectOrbitPoint(double) {}
void OrbitView::DrawOrbit() {}
void OrbitView::SetBodySymbol() {}
void OrbitView::SetStarColour(int) {}

Colour BodyClassColour(const World&, int, int, int) {
  return {};
}

Colour StarColour(const std::string&) {
  return {};
}

}  // namespace ax
