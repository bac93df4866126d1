#include "control/ClusterHandoff.h"

#include <exception>
#include <utility>

namespace ax {

std::string ArrivalMessage(const StarVisit& visit) {
  if (visit.outcome != JumpOutcome::KeptFileMissing &&
      visit.outcome != JumpOutcome::KeptFileForeign) {
    return {};
  }
  return "The kept system " + visit.record.FileName + " " +
         (visit.outcome == JumpOutcome::KeptFileMissing ? "is missing"
                                                        : "now holds another star's system") +
         "; the star's system is made anew";
}

void ClusterHandoff::Visit(StarVisit visit) {
  visit_ = std::move(visit);
  if (ShowStar) ShowStar(*visit_);
}

void ClusterHandoff::Return() {
  if (!visit_) return;
  if (Returned) Returned();
}

void ClusterHandoff::SystemClosed() {
  visit_.reset();
  if (StarClosed) StarClosed();
}

std::string ClusterHandoff::Keep() {
  if (!visit_) return {};
  std::string problem;
  if (world_.SystemSurveyed != 0) {
    try {
      KeepClusterStarSystem(world_, visit_->clusterFile, visit_->record);
    } catch (const std::exception& error) {
      problem = "Could not keep the system of " + visit_->record.SystemName + ": " + error.what();
    }
  }
  visit_.reset();
  return problem;
}

std::string ClusterHandoff::Leave() {
  if (!visit_) return {};
  std::string problem = Keep();
  if (LeaveStar) LeaveStar();
  return problem;
}

}  // namespace ax
