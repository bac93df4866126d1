#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

float D6(int face) {
  return Die(face, 6);
}

// The rig's Earth as an oxygen world of grade 6: 0.21 bars of oxygen, 0.78 of nitrogen, 1 bar
// in all, volcanism 1, 0.7 of sea in 3 continents, 300 and 270 K. Its radiation 10 - 100 / 24 -
// (2.1 + 10) is below 0, and no surface penalty applies.
struct OxygenWorldRig : Rig {
  explicit OxygenWorldRig(int body = 0) {
    At(w.BodyClass) = "H";
    Select(1, 3, body);
    for (auto* table :
         {&w.BodyDensity, &w.BodyGravity, &w.BodyRadius, &w.BodyVolcanism, &w.BodyPressure}) {
      At(*table) = 1;
    }
    At(w.BodyDayLength) = 24;
    At(w.BodyPeriod) = 8766;
    At(w.BodyOxygen) = 0.21f;
    At(w.BodyNitrogen) = 0.78f;
    At(w.BodyWaterCover) = 0.7f;
    At(w.BodyContinents) = 3;
    At(w.BodyTempHigh) = 300;
    At(w.BodyTempLow) = 270;
    At(w.BodyLifeComplexity) = 6;
  }
  void Assess(const std::vector<float>& draws) {
    Draws(draws);
    survey.AssessLife();
    EXPECT_EQ(random.ScriptLeft(), 0u);
  }
};

// Compatibility dice 1 and 1, a failed doubling roll, taint dice 1 and 1, and the last die: the
// points are the penalties + the last die - 3.5.
std::vector<float> QuietDice(int lastDie) {
  return {D6(1), D6(1), D100(50), D6(1), D6(1), D6(lastDie)};
}

TEST(AssessLifeTest, CompatibilityTaintSurfacePenaltiesAndLetters) {
  // Compatibility X = Int(radiation + 5 |1 - density| + |5800 - T| / 500) + 2d6, doubled on a
  // d100 of 20 or less below 15: above 15 incompatible (10 points), 9 poisonous (25, and d6 more
  // taint). Taint (2d6 - 5) density + V + radiation / 2: above 11 poisonous (40 + taint), above
  // 8 hazardous (10 + taint), above 5 irritant (3). Each departure from Earth's conditions adds
  // points, worked out in 32-bit inputs; then the last die - 3.5. Above 5 points B, 10 C, 20 D,
  // 30 E, 50 F, 100 G, 200 H; a bound itself falls to the lower letter.
  struct Row {
    const char* name;
    Change change;
    std::vector<float> draws;
    float points;
    const char* letter;
    const char* kind = nullptr;  // not checked
    const char* taint = "";
  };
  const auto water = [](float w) { return Set(&World::BodyWaterCover, w); };
  const Change volcanic = Set(&World::BodyVolcanism, 3.5f);
  const Change earth = [](Rig&) {};
  // clang-format off
  const Row rows[] = {
      {"X 7, T 0", earth, {D6(3), D6(4), D100(50), D6(2), D6(2), D6(5)}, 1.5f, "A",
       "compatible life"},
      {"X 9, T 9", earth, {D6(4), D6(5), D100(50), D6(3), D6(4), D6(6), D6(2)}, 42.5f, "E",
       "poisonous life", "(Hazardous taint - biological contaminates)"},
      // 16 ends the doubling without a roll; T = 7 + 1 = 8.
      {"X 8 doubled", earth, {D6(4), D6(4), D100(20), D6(6), D6(6), D6(6)}, 15.5f, "C",
       "incompatible life", "(Irritant taint)"},
      // Int(2.5 + 250 / 500) = 3, not 2 by whole-number division; T = -4.5 + 1 + 1.
      {"5550 K, density 1.5: X 9",
       Both(Set(&World::BodyDensity, 1.5f), [](Rig& r) { r.w.StarTemperature[1] = 5550; }),
       {D6(3), D6(3), D100(50), D6(1), D6(1), D6(1), D6(4)}, 25.5f, "D", "poisonous life"},
      {"W 0.95: 10 - 100 x 0.05", water(0.95f), QuietDice(4), 5.499999f, "B"},
      {"dry", water(0), QuietDice(4), 113.5f, "G"},
      {"W 0.6, one continent: + 5", Both(water(0.6f), Set(&World::BodyContinents, 1)),
       QuietDice(4), 10.277777f, "C"},
      // 70 / 3 + (283 - 240) / 2 + (120 - 80) / 2.
      {"low 180", Set(&World::BodyTempLow, 180), QuietDice(4), 65.333336f, "F"},
      {"g 1.5: (10 (g - 1))^2", Set(&World::BodyGravity, 1.5f), QuietDice(4), 25.5f, "D"},
      {"g 0.3: (10 (0.5 - g))^2", Set(&World::BodyGravity, 0.3f), QuietDice(4), 4.4999995f, "A"},
      {"O2 0.07: 5 + 2 x 5^2", Set(&World::BodyOxygen, 0.07f), QuietDice(4), 55.5f, "F"},
      {"V 3.5: exactly 5", volcanic, QuietDice(5), 5, "A"},
      {"V 3.5: above 5", volcanic, QuietDice(6), 6, "B"},
      {"N2 2.5, V 3.5: exactly 30", Both(Set(&World::BodyNitrogen, 2.5f), volcanic), QuietDice(5),
       30, "D"},
      // Exactly no points are kept as a token 0.0001; below nothing they stay negative.
      {"none", Set(&World::BodyVolcanism, 1.5f), QuietDice(2), 0.0001f, "A"},
      {"negative", earth, QuietDice(1), -2.5f, "A"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    OxygenWorldRig rig;
    row.change(rig);
    rig.Assess(row.draws);
    if (row.kind != nullptr) {
      EXPECT_EQ(rig.At(rig.w.BodyLifeKind), row.kind);
    }
    EXPECT_EQ(rig.At(rig.w.BodyLifeClassification), row.taint);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHabitability), row.points);
    EXPECT_EQ(rig.At(rig.w.BodyClass), row.letter);
  }
}

TEST(AssessLifeTest, RadiationAtTheStarStopsAtTheLargestFloat) {
  // 10 L / a^2 at 1e-30 AU: the radiation and the points stop at the largest float, and the
  // 16-bit compatibility score saturates, so no doubling is rolled.
  OxygenWorldRig scorched;
  scorched.At(scorched.w.BodySemiMajorAxis) = 1e-30;
  scorched.Assess({D6(1), D6(1), D6(1), D6(1), D6(4)});
  EXPECT_EQ(scorched.At(scorched.w.BodyRadiation), std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.At(scorched.w.BodyHabitability), std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.At(scorched.w.BodyLifeClassification),
            "(Poisonous taint - ozone contamination)");
  EXPECT_EQ(scorched.At(scorched.w.BodyClass), "H");
}

}  // namespace
}  // namespace ax::test
