// Feeds arbitrary bytes to the cluster file reader as a file on disk. A pass either visits
// every complete record or stops at the first unsound one with its reason; every record it
// visited reads alone and encodes back to its own bytes, and the one it stopped at does not
// read; anything else (a crash, another exception, a silent stop) aborts.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader works on a file: one in memory, as a file on disk costs milliseconds to rewrite.
  static const int memory = ::memfd_create("cluster-fuzz", 0);
  static const std::filesystem::path file = "/proc/self/fd/" + std::to_string(memory);
  if (memory < 0 || ::ftruncate(memory, 0) != 0 ||
      ::pwrite(memory, data, size, 0) != static_cast<ssize_t>(size)) {
    Fail("the file in memory cannot be written");
  }
  ax::ClusterFileReader reader(file);
  const ax::ClusterScan scan = reader.ForEach([](const ax::ClusterRecordView& view) {
    static_cast<void>(view.Decode());
    return true;
  });
  const std::size_t tail = size % ax::kClusterSlotBytes;
  if (scan.Problem.empty() &&
      (scan.Records != reader.RecordCount() || (tail > 0 && tail < ax::kClusterRecordBytes))) {
    Fail("a pass stops short of the file's end without a reason");
  }
  for (std::int64_t n = 1; n <= scan.Records; ++n) {
    const ax::ClusterSlot slot = ax::EncodeClusterRecord(reader.Read(n));
    const std::uint8_t* const bytes = data + (n - 1) * std::int64_t{ax::kClusterSlotBytes};
    if (!std::equal(slot.begin(), slot.begin() + ax::kClusterRecordBytes, bytes)) {
      Fail("a record does not encode back to its own bytes");
    }
  }
  if (scan.Records < reader.RecordCount()) {
    try {
      reader.Read(scan.Records + 1);
      Fail("the record a pass stopped at reads alone");
    } catch (const ax::ClusterFileError&) {
    }
  }
  return 0;
}
