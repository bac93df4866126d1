#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax {
namespace {

using test::D100;
using test::Die;
using test::Rig;
using test::Script;
using test::ThenAny;

// The rig's Earth with a little volcanism, its air not yet made.
struct AirRig : Rig {
  AirRig() { At(w.BodyVolcanism) = 0.5f; }
};

// The step the air went to first, read from what only that step leaves behind: the cold step
// its passes (a cold world warmed by its new air may come to life after), the living world its
// times, the hot step (which also counts passes) and the dry step their water vapour; the trace
// step leaves neither passes nor vapour.
std::string FirstStep(AirRig& rig) {
  const std::string& air = rig.At(rig.w.BodyAtmosphere);
  if (air == "SubJovian" || air == "Primordial") return air;
  if (rig.survey.ColdPasses > 0) return "Cold";
  if (rig.survey.LifeOnsetTime > 0) return "Living";
  const bool vapour = rig.At(rig.w.BodyWaterVapor) > 0;
  if (rig.survey.AtmospherePasses > 0) return vapour ? "Hot" : "Thin";
  return vapour ? "Dry" : "Trace";
}

TEST(AtmosphereTest, GiantsTinyAndLockedBodiesAreSettledFirst) {
  // Above 4 masses a giant's air: albedo 2d6 / 100 + 0.45.
  AirRig giant;
  giant.At(giant.w.BodyMass) = 4.01;
  giant.Draws({Die(3, 6), Die(4, 6)});
  giant.survey.MakeAtmosphere();
  EXPECT_EQ(giant.At(giant.w.BodyAtmosphere), "Jovian");
  EXPECT_EQ(giant.At(giant.w.BodyClass), "J");
  EXPECT_FLOAT_EQ(giant.At(giant.w.BodyAlbedo), 0.52f);
  // Below 0.001 none, the class kept; albedo (2d6 + (1 - density) / 10) / 100, at least 0.03.
  AirRig tiny;
  tiny.At(tiny.w.BodyMass) = 0.0009;
  tiny.At(tiny.w.BodyClass) = "Z";
  tiny.At(tiny.w.BodyDensity) = 0.5f;
  tiny.Draws({Die(1, 6), Die(1, 6)});
  tiny.survey.MakeAtmosphere();
  EXPECT_EQ(tiny.At(tiny.w.BodyAtmosphere), "None");
  EXPECT_EQ(tiny.At(tiny.w.BodyClass), "Z");
  EXPECT_FLOAT_EQ(tiny.At(tiny.w.BodyAlbedo), 0.03f);
  // A world turning one face to its star, whichever way, freezes its air out: 12 / 100.
  AirRig locked;
  locked.At(locked.w.BodyDayLength) = -8766;
  locked.Draws({Die(6, 6), Die(6, 6)});
  locked.survey.MakeAtmosphere();
  EXPECT_EQ(locked.At(locked.w.BodyAtmosphere), "None");
  EXPECT_EQ(locked.At(locked.w.BodyClass), "T");
  EXPECT_FLOAT_EQ(locked.At(locked.w.BodyAlbedo), 0.12f);
  // A moon locked to its world keeps the air it has: only the survey pressure is taken.
  AirRig moon;
  moon.Select(1, 3, 1);
  moon.At(moon.w.BodyMass) = 0.5;
  moon.At(moon.w.BodyRadius) = 0.8f;
  moon.At(moon.w.BodyDayLength) = 100;
  moon.At(moon.w.BodyPeriod) = 100;
  moon.At(moon.w.BodyPressure) = 0.7f;
  moon.survey.MakeAtmosphere();
  EXPECT_EQ(moon.survey.SurveyPressure, 0.7f);
  EXPECT_EQ(moon.At(moon.w.BodyAtmosphere), "");
}

TEST(AtmosphereTest, PressureAlbedoAndTheRetentionLadder) {
  // P = sqrt(4d6 x m / 18), x ((age / 4 + V) / 10 + 1) when age / 4 + V > 1; albedo
  // (2d6 + 5) / 100 + sqrt(P) / 5. The index m / r / T, T the mean temperature less 10 K
  // (about 250 K at 1 AU for a thin air, 290 to 330 K for a thick one), picks the step: above
  // 0.00739 a small giant's air, else under 0.7 billion years a young one's, above 0.00041 the
  // habitability check (a warm Earth lives), above 0.000231 a thin air, else a trace.
  struct Row {
    double mass;
    float age;
    const char* step;
  };
  // clang-format off
  const Row rows[] = {
      {4, 4.5f, "SubJovian"},                        // 0.0122
      {1, 0.5f, "Primordial"}, {1, 4.5f, "Living"},  // 0.0034
      {0.08, 4.5f, "Thin"},                          // 0.00032
      {0.05, 4.5f, "Trace"},                         // 0.00020
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.step);
    AirRig rig;
    rig.w.SystemAge = row.age;
    rig.At(rig.w.BodyMass) = row.mass;
    rig.Draws(ThenAny({Die(3, 6), Die(4, 6), Die(5, 6), Die(6, 6), Die(3, 6), Die(4, 6)}));
    rig.survey.MakeAtmosphere();
    const double outgassing = row.age / 4.0 + 0.5;
    const double p = std::sqrt(row.mass) * (outgassing > 1 ? outgassing / 10 + 1 : 1);
    EXPECT_FLOAT_EQ(rig.survey.SurveyPressure, static_cast<float>(p));
    EXPECT_EQ(FirstStep(rig), row.step);
  }
}

TEST(AtmosphereTest, TraceOfCarbonDioxideNamesTheWorldByItsPressure) {
  // A trace air: 10 P x NarrowFactor + age / 2 x V bars of carbon dioxide. Above 5 bars it is a
  // hothouse (V), from 0.1 to 5 a dry world (W).
  struct Row {
    float volcanism;
    float carbonDioxide;
    const char* bodyClass;
  };
  // clang-format off
  const Row rows[] = {
      {0.5f, 10 * 0.2236068f * 1.1625f + 1.125f, "W"},  // P = sqrt(0.05) x 1.1625
      {1.5f, 10 * 0.2236068f * 1.2625f + 3.375f, "V"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bodyClass);
    AirRig rig;
    rig.At(rig.w.BodyMass) = 0.05;
    rig.At(rig.w.BodyVolcanism) = row.volcanism;
    rig.Draws(ThenAny(
        {Die(3, 6), Die(4, 6), Die(5, 6), Die(6, 6), Die(3, 6), Die(4, 6), 0.5f, 0.5f, 0.0f}));
    rig.survey.MakeAtmosphere();
    EXPECT_EQ(FirstStep(rig), "Trace");
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), "Carbon Dioxide");
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyCarbonDioxide), row.carbonDioxide);
    EXPECT_EQ(rig.At(rig.w.BodyClass), row.bodyClass);
  }
}

TEST(AtmosphereTest, HabitabilityCheckRoutes) {
  // Below water's triple point (0.006 bars) dry; above 380 K on average or 400 K on the hot
  // side hot; below 270, 280 or 170 cold; liquid water needs P / (T - 273) of 0.0067 up to
  // 358 K and P / (T - 358) of 0.028 above; and life a main-sequence star. Just at freezing
  // the mean is taken as 273.1 K.
  struct Row {
    float mean, pressure;
    std::int16_t high, low;
    const char* starType;
    const char* step;
  };
  // clang-format off
  const Row rows[] = {
      {290, 0.005f, 300, 280, "G 2 V  ", "Dry"}, {385, 1.0f, 390, 300, "G 2 V  ", "Hot"},
      {300, 1.0f, 401, 250, "G 2 V  ", "Hot"},   {265, 1.0f, 300, 250, "G 2 V  ", "Cold"},
      {300, 1.0f, 279, 250, "G 2 V  ", "Cold"},  {300, 1.0f, 300, 169, "G 2 V  ", "Cold"},
      {271, 1.0f, 290, 200, "G 2 V  ", "Hot"},   {273, 1.0f, 290, 200, "G 2 V  ", "Living"},
      {300, 0.1f, 320, 280, "G 2 V  ", "Hot"},   {370, 0.3f, 380, 300, "G 2 V  ", "Hot"},
      {300, 1.0f, 320, 280, "K 6 III", "Hot"},   {300, 1.0f, 320, 280, "G 2 V  ", "Living"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.mean << " K, " << row.pressure << " bars");
    AirRig rig;
    rig.w.StarType[1] = row.starType;
    rig.At(rig.w.BodyTempHigh) = row.high;
    rig.At(rig.w.BodyTempLow) = row.low;
    rig.survey.SurveyMeanTemp = row.mean;
    rig.survey.SurveyPressure = row.pressure;
    rig.Draws(ThenAny({}));
    rig.survey.CheckHabitability();
    EXPECT_EQ(FirstStep(rig), row.step);
    EXPECT_NE(rig.At(rig.w.BodyAtmosphere), "Habcheck");
  }
}

TEST(AtmosphereTest, DryAndHotAirs) {
  // Dry: P / (2 age + 30 + u) + V / 10 of carbon dioxide, P / (10 age + 150 + u) of nitrogen,
  // P / (25 age + 375 + u) of water vapour. Hot: (age + 65) P x NarrowFactor, (age / 20 + 3.25 P)
  // x NarrowFactor and 0.1 P x WideFactor, every factor 1 here; 73 bars keep it above 400 K.
  // Each pressure is the sum of its gases x (1 + u / 50).
  struct Row {
    float pressure;
    std::vector<float> draws;
    float carbonDioxide, nitrogen, vapour;
    int passes;
  };
  // clang-format off
  const Row rows[] = {
      {0.005f, {0.0f, 0.0f, 0.0f, 0.0f}, 0.005f / 39 + 0.05f, 0.005f / 195, 0.005f / 487.5f, 0},
      {1, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f}, 69.5f, 3.475f, 0.1f, 1},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pressure);
    AirRig rig;
    rig.At(rig.w.BodyTempHigh) = 390;
    rig.At(rig.w.BodyTempLow) = 300;
    rig.survey.SurveyMeanTemp = 385;
    rig.survey.SurveyPressure = row.pressure;
    rig.Draws(ThenAny(row.draws));
    rig.survey.CheckHabitability();
    EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), "Carbon Dioxide");
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyCarbonDioxide), row.carbonDioxide);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyNitrogen), row.nitrogen);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyWaterVapor), row.vapour);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyPressure), row.carbonDioxide + row.nitrogen + row.vapour);
    EXPECT_EQ(rig.survey.AtmospherePasses, row.passes);
  }
}

TEST(AtmosphereTest, PassChainsEndAtTheTenthPass) {
  // Half a bar at 1 AU: each pass of a thin air leaves some 4 bars of carbon dioxide, which keep
  // the world warm enough (above 200 and 150 K) for another pass, up to the tenth.
  AirRig thin;
  thin.At(thin.w.BodyTempHigh) = 250;
  thin.At(thin.w.BodyTempLow) = 200;
  thin.survey.SurveyPressure = 0.5f;
  thin.Draws(ThenAny({}));
  thin.survey.MakeThinAtmosphere();
  EXPECT_EQ(thin.survey.AtmospherePasses, 10);
  EXPECT_EQ(thin.At(thin.w.BodyAtmosphere), "Carbon Dioxide");
  // Too cold for any gas (high + low <= 160, low <= 35): airless, even on the tenth pass.
  AirRig frozen;
  frozen.At(frozen.w.BodyTempHigh) = 60;
  frozen.At(frozen.w.BodyTempLow) = 30;
  frozen.At(frozen.w.BodyAtmosphere) = "Habcheck";
  frozen.survey.SurveyPressure = 1;
  frozen.survey.AtmospherePasses = 9;
  frozen.Draws(ThenAny({}));
  frozen.survey.MakeColdAtmosphere();
  EXPECT_EQ(frozen.survey.AtmospherePasses, 10);
  EXPECT_EQ(frozen.At(frozen.w.BodyAtmosphere), "None");
}

TEST(AtmosphereTest, SubJovianGasesAndCloudLife) {
  // 2 bars at 4.9 billion years: (10 age + 700) P of hydrogen, (3 age + 200) P of helium, above
  // 100 K (age + 50) P of methane, above 230 K (age / 2 + 20) P of ammonia. Life: 24 + d100
  // above 100, then above 75, then d10 + age above 10 gives d5 + 1; at 6 a civilization may
  // arise: 4 + 96 = 100 is a living one, in the early stone age (54 - 20).
  AirRig rig;
  rig.w.SystemAge = 4.9f;
  rig.At(rig.w.BodyMass) = 3;
  rig.At(rig.w.BodyTempHigh) = 300;
  rig.survey.SurveyPressure = 2;
  rig.Draws(ThenAny({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f,  // gases
                     Die(3, 6), Die(4, 6),                                  // albedo
                     D100(80), D100(60), Die(7, 10), Die(5, 5),             // life
                     D100(96), Die(1, 400), D100(54)}));                    // civilization
  rig.survey.MakeSubJovianAtmosphere();
  EXPECT_EQ(rig.At(rig.w.BodyClass), "S");
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHydrogen), 1498);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyHelium), 429.4f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyMethane), 109.8f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyAmmonia), 44.9f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyPressure), 1498 + 429.4f + 109.8f + 44.9f);
  EXPECT_EQ(rig.At(rig.w.BodyLifeComplexity), 7);
  EXPECT_EQ(rig.At(rig.w.BodyTechEra), "Early Stone age");
  EXPECT_EQ(rig.At(rig.w.BodyLifeKind), "Subjovian life");
}

TEST(AtmosphereTest, PrimordialAirOfAYoungWorld) {
  // Q = 10 P x WideFactor + 1 / age = 12 bars at half a billion years; the volcanism rises by
  // d10 - 1. So much air (albedo 0.52 after the bright redraw) heats the day side to about
  // 510 K: water vapour (above 360 K), ammonia, methane, nitrogen and carbon dioxide at 0.04,
  // 0.08, 0.12, 0.25 and 1 x Q (each NarrowFactor 1), the retention allowing each.
  AirRig rig;
  rig.w.SystemAge = 0.5f;
  rig.survey.SurveyPressure = 1;
  rig.survey.RetentionIndex = 0.004;
  rig.Draws(ThenAny(Script({{0.5f, 0.5f, Die(4, 10)},
                            {Die(6, 6), Die(6, 6), Die(1, 6), Die(1, 6)},  // albedo
                            std::vector<float>(10, 0.5f),
                            {0.0f}})));
  rig.survey.MakePrimordialAtmosphere();
  EXPECT_EQ(rig.At(rig.w.BodyClass), "Y");
  EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), "Primordial");
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyVolcanism), 3.5f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyWaterVapor), 0.48f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyAmmonia), 0.96f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyMethane), 1.44f);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyNitrogen), 3);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyCarbonDioxide), 12);
  EXPECT_FLOAT_EQ(rig.At(rig.w.BodyPressure), 17.88f);
}

}  // namespace
}  // namespace ax
