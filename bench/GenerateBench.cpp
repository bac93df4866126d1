#include <benchmark/benchmark.h>

#include <memory>

#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace {

// The baseline: one bare uniform draw.
void BM_Uniform(benchmark::State& state) {
  ax::Random random(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(random.Uniform());
  }
}
BENCHMARK(BM_Uniform);

void BM_RollDie(benchmark::State& state) {
  ax::Random random(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(random.RollDie(100));
  }
}
BENCHMARK(BM_RollDie);

void BM_GenerateStars(benchmark::State& state) {
  auto world = std::make_unique<ax::World>();
  ax::Random random;  // reseeds from the real clock, as a cluster does for every star
  for (auto _ : state) {
    ax::GenerateStars(*world, random);
    benchmark::DoNotOptimize(world->StarMass[1]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GenerateStars);

// A whole random system: its stars, then every world and moon.
void BM_GenerateAndSurvey(benchmark::State& state) {
  auto world = std::make_unique<ax::World>();
  ax::Random random;
  for (auto _ : state) {
    ax::ClearSystem(*world);
    ax::GenerateStars(*world, random);
    ax::Survey survey(*world, random);
    survey.SurveySystem();
    benchmark::DoNotOptimize(world->OrbitCount[1]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GenerateAndSurvey);

}  // namespace
