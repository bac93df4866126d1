#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::Script;

float D6(int face) {
  return Die(face, 6);
}

// The Earth-like oxygen world: a 5800 K star of luminosity 1, the world at 1 AU on orbit 3.
// Radiation 10 - 100/24 - (2.1 + 10) is negative, so 0, and no surface penalty applies.
void MakeEarthLike(World& w, int body) {
  w.StarCount = 1;
  w.StarLuminosity[1] = 1;
  w.StarTemperature[1] = 5800;
  w.CurrentStar = 1;
  w.CurrentOrbit = 3;
  w.CurrentBody = static_cast<std::int16_t>(body);
  if (body == 0) {
    w.BodyClass(1, 3, 0) = "H";
    w.BodySemiMajorAxis(1, 3, 0) = 1;
  }
  w.BodyDensity(1, 3, body) = 1;
  w.BodyDayLength(1, 3, body) = 24;
  w.BodyPeriod(1, 3, body) = 8766;
  w.BodyOxygen(1, 3, body) = 0.21f;
  w.BodyPressure(1, 3, body) = 1;
  w.BodyNitrogen(1, 3, body) = 0.78f;
  w.BodyGravity(1, 3, body) = 1;
  w.BodyRadius(1, 3, body) = 1;
  w.BodyVolcanism(1, 3, body) = 1;
  w.BodyWaterCover(1, 3, body) = 0.7f;
  w.BodyContinents(1, 3, body) = 3;
  w.BodyTempHigh(1, 3, body) = 300;
  w.BodyTempLow(1, 3, body) = 270;
  w.BodyLifeComplexity(1, 3, body) = 6;
}

struct Assessed {
  std::unique_ptr<World> world = std::make_unique<World>();
  std::size_t drawsLeft = 0;
  float radiation = 0;
  float points = 0;
  std::string letter;
  std::string kind;
  std::string taint;
};

// Assesses the Earth-like world (or moon, body 1) after `change` has made it what the row needs.
Assessed Assess(const std::function<void(World&)>& change, const std::vector<float>& draws,
                int body = 0) {
  Assessed a;
  MakeEarthLike(*a.world, body);
  change(*a.world);
  Random random = Random::Scripted(draws);
  Survey survey(*a.world, random);
  survey.AssessLife();
  const World& w = *a.world;
  a.drawsLeft = random.ScriptLeft();
  a.radiation = w.BodyRadiation(1, 3, body);
  a.points = w.BodyHabitability(1, 3, body);
  a.letter = w.BodyClass(1, 3, body);
  a.kind = w.BodyLifeKind(1, 3, body);
  a.taint = w.BodyLifeClassification(1, 3, body);
  return a;
}

// Compatibility 2d6 of 1 and 1 (X = 2 plus the world's departure), a doubling roll of 50 that
// fails, taint dice 1 and 1, and the last die: the points are the penalties + lastDie - 3.5.
std::vector<float> QuietDice(int lastDie) {
  return {D6(1), D6(1), D100(50), D6(1), D6(1), D6(lastDie)};
}

TEST(AssessLifeTest, EarthLikeWorldScoresCompatibilityTaintAndTheLastDie) {
  struct Row {
    const char* name;
    std::vector<float> draws;
    const char* kind;
    const char* taint;
    float points;
    const char* letter;
  };
  const Row rows[] = {
      // X = 3 + 4 = 7; T = (2 + 2 - 5) + 1 = 0; 5 - 3.5 = 1.5.
      {"compatible, untainted",
       {D6(3), D6(4), D100(50), D6(2), D6(2), D6(5)},
       "compatible life",
       "",
       1.5f,
       "A"},
      // X = 8, no doubling on 21; T = (1 + 1 - 5) + 1 = -2; 2.5.
      {"X 8", {D6(4), D6(4), D100(21), D6(1), D6(1), D6(6)}, "compatible life", "", 2.5f, "A"},
      // X = 9 poisonous: 25; T = 1 + 1 + the poison d6 6 = 8, irritant: 3; 1 - 3.5.
      {"X 9, taint exactly 8",
       {D6(4), D6(5), D100(50), D6(3), D6(3), D6(6), D6(1)},
       "poisonous life",
       "(Irritant taint)",
       25.5f,
       "D"},
      // T = 2 + 1 + 6 = 9: hazardous, 10 + 9, with only the biological detail; 2 - 3.5.
      {"X 9, hazardous",
       {D6(4), D6(5), D100(50), D6(3), D6(4), D6(6), D6(2)},
       "poisonous life",
       "(Hazardous taint - biological contaminates)",
       42.5f,
       "E"},
      // X = 10: vitamin deficient, 5; 4 - 3.5.
      {"X 10",
       {D6(5), D6(5), D100(50), D6(1), D6(1), D6(4)},
       "vitamin deficient life",
       "",
       5.5f,
       "B"},
      // X = 5 doubles on 20 to 10, then 21 stops it: 5; T = (1 + 2 - 5) + 1 = -1; 3 - 3.5.
      {"X 5 doubled",
       {D6(2), D6(3), D100(20), D100(21), D6(1), D6(2), D6(3)},
       "vitamin deficient life",
       "",
       4.5f,
       "A"},
      // X = 8 doubles to 16 and the doubling ends without a roll: 10; T = 7 + 1 = 8: 3; 2.5.
      {"X 8 doubled",
       {D6(4), D6(4), D100(20), D6(6), D6(6), D6(6)},
       "incompatible life",
       "(Irritant taint)",
       15.5f,
       "C"},
  };
  for (const Row& row : rows) {
    const Assessed a = Assess([](World&) {}, row.draws);
    EXPECT_EQ(a.drawsLeft, 0u) << row.name;
    EXPECT_EQ(a.radiation, 0.0f) << row.name;
    EXPECT_EQ(a.kind, row.kind) << row.name;
    EXPECT_EQ(a.taint, row.taint) << row.name;
    EXPECT_FLOAT_EQ(a.points, row.points) << row.name;
    EXPECT_EQ(a.letter, row.letter) << row.name;
  }
}

TEST(AssessLifeTest, CompatibilityCountsStarAndDensityBeforeTheDice) {
  // 5550 K and density 1.5: Int(0 + 5 x 0.5 + 250 / 500) = Int(3.0) = 3 (whole-number division
  // would give 2). Radiation 10 - 100 x 2.25 / 24 - 12.1 is still 0.
  const auto change = [](World& w) {
    w.StarTemperature[1] = 5550;
    w.BodyDensity(1, 3, 0) = 1.5f;
  };
  // 3 + 3 + 3 = 9: 25; T = -3 x 1.5 + 1 + poison d6 1 = -2.5; 0.5.
  const Assessed poisonous = Assess(change, {D6(3), D6(3), D100(50), D6(1), D6(1), D6(1), D6(4)});
  EXPECT_EQ(poisonous.drawsLeft, 0u);
  EXPECT_EQ(poisonous.kind, "poisonous life");
  EXPECT_FLOAT_EQ(poisonous.points, 25.5f);
  // 3 + 6 + 6 = 15 is not below 15, so no doubling roll; 15 is still vitamin deficient: 5.5.
  const Assessed fifteen = Assess(change, {D6(6), D6(6), D6(1), D6(1), D6(4)});
  EXPECT_EQ(fifteen.drawsLeft, 0u);
  EXPECT_EQ(fifteen.kind, "vitamin deficient life");
  EXPECT_FLOAT_EQ(fifteen.points, 5.5f);
  // 3 + 5 + 6 = 14 doubles on 20 to 28: 10.5.
  const Assessed doubled = Assess(change, {D6(5), D6(6), D100(20), D6(1), D6(1), D6(4)});
  EXPECT_EQ(doubled.drawsLeft, 0u);
  EXPECT_EQ(doubled.kind, "incompatible life");
  EXPECT_FLOAT_EQ(doubled.points, 10.5f);
}

TEST(AssessLifeTest, TaintBoundsAndDetails) {
  // L 2.25, density 1.25, day 25, oxygen 0.25: radiation 22.5 - 6.25 - 12.5 = 3.75, exactly.
  // X = Int(3.75 + 1.25) + 2 + 2 = 9, poisonous; T = 1 x 1.25 + V + 1.875 + poison d6 1.
  // Points: 3.75 + 25 + taint + V (above 1) + (4 - 3.5).
  struct Row {
    float volcanism;
    const char* taint;
    float points;
    const char* letter;
  };
  const char* details =
      " - heavy metal particulates - ozone contamination - biological contaminates)";
  const Row rows[] = {
      {3.875f, "(Irritant taint)", 36.125f, "E"},  // T 8: + 3
      {4.375f, "(Hazardous taint", 52.125f, "F"},  // T 8.5: + 18.5
      {6.875f, "(Hazardous taint", 57.125f, "F"},  // T 11: + 21
      {7.375f, "(Poisonous taint", 88.125f, "F"},  // T 11.5: + 51.5
  };
  for (const Row& row : rows) {
    const Assessed a = Assess(
        [&row](World& w) {
          w.StarLuminosity[1] = 2.25f;
          w.BodyDensity(1, 3, 0) = 1.25f;
          w.BodyDayLength(1, 3, 0) = 25;
          w.BodyOxygen(1, 3, 0) = 0.25f;
          w.BodyVolcanism(1, 3, 0) = row.volcanism;
        },
        {D6(2), D6(2), D100(50), D6(3), D6(3), D6(1), D6(4)});
    EXPECT_EQ(a.drawsLeft, 0u) << row.volcanism;
    EXPECT_EQ(a.radiation, 3.75f) << row.volcanism;
    EXPECT_EQ(a.kind, "poisonous life") << row.volcanism;
    const std::string expected = row.volcanism < 4 ? row.taint : std::string(row.taint) + details;
    EXPECT_EQ(a.taint, expected) << row.volcanism;
    EXPECT_FLOAT_EQ(a.points, row.points) << row.volcanism;
    EXPECT_EQ(a.letter, row.letter) << row.volcanism;
  }
}

TEST(AssessLifeTest, SurfacePenalties) {
  struct Row {
    const char* name;
    std::function<void(World&)> change;
    float points;  // 0.5 from the last die plus the penalty (python, float32 inputs)
  };
  const Row rows[] = {
      {"ocean world", [](World& w) { w.BodyWaterCover(1, 3, 0) = 1; }, 15.5f},
      // 10 - 100 x (1 - 0.95f)
      {"W 0.95", [](World& w) { w.BodyWaterCover(1, 3, 0) = 0.95f; }, 5.499999f},
      {"W 0.9", [](World& w) { w.BodyWaterCover(1, 3, 0) = 0.9f; }, 0.5f},
      // 0.7 stored as a float is 0.7: neither the dry-land penalty nor the lone continent.
      {"W 0.7, one continent",
       [](World& w) {
         w.BodyWaterCover(1, 3, 0) = 0.7f;
         w.BodyContinents(1, 3, 0) = 1;
       },
       0.5f},
      {"W 0.5", [](World& w) { w.BodyWaterCover(1, 3, 0) = 0.5f; }, 8.5f},  // 4 + 4
      {"W 0.6, one continent",  // 1 / 0.6f^2 + 20 x (0.7 - 0.6f) + 5
       [](World& w) {
         w.BodyWaterCover(1, 3, 0) = 0.6f;
         w.BodyContinents(1, 3, 0) = 1;
       },
       10.277777f},
      {"W 0.1", [](World& w) { w.BodyWaterCover(1, 3, 0) = 0.1f; }, 113.5f},
      {"dry world, W 0", [](World& w) { w.BodyWaterCover(1, 3, 0) = 0; }, 113.5f},
      {"High 345", [](World& w) { w.BodyTempHigh(1, 3, 0) = 345; }, 7.5f},  // a 2, heat 5
      {"High 336", [](World& w) { w.BodyTempHigh(1, 3, 0) = 336; }, 2.5f},  // a 0.2 too small
      {"day 10", [](World& w) { w.BodyDayLength(1, 3, 0) = 10; }, 15.5f},   // 20 - 10 / 2
      {"day -10", [](World& w) { w.BodyDayLength(1, 3, 0) = -10; }, 15.5f},
      {"day 39", [](World& w) { w.BodyDayLength(1, 3, 0) = 39; }, 0.5f},  // b 0.5 too small
      {"V 2.5", [](World& w) { w.BodyVolcanism(1, 3, 0) = 2.5f; }, 3.0f},
      // 70 / 3 + (283 - 240) / 2 + (120 - 80) / 2
      {"Low 180", [](World& w) { w.BodyTempLow(1, 3, 0) = 180; }, 65.333336f},
      {"Low 180, locked",  // the spread costs 10 when the day is the year
       [](World& w) {
         w.BodyTempLow(1, 3, 0) = 180;
         w.BodyPeriod(1, 3, 0) = 24;
       },
       55.333332f},
      {"g 1.5", [](World& w) { w.BodyGravity(1, 3, 0) = 1.5f; }, 25.5f},
      {"g 0.3", [](World& w) { w.BodyGravity(1, 3, 0) = 0.3f; }, 4.4999995f},
      {"O2 0.12", [](World& w) { w.BodyOxygen(1, 3, 0) = 0.12f; }, 5.5f},
      {"O2 0.1", [](World& w) { w.BodyOxygen(1, 3, 0) = 0.1f; }, 13.499999f},  // 5 + 2 x 2^2
      {"O2 0.07", [](World& w) { w.BodyOxygen(1, 3, 0) = 0.07f; }, 55.5f},     // 5 + 2 x 5^2
      {"O2 0.05", [](World& w) { w.BodyOxygen(1, 3, 0) = 0.05f; }, 70.5f},     // 5 + 50 + 15
      {"O2 0.5", [](World& w) { w.BodyOxygen(1, 3, 0) = 0.5f; }, 5.5f},
      {"O2 1", [](World& w) { w.BodyOxygen(1, 3, 0) = 1; }, 63.5f},   // 15 + 48
      {"O2 2", [](World& w) { w.BodyOxygen(1, 3, 0) = 2; }, 185.5f},  // 35 + 150
      {"N2 2", [](World& w) { w.BodyNitrogen(1, 3, 0) = 2; }, 0.5f},
      {"N2 3", [](World& w) { w.BodyNitrogen(1, 3, 0) = 3; }, 50.5f},
      {"N2 6", [](World& w) { w.BodyNitrogen(1, 3, 0) = 6; }, 150.5f},
      {"complexity 3", [](World& w) { w.BodyLifeComplexity(1, 3, 0) = 3; }, 10.5f},
      {"complexity 4", [](World& w) { w.BodyLifeComplexity(1, 3, 0) = 4; }, 5.5f},
      {"complexity 9", [](World& w) { w.BodyLifeComplexity(1, 3, 0) = 9; }, 0.5f},
  };
  for (const Row& row : rows) {
    const Assessed a = Assess(row.change, QuietDice(4));
    EXPECT_EQ(a.drawsLeft, 0u) << row.name;
    EXPECT_EQ(a.radiation, 0.0f) << row.name;
    EXPECT_EQ(a.taint, "") << row.name;
    EXPECT_FLOAT_EQ(a.points, row.points) << row.name;
  }
}

TEST(AssessLifeTest, PointsOnALetterBoundFallToTheLowerLetter) {
  struct Row {
    float nitrogen;
    float gravity;
    float water;
    std::int16_t complexity;
    float volcanism;
    float points;  // with the last die 5 (+ 1.5); one more pip gives points + 1
    const char* letter;
    const char* letterAbove;
  };
  const Row rows[] = {
      {0.78f, 1, 0.7f, 6, 3.5f, 5, "A", "B"},   // 3.5 + 1.5
      {0.78f, 1, 0.7f, 4, 3.5f, 10, "B", "C"},  // 5 + 3.5 + 1.5
      {2.25f, 1, 0.7f, 6, 6, 20, "C", "D"},     // 12.5 + 6 + 1.5
      {2.5f, 1, 0.7f, 6, 3.5f, 30, "D", "E"},   // 25 + 3.5 + 1.5
      {2.75f, 1, 0.7f, 4, 6, 50, "E", "F"},     // 37.5 + 5 + 6 + 1.5
      {3.5f, 1, 1, 4, 3.5f, 100, "F", "G"},     // 75 + 15 + 5 + 3.5 + 1.5
      {6, 1.5f, 1, 4, 3.5f, 200, "G", "H"},     // 150 + 25 + 15 + 5 + 3.5 + 1.5
  };
  for (const Row& row : rows) {
    const auto change = [&row](World& w) {
      w.BodyNitrogen(1, 3, 0) = row.nitrogen;
      w.BodyGravity(1, 3, 0) = row.gravity;
      w.BodyWaterCover(1, 3, 0) = row.water;
      w.BodyLifeComplexity(1, 3, 0) = row.complexity;
      w.BodyVolcanism(1, 3, 0) = row.volcanism;
    };
    const Assessed on = Assess(change, QuietDice(5));
    EXPECT_EQ(on.drawsLeft, 0u) << row.points;
    EXPECT_EQ(on.points, row.points);
    EXPECT_EQ(on.letter, row.letter) << row.points;
    const Assessed above = Assess(change, QuietDice(6));
    EXPECT_EQ(above.points, row.points + 1);
    EXPECT_EQ(above.letter, row.letterAbove) << row.points;
  }
  // 1.5 from the volcanism and 2 - 3.5: exactly no points, kept as a token 0.0001.
  const Assessed none = Assess([](World& w) { w.BodyVolcanism(1, 3, 0) = 1.5f; }, QuietDice(2));
  EXPECT_EQ(none.points, 0.0001f);
  EXPECT_EQ(none.letter, "A");
  // Below Earth's own conditions the points go negative and stay so: 1 - 3.5.
  const Assessed negative = Assess([](World&) {}, QuietDice(1));
  EXPECT_EQ(negative.points, -2.5f);
  EXPECT_EQ(negative.letter, "A");
}

TEST(AssessLifeTest, RadiationTermsAndTheirGuards) {
  // L 2.25 at 1 AU, day 25, oxygen 0.25: 22.5 - 4 - 12.5 = 6. A moon (body 1) circles a
  // jovian of density 1, mass 300 and day 10 at 10 radii: 50 x 300 / 100 / 10 = 15.
  struct Row {
    const char* name;
    int body;
    std::function<void(World&)> change;
    float radiation;
    bool doublingRoll;  // X = Int(radiation) + 2 below 15
    float points;
    const char* letter;
  };
  const Row rows[] = {
      {"world", 0, [](World&) {}, 6, true, 6.5f, "B"},  // X 8; T -2 + 3
      // Left out: a field over a day of 0 (then 20 x R - 0 costs 20), the air over gravity 0
      // (which costs (10 x 0.5)^2 = 25), and the star over a distance of 0.
      {"day 0", 0, [](World& w) { w.BodyDayLength(1, 3, 0) = 0; }, 10, true, 35.5f, "E"},
      {"gravity 0", 0, [](World& w) { w.BodyGravity(1, 3, 0) = 0; }, 18.5f, false, 57, "F"},
      {"star distance 0", 0, [](World& w) { w.BodySemiMajorAxis(1, 3, 0) = 0; }, 0, true, 0.5f,
       "A"},
      // 21 + 10 + T 8.5 (hazardous, ozone) 18.5 + 0.5 = exactly 50.
      {"moon", 1, [](World&) {}, 21, false, 50, "E"},
      {"moon of a retrograde world", 1, [](World& w) { w.BodyDayLength(1, 3, 0) = -10; }, 0, true,
       0.5f, "A"},
      {"moon, parent day 0", 1, [](World& w) { w.BodyDayLength(1, 3, 0) = 0; }, 6, true, 6.5f, "B"},
      {"moon at distance 0", 1, [](World& w) { w.BodySemiMajorAxis(1, 3, 1) = 0; }, 6, true, 6.5f,
       "B"},
      {"belt body", 1, [](World& w) { w.BodyClass(1, 3, 0) = "P"; }, 6, true, 6.5f, "B"},
  };
  for (const Row& row : rows) {
    std::vector<float> draws = {D6(1), D6(1)};
    if (row.doublingRoll) draws.push_back(D100(50));
    draws.insert(draws.end(), {D6(1), D6(1), D6(4)});
    const Assessed a = Assess(
        [&row](World& w) {
          w.StarLuminosity[1] = 2.25f;
          w.BodyClass(1, 3, 0) = "J";
          w.BodySemiMajorAxis(1, 3, 0) = 1;
          w.BodyDensity(1, 3, 0) = 1;
          w.BodyMass(1, 3, 0) = 300;
          w.BodyDayLength(1, 3, 0) = 10;
          w.MoonCount[1][3] = 1;
          w.BodySemiMajorAxis(1, 3, 1) = 10;
          const int body = w.CurrentBody;
          w.BodyDayLength(1, 3, body) = 25;
          w.BodyOxygen(1, 3, body) = 0.25f;
          row.change(w);
        },
        draws, row.body);
    EXPECT_EQ(a.drawsLeft, 0u) << row.name;
    EXPECT_EQ(a.radiation, row.radiation) << row.name;
    EXPECT_FLOAT_EQ(a.points, row.points) << row.name;
    EXPECT_EQ(a.letter, row.letter) << row.name;
  }
  // A distance of 1e-30 AU: the radiation and the points stop at the largest float, and the
  // 16-bit compatibility score saturates, so no doubling is rolled.
  const Assessed scorched = Assess([](World& w) { w.BodySemiMajorAxis(1, 3, 0) = 1e-30; },
                                   {D6(1), D6(1), D6(1), D6(1), D6(4)});
  EXPECT_EQ(scorched.drawsLeft, 0u);
  EXPECT_EQ(scorched.radiation, std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.points, std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.kind, "incompatible life");
  EXPECT_EQ(scorched.taint, "(Poisonous taint - ozone contamination)");
  EXPECT_EQ(scorched.letter, "H");
}

}  // namespace
}  // namespace ax
