#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

// The rig's Earth with a little volcanism, its air not yet made.
struct AirRig : Rig {
  AirRig() { At(w.BodyVolcanism) = 0.5f; }
};

// The step the air went to first, read from what only that step leaves behind: the cold step
// its passes, the living world its times, the hot and dry steps their water vapour.
std::string FirstStep(AirRig& rig) {
  const std::string& air = rig.At(rig.w.BodyAtmosphere);
  if (air == "SubJovian" || air == "Primordial") return air;
  if (rig.survey.ColdPasses > 0) return "Cold";
  if (rig.survey.LifeOnsetTime > 0) return "Living";
  const bool vapour = rig.At(rig.w.BodyWaterVapor) > 0;
  if (rig.survey.AtmospherePasses > 0) return vapour ? "Hot" : "Thin";
  return vapour ? "Dry" : "Trace";
}

TEST(AtmosphereTest, PressureAlbedoAndTheRetentionLadder) {
  // P = sqrt(4d6 x m / 18), x ((age / 4 + V) / 10 + 1) when age / 4 + V > 1; albedo
  // (2d6 + 5) / 100 + sqrt(P) / 5. The index m / r / T, T the mean temperature less 10 K
  // (about 250 K at 1 AU for a thin air, 290 to 330 K for a thick one), picks the step: above
  // 0.00739 a small giant's air, else under 0.7 billion years a young one's, above 0.00041 the
  // habitability check (a warm Earth lives), above 0.000231 a thin air, else a trace: 10 P x
  // NarrowFactor + age / 2 x V bars of carbon dioxide, above 5 bars a hothouse (V), from 0.1 to 5
  // a dry world (W).
  struct Row {
    double mass;
    float age, volcanism;
    const char* step;
    const char* bodyClass;  // of a trace air
    float carbonDioxide;
  };
  const Row rows[] = {
      {4, 4.5f, 0.5f, "SubJovian", nullptr, 0},  // 0.0122
      {1, 0.5f, 0.5f, "Primordial", nullptr, 0},
      {1, 4.5f, 0.5f, "Living", nullptr, 0},   // 0.0034
      {0.08, 4.5f, 0.5f, "Thin", nullptr, 0},  // 0.00032
      // 0.00020; P = sqrt(0.05) x 1.1625 and x 1.2625.
      {0.05, 4.5f, 0.5f, "Trace", "W", 10 * 0.2236068f * 1.1625f + 1.125f},
      {0.05, 4.5f, 1.5f, "Trace", "V", 10 * 0.2236068f * 1.2625f + 3.375f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.step << " " << row.volcanism);
    AirRig rig;
    rig.w.SystemAge = row.age;
    rig.At(rig.w.BodyMass) = row.mass;
    rig.At(rig.w.BodyVolcanism) = row.volcanism;
    rig.Draws(ThenAny(
        {Die(3, 6), Die(4, 6), Die(5, 6), Die(6, 6), Die(3, 6), Die(4, 6), 0.5f, 0.5f, 0.0f}));
    rig.survey.MakeAtmosphere();
    const double outgassing = row.age / 4.0 + row.volcanism;
    const double p = std::sqrt(row.mass) * (outgassing > 1 ? outgassing / 10 + 1 : 1);
    EXPECT_FLOAT_EQ(rig.survey.SurveyPressure, static_cast<float>(p));
    EXPECT_EQ(FirstStep(rig), row.step);
    if (row.bodyClass != nullptr) {
      EXPECT_EQ(rig.At(rig.w.BodyAtmosphere), "Carbon Dioxide");
      EXPECT_FLOAT_EQ(rig.At(rig.w.BodyCarbonDioxide), row.carbonDioxide);
      EXPECT_EQ(rig.At(rig.w.BodyClass), row.bodyClass);
    }
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
  const Row rows[] = {
      {290, 0.005f, 300, 280, "G 2 V  ", "Dry"},  {385, 1.0f, 390, 300, "G 2 V  ", "Hot"},
      {300, 1.0f, 401, 250, "G 2 V  ", "Hot"},    {265, 1.0f, 300, 250, "G 2 V  ", "Cold"},
      {273, 1.0f, 290, 200, "G 2 V  ", "Living"}, {300, 0.1f, 320, 280, "G 2 V  ", "Hot"},
      {300, 1.0f, 320, 280, "K 6 III", "Hot"},
  };
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

}  // namespace
}  // namespace ax::test
