#include "display/SymbolicList.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "display/BodySymbols.h"
#include "display/NumberPicture.h"

namespace ax {
namespace {

constexpr int kPenColour = 10;  // light green

// The grid, in drawing units.
constexpr double kGridTop = 34;          // star 0's row starts here
constexpr double kGridBottom = 83;       // clicks below belong to no row
constexpr double kRowHeight = 16;        // one row per star
constexpr double kGridLeft = 3;          // orbit 0's column starts here
constexpr double kOrbitColumnWidth = 6;  // one column per orbit
constexpr double kFirstClickX = 8;       // clicks left of this hit the star's own column
constexpr double kMoonRadius = 0.25;     // drawing units
constexpr double kMoonRowBelow = 3;      // the moons' row under the world's centre
constexpr int kMoonsShown = 5;           // one row; more would crowd the orbit's label
constexpr int kMoonsBesideCount = 2;     // drawn before the count of the rest
constexpr double kCountBelow = 1.8;      // the count's top, clear of the world's disc
constexpr double kEmptyRadius = 1;       // the ring that marks an empty orbit
constexpr int kEmptyColour = 8;          // dark grey: faint on the black list
constexpr int kMoonCountColour = 7;      // light grey: apart from the distance under it
// Labels of neighbouring orbits alternate between two heights, so each has two columns'
// width and "0.39 AU" stays whole at the window's smallest size.
constexpr double kNearLabelBelow = 4.2;
constexpr double kFarLabelBelow = 6.6;
constexpr double kLabelIndent = 0.5;

const char* StarLetter(int star) {
  return star == 0 ? "AB" : star == 1 ? "A" : "B";
}

// Two significant figures below 10 AU, whole AU beyond: enough to tell orbits apart.
std::string AxisText(double au) {
  return FormatNumber(au, au < 1 ? "0.00" : au < 10 ? "0.0" : "#,##0") + " AU";
}

}  // namespace

SymbolicList::SymbolicList(const World& world, Canvas& canvas) : world_(world), canvas_(canvas) {}

void SymbolicList::Draw() {
  DrawStarReadOut();
  if (world_.SystemSurveyed != 0) DrawSymbols();
}

std::optional<SymbolicList::Cell> SymbolicList::HitAt(double x, double y) {
  if (!(y > kGridTop && y < kGridBottom && x > kFirstClickX)) return std::nullopt;
  const auto star = static_cast<int>(std::floor((y - kGridTop) / kRowHeight));
  const auto orbit = static_cast<int>(std::floor((x - kGridLeft) / kOrbitColumnWidth));
  if (star < 0 || star >= kStarSlots || orbit < 0 || orbit > kLastOrbit) return std::nullopt;
  return Cell{star, orbit};
}

void SymbolicList::DrawStarReadOut() {
  const Colour pen = PaletteColour(kPenColour);
  const bool named = !world_.SystemName.empty() && world_.SystemName != "Star";
  canvas_.Text(3, 2, named ? "System " + world_.SystemName : std::string("Unnamed system"), pen);
  canvas_.Text(3, 6,
               "Stars: " + std::to_string(world_.StarCount) +
                   "    Age: " + FormatNumber(world_.SystemAge, "#,##0.00") + " billion years",
               pen);
  double y = 10;
  for (int star = 1; star <= std::min<int>(world_.StarCount, 2); ++star) {
    const auto s = static_cast<std::size_t>(star);
    canvas_.Text(3, y,
                 std::string("Star ") + StarLetter(star) + ": " + world_.StarType[s] +
                     "   Mass: " + FormatNumber(world_.StarMass[s], "#,##0.000") +
                     "   Temperature: " + FormatNumber(world_.StarTemperature[s], "#,##0") +
                     " K   Luminosity: " + FormatNumber(world_.StarLuminosity[s], "#,##0.0000"),
                 pen);
    y += 4;
  }
  if (world_.StarCount == 2) {
    canvas_.Text(3, y,
                 "Separation: " + FormatNumber(world_.StarSeparation, "#,##0.00") +
                     " AU   Period: " + FormatNumber(world_.StarPeriod, "#,##0.00") + " years",
                 pen);
  }
}

void SymbolicList::DrawSymbols() {
  const double starX = kGridLeft + kOrbitColumnWidth / 2;
  for (int star = 0; star < kStarSlots; ++star) {
    const bool inUse = world_.StarCount == 2 || star == 1;
    if (!inUse) continue;
    const double rowY = kGridTop + kRowHeight * star + kRowHeight / 2;
    if (star == 0) {
      canvas_.Disc(starX - 1, rowY, 1, StarColour(world_.StarType[1]));
      canvas_.Disc(starX + 1, rowY, 1, StarColour(world_.StarType[2]));
    } else {
      canvas_.Disc(starX, rowY, 1.5, StarColour(world_.StarType[static_cast<std::size_t>(star)]));
    }
    canvas_.Text(kGridLeft - 2, rowY - 1, StarLetter(star), PaletteColour(kPenColour));
    const int orbits = std::min<int>(world_.OrbitCount[static_cast<std::size_t>(star)], kLastOrbit);
    for (int orbit = 1; orbit <= orbits; ++orbit) DrawOrbitCell(star, orbit, rowY);
  }
}

void SymbolicList::DrawOrbitCell(int star, int orbit, double rowY) {
  const std::string& worldClass = world_.BodyClass(star, orbit, 0);
  const double cellLeft = kGridLeft + kOrbitColumnWidth * orbit;
  const double centreX = cellLeft + kOrbitColumnWidth / 2;
  if (worldClass.empty()) {
    canvas_.Circle(centreX, rowY, kEmptyRadius, PaletteColour(kEmptyColour));
    return;
  }
  const double radius = worldClass == "J" ? 1.5 : IsBelt(worldClass) ? 0.5 : 1;
  canvas_.Disc(centreX, rowY, radius, BodyClassColour(world_, star, orbit, 0));
  const Colour pen = PaletteColour(kPenColour);
  const double labelBelow = orbit % 2 == 1 ? kNearLabelBelow : kFarLabelBelow;
  canvas_.Text(cellLeft + kLabelIndent, rowY + labelBelow,
               AxisText(world_.BodySemiMajorAxis(star, orbit, 0)), pen);

  const int moons = std::min<int>(
      world_.MoonCount[static_cast<std::size_t>(star)][static_cast<std::size_t>(orbit)],
      kBodySlots - 1);
  const int drawn = moons > kMoonsShown ? kMoonsBesideCount : moons;
  for (int moon = 1; moon <= drawn; ++moon) {
    canvas_.Disc(cellLeft + moon, rowY + kMoonRowBelow, kMoonRadius,
                 BodyClassColour(world_, star, orbit, moon));
  }
  if (drawn < moons) {
    canvas_.Text(cellLeft + drawn + 0.6, rowY + kCountBelow, "+" + std::to_string(moons - drawn),
                 PaletteColour(kMoonCountColour));
  }
}

}  // namespace ax
