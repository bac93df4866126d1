#include "display/ViewFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "display/OrbitView.h"
#include "display/RecordingCanvas.h"

namespace ax {
namespace {

constexpr double kFilled = 90;   // per cent of the smaller side
constexpr double kClose = 0.01;  // a zoom within 1 % of the fill's is taken
constexpr int kPasses = 8;

// Where the drawing reaches, in drawing units.
struct Reach {
  double left = std::numeric_limits<double>::infinity();
  double top = left;
  double right = -left;
  double bottom = -left;

  void Add(double x, double y, double radius = 0) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius)) return;
    left = std::min(left, x - radius);
    right = std::max(right, x + radius);
    top = std::min(top, y - radius);
    bottom = std::max(bottom, y + radius);
  }
};

Reach Drawn(World& world, const ViewState& view) {
  RecordingCanvas canvas;
  canvas.SetScale(0, 0, 100, 100);
  OrbitView(world, view, canvas).DrawBodies();
  Reach reach;
  for (const RecordingCanvas::Call& call : canvas.Calls()) {
    if (call.mode == DrawMode::NoOp) continue;  // hidden behind a world: not seen
    switch (call.kind) {
      case RecordingCanvas::Kind::Line:
        reach.Add(call.x1, call.y1);
        reach.Add(call.x2, call.y2);
        break;
      case RecordingCanvas::Kind::Disc:
      case RecordingCanvas::Kind::Circle: reach.Add(call.x1, call.y1, call.radius); break;
      case RecordingCanvas::Kind::Point: reach.Add(call.x1, call.y1); break;
      default: break;
    }
  }
  return reach;
}

}  // namespace

void FitView(World& world, ViewState& view) {
  if (view.DisplayMode != 1 && view.DisplayMode != 3) return;
  const double aspect = view.ViewAspect > 0 && std::isfinite(view.ViewAspect) ? view.ViewAspect : 1;
  // The drawing is measured centred, zoomed in steps towards the fill: the smallest discs keep
  // their size at any zoom and orbit points far off the area are not drawn, so one measurement
  // cannot say how large the drawing becomes.
  ViewState probe = view;
  probe.ViewPanX = 0;
  probe.ViewPanY = 0;
  probe.ViewZoom = 1;
  Reach reach;
  for (int pass = 0; pass < kPasses; ++pass) {
    reach = Drawn(world, probe);
    // A drawing unit across is aspect / 100 of the area's height, one down 1 / 100 of it.
    const double fill = std::max((reach.right - reach.left) * aspect, reach.bottom - reach.top) /
                        std::min(aspect, 1.0);
    if (!(fill > 0) || !std::isfinite(fill)) return;
    const double zoom = std::clamp(probe.ViewZoom * kFilled / fill, kLeastViewZoom, kMostViewZoom);
    if (std::abs(zoom / probe.ViewZoom - 1) < kClose) break;
    probe.ViewZoom = static_cast<float>(zoom);
  }
  view.ViewZoom = probe.ViewZoom;
  view.ViewPanX = static_cast<float>(-((reach.left + reach.right) / 2 - 50) / probe.ViewZoom);
  view.ViewPanY = static_cast<float>(-((reach.top + reach.bottom) / 2 - 50) / probe.ViewZoom);
}

}  // namespace ax
