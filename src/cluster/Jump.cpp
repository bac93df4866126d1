#include "cluster/Jump.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "cluster/ClusterStar.h"
#include "io/ClusterFile.h"

namespace ax {

namespace fs = std::filesystem;

namespace {

bool SameFileName(std::string_view a, std::string_view b) {
  // Some file systems ignore case: AX010203.C03 and ax010203.c03 are one file there.
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool NameIsFree(const fs::path& clusterFile, const ClusterRecord& record, std::string_view name) {
  if (SameFileName(name, clusterFile.filename().string())) return false;
  bool free = true;
  ClusterFileReader(clusterFile).ForEach([&](const ClusterRecordView& view) {
    free = view.RecordNumber() == record.RecordNumber || !SameFileName(view.FileName(), name);
    return free;
  });
  return free;
}

// A kept file written over from outside may hold another star's system, which would move
// this star when it is kept again.
bool HoldsStar(const World& world, const ClusterRecord& record) {
  const ClusterRecord held = ClusterRecordFromWorld(world, record.RecordNumber, 1, "");
  return held.X == record.X && held.Y == record.Y && held.Z == record.Z;
}

}  // namespace

std::uint64_t StarSystemSeed(const ClusterRecord& record) {
  // Keeping or renaming the star changes these; the star itself stays.
  ClusterRecord star = record;
  star.SystemKept = 0;
  star.FileName.clear();
  star.SystemName.clear();
  const ClusterSlot slot = EncodeClusterRecord(star);
  std::uint64_t hash = 0xcbf29ce484222325;  // FNV-1a, 64 bits
  for (std::size_t i = 0; i < kClusterRecordBytes; ++i) hash = (hash ^ slot[i]) * 0x100000001b3;
  // FNV's high bits mix poorly; the finish spreads every input bit.
  return MixBits(hash);
}

fs::path KeptSystemFile(const fs::path& clusterFile, const std::string& fileName) {
  return clusterFile.parent_path() / fileName;
}

JumpOutcome JumpIntoClusterStar(World& world, Random& random, SystemFileReader& reader,
                                const fs::path& clusterFile, const ClusterRecord& record) {
  JumpOutcome outcome = JumpOutcome::Fresh;
  if (record.SystemKept != 0) {
    const fs::path kept = KeptSystemFile(clusterFile, record.FileName);
    std::error_code error;
    if (!fs::exists(kept, error)) {
      outcome = JumpOutcome::KeptFileMissing;
    } else {
      reader.Read(kept, world);
      if (HoldsStar(world, record)) {
        world.SystemFilePath = record.FileName;
        world.ClusterMode = 1;
        return JumpOutcome::Kept;
      }
      outcome = JumpOutcome::KeptFileForeign;
    }
  }
  // The worlds of whatever system was here go too: the star's own are made afresh.
  ClearSystem(world);
  ClearStars(world);
  random = Random(StarSystemSeed(record));
  LoadClusterStar(world, random, record);
  world.SystemSurveyed = 0;
  world.SystemSaved = 0;
  world.ClusterMode = 1;
  return outcome;
}

void KeepClusterStarSystem(World& world, const fs::path& clusterFile, const ClusterRecord& record) {
  std::string fileName = record.FileName;
  if (world.SystemSaved != 0) {
    const std::string saved = world.SystemFilePath.filename().string();
    if (!saved.empty() && saved.size() <= kClusterFileNameWidth &&
        NameIsFree(clusterFile, record, saved)) {
      fileName = saved;
    }
  }
  world.SystemFilePath = KeptSystemFile(clusterFile, fileName);
  WriteSystemFile(world, world.SystemFilePath);
  WriteClusterRecord(clusterFile, ClusterRecordFromWorld(world, record.RecordNumber, 1, fileName));
}

}  // namespace ax
