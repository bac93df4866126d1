#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <vector>

#include "TestDraws.h"
#include "model/Random.h"

namespace ax::test {
namespace {

constexpr float kLargestDraw = 0x1.fffffep-1f;  // the largest float below 1

std::vector<float> Draws(Random& random, int n) {
  std::vector<float> draws;
  for (int i = 0; i < n; ++i) draws.push_back(random.Uniform());
  return draws;
}

TEST(RandomTest, DrawsAndDiceCoverTheirRangeAndNothingElse) {
  // 0 gives face 1, the largest draw below 1 the top face (n x u in float must not round to n).
  for (std::int16_t faces : std::initializer_list<std::int16_t>{1, 6, 81, 100, 1000}) {
    Random random = Random::Scripted({0.0f, kLargestDraw});
    EXPECT_EQ(random.RollDie(faces), 1) << faces;
    EXPECT_EQ(random.RollDie(faces), faces) << faces;
  }
  Random random(3);
  std::array<int, 101> seen{};
  for (int i = 0; i < 200'000; ++i) {
    const float u = random.Uniform();
    ASSERT_TRUE(u >= 0 && u < 1) << u;
    const int face = random.RollDie(100);
    ASSERT_TRUE(face >= 1 && face <= 100) << face;
    ++seen[static_cast<std::size_t>(face)];
  }
  for (int face = 1; face <= 100; ++face) {
    EXPECT_GT(seen[static_cast<std::size_t>(face)], 1500) << face;  // about 2000 each
  }
}

TEST(RandomTest, DoubleOnChanceFollowsItsRolls) {
  // Percent 25 and limit 50: above the percent unchanged; at it doubles until a roll above; the
  // limit is tested before each roll, not after; at or above the limit no roll at all.
  struct Row {
    std::vector<float> draws;  // every one is taken
    double start, expected;
  };
  for (const Row& row : {Row{{D100(26)}, 1.6, 1.6}, Row{{D100(25), D100(1), D100(30)}, 1.6, 6.4},
                         Row{{D100(1)}, 25.6, 51.2}, Row{{}, 50, 50}}) {
    Random random = Random::Scripted(row.draws);
    double mass = row.start;
    random.DoubleOnChance(25, mass, 50);
    EXPECT_EQ(mass, row.expected) << row.start;
    EXPECT_EQ(random.ScriptLeft(), 0u) << row.start;
  }
  // A 16-bit value saturates instead of wrapping to a negative number.
  Random always = Random::Scripted({D100(1)});
  std::int16_t value = 20000;
  always.DoubleOnChance(100, value, 30000);
  EXPECT_EQ(value, 32767);
}

TEST(RandomTest, ScatterFactorsStayWithinTheirRanges) {
  // Wide (1.2u + 0.4)(1.2u' + 0.4), narrow (0.2u + 0.9)(0.2u' + 0.9); both grow with each
  // draw, so the extreme draws bound every other.
  Random lowest = Random::Scripted({0.0f, 0.0f, 0.0f, 0.0f});
  EXPECT_DOUBLE_EQ(lowest.WideFactor(), 0.4 * 0.4);
  EXPECT_DOUBLE_EQ(lowest.NarrowFactor(), 0.9 * 0.9);
  Random highest = Random::Scripted({kLargestDraw, kLargestDraw, kLargestDraw, kLargestDraw});
  EXPECT_NEAR(highest.WideFactor(), 2.56, 1e-6);
  EXPECT_NEAR(highest.NarrowFactor(), 1.21, 1e-6);
}

TEST(RandomTest, SeedsAndScriptsRepeatRunsAndReseedsNeverRestartThem) {
  // A seeded source reseeds from a counter, not the clock: still reproducible.
  Random first(42);
  Random second(42);
  first.SeedFromClock();
  second.SeedFromClock();
  EXPECT_EQ(Draws(first, 100), Draws(second, 100));
  Random other(43);
  EXPECT_NE(Draws(first, 100), Draws(other, 100));
  // A cluster reseeds once per star, many times within one tick of the clock.
  for (Random random : {Random(), Random(1)}) {
    std::set<std::vector<float>> starts;
    for (int i = 0; i < 10'000; ++i) {
      random.SeedFromClock();
      starts.insert(Draws(random, 4));
    }
    EXPECT_EQ(starts.size(), 10'000u);
  }
  Random scripted = Random::Scripted({0.25f});  // scripted draws run out loudly
  EXPECT_EQ(scripted.Uniform(), 0.25f);
  EXPECT_THROW(scripted.Uniform(), std::logic_error);
}

}  // namespace
}  // namespace ax::test
