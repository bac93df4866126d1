#pragma once

#include "display/Canvas.h"
#include "model/World.h"

namespace ax {

// The text read-out of the selected world or moon, drawn in the 0..100 scale of the drawing
// area: name and class, particulars, atmosphere and gases, surface, life and civilization,
// orbital elements, a diagram of the star's worlds, and the list of moons or belt bodies.
// Gives an unnamed body its default name.
class WorldReport {
 public:
  WorldReport(World& world, Canvas& canvas);

  void ShowWorldReport();

 private:
  void PrintReportLine(double x, double y);
  void ShowGasTable();

  World& world_;
  Canvas& canvas_;
  Colour textColour_;
};

}  // namespace ax
