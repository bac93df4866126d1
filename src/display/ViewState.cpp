#include "display/ViewState.h"

namespace ax {

void ViewState::ResetView() {
  ViewZoom = 1;
  ViewRotX = 0;
  ViewRotY = 0;
  ViewRotZ = 0;
  ViewPanX = 0;
  ViewPanY = 0;
}

}  // namespace ax
