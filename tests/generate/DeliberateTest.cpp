#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestDraws.h"
#include "generate/Deliberate.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax::test {
namespace {

using Fields = std::vector<std::string>;

DeliberateInput Single(std::string mass, std::string temp, std::string lumn, std::string age = "") {
  DeliberateInput input;
  input.systemName = "Test";
  input.starAMass = std::move(mass);
  input.starATemp = std::move(temp);
  input.starALumn = std::move(lumn);
  input.age = std::move(age);
  return input;
}

TEST(DeliberateTest, SunLikeStarAndAnAgeLimitOfNinetyEightPercentOfTheLifetime) {
  auto world = std::make_unique<World>();
  Random random = Random::Scripted({Die(537, 1000),  // age d1000 = 537 -> 5.37
                                    0.25f});         // angle 180 x 0.25
  EXPECT_EQ(GenerateDeliberateSystem(*world, random, Single("1", "5800", "1")), Fields{});
  EXPECT_EQ(random.ScriptLeft(), 0u);
  EXPECT_EQ(world->SystemName, "Test");
  EXPECT_FLOAT_EQ(world->SystemAge, 5.37f);
  EXPECT_DOUBLE_EQ(world->StarAngle[1], 45.0);
  EXPECT_EQ(world->StarType[1], "G 1 V  ");  // 9 - int(10 x 800 / 1000) = 1
  EXPECT_EQ(world->StarType[0], "");         // a single star has no pair entry

  // Mass 2: 9.8 / 2^3 = 1.225, below a whole lifetime's 10 / 2^3 = 1.25.
  const std::string before = EncodeSystem(*world);
  for (const char* age : {"1.3", "1.23"}) {
    Random rejected = Random::Scripted({});
    EXPECT_EQ(GenerateDeliberateSystem(*world, rejected, Single("2", "9000", "16", age)),
              Fields{"AgeText"})
        << age;
  }
  EXPECT_EQ(EncodeSystem(*world), before);  // the stars of the valid fields are not stored
  // Drawn: d98 x 2^-3 / 10 = 49 / 80 = 0.6125.
  Random drawn = Random::Scripted({Die(49, 98), 0.5f});
  EXPECT_EQ(GenerateDeliberateSystem(*world, drawn, Single("2", "9000", "16", "0")), Fields{});
  EXPECT_EQ(drawn.ScriptLeft(), 0u);
  EXPECT_FLOAT_EQ(world->SystemAge, 0.6125f);
}

// The model holds 0.01 ... 300 solar masses, 1 ... 500,000 K, 1e-9 ... 1e10 solar
// luminosities and 0.001 ... 1e6 AU; a value just beyond is rejected like any other, and
// a rejected input leaves the world as it was.
TEST(DeliberateTest, RejectedInputLeavesTheWorldAsItWas) {
  auto world = std::make_unique<World>();
  Random first = Random::Scripted({Die(537, 1000), 0.25f});
  ASSERT_EQ(GenerateDeliberateSystem(*world, first, Single("1", "5800", "1")), Fields{});
  const std::string before = EncodeSystem(*world);
  struct Row {
    std::string DeliberateInput::*field;
    const char* text;
    const char* rejected;  // empty when accepted
  };
  const Row rows[] = {
      {&DeliberateInput::starAMass, "0.0099", "StarAMassText"},
      {&DeliberateInput::starBMass, "300.01", "StarBMassText"},
      {&DeliberateInput::starATemp, "0.6", ""},  // rounds to 1 K
      {&DeliberateInput::starBTemp, "500000.6", "StarBTempText"},
      {&DeliberateInput::starALumn, "0.99e-9", "StarALumnText"},
      {&DeliberateInput::starBLumn, "1.01e10", "StarBLumnText"},
      {&DeliberateInput::separation, "1.000001e6", "SeparationText"},
  };
  for (const Row& row : rows) {
    DeliberateInput input = Single("1", "5800", "1");
    input.binary = true;
    input.starBMass = input.starBLumn = "1";
    input.starBTemp = "5800";
    input.separation = "10";
    input.*row.field = row.text;
    auto other = std::make_unique<World>();
    Random random(1);
    EXPECT_EQ(GenerateDeliberateSystem(*other, random, input),
              *row.rejected ? Fields{row.rejected} : Fields{})
        << row.text;
  }
  DeliberateInput input;
  input.binary = true;
  input.starAMass = "abc";    // letters only: 0
  input.starATemp = "12abc";  // 12: accepted
  input.starALumn = "0";      // not above 0
  input.starBMass = "-1";     // negative
  input.starBTemp = "0.4";    // rounds to 0 K
  input.starBLumn = "2";
  input.separation = "";  // empty
  input.age = "100";      // not examined while the stars are rejected
  Random random = Random::Scripted({});
  EXPECT_EQ(GenerateDeliberateSystem(*world, random, input),
            (Fields{"StarAMassText", "StarALumnText", "StarBMassText", "StarBTempText",
                    "SeparationText"}));
  EXPECT_EQ(EncodeSystem(*world), before);
}

}  // namespace
}  // namespace ax::test
