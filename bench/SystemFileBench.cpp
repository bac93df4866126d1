#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace {

// The bytes of 64 surveyed systems, cycled through so no one system flatters the figures.
std::vector<std::string> SurveyedSystemFiles() {
  std::vector<std::string> files;
  auto world = std::make_unique<ax::World>();
  ax::Random random(2026);
  for (int i = 0; i < 64; ++i) {
    ax::ClearSystem(*world);
    ax::GenerateStars(*world, random);
    ax::Survey(*world, random).SurveySystem();
    files.push_back(ax::EncodeSystem(*world));
  }
  return files;
}

void BM_WriteSystemBytes(benchmark::State& state) {
  const auto files = SurveyedSystemFiles();
  std::vector<std::unique_ptr<ax::World>> worlds;
  ax::SystemFileReader reader;
  for (const auto& bytes : files) {
    worlds.push_back(std::make_unique<ax::World>());
    reader.Decode(bytes, *worlds.back());
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ax::EncodeSystem(*worlds[i++ % worlds.size()]));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteSystemBytes);

void BM_ReadSystemBytes(benchmark::State& state) {
  const auto files = SurveyedSystemFiles();
  auto world = std::make_unique<ax::World>();
  ax::SystemFileReader reader;
  std::size_t i = 0;
  for (auto _ : state) {
    reader.Decode(files[i++ % files.size()], *world);
    benchmark::DoNotOptimize(world->StarCount);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadSystemBytes);

}  // namespace
