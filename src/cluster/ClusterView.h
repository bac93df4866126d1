#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cluster/StarMarks.h"
#include "display/Canvas.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/World.h"

namespace ax {

// Where the cluster is looked at from: the centre and radius of the drawn sphere, in cells.
struct ClusterViewState {
  double X = 50;
  double Y = 50;
  double Z = 50;
  double Range = 50;
  bool SecondView = false;  // the +X view beside the +Z view
  // Area units one screen pixel covers: star sizes and the reach of a click are in pixels.
  double PixelSize = 0.15;
  StarMark Mark = StarMark::None;  // the stars ringed, by the marks given to the drawing
};

// A click picks the nearest star no farther than this from it (screen pixels).
inline constexpr double kClickReachPixels = 8;

// A star of the last drawing, in drawing order; the selection searches these.
struct DrawnStar {
  std::int32_t Record = 0;  // its record number in the cluster file
  float X = 0;
  float Y = 0;
  float Z = 0;
};

// The marker of the selected star, and the grey that covers a former selection's marker.
inline constexpr Colour kSelectedStarColour{255, 0, 255};  // magenta, the colour of no star
inline constexpr Colour kFormerSelectionColour{100, 100, 100};

// The drawing area's width in scale units: 100 for the +Z view, 200 with the +X view.
double ClusterViewWidth(const ClusterViewState& view);

// Clears the area and draws captions, scale bar, range circles, every star within range and
// the centre marks on a canvas already scaled to ClusterViewWidth x 100. Returns the stars
// drawn, in drawing order; `scan` tells how far the file was read. A range that is not above 0
// or a view value that is not finite draws no star and reads nothing. A star is a disc 2 to 6
// pixels across by its luminosity, the brightest with a glow; they are painted after the pass,
// in batches of one colour and size, glows first and the larger discs over the smaller. With
// `marks`, each star with the view's mark gets a ring in the mark's colour, outside a selection
// marker and under the discs.
std::vector<DrawnStar> DrawCluster(Canvas& canvas, const ClusterViewState& view,
                                   ClusterFileReader& reader, ClusterScan* scan = nullptr,
                                   const StarMarks* marks = nullptr);

// The drawn stars that have the view's mark.
std::int64_t CountMarked(const std::vector<DrawnStar>& drawn, const ClusterViewState& view,
                         const StarMarks& marks);

// The legend of the view's mark in the top right corner of the +Z view: a ring in its colour
// and the legend text (MarkLegend).
void DrawMarkLegend(Canvas& canvas, const ClusterViewState& view, std::string_view legend);

// Where a drawn star is seen in the area: in the +Z view, or in the +X view when `secondView`.
CanvasPoint StarPlace(const ClusterViewState& view, const DrawnStar& star, bool secondView);

// The drawn star nearest the pointer (in scale units) in the view under the pointer, as an
// index into `drawn`; the first in drawing order among equals; nothing when none was drawn
// within kClickReachPixels of the pointer.
std::optional<std::size_t> NearestDrawnStar(const std::vector<DrawnStar>& drawn,
                                            const ClusterViewState& view, double pointerX,
                                            double pointerY);

// A marker circle around the star in each view shown, clear of the largest disc.
void DrawStarMarker(Canvas& canvas, const ClusterViewState& view, const DrawnStar& star,
                    Colour colour);

// The selected star's name and cell ("Sec01:050712  cell 05 07 12"), and that label printed
// beside its marker in each view shown, on the side where it stays inside the view.
std::string StarLabel(const ClusterRecord& record);
void DrawStarLabel(Canvas& canvas, const ClusterViewState& view, const DrawnStar& star,
                   std::string_view label);

// "X:05.20 Y:12.00 Z:49.93", printed at (kStarPositionTextX, kStarPositionTextY) for the
// selected star.
inline constexpr double kStarPositionTextX = 70;
inline constexpr double kStarPositionTextY = 96;
std::string StarPositionText(const DrawnStar& star);

// The summary line of a selected star: name, types, separation of a pair, distance from the
// view centre.
std::string SelectedStarSummary(const ClusterRecord& record, const ClusterViewState& view);

// The view texts: the centre with the picture "00.00" and the range with "00"; a range of 0
// (never set) becomes the centre (50, 50, 50) and range 50 first.
struct ClusterViewTexts {
  std::string X;
  std::string Y;
  std::string Z;
  std::string Range;
};
ClusterViewTexts ShowViewCentre(ClusterViewState& view);

// Centres the view on the world's star (SystemX, SystemY, SystemZ), then ShowViewCentre.
ClusterViewTexts CentreViewOnStar(ClusterViewState& view, const World& world);

}  // namespace ax
