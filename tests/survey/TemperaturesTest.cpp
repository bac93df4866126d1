#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

// The rig's Earth as it is: albedo 0.3, eccentricity 0.017, 1 bar, 0.7 of sea, volcanism 1.
struct EarthRig : Rig {
  EarthRig() {
    w.SystemAge = 4.6f;
    At(w.BodyEccentricity) = 0.017;
    At(w.BodyAlbedo) = 0.3f;
    At(w.BodyPressure) = 1;
    At(w.BodyWaterCover) = 0.7f;
    At(w.BodyVolcanism) = 1;
  }
};

TEST(TemperaturesTest, HotAndColdSides) {
  // Each side: 279 (L (1 +- sin(tilt) / 2))^(1/4) ((1 - A) / d^2)^(1/4) at a (1 -+ e), spread by
  // the day-night factor F = (day / 32)^(1/6) (1 to 2, + A / 10 in between, 2 for a face held to
  // the star) below 1.5 bars, raised by the greenhouse (0.75 T^4 (2P + 2/3))^(1/4); + 10 and
  // - 20 K; above 2 bars - 10 / + 10 and above 10 a third of the spread closed; below 0.6 of sea
  // 15 (1 - W) apart, above 0.8 50 (W - 0.8) closer; 3V K warmer; the cold side at least
  // 3 + hot / 100, the hot 10 above it. The expected values come from an independent model of
  // these steps in double precision, 32-bit where a table is.
  struct Row {
    const char* name;
    Change change;
    int high, low;
    float dayNight;  // 0: not checked
  };
  const auto day = [](float hours, double year) {
    return Both(Set(&World::BodyDayLength, hours), Set(&World::BodyPeriod, year));
  };
  const auto bars = [day](float p) { return Both(day(200, 8766), Set(&World::BodyPressure, p)); };
  const auto pairStar = [](Rig& r) {
    r.w.StarCount = 2;
    r.w.StarLuminosity[2] = 2;
    r.w.StarSeparation = 3;
    r.survey.PartnerStar = 2;
  };
  const auto far = Both(Set(&World::BodyVolcanism, 0),
                        Both(Set(&World::BodyPressure, 0), Set(&World::BodySemiMajorAxis, 3000)));
  // clang-format off
  const Row rows[] = {
      // F 0.953 is raised to 1; 269.36 and 239.38 K, x 1.1892, + 10 - 20 + 3 each.
      {"Earth", day(24, 8766), 333, 268, 1.0f},
      {"64 hours: 1.12246 + 0.03", day(64, 8766), 382, 224, 1.1524620f},
      {"2048 hours: 2, not raised", day(2048, 8766), 654, 10, 2.0f},
      {"2.5 bars: - 10 / + 10", bars(2.5f), 390, 337, 0},
      // The young light 1 / (4.6 / 20 + 0.75), F 1 however long the day.
      {"early light", Both(day(200, 8766), [](Rig& r) { r.survey.TempMode = 1; }), 335, 269, 1},
      // The partner adds EqT(2, 0.3, 3 - 1) = 214.60 K hot and EqT(2, 0.3, 1 + 3) = 151.74 cold.
      {"star 1 of a pair 3 AU apart", pairStar, 362, 279, 0},
      {"3000 AU airless: 14.92, cold 3 + 14.92 / 100", far, 15, 3, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EarthRig rig;
    row.change(rig);
    rig.survey.ComputeTemperatures();
    EXPECT_EQ(rig.At(rig.w.BodyTempHigh), row.high);
    EXPECT_EQ(rig.At(rig.w.BodyTempLow), row.low);
    if (row.dayNight > 0) {
      EXPECT_EQ(rig.survey.DayNightFactor, row.dayNight);
    }
    EXPECT_EQ(rig.w.StarLuminosity[1], 1.0f);  // the early light is the star's only for a while
  }
}

TEST(TemperaturesTest, LawsAndTheirGuards) {
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 1), 279 * std::pow(0.7, 0.25));
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(0, 0.3, 1), 0.0);
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 1, 1), 0.0);
  // At the star itself: far above the 20000 K cap, yet finite.
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 0), 1.0e6);
  Rig rig;
  rig.At(rig.w.BodyObliquity) = 210;
  EXPECT_NEAR(rig.survey.TiltFactor(), 0.4994011, 1e-7);  // |sin(210 x 0.01745)|
}

TEST(TemperaturesTest, Albedo) {
  // A giant 2d6 / 100 + 0.45; else (2d6 + 5) / 100 + sqrt(P) / 5, + d10 / 100 for a light icy
  // body (density below 0.4); above 0.52 drawn again as 2d6 / 100 + 0.5, + 0.05 under carbon
  // dioxide.
  struct Row {
    Change change;
    std::vector<float> draws;
    float albedo;
  };
  const float one = Die(1, 6), three = Die(3, 6), six = Die(6, 6);
  const Change icy = Both(Set(&World::BodyPressure, 0), Set(&World::BodyDensity, 0.35f));
  const Change hothouse =
      Both(Set(&World::BodyPressure, 4), Set(&World::BodyAtmosphere, "Carbon Dioxide"));
  for (const Row& row :
       {Row{Set(&World::BodyClass, "J"), {three, Die(4, 6)}, 0.52f},
        Row{icy, {one, one, Die(5, 10)}, 0.12f}, Row{hothouse, {six, six, three, three}, 0.61f}}) {
    EarthRig rig;
    row.change(rig);
    rig.Draws(row.draws);
    rig.survey.ComputeAlbedo();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyAlbedo), row.albedo);
  }
}

}  // namespace
}  // namespace ax::test
