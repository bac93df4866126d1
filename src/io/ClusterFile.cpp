#include "io/ClusterFile.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <vector>

namespace ax {

namespace fs = std::filesystem;
using Kind = FileFailure::Kind;

namespace {

constexpr auto kSlotBytes = static_cast<std::int64_t>(kClusterSlotBytes);
constexpr std::int64_t kBlockSlots = 16384;  // 2 MB read at a time in a whole pass

// Complete records in a file of this many bytes: a last slot needs only the 124 bytes the
// record uses.
std::int64_t RecordsIn(std::int64_t bytes) {
  const std::int64_t whole = bytes / kSlotBytes;
  return bytes % kSlotBytes >= static_cast<std::int64_t>(kClusterRecordBytes) ? whole + 1 : whole;
}

std::int64_t FileSize(const fs::path& file) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) {
    throw ClusterFileError(file, "the file cannot be read: " + error.message(), {Kind::Unreadable});
  }
  return static_cast<std::int64_t>(size);
}

// A device or a pipe may never end, or block the opening until someone writes to it.
void RequireRegularFile(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (!fs::exists(status)) throw ClusterFileError(file, "there is no such file", {Kind::Missing});
  if (fs::is_directory(status)) throw ClusterFileError(file, "not a regular file", {Kind::Folder});
  if (!fs::is_regular_file(status)) {
    throw ClusterFileError(file, "not a regular file", {Kind::NotAFile});
  }
}

// Why the record at this place cannot be used, or nothing when it is sound.
std::optional<std::string> RecordProblem(const ClusterRecordView& view, std::int64_t place) {
  const std::int16_t stars = view.StarCount();
  const bool sound = view.RecordNumber() == place && (stars == 1 || stars == 2) &&
                     std::isfinite(view.X()) && std::isfinite(view.Y()) && std::isfinite(view.Z());
  if (sound) return std::nullopt;
  return fmt::format("record {} is damaged", place);
}

}  // namespace

ClusterFileError::ClusterFileError(const fs::path& file, const std::string& reason,
                                   FileFailure failure)
    : std::runtime_error(file.string() + ": " + reason),
      reason_(reason),
      failure_(std::move(failure)) {}

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

ClusterFileReader::ClusterFileReader(const fs::path& file) : file_(file) {
  RequireRegularFile(file);
  stream_.open(file, std::ios::binary);
  if (!stream_) throw ClusterFileError(file, "the file cannot be opened", {Kind::Unreadable});
  fileSize_ = FileSize(file);
  recordCount_ = RecordsIn(fileSize_);
}

ClusterRecord ClusterFileReader::Read(std::int64_t recordNumber) {
  if (recordNumber < 1 || recordNumber > recordCount_) {
    throw ClusterFileError(file_, fmt::format("there is no record {}", recordNumber),
                           {Kind::EndsEarly, static_cast<std::uintmax_t>(fileSize_), {}});
  }
  std::array<std::uint8_t, kClusterRecordBytes> bytes{};
  stream_.clear();
  stream_.seekg((recordNumber - 1) * kSlotBytes);
  stream_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (stream_.gcount() != static_cast<std::streamsize>(bytes.size())) {
    throw ClusterFileError(file_, fmt::format("the file ends inside record {}", recordNumber),
                           {Kind::EndsEarly, static_cast<std::uintmax_t>(fileSize_), {}});
  }
  const ClusterRecordView view(bytes.data());
  if (const auto problem = RecordProblem(view, recordNumber)) {
    throw ClusterFileError(file_, *problem,
                           {Kind::Damaged, 0, fmt::format("star record {}", recordNumber)});
  }
  return view.Decode();
}

ClusterScan ClusterFileReader::ForEach(const std::function<bool(const ClusterRecordView&)>& visit) {
  // The file may have changed since it was opened; a pass reads what is there now.
  fileSize_ = FileSize(file_);
  recordCount_ = RecordsIn(fileSize_);
  ClusterScan scan;
  // A small file needs no block larger than itself, and zeroing 2 MB costs more than its pass.
  const std::int64_t blockSlots = std::clamp<std::int64_t>(recordCount_, 1, kBlockSlots);
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockSlots * kSlotBytes));
  stream_.clear();
  stream_.seekg(0);
  for (std::int64_t first = 1; first <= recordCount_; first += blockSlots) {
    const std::int64_t slots = std::min(blockSlots, recordCount_ - first + 1);
    // A short last slot fills only part of the block; the zeros behind it are never read.
    const std::int64_t wanted = std::min(slots * kSlotBytes, fileSize_ - (first - 1) * kSlotBytes);
    stream_.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(wanted));
    const std::int64_t got = stream_.gcount();
    if (stream_.bad()) {
      scan.Problem = fmt::format("the file cannot be read from record {} on", first);
      return scan;
    }
    for (std::int64_t i = 0; i < slots; ++i) {
      const std::int64_t place = first + i;
      if ((i + 1) * kSlotBytes - got >
          kSlotBytes - static_cast<std::int64_t>(kClusterRecordBytes)) {
        scan.Problem = fmt::format("the file ends inside record {}", place);
        return scan;
      }
      const ClusterRecordView view(block.data() + i * kSlotBytes);
      if (auto problem = RecordProblem(view, place)) {
        scan.Problem = std::move(*problem);
        return scan;
      }
      ++scan.Records;
      if (!visit(view)) return scan;
    }
  }
  const std::int64_t tail = fileSize_ % kSlotBytes;
  if (tail > 0 && tail < static_cast<std::int64_t>(kClusterRecordBytes)) {
    scan.Problem = fmt::format("the file ends inside record {}", recordCount_ + 1);
  }
  return scan;
}

void WriteClusterRecord(const fs::path& file, const ClusterRecord& record) {
  RequireRegularFile(file);
  const std::int64_t records = RecordsIn(FileSize(file));
  if (record.RecordNumber < 1 || record.RecordNumber > records) {
    throw ClusterFileError(
        file, fmt::format("there is no record {}", record.RecordNumber),
        {Kind::OutOfRange, 0, fmt::format("star record {}", record.RecordNumber)});
  }
  std::fstream stream(file, std::ios::binary | std::ios::in | std::ios::out);
  if (!stream) {
    throw ClusterFileError(file, "the file cannot be opened for writing", {Kind::Unwritable});
  }
  // Only the record's own bytes: the slot's unused tail and the file's length stay as they are.
  const ClusterSlot slot = EncodeClusterRecord(record);
  stream.seekp((record.RecordNumber - 1) * kSlotBytes);
  stream.write(reinterpret_cast<const char*>(slot.data()),
               static_cast<std::streamsize>(kClusterRecordBytes));
  stream.flush();
  if (!stream) {
    throw ClusterFileError(file, fmt::format("record {} cannot be written", record.RecordNumber),
                           {Kind::Unwritable});
  }
}

}  // namespace ax
