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

// A record's values as views, whether they come from a decoded record or from the world: one
// layout for both.
struct StarFields {
  double mass = 0;
  std::int32_t temperature = 0;
  float luminosity = 0;
  std::string_view type;
};

struct RecordFields {
  std::int32_t recordNumber = 0;
  std::int16_t systemKept = 0;
  std::string_view fileName;
  std::string_view systemName;
  std::int16_t starCount = 0;
  float age = 0;
  std::array<float, 3> position{};
  std::array<float, 3> vector{};
  float separation = 0;
  std::array<StarFields, 2> stars{};
};

// All 128 bytes of the slot.
void StoreFields(const RecordFields& fields, std::uint8_t* bytes) {
  StoreLittleEndian(bytes + kRecordNumberAt, fields.recordNumber);
  StoreLittleEndian(bytes + kSystemKeptAt, fields.systemKept);
  StoreText(bytes + kFileNameAt, fields.fileName, kClusterFileNameWidth);
  StoreText(bytes + kSystemNameAt, fields.systemName, kClusterSystemNameWidth);
  StoreLittleEndian(bytes + kStarCountAt, fields.starCount);
  StoreLittleEndian(bytes + kAgeAt, fields.age);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    StoreLittleEndian(bytes + kPositionAt + 4 * axis, fields.position[axis]);
    StoreLittleEndian(bytes + kVectorAt + 4 * axis, fields.vector[axis]);
  }
  StoreLittleEndian(bytes + kSeparationAt, fields.separation);
  for (std::size_t i = 0; i < kStarAt.size(); ++i) {
    std::uint8_t* const star = bytes + kStarAt[i];
    StoreLittleEndian(star, fields.stars[i].mass);
    StoreLittleEndian(star + kTemperatureAt, fields.stars[i].temperature);
    StoreLittleEndian(star + kLuminosityAt, fields.stars[i].luminosity);
    StoreText(star + kTypeAt, fields.stars[i].type, kClusterStarTypeWidth);
  }
  std::fill(bytes + kClusterRecordBytes, bytes + kClusterSlotBytes, std::uint8_t{0});
}

RecordFields FieldsFromWorld(const World& world, std::int32_t recordNumber, std::int16_t systemKept,
                             std::string_view fileName) {
  RecordFields fields;
  fields.recordNumber = recordNumber;
  fields.systemKept = systemKept;
  fields.fileName = fileName;
  fields.systemName = world.SystemName;
  fields.starCount = world.StarCount;
  fields.age = world.SystemAge;
  fields.position = {ClampToFloat(TaggedValue(world.SystemX)),
                     ClampToFloat(TaggedValue(world.SystemY)), world.SystemZ};
  fields.vector = {ClampToFloat(TaggedValue(world.SystemVectorX)),
                   ClampToFloat(TaggedValue(world.SystemVectorY)), world.SystemVectorZ};
  fields.separation = ClampToFloat(world.StarSeparation);
  // A single star's second-star fields stay zero and blank.
  for (int s = 1; s <= std::min<int>(world.StarCount, 2); ++s) {
    fields.stars[static_cast<std::size_t>(s - 1)] = {world.StarMass[s], world.StarTemperature[s],
                                                     world.StarLuminosity[s], world.StarType[s]};
  }
  return fields;
}

}  // namespace

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

ClusterSlot EncodeClusterRecord(const ClusterRecord& record) {
  RecordFields fields;
  fields.recordNumber = record.RecordNumber;
  fields.systemKept = record.SystemKept;
  fields.fileName = record.FileName;
  fields.systemName = record.SystemName;
  fields.starCount = record.StarCount;
  fields.age = record.Age;
  fields.position = {record.X, record.Y, record.Z};
  fields.vector = {record.VectorX, record.VectorY, record.VectorZ};
  fields.separation = record.Separation;
  for (std::size_t i = 0; i < fields.stars.size(); ++i) {
    const ClusterStarData& star = record.Stars[i];
    fields.stars[i] = {star.Mass, star.Temperature, star.Luminosity, star.Type};
  }
  ClusterSlot slot;
  StoreFields(fields, slot.data());
  return slot;
}

ClusterRecord ClusterRecordFromWorld(const World& world, std::int32_t recordNumber,
                                     std::int16_t systemKept, std::string_view fileName) {
  const RecordFields fields = FieldsFromWorld(world, recordNumber, systemKept, fileName);
  ClusterRecord record;
  record.RecordNumber = fields.recordNumber;
  record.SystemKept = fields.systemKept;
  record.FileName = std::string(fields.fileName);
  record.SystemName = std::string(fields.systemName);
  record.StarCount = fields.starCount;
  record.Age = fields.age;
  record.X = fields.position[0];
  record.Y = fields.position[1];
  record.Z = fields.position[2];
  record.VectorX = fields.vector[0];
  record.VectorY = fields.vector[1];
  record.VectorZ = fields.vector[2];
  record.Separation = fields.separation;
  for (std::size_t i = 0; i < fields.stars.size(); ++i) {
    const StarFields& star = fields.stars[i];
    record.Stars[i] = {star.mass, star.temperature, star.luminosity, std::string(star.type)};
  }
  return record;
}

void EncodeClusterStar(const World& world, std::int32_t recordNumber, std::int16_t systemKept,
                       std::string_view fileName, std::span<std::uint8_t, kClusterSlotBytes> slot) {
  StoreFields(FieldsFromWorld(world, recordNumber, systemKept, fileName), slot.data());
}

}  // namespace ax
