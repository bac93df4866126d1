#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdlib>
#include <memory>

#include "display/OrbitView.h"
#include "display/RecordingCanvas.h"
#include "display/ViewState.h"
#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"
#include "render/QtCanvas.h"
#include "survey/Survey.h"

namespace {

int BodyCount(const ax::World& world) {
  int bodies = 0;
  for (int s = 0; s < ax::kStarSlots; ++s) {
    for (int o = 1; o <= world.OrbitCount[s]; ++o) bodies += 1 + world.MoonCount[s][o];
  }
  return bodies;
}

// The surveyed system with the most bodies among 10,000 seeds: the heaviest system view.
std::unique_ptr<ax::World> LargestSystem() {
  auto largest = std::make_unique<ax::World>();
  auto world = std::make_unique<ax::World>();
  int most = -1;
  for (std::uint64_t seed = 1; seed <= 10'000; ++seed) {
    ax::Random random(seed);
    ax::ClearSystem(*world);
    ax::GenerateStars(*world, random);
    ax::Survey(*world, random).SurveySystem();
    if (const int bodies = BodyCount(*world); bodies > most) {
      most = bodies;
      std::swap(largest, world);
    }
  }
  return largest;
}

ax::World& Largest() {
  static const auto world = LargestSystem();
  return *world;
}

// With every orbit, world, moon orbit and moon shown, at the benchmark's zoom: at zoom 1 every
// orbit is on screen, at 256 most are skipped as too far out.
ax::ViewState BusiestView(const benchmark::State& state) {
  ax::ViewState view;
  view.DisplayMode = 1;
  view.ViewZoom = static_cast<float>(state.range(0));
  view.ViewAspect = 4.0 / 3.0;
  return view;
}

void BM_DrawSystemRecorded(benchmark::State& state) {
  ax::World& world = Largest();
  const ax::ViewState view = BusiestView(state);
  ax::RecordingCanvas canvas;
  for (auto _ : state) {
    canvas.Reset();
    ax::OrbitView(world, view, canvas).DrawSystem();
    benchmark::DoNotOptimize(canvas.Calls().size());
  }
}
BENCHMARK(BM_DrawSystemRecorded)->Arg(1)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_DrawSystemPainted(benchmark::State& state) {
  ax::World& world = Largest();
  const ax::ViewState view = BusiestView(state);
  QImage image(1024, 768, QImage::Format_RGB32);
  for (auto _ : state) {
    ax::QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    ax::OrbitView(world, view, canvas).DrawSystem();
  }
}
BENCHMARK(BM_DrawSystemPainted)->Arg(1)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Painting text needs fonts, and so an application, but never a display.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
