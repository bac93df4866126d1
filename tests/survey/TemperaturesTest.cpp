#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax {
namespace {

using test::Both;
using test::Change;
using test::Die;
using test::Rig;
using test::Set;

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
  // Gives body 1 the world's surface, for a moon of it.
  void CopyToMoon() {
    for (auto* table : {&w.BodyAlbedo, &w.BodyObliquity, &w.BodyPressure, &w.BodyWaterCover,
                        &w.BodyVolcanism, &w.BodyRadius}) {
      (*table)(1, 3, 1) = (*table)(1, 3, 0);
    }
    Select(1, 3, 1);
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
  const auto moonHeldAt100 = [day](Rig& r) {
    static_cast<EarthRig&>(r).CopyToMoon();
    day(100, 100)(r);
  };
  const auto giant = [](Rig& r) {
    r.At(r.w.BodyClass) = "J";
    r.At(r.w.BodyAlbedo) = 0;
    r.At(r.w.BodyMass) = 300;
    r.At(r.w.BodyRadius) = 11;
    r.At(r.w.BodyDayLength) = 1000;
  };
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
      {"32 hours", day(32, 8766), 333, 268, 1.0f},
      {"64 hours: 1.12246 + 0.03", day(64, 8766), 382, 224, 1.1524620f},
      {"2048 hours: 2, not raised", day(2048, 8766), 654, 10, 2.0f},
      {"a year long, backwards", day(-8766, 8766), 654, 10, 2.0f},
      {"a face held at 100 hours", day(100, 100), 654, 10, 2.0f},
      {"1.49 bars: spread by F = 1.38721", bars(1.49f), 494, 172, 0},
      {"1.5 bars: not spread", bars(1.5f), 360, 291, 0},
      {"2 bars", bars(2), 381, 310, 0},
      {"2.5 bars: - 10 / + 10", bars(2.5f), 390, 337, 0},
      {"10 bars", bars(10), 537, 468, 0},
      {"10.5 bars: a third closed", bars(10.5f), 520, 497, 0},
      {"albedo 0 taken as 0.15", Set(&World::BodyAlbedo, 0), 349, 282, 0},
      // Albedo 0.5, F = 1, no greenhouse; 72 (300^1.7 / 121)^(1/4) = 360 K of its own heat.
      {"giant", giant, 264, 208, 1.0f},
      // A moon's face held to its world keeps F = (100 / 32)^(1/6) + 0.03; in a belt it is 2.
      {"moon held to its world", moonHeldAt100, 410, 200, 1.2391356f},
      {"belt body held to its star", Both(Set(&World::BodyClass, "P"), moonHeldAt100), 654, 10, 2},
      // The young light 1 / (4.6 / 20 + 0.75), F 1 however long the day.
      {"early light", Both(day(200, 8766), [](Rig& r) { r.survey.TempMode = 1; }), 335, 269, 1},
      // The partner adds EqT(2, 0.3, 3 - 1) = 214.60 K hot and EqT(2, 0.3, 1 + 3) = 151.74 cold.
      {"star 1 of a pair 3 AU apart", pairStar, 362, 279, 0},
      {"hot beyond the table", Set(&World::BodyVolcanism, 1e9f), 20000, 20000, 0},
      {"below absolute zero", Set(&World::BodyVolcanism, -1e9f), 0, 0, 0},
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

TEST(TemperaturesTest, MoonOfAGiantAndARemnantsYoungDisc) {
  // A moon at 20 radii of a 300-mass giant of radius 11 and 150 K at 5.2 AU (e 0.05): the giant
  // lights it with Tm = 21.527 K and the moon's own 30 masses give 36 (30^1.2 / 6.25)^(1/4) =
  // 63.164 K. The cold side is formed from the new hot side unless the moon holds its face to the
  // world. A parent of exactly 20 masses gives no light; nor has a moon of 20 heat of its own.
  struct Row {
    float day;
    double parentMass, moonMass;
    int high, low;
  };
  const Row rows[] = {{40, 300, 30, 152, 92},
                      {200, 300, 30, 189, 41},
                      {40, 20, 30, 152, 68},
                      {40, 20, 20, 150, 65},
                      {40, 20, 20.5, 151, 67}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.day << " h, " << row.parentMass << ", " << row.moonMass);
    EarthRig rig;
    rig.At(rig.w.BodyClass) = "J";
    rig.At(rig.w.BodyMass) = row.parentMass;
    rig.At(rig.w.BodyRadius) = 11;
    rig.At(rig.w.BodyTempHigh) = 150;
    rig.At(rig.w.BodySemiMajorAxis) = 5.2;
    rig.At(rig.w.BodyEccentricity) = 0.05;
    rig.Select(1, 3, 1);
    rig.At(rig.w.BodyClass) = "T";
    rig.At(rig.w.BodySemiMajorAxis) = 20;
    rig.At(rig.w.BodyMass) = row.moonMass;
    rig.At(rig.w.BodyRadius) = 2.5f;
    rig.At(rig.w.BodyAlbedo) = 0.3f;
    rig.At(rig.w.BodyObliquity) = 10;
    rig.At(rig.w.BodyDayLength) = row.day;
    rig.At(rig.w.BodyPeriod) = 200;
    rig.survey.ComputeTemperatures();
    EXPECT_EQ(rig.At(rig.w.BodyTempHigh), row.high);
    EXPECT_EQ(rig.At(rig.w.BodyTempLow), row.low);
  }
  // A white dwarf's young disc had 0.75 x 1.8^4 x NarrowFactor (0.95 x 1.05) = 7.853517 Suns;
  // the star keeps its own light. A world at 3 AU.
  EarthRig dwarf;
  dwarf.w.StarType[1] = "D 5 D  ";
  dwarf.w.StarLuminosity[1] = 0.0012345f;
  dwarf.survey.OrbitScale[1] = 1.8;
  dwarf.survey.TempMode = 1;
  dwarf.At(dwarf.w.BodySemiMajorAxis) = 3;
  dwarf.Draws({0.25f, 0.75f});
  dwarf.survey.ComputeTemperatures();
  EXPECT_EQ(dwarf.random.ScriptLeft(), 0u);
  EXPECT_EQ(dwarf.At(dwarf.w.BodyTempHigh), 323);
  EXPECT_EQ(dwarf.At(dwarf.w.BodyTempLow), 258);
  EXPECT_EQ(dwarf.w.StarLuminosity[1], 0.0012345f);
}

TEST(TemperaturesTest, AroundAPair) {
  // Both stars light the world with the pair's luminosity 1.5, each from its own offset (0.2 and
  // 0.3 AU) from the centre; inside the offsets the distances count by their size.
  struct Row {
    double axis;
    int high, low;
  };
  for (const Row row : {Row{2.5, 279, 224}, Row{0.15, 1603, 831}}) {
    SCOPED_TRACE(row.axis);
    EarthRig rig;
    rig.w.StarCount = 2;
    rig.w.StarLuminosity[0] = 1.5f;
    rig.w.StarOffset = {0, 0.2f, 0.3f};
    rig.CopyToMoon();
    rig.Select(0, 3, 0);
    for (auto* table : {&rig.w.BodyAlbedo, &rig.w.BodyObliquity, &rig.w.BodyPressure,
                        &rig.w.BodyWaterCover, &rig.w.BodyVolcanism, &rig.w.BodyRadius}) {
      (*table)(0, 3, 0) = (*table)(1, 3, 1);
    }
    rig.At(rig.w.BodyClass) = "T";
    rig.At(rig.w.BodyEccentricity) = 0.017;
    rig.At(rig.w.BodyPeriod) = 8766;
    rig.At(rig.w.BodyDayLength) = 24;
    rig.At(rig.w.BodySemiMajorAxis) = row.axis;
    rig.survey.ComputeTemperatures();
    EXPECT_EQ(rig.At(rig.w.BodyTempHigh), row.high);
    EXPECT_EQ(rig.At(rig.w.BodyTempLow), row.low);
  }
}

TEST(TemperaturesTest, LawsAndTheirGuards) {
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 1), 279 * std::pow(0.7, 0.25));
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(16, 0, 4), 279.0);  // 2 x 279 / 2
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0, -2),
                   Survey::EquilibriumTemperature(1, 0, 2));
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(0, 0.3, 1), 0.0);
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 1, 1), 0.0);
  // At the star itself: far above the 20000 K cap, yet finite.
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 0), 1.0e6);
  EXPECT_DOUBLE_EQ(Survey::EquilibriumTemperature(1, 0.3, 1e-300), 1.0e6);
  // (0.75 x 250^4 x (2 + 2/3 in float))^(1/4)
  EXPECT_DOUBLE_EQ(Survey::GreenhouseTemperature(250, 1, 0), 297.30177930444796);
  EXPECT_DOUBLE_EQ(Survey::GreenhouseTemperature(250, -1, 0), 0.0);
  Rig rig;
  rig.At(rig.w.BodyObliquity) = 210;
  EXPECT_NEAR(rig.survey.TiltFactor(), 0.4994011, 1e-7);  // |sin(210 x 0.01745)|
}

TEST(TemperaturesTest, Albedo) {
  // A giant 2d6 / 100 + 0.45; else (2d6 + 5) / 100 + sqrt(P) / 5, + d10 / 100 for a light icy
  // body (density below 0.4), + d20 / 100 more below 0.3; above 0.52 drawn again as 2d6 / 100
  // + 0.5, + 0.05 under carbon dioxide.
  struct Row {
    const char* name;
    const char* bodyClass;
    float pressure, density;
    const char* atmosphere;
    std::vector<float> draws;
    float albedo;
  };
  const float one = Die(1, 6), three = Die(3, 6), six = Die(6, 6);
  // clang-format off
  const Row rows[] = {
      {"giant", "J", 1, 1, "", {three, Die(4, 6)}, 0.52f},
      {"rocky", "T", 1, 1, "", {Die(2, 6), three}, 0.3f},
      {"negative pressure taken as 0", "T", -0.5f, 1, "", {one, one}, 0.07f},
      {"density 0.35", "T", 0, 0.35f, "", {one, one, Die(5, 10)}, 0.12f},
      {"density 0.25", "T", 0, 0.25f, "", {one, one, Die(10, 20), Die(5, 10)}, 0.22f},
      {"0.57 drawn again", "T", 4, 1, "Nitrogen", {six, six, three, three}, 0.56f},
      {"0.57 drawn again, carbon dioxide", "T", 4, 1, "Carbon Dioxide", {six, six, three, three},
       0.61f},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EarthRig rig;
    rig.At(rig.w.BodyClass) = row.bodyClass;
    rig.At(rig.w.BodyPressure) = row.pressure;
    rig.At(rig.w.BodyDensity) = row.density;
    rig.At(rig.w.BodyAtmosphere) = row.atmosphere;
    rig.Draws(row.draws);
    rig.survey.ComputeAlbedo();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyAlbedo), row.albedo);
    EXPECT_EQ(rig.At(rig.w.BodyPressure), std::max(row.pressure, 0.0f));
  }
}

}  // namespace
}  // namespace ax
