#include "cluster/Jump.h"

#include "cluster/ClusterStar.h"
#include "io/ClusterFile.h"

namespace ax {

namespace fs = std::filesystem;

fs::path KeptSystemFile(const fs::path& clusterFile, const std::string& fileName) {
  return clusterFile.parent_path() / fileName;
}

JumpOutcome JumpIntoClusterStar(World& world, Random& random, SystemFileReader& reader,
                                const fs::path& clusterFile, const ClusterRecord& record) {
  JumpOutcome outcome = JumpOutcome::Fresh;
  if (record.SystemKept != 0) {
    const fs::path kept = KeptSystemFile(clusterFile, record.FileName);
    std::error_code error;
    if (fs::exists(kept, error)) {
      reader.Read(kept, world);
      world.SystemFilePath = record.FileName;
      world.ClusterMode = 1;
      return JumpOutcome::Kept;
    }
    outcome = JumpOutcome::KeptFileMissing;
  }
  // The worlds of whatever system was here go too: the star's own are made afresh.
  ClearSystem(world);
  ClearStars(world);
  LoadClusterStar(world, random, record);
  world.SystemSurveyed = 0;
  world.SystemSaved = 0;
  world.ClusterMode = 1;
  random.SeedFromClock();
  return outcome;
}

void KeepClusterStarSystem(World& world, const fs::path& clusterFile, const ClusterRecord& record) {
  std::string fileName = record.FileName;
  if (world.SystemSaved != 0) {
    const std::string saved = world.SystemFilePath.filename().string();
    if (!saved.empty() && saved.size() <= kClusterFileNameWidth) fileName = saved;
  }
  world.SystemFilePath = KeptSystemFile(clusterFile, fileName);
  WriteSystemFile(world, world.SystemFilePath);
  WriteClusterRecord(clusterFile, ClusterRecordFromWorld(world, record.RecordNumber, 1, fileName));
}

}  // namespace ax
