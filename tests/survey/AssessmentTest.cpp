#include <gtest/gtest.h>

#include <functional>
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
    float starTemperature, density;
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
      {"X 9, T 8", 5800, 1, {D6(4), D6(5), D100(50), D6(3), D6(3), D6(6), D6(1)},
       "poisonous life", "(Irritant taint)", 25.5f, "D"},
      {"X 9, T 9", 5800, 1, {D6(4), D6(5), D100(50), D6(3), D6(4), D6(6), D6(2)},
       "poisonous life", "(Hazardous taint - biological contaminates)", 42.5f, "E"},
      {"X 10", 5800, 1, {D6(5), D6(5), D100(50), D6(1), D6(1), D6(4)},
       "vitamin deficient life", "", 5.5f, "B"},
      {"X 5 doubled once", 5800, 1, {D6(2), D6(3), D100(20), D100(21), D6(1), D6(2), D6(3)},
       "vitamin deficient life", "", 4.5f, "A"},
      // 16 ends the doubling without a roll; T = 7 + 1 = 8.
      {"X 8 doubled", 5800, 1, {D6(4), D6(4), D100(20), D6(6), D6(6), D6(6)},
       "incompatible life", "(Irritant taint)", 15.5f, "C"},
      // Int(2.5 + 250 / 500) = 3, not 2 by whole-number division; T = -4.5 + 1 + 1.
      {"5550 K, density 1.5: X 9", 5550, 1.5f, {D6(3), D6(3), D100(50), D6(1), D6(1), D6(1), D6(4)},
       "poisonous life", "", 25.5f, "D"},
      {"X 15: no doubling roll", 5550, 1.5f, {D6(6), D6(6), D6(1), D6(1), D6(4)},
       "vitamin deficient life", "", 5.5f, "B"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    rig.w.StarTemperature[1] = static_cast<std::int32_t>(row.starTemperature);
    rig.At(rig.w.BodyDensity) = row.density;
    rig.Assess(row.draws);
    EXPECT_EQ(rig.At(rig.w.BodyRadiation), 0.0f);
    EXPECT_EQ(rig.At(rig.w.BodyLifeKind), row.kind);
    EXPECT_EQ(rig.At(rig.w.BodyLifeClassification), row.taint);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHabitability), row.points);
    EXPECT_EQ(rig.At(rig.w.BodyClass), row.letter);
  }
}

TEST(AssessLifeTest, SurfacePenalties) {
  // Each departure from Earth's conditions adds points; the expected values are worked out in
  // 32-bit inputs, with the last die 4 adding 0.5.
  struct Row {
    const char* name;
    Change change;
    float points;
  };
  const auto water = [](float w) { return Set(&World::BodyWaterCover, w); };
  // clang-format off
  const Row rows[] = {
      {"all sea", water(1), 15.5f},
      {"W 0.95: 10 - 100 x 0.05", water(0.95f), 5.499999f},
      {"W 0.9", water(0.9f), 0.5f},
      {"W 0.5: 1 / W^2 + 20 (0.7 - W)", water(0.5f), 8.5f},
      {"W 0.1", water(0.1f), 113.5f},
      {"dry", water(0), 113.5f},
      // 0.7 stored as a float is 0.7: neither the dry-land penalty nor the lone continent's.
      {"W 0.7, one continent", Both(water(0.7f), Set(&World::BodyContinents, 1)), 0.5f},
      {"W 0.6, one continent: + 5", Both(water(0.6f), Set(&World::BodyContinents, 1)), 10.277777f},
      {"high 345: 2 + heat 5", Set(&World::BodyTempHigh, 345), 7.5f},
      {"high 336: heat 0.2 too small", Set(&World::BodyTempHigh, 336), 2.5f},
      {"day -10: 20 - 10 / 2", Set(&World::BodyDayLength, -10), 15.5f},
      {"V 2.5", Set(&World::BodyVolcanism, 2.5f), 3.0f},
      // 70 / 3 + (283 - 240) / 2 + (120 - 80) / 2; a face held to the star costs 10 instead.
      {"low 180", Set(&World::BodyTempLow, 180), 65.333336f},
      {"low 180, held", Both(Set(&World::BodyTempLow, 180), Set(&World::BodyPeriod, 24)),
       55.333332f},
      {"g 1.5: (10 (g - 1))^2", Set(&World::BodyGravity, 1.5f), 25.5f},
      {"g 0.3: (10 (0.5 - g))^2", Set(&World::BodyGravity, 0.3f), 4.4999995f},
      {"O2 0.12", Set(&World::BodyOxygen, 0.12f), 5.5f},
      {"O2 0.1: 5 + 2 x 2^2", Set(&World::BodyOxygen, 0.1f), 13.499999f},
      {"O2 0.07: 5 + 2 x 5^2", Set(&World::BodyOxygen, 0.07f), 55.5f},
      {"O2 0.05: 5 + 50 + 15", Set(&World::BodyOxygen, 0.05f), 70.5f},
      {"O2 1: 15 + 48", Set(&World::BodyOxygen, 1), 63.5f},
      {"O2 2: 35 + 150", Set(&World::BodyOxygen, 2), 185.5f},
      {"N2 3", Set(&World::BodyNitrogen, 3), 50.5f},
      {"N2 6", Set(&World::BodyNitrogen, 6), 150.5f},
      {"grade 3", Set(&World::BodyLifeComplexity, 3), 10.5f},
      {"grade 4", Set(&World::BodyLifeComplexity, 4), 5.5f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig;
    row.change(rig);
    rig.Assess(QuietDice(4));
    EXPECT_EQ(rig.At(rig.w.BodyLifeClassification), "");
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHabitability), row.points);
  }
}

TEST(AssessLifeTest, PointsOnALetterBoundFallToTheLowerLetter) {
  // Above 5 B, 10 C, 20 D, 30 E, 50 F, 100 G, 200 H. The last die of 5 adds 1.5, one of 6 2.5.
  struct Row {
    float nitrogen, gravity, water;
    std::int16_t grade;
    float volcanism, points;
    const char* letter;
    const char* above;
  };
  // clang-format off
  const Row rows[] = {
      {0.78f, 1, 0.7f, 6, 3.5f, 5, "A", "B"}, {0.78f, 1, 0.7f, 4, 3.5f, 10, "B", "C"},
      {2.25f, 1, 0.7f, 6, 6, 20, "C", "D"},   {2.5f, 1, 0.7f, 6, 3.5f, 30, "D", "E"},
      {2.75f, 1, 0.7f, 4, 6, 50, "E", "F"},   {3.5f, 1, 1, 4, 3.5f, 100, "F", "G"},
      {6, 1.5f, 1, 4, 3.5f, 200, "G", "H"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.points);
    for (const int lastDie : {5, 6}) {
      LifeRig rig;
      rig.At(rig.w.BodyNitrogen) = row.nitrogen;
      rig.At(rig.w.BodyGravity) = row.gravity;
      rig.At(rig.w.BodyWaterCover) = row.water;
      rig.At(rig.w.BodyLifeComplexity) = row.grade;
      rig.At(rig.w.BodyVolcanism) = row.volcanism;
      rig.Assess(QuietDice(lastDie));
      EXPECT_EQ(rig.At(rig.w.BodyHabitability), row.points + static_cast<float>(lastDie - 5));
      EXPECT_EQ(rig.At(rig.w.BodyClass), lastDie == 5 ? row.letter : row.above);
    }
  }
  // Exactly no points are kept as a token 0.0001; below nothing they stay negative.
  LifeRig none;
  none.At(none.w.BodyVolcanism) = 1.5f;
  none.Assess(QuietDice(2));
  EXPECT_EQ(none.At(none.w.BodyHabitability), 0.0001f);
  LifeRig negative;
  negative.Assess(QuietDice(1));
  EXPECT_EQ(negative.At(negative.w.BodyHabitability), -2.5f);
  EXPECT_EQ(negative.At(negative.w.BodyClass), "A");
}

TEST(AssessLifeTest, RadiationTermsAndTheirGuards) {
  // 10 L / a^2 from the star, for a moon 50 x density x mass of its world / a^2 / its day, less
  // 100 density^2 / day for a field and 10 (O2 + P) / g for the air. With L 2.25 at 1 AU, a day
  // of 25 and 0.25 bars of oxygen: 22.5 - 4 - 12.5 = 6. The moon (body 1) circles at 10 radii a
  // giant of density 1, 300 masses and a 10-hour day: + 15. A term over 0 is left out.
  struct Row {
    const char* name;
    int body;
    Change change;
    float radiation;
    bool doublingRoll;  // X = Int(radiation) + 2 below 15
    float points;
  };
  // clang-format off
  const Row rows[] = {
      {"world", 0, [](Rig&) {}, 6, true, 6.5f},
      // The field over a day of 0 is left out, and 20 x R - 0 costs 20.
      {"day 0", 0, Set(&World::BodyDayLength, 0), 10, true, 35.5f},
      // The air over gravity 0 is left out, and the gravity costs (10 x 0.5)^2.
      {"gravity 0", 0, Set(&World::BodyGravity, 0), 18.5f, false, 57},
      {"star at distance 0", 0, Set(&World::BodySemiMajorAxis, 0), 0, true, 0.5f},
      // 21 + 10 + taint 8.5 (hazardous) 18.5 + 0.5.
      {"moon", 1, [](Rig&) {}, 21, false, 50},
      {"moon of a retrograde world", 1, [](Rig& r) {r.w.BodyDayLength(1, 3, 0) = -10;}, 0, true,
       0.5f},
      {"belt body", 1, [](Rig& r) { r.w.BodyClass(1, 3, 0) = "P"; }, 6, true, 6.5f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LifeRig rig(row.body);
    rig.w.StarLuminosity[1] = 2.25f;
    rig.w.BodyClass(1, 3, 0) = "J";
    rig.w.BodyDensity(1, 3, 0) = 1;
    rig.w.BodyMass(1, 3, 0) = 300;
    rig.w.BodyDayLength(1, 3, 0) = 10;
    rig.w.MoonCount[1][3] = 1;
    rig.w.BodySemiMajorAxis(1, 3, 1) = 10;
    rig.At(rig.w.BodyDayLength) = 25;
    rig.At(rig.w.BodyOxygen) = 0.25f;
    row.change(rig);
    std::vector<float> draws = {D6(1), D6(1)};
    if (row.doublingRoll) draws.push_back(D100(50));
    draws.insert(draws.end(), {D6(1), D6(1), D6(4)});
    rig.Assess(draws);
    EXPECT_EQ(rig.At(rig.w.BodyRadiation), row.radiation);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHabitability), row.points);
  }
  // At 1e-30 AU the radiation and the points stop at the largest float, and the 16-bit
  // compatibility score saturates, so no doubling is rolled.
  LifeRig scorched;
  scorched.At(scorched.w.BodySemiMajorAxis) = 1e-30;
  scorched.Assess({D6(1), D6(1), D6(1), D6(1), D6(4)});
  EXPECT_EQ(scorched.At(scorched.w.BodyRadiation), std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.At(scorched.w.BodyHabitability), std::numeric_limits<float>::max());
  EXPECT_EQ(scorched.At(scorched.w.BodyLifeKind), "incompatible life");
  EXPECT_EQ(scorched.At(scorched.w.BodyLifeClassification),
            "(Poisonous taint - ozone contamination)");
  EXPECT_EQ(scorched.At(scorched.w.BodyClass), "H");
}

}  // namespace
}  // namespace ax
