#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "io/ClusterRecord.h"

namespace ax::test {

// A sound single-star record numbered `number` at (x, y, z).
inline ClusterRecord StarRecord(std::int32_t number, float x, float y, float z,
                                const std::string& type = "M 5 V  ", float luminosity = 0.01f) {
  ClusterRecord record;
  record.RecordNumber = number;
  record.FileName =
      "AX0000" + std::to_string(number % 100 / 10) + std::to_string(number % 10) + ".C03";
  record.SystemName = "Sec03:" + std::to_string(number);
  record.StarCount = 1;
  record.Age = 3.5F;
  record.X = x;
  record.Y = y;
  record.Z = z;
  record.Stars[0] = {0.5, 3200, luminosity, type};
  record.Stars[1].Type = "       ";
  return record;
}

// A pair of 1.5 and 0.4 solar masses 12.3456789 AU apart.
inline ClusterRecord PairRecord(std::int32_t number, float x, float y, float z) {
  ClusterRecord record = StarRecord(number, x, y, z);
  record.StarCount = 2;
  record.VectorX = -4.0F;
  record.VectorY = 8.0F;
  record.Separation = 12.3456789F;
  record.Stars[0] = {1.5, 7000, 5.0F, "F 3 V  "};
  record.Stars[1] = {0.4, 3200, 0.02F, "M 5 V  "};
  return record;
}

// A cluster file of these records, slot after slot.
inline void WriteClusterFile(const std::filesystem::path& file,
                             const std::vector<ClusterRecord>& records) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  for (const ClusterRecord& record : records) {
    const ClusterSlot slot = EncodeClusterRecord(record);
    out.write(reinterpret_cast<const char*>(slot.data()),
              static_cast<std::streamsize>(slot.size()));
  }
}

}  // namespace ax::test
