#include <benchmark/benchmark.h>

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "cluster/ClusterView.h"
#include "display/Canvas.h"
#include "generate/Stars.h"
#include "io/ClusterFile.h"
#include "io/ClusterRecord.h"
#include "model/Random.h"
#include "model/World.h"
#include "render/QtCanvas.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kStars = 1'000'000;
constexpr float kCubeCells = 250;

// A cluster file of a million stars made by the star generator (so points, discs and colours
// come in their usual shares) at random places in a 250-cell cube; removed at exit.
class MillionStarCluster {
 public:
  MillionStarCluster() {
    std::random_device entropy;
    do {
      dir_ = fs::temp_directory_path() / ("astrolattix-bench-" + std::to_string(entropy()));
    } while (!fs::create_directory(dir_));
    file_ = dir_ / "C01.AXL";
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    auto world = std::make_unique<ax::World>();
    ax::Random random(2026);
    ax::ClusterRecord record;
    for (std::int32_t n = 1; n <= kStars; ++n) {
      ax::GenerateStars(*world, random);
      record.RecordNumber = n;
      record.StarCount = world->StarCount;
      record.X = kCubeCells * random.Uniform();
      record.Y = kCubeCells * random.Uniform();
      record.Z = kCubeCells * random.Uniform();
      record.Stars[0].Type = world->StarType[1];
      record.Stars[0].Luminosity = world->StarLuminosity[1];
      const ax::ClusterSlot slot = ax::EncodeClusterRecord(record);
      out.write(reinterpret_cast<const char*>(slot.data()),
                static_cast<std::streamsize>(slot.size()));
    }
  }
  ~MillionStarCluster() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  MillionStarCluster(const MillionStarCluster&) = delete;
  MillionStarCluster& operator=(const MillionStarCluster&) = delete;

  const fs::path& File() const { return file_; }

 private:
  fs::path dir_;
  fs::path file_;
};

const fs::path& ClusterFile() {
  static const MillionStarCluster cluster;
  return cluster.File();
}

// Takes every call and paints nothing: the cost of the pass alone.
class NullCanvas : public ax::Canvas {
 public:
  void SetScale(double, double, double, double) override {}
  void Clear(ax::Colour) override {}
  void SetDrawMode(ax::DrawMode) override {}
  void SetFontSize(double) override {}
  void Point(double, double, ax::Colour) override { ++points; }
  void Points(std::span<const ax::CanvasPoint> drawn, ax::Colour) override {
    points += static_cast<std::int64_t>(drawn.size());
  }
  void Line(double, double, double, double, ax::Colour) override {}
  void Circle(double, double, double, ax::Colour) override {}
  void Disc(double, double, double, ax::Colour) override { ++discs; }
  void Discs(std::span<const ax::CanvasPoint> centres, double, ax::Colour) override {
    discs += static_cast<std::int64_t>(centres.size());
  }
  void Text(double, double, std::string_view, ax::Colour) override {}

  std::int64_t points = 0;
  std::int64_t discs = 0;
};

// Range 217 takes in the whole cube (its corners are 216.5 cells from the centre), 125 the
// sphere inside it (about half the stars), 50 a small part (3 %); with and without the +X view.
ax::ClusterViewState CubeView(const benchmark::State& state) {
  ax::ClusterViewState view;
  view.X = view.Y = view.Z = kCubeCells / 2;
  view.Range = static_cast<double>(state.range(0));
  view.SecondView = state.range(1) != 0;
  return view;
}

void BM_DrawClusterPass(benchmark::State& state) {
  const fs::path& file = ClusterFile();
  const ax::ClusterViewState view = CubeView(state);
  ax::ClusterFileReader reader(file);
  NullCanvas canvas;
  for (auto _ : state) {
    canvas = NullCanvas();
    benchmark::DoNotOptimize(ax::DrawCluster(canvas, view, reader).size());
  }
  state.counters["points"] = static_cast<double>(canvas.points);
  state.counters["discs"] = static_cast<double>(canvas.discs);
}
BENCHMARK(BM_DrawClusterPass)->ArgsProduct({{217, 125, 50}, {0, 1}})->Unit(benchmark::kMillisecond);

// Every fifth star with life, about the share a cluster's atlas finds.
const ax::StarMarks& FifthLiving() {
  static const ax::StarMarks marks = [] {
    std::vector<ax::AtlasRow> rows(kStars / 5);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i].Record = static_cast<std::int32_t>(5 * (i + 1));
      rows[i].HighestLife = 1;
    }
    return ax::StarMarks(rows);
  }();
  return marks;
}

void BM_DrawClusterPainted(benchmark::State& state) {
  const fs::path& file = ClusterFile();
  ax::ClusterViewState view = CubeView(state);
  if (state.range(2) != 0) view.Mark = ax::StarMark::Life;
  ax::ClusterFileReader reader(file);
  // 1000 pixels a view, as square as the window keeps it.
  QImage image(static_cast<int>(10 * ax::ClusterViewWidth(view)), 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    ax::QtCanvas canvas(image);
    canvas.SetScale(0, 0, ax::ClusterViewWidth(view), 100);
    benchmark::DoNotOptimize(ax::DrawCluster(canvas, view, reader, nullptr, &FifthLiving()).size());
  }
}
// The third argument rings every fifth star.
BENCHMARK(BM_DrawClusterPainted)
    ->ArgsProduct({{217, 125, 50}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
