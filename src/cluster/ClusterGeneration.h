#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "io/ClusterRecord.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {

enum class ClusterShape { Cube, Sphere, FadingSphere };

inline constexpr int kMinClusterSize = 1;
inline constexpr int kMaxClusterSize = 250;  // cells along an edge
inline constexpr int kMinClusterDensity = 1;
inline constexpr int kMaxClusterDensity = 10000;  // cells per star
inline constexpr int kMaxClusterNumber = 99;      // C01 ... C99

struct ClusterSettings {
  int Size = 100;
  int Density = 350;
  ClusterShape Shape = ClusterShape::Cube;
};

// The expected number of stars, rounded: the cells of the shape over the density.
long ClusterEstimate(const ClusterSettings& settings);

// The text a size or density box is corrected to when its leading number is out of range
// ("1", "250", "10000"), or nothing when it is within range.
std::optional<std::string> LimitClusterSizeText(std::string_view text);
std::optional<std::string> LimitClusterDensityText(std::string_view text);
// A box's value as a whole number, rounded to the nearest.
int ClusterTextValue(std::string_view text);

// The star of cell (x, y, z): its system file name and its name. Coordinates below 100 are
// written as two digits (AX050709.C05, Sec05:050709); from 100 on the tens are written as a
// letter (100 -> A0, 249 -> O9), so every cell of a 250-cell cluster has its own 12-character
// file name.
std::string ClusterStarFileName(int x, int y, int z, std::string_view clusterCode);
std::string ClusterStarName(int x, int y, int z, std::string_view clusterCode);

// The lowest n in 1 ... 99 with no file Cnn.AXL in the folder, or nothing when all are taken.
std::optional<int> FirstFreeClusterNumber(const std::filesystem::path& folder);

struct ClusterProgress {
  int Layer = 0;           // the x-layer just finished
  int Percent = 0;         // 0 ... 100
  std::int64_t Stars = 0;  // stars written so far
  std::string Code;        // "C05": the cluster being made
};

struct ClusterResult {
  std::filesystem::path File;  // the cluster file written
  std::string Code;            // "C05"
  std::int64_t Stars = 0;
  bool Cancelled = false;  // nothing is left on disk then
};

// Fills the grid with stars and writes them as the new cluster file Cnn.AXL in the folder.
// Each x-layer draws from a stream of its own derived from `seed`, so the file is the same for
// a seed whatever the number of jobs (threads; 0: one per core). The records go to a temporary
// file that is renamed only when the generation completes, so a cancelled or failed generation
// leaves nothing behind. `progress` is called after every x-layer; returning false cancels.
// Throws ClusterFileError when no cluster number is free or the file cannot be written.
ClusterResult GenerateCluster(const ClusterSettings& settings, std::uint64_t seed,
                              const std::filesystem::path& folder,
                              const std::function<bool(const ClusterProgress&)>& progress,
                              int jobs = 0);
// The same from a seed drawn from `random` after it is reseeded from the clock: a seeded
// source repeats, so the window and the command line remake a cluster from its shown seed.
ClusterResult GenerateCluster(const ClusterSettings& settings, Random& random,
                              const std::filesystem::path& folder,
                              const std::function<bool(const ClusterProgress&)>& progress,
                              int jobs = 0);

// The record of the star set just generated in the world for cell (x, y, z): its names, its
// position jittered within the cell (three draws) and its motion values; GenerateCluster
// writes one for every star. The world takes the name, position and motion values; the
// file name goes into the record only.
ClusterRecord CreateClusterStar(World& world, Random& random, int x, int y, int z,
                                std::int32_t recordNumber, std::string_view clusterCode);

}  // namespace ax
