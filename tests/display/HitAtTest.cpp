#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "display/RecordingCanvas.h"
#include "display/SymbolicList.h"
#include "display/WorldReport.h"
#include "generate/Stars.h"
#include "model/Random.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using Kind = RecordingCanvas::Kind;
using Hit = WorldReport::Hit;

// Each surveyed system of the first seeds, with the places (star, orbit) of its worlds.
template <typename Check>
void ForSurveyedSystems(Check check) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    World world;
    Random random(seed);
    GenerateStars(world, random);
    Survey(world, random).SurveySystem();
    std::set<std::pair<int, int>> worlds;
    for (int s = world.StarCount == 2 ? 0 : 1; s <= world.StarCount; ++s) {
      for (int o = 1; o <= std::min<int>(world.OrbitCount[s], kOrbitSlots - 1); ++o) {
        if (!world.BodyClass(s, o, 0).empty()) worlds.insert({s, o});
      }
    }
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    check(world, worlds);
  }
}

TEST(HitAtTest, EveryDiscOfTheSymbolicListLeadsToItsWorldsCell) {
  ForSurveyedSystems([](const World& world, const std::set<std::pair<int, int>>& worlds) {
    RecordingCanvas canvas;
    SymbolicList(world, canvas).Draw();
    std::set<std::pair<int, int>> hit;
    int stars = 0;  // the stars' own column answers nothing
    for (const auto& disc : canvas.CallsOf(Kind::Disc)) {
      const auto cell = SymbolicList::HitAt(disc.x1, disc.y1);
      if (cell) hit.insert({cell->star, cell->orbit});
      stars += cell ? 0 : 1;
    }
    EXPECT_EQ(hit, worlds);
    EXPECT_EQ(stars, world.StarCount == 2 ? 4 : 1);
  });
}

// The middle of each moon row the report drew (its texts' span, half a row below their top)
// selects that moon; the strip's selection ring its world; left of the strip, the list.
TEST(HitAtTest, ClicksOnTheDrawnReportHitItsMoonsAndWorlds) {
  int moonRows = 0;
  ForSurveyedSystems([&](World& world, const std::set<std::pair<int, int>>& worlds) {
    for (const auto& [s, o] : worlds) {
      world.CurrentStar = static_cast<std::int16_t>(s);
      world.CurrentOrbit = static_cast<std::int16_t>(o);
      world.CurrentBody = 0;
      RecordingCanvas canvas;
      WorldReport(world, canvas).ShowWorldReport();
      const auto ring = canvas.CallsOf(Kind::Circle).at(0);
      const Hit onRing = WorldReport::HitAt(world, ring.x1, ring.y1);
      EXPECT_EQ(std::pair(onRing.kind, onRing.index), std::pair(Hit::Kind::Orbit, o));
      double frameLeft = 100;
      for (const auto& line : canvas.CallsOf(Kind::Line)) frameLeft = std::min(frameLeft, line.x1);
      EXPECT_EQ(WorldReport::HitAt(world, frameLeft - 1, ring.y1).kind, Hit::Kind::SymbolicList);
      const auto* header = canvas.FindText("Class");
      if (header == nullptr) continue;                   // no moons, no list
      std::map<double, std::pair<double, double>> rows;  // top: the texts' left and right
      for (const auto& text : canvas.CallsOf(Kind::Text)) {
        if (text.y1 <= header->y1 || text.x1 < header->x1) continue;
        const auto row = rows.try_emplace(text.y1, text.x1, text.x1).first;
        row->second = {std::min(row->second.first, text.x1), std::max(row->second.second, text.x1)};
      }
      // Rows without a moon's class are the gas shares below the list.
      std::erase_if(rows, [&](const auto& row) { return row.second.first != header->x1; });
      EXPECT_EQ(static_cast<int>(rows.size()), world.MoonCount[s][o]);
      double previousTop = header->y1;
      int moon = 0;
      for (const auto& [top, span] : rows) {
        const Hit hit = WorldReport::HitAt(world, (span.first + span.second) / 2,
                                           top + (top - previousTop) / 2);
        EXPECT_EQ(std::pair(hit.kind, hit.index), std::pair(Hit::Kind::Body, ++moon));
        previousTop = top;
        ++moonRows;
      }
    }
  });
  EXPECT_GT(moonRows, 20);  // the seeds gave moons enough to try
}

}  // namespace
}  // namespace ax
