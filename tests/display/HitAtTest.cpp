#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

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

// Every disc leads to its world's cell, where the user reads its distance in AU to the precision
// shown and its moons, drawn or counted; an empty orbit is marked.
TEST(HitAtTest, EveryDiscOfTheSymbolicListLeadsToItsWorldsCell) {
  ForSurveyedSystems([](const World& world, const std::set<std::pair<int, int>>& worlds) {
    RecordingCanvas canvas;
    SymbolicList(world, canvas).Draw();
    std::set<std::pair<int, int>> hit;
    std::map<std::pair<int, int>, std::string> marks;  // the distance, or "empty"
    std::map<std::pair<int, int>, int> moons;
    int stars = 0;  // the stars' own column answers nothing
    for (const auto& call : canvas.Calls()) {
      const auto cell = SymbolicList::HitAt(call.x1, call.y1);
      const std::pair place = cell ? std::pair(cell->star, cell->orbit) : std::pair(-1, -1);
      if (call.kind == Kind::Disc) cell ? void(hit.insert(place)) : void(++stars);
      if (call.kind == Kind::Disc && call.radius < 0.5) ++moons[place];
      if (call.kind == Kind::Circle) marks[place] = "empty";
      if (call.kind == Kind::Text) (call.text[0] == '+' ? moons[place] += std::stoi(call.text) : 0);
      if (call.kind == Kind::Text && call.text[0] != '+') marks[place] = call.text;
    }
    EXPECT_EQ(hit, worlds);
    EXPECT_EQ(stars, world.StarCount == 2 ? 4 : 1);
    for (int s = world.StarCount == 2 ? 0 : 1; s <= world.StarCount; ++s) {
      for (int o = 1; o <= std::min<int>(world.OrbitCount[s], kOrbitSlots - 1); ++o) {
        const std::string& mark = marks[{s, o}];
        EXPECT_EQ(mark == "empty", !worlds.contains({s, o})) << mark;
        if (mark == "empty") continue;
        const auto point = static_cast<double>(std::min(mark.find('.'), mark.find(' ')));
        const double half = 0.5 * std::pow(10, point + 1 - static_cast<double>(mark.find(' ')));
        EXPECT_NEAR(std::stod(mark), world.BodySemiMajorAxis(s, o, 0), half * 1.001) << mark;
        EXPECT_TRUE(mark.ends_with(" AU")) << mark;
        EXPECT_EQ(moons[std::pair(s, o)], world.MoonCount[s][o]);
      }
    }
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
