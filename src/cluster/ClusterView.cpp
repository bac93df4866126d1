#include "cluster/ClusterView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>
#include <string_view>

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
constexpr double kSmallDiscRadius = 0.2;
constexpr double kLargeDiscRadius = 0.3;
constexpr float kPointLuminosity = 10;       // solar units; dimmer stars are a point
constexpr float kSmallDiscLuminosity = 100;  // solar units; dimmer stars are a small disc
constexpr double kBarY = 96;
constexpr double kTickY = 97;
constexpr double kBarLength = 25;
// Ticks beyond this many lie closer than a pixel on any screen and merge into a band; a huge
// range's one tick per cell would keep the window busy for minutes.
constexpr double kMostScaleTicks = 2000;
constexpr std::int64_t kMostStarsReserved = std::int64_t{1} << 24;  // 256 MB of drawn stars
constexpr double kShownAsZero = 0.02;  // cells: a smaller distance reads 0.00

const Colour kBackground = PaletteColour(0);
const Colour kPen = PaletteColour(10);
const Colour kRangeCircle = PaletteColour(7);
const Colour kCentreMark = PaletteColour(15);

bool Finite(const ClusterViewState& view) {
  return std::isfinite(view.X) && std::isfinite(view.Y) && std::isfinite(view.Z) &&
         std::isfinite(view.Range);
}

// Every position is divided by the range.
bool Drawable(const ClusterViewState& view) {
  return Finite(view) && view.Range > 0;
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

// The stars' symbols gathered by colour during a pass and painted together after it: every
// point, then every disc, so that bright stars stand over dim ones. A star's colour is looked
// up by its 7-character type in a small open-addressed table, so each type's colour is worked
// out once and a lookup costs no division or allocation.
class StarBatches {
 public:
  enum Symbol { kPoint, kSmallDisc, kLargeDisc, kSymbols };

  StarBatches() : slots_(kSlots) {}

  std::size_t Of(std::string_view type) {
    std::uint64_t key = 0;
    std::memcpy(&key, type.data(), std::min(type.size(), kClusterStarTypeWidth));
    key |= kUsed;
    std::size_t slot = static_cast<std::size_t>((key * kMix) >> kShift);
    while (slots_[slot].key != key) {
      if (slots_[slot].key == 0) return Insert(slot, key, type);
      slot = (slot + 1) & (kSlots - 1);
    }
    return slots_[slot].batch;
  }

  Colour ColourOf(std::size_t batch) const { return batches_[batch].colour; }
  void Add(std::size_t batch, Symbol symbol, double x, double y) {
    batches_[batch].symbols[symbol].push_back({x, y});
  }

  void Paint(Canvas& canvas) const {
    for (const Batch& batch : batches_) {
      if (!batch.symbols[kPoint].empty()) canvas.Points(batch.symbols[kPoint], batch.colour);
    }
    for (const Batch& batch : batches_) {
      for (const Symbol disc : {kSmallDisc, kLargeDisc}) {
        if (batch.symbols[disc].empty()) continue;
        canvas.Discs(batch.symbols[disc], disc == kSmallDisc ? kSmallDiscRadius : kLargeDiscRadius,
                     batch.colour);
      }
    }
  }

 private:
  struct Slot {
    std::uint64_t key = 0;  // 0: empty
    std::size_t batch = 0;
  };
  struct Batch {
    Colour colour;
    std::array<std::vector<CanvasPoint>, kSymbols> symbols;
  };
  // Types are 7 bytes; the eighth marks a slot in use, so no type's key is 0.
  static constexpr std::uint64_t kUsed = std::uint64_t{1} << 63;
  static constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15;  // Fibonacci hashing
  static constexpr int kShift = 52;                          // 64 - log2(kSlots)
  static constexpr std::size_t kSlots = 4096;                // far more than the types made

  std::size_t Insert(std::size_t slot, std::uint64_t key, std::string_view type) {
    const std::size_t batch = BatchOf(StarColour(std::string(type)));
    // Past half full (only from thousands of made-up types) a type is looked up each time.
    if (used_ < kSlots / 2) {
      slots_[slot] = {key, batch};
      ++used_;
    }
    return batch;
  }

  std::size_t BatchOf(Colour colour) {
    std::size_t batch = 0;
    while (batch < batches_.size() && !(batches_[batch].colour == colour)) ++batch;
    if (batch == batches_.size()) batches_.push_back({colour, {}});
    return batch;
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
  std::vector<Batch> batches_;
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

void DrawStarSymbol(Canvas& canvas, StarBatches& batches, std::size_t batch, double x, double y,
                    float luminosity, bool kept) {
  if (kept) canvas.Circle(x, y, kMarkRadius, batches.ColourOf(batch));
  const StarBatches::Symbol symbol = luminosity < kPointLuminosity       ? StarBatches::kPoint
                                     : luminosity < kSmallDiscLuminosity ? StarBatches::kSmallDisc
                                                                         : StarBatches::kLargeDisc;
  batches.Add(batch, symbol, x, y);
}

}  // namespace

double ClusterViewWidth(const ClusterViewState& view) {
  return view.SecondView ? 200 : 100;
}

std::vector<DrawnStar> DrawCluster(Canvas& canvas, const ClusterViewState& view,
                                   ClusterFileReader& reader, ClusterScan* scan) {
  canvas.Clear(kBackground);
  DrawFrame(canvas, view);

  std::vector<DrawnStar> drawn;
  ClusterScan found;
  if (Drawable(view)) {
    StarBatches batches;
    // Room for every star, so that a full view is not copied as it grows; pages never
    // written are never touched.
    drawn.reserve(static_cast<std::size_t>(
        std::clamp<std::int64_t>(reader.RecordCount(), 0, kMostStarsReserved)));
    found = reader.ForEach([&](const ClusterRecordView& record) {
      const float x = record.X();
      const float y = record.Y();
      const float z = record.Z();
      const double d = std::sqrt(Square(x - view.X) + Square(y - view.Y) + Square(z - view.Z));
      if (!(d < view.Range)) return true;

      const std::size_t batch = batches.Of(record.Type1());
      const float luminosity = record.Luminosity1();
      const bool kept = record.SystemKept() != 0;
      const double areaY = ViewY(view, y);
      DrawStarSymbol(canvas, batches, batch, LeftX(view, x), areaY, luminosity, kept);
      if (view.SecondView) {
        DrawStarSymbol(canvas, batches, batch, RightX(view, z), areaY, luminosity, kept);
      }
      drawn.push_back({record.RecordNumber(), x, y, z});
      return true;
    });
    batches.Paint(canvas);
  }
  if (scan != nullptr) *scan = found;

  canvas.Circle(kLeftCentreX, kCentreY, kMarkRadius, kCentreMark);
  if (view.SecondView) canvas.Circle(kRightCentreX, kCentreY, kMarkRadius, kCentreMark);
  return drawn;
}

std::optional<std::size_t> NearestDrawnStar(const std::vector<DrawnStar>& drawn,
                                            const ClusterViewState& view, double pointerX,
                                            double pointerY) {
  if (drawn.empty() || !Finite(view) || !std::isfinite(pointerX) || !std::isfinite(pointerY)) {
    return std::nullopt;
  }
  // The pointer in cluster cells: across is X in the +Z view, Z in the +X view.
  const bool rightView = view.SecondView && pointerX >= kSecondViewLeft;
  const double across = rightView ? (kRightCentreX - pointerX) * view.Range / kHalfView + view.Z
                                  : (pointerX - kLeftCentreX) * view.Range / kHalfView + view.X;
  const double down = (pointerY - kCentreY) * view.Range / kHalfView + view.Y;

  const auto distance = [&](const DrawnStar& star) {
    return Square((rightView ? star.Z : star.X) - across) + Square(star.Y - down);
  };
  std::size_t nearest = 0;
  double nearestDistance = distance(drawn[0]);
  for (std::size_t i = 1; i < drawn.size(); ++i) {
    const double d = distance(drawn[i]);
    if (d < nearestDistance) {
      nearest = i;
      nearestDistance = d;
    }
  }
  return nearest;
}

void DrawStarMarker(Canvas& canvas, const ClusterViewState& view, const DrawnStar& star,
                    Colour colour) {
  if (!Drawable(view)) return;
  const double y = ViewY(view, star.Y);
  canvas.Circle(LeftX(view, star.X), y, kMarkRadius, colour);
  if (view.SecondView) canvas.Circle(RightX(view, star.Z), y, kMarkRadius, colour);
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
