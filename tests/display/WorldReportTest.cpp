#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "display/Canvas.h"
#include "display/RecordingCanvas.h"
#include "display/WorldReport.h"
#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using Kind = RecordingCanvas::Kind;
using Call = RecordingCanvas::Call;

// Grid of the read-out: columns 3, 18, 33, 48, 63, 78, 93; lines 0, 1, 5, then 3n.
constexpr double kLine2 = 5;
double Line(int n) {
  return n == 0 ? 0 : n == 1 ? 1 : n == 2 ? 5 : 3.0 * n;
}
constexpr double kA = 12.5;  // name: (3 + 18 + 4) / 2
constexpr double kB = 11.5;  // class: (3 + 18 + 2) / 2
constexpr double kV = 25.5;  // values: (18 + 33) / 2
constexpr double kW = 40.5;  // age, density, local days: (33 + 48) / 2
constexpr double kR = 70.5;  // "Ring size:": (63 + 78) / 2
constexpr double kE = 86.5;  // orbital elements: (78 + 93) / 2 + 1
constexpr double kS = 83.5;  // semi-major axis: (78 + 93) / 2 - 2
constexpr double kG = 85.5;  // ring size: (78 + 93) / 2

class WorldReportTest : public testing::Test {
 protected:
  // Sol, a single G2 star of 4.6 billion years, with a belt on orbit 1, nothing on orbit 2, a
  // rocky world "Terra" on orbit 3 and a jovian on orbit 4.
  void SetUp() override {
    world->StarCount = 1;
    world->SystemName = "Sol";
    world->SystemAge = 4.6f;
    world->StarType[1] = "G 2 V  ";
    world->OrbitCount[1] = 4;
    world->BodyClass(1, 1, 0) = "P";
    world->BodyClass(1, 4, 0) = "J";
    Rocky(1, 3, 0);
    world->BodyName(1, 3, 0) = "Terra";
    Select(1, 3, 0);
  }

  void Rocky(int s, int o, int b) {
    World& w = *world;
    w.BodyClass(s, o, b) = "T";
    w.BodyRadius(s, o, b) = 1;
    w.BodyMass(s, o, b) = 1;
    w.BodyGravity(s, o, b) = 0.5f;
    w.BodyPeriod(s, o, b) = 8766;
    w.BodyDayLength(s, o, b) = 24;
    w.BodyObliquity(s, o, b) = 23.5f;
    w.BodyTempHigh(s, o, b) = 300;
    w.BodyTempLow(s, o, b) = 251;
    w.BodyAtmosphere(s, o, b) = "None";
    w.BodyVolcanism(s, o, b) = 0.25f;
    w.BodyDensity(s, o, b) = 1;
    w.BodySemiMajorAxis(s, o, b) = 1;
    w.BodyEccentricity(s, o, b) = 0.0167;
    w.BodyInclination(s, o, b) = 1.5;
    w.BodyAscendingNode(s, o, b) = 100.25;
    w.BodyPeriastronArgument(s, o, b) = 200.125;
    w.BodyPeriastronTime(s, o, b) = 0.25;
  }

  void Select(int s, int o, int b) {
    world->CurrentStar = static_cast<std::int16_t>(s);
    world->CurrentOrbit = static_cast<std::int16_t>(o);
    world->CurrentBody = static_cast<std::int16_t>(b);
  }

  void Show() {
    canvas.Reset();
    WorldReport(*world, canvas).ShowWorldReport();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Call& call : canvas.CallsOf(Kind::Text)) texts.push_back(call.text);
    return texts;
  }

  // The text printed at (x, y), or "(none)".
  std::string TextAt(double x, double y) const {
    for (const Call& call : canvas.CallsOf(Kind::Text)) {
      if (call.x1 == x && call.y1 == y) return call.text;
    }
    return "(none)";
  }

  void ExpectText(std::string_view text, double x, double y, int colour = 1) const {
    const Call* call = canvas.FindText(text);
    ASSERT_NE(call, nullptr) << "missing \"" << text << "\"";
    EXPECT_DOUBLE_EQ(call->x1, x) << text;
    EXPECT_DOUBLE_EQ(call->y1, y) << text;
    EXPECT_EQ(call->colour, PaletteColour(colour)) << text;
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  RecordingCanvas canvas;
};

TEST_F(WorldReportTest, RockyWorldLabelsAndValues) {
  Show();
  ASSERT_EQ(canvas.Calls().front().kind, Kind::Clear);
  EXPECT_EQ(canvas.Calls().front().colour, PaletteColour(7));
  ExpectText("Planet:", 3, Line(0));
  ExpectText("Terra", kA, Line(0));
  ExpectText("Class:", 3, kLine2);
  ExpectText("T", kB, kLine2);
  ExpectText("Radius:", 3, Line(3));
  ExpectText("6,378 Km", 18, Line(3));        // 1 x 6378 in "#,##0"
  ExpectText("1.000 Standard", 18, Line(4));  // mass below 1000 in "0.000"
  ExpectText("0.500 Standard", 18, Line(5));  // gravity
  ExpectText("1.000 Years", 18, Line(6));     // 8766 h / 8766
  ExpectText("24.00 Hours", 18, Line(7));
  ExpectText("23.50\xB0", 18, Line(8));
  ExpectText("Temp:", 3, Line(10));
  // 300 and 251 K; the mean 275.5 keeps its whole part.
  ExpectText("300 - 251\xB0 K  [275\xB0 K]", 18, Line(10));
  ExpectText("Atmosphere:", 3, Line(12));
  ExpectText("None", kV, Line(12));
  ExpectText("Volcanism:", 3, Line(28));
  ExpectText("0.25 Standard", kV, Line(28));
  ExpectText("Age: 4.60 Billion", kW, kLine2);
  ExpectText("Density:", kW, Line(4));
  ExpectText("    5.52", 48, Line(4));           // 1 x 5.52 g/cm3
  ExpectText("365.25 local days", kW, Line(6));  // 8766 h / 24 h
  for (const char* absent : {"Pressure:", "Water Cover:", "Life Complexity:", "Radiation Level:",
                             "Rare Earths plentiful", "Technological era:", "Class"}) {
    EXPECT_EQ(canvas.FindText(absent), nullptr) << absent;
  }
  EXPECT_EQ(TextAt(18, kLine2), "(none)");  // no habitability points
}

TEST_F(WorldReportTest, RockyWorldOrbitColumn) {
  Show();
  ExpectText("SemiMajor axis:", 63, Line(3));
  ExpectText("1.000 AU", kS, Line(3));
  ExpectText("Eccentricity:", 63, Line(4));
  ExpectText("0.017", kE, Line(4));
  ExpectText("Orbital inclination:", 63, Line(5));
  ExpectText("1.50\xB0", kE, Line(5));
  ExpectText("Long of asc node:", 63, Line(6));
  ExpectText("100.25\xB0", kE, Line(6));
  ExpectText("Arg of periastra:", 63, Line(7));
  ExpectText("200.13\xB0", kE, Line(7));  // 200.125 rounds half away from zero
  ExpectText("Time of periastra:", 63, Line(8));
  ExpectText("2000.750", kE, Line(8));  // (1 - 0.25) x 8766 / 8766 + 2000
  ExpectText("Ring size:", kR, Line(10));
  EXPECT_EQ(TextAt(kG, Line(10)), " 0");
  ExpectText("Moons:", 48, Line(10));
  EXPECT_EQ(TextAt(63, Line(10)), " 0");
}

TEST_F(WorldReportTest, DiagramFrameStarWorldsAndSelectionRing) {
  Show();
  const auto lines = canvas.CallsOf(Kind::Line);
  ASSERT_EQ(lines.size(), std::size_t{4});
  double left = 100, right = 0, top = 100, bottom = 0;
  for (const Call& line : lines) {
    EXPECT_EQ(line.colour, PaletteColour(0));
    left = std::min({left, line.x1, line.x2});
    right = std::max({right, line.x1, line.x2});
    top = std::min({top, line.y1, line.y2});
    bottom = std::max({bottom, line.y1, line.y2});
  }
  EXPECT_DOUBLE_EQ(left, 63);  // (ColX[5], LineY[1]) to (ColX[7] + 3, LineY[3])
  EXPECT_DOUBLE_EQ(right, 96);
  EXPECT_DOUBLE_EQ(top, 1);
  EXPECT_DOUBLE_EQ(bottom, 9);

  const auto discs = canvas.CallsOf(Kind::Disc);
  ASSERT_EQ(discs.size(), std::size_t{4});
  const double expected[4][2] = {{64.5, 1.0},   // the star at 63 + 1.5, a main-sequence size
                                 {67.0, 0.1},   // orbit 1 belt at 63 + 2 + 2
                                 {71.0, 0.3},   // orbit 3 rocky world; orbit 2 is empty
                                 {73.0, 0.5}};  // orbit 4 jovian
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(discs[i].x1, expected[i][0]) << i;
    EXPECT_DOUBLE_EQ(discs[i].y1, kLine2) << i;
    EXPECT_DOUBLE_EQ(discs[i].radius, expected[i][1]) << i;
  }
  const auto rings = canvas.CallsOf(Kind::Circle);
  ASSERT_EQ(rings.size(), std::size_t{1});
  EXPECT_DOUBLE_EQ(rings[0].x1, 71);  // round the selected orbit 3
  EXPECT_DOUBLE_EQ(rings[0].radius, 0.9);
  EXPECT_EQ(rings[0].colour, PaletteColour(15));
  // Text after the diagram is blue again.
  EXPECT_EQ(canvas.FindText("SemiMajor axis:")->colour, PaletteColour(1));
}

TEST_F(WorldReportTest, DiagramStarsOfAPairAndACompactStar) {
  world->StarCount = 2;
  world->StarType[1] = "G 2 V  ";
  world->StarType[2] = "A 5 D  ";
  world->OrbitCount[0] = 1;
  Rocky(0, 1, 0);
  Select(0, 1, 0);
  Show();
  auto discs = canvas.CallsOf(Kind::Disc);
  ASSERT_GE(discs.size(), std::size_t{2});
  EXPECT_DOUBLE_EQ(discs[0].x1, 63.5);  // star 1 at ColX[5] + 0.5
  EXPECT_DOUBLE_EQ(discs[0].radius, 0.5);
  EXPECT_DOUBLE_EQ(discs[1].x1, 65);  // star 2 at ColX[5] + 2
  EXPECT_DOUBLE_EQ(discs[1].radius, 0.5);
  EXPECT_EQ(world->CurrentStar, 0);

  world->OrbitCount[2] = 1;
  Rocky(2, 1, 0);
  Select(2, 1, 0);
  Show();
  discs = canvas.CallsOf(Kind::Disc);
  ASSERT_GE(discs.size(), std::size_t{1});
  EXPECT_DOUBLE_EQ(discs[0].x1, 64.5);
  EXPECT_DOUBLE_EQ(discs[0].radius, 0.3);  // luminosity letter "D": a white dwarf
}

TEST_F(WorldReportTest, MoonShowsRadiiAndTheMoonListWithTheSelectedMoonInYellow) {
  world->MoonCount[1][3] = 3;
  world->BodyClass(1, 3, 1) = "Z";
  world->BodyRadius(1, 3, 1) = 0.25f;  // 1594.5 km
  world->BodySemiMajorAxis(1, 3, 1) = 1.5;
  Rocky(1, 3, 2);
  world->BodyName(1, 3, 2) = "Luna";
  world->BodyRadius(1, 3, 2) = 0.1f;  // 637.8 km
  world->BodyClass(1, 3, 3) = "J";
  world->BodyRadius(1, 3, 3) = 2;
  world->BodySemiMajorAxis(1, 3, 3) = 60.25;
  Select(1, 3, 2);
  Show();

  ExpectText("Luna", kA, Line(0));
  ExpectText("1.000 Radii", kS, Line(3));  // a moon's axis is in its world's radii
  EXPECT_EQ(TextAt(63, Line(10)), " 3");
  ExpectText("Class", 48, Line(12));
  ExpectText("Radius", 63, Line(12));
  ExpectText("Orbit (Radii)", 78, Line(12));
  ExpectText("   Z", 48, Line(13));
  ExpectText("  1595", 63, Line(13));   // half away from zero
  ExpectText("   1.50", 78, Line(13));  // above 1: two decimals
  ExpectText("   T", 48, Line(14), 14);
  ExpectText("  638", 63, Line(14), 14);
  ExpectText("   1.000", 78, Line(14), 14);  // exactly 1: three decimals
  ExpectText("   J", 48, Line(15));
  ExpectText("   60.25", 78, Line(15));
  // The report leaves the selection as it found it.
  EXPECT_EQ(world->CurrentStar, 1);
  EXPECT_EQ(world->CurrentOrbit, 3);
  EXPECT_EQ(world->CurrentBody, 2);
}

TEST_F(WorldReportTest, BeltShowsOnlyItsOwnLines) {
  world->BodySemiMajorAxis(1, 1, 0) = 2.6;
  world->MoonCount[1][1] = 2;
  world->BodyClass(1, 1, 1) = "Z";
  world->BodyRadius(1, 1, 1) = 0.05f;  // 318.9 km
  world->BodySemiMajorAxis(1, 1, 1) = 2.5;
  world->BodyClass(1, 1, 2) = "Z";
  world->BodyRadius(1, 1, 2) = 0.02f;  // 127.56 km
  world->BodySemiMajorAxis(1, 1, 2) = 2.75;
  Select(1, 1, 0);
  Show();
  // The first world of Sol, named by default; the count is set off by two more blanks.
  // clang-format off
  const std::vector<std::string> expected = {
      "Planet:", "Class:", "Sol I ", "P",
      "Age: 4.60 Billion",
      "SemiMajor axis:", "Large bodies:", "2.600 AU", "   2",
      "Class", "Radius", "Orbit (AU)",
      "   Z", "  319", "   2.50",
      "   Z", "  128", "   2.75"};
  // clang-format on
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(TextAt(63, Line(10)), "   2");

  // A belt body is placed in AU too, not in radii.
  Select(1, 1, 1);
  Show();
  ExpectText("2.500 AU", kS, Line(3));
  ExpectText("   Z", 48, Line(13), 14);

  // Water on a belt is listed; its particulars still are not.
  world->BodyWaterCover(1, 1, 0) = 0.25f;
  Select(1, 1, 0);
  Show();
  ExpectText("Water Cover:", 3, Line(20));
  ExpectText("25.00 %", kV, Line(20));
  EXPECT_EQ(canvas.FindText("Radius:"), nullptr);
  EXPECT_EQ(canvas.FindText("Eccentricity:"), nullptr);
  EXPECT_EQ(canvas.FindText("Ring size:"), nullptr);
}

TEST_F(WorldReportTest, GasGiantHasNoVolcanismAndShowsItsRing) {
  Rocky(1, 4, 0);
  world->BodyClass(1, 4, 0) = "J";
  world->BodyMass(1, 4, 0) = 1500;
  world->BodyRingSize(1, 4, 0) = 3;
  Select(1, 4, 0);
  Show();
  ExpectText("1500.00 Standard", 18, Line(4));  // 1000 and above in "0.00"
  ExpectText("Radius:", 3, Line(3));
  EXPECT_EQ(TextAt(kG, Line(10)), " 3");
  EXPECT_EQ(canvas.FindText("Volcanism:"), nullptr);
  EXPECT_EQ(canvas.FindText("0.25 Standard"), nullptr);
}

TEST_F(WorldReportTest, OxygenWorldWithLifeTaintRadiationAndCivilizations) {
  World& w = *world;
  w.BodyClass(1, 3, 0) = "E";
  w.BodyAtmosphere(1, 3, 0) = "Oxygen";
  w.BodyPressure(1, 3, 0) = 1;
  w.BodyNitrogen(1, 3, 0) = 0.78f;
  w.BodyOxygen(1, 3, 0) = 0.21f;
  w.BodyWaterVapor(1, 3, 0) = 0.01f;
  w.BodyCarbonDioxide(1, 3, 0) = 0.0004f;
  w.BodyWaterCover(1, 3, 0) = 0.7f;
  w.BodyContinents(1, 3, 0) = 5;
  w.BodyLifeComplexity(1, 3, 0) = 5;
  w.BodyLifeKind(1, 3, 0) = "Animals";
  w.BodyLifeClassification(1, 3, 0) = "(Irritant taint)";
  w.BodyRadiation(1, 3, 0) = 0.35f;
  w.BodyHabitability(1, 3, 0) = 12.5f;
  w.BodyRareEarths(1, 3, 0) = "Y";
  w.BodyTechEra(1, 3, 0) = "Industrial";
  w.BodyExtinctEra(1, 3, 0) = "Bronze Age";
  Show();

  ExpectText("HP: 12.50", 18, kLine2);
  ExpectText("Pressure:", 3, Line(13));
  ExpectText("1.000 Bars", kV, Line(13));
  // Gases largest first from line 15: share of the pressure in "00.00", bars in "##00.000".
  ExpectText("Nitrogen:", 3, Line(15));
  ExpectText("78.00%    00.780b", kV, Line(15));
  ExpectText("Oxygen:", 3, Line(16));
  ExpectText("21.00%    00.210b", kV, Line(16));
  ExpectText("Water Vapor:", 3, Line(17));
  ExpectText("01.00%    00.010b", kV, Line(17));
  ExpectText("Carbon Dioxide:", 3, Line(18));
  ExpectText("00.04%    00.000b", kV, Line(18));
  EXPECT_EQ(canvas.FindText("Helium:"), nullptr);  // no helium, no line
  ExpectText("Water Cover:", 3, Line(20));
  ExpectText("70.00 %", kV, Line(20));
  ExpectText("Continents:", 3, Line(21));
  ExpectText("5", kV, Line(21));
  ExpectText("Life Complexity:", 3, Line(23));
  EXPECT_EQ(TextAt(kV, Line(23)), "5");
  ExpectText("Life Classification:", 3, Line(24));
  ExpectText("Complex Animals", kV, Line(24));
  ExpectText("   (Irritant taint)", 3, Line(25));
  ExpectText("Radiation Level:", 3, Line(27));
  ExpectText("0.35", kV, Line(27));
  ExpectText("Rare Earths plentiful", 3, Line(29), 4);
  ExpectText("Technological era:", 3, Line(30), 4);
  ExpectText("Industrial", 33, Line(30), 4);
  ExpectText("Extinct civilization era:", 3, Line(31), 4);
  ExpectText("Bronze Age", 33, Line(31), 4);
  ExpectText("Age: 4.60 Billion", kW, kLine2);  // blue again after the red lines
}

TEST_F(WorldReportTest, LifeGradeWords) {
  const std::vector<std::string> expected = {
      "Microbes",         "Prokaryote Microbes",     "Eukaryote Microbes",     "Metazoan Microbes",
      "Complex Microbes", "Highly complex Microbes", "Highly complex Microbes"};
  world->BodyLifeKind(1, 3, 0) = "Microbes";
  for (int grade = 1; grade <= 7; ++grade) {
    world->BodyLifeComplexity(1, 3, 0) = static_cast<std::int16_t>(grade);
    Show();
    EXPECT_EQ(TextAt(kV, Line(24)), expected[static_cast<std::size_t>(grade - 1)]) << grade;
    EXPECT_EQ(TextAt(kV, Line(23)), std::to_string(grade));
  }
}

TEST_F(WorldReportTest, GasTableOrderAndPressureThreshold) {
  World& w = *world;
  // Equal pressures keep the list's order: carbon dioxide, hydrogen, nitrogen, ..., water.
  for (auto* gas :
       {&w.BodyCarbonDioxide, &w.BodyHydrogen, &w.BodyNitrogen, &w.BodyHelium, &w.BodyOxygen,
        &w.BodyChlorine, &w.BodyMethane, &w.BodyAmmonia, &w.BodyWaterVapor}) {
    (*gas)(1, 3, 0) = 0.1f;
  }
  w.BodyWaterVapor(1, 3, 0) = 0.2f;
  w.BodyPressure(1, 3, 0) = 1;
  Show();
  const std::vector<std::string> order = {
      "Water Vapor:", "Carbon Dioxide:", "Hydrogen:", "Nitrogen:", "Helium:",
      "Oxygen:",      "Chlorine:",       "Methane:",  "Ammonia:"};
  for (std::size_t k = 0; k < order.size(); ++k) {
    EXPECT_EQ(TextAt(3, Line(15 + static_cast<int>(k))), order[k]) << k;
  }

  w.BodyPressure(1, 3, 0) = 0.001f;  // at the threshold: no pressure, no gases
  Show();
  EXPECT_EQ(canvas.FindText("Pressure:"), nullptr);
  EXPECT_EQ(canvas.FindText("Water Vapor:"), nullptr);
  w.BodyPressure(1, 3, 0) = 0.0011f;
  Show();
  ExpectText("Pressure:", 3, Line(13));
  ExpectText("0.001 Bars", kV, Line(13));
}

TEST_F(WorldReportTest, LocalDays) {
  const auto days = [this](double period, float day) {
    world->BodyPeriod(1, 3, 0) = period;
    world->BodyDayLength(1, 3, 0) = day;
    Show();
    return TextAt(kW, Line(6));
  };
  EXPECT_EQ(days(24, 24), "1.00 local day");               // a day as long as the year
  EXPECT_EQ(days(24 * 2.5e6, 24), "2.5X10^6 local days");  // above a million
  EXPECT_EQ(days(24 * 2500.0, 24), "2,500 local days");    // above a thousand
  EXPECT_EQ(days(12, 24), ".50 local days");               // "#,###.00" below one
  EXPECT_EQ(days(8766, 0), "(none)");                      // no rotation worked out
  EXPECT_EQ(days(0, 24), "(none)");                        // no period worked out
  EXPECT_EQ(days(1e300, 1e-30f), "(none)");                // no finite count
  // A locked day is the period stored in single precision.
  EXPECT_EQ(days(8766.3, 8766.3f), "1.00 local day");
}

TEST_F(WorldReportTest, DefaultNameOfAnUnnamedSystemIsShownThenCleared) {
  world->BodyName(1, 3, 0) = "";
  world->SystemName = "";
  Show();
  ExpectText("Star II ", kA, Line(0));  // orbit 3 is the second world: orbit 2 is empty
  EXPECT_EQ(world->BodyName(1, 3, 0), "");
  EXPECT_EQ(world->SystemName, "Star");

  world->SystemName = "Sol";
  Show();
  ExpectText("Sol II ", kA, Line(0));
  EXPECT_EQ(world->BodyName(1, 3, 0), "Sol II ");  // a real name is kept
}

TEST_F(WorldReportTest, SurveyedSystemsDrawOnlyFiniteValues) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    Random random(seed);
    ClearSystem(*world);
    GenerateStars(*world, random);
    Survey(*world, random).SurveySystem();
    for (int s = 0; s < kStarSlots; ++s) {
      for (int o = 1; o <= world->OrbitCount[static_cast<std::size_t>(s)]; ++o) {
        if (world->BodyClass(s, o, 0).empty()) continue;
        for (int b = 0;
             b <= world->MoonCount[static_cast<std::size_t>(s)][static_cast<std::size_t>(o)]; ++b) {
          Select(s, o, b);
          Show();
          EXPECT_EQ(world->CurrentOrbit, o);
          EXPECT_EQ(ReportLines(canvas).front().substr(0, 7), "Planet:");
          for (const Call& call : canvas.Calls()) {
            EXPECT_TRUE(std::isfinite(call.x1) && std::isfinite(call.y1));
            EXPECT_EQ(call.text.find("nan"), std::string::npos) << call.text;
            EXPECT_EQ(call.text.find("inf"), std::string::npos) << call.text;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace ax
