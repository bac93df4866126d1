#pragma once

#include <optional>

#include "display/Canvas.h"
#include "model/World.h"

namespace ax {

// The symbolic list (DisplayMode 0), in the 0..100 scale of the drawing area: the read-out of
// the system's stars, and once it is surveyed a grid with a row per star (a pair's shared
// orbits, then star 1 and star 2) and a column per orbit, each world a disc in its class colour
// with its distance in AU and its moons in small discs beneath (a count of the rest when they
// crowd), each empty orbit a faint ring. The world is only read.
class SymbolicList {
 public:
  SymbolicList(const World& world, Canvas& canvas);

  void Draw();

  // A cell of the grid: the star of its row and the orbit of its column.
  struct Cell {
    int star = 0;
    int orbit = 0;
  };
  // The cell at a point, or nothing outside the grid and in the stars' own column.
  static std::optional<Cell> HitAt(double x, double y);

 private:
  void DrawStarReadOut();
  void DrawSymbols();
  void DrawOrbitCell(int star, int orbit, double rowY);

  const World& world_;
  Canvas& canvas_;
};

}  // namespace ax
