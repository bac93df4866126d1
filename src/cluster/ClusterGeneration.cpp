#include "cluster/ClusterGeneration.h"

#include <fmt/format.h>

#include <algorithm>
#include <limits>
#include <numbers>

#include "generate/NumberText.h"
#include "io/ClusterFile.h"
#include "model/Numbers.h"

namespace ax {
namespace {

std::optional<std::string> LimitText(std::string_view text, int lowest, int highest) {
  const double value = LeadingNumber(text);
  if (value < lowest) return std::to_string(lowest);
  if (value > highest) return std::to_string(highest);
  return std::nullopt;
}

// Two characters for a cell coordinate: the decimal digits below 100, and from 100 on the
// tens as a letter (10 -> A, 24 -> O), so the names keep their width and stay distinct.
std::string CellDigits(int coordinate) {
  constexpr std::string_view kTens = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int tens = std::clamp(coordinate / 10, 0, static_cast<int>(kTens.size()) - 1);
  return {kTens[static_cast<std::size_t>(tens)], static_cast<char>('0' + coordinate % 10)};
}

std::string CellText(int x, int y, int z) {
  return CellDigits(x) + CellDigits(y) + CellDigits(z);
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
  return "AX" + CellText(x, y, z) + "." + std::string(clusterCode.substr(0, 3));
}

std::string ClusterStarName(int x, int y, int z, std::string_view clusterCode) {
  const std::string_view number =
      clusterCode.size() >= 2 ? clusterCode.substr(clusterCode.size() - 2) : clusterCode;
  return "Sec" + std::string(number) + ":" + CellText(x, y, z);
}

std::optional<int> FirstFreeClusterNumber(const std::filesystem::path& folder) {
  for (int n = 1; n <= kMaxClusterNumber; ++n) {
    std::error_code error;
    if (!std::filesystem::exists(folder / ClusterFileName(n), error)) return n;
  }
  return std::nullopt;
}

// TODO(cluster core): generation.
ClusterResult GenerateCluster(const ClusterSettings&, Random&, const std::filesystem::path&,
                              const std::function<bool(const ClusterProgress&)>&) {
  return {};
}

ClusterRecord CreateClusterStar(World&, Random&, int, int, int, std::int32_t, std::string_view) {
  return {};
}

}  // namespace ax
