#include "cluster/ClusterView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>
#include <span>
#include <string_view>
#include <utility>

#include "display/BodySymbols.h"
#include "display/NumberPicture.h"
#include "model/Numbers.h"

namespace ax {
namespace {

constexpr double kHalfView = 50;       // a view's radius: the range maps onto it (scale units)
constexpr double kLeftCentreX = 50;    // centre of the +Z view
constexpr double kRightCentreX = 150;  // centre of the +X view
constexpr double kCentreY = 50;
constexpr double kSecondViewLeft = 100;  // where the +X view begins
constexpr double kMarkRadius = 0.5;      // kept mark, selection marker, centre mark
constexpr double kMarkPixels = 5;        // a marker's least radius: clear of the largest disc
constexpr double kRingGapPixels = 3;     // a mark's ring outside the marker, both readable
constexpr double kLegendRight = 98;      // where the legend ends in the +Z view
constexpr double kLegendTop = 2;
constexpr double kDefaultPixelSize = 0.15;  // area units: a view of about 670 pixels

constexpr double kSmallestStarPixels = 2;  // across: the dimmest stars
constexpr double kLargestStarPixels = 6;   // across: the brightest
constexpr double kStarSizeStep = 0.5;      // pixels: each size is a batch of its own
constexpr std::size_t kStarSizes = 9;      // 2, 2.5, ... 6 pixels
// Luminosities span powers of ten, so a disc grows with the logarithm (solar units).
constexpr double kDimmestLog = -2;       // 0.01 and dimmer: the smallest disc
constexpr double kBrightestLog = 4;      // 10 000 and brighter: the largest
constexpr float kGlowLuminosity = 1000;  // solar units: the brightest stars glow
// Dimmed discs on the black sky look as translucent ones would: outermost and faintest first.
struct GlowRing {
  double scale;  // times the largest disc's radius
  double brightness;
};
constexpr std::array<GlowRing, 3> kGlowRings = {{{2.6, 0.12}, {1.9, 0.25}, {1.4, 0.45}}};

constexpr double kLabelGapPixels = 4;   // between a marker and its label
constexpr double kLabelRisePixels = 6;  // the label's top above the star: about half a line
constexpr double kBarY = 96;
constexpr double kTickY = 97;
constexpr double kBarLength = 25;
// Ticks beyond this many lie closer than a pixel on any screen and merge into a band; a huge
// range's one tick per cell would keep the window busy for minutes.
constexpr double kMostScaleTicks = 2000;
// Each batch is painted in bands of the area one unit high, from top to bottom, so that a
// picture's memory is walked in order rather than at random, and discs of one colour and
// size look the same in any order.
constexpr std::size_t kBands = 100;
constexpr std::int64_t kMostStarsReserved = std::int64_t{1} << 24;  // 256 MB of drawn stars
constexpr double kShownAsZero = 0.02;  // cells: a smaller distance reads 0.00

const Colour kBackground = PaletteColour(0);
const Colour kPen = PaletteColour(10);
const Colour kRangeCircle = PaletteColour(7);
const Colour kCentreMark = PaletteColour(15);
const Colour kLabel = PaletteColour(15);

bool Finite(const ClusterViewState& view) {
  return std::isfinite(view.X) && std::isfinite(view.Y) && std::isfinite(view.Z) &&
         std::isfinite(view.Range);
}

// Every position is divided by the range.
bool Drawable(const ClusterViewState& view) {
  return Finite(view) && view.Range > 0;
}

double PixelOf(const ClusterViewState& view) {
  return std::isfinite(view.PixelSize) && view.PixelSize > 0 ? view.PixelSize : kDefaultPixelSize;
}

double MarkRadius(const ClusterViewState& view) {
  return std::max(kMarkRadius, kMarkPixels * PixelOf(view));
}

double RingRadius(const ClusterViewState& view) {
  return MarkRadius(view) + kRingGapPixels * PixelOf(view);
}

// The least luminosity of each size above the smallest, evenly spaced in the logarithm: a
// star's size then costs a few comparisons rather than a logarithm.
const std::array<double, kStarSizes - 1>& SizeThresholds() {
  static const auto thresholds = [] {
    std::array<double, kStarSizes - 1> least{};
    const double step = (kBrightestLog - kDimmestLog) / static_cast<double>(kStarSizes - 1);
    for (std::size_t size = 1; size < kStarSizes; ++size) {
      least[size - 1] = std::pow(10.0, kDimmestLog + (static_cast<double>(size) - 0.5) * step);
    }
    return least;
  }();
  return thresholds;
}

std::uint8_t StarSize(float luminosity) {
  // Not a number and not above 0 take the smallest size.
  return static_cast<std::uint8_t>(std::ranges::count_if(
      SizeThresholds(), [luminosity](double least) { return luminosity >= least; }));
}

double StarRadiusPixels(std::size_t size) {
  return (kSmallestStarPixels + kStarSizeStep * static_cast<double>(size)) / 2;
}

Colour Dimmed(Colour colour, double brightness) {
  const auto dim = [brightness](std::uint8_t c) {
    return static_cast<std::uint8_t>(std::lround(c * brightness));
  };
  return {dim(colour.red), dim(colour.green), dim(colour.blue)};
}

// Area positions of a cluster position in the +Z view (x, y) and the +X view (x).
double LeftX(const ClusterViewState& view, double x) {
  return (x - view.X) * kHalfView / view.Range + kLeftCentreX;
}
double ViewY(const ClusterViewState& view, double y) {
  return (y - view.Y) * kHalfView / view.Range + kCentreY;
}
double RightX(const ClusterViewState& view, double z) {
  return kRightCentreX - (z - view.Z) * kHalfView / view.Range;
}

// The stars' discs gathered by colour and size during a pass and painted together after it:
// the glows, then the discs from small to large, so that bright stars stand over dim ones and
// no glow covers a star. The pass notes only each star's colour and size; the places are
// sorted into their batches afterwards, into one array counted out beforehand, since pushing a
// million places into a hundred growing arrays costs more than the pass. A star's colour is
// looked up by its 7-character type in a small open-addressed table, so each type's colour is
// worked out once and a lookup costs no division or allocation.
class StarBatches {
 public:
  explicit StarBatches(std::size_t stars) : slots_(kSlots) { marks_.reserve(stars); }

  // The index of the type's colour.
  std::size_t Of(std::string_view type) {
    std::uint64_t key = 0;
    std::memcpy(&key, type.data(), std::min(type.size(), kClusterStarTypeWidth));
    key |= kUsed;
    std::size_t slot = static_cast<std::size_t>((key * kMix) >> kShift);
    while (slots_[slot].key != key) {
      if (slots_[slot].key == 0) return Insert(slot, key, type);
      slot = (slot + 1) & (kSlots - 1);
    }
    return slots_[slot].colour;
  }

  Colour ColourOf(std::size_t colour) const { return colours_[colour]; }
  // The next drawn star, `areaY` down the area.
  void Add(std::size_t colour, float luminosity, double areaY, bool ringed) {
    marks_.push_back({static_cast<std::uint32_t>(colour), StarSize(luminosity),
                      luminosity >= kGlowLuminosity,
                      static_cast<std::uint8_t>(std::clamp(areaY, 0.0, kBands - 1.0))});
    if (ringed) ringed_.push_back(static_cast<std::uint32_t>(marks_.size() - 1));
  }

  void Paint(Canvas& canvas, const ClusterViewState& view,
             const std::vector<DrawnStar>& drawn) const {
    // A batch of glows for each colour, then one for each size and colour, in painting order;
    // each in its bands from top to bottom.
    const std::size_t colours = colours_.size();
    const auto discBatch = [colours](std::size_t size, std::size_t colour) {
      return colours + size * colours + colour;
    };
    const auto part = [](std::size_t batch, const Mark& mark) {
      return batch * kBands + mark.band;
    };
    const std::size_t views = view.SecondView ? 2 : 1;
    std::vector<std::size_t> starts(colours * (kStarSizes + 1) * kBands + 1, 0);
    for (const Mark& mark : marks_) {
      starts[part(discBatch(mark.size, mark.colour), mark) + 1] += views;
      if (mark.glow) starts[part(mark.colour, mark) + 1] += views;
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<CanvasPoint> places(starts.back());
    std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
    for (std::size_t star = 0; star < marks_.size(); ++star) {
      const Mark& mark = marks_[star];
      for (std::size_t second = 0; second < views; ++second) {
        const CanvasPoint place = StarPlace(view, drawn[star], second != 0);
        places[next[part(discBatch(mark.size, mark.colour), mark)]++] = place;
        if (mark.glow) places[next[part(mark.colour, mark)]++] = place;
      }
    }
    const auto batch = [&](std::size_t index) {
      const std::size_t first = starts[index * kBands];
      return std::span(places).subspan(first, starts[(index + 1) * kBands] - first);
    };

    const double pixel = PixelOf(view);
    const double glowRadius = kLargestStarPixels / 2 * pixel;
    for (const GlowRing& ring : kGlowRings) {
      for (std::size_t colour = 0; colour < colours; ++colour) {
        if (batch(colour).empty()) continue;
        canvas.Discs(batch(colour), ring.scale * glowRadius,
                     Dimmed(colours_[colour], ring.brightness));
      }
    }
    // Over the glows, which would hide them, and under the discs.
    if (!ringed_.empty()) {
      std::vector<CanvasPoint> rings;
      rings.reserve(ringed_.size() * views);
      for (const std::uint32_t star : ringed_) {
        for (std::size_t second = 0; second < views; ++second) {
          rings.push_back(StarPlace(view, drawn[star], second != 0));
        }
      }
      canvas.Circles(rings, RingRadius(view), MarkColour(view.Mark));
    }
    for (std::size_t size = 0; size < kStarSizes; ++size) {
      for (std::size_t colour = 0; colour < colours; ++colour) {
        if (batch(discBatch(size, colour)).empty()) continue;
        canvas.Discs(batch(discBatch(size, colour)), StarRadiusPixels(size) * pixel,
                     colours_[colour]);
      }
    }
  }

 private:
  struct Slot {
    std::uint64_t key = 0;  // 0: empty
    std::size_t colour = 0;
  };
  struct Mark {
    std::uint32_t colour = 0;
    std::uint8_t size = 0;
    bool glow = false;
    std::uint8_t band = 0;
  };
  // Types are 7 bytes; the eighth marks a slot in use, so no type's key is 0.
  static constexpr std::uint64_t kUsed = std::uint64_t{1} << 63;
  static constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15;  // Fibonacci hashing
  static constexpr int kShift = 52;                          // 64 - log2(kSlots)
  static constexpr std::size_t kSlots = 4096;                // far more than the types made

  std::size_t Insert(std::size_t slot, std::uint64_t key, std::string_view type) {
    const Colour found = StarColour(std::string(type));
    const std::size_t colour = static_cast<std::size_t>(
        std::find(colours_.begin(), colours_.end(), found) - colours_.begin());
    if (colour == colours_.size()) colours_.push_back(found);
    // Past half full (only from thousands of made-up types) a type is looked up each time.
    if (used_ < kSlots / 2) {
      slots_[slot] = {key, colour};
      ++used_;
    }
    return colour;
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
  std::vector<Colour> colours_;
  std::vector<Mark> marks_;            // one a drawn star, in drawing order
  std::vector<std::uint32_t> ringed_;  // the drawn stars with the view's mark
};

void DrawFrame(Canvas& canvas, const ClusterViewState& view) {
  canvas.Text(8, 2, "+Z View", kPen);
  canvas.Text(5, 6, "+X >>", kPen);

  canvas.Line(0, kBarY, kBarLength, kBarY, kPen);
  if (Drawable(view)) {
    // One tick per cell over the half range that the bar stands for.
    const double lastTick = std::floor(view.Range / 2);
    const double ticks = std::min(lastTick, kMostScaleTicks);
    for (double k = 0; k <= ticks; ++k) {
      const double i = ticks > 0 ? k * lastTick / ticks : 0;
      const double x = kHalfView * i / view.Range;
      canvas.Line(x, kTickY, x, kBarY, kPen);
    }
  }
  canvas.Circle(kLeftCentreX, kCentreY, kHalfView, kRangeCircle);

  if (view.SecondView) {
    canvas.Text(108, 2, "+X View", kPen);
    canvas.Text(105, 6, "<< +Z", kPen);
    canvas.Circle(kRightCentreX, kCentreY, kHalfView, kRangeCircle);
  }
}

}  // namespace

double ClusterViewWidth(const ClusterViewState& view) {
  return view.SecondView ? 200 : 100;
}

std::vector<DrawnStar> DrawCluster(Canvas& canvas, const ClusterViewState& view,
                                   ClusterFileReader& reader, ClusterScan* scan,
                                   const StarMarks* marks) {
  const bool marking = marks != nullptr && view.Mark != StarMark::None;
  canvas.Clear(kBackground);
  DrawFrame(canvas, view);

  std::vector<DrawnStar> drawn;
  ClusterScan found;
  if (Drawable(view)) {
    // Room for every star, so that a full view is not copied as it grows; pages never
    // written are never touched.
    const auto room = static_cast<std::size_t>(
        std::clamp<std::int64_t>(reader.RecordCount(), 0, kMostStarsReserved));
    drawn.reserve(room);
    StarBatches batches(room);
    found = reader.ForEach([&](const ClusterRecordView& record) {
      const float x = record.X();
      const float y = record.Y();
      const float z = record.Z();
      const double d = std::sqrt(Square(x - view.X) + Square(y - view.Y) + Square(z - view.Z));
      if (!(d < view.Range)) return true;

      const std::size_t colour = batches.Of(record.Type1());
      drawn.push_back({record.RecordNumber(), x, y, z});
      if (record.SystemKept() != 0) {
        DrawStarMarker(canvas, view, drawn.back(), batches.ColourOf(colour));
      }
      batches.Add(colour, record.Luminosity1(), ViewY(view, y),
                  marking && marks->Has(drawn.back().Record, view.Mark));
      return true;
    });
    batches.Paint(canvas, view, drawn);
  }
  if (scan != nullptr) *scan = found;

  canvas.Circle(kLeftCentreX, kCentreY, kMarkRadius, kCentreMark);
  if (view.SecondView) canvas.Circle(kRightCentreX, kCentreY, kMarkRadius, kCentreMark);
  return drawn;
}

std::int64_t CountMarked(const std::vector<DrawnStar>& drawn, const ClusterViewState& view,
                         const StarMarks& marks) {
  return std::ranges::count_if(
      drawn, [&](const DrawnStar& star) { return marks.Has(star.Record, view.Mark); });
}

void DrawMarkLegend(Canvas& canvas, const ClusterViewState& view, std::string_view legend) {
  if (view.Mark == StarMark::None || legend.empty()) return;
  const double pixel = PixelOf(view);
  const Colour colour = MarkColour(view.Mark);
  const double x = kLegendRight - canvas.TextWidth(legend);
  canvas.Text(x, kLegendTop, legend, colour);
  const double ring = RingRadius(view);
  canvas.Circle(x - ring - kLabelGapPixels * pixel, kLegendTop + kLabelRisePixels * pixel, ring,
                colour);
}

CanvasPoint StarPlace(const ClusterViewState& view, const DrawnStar& star, bool secondView) {
  return {secondView ? RightX(view, star.Z) : LeftX(view, star.X), ViewY(view, star.Y)};
}

std::optional<std::size_t> NearestDrawnStar(const std::vector<DrawnStar>& drawn,
                                            const ClusterViewState& view, double pointerX,
                                            double pointerY) {
  if (!Drawable(view) || !std::isfinite(pointerX) || !std::isfinite(pointerY)) return std::nullopt;
  const bool secondView = view.SecondView && pointerX >= kSecondViewLeft;
  std::optional<std::size_t> nearest;
  double nearestDistance = Square(kClickReachPixels * PixelOf(view));
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const CanvasPoint place = StarPlace(view, drawn[i], secondView);
    const double d = Square(place.x - pointerX) + Square(place.y - pointerY);
    if (d < nearestDistance || (!nearest && d == nearestDistance)) {
      nearest = i;
      nearestDistance = d;
    }
  }
  return nearest;
}

void DrawStarMarker(Canvas& canvas, const ClusterViewState& view, const DrawnStar& star,
                    Colour colour) {
  if (!Drawable(view)) return;
  for (const bool secondView : {false, true}) {
    if (secondView && !view.SecondView) break;
    const CanvasPoint place = StarPlace(view, star, secondView);
    canvas.Circle(place.x, place.y, MarkRadius(view), colour);
  }
}

std::string StarLabel(const ClusterRecord& record) {
  std::string name = record.SystemName;
  name.erase(name.find_last_not_of(' ') + 1);
  const auto cell = [](float position) { return FormatNumber(std::floor(position), "00"); };
  return name + "  cell " + cell(record.X) + " " + cell(record.Y) + " " + cell(record.Z);
}

void DrawStarLabel(Canvas& canvas, const ClusterViewState& view, const DrawnStar& star,
                   std::string_view label) {
  if (!Drawable(view) || label.empty()) return;
  const double pixel = PixelOf(view);
  const double gap = MarkRadius(view) + kLabelGapPixels * pixel;
  const double width = canvas.TextWidth(label);
  for (const bool secondView : {false, true}) {
    if (secondView && !view.SecondView) break;
    const CanvasPoint place = StarPlace(view, star, secondView);
    // To the right of the star, unless it would run out of its view.
    const double viewRight = secondView ? kSecondViewLeft + 2 * kHalfView : 2 * kHalfView;
    double x = place.x + gap;
    if (x + width > viewRight) x = place.x - gap - width;
    const double y = place.y - kLabelRisePixels * pixel;
    // A black rim keeps the label readable over stars and glows.
    for (const auto& [dx, dy] :
         {std::pair(-1, 0), std::pair(1, 0), std::pair(0, -1), std::pair(0, 1)}) {
      canvas.Text(x + dx * pixel, y + dy * pixel, label, kBackground);
    }
    canvas.Text(x, y, label, kLabel);
  }
}

std::string StarPositionText(const DrawnStar& star) {
  return "X:" + FormatNumber(star.X, "00.00") + " Y:" + FormatNumber(star.Y, "00.00") +
         " Z:" + FormatNumber(star.Z, "00.00");
}

std::string SelectedStarSummary(const ClusterRecord& record, const ClusterViewState& view) {
  const auto fixedWidth = [](std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
  };
  std::string summary = fixedWidth(record.SystemName, kClusterSystemNameWidth) +
                        fixedWidth(record.Stars[0].Type, kClusterStarTypeWidth) + " " +
                        fixedWidth(record.Stars[1].Type, kClusterStarTypeWidth);
  if (record.StarCount == 2) {
    summary += "  Sep:" + FormatNumber(record.Separation, "#0.00") + "AU  ";
  }
  double distance =
      std::sqrt(Square(record.X - view.X) + Square(record.Y - view.Y) + Square(record.Z - view.Z));
  if (distance < kShownAsZero) distance = 0;
  return summary + " Range:" + FormatNumber(distance, "#0.00");
}

ClusterViewTexts ShowViewCentre(ClusterViewState& view) {
  // A range of 0 was never set; a view value that is not a number cannot be shown or drawn.
  if (view.Range == 0 || !Finite(view)) {
    view.X = 50;
    view.Y = 50;
    view.Z = 50;
    view.Range = 50;
  }
  return {FormatNumber(view.X, "00.00"), FormatNumber(view.Y, "00.00"),
          FormatNumber(view.Z, "00.00"), FormatNumber(view.Range, "00")};
}

ClusterViewTexts CentreViewOnStar(ClusterViewState& view, const World& world) {
  view.X = TaggedValue(world.SystemX);
  view.Y = TaggedValue(world.SystemY);
  view.Z = static_cast<double>(world.SystemZ);
  return ShowViewCentre(view);
}

}  // namespace ax
