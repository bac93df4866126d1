#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestDraws.h"
#include "generate/Incomplete.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax::test {
namespace {

using Fields = std::vector<std::string>;

const std::vector<float>& kUnit = kUnitFactor;  // a scatter of exactly 1

IncompleteInput Single(std::string type, std::string magnitude) {
  IncompleteInput input;
  input.systemName = "Test";
  input.starAType = std::move(type);
  input.starAMagn = std::move(magnitude);
  return input;
}

IncompleteInput Pair(std::string typeA, std::string magnA, std::string typeB, std::string magnB,
                     SeparationKnowledge separation) {
  IncompleteInput input = Single(std::move(typeA), std::move(magnA));
  input.binary = true;
  input.starBType = std::move(typeB);
  input.starBMagn = std::move(magnB);
  input.separation = separation;
  return input;
}

TEST(IncompleteTest, TypeTextSpellingsGiveOneStar) {
  // Mass 10^((4.7 - 4.7) / 2.5) x 1 = 1, temperature 5000 + 800 - 50, age d1000 450 / 100.
  std::vector<std::string> encoded;
  for (const char* type : {"G2V", "G 2 V", "g2v"}) {
    auto world = std::make_unique<World>();
    Random random = Random::Scripted(Script({kUnit, {D100(50)}, {Die(450, 1000)}, {0.5f}}));
    ASSERT_EQ(GenerateIncompleteSystem(*world, random, Single(type, "4.7")), Fields{}) << type;
    EXPECT_EQ(random.ScriptLeft(), 0u);
    EXPECT_EQ(world->StarType[1], "G 2 V  ") << type;
    EXPECT_DOUBLE_EQ(world->StarMass[1], 1.0);
    EXPECT_EQ(world->StarTemperature[1], 5750);
    EXPECT_FLOAT_EQ(world->SystemAge, 4.5f);
    // A single star also fills the pair entry with its own values, but no type text.
    EXPECT_TRUE(world->StarMass[0] == 1 && world->StarType[0].empty());
    encoded.push_back(EncodeSystem(*world));
  }
  EXPECT_TRUE(encoded[0] == encoded[1] && encoded[0] == encoded[2]);
}

TEST(IncompleteTest, WhiteDwarfIsHeavierAndOlderThanItsProgenitor) {
  auto world = std::make_unique<World>();
  // Temperature 7500 + 3500 x 5 / 10 - 10, age 3 x 0.5 + 10 / (3 m)^3.
  Random random = Random::Scripted(Script({kUnit, {D100(10)}, {0.5f}, {0.5f}}));
  ASSERT_EQ(GenerateIncompleteSystem(*world, random, Single("A5D", "12")), Fields{});
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->StarType[1], "A 5 D  ");
  EXPECT_FLOAT_EQ(world->StarLuminosity[1], 0.00120226445f);  // 10^(-7.3 / 2.5)
  EXPECT_DOUBLE_EQ(world->StarMass[1], 0.88052664544266979);  // L^0.25 x 500^0.25
  EXPECT_EQ(world->StarTemperature[1], 9240);
  EXPECT_FLOAT_EQ(world->SystemAge, 2.04251122f);
}

// A G2V companion of magnitude 4.7 at a known separation or period.
IncompleteInput Known(const char* type, const char* magnitude, const char* separation,
                      SeparationKnowledge knowledge = SeparationKnowledge::kKnown) {
  IncompleteInput input = Pair(type, magnitude, "G2V", "4.7", knowledge);
  input.knownSep = input.knownPeriod = separation;
  return input;
}

// A magnitude is taken only when its light (1e-9 ... 1e10) and every mass the scatter of
// 0.81 ... 1.21 can give (0.01 ... 300) lie in the model's ranges; a separation, known or
// from a period, only within 0.001 ... 1e6 AU for every such mass. Two G2V stars of
// magnitude 4.7 weigh 1.62 ... 2.42 together. A rejected input leaves the world as it was.
TEST(IncompleteTest, RejectedInputLeavesTheWorldAsItWas) {
  auto world = std::make_unique<World>();
  Random first = Random::Scripted(Script({kUnit, {D100(50)}, {Die(450, 1000)}, {0.5f}}));
  ASSERT_EQ(GenerateIncompleteSystem(*world, first, Single("G2V", "4.7")), Fields{});
  const std::string before = EncodeSystem(*world);
  const auto period = SeparationKnowledge::kPeriod;
  const auto close = SeparationKnowledge::kClose;
  const std::pair<IncompleteInput, Fields> rows[] = {
      {Single("X5V", "4.7"), {"StarATypeText"}},
      // An empty or non-numeric magnitude, or "0.0", reads as 0 and is rejected.
      {Single("B5V", ""), {"StarAMagnText"}},
      {Single("B5V", "0.0"), {"StarAMagnText"}},
      // Once star 1 is rejected, star 2's subclass is not examined; its letter still is.
      {Pair("X5V", "4.7", "GXV", "5", close), {"StarATypeText"}},
      {Pair("X5V", "", "QXV", "5", close), {"StarAMagnText", "StarATypeText", "StarBTypeText"}},
      {Known("G2V", "4.7", ""), {"KnownSepText"}},
      {Known("G2V", "4.7", "-2", period), {"KnownPeriodText"}},
      {Known("O5V", "-19.2", "1"), {}},                 // mass 245.5 x 1.21 = 297
      {Known("O5V", "-19.3", "1"), {"StarAMagnText"}},  // 251.2 x 1.21 = 304
      {Known("M5V", "23.8", "1"), {"StarAMagnText"}},   // 0.01230 x 0.81 = 0.00996
      {Known("G2V", "4.7", "0.00099"), {"KnownSepText"}},
      {Known("G2V", "4.7", "2.4e-5", period), {"KnownPeriodText"}},  // (5.76e-10 x 1.62)^(1/3)
      {Known("G2V", "4.7", "6.5e8", period), {"KnownPeriodText"}},   // (4.225e17 x 2.42)^(1/3)
  };
  for (const auto& [input, rejected] : rows) {
    auto accepted = std::make_unique<World>();
    // Rejected before any draw is taken.
    Random random = rejected.empty() ? Random(1) : Random::Scripted({});
    EXPECT_EQ(GenerateIncompleteSystem(rejected.empty() ? *accepted : *world, random, input),
              rejected)
        << input.starAType << " " << input.starAMagn << " " << input.knownSep;
  }
  EXPECT_EQ(EncodeSystem(*world), before);
}

TEST(IncompleteTest, LighterStarTypedFirstIsExchangedAndThePeriodGivesTheSeparation) {
  auto world = std::make_unique<World>();
  IncompleteInput input = Pair("M5V", "10", "G2V", "4.7", SeparationKnowledge::kPeriod);
  input.knownPeriod = "2";
  Random random = Random::Scripted(Script({kUnit,
                                           {D100(5)},  // M5: 1500 + 1000 - 5
                                           kUnit,
                                           {D100(50)},             // G2: 5800 - 50
                                           {Die(450, 1000)},       // m1 = 1: age 4.5
                                           {0.5f, 0.5f, 0.5f}}));  // close pair angles
  ASSERT_EQ(GenerateIncompleteSystem(*world, random, input), Fields{});
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->StarType[1], "G 2 V  ");
  EXPECT_EQ(world->StarTemperature[1], 5750);
  EXPECT_EQ(world->StarType[2], "M 5 V  ");
  EXPECT_DOUBLE_EQ(world->StarMass[2], 0.29512092094039427);  // 10^(-5.3 / 2.5)^0.25
  EXPECT_FLOAT_EQ(world->StarPeriod, 2.0f);
  EXPECT_DOUBLE_EQ(world->StarSeparation, 1.7303080837003737);  // (2^2 x 1.2951...)^(1/3)
  EXPECT_FLOAT_EQ(world->StarLuminosity[0], 1.00758576f);
}

}  // namespace
}  // namespace ax::test
