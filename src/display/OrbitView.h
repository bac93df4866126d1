#pragma once

#include <cstdint>
#include <string>

#include "display/Canvas.h"
#include "display/ViewState.h"
#include "model/World.h"

namespace ax {

// Draws the system on its orbits at the star date: the system view (DisplayMode 1) centred on
// the stars, or the world view (DisplayMode 3) centred on the selected world with its rings and
// moons. Everything is drawn afresh from the world on each call; the world is only read, and
// the selection is what it was before drawing.
class OrbitView {
 public:
  OrbitView(World& world, const ViewState& view, Canvas& canvas);

  // Clears the drawing area and draws the current graphical mode completely; in the other
  // modes it draws nothing.
  void DrawSystem();
  // Only the stars, worlds, moons and their orbits and the selected body's ring, onto what is
  // there: what a fit measures. The selected body is the world at the current star and orbit in
  // the system view, the current moon in the world view.
  void DrawBodies();

  // The orbit pipeline, for the selected body.
  void SetupOrbit();
  void OrbitPosition();
  // Point k of 72 round the ellipse (k = 72 x OrbitFraction for the body itself).
  void ProjectOrbitPoint(double k);
  void DrawOrbit();
  void SetBodySymbol();
  void SetStarColour(int star);
  // A filled circle in copy-pen mode, outline and fill in one colour.
  void DrawDisc(double x, double y, double radius, Colour colour);

  // Working values of the drawing.
  double ViewCentreX = 50;
  double ViewCentreY = 50;
  double DrawScale = 1;
  double OrbitFraction = 0;  // true anomaly / 2 pi of the body being drawn
  float SymbolSize = 1;
  Colour SymbolColour = PaletteColour(10);
  double ProjectedY = 0;      // the last projected point, in drawing units
  double ProjectedDepth = 0;  // towards the viewer when positive

  // Working terms of the orbit being drawn, in drawing units before the zoom.
  double SemiMajorAxis = 0;  // a
  double FocalOffset = 0;    // c, the centre's distance from the focus
  double SemiMinorAxis = 0;  // b

 private:
  // The elements of one orbit: a body's from the world, or a star's own orbit about the pair
  // and a ring's circle, which are made up while drawing and never written to the world.
  struct OrbitElements {
    double semiMajorAxis = 0;
    double eccentricity = 0;
    double inclination = 0;         // degrees
    double ascendingNode = 0;       // degrees
    double periastronArgument = 0;  // degrees
    double periastronTime = 0;      // fraction of the period
    double period = 0;              // hours
  };

  OrbitElements SelectedElements() const;
  void SetupElements(const OrbitElements& orbit);
  void PositionOnOrbit(const OrbitElements& orbit);
  void ProjectBodyAtDate(const OrbitElements& orbit);

  void SystemView();
  void WorldView();
  void DrawWorldAndMoons();
  void DrawStars();
  double SizeWorldSymbol() const;
  // The radius in drawing units of a disc at least this many pixels across on the canvas.
  double Visible(double radius, double leastPixels) const;
  void RingSelected(double x, double y, double radius);
  // The world view's disc of the world at the current star and orbit.
  double WorldDisc() const;
  void Select(int star, int orbit, int body);
  void UseDrawMode(DrawMode mode);

  World& world_;
  const ViewState& view_;
  Canvas& canvas_;

  double cosW_ = 1, sinW_ = 0;  // argument of periastron
  double cosN_ = 1, sinN_ = 0;  // longitude of the ascending node
  double cosI_ = 1, sinI_ = 0;  // inclination
  double cosRx_ = 1, sinRx_ = 0;
  double cosRy_ = 1, sinRy_ = 0;
  double cosRz_ = 1, sinRz_ = 0;
  double projectedX_ = 0;  // the last projected point's x, in drawing units
  // The last projected point before zoom and centring, for the world view's hiding test.
  double planeX_ = 0, planeY_ = 0;
  DrawMode drawMode_ = DrawMode::CopyPen;
  int selectedStar_ = 0, selectedOrbit_ = 0, selectedBody_ = 0;  // as before drawing
};

}  // namespace ax
