#pragma once

#include <cstdint>
#include <string>

#include "display/Canvas.h"
#include "display/ViewState.h"
#include "model/World.h"

namespace ax {

// Draws the system on its orbits at the star date: the system view (DisplayMode 1) centred on
// the stars, or the world view (DisplayMode 3) centred on the selected world with its rings and
// moons. Everything is drawn afresh from the world on each call.
class OrbitView {
 public:
  OrbitView(World& world, const ViewState& view, Canvas& canvas);

  // Clears the drawing area and draws the current graphical mode completely.
  void DrawSystem();

  // The orbit pipeline, for the selected body.
  void SetupOrbit();
  void OrbitPosition();
  // Point k of 72 round the ellipse (k = 72 x OrbitFraction for the body itself).
  void ProjectOrbitPoint(double k);
  void DrawOrbit();
  void SetBodySymbol();
  void SetStarColour(int star);

  // Working values of the drawing.
  double ViewCentreX = 50;
  double ViewCentreY = 50;
  double DrawScale = 1;
  double OrbitFraction = 0;  // true anomaly / 2 pi of the body being drawn
  float SymbolSize = 1;
  Colour SymbolColour;
  double ProjectedX = 0;  // the last projected point, in drawing units
  double ProjectedY = 0;
  double ProjectedDepth = 0;

 private:
  World& world_;
  const ViewState& view_;
  Canvas& canvas_;
};

// The symbol colour of a body class (and of a "Z" body, its world's class), and of a star's
// spectral type: shared by the orbit view, the symbolic list and the world report.
Colour BodyClassColour(const World& world, int star, int orbit, int body);
Colour StarColour(const std::string& starType);

}  // namespace ax
