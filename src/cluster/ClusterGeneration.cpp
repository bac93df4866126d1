#include "cluster/ClusterGeneration.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <memory>
#include <numbers>
#include <span>
#include <utility>
#include <vector>

#include "cluster/OrderedShares.h"
#include "generate/NumberText.h"
#include "generate/Stars.h"
#include "io/ClusterFile.h"
#include "io/LittleEndian.h"
#include "model/Numbers.h"

namespace ax {
namespace {

std::optional<std::string> LimitText(std::string_view text, int lowest, int highest) {
  const double value = LeadingNumber(text);
  if (value < lowest) return std::to_string(lowest);
  if (value > highest) return std::to_string(highest);
  return std::nullopt;
}

constexpr std::size_t kCellTextWidth = 6;  // two characters for each of x, y, z

// Two characters for a cell coordinate: the decimal digits below 100, and from 100 on the
// tens as a letter (10 -> A, 24 -> O), so the names keep their width and stay distinct.
// Written in place: a cluster names every one of its stars.
char* WriteCellDigits(char* at, int coordinate) {
  constexpr std::string_view kTens = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int tens = std::clamp(coordinate / 10, 0, static_cast<int>(kTens.size()) - 1);
  *at++ = kTens[static_cast<std::size_t>(tens)];
  *at++ = static_cast<char>('0' + std::abs(coordinate % 10));
  return at;
}

using CellText = std::array<char, kCellTextWidth>;

CellText TextOfCell(int x, int y, int z) {
  CellText cell{};
  WriteCellDigits(WriteCellDigits(WriteCellDigits(cell.data(), x), y), z);
  return cell;
}

std::string StarFileName(const CellText& cell, std::string_view clusterCode) {
  std::string name = "AX";
  name.append(cell.data(), cell.size());
  name += '.';
  name.append(clusterCode.substr(0, 3));
  return name;
}

std::string StarName(const CellText& cell, std::string_view clusterCode) {
  const std::string_view number =
      clusterCode.size() >= 2 ? clusterCode.substr(clusterCode.size() - 2) : clusterCode;
  std::string name = "Sec";
  name.append(number);
  name += ':';
  name.append(cell.data(), cell.size());
  return name;
}

}  // namespace

long ClusterEstimate(const ClusterSettings& settings) {
  const double size = settings.Size;
  double cells = 0;
  switch (settings.Shape) {
    case ClusterShape::Cube: cells = Cube(size); break;
    case ClusterShape::Sphere: cells = 4.0 / 3.0 * std::numbers::pi * Cube(size / 2); break;
    case ClusterShape::FadingSphere: cells = 2.0 / 3.0 * std::numbers::pi * Cube(size / 2); break;
  }
  const int density = std::max(settings.Density, 1);
  return static_cast<long>(RoundHalfEven(cells / density));
}

std::optional<std::string> LimitClusterSizeText(std::string_view text) {
  return LimitText(text, kMinClusterSize, kMaxClusterSize);
}

std::optional<std::string> LimitClusterDensityText(std::string_view text) {
  return LimitText(text, kMinClusterDensity, kMaxClusterDensity);
}

int ClusterTextValue(std::string_view text) {
  constexpr double kLargest = std::numeric_limits<std::int16_t>::max();
  return static_cast<int>(std::clamp(RoundHalfEven(LeadingNumber(text)), -kLargest, kLargest));
}

std::string ClusterStarFileName(int x, int y, int z, std::string_view clusterCode) {
  return StarFileName(TextOfCell(x, y, z), clusterCode);
}

std::string ClusterStarName(int x, int y, int z, std::string_view clusterCode) {
  return StarName(TextOfCell(x, y, z), clusterCode);
}

std::optional<int> FirstFreeClusterNumber(const std::filesystem::path& folder) {
  for (int n = 1; n <= kMaxClusterNumber; ++n) {
    std::error_code error;
    if (!std::filesystem::exists(folder / ClusterFileName(n), error)) return n;
  }
  return std::nullopt;
}

namespace {

constexpr std::size_t kWritePieceBytes = 2048 * kClusterSlotBytes;  // 256 kB
constexpr int kFadingDensityDivisor = 16;  // the fading sphere's die has 1/16 of the faces

// The cluster's records written to its temporary file, which is removed again unless the
// generation completes.
class ClusterFileWriter {
 public:
  ClusterFileWriter(std::filesystem::path temporary, std::filesystem::path target)
      : temporary_(std::move(temporary)), target_(std::move(target)) {
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!stream_) throw ClusterFileError(temporary_, "the file cannot be created");
  }
  ClusterFileWriter(const ClusterFileWriter&) = delete;
  ClusterFileWriter& operator=(const ClusterFileWriter&) = delete;
  ~ClusterFileWriter() {
    if (!finished_) {
      stream_.close();
      std::error_code error;
      std::filesystem::remove(temporary_, error);
    }
  }

  void Write(std::span<const std::uint8_t> records) {
    stream_.write(reinterpret_cast<const char*>(records.data()),
                  static_cast<std::streamsize>(records.size()));
    if (!stream_) throw ClusterFileError(temporary_, "the file cannot be written");
  }

  // Puts the file in its place.
  void Finish() {
    stream_.close();
    if (stream_.fail()) throw ClusterFileError(temporary_, "the file cannot be written");
    std::error_code error;
    if (std::filesystem::exists(target_, error)) {
      throw ClusterFileError(target_, "the file appeared while the cluster was made");
    }
    std::filesystem::rename(temporary_, target_, error);
    if (error) throw ClusterFileError(target_, "the file cannot be made: " + error.message());
    finished_ = true;
  }

 private:
  std::filesystem::path temporary_;
  std::filesystem::path target_;
  std::ofstream stream_;
  bool finished_ = false;
};

// x + u as a float, kept inside the cell when the sum would round up to the next one.
float InsideCell(int cell, float u) {
  const auto next = static_cast<float>(cell + 1);
  const float position = static_cast<float>(cell) + u;
  return position < next ? position : std::nextafter(next, 0.0F);
}

// 20u - 10, doubled on each d100 roll of 50 or less while below 200.
float MotionValue(Random& random) {
  double value = 20.0F * random.Uniform() - 10.0F;
  random.DoubleOnChance(50, value, 200);
  return ClampToFloat(value);
}

// The star's name, position and motion values into the world; returns its file name. The
// world's SystemFilePath is left alone: a path is parsed anew on every assignment, and only a
// loaded star needs it.
std::string PlaceClusterStar(World& world, Random& random, int x, int y, int z,
                             std::string_view clusterCode) {
  // Written once for both names.
  const CellText cell = TextOfCell(x, y, z);
  world.SystemName = StarName(cell, clusterCode);
  world.SystemX = InsideCell(x, random.Uniform());
  world.SystemY = InsideCell(y, random.Uniform());
  world.SystemZ = InsideCell(z, random.Uniform());
  world.SystemVectorX = MotionValue(random);
  world.SystemVectorY = MotionValue(random);
  world.SystemVectorZ = MotionValue(random);
  return StarFileName(cell, clusterCode);
}

// The grid as the generation form corrects it, and the die and shape every cell is tried with.
struct ClusterGrid {
  explicit ClusterGrid(const ClusterSettings& settings)
      : last(std::clamp(settings.Size, kMinClusterSize, kMaxClusterSize) - 1),
        centre(static_cast<float>(last + 1) / 2),
        round(settings.Shape != ClusterShape::Cube),
        fading(settings.Shape == ClusterShape::FadingSphere) {
    int density = std::clamp(settings.Density, kMinClusterDensity, kMaxClusterDensity);
    // Below 16 this leaves a die of no faces, which always rolls 1.
    if (fading) density /= kFadingDensityDivisor;
    faces = static_cast<std::int16_t>(density);
  }

  // Whether cell (x, y, z) holds a star: a roll of 1, within the radius of a sphere, and for
  // the fading sphere a draw below (1 - d / c)^4.
  bool HoldsStar(Random& random, int x, int y, int z) const {
    if (random.RollDie(faces) != 1) return false;
    if (!round) return true;
    const double dx = x - static_cast<double>(centre);
    const double dy = y - static_cast<double>(centre);
    const double dz = z - static_cast<double>(centre);
    const auto distance = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    if (distance > centre) return false;
    if (!fading) return true;
    const double keep = Square(Square(1.0 - static_cast<double>(distance) / centre));
    return keep > random.Uniform();
  }

  int last;
  float centre;
  bool round;
  bool fading;
  std::int16_t faces = 0;
};

// The stream of x-layer `layer`: a fixed mix of the cluster's seed and the layer, so a layer's
// stars are the same whichever thread makes it and whenever.
std::uint64_t LayerSeed(std::uint64_t clusterSeed, int layer) {
  return MixBits(clusterSeed ^ (static_cast<std::uint64_t>(layer) * 0x9E3779B97F4A7C15ULL));
}

// The records of x-layer x, numbered 0: the numbers depend on the layers before it and are
// written in when the layer is taken. A fresh world, so nothing carries over from the layer a
// thread made before.
void MakeLayer(const ClusterGrid& grid, std::uint64_t clusterSeed, int x, std::string_view code,
               ShareBytes& bytes) {
  Random random(LayerSeed(clusterSeed, x));
  auto world = std::make_unique<World>();
  for (int y = 0; y <= grid.last; ++y) {
    for (int z = 0; z <= grid.last; ++z) {
      if (!grid.HoldsStar(random, x, y, z)) continue;
      GenerateStars(*world, random);
      const std::string fileName = PlaceClusterStar(*world, random, x, y, z, code);
      const std::size_t at = bytes.size();
      bytes.resize(at + kClusterSlotBytes);
      EncodeClusterStar(
          *world, 0, 0, fileName,
          std::span<std::uint8_t, kClusterSlotBytes>(bytes.data() + at, kClusterSlotBytes));
    }
  }
}

}  // namespace

ClusterResult GenerateCluster(const ClusterSettings& settings, std::uint64_t seed,
                              const std::filesystem::path& folder,
                              const std::function<bool(const ClusterProgress&)>& progress,
                              int jobs) {
  const std::optional<int> number = FirstFreeClusterNumber(folder);
  if (!number) throw ClusterFileError(folder, "all cluster numbers C01 to C99 are taken");
  ClusterResult result;
  result.Code = ClusterCode(*number);
  result.File = folder / ClusterFileName(*number);

  const ClusterGrid grid(settings);
  ClusterFileWriter writer(folder / (ClusterFileName(*number) + ".part"), result.File);
  const auto make = [&grid, seed, &code = result.Code](int x, ShareBytes& bytes) {
    MakeLayer(grid, seed, x, code, bytes);
  };
  const auto take = [&](int x, ShareBytes& bytes) {
    // Numbered and written a piece at a time, so the write copies what is still in the cache.
    for (std::size_t piece = 0; piece < bytes.size(); piece += kWritePieceBytes) {
      const std::size_t end = std::min(piece + kWritePieceBytes, bytes.size());
      for (std::size_t at = piece; at < end; at += kClusterSlotBytes) {
        StoreLittleEndian(bytes.data() + at, static_cast<std::int32_t>(++result.Stars));
      }
      writer.Write(std::span(bytes).subspan(piece, end - piece));
    }
    const int percent = grid.last > 0 ? 100 * x / grid.last : 100;
    return !progress || progress({x, percent, result.Stars, result.Code});
  };
  if (!RunOrderedShares(grid.last + 1, jobs, make, take)) {
    result.File.clear();
    result.Cancelled = true;
    return result;
  }
  writer.Finish();
  return result;
}

ClusterResult GenerateCluster(const ClusterSettings& settings, Random& random,
                              const std::filesystem::path& folder,
                              const std::function<bool(const ClusterProgress&)>& progress,
                              int jobs) {
  return GenerateCluster(settings, DrawSeed(random), folder, progress, jobs);
}

ClusterRecord CreateClusterStar(World& world, Random& random, int x, int y, int z,
                                std::int32_t recordNumber, std::string_view clusterCode) {
  const std::string fileName = PlaceClusterStar(world, random, x, y, z, clusterCode);
  return ClusterRecordFromWorld(world, recordNumber, 0, fileName);
}

}  // namespace ax
