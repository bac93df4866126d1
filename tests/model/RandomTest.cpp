#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <vector>

#include "model/Random.h"

namespace ax {
namespace {

constexpr float kLargestDraw = 0x1.fffffep-1f;  // the largest float below 1

TEST(RandomTest, UniformDrawsLieInTheHalfOpenUnitRange) {
  Random random(11);
  float lowest = 1;
  float highest = 0;
  for (int i = 0; i < 1'000'000; ++i) {
    const float u = random.Uniform();
    ASSERT_GE(u, 0.0f);
    ASSERT_LT(u, 1.0f);
    lowest = std::min(lowest, u);
    highest = std::max(highest, u);
  }
  EXPECT_LT(lowest, 1e-5f);
  EXPECT_GT(highest, 1 - 1e-5f);
}

TEST(RandomTest, RollDieCoversEveryFaceAndNothingElse) {
  // The extreme draws: 0 gives face 1, the largest draw below 1 the top face, for every die
  // the generators roll (n x u is formed in float and must not round up to n).
  for (std::int16_t faces : std::initializer_list<std::int16_t>{1, 4, 6, 8, 10, 81, 100, 1000}) {
    Random random = Random::Scripted({0.0f, kLargestDraw});
    EXPECT_EQ(random.RollDie(faces), 1) << faces;
    EXPECT_EQ(random.RollDie(faces), faces) << faces;
  }
  Random random(3);
  std::array<int, 102> seen{};
  for (int i = 0; i < 200'000; ++i) {
    const int face = random.RollDie(100);
    ASSERT_GE(face, 1);
    ASSERT_LE(face, 100);
    ++seen[static_cast<std::size_t>(face)];
  }
  for (int face = 1; face <= 100; ++face) {
    EXPECT_GT(seen[static_cast<std::size_t>(face)], 1500) << face;  // about 2000 each
  }
}

TEST(RandomTest, RollDiceSumsItsRollsInTurn) {
  Random random = Random::Scripted({0.0f, 0.5f, 0.99f});
  EXPECT_EQ(random.RollDice(3, 6), 1 + 4 + 6);
  EXPECT_EQ(random.ScriptLeft(), 0u);
}

float Roll(int face) {
  return (static_cast<float>(face) - 0.5f) / 100.0f;
}

TEST(RandomTest, DoubleOnChanceFollowsItsRolls) {
  struct Row {
    std::vector<float> draws;  // every one is taken
    double start;
    double expected;
  };
  // Percent 25 and limit 50, each row in turn:
  for (const Row& row : {
           Row{{Roll(26)}, 1.6, 1.6},                     // above the percent: unchanged
           Row{{Roll(25), Roll(1), Roll(30)}, 1.6, 6.4},  // at it doubles, until a roll above
           Row{{Roll(1)}, 25.6, 51.2},  // the limit is tested before each roll, not after
           Row{{}, 50, 50},             // at or above the limit: no roll at all
       }) {
    Random random = Random::Scripted(row.draws);
    double mass = row.start;
    random.DoubleOnChance(25, mass, 50);
    EXPECT_EQ(mass, row.expected) << row.start;
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.start;
  }
  Random never = Random::Scripted({Roll(1)});  // percent 0 never doubles but still rolls once
  std::int16_t count = 3;
  never.DoubleOnChance(0, count, 20);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(never.ScriptLeft(), 0u);
  // A 16-bit value saturates instead of wrapping to a negative number.
  Random always = Random::Scripted({Roll(1)});
  std::int16_t value = 20000;
  always.DoubleOnChance(100, value, 30000);
  EXPECT_EQ(value, 32767);
}

TEST(RandomTest, DoubleOnChanceStaysPutAboutThreeTimesInFour) {
  Random random(5);
  int unchanged = 0;
  for (int i = 0; i < 100'000; ++i) {
    double mass = 1.6;
    random.DoubleOnChance(25, mass, 50);
    unchanged += mass == 1.6 ? 1 : 0;
    ASSERT_LT(mass, 100);
  }
  EXPECT_NEAR(unchanged / 100'000.0, 0.75, 0.01);
}

TEST(RandomTest, ScatterFactorsStayWithinTheirRanges) {
  Random lowest = Random::Scripted({0.0f, 0.0f, 0.0f, 0.0f});
  EXPECT_DOUBLE_EQ(lowest.WideFactor(), 0.4 * 0.4);
  EXPECT_DOUBLE_EQ(lowest.NarrowFactor(), 0.9 * 0.9);
  Random highest = Random::Scripted({kLargestDraw, kLargestDraw, kLargestDraw, kLargestDraw});
  EXPECT_LT(highest.WideFactor(), 2.56);
  EXPECT_LT(highest.NarrowFactor(), 1.21);
  Random mixed = Random::Scripted({0.5f, 0.25f});
  EXPECT_DOUBLE_EQ(mixed.WideFactor(), 1.0 * 0.7);
  // Both factors grow with each draw, so the extreme draws bound every other.
}

std::vector<float> Draws(Random& random, int n) {
  std::vector<float> draws;
  for (int i = 0; i < n; ++i) {
    draws.push_back(random.Uniform());
  }
  return draws;
}

TEST(RandomTest, ASeedMakesARunReproducible) {
  Random first(42);
  Random second(42);
  first.SeedFromClock();
  second.SeedFromClock();
  EXPECT_EQ(Draws(first, 100), Draws(second, 100));
  Random other(43);
  other.SeedFromClock();
  Random again(42);
  again.SeedFromClock();
  EXPECT_NE(Draws(other, 100), Draws(again, 100));
}

TEST(RandomTest, ReseedingNeverRestartsASequence) {
  // A cluster reseeds once per star, many times within one tick of the clock.
  for (Random random : {Random(), Random(1)}) {
    std::set<std::vector<float>> starts;
    for (int i = 0; i < 10'000; ++i) {
      random.SeedFromClock();
      starts.insert(Draws(random, 4));
    }
    EXPECT_EQ(starts.size(), 10'000u);
  }
  // Also when nothing is drawn between two reseeds.
  Random once(7);
  once.SeedFromClock();
  Random twice(7);
  twice.SeedFromClock();
  twice.SeedFromClock();
  EXPECT_NE(Draws(once, 8), Draws(twice, 8));
}

TEST(RandomTest, ScriptedDrawsRunOutLoudly) {
  Random random = Random::Scripted({0.25f});
  EXPECT_EQ(random.Uniform(), 0.25f);
  EXPECT_THROW(random.Uniform(), std::logic_error);
}

}  // namespace
}  // namespace ax
