#pragma once

#include <cstdint>

namespace ax {

// The zooms a view takes, typed, stepped or fitted.
constexpr double kLeastViewZoom = 0.001;
constexpr double kMostViewZoom = 256;

// How the system is looked at: display mode, zoom, pans, rotations, the star date, and the
// View menu's choices of what the orbit view draws.
struct ViewState {
  std::int16_t DisplayMode = 0;  // 0 symbolic list, 1 system view, 2 world report, 3 world view
  float ViewZoom = 1;            // kLeastViewZoom .. kMostViewZoom
  float ViewPanX = 0;
  float ViewPanY = 0;
  float ViewRotX = 0;  // degrees
  float ViewRotY = 0;
  float ViewRotZ = 0;
  double StarDate = 2000.0;  // years
  double ViewAspect = 1;     // drawing area width / height

  bool ShowOrbits = true;
  bool ShowPlanets = true;
  bool ShowMoonOrbits = true;
  bool ShowMoonPositions = true;

  // Zoom 1, no rotation, no pan.
  void ResetView();
};

}  // namespace ax
