#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "cluster/Jump.h"
#include "io/ClusterRecord.h"
#include "model/World.h"

namespace ax {

// The star of a cluster whose system the system window shows.
struct StarVisit {
  std::filesystem::path clusterFile;
  std::string clusterCode;  // "C07"
  ClusterRecord record;
  JumpOutcome outcome = JumpOutcome::Fresh;
};

// What the system window's status bar says on arriving: why a kept system is made anew, or
// nothing.
std::string ArrivalMessage(const StarVisit& visit);

// The hand-off of a cluster star between the two windows, which know it and not each other:
// the cluster window starts a visit, the system window ends it by JUMP (the system kept with
// its star) or by closing; the cluster window closing ends it too.
class ClusterHandoff {
 public:
  explicit ClusterHandoff(World& world) : world_(world) {}

  // The system window's side: show the star's system (kept or fresh), leave it unreturned.
  std::function<void(const StarVisit& visit)> ShowStar;
  std::function<void()> LeaveStar;
  // The cluster window's side: the visit ended by JUMP, or by the system window closing.
  std::function<void()> Returned;
  std::function<void()> StarClosed;

  // The jump has put the star's system in the world.
  void Visit(StarVisit visit);
  bool Active() const { return visit_.has_value(); }
  const std::optional<StarVisit>& Current() const { return visit_; }

  // JUMP from the system window.
  void Return();
  // The system window closed under a cluster star: nothing is kept.
  void SystemClosed();
  // The cluster window keeps a surveyed system with its star and ends the visit. Returns why
  // it could not keep it, or an empty text.
  std::string Keep();
  // The cluster window closes under a visit: what JUMP would keep is kept, and the system
  // window leaves the star. Returns as Keep.
  std::string Leave();

 private:
  World& world_;
  std::optional<StarVisit> visit_;
};

}  // namespace ax
