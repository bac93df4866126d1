#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cluster/Atlas.h"
#include "cluster/ClusterGeneration.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/Random.h"

namespace {

namespace fs = std::filesystem;

// A folder for the benchmark's cluster files, removed at exit.
class BenchFolder {
 public:
  BenchFolder()
      : path_(fs::temp_directory_path() / ("astrolattix-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Folder() {
  static const BenchFolder folder;
  return folder.Path();
}

// One whole generation per iteration on `jobs` threads (0: one per core), the file removed
// again so each run writes C01.
void GenerateOnce(benchmark::State& state, const ax::ClusterSettings& settings, int jobs) {
  std::uint64_t seed = 1;
  std::int64_t stars = 0;
  for (auto _ : state) {
    const ax::ClusterResult result = ax::GenerateCluster(settings, seed++, Folder(), {}, jobs);
    stars += result.Stars;
    state.PauseTiming();
    fs::remove(result.File);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(stars);
  state.counters["stars"] =
      benchmark::Counter(static_cast<double>(stars), benchmark::Counter::kAvgIterations);
}

// The largest grid at the form's default density: 15.6 million cells, about 44,600 stars.
void BM_GenerateCluster250Density350(benchmark::State& state) {
  GenerateOnce(state, {250, 350, ax::ClusterShape::Cube}, 0);
}
BENCHMARK(BM_GenerateCluster250Density350)->Unit(benchmark::kMillisecond)->UseRealTime();

// A star in every cell: 216,000 stars, the cost of one star and its record, on 1 and 2 threads
// (the argument).
void BM_GenerateCluster60Density1(benchmark::State& state) {
  GenerateOnce(state, {60, 1, ax::ClusterShape::Cube}, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_GenerateCluster60Density1)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A star in every cell of the largest grid: 15.6 million stars, a 2 GB file, on 1 and 2
// threads. Seconds and gigabytes a run, so it is there only when ASTROLATTIX_BENCH_LARGE is set
// and the smoke run stays quick.
void BM_GenerateCluster250Density1(benchmark::State& state) {
  GenerateOnce(state, {250, 1, ax::ClusterShape::Cube}, static_cast<int>(state.range(0)));
}
[[maybe_unused]] const bool kLargeRegistered = [] {
  if (std::getenv("ASTROLATTIX_BENCH_LARGE") == nullptr) return false;
  benchmark::RegisterBenchmark("BM_GenerateCluster250Density1", BM_GenerateCluster250Density1)
      ->Arg(1)
      ->Arg(2)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  return true;
}();

// A cluster file of a million records (128 MB), written once.
const fs::path& MillionRecordFile() {
  static const fs::path file = [] {
    constexpr std::int32_t kRecords = 1'000'000;
    const fs::path path = Folder() / "C99.AXL";
    ax::ClusterRecord record;
    record.FileName = "AX000000.C99";
    record.SystemName = "Sec99:000000";
    record.StarCount = 1;
    record.Stars[0] = {1.0, 5800, 1.0F, "G 1 V  "};
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(kRecords) * ax::kClusterSlotBytes);
    for (std::int32_t n = 1; n <= kRecords; ++n) {
      record.RecordNumber = n;
      record.X = static_cast<float>(n % 250);
      record.Y = static_cast<float>(n / 250 % 250);
      record.Z = static_cast<float>(n / 62'500);
      const ax::ClusterSlot slot = ax::EncodeClusterRecord(record);
      bytes.insert(bytes.end(), slot.begin(), slot.end());
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }();
  return file;
}

// One pass over every record with a visitor that reads the position and light, as the
// cluster view does.
void BM_ClusterFileForEach(benchmark::State& state) {
  ax::ClusterFileReader reader(MillionRecordFile());
  std::int64_t records = 0;
  for (auto _ : state) {
    double sum = 0;
    const ax::ClusterScan scan = reader.ForEach([&sum](const ax::ClusterRecordView& view) {
      sum += view.X() + view.Y() + view.Z() + view.Luminosity1();
      return true;
    });
    benchmark::DoNotOptimize(sum);
    records += scan.Records;
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(BM_ClusterFileForEach)->Unit(benchmark::kMillisecond);

// The atlas of the largest cube at the default density (about 44,600 stars): every star's own
// system made and surveyed, on 1 and 2 threads (the argument) over the same file.
void BM_Atlas250Density350(benchmark::State& state) {
  static const fs::path file = [] {
    ax::Random random(350);
    fs::create_directories(Folder() / "atlas");
    return ax::GenerateCluster({250, 350, ax::ClusterShape::Cube}, random, Folder() / "atlas", {})
        .File;
  }();
  std::int64_t rows = 0;
  for (auto _ : state) {
    ax::MakeAtlas(file, {}, static_cast<int>(state.range(0)),
                  [&rows](const ax::AtlasRow&) { ++rows; });
  }
  state.SetItemsProcessed(rows);
}
// CPU is that of the whole process: the surveying runs off the calling thread.
BENCHMARK(BM_Atlas250Density350)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
