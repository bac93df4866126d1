#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

TEST(SystemFileTest, Smoke) {
  auto world = std::make_unique<World>();
  auto copy = std::make_unique<World>();
  SystemFileReader reader;
  for (std::uint64_t seed = 1; seed <= 200; ++seed) {
    Random random(seed);
    ClearSystem(*world);
    GenerateStars(*world, random);
    Survey(*world, random).SurveySystem();
    const std::string bytes = EncodeSystem(*world);
    reader.Decode(bytes, *copy);
    ASSERT_EQ(EncodeSystem(*copy), bytes) << seed;
  }
}

}  // namespace
}  // namespace ax
