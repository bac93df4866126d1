#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"
#include "support/SurveyFaults.h"
#include "survey/Survey.h"

namespace ax {
namespace {

TEST(SurveyPropertyTest, TenThousandSystemsStayWithinTheirBounds) {
  auto world = std::make_unique<World>();
  int worlds = 0;
  int moons = 0;
  int living = 0;
  int civilizations = 0;
  for (std::uint64_t seed = 1; seed <= 10'000; ++seed) {
    Random random(seed);
    ClearSystem(*world);
    GenerateStars(*world, random);
    Survey survey(*world, random);
    survey.Beep = [&civilizations] { ++civilizations; };
    survey.SurveySystem();
    const std::string fault = test::SurveyFault(*world, survey.YoungSystem == 1);
    ASSERT_TRUE(fault.empty()) << "seed " << seed << ": " << fault;
    for (int s = 0; s < kStarSlots; ++s) {
      for (int o = 1; o <= world->OrbitCount[s]; ++o) {
        worlds += world->BodyClass(s, o, 0).empty() ? 0 : 1;
        moons += world->MoonCount[s][o];
        for (int b = 0; b <= world->MoonCount[s][o]; ++b) {
          living += world->BodyLifeComplexity(s, o, b) > 0 ? 1 : 0;
        }
      }
    }
  }
  // Surveys make worlds and moons, not only empty orbits.
  EXPECT_GT(worlds, 50'000);
  EXPECT_GT(moons, 50'000);
  // Life is rare and civilizations rarer still; both occur.
  EXPECT_GT(living, 1000);
  EXPECT_GT(civilizations, 5);
}

}  // namespace
}  // namespace ax
