#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax {
namespace {

using test::Both;
using test::Change;
using test::D100;
using test::Die;
using test::Rig;
using test::Set;

float D6(int face) {
  return Die(face, 6);
}

// The rig's Earth as an oxygen world of grade 6: 0.21 bars of oxygen, 0.78 of nitrogen, 1 bar
// in all, volcanism 1, 0.7 of sea in 3 continents, 300 and 270 K. Its radiation 10 - 100 / 24 -
// (2.1 + 10) is below 0, and no surface penalty applies.
struct LifeRig : Rig {
  explicit LifeRig(int body = 0) {
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

TEST(AssessLifeTest, CompatibilityAndTaint) {
  // Compatibility X = Int(radiation + 5 |1 - density| + |5800 - T| / 500) + 2d6, doubled on a
  // d100 of 20 or less below 15: above 15 incompatible (10 points), above 9 vitamin deficient
  // (5), 9 poisonous (25, and d6 more taint). Taint (2d6 - 5) density + V + radiation / 2:
  // above 11 poisonous (40 + taint), above 8 hazardous (10 + taint), above 5 irritant (3).
  struct Row {
    const char* name;
    std::int32_t starTemperature;
    float density;
    std::vector<float> draws;
    const char* kind;
    const char* taint;
    float points;
    const char* letter;
  };
  // clang-format off
  const Row rows[] = {
      {"X 7, T 0", 5800, 1, {D6(3), D6(4), D100(50), D6(2), D6(2), D6(5)},
       "compatible life", "", 1.5f, "A"},
      {"X 9, T 9", 5800, 1, {D6(4), D6(5), D100(50), D6(3), D6(4), D6(6), D6(2)},
       "poisonous life", "(Hazardous taint - biological contaminates)", 42.5f, "E"},
      {"X 10", 5800, 1, {D6(5), D6(5), D100(50), D6(1), D6(1), D6(4)},
       "vitamin deficient life", "", 5.5f, "B"},
      // 16 ends the doubling without a roll; T = 7 + 1 = 8.
      {"X 8 doubled", 5800, 1, {D6(4), D6(4), D100(20), D6(6), D6(6), D6(6)},
       "incompatible life", "(Irritant taint)", 15.5f, "C"},
      // Int(2.5 + 250 / 500) = 3, not 2 by whole-number division; T = -4.5 + 1 + 1.
      {"5550 K, density 1.5: X 9", 5550, 1.5f, {D6(3), D6(3), D100(50), D6(1), D6(1), D6(1), D6(4)},
       "poisonous life", "", 25.5f, "D"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.w.StarTemperature[1] = row.starTemperature;
    rig.At(rig.w.BodyDensity) = row.density;
    rig.Assess(row.draws);
    EXPECT_EQ(rig.At(rig.w.BodyLifeKind), row.kind);
    EXPECT_EQ(rig.At(rig.w.BodyLifeClassification), row.taint);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHabitability), row.points);
    EXPECT_EQ(rig.At(rig.w.BodyClass), row.letter);
  }
}

TEST(AssessLifeTest, SurfacePenaltiesAndLetters) {
  // Each departure from Earth's conditions adds points, worked out in 32-bit inputs; the last die
  // of 4 adds 0.5. Above 5 points B, 10 C, 20 D, 30 E, 50 F, 100 G, 200 H; a bound itself falls
  // to the lower letter.
  struct Row {
    const char* name;
    Change change;
    int lastDie;
    float points;
    const char* letter;
  };
  const auto water = [](float w) { return Set(&World::BodyWaterCover, w); };
  const Change volcanic = Set(&World::BodyVolcanism, 3.5f);
  // clang-format off
  const Row rows[] = {
      {"W 0.95: 10 - 100 x 0.05", water(0.95f), 4, 5.499999f, "B"},
      {"W 0.5: 1 / W^2 + 20 (0.7 - W)", water(0.5f), 4, 8.5f, "B"},
      {"dry", water(0), 4, 113.5f, "G"},
      {"W 0.6, one continent: + 5", Both(water(0.6f), Set(&World::BodyContinents, 1)), 4,
       10.277777f, "C"},
      {"high 345: 2 + heat 5", Set(&World::BodyTempHigh, 345), 4, 7.5f, "B"},
      {"day -10: 20 - 10 / 2", Set(&World::BodyDayLength, -10), 4, 15.5f, "C"},
      // 70 / 3 + (283 - 240) / 2 + (120 - 80) / 2.
      {"low 180", Set(&World::BodyTempLow, 180), 4, 65.333336f, "F"},
      {"g 1.5: (10 (g - 1))^2", Set(&World::BodyGravity, 1.5f), 4, 25.5f, "D"},
      {"g 0.3: (10 (0.5 - g))^2", Set(&World::BodyGravity, 0.3f), 4, 4.4999995f, "A"},
      {"O2 0.07: 5 + 2 x 5^2", Set(&World::BodyOxygen, 0.07f), 4, 55.5f, "F"},
      {"O2 0.05: 5 + 50 + 15", Set(&World::BodyOxygen, 0.05f), 4, 70.5f, "F"},
      {"O2 2: 35 + 150", Set(&World::BodyOxygen, 2), 4, 185.5f, "G"},
      {"N2 6", Set(&World::BodyNitrogen, 6), 4, 150.5f, "G"},
      {"grade 3", Set(&World::BodyLifeComplexity, 3), 4, 10.5f, "C"},
      {"V 3.5: exactly 5", volcanic, 5, 5, "A"},
      {"V 3.5: above 5", volcanic, 6, 6, "B"},
      {"N2 2.5, V 3.5: exactly 30", Both(Set(&World::BodyNitrogen, 2.5f), volcanic), 5, 30, "D"},
      {"N2 6, g 1.5, all sea, grade 4, V 3.5: exactly 200",
       [&](Rig& r) {
         for (const Change& c : {Set(&World::BodyNitrogen, 6), Set(&World::BodyGravity, 1.5f),
                                 water(1), Set(&World::BodyLifeComplexity, 4), volcanic}) c(r);
       }, 5, 200, "G"},
      // Exactly no points are kept as a token 0.0001; below nothing they stay negative.
      {"none", Set(&World::BodyVolcanism, 1.5f), 2, 0.0001f, "A"},
      {"negative", [](Rig&) {}, 1, -2.5f, "A"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    row.change(rig);
    rig.Assess(QuietDice(row.lastDie));
    EXPECT_EQ(rig.At(rig.w.BodyLifeClassification), "");
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHabitability), row.points);
    EXPECT_EQ(rig.At(rig.w.BodyClass), row.letter);
  }
}

TEST(AssessLifeTest, RadiationAtTheStarStopsAtTheLargestFloat) {
  // 10 L / a^2 at 1e-30 AU: the radiation and the points stop at the largest float, and the
  // 16-bit compatibility score saturates, so no doubling is rolled.
  LifeRig scorched;
  scorched.At(scorched.w.BodySemiMajorAxis) = 1e-30;
  scorched.Assess({D6(1), D6(1), D6(1), D6(1), D6(4)});
  EXPECT_EQ(scorched.At(scorched.w.BodyRadiation), std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.At(scorched.w.BodyHabitability), std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.At(scorched.w.BodyLifeClassification),
            "(Poisonous taint - ozone contamination)");
  EXPECT_EQ(scorched.At(scorched.w.BodyClass), "H");
}

}  // namespace
}  // namespace ax
