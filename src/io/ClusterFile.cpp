#include "io/ClusterFile.h"

#include <fmt/format.h>

namespace ax {

namespace fs = std::filesystem;

ClusterFileError::ClusterFileError(const fs::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": " + reason), reason_(reason) {}

std::string ClusterCode(int number) {
  return fmt::format("C{:02}", number);
}

std::string ClusterFileName(int number) {
  return ClusterCode(number) + ".AXL";
}

std::string ClusterCodeOfFile(const fs::path& file) {
  const std::string stem = file.stem().string();
  return stem.size() >= 3 ? stem.substr(stem.size() - 3) : stem;
}

// TODO(cluster core): the reader and the record writer.
ClusterFileReader::ClusterFileReader(const fs::path& file) : file_(file) {}

ClusterRecord ClusterFileReader::Read(std::int64_t) {
  throw ClusterFileError(file_, "not read yet");
}

ClusterScan ClusterFileReader::ForEach(const std::function<bool(const ClusterRecordView&)>&) {
  return {};
}

void WriteClusterRecord(const fs::path& file, const ClusterRecord&) {
  throw ClusterFileError(file, "not written yet");
}

}  // namespace ax
