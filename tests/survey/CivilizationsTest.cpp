#include <gtest/gtest.h>

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

float D400(int face) {
  return Die(face, 400);
}

// A world of the top life grade on orbit 3 of a single star.
std::unique_ptr<World> LivingWorld(float age) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->SystemAge = age;
  world->CurrentStar = 1;
  world->CurrentOrbit = 3;
  world->CurrentBody = 0;
  world->BodyLifeComplexity(1, 3, 0) = 6;
  return world;
}

struct Outcome {
  std::int16_t complexity = 0;
  int beeps = 0;
  std::string techEra;
  std::string extinctEra;
  std::size_t drawsLeft = 0;
};

Outcome Civilize(World& world, const std::vector<float>& draws) {
  Random random = Random::Scripted(draws);
  Survey survey(world, random);
  Outcome outcome;
  survey.Beep = [&outcome] { ++outcome.beeps; };
  survey.AssignCivilizations();
  outcome.complexity = world.BodyLifeComplexity(1, 3, 0);
  outcome.techEra = world.BodyTechEra(1, 3, 0);
  outcome.extinctEra = world.BodyExtinctEra(1, 3, 0);
  outcome.drawsLeft = random.ScriptLeft();
  return outcome;
}

TEST(AssignCivilizationsTest, RollOfAnOldSystemDecidesLivingExtinctOrBoth) {
  struct Row {
    const char* name;
    std::vector<float> draws;
    std::int16_t complexity;
    int beeps;
    const char* techEra;
    const char* extinctEra;
  };
  // Int(4.9) = 4, so x = 4 + d100 runs from 5 to 104.
  const Row rows[] = {
      {"x 99: nothing", {D100(95)}, 6, 0, "", ""},
      {"x 100: living", Script({{D100(96)}, {D400(1), D100(54)}}), 7, 1, "Early Stone age", ""},
      {"x 101: nothing", {D100(97)}, 6, 0, "", ""},
      {"x 102: nothing", {D100(98)}, 6, 0, "", ""},
      {"x 103: extinct", Script({{D100(99)}, {D400(200), D100(35)}}), 8, 1, "", "Mid Stone age"},
      // Living era first, then the extinct one.
      {"x 104: both", Script({{D100(100)}, {D400(351), D100(71)}, {D400(201), D100(34)}}), 9, 2,
       "Late Metal age", "Early Metal age"},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld(4.9f);
    const Outcome got = Civilize(*world, row.draws);
    EXPECT_EQ(got.drawsLeft, 0u) << row.name;
    EXPECT_EQ(got.complexity, row.complexity) << row.name;
    EXPECT_EQ(got.beeps, row.beeps) << row.name;
    EXPECT_EQ(got.techEra, row.techEra) << row.name;
    EXPECT_EQ(got.extinctEra, row.extinctEra) << row.name;
  }
}

TEST(AssignCivilizationsTest, YoungSystemOnlyEverHasALivingCivilization) {
  // Int(2.9) = 2: x is at most 102, and only the roll 98 (x = 100) brings a civilization.
  for (int face = 1; face <= 100; ++face) {
    auto world = LivingWorld(2.9f);
    std::vector<float> draws = {D100(face)};
    if (face == 98) draws.insert(draws.end(), {D400(360), D100(50)});
    const Outcome got = Civilize(*world, draws);
    EXPECT_EQ(got.drawsLeft, 0u) << face;
    EXPECT_EQ(got.complexity, face == 98 ? 7 : 6) << face;
    EXPECT_EQ(got.beeps, face == 98 ? 1 : 0) << face;
    EXPECT_EQ(got.techEra, face == 98 ? "Mid Metal age" : "") << face;
    EXPECT_EQ(got.extinctEra, "") << face;
  }
}

TEST(AssignCivilizationsTest, StoneAgeLivesAreQualifiedTwentyLater) {
  struct Row {
    int eraRoll;
    int stageRoll;
    const char* techEra;
  };
  const Row rows[] = {
      {1, 54, "Early Stone age"},  // 54 - 20 = 34
      {350, 55, "Mid Stone age"},  // 35
      {350, 90, "Mid Stone age"},  // 70
      {1, 91, "Late Stone age"},   // 71
      // Any other era takes the d100 as it falls.
      {351, 34, "Early Metal age"},
      {351, 35, "Mid Metal age"},
      {375, 70, "Mid Metal age"},
      {375, 71, "Late Metal age"},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld(4.9f);
    const Outcome got =
        Civilize(*world, Script({{D100(96)}, {D400(row.eraRoll), D100(row.stageRoll)}}));
    EXPECT_EQ(got.drawsLeft, 0u) << row.techEra;
    EXPECT_EQ(got.techEra, row.techEra) << row.eraRoll << " " << row.stageRoll;
  }
}

TEST(AssignCivilizationsTest, ExtinctStoneAgeTakesTheRollUnadjusted) {
  struct Row {
    int stageRoll;
    const char* extinctEra;
  };
  const Row rows[] = {{1, "Early Stone age"}, {34, "Early Stone age"}, {35, "Mid Stone age"},
                      {70, "Mid Stone age"},  {71, "Late Stone age"},  {100, "Late Stone age"}};
  for (const Row& row : rows) {
    auto world = LivingWorld(4.9f);
    const Outcome got = Civilize(*world, Script({{D100(99)}, {D400(1), D100(row.stageRoll)}}));
    EXPECT_EQ(got.drawsLeft, 0u) << row.stageRoll;
    EXPECT_EQ(got.extinctEra, row.extinctEra) << row.stageRoll;
  }
}

TEST(AssignCivilizationsTest, EraTablesMeetAtTheirBounds) {
  struct Row {
    int eraRoll;
    const char* living;
    const char* extinct;
  };
  // y on the era tables' bounds, the same y for the living and the extinct civilization.
  const Row rows[] = {
      {200, "Stone age", "Stone age"},
      {201, "Stone age", "Metal age"},
      {250, "Stone age", "Metal age"},
      {251, "Stone age", "Combustion age"},
      {320, "Stone age", "Combustion age"},
      {321, "Stone age", "Nuclear age"},
      {350, "Stone age", "Nuclear age"},
      {351, "Metal age", "Nuclear age"},
      {360, "Metal age", "Nuclear age"},
      {361, "Metal age", "Fundamental age"},
      {375, "Metal age", "Fundamental age"},
      {376, "Combustion age", "Fundamental age"},
      {380, "Combustion age", "Fundamental age"},
      {381, "Combustion age", "Interstellar age"},
      {390, "Combustion age", "Interstellar age"},
      {391, "Nuclear age", "Interstellar age"},
      {395, "Nuclear age", "Interstellar age"},
      {396, "Fundamental age", "Interstellar age"},
      {397, "Fundamental age", "Interstellar age"},
      {398, "Fundamental age", "Temporal age"},
      {399, "Interstellar age", "Temporal age"},
      {400, "Temporal age", "Temporal age"},
  };
  for (const Row& row : rows) {
    auto world = LivingWorld(4.9f);
    const Outcome got = Civilize(
        *world,
        Script({{D100(100)}, {D400(row.eraRoll), D100(90)}, {D400(row.eraRoll), D100(50)}}));
    EXPECT_EQ(got.drawsLeft, 0u) << row.eraRoll;
    // 90 is "Mid " for the stone age (70) and "Late " for any other living era.
    const std::string living = row.living;
    EXPECT_EQ(got.techEra, (living == "Stone age" ? "Mid " : "Late ") + living) << row.eraRoll;
    EXPECT_EQ(got.extinctEra, std::string("Mid ") + row.extinct) << row.eraRoll;
  }
}

TEST(AssignCivilizationsTest, KeepsEarlierTextsAndWorksWithoutABeep) {
  // A later pass rolls only an extinct civilization: the living one of an earlier pass stays.
  auto world = LivingWorld(4.9f);
  world->BodyTechEra(1, 3, 0) = "Late Nuclear age";
  Random random = Random::Scripted(Script({{D100(99)}, {D400(399), D100(10)}}));
  Survey survey(*world, random);  // no beep hooked up
  survey.AssignCivilizations();
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->BodyLifeComplexity(1, 3, 0), 8);
  EXPECT_EQ(world->BodyTechEra(1, 3, 0), "Late Nuclear age");
  EXPECT_EQ(world->BodyExtinctEra(1, 3, 0), "Early Temporal age");
  // An older system can overshoot 104: x = 10 + 100 = 110 is an extinct civilization only.
  auto old = LivingWorld(10.5f);
  const Outcome got = Civilize(*old, Script({{D100(100)}, {D400(321), D100(71)}}));
  EXPECT_EQ(got.drawsLeft, 0u);
  EXPECT_EQ(got.complexity, 8);
  EXPECT_EQ(got.beeps, 1);
  EXPECT_EQ(got.techEra, "");
  EXPECT_EQ(got.extinctEra, "Late Nuclear age");
}

}  // namespace
}  // namespace ax
