#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "generate/Incomplete.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::Script;
using Fields = std::vector<std::string>;

const std::vector<float>& kUnit = test::kUnitFactor;  // a scatter of exactly 1

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
  std::vector<std::string> encoded;
  for (const char* type : {"G2V", "G 2 V", "g2v"}) {
    auto world = std::make_unique<World>();
    Random random = Random::Scripted(Script({kUnit,             // mass = 1^0.25 x 1
                                             {D100(50)},        // 5000 + 800 - 50
                                             {Die(450, 1000)},  // m1 <= 1: age 4.5
                                             {0.5f}}));         // angle 90
    ASSERT_EQ(GenerateIncompleteSystem(*world, random, Single(type, "4.7")), Fields{}) << type;
    EXPECT_EQ(random.ScriptLeft(), 0u);
    EXPECT_EQ(world->StarType[1], "G 2 V  ") << type;
    EXPECT_DOUBLE_EQ(world->StarMass[1], 1.0);  // 10^((4.7 - 4.7) / 2.5) = 1
    EXPECT_EQ(world->StarTemperature[1], 5750);
    EXPECT_FLOAT_EQ(world->SystemAge, 4.5f);
    // A single star also fills the pair entry with its own values, but no type text.
    EXPECT_DOUBLE_EQ(world->StarMass[0], 1.0);
    EXPECT_EQ(world->StarType[0], "");
    encoded.push_back(EncodeSystem(*world));
  }
  EXPECT_TRUE(encoded[0] == encoded[1] && encoded[0] == encoded[2]);
}

TEST(IncompleteTest, WhiteDwarfIsHeavierAndOlderThanItsProgenitor) {
  auto world = std::make_unique<World>();
  Random random = Random::Scripted(Script({kUnit,
                                           {D100(10)},  // 7500 + 3500 x 5 / 10 - 10
                                           {0.5f},      // age 3 x 0.5 + 10 / (3 m)^3
                                           {0.5f}}));
  ASSERT_EQ(GenerateIncompleteSystem(*world, random, Single("A5D", "12")), Fields{});
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->StarType[1], "A 5 D  ");
  EXPECT_FLOAT_EQ(world->StarLuminosity[1], 0.00120226445f);  // 10^(-7.3 / 2.5)
  EXPECT_DOUBLE_EQ(world->StarMass[1], 0.88052664544266979);  // L^0.25 x 500^0.25
  EXPECT_EQ(world->StarTemperature[1], 9240);
  EXPECT_FLOAT_EQ(world->SystemAge, 2.04251122f);
}

TEST(IncompleteTest, RejectedInputLeavesTheWorldAsItWas) {
  auto world = std::make_unique<World>();
  Random first = Random::Scripted(Script({kUnit, {D100(50)}, {Die(450, 1000)}, {0.5f}}));
  ASSERT_EQ(GenerateIncompleteSystem(*world, first, Single("G2V", "4.7")), Fields{});
  const std::string before = EncodeSystem(*world);

  Random none = Random::Scripted({});
  EXPECT_EQ(GenerateIncompleteSystem(*world, none, Single("X5V", "4.7")), Fields{"StarATypeText"});
  EXPECT_EQ(GenerateIncompleteSystem(*world, none, Single("G", "4.7")), Fields{"StarATypeText"});
  EXPECT_EQ(GenerateIncompleteSystem(*world, none, Single("G V", "4.7")), Fields{"StarATypeText"});
  // An empty or non-numeric magnitude, or "0.0", reads as 0 and is rejected.
  for (const char* magnitude : {"", "bright", "0.0"}) {
    EXPECT_EQ(GenerateIncompleteSystem(*world, none, Single("B5V", magnitude)),
              Fields{"StarAMagnText"})
        << magnitude;
  }
  // Once star 1 is rejected, star 2's subclass is not examined; its letter still is.
  EXPECT_EQ(GenerateIncompleteSystem(*world, none,
                                     Pair("X5V", "4.7", "GXV", "5", SeparationKnowledge::kClose)),
            Fields{"StarATypeText"});
  EXPECT_EQ(GenerateIncompleteSystem(*world, none,
                                     Pair("X5V", "", "QXV", "5", SeparationKnowledge::kClose)),
            (Fields{"StarAMagnText", "StarATypeText", "StarBTypeText"}));
  IncompleteInput known = Pair("G2V", "4.7", "M5V", "10", SeparationKnowledge::kKnown);
  EXPECT_EQ(GenerateIncompleteSystem(*world, none, known), Fields{"KnownSepText"});
  IncompleteInput period = Pair("G2V", "4.7", "M5V", "10", SeparationKnowledge::kPeriod);
  period.knownPeriod = "-2";
  EXPECT_EQ(GenerateIncompleteSystem(*world, none, period), Fields{"KnownPeriodText"});
  EXPECT_EQ(EncodeSystem(*world), before);
}

// A magnitude is taken only when its light (1e-9 ... 1e10) and every mass the scatter of
// 0.81 ... 1.21 can give (0.01 ... 300) lie in the model's ranges; a separation, known or
// from a period, only within 0.001 ... 1e6 AU for every such mass. Two G2V stars of
// magnitude 4.7 weigh 1.62 ... 2.42 together.
TEST(IncompleteTest, ValuesBeyondWhatTheModelHoldsAreRejected) {
  struct Row {
    const char* type;
    const char* magnitude;
    SeparationKnowledge knowledge;
    const char* separation;
    const char* rejected;  // empty when accepted
  };
  const auto known = SeparationKnowledge::kKnown;
  const auto period = SeparationKnowledge::kPeriod;
  const Row rows[] = {
      {"B0I", "-20.31", known, "1", "StarAMagnText"},
      {"O5V", "-19.2", known, "1", ""},               // mass 245.5 x 1.21 = 297
      {"O5V", "-19.3", known, "1", "StarAMagnText"},  // 251.2 x 1.21 = 304
      {"M5V", "23.8", known, "1", "StarAMagnText"},   // 0.01230 x 0.81 = 0.00996
      {"G2V", "4.7", known, "0.00099", "KnownSepText"},
      {"G2V", "4.7", period, "2.4e-5", "KnownPeriodText"},  // (5.76e-10 x 1.62)^(1/3)
      {"G2V", "4.7", period, "6.5e8", "KnownPeriodText"},   // (4.225e17 x 2.42)^(1/3)
  };
  for (const Row& row : rows) {
    IncompleteInput input = Pair(row.type, row.magnitude, "G2V", "4.7", row.knowledge);
    input.knownSep = input.knownPeriod = row.separation;
    auto world = std::make_unique<World>();
    Random random(1);
    const Fields rejected = GenerateIncompleteSystem(*world, random, input);
    EXPECT_EQ(rejected, *row.rejected ? Fields{row.rejected} : Fields{})
        << row.type << " " << row.magnitude << " " << row.separation;
  }
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
}  // namespace ax
