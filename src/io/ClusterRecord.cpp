#include "io/ClusterRecord.h"

#include <algorithm>

#include "model/Numbers.h"

namespace ax {
namespace {

// Byte offsets of the record's fields.
constexpr std::size_t kRecordNumberAt = 0;
constexpr std::size_t kSystemKeptAt = 4;
constexpr std::size_t kFileNameAt = 6;
constexpr std::size_t kSystemNameAt = 18;
constexpr std::size_t kStarCountAt = 44;
constexpr std::size_t kAgeAt = 46;
constexpr std::size_t kPositionAt = 50;  // X, Y, Z
constexpr std::size_t kVectorAt = 62;    // X, Y, Z
constexpr std::size_t kSeparationAt = 74;
constexpr std::array<std::size_t, 2> kStarAt = {78, 101};
// Within a star's fields.
constexpr std::size_t kTemperatureAt = 8;
constexpr std::size_t kLuminosityAt = 12;
constexpr std::size_t kTypeAt = 16;

void StoreText(std::uint8_t* at, std::string_view text, std::size_t width) {
  const std::size_t kept = std::min(text.size(), width);
  std::copy_n(text.begin(), kept, at);
  std::fill(at + kept, at + width, static_cast<std::uint8_t>(' '));
}

std::string LoadText(const std::uint8_t* at, std::size_t width) {
  return std::string(reinterpret_cast<const char*>(at), width);
}

std::string WithoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace

ClusterSlot EncodeClusterRecord(const ClusterRecord& record) {
  ClusterSlot slot{};
  std::uint8_t* const bytes = slot.data();
  StoreLittleEndian(bytes + kRecordNumberAt, record.RecordNumber);
  StoreLittleEndian(bytes + kSystemKeptAt, record.SystemKept);
  StoreText(bytes + kFileNameAt, record.FileName, kClusterFileNameWidth);
  StoreText(bytes + kSystemNameAt, record.SystemName, kClusterSystemNameWidth);
  StoreLittleEndian(bytes + kStarCountAt, record.StarCount);
  StoreLittleEndian(bytes + kAgeAt, record.Age);
  StoreLittleEndian(bytes + kPositionAt, record.X);
  StoreLittleEndian(bytes + kPositionAt + 4, record.Y);
  StoreLittleEndian(bytes + kPositionAt + 8, record.Z);
  StoreLittleEndian(bytes + kVectorAt, record.VectorX);
  StoreLittleEndian(bytes + kVectorAt + 4, record.VectorY);
  StoreLittleEndian(bytes + kVectorAt + 8, record.VectorZ);
  StoreLittleEndian(bytes + kSeparationAt, record.Separation);
  for (std::size_t i = 0; i < kStarAt.size(); ++i) {
    std::uint8_t* const star = bytes + kStarAt[i];
    StoreLittleEndian(star, record.Stars[i].Mass);
    StoreLittleEndian(star + kTemperatureAt, record.Stars[i].Temperature);
    StoreLittleEndian(star + kLuminosityAt, record.Stars[i].Luminosity);
    StoreText(star + kTypeAt, record.Stars[i].Type, kClusterStarTypeWidth);
  }
  return slot;
}

ClusterRecord DecodeClusterRecord(std::span<const std::uint8_t, kClusterRecordBytes> span) {
  const std::uint8_t* const bytes = span.data();
  ClusterRecord record;
  record.RecordNumber = LoadLittleEndian<std::int32_t>(bytes + kRecordNumberAt);
  record.SystemKept = LoadLittleEndian<std::int16_t>(bytes + kSystemKeptAt);
  record.FileName = WithoutTrailingBlanks(LoadText(bytes + kFileNameAt, kClusterFileNameWidth));
  record.SystemName =
      WithoutTrailingBlanks(LoadText(bytes + kSystemNameAt, kClusterSystemNameWidth));
  record.StarCount = LoadLittleEndian<std::int16_t>(bytes + kStarCountAt);
  record.Age = LoadLittleEndian<float>(bytes + kAgeAt);
  record.X = LoadLittleEndian<float>(bytes + kPositionAt);
  record.Y = LoadLittleEndian<float>(bytes + kPositionAt + 4);
  record.Z = LoadLittleEndian<float>(bytes + kPositionAt + 8);
  record.VectorX = LoadLittleEndian<float>(bytes + kVectorAt);
  record.VectorY = LoadLittleEndian<float>(bytes + kVectorAt + 4);
  record.VectorZ = LoadLittleEndian<float>(bytes + kVectorAt + 8);
  record.Separation = LoadLittleEndian<float>(bytes + kSeparationAt);
  for (std::size_t i = 0; i < kStarAt.size(); ++i) {
    const std::uint8_t* const star = bytes + kStarAt[i];
    record.Stars[i].Mass = LoadLittleEndian<double>(star);
    record.Stars[i].Temperature = LoadLittleEndian<std::int32_t>(star + kTemperatureAt);
    record.Stars[i].Luminosity = LoadLittleEndian<float>(star + kLuminosityAt);
    record.Stars[i].Type = LoadText(star + kTypeAt, kClusterStarTypeWidth);
  }
  return record;
}

ClusterRecord ClusterRecordFromWorld(const World& world, std::int32_t recordNumber,
                                     std::int16_t systemKept, std::string_view fileName) {
  ClusterRecord record;
  record.RecordNumber = recordNumber;
  record.SystemKept = systemKept;
  record.FileName = std::string(fileName);
  record.SystemName = world.SystemName;
  record.StarCount = world.StarCount;
  record.Age = world.SystemAge;
  record.X = ClampToFloat(TaggedValue(world.SystemX));
  record.Y = ClampToFloat(TaggedValue(world.SystemY));
  record.Z = world.SystemZ;
  record.VectorX = ClampToFloat(TaggedValue(world.SystemVectorX));
  record.VectorY = ClampToFloat(TaggedValue(world.SystemVectorY));
  record.VectorZ = world.SystemVectorZ;
  record.Separation = ClampToFloat(world.StarSeparation);
  // A single star's second-star fields stay zero and blank.
  for (int s = 1; s <= std::min<int>(world.StarCount, 2); ++s) {
    ClusterStarData& star = record.Stars[static_cast<std::size_t>(s - 1)];
    star.Mass = world.StarMass[s];
    star.Temperature = world.StarTemperature[s];
    star.Luminosity = world.StarLuminosity[s];
    star.Type = world.StarType[s];
  }
  return record;
}

}  // namespace ax
