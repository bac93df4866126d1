#include "cluster/Atlas.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <future>
#include <memory>
#include <thread>

#include "cluster/Jump.h"
#include "cluster/OrderedShares.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "survey/Survey.h"

namespace ax {

namespace {

// Records surveyed between two hand-overs, per job. Each hand-over leaves the cores idle for a
// few milliseconds (new threads, the batch's last star): at 256 a job two threads did the work
// of 1.3, at 4096 of 1.9. The rows held, two batches', stay a few megabytes, and progress and
// Cancel still answer within a few tenths of a second.
constexpr std::size_t kBatchPerJob = 4096;

bool Oxygen(char code) {
  return code >= 'A' && code <= 'H';
}

// One job's own system and file reader, kept from batch to batch.
struct AtlasWorker {
  std::unique_ptr<World> world = std::make_unique<World>();
  SystemFileReader reader;
  Random random{0};
};

AtlasRow SurveyStar(AtlasWorker& worker, const std::filesystem::path& clusterFile,
                    const ClusterRecord& record) {
  const JumpOutcome outcome =
      JumpIntoClusterStar(*worker.world, worker.random, worker.reader, clusterFile, record);
  const bool kept = outcome == JumpOutcome::Kept;
  if (!kept) Survey(*worker.world, worker.random).SurveySystem();
  return DescribeSystem(*worker.world, record, kept);
}

// Surveys the batch on `jobs` threads; rows land in their records' places.
std::vector<AtlasRow> SurveyBatch(std::vector<AtlasWorker>& workers,
                                  const std::filesystem::path& clusterFile,
                                  const std::vector<ClusterRecord>& batch) {
  std::vector<AtlasRow> rows(batch.size());
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> failures(workers.size());
  const auto work = [&](std::size_t job) {
    try {
      for (std::size_t i = next++; i < batch.size(); i = next++) {
        rows[i] = SurveyStar(workers[job], clusterFile, batch[i]);
      }
    } catch (...) {
      failures[job] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> threads;
    for (std::size_t job = 1; job < workers.size(); ++job) threads.emplace_back(work, job);
    work(0);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return rows;
}

}  // namespace

std::array<int, 3> AtlasRow::Cell() const {
  return {static_cast<int>(std::floor(Position[0])), static_cast<int>(std::floor(Position[1])),
          static_cast<int>(std::floor(Position[2]))};
}

std::optional<std::size_t> AtlasClassIndex(char code) {
  const auto* at = std::ranges::find(kAtlasClasses, code);
  if (at == kAtlasClasses.end()) return std::nullopt;
  return static_cast<std::size_t>(at - kAtlasClasses.begin());
}

int AtlasRow::ClassCount(char code) const {
  const std::optional<std::size_t> index = AtlasClassIndex(code);
  return index ? Classes[*index] : 0;
}

AtlasRow DescribeSystem(const World& world, const ClusterRecord& record, bool kept) {
  AtlasRow row;
  row.Record = record.RecordNumber;
  row.Name = record.SystemName;
  row.Position = {record.X, record.Y, record.Z};
  row.Type1 = world.StarType[1];
  if (world.StarCount == 2) row.Type2 = world.StarType[2];
  row.Kept = kept;
  for (int s = 0; s < kStarSlots; ++s) {
    for (int o = 1; o <= world.OrbitCount[s]; ++o) {
      const std::string& worldClass = world.BodyClass(s, o, 0);
      if (worldClass.empty()) continue;
      ++row.Worlds;
      (IsBelt(worldClass) ? row.BeltBodies : row.Moons) += world.MoonCount[s][o];
      for (int b = 0; b <= world.MoonCount[s][o]; ++b) {
        const std::string& bodyClass = world.BodyClass(s, o, b);
        if (bodyClass.empty()) continue;
        if (const auto index = AtlasClassIndex(bodyClass[0])) ++row.Classes[*index];
        row.HighestLife = std::max<int>(row.HighestLife, world.BodyLifeComplexity(s, o, b));
        row.BestHabitability = std::max(row.BestHabitability, world.BodyHabitability(s, o, b));
        if (!world.BodyTechEra(s, o, b).empty()) row.Eras.push_back(world.BodyTechEra(s, o, b));
        if (!world.BodyExtinctEra(s, o, b).empty()) {
          row.Eras.push_back(world.BodyExtinctEra(s, o, b) + " (extinct)");
        }
      }
    }
  }
  return row;
}

bool AtlasFilter::Matches(const AtlasRow& row) const {
  if (LeastLife && row.HighestLife < *LeastLife) return false;
  if (Civilization && row.Eras.empty()) return false;
  if (!Classes.empty() &&
      std::ranges::none_of(Classes, [&row](char code) { return row.ClassCount(code) > 0; })) {
    return false;
  }
  if (Habitable && std::ranges::none_of(kAtlasClasses, [&row](char code) {
        return Oxygen(code) && row.ClassCount(code) > 0;
      })) {
    return false;
  }
  if (Within) {
    double squared = 0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const double d = static_cast<double>(row.Position[axis]) - Of[axis];
      squared += d * d;
    }
    if (squared > static_cast<double>(*Within) * *Within) return false;
  }
  return true;
}

ClusterScan MakeAtlas(const std::filesystem::path& clusterFile, AtlasRecords records, int jobs,
                      const std::function<void(const AtlasRow&)>& row,
                      const std::function<bool(std::int64_t surveyed)>& going) {
  std::vector<AtlasWorker> workers(static_cast<std::size_t>(JobsOrCores(jobs)));
  std::vector<ClusterRecord> batch;
  const std::size_t batchSize = kBatchPerJob * workers.size();
  std::vector<AtlasRow> surveyed;
  // The rows of one batch are handed on (printed, often) while the next batch is surveyed,
  // so that the jobs do not stand idle meanwhile.
  const auto handOver = [&] {
    std::future<std::vector<AtlasRow>> next =
        std::async(std::launch::async, [&workers, &clusterFile, records = std::move(batch)] {
          return SurveyBatch(workers, clusterFile, records);
        });
    batch.clear();
    for (const AtlasRow& made : surveyed) row(made);
    surveyed = next.get();
  };

  std::int64_t batched = 0;
  ClusterScan scan = ClusterFileReader(clusterFile).ForEach([&](const ClusterRecordView& view) {
    const std::int64_t number = view.RecordNumber();
    if (number < records.First) return true;
    if (number > records.Last) return false;
    batch.push_back(view.Decode());
    if (batch.size() < batchSize) return true;

    handOver();
    batched += static_cast<std::int64_t>(batchSize);
    return !going || going(batched);  // stopped, the batch left is empty
  });
  handOver();
  for (const AtlasRow& made : surveyed) row(made);
  return scan;
}

}  // namespace ax
