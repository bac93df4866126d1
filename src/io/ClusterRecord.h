#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "io/LittleEndian.h"
#include "model/World.h"

namespace ax {

// A cluster file is a row of fixed slots, one star each, without a header; record n
// (from 1) starts at byte (n - 1) * 128. The last 4 bytes of a slot are unused, so a file's
// last slot may be only 124 bytes long.
inline constexpr std::size_t kClusterSlotBytes = 128;
inline constexpr std::size_t kClusterRecordBytes = 124;

inline constexpr std::size_t kClusterFileNameWidth = 12;
inline constexpr std::size_t kClusterSystemNameWidth = 26;
inline constexpr std::size_t kClusterStarTypeWidth = 7;

struct ClusterStarData {
  double Mass = 0;               // solar masses
  std::int32_t Temperature = 0;  // kelvin
  float Luminosity = 0;          // solar units
  std::string Type;              // spectral type text, 7 characters in the record
};

// One star of a cluster, as its record holds it.
struct ClusterRecord {
  std::int32_t RecordNumber = 0;
  std::int16_t SystemKept = 0;  // 1 once the star's system has its own system file
  std::string FileName;         // that file's name, beside the cluster file
  std::string SystemName;
  std::int16_t StarCount = 0;
  float Age = 0;  // billions of years
  float X = 0;    // position in cells
  float Y = 0;
  float Z = 0;
  float VectorX = 0;  // motion values
  float VectorY = 0;
  float VectorZ = 0;
  float Separation = 0;                    // AU, for a pair
  std::array<ClusterStarData, 2> Stars{};  // star 1, star 2
};

using ClusterSlot = std::array<std::uint8_t, kClusterSlotBytes>;

// All 128 bytes of the record's slot, little-endian; texts blank-padded or cut to their
// width, the unused tail zero.
ClusterSlot EncodeClusterRecord(const ClusterRecord& record);

// The record in the first 124 bytes; the name and file name lose their trailing blanks, the
// spectral types keep all 7 characters.
ClusterRecord DecodeClusterRecord(std::span<const std::uint8_t, kClusterRecordBytes> bytes);

// Single fields of a record read in place, for passes over millions of records.
class ClusterRecordView {
 public:
  explicit ClusterRecordView(const std::uint8_t* bytes) : bytes_(bytes) {}

  std::int32_t RecordNumber() const { return Load<std::int32_t>(0); }
  std::int16_t SystemKept() const { return Load<std::int16_t>(4); }
  // Without its padding blanks.
  std::string_view FileName() const {
    const std::string_view padded(reinterpret_cast<const char*>(bytes_ + 6), kClusterFileNameWidth);
    return padded.substr(0, padded.find_last_not_of(' ') + 1);
  }
  std::int16_t StarCount() const { return Load<std::int16_t>(44); }
  float X() const { return Load<float>(50); }
  float Y() const { return Load<float>(54); }
  float Z() const { return Load<float>(58); }
  float Luminosity1() const { return Load<float>(90); }
  std::string_view Type1() const {
    return {reinterpret_cast<const char*>(bytes_ + 94), kClusterStarTypeWidth};
  }
  ClusterRecord Decode() const {
    return DecodeClusterRecord(
        std::span<const std::uint8_t, kClusterRecordBytes>(bytes_, kClusterRecordBytes));
  }

 private:
  template <typename T>
  T Load(std::size_t offset) const {
    return LoadLittleEndian<T>(bytes_ + offset);
  }
  const std::uint8_t* bytes_;
};

// The record of the star set in the world: its stars, name, age, position and motion values;
// `fileName` is the name of the star's own system file.
ClusterRecord ClusterRecordFromWorld(const World& world, std::int32_t recordNumber,
                                     std::int16_t systemKept, std::string_view fileName);

// The same record encoded straight into a slot, without the strings of a ClusterRecord: the
// cluster generator writes one for every star.
void EncodeClusterStar(const World& world, std::int32_t recordNumber, std::int16_t systemKept,
                       std::string_view fileName, std::span<std::uint8_t, kClusterSlotBytes> slot);

}  // namespace ax
