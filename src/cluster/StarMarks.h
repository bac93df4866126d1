#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cluster/Atlas.h"
#include "display/Canvas.h"

namespace ax {

// What the cluster view rings: the stars whose surveyed systems hold life, a civilization or
// a habitable world.
enum class StarMark { None, Life, Civilizations, Habitable };

// The atlas's own search for a mark, so that a mark and Find agree on every star.
AtlasFilter MarkFilter(StarMark mark);

// A mark's ring and legend: colours no star takes, so that a ring never reads as a star.
Colour MarkColour(StarMark mark);

// "Life: 123 stars"
std::string MarkLegend(StarMark mark, std::int64_t stars);

// Which marks each star of an atlas earns, by record number: a byte a star, so that a million
// stars' marks take a megabyte and the drawing looks one up by indexing.
class StarMarks {
 public:
  explicit StarMarks(const std::vector<AtlasRow>& rows);

  bool Has(std::int32_t record, StarMark mark) const {
    const auto at = static_cast<std::size_t>(record);
    return at < flags_.size() && (flags_[at] & Bit(mark)) != 0;
  }

 private:
  static std::uint8_t Bit(StarMark mark) {
    return static_cast<std::uint8_t>((1U << static_cast<unsigned>(mark)) >> 1);
  }

  std::vector<std::uint8_t> flags_;
};

}  // namespace ax
