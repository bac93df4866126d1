#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SurveyRig.h"

namespace ax::test {
namespace {

// What a world-mass step hands on to: nothing, a belt of bodies, or a world with particulars.
enum Made { kNothing, kBelt, kWorld };

TEST(WorldMassTest, MassFromDistanceWarmthAndLightAndTheClassItGives) {
  // Rocky: m = X^2 / a x (300 / T)^k x WideFactor (1 here), k = 2, 9 above 400 K, 12 above
  // 800 K; 0.0001 to 0.002 masses is a planetoid belt, above 4 a giant that marks a new snow
  // line. A giant of 300 masses at 1.5 AU on the snow line (orbit 6) sweeps it. Giant: m =
  // X^2.5 x 1500 / a, halved beyond 64, 32, 16 and 8 X; / 4 round a white dwarf; above 1000
  // divided by Int(m / 1000). Warm (above 70 K) it needs 0.5 masses; cold 0.1, and below 4 it is
  // an icy belt.
  struct Row {
    const char* worldClass;
    const char* starType;
    float luminosity;
    double axis;
    int temperature;
    std::vector<float> doubling;
    double mass;
    const char* bodyClass;
    Made made;
    int snowLine;
  };
  // clang-format off
  const Row rows[] = {
      {"T", "G 2 V  ", 1, 1, 1800, {D100(50)}, 4.593938222897851e-10, "", kNothing, 9},
      {"T", "G 2 V  ", 1, 1, 800, {D100(50)}, 0.0001466497778892517, "P", kBelt, 9},
      {"T", "G 2 V  ", 1, 1, 400, {D100(50)}, 0.5625, nullptr, kWorld, 9},     // 0.75^2
      {"T", "G 2 V  ", 1, 500, 300, {D100(21)}, 0.002, nullptr, kWorld, 9},
      {"T", "G 2 V  ", 1, 1 / 4.0001, 300, {D100(21)}, 4.0001, "J", kWorld, 4},
      {"T", "G 2 V  ", 1, 2, 300, {0.5f, 0.5f, D100(10), D100(50)}, 0, "", kNothing, 6},
      {"J", "G 2 V  ", 1, 3.0 / 7, 71, {D100(20), D100(21)}, 2333.3333333333335, "J", kWorld, 9},
      {"J", "A 0 D  ", 1, 10, 50, {D100(50)}, 18.75, "J", kWorld, 9},         // 150 / 4 / 2
      {"J", "A 0 D  ", 1, 40, 70, {D100(50)}, 1.171875, "I", kBelt, 9},       // 1500 / 40 / 4 / 8
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << row.worldClass << " " << row.temperature << " K at " << row.axis << " AU");
    Rig rig;
    rig.w.StarType[1] = row.starType;
    rig.w.StarLuminosity[1] = row.luminosity;
    rig.w.StarSurveyOrbit[1] = static_cast<std::int16_t>(row.snowLine == 6 ? 6 : 9);
    if (row.snowLine == 6) {
      rig.w.BodyClass(1, 6, 0) = "J";
      rig.w.BodyMass(1, 6, 0) = 300;
      rig.w.BodySemiMajorAxis(1, 6, 0) = 1.5;
    }
    // The world, of mass 3 until made, on orbit 4 at 6 billion years.
    rig.w.SystemAge = 6;
    rig.Select(1, 4);
    rig.At(rig.w.BodyClass) = row.worldClass;
    rig.At(rig.w.BodyMass) = 3;
    rig.At(rig.w.BodySemiMajorAxis) = row.axis;
    rig.At(rig.w.BodyTempHigh) = static_cast<std::int16_t>(row.temperature);
    rig.Draws(ThenAny(Script({kUnitFactor, row.doubling})));
    if (*row.worldClass == 'T') {
      rig.survey.MakeTerrestrialWorld();
    } else {
      rig.survey.MakeJovianWorld();
    }
    EXPECT_NEAR(rig.At(rig.w.BodyMass), row.mass, row.mass * 1e-12);
    if (row.bodyClass != nullptr) {  // nullptr: whatever its air made of it
      EXPECT_EQ(rig.At(rig.w.BodyClass), row.bodyClass);
    }
    EXPECT_EQ(rig.At(rig.w.BodyDensity) > 0, row.made == kWorld);
    if (row.made != kWorld) {
      EXPECT_EQ(rig.Moons() > 0, row.made == kBelt);
    }
    EXPECT_EQ(rig.w.StarSurveyOrbit[1], row.snowLine);
  }
}

TEST(LimitWorldMassTest, PartnerAndSnowLineGiantTakeTheirShare) {
  // A world of mass 1 at 2 AU on orbit 3 (X = 1) keeps q = (15 / R)^3 / 20 of its mass, times a
  // WideFactor, where R = a^2 M / (gap^3 X) weighs a neighbour of mass M gap AU further out
  // against its star: the partner (scale 0.5: 166500 masses) or the giant of 300 on the snow line.
  // A neighbour inside its path sweeps it; moons keep all.
  struct Row {
    const char* name;
    int starCount, body;
    const char* giantClass;
    double giantAxis;
    std::vector<float> draws;
    double mass;
  };
  // clang-format off
  const Row rows[] = {
      {"partner: R 114.20", 2, 0, "", 0, kUnitFactor, 0.00011331140899847982},
      {"giant: R 44.44, scatter 0.7 x 1.3", 1, 0, "J", 5, {0.25f, 0.75f},
       0.0019221679687500004 * 0.9099999999999998},
      {"giant inside", 1, 0, "J", 1.5, kUnitFactor, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig;
    rig.Draws(row.draws);
    rig.w.StarCount = static_cast<std::int16_t>(row.starCount);
    rig.w.StarSeparation = 20;
    rig.survey.OrbitScale = {1, 1, 0.5};
    rig.survey.PartnerStar = 2;
    rig.w.StarSurveyOrbit[1] = 6;
    rig.w.BodyClass(1, 6, 0) = row.giantClass;
    rig.w.BodyMass(1, 6, 0) = 300;
    rig.w.BodySemiMajorAxis(1, 6, 0) = row.giantAxis;
    rig.Select(1, 3, row.body);
    rig.At(rig.w.BodySemiMajorAxis) = 2;
    rig.At(rig.w.BodyMass) = 1;
    rig.survey.LimitWorldMass();
    EXPECT_EQ(rig.random.ScriptLeft(), 0u);
    EXPECT_DOUBLE_EQ(rig.At(rig.w.BodyMass), row.mass);
  }
}

TEST(PhysicalParticularsTest, DensityRadiusGravityAndTheRest) {
  // Density (m^2 + d4 + 2.5) x NarrowFactor / 10, + 0.3 above 250 K, - 0.2 below 150 K, + 0.2
  // round a white dwarf; / 1.5 for a cold body above 1 mass; above 1.8 x 0.85. Radius
  // (m / density)^(1/3), gravity density x radius. Then tilt e^(5.19 (u1 + u2) / 2); day
  // (d10 d6 + d10 d6 + 4) / 2 + age + u; rings Int(1.5 g) + 2d6 - 10; volcanism (2d6 - 5 - u) / 2
  // - age / 3 + moons / 2 + m^2 density; rare earths when 100 density + d100 + 3V > 180. The body
  // is moon 1 of the rig's Earth, which has 3 moons; at no distance from its world it feels no
  // tide. Each row: density 0.65 + 0.3, 0.65 / 1.5 and 2.75 x 0.85; tilt e^(5.19 x 0.4), day
  // 36 / 2 + 4.5 + 0.25, rings 1 + 12 - 10, volcanism 0.75 - 1.5 + 1.5 + 0.95, 95 + 90 + 5.1.
  struct Row {
    double mass;
    int tempHigh;
    const char* starType;
    float d4;
    float density, radius;
  };
  for (const Row& row : {Row{1, 288, "G 2 V  ", Die(3, 4), 0.95f, 1.0172448f},
                         Row{2, 100, "G 2 V  ", Die(2, 4), 0.43333334f, 1.6649555f},
                         Row{4, 300, "D 5 D  ", Die(4, 4), 2.3375f, 1.1961054f}}) {
    SCOPED_TRACE(row.mass);
    Rig rig;
    rig.w.StarType[1] = row.starType;
    rig.w.MoonCount[1][3] = 3;
    rig.Select(1, 3, 1);
    rig.At(rig.w.BodyClass) = "T";
    rig.At(rig.w.BodyMass) = row.mass;
    rig.At(rig.w.BodyTempHigh) = static_cast<std::int16_t>(row.tempHigh);
    rig.Draws(ThenAny({row.d4, 0.5f, 0.5f, 0.3f, 0.5f, 0.25f, Die(5, 10), Die(4, 6), Die(2, 10),
                       Die(6, 6), Die(6, 6), Die(6, 6), 0.5f, Die(4, 6), Die(3, 6), D100(90)}));
    rig.survey.PhysicalParticulars();
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDensity), row.density);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyRadius), row.radius);
    EXPECT_FLOAT_EQ(rig.At(rig.w.BodyGravity), row.density * row.radius);
    EXPECT_EQ(rig.Moons(), 3);  // a moon makes no moons of its own
    if (row.mass == 1) {
      EXPECT_TRUE(rig.At(rig.w.BodyRingSize) == 3 && rig.At(rig.w.BodyRareEarths) == "Yes");
      EXPECT_FLOAT_EQ(rig.At(rig.w.BodyObliquity), 7.972515f);
      EXPECT_FLOAT_EQ(rig.At(rig.w.BodyDayLength), 22.75f);
      EXPECT_FLOAT_EQ(rig.At(rig.w.BodyVolcanism), 1.7f);
    }
  }
}

}  // namespace
}  // namespace ax::test
