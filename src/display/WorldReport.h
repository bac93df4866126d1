#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display/Canvas.h"
#include "display/RecordingCanvas.h"
#include "model/World.h"

namespace ax {

constexpr float kPressureShown = 0.001f;  // bars; thinner air is no atmosphere to list

// The text read-out of the selected world or moon, drawn in the 0..100 scale of the drawing
// area: name and class, particulars, atmosphere and gases, surface, life and civilization,
// orbital elements, a diagram of the star's worlds, and the list of moons or belt bodies.
// Gives an unnamed body its default name.
//
// The system window does the rest of showing it: the planet-name menu item, report mode
// (DisplayMode 2), the scroll buttons and the captions of WorldButton and ModeButton2.
class WorldReport {
 public:
  WorldReport(World& world, Canvas& canvas);

  // Draws the whole read-out; leaves the selection as it found it.
  void ShowWorldReport();

  // The gas share table is a picture for the panel; the exported report keeps its own lines.
  bool GasShares = true;

  // What a click on the read-out of the selected body reaches: the orbit strip's margin leads
  // back to the symbolic list, a world drawn on the strip, a moon's or belt body's row.
  struct Hit {
    enum class Kind { Nothing, SymbolicList, Orbit, Body };
    Kind kind = Kind::Nothing;
    int index = 0;  // the orbit or the body
  };
  static Hit HitAt(const World& world, double x, double y);

  // The text grid in drawing units, rebuilt at the start of every report: columns 1..7 and
  // lines 0..33 (index 0 of ColX is unused).
  std::array<std::int16_t, 8> ColX{};
  std::array<std::int16_t, 34> LineY{};

 private:
  void PrintReportLine(double x, double y);
  void ShowGasTable();
  // Each gas and its share of the pressure, in the free lower right of the panel from the
  // given line on, when the gases fit there.
  void ShowGasShares(std::size_t firstFreeLine);

  void BuildGrid();
  // ReportText = text, then PrintReportLine(x, y).
  void Print(std::string text, float x, float y);
  void PrintInColour(std::string text, float x, float y, int paletteIndex);
  void PrintLabels(bool bodyIsBelt);
  void PrintValues(bool bodyIsBelt);
  void PrintLocalDays();
  void DrawDiagram();
  void PrintOrbitColumn(bool bodyIsBelt, bool worldIsBelt);
  void PrintMoonTable(bool worldIsBelt);

  World& world_;
  Canvas& canvas_;
  Colour textColour_;
};

// The report's texts as plain lines in reading order: one line per text row (top to bottom),
// its pieces ordered left to right and padded to their columns, in UTF-8.
std::vector<std::string> ReportLines(const RecordingCanvas& canvas);

// The world's 8-bit Latin-1 texts as UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);

}  // namespace ax
