#include "cluster/ClusterView.h"

namespace ax {

// TODO(cluster view): every routine.
double ClusterViewWidth(const ClusterViewState& view) {
  return view.SecondView ? 200 : 100;
}

std::vector<DrawnStar> DrawCluster(Canvas&, const ClusterViewState&, ClusterFileReader&,
                                   ClusterScan*) {
  return {};
}

std::optional<std::size_t> NearestDrawnStar(const std::vector<DrawnStar>&, const ClusterViewState&,
                                            double, double) {
  return std::nullopt;
}

void DrawStarMarker(Canvas&, const ClusterViewState&, const DrawnStar&, Colour) {}

std::string StarPositionText(const DrawnStar&) {
  return {};
}

std::string SelectedStarSummary(const ClusterRecord&, const ClusterViewState&) {
  return {};
}

ClusterViewTexts ShowViewCentre(ClusterViewState&) {
  return {};
}

}  // namespace ax
