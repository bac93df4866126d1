#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "edit/EditError.h"
#include "edit/Reroll.h"
#include "edit/WorldEdit.h"
#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "support/SurveyFaults.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// The saved bytes of every orbit but one: both worlds with that orbit emptied.
std::string BytesWithout(const World& world, int star, int orbit) {
  auto copy = std::make_unique<World>(world);
  for (int b = 0; b < kBodySlots; ++b) ClearBody(*copy, star, orbit, b);
  copy->MoonCount[star][orbit] = 0;
  return EncodeSystem(*copy);
}

// A value inside the range, spread over its orders of magnitude where it has them.
double Inside(const EditRange& range, Random& random) {
  const double u = random.Uniform();
  if (range.least > 0) {
    return std::exp(std::log(range.least) + u * (std::log(range.greatest) - std::log(range.least)));
  }
  return range.least + u * (range.greatest - range.least);
}

// The shortest text that reads back as the same double.
std::string Exact(double value) {
  char text[32];
  return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

struct Place {
  int star = 0;
  int orbit = 0;
};

// An orbit of the system, with or without a world; none when the system has no orbits.
bool PickOrbit(const World& w, Random& random, bool withWorld, Place& place) {
  std::vector<Place> places;
  for (int s = w.StarCount == 2 ? 0 : 1; s <= w.StarCount; ++s) {
    for (int o = 1; o <= w.OrbitCount[s]; ++o) {
      if (w.BodyClass(s, o, 0).empty() != withWorld) places.push_back({s, o});
    }
  }
  if (places.empty()) return false;
  place = places[static_cast<std::size_t>(random.RollDie(static_cast<std::int16_t>(places.size())) -
                                          1)];
  return true;
}

TEST(EditPropertyTest, RerollsAndEditsKeepOtherOrbitsAndEverythingASurveyedWorldObeys) {
  auto world = std::make_unique<World>();
  SystemFileReader reader;
  int rerolls = 0;
  int edits = 0;
  int adds = 0;
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    Random random(seed);
    ClearSystem(*world);
    GenerateStars(*world, random);
    Survey survey(*world, random);
    survey.SurveySystem();
    const bool young = survey.YoungSystem == 1;
    for (int step = 0; step < 8; ++step) {
      const std::string before = EncodeSystem(*world);
      const auto untouched = std::make_unique<World>(*world);
      const std::uint64_t stepSeed = MixBits(seed * 100 + static_cast<std::uint64_t>(step));
      const int action = random.RollDie(4);
      Place at;
      const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
      bool starEdit = false;
      if (action == 1 && PickOrbit(*world, random, true, at)) {
        RerollWorld(*world, at.star, at.orbit, stepSeed);
        auto again = std::make_unique<World>(*untouched);
        RerollWorld(*again, at.star, at.orbit, stepSeed);
        EXPECT_EQ(EncodeSystem(*again), EncodeSystem(*world)) << where << ": same seed";
        // The same from the saved file.
        reader.Decode(before, *again);
        RerollWorld(*again, at.star, at.orbit, stepSeed);
        EXPECT_EQ(EncodeSystem(*again), EncodeSystem(*world)) << where << ": same seed from file";
        ++rerolls;
      } else if (action == 2 && PickOrbit(*world, random, true, at)) {
        const int body =
            random.RollDie(static_cast<std::int16_t>(world->MoonCount[at.star][at.orbit] + 1)) - 1;
        const EditField& field = kEditFields[static_cast<std::size_t>(random.RollDie(9)) + 1];
        starEdit = field.target == EditTarget::Star;
        const int star = starEdit ? std::max(1, at.star) : at.star;
        const EditRange range = RangeOf(*world, field, star, at.orbit, body);
        double value = Inside(range, random);
        if (field.table == "BodyDayLength" && std::abs(value) < 0.1) value = 0.1;
        if (field.table == "StarTemperature") value = std::round(value);
        const std::string text = Exact(value);
        const bool beltWorld =
            !starEdit && body == 0 && IsBelt(world->BodyClass(at.star, at.orbit, 0));
        if (beltWorld || range.least > range.greatest) {
          EXPECT_THROW(ApplyEdits(*world, star, at.orbit, body, {{std::string(field.table), text}}),
                       EditError)
              << where;
          EXPECT_EQ(EncodeSystem(*world), before) << where << ": a refused edit changed the system";
          continue;
        }
        ApplyEdits(*world, star, at.orbit, body, {{std::string(field.table), text}});
        auto again = std::make_unique<World>();
        reader.Decode(before, *again);
        ApplyEdits(*again, star, at.orbit, body, {{std::string(field.table), text}});
        EXPECT_EQ(EncodeSystem(*again), EncodeSystem(*world)) << where << ": same edit from file";
        if (field.table == "BodyMass") {
          EXPECT_EQ(world->BodyMass(at.star, at.orbit, body), value);
        }
        if (field.table == "BodyEccentricity") {
          EXPECT_EQ(world->BodyEccentricity(at.star, at.orbit, body), value);
        }
        ++edits;
      } else if (action == 3 && PickOrbit(*world, random, false, at)) {
        try {
          AddWorld(*world, at.star, at.orbit, stepSeed);
          ++adds;
        } catch (const EditError&) {
          EXPECT_EQ(EncodeSystem(*world), before) << where << ": a refused add changed the system";
        }
      } else if (action == 4 && PickOrbit(*world, random, true, at)) {
        RemoveWorld(*world, at.star, at.orbit);
      } else {
        continue;
      }
      if (!starEdit) {
        ASSERT_EQ(BytesWithout(*world, at.star, at.orbit),
                  BytesWithout(*untouched, at.star, at.orbit))
            << where << ": another orbit changed";
      }
      const std::string fault = test::SurveyFault(*world, young);
      ASSERT_TRUE(fault.empty()) << where << ": " << fault;
    }
  }
  // The run reaches each kind of change many times.
  EXPECT_GT(rerolls, 300);
  EXPECT_GT(edits, 300);
  EXPECT_GT(adds, 10);
}

TEST(EditPropertyTest, RefusalsNameTheFieldAndItsRangeAndChangeNothing) {
  auto world = std::make_unique<World>();
  Place at;
  // The world of a primary star, not a belt.
  for (std::uint64_t seed = 1; at.star != 1 || IsBelt(world->BodyClass(1, at.orbit, 0)); ++seed) {
    Random random(seed);
    ClearSystem(*world);
    GenerateStars(*world, random);
    Survey(*world, random).SurveySystem();
    if (!PickOrbit(*world, random, true, at)) at.star = 0;
  }
  const std::string before = EncodeSystem(*world);
  struct Row {
    FieldValue value;
    std::string message;
  };
  const std::vector<Row> rows = {
      {{"BodyColour", "red"}, "no field BodyColour"},
      {{"BodyMass", "heavy"}, "Mass: not a number: heavy"},
      {{"BodyEccentricity", "1"}, "Eccentricity must be 0 to 0.95"},
      {{"BodyInclination", "-1"}, "Inclination must be 0 to 180 degrees"},
      {{"BodyWaterCover", "nan"}, "Water cover: not a number: nan"},
      {{"BodyDayLength", "0.05"},
       "Day length must be 0.1 to 100000 hours either way (negative: a retrograde spin)"},
      {{"StarMass", "301"}, "Star mass must be 0.01 to 300 solar masses"},
  };
  for (const Row& row : rows) {
    try {
      // A good value first: nothing is set when any value is refused.
      ApplyEdits(*world, 1, at.orbit, 0, {{"BodyName", "Kept out"}, row.value});
      ADD_FAILURE() << row.message;
    } catch (const EditError& error) {
      EXPECT_EQ(std::string(error.what()), row.message);
      EXPECT_EQ(error.field, row.value.table);
    }
    EXPECT_EQ(EncodeSystem(*world), before) << row.message;
  }
}

}  // namespace
}  // namespace ax
