#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/World.h"

namespace ax {

// The class codes a surveyed body can carry, in the atlas's column order: the graded oxygen
// worlds A to H first.
inline constexpr std::array<char, 20> kAtlasClasses = {'A', 'B', 'C', 'D', 'E', 'F', 'G',
                                                       'H', 'I', 'J', 'K', 'M', 'N', 'P',
                                                       'S', 'T', 'V', 'W', 'Y', 'Z'};

// The column of a class code in kAtlasClasses; nothing for a code bodies do not carry.
std::optional<std::size_t> AtlasClassIndex(char code);

// One cluster star's surveyed system in a line: what a game master searches a cluster for.
struct AtlasRow {
  std::int32_t Record = 0;
  std::string Name;
  std::array<float, 3> Position{};  // cells
  std::string Type1;
  std::string Type2;  // empty for a single star
  int Worlds = 0;
  int Moons = 0;
  int BeltBodies = 0;
  std::array<int, kAtlasClasses.size()> Classes{};  // bodies of each class, in kAtlasClasses order
  float BestHabitability = 0;
  int HighestLife = 0;
  std::vector<std::string> Eras;  // each civilization's era; an extinct one ends "(extinct)"
  bool Kept = false;

  // The cell the star lies in.
  std::array<int, 3> Cell() const;
  int Civilizations() const { return static_cast<int>(Eras.size()); }
  int ClassCount(char code) const;
};

// The row of the system the world holds.
AtlasRow DescribeSystem(const World& world, const ClusterRecord& record, bool kept);

// What a search asks for; every given condition must hold.
struct AtlasFilter {
  std::optional<int> LeastLife;  // at least this life complexity on some body
  bool Civilization = false;     // a civilization, living or extinct
  std::string Classes;           // a body of any of these class codes
  bool Habitable = false;        // a graded oxygen world (A to H)
  std::optional<float> Within;   // cells from Of
  std::array<float, 3> Of{};

  bool Matches(const AtlasRow& row) const;
};

// Records first..last (from 1; last past the end means to the end).
struct AtlasRecords {
  std::int64_t First = 1;
  std::int64_t Last = INT64_MAX;
};

// Makes each star's own system (a jump's, or its kept file) in the records asked for, surveys it
// and hands its row to `row`, in record order whatever the number of jobs (0: one per core,
// as RunOrderedShares counts them). Memory stays flat:
// rows are handed on a batch at a time. Stops at a damaged record, as the scan says; a kept file
// that cannot be read throws SystemFileError. After each whole batch `going` is told the
// records surveyed so far; when it answers false the atlas stops there.
ClusterScan MakeAtlas(const std::filesystem::path& clusterFile, AtlasRecords records, int jobs,
                      const std::function<void(const AtlasRow&)>& row,
                      const std::function<bool(std::int64_t surveyed)>& going = {});

}  // namespace ax
