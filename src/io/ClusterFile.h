#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include "io/ClusterRecord.h"
#include "io/FileFailure.h"

namespace ax {

// A cluster file that cannot be opened, read or written, with the reason in plain words.
class ClusterFileError : public std::runtime_error {
 public:
  ClusterFileError(const std::filesystem::path& file, const std::string& reason,
                   FileFailure failure = {});
  const std::string& Reason() const { return reason_; }
  const FileFailure& Failure() const { return failure_; }

 private:
  std::string reason_;
  FileFailure failure_;
};

// What a pass over a cluster file found: the records it visited and, when it stopped early,
// why ("the file ends inside record 12", "record 7 is damaged").
struct ClusterScan {
  std::int64_t Records = 0;
  std::string Problem;  // empty when the whole file was read
};

// The records of one cluster file. Whole passes read large blocks; a damaged or short file is
// read up to its last sound record, and the pass says where it stopped.
class ClusterFileReader {
 public:
  // Throws ClusterFileError when the file cannot be opened.
  explicit ClusterFileReader(const std::filesystem::path& file);

  const std::filesystem::path& File() const { return file_; }
  // Complete records: a last slot of 124 to 127 bytes counts, its unused tail being short.
  std::int64_t RecordCount() const { return recordCount_; }

  // Record n, from 1. Throws ClusterFileError when there is no such complete record.
  ClusterRecord Read(std::int64_t recordNumber);

  // Visits the records in file order until visit returns false or a record is unsound (its
  // number differs from its place, its star count is not 1 or 2, or its position is not
  // finite).
  ClusterScan ForEach(const std::function<bool(const ClusterRecordView&)>& visit);

 private:
  std::filesystem::path file_;
  std::ifstream stream_;
  std::int64_t recordCount_ = 0;
  std::int64_t fileSize_ = 0;
};

// Replaces record `record.RecordNumber` of an existing cluster file in place; the other
// records stay as they are. Throws ClusterFileError.
void WriteClusterRecord(const std::filesystem::path& file, const ClusterRecord& record);

// The cluster file "C05.AXL" of cluster number 5 (C01 ... C99).
std::string ClusterCode(int number);      // "C05"
std::string ClusterFileName(int number);  // "C05.AXL"
// The code of a cluster file's name: the three characters before its extension ("C05").
std::string ClusterCodeOfFile(const std::filesystem::path& file);

}  // namespace ax
