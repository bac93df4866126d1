#include "display/WorldReport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "display/Canvas.h"
#include "display/RecordingCanvas.h"
#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

using Kind = RecordingCanvas::Kind;
using Call = RecordingCanvas::Call;

// The classic palette: 1 blue text, 4 red highlights, 14 yellow for the selected moon.
constexpr Colour kBlue{0, 0, 128};
constexpr Colour kRed{128, 0, 0};
constexpr Colour kYellow{255, 255, 0};

class WorldReportTest : public testing::Test {
 protected:
  // Sol, a single G2 star of 4.6 billion years, with a belt on orbit 1, nothing on orbit 2, a
  // rocky world "Terra" on orbit 3 and a jovian on orbit 4.
  void SetUp() override {
    w.StarCount = 1;
    w.SystemName = "Sol";
    w.SystemAge = 4.6f;
    w.StarType[1] = "G 2 V  ";
    w.OrbitCount[1] = 4;
    w.BodyClass(1, 1, 0) = "P";
    w.BodyClass(1, 4, 0) = "J";
    Rocky(1, 3, 0);
    w.BodyName(1, 3, 0) = "Terra";
    Select(1, 3, 0);
  }

  void Rocky(int s, int o, int b) {
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
    w.CurrentStar = static_cast<std::int16_t>(s);
    w.CurrentOrbit = static_cast<std::int16_t>(o);
    w.CurrentBody = static_cast<std::int16_t>(b);
  }

  void Show() {
    canvas.Reset();
    WorldReport(w, canvas).ShowWorldReport();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Call& call : canvas.CallsOf(Kind::Text)) texts.push_back(call.text);
    return texts;
  }

  // Each text is printed exactly as given, in its colour.
  void ExpectTexts(const std::vector<std::string>& texts, Colour colour = kBlue) const {
    for (const std::string& text : texts) {
      const Call* call = canvas.FindText(text);
      ASSERT_NE(call, nullptr) << "missing \"" << text << "\"";
      EXPECT_EQ(call->colour, colour) << text;
    }
  }

  // Whether a line of the report, read left to right with its runs of blanks taken as one,
  // holds the phrase: a value read beside its label, wherever the two are placed.
  bool Reads(const std::string& phrase) const {
    for (const std::string& line : ReportLines(canvas)) {
      std::string read;
      for (const char c : line) {
        if (c != ' ' || (!read.empty() && read.back() != ' ')) read += c;
      }
      if (read.find(phrase) != std::string::npos) return true;
    }
    return false;
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  RecordingCanvas canvas;
};

// Values read beside their labels, worked by hand from the pictures of the read-out.
TEST_F(WorldReportTest, RockyWorldValues) {
  Show();
  ASSERT_EQ(canvas.Calls().front().kind, Kind::Clear);
  EXPECT_EQ(canvas.Calls().front().colour, (Colour{192, 192, 192}));  // palette 7
  for (const char* phrase :
       {"Planet: Terra", "Class: T Age: 4.60 Billion",
        "Radius: 6,378 Km",                    // 1 x 6378 in "#,##0"
        "Mass: 1.000 Standard Density: 5.52",  // below 1000 in "0.000"; 1 x 5.52
        "Gravity: 0.500 Standard",
        "Year: 1.000 Years 365.25 local days",  // 8766 h / 8766; 8766 h / 24 h
        "Day: 24.00 Hours", "Obliquity: 23.50\xC2\xB0",
        "Temp: 300 - 251\xC2\xB0 K [275\xC2\xB0 K]",  // the mean 275.5 keeps its whole part
        "Atmosphere: None", "Volcanism: 0.25 Standard",
        // The orbit column.
        "SemiMajor axis: 1.000 AU", "Eccentricity: 0.017", "Orbital inclination: 1.50\xC2\xB0",
        "Long of asc node: 100.25\xC2\xB0",
        "Arg of periastra: 200.13\xC2\xB0",  // 200.125 rounds half away from zero
        "Time of periastra: 2000.750",       // (1 - 0.25) x 8766 / 8766 + 2000
        "Moons: 0 Ring size: 0"}) {
    EXPECT_TRUE(Reads(phrase)) << phrase;
  }
  ExpectTexts({"23.50\xB0", "    5.52"});  // Latin-1 degree sign; four blanks before the density
  for (const char* absent : {"Pressure:", "Water Cover:", "Life Complexity:", "Radiation Level:",
                             "Rare Earths plentiful", "Technological era:", "Class"}) {
    EXPECT_EQ(canvas.FindText(absent), nullptr) << absent;
  }
  for (const std::string& text : Texts()) EXPECT_FALSE(text.starts_with("HP:")) << text;
}

TEST_F(WorldReportTest, MoonShowsRadiiAndTheMoonListWithTheSelectedMoonInYellow) {
  w.MoonCount[1][3] = 3;
  w.BodyClass(1, 3, 1) = "Z";
  w.BodyRadius(1, 3, 1) = 0.25f;  // 1594.5 km
  w.BodySemiMajorAxis(1, 3, 1) = 1.5;
  Rocky(1, 3, 2);
  w.BodyName(1, 3, 2) = "Luna";
  w.BodyRadius(1, 3, 2) = 0.1f;  // 637.8 km
  w.BodyClass(1, 3, 3) = "J";
  w.BodyRadius(1, 3, 3) = 2;
  w.BodySemiMajorAxis(1, 3, 3) = 60.25;
  Select(1, 3, 2);
  Show();

  // A moon's axis is in its world's radii; radii x 6378 round half away from zero; an axis
  // above 1 takes two decimals, 1 itself three.
  for (const char* phrase :
       {"Planet: Luna", "SemiMajor axis: 1.000 Radii", "Moons: 3", "Class Radius Orbit (Radii)",
        "Z 1595 1.50", "T 638 1.000", "J 12756 60.25"}) {
    EXPECT_TRUE(Reads(phrase)) << phrase;
  }
  ExpectTexts({"   T", "  638", "   1.000"}, kYellow);
  ExpectTexts({"   Z", "  1595", "   1.50"});
  EXPECT_EQ(w.CurrentStar, 1);
  EXPECT_EQ(w.CurrentOrbit, 3);
  EXPECT_EQ(w.CurrentBody, 2);
}

TEST_F(WorldReportTest, BeltShowsOnlyItsOwnLines) {
  w.BodySemiMajorAxis(1, 1, 0) = 2.6;
  w.MoonCount[1][1] = 2;
  w.BodyClass(1, 1, 1) = "Z";
  w.BodyRadius(1, 1, 1) = 0.05f;  // 318.9 km
  w.BodySemiMajorAxis(1, 1, 1) = 2.5;
  w.BodyClass(1, 1, 2) = "Z";
  w.BodyRadius(1, 1, 2) = 0.02f;  // 127.56 km
  w.BodySemiMajorAxis(1, 1, 2) = 2.75;
  Select(1, 1, 0);
  Show();
  // The first world of Sol, named by default; the count is set off by two more blanks; radii
  // x 6378 are 318.9 and 127.56 km.
  for (const char* phrase :
       {"Planet: Sol I", "Class: P", "SemiMajor axis: 2.600 AU", "Large bodies: 2",
        "Class Radius Orbit (AU)", "Z 319 2.50", "Z 128 2.75"}) {
    EXPECT_TRUE(Reads(phrase)) << phrase;
  }
  ExpectTexts({"Sol I ", "   2"});
  for (const char* absent : {"Radius:", "Eccentricity:", "Ring size:", "Density:", "Volcanism:"}) {
    EXPECT_EQ(canvas.FindText(absent), nullptr) << absent;
  }

  // A belt body is placed in AU too, not in radii.
  Select(1, 1, 1);
  Show();
  ExpectTexts({"2.500 AU"});
  ExpectTexts({"   Z"}, kYellow);

  // Water on a belt is listed; its particulars still are not.
  w.BodyWaterCover(1, 1, 0) = 0.25f;
  Select(1, 1, 0);
  Show();
  EXPECT_TRUE(Reads("Water Cover: 25.00 %"));
  EXPECT_EQ(canvas.FindText("Radius:"), nullptr);
}

TEST_F(WorldReportTest, GasGiantHasNoVolcanismAndShowsItsRing) {
  Rocky(1, 4, 0);
  w.BodyClass(1, 4, 0) = "J";
  w.BodyMass(1, 4, 0) = 1500;
  w.BodyRingSize(1, 4, 0) = 3;
  Select(1, 4, 0);
  Show();
  ExpectTexts({"1500.00 Standard", "Radius:"});  // 1000 and above in "0.00"
  EXPECT_TRUE(Reads("Ring size: 3"));
  EXPECT_EQ(canvas.FindText("Volcanism:"), nullptr);
  EXPECT_EQ(canvas.FindText("0.25 Standard"), nullptr);
}

TEST_F(WorldReportTest, OxygenWorldWithLifeTaintRadiationAndCivilizations) {
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

  // Gases largest first: share of the pressure in "00.00", bars in "##00.000".
  for (const char* phrase :
       {"Pressure: 1.000 Bars", "Nitrogen: 78.00% 00.780b", "Oxygen: 21.00% 00.210b",
        "Water Vapor: 01.00% 00.010b", "Carbon Dioxide: 00.04% 00.000b", "Water Cover: 70.00 %",
        "Continents: 5", "Life Complexity: 5", "Life Classification: Complex Animals",
        "Radiation Level: 0.35"}) {
    EXPECT_TRUE(Reads(phrase)) << phrase;
  }
  ExpectTexts({"HP: 12.50", "78.00%    00.780b", "   (Irritant taint)"});
  EXPECT_EQ(canvas.FindText("Helium:"), nullptr);  // no helium, no line
  ExpectTexts({"Rare Earths plentiful", "Technological era:", "Industrial",
               "Extinct civilization era:", "Bronze Age"},
              kRed);
  ExpectTexts({"Age: 4.60 Billion"});  // blue again after the red lines

  // Grade 1 has no word before the kind of life; grades above 6 read as 6.
  for (const auto& [grade, words] : {std::pair(1, "Microbes"), std::pair(2, "Prokaryote Microbes"),
                                     std::pair(7, "Highly complex Microbes")}) {
    w.BodyLifeComplexity(1, 3, 0) = static_cast<std::int16_t>(grade);
    w.BodyLifeKind(1, 3, 0) = "Microbes";
    Show();
    EXPECT_NE(canvas.FindText(words), nullptr) << grade;
    EXPECT_TRUE(Reads("Life Complexity: " + std::to_string(grade))) << grade;
  }
}

TEST_F(WorldReportTest, GasTableOrderAndPressureThreshold) {
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
  std::vector<std::string> gases;
  for (const std::string& text : Texts()) {
    for (const std::string& gas : order) {
      if (text == gas) gases.push_back(text);
    }
  }
  EXPECT_EQ(gases, order);

  w.BodyPressure(1, 3, 0) = 0.001f;  // at the threshold: no pressure, no gases
  Show();
  EXPECT_EQ(canvas.FindText("Pressure:"), nullptr);
  EXPECT_EQ(canvas.FindText("Water Vapor:"), nullptr);
  w.BodyPressure(1, 3, 0) = 0.0011f;
  Show();
  EXPECT_TRUE(Reads("Pressure: 0.001 Bars"));
}

TEST_F(WorldReportTest, LocalDays) {
  const auto days = [this](double period, float day) {
    w.BodyPeriod(1, 3, 0) = period;
    w.BodyDayLength(1, 3, 0) = day;
    Show();
    for (const std::string& text : Texts()) {
      if (text.find("local day") != std::string::npos) return text;
    }
    return std::string("(none)");
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
  w.BodyName(1, 3, 0) = "";
  w.SystemName = "";
  Show();
  ExpectTexts({"Star II "});  // orbit 3 is the second world: orbit 2 is empty
  EXPECT_EQ(w.BodyName(1, 3, 0), "");
  EXPECT_EQ(w.SystemName, "Star");

  w.SystemName = "Sol";
  Show();
  ExpectTexts({"Sol II "});
  EXPECT_EQ(w.BodyName(1, 3, 0), "Sol II ");  // a real name is kept
}

TEST_F(WorldReportTest, SurveyedSystemsDrawOnlyFiniteValues) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    Random random(seed);
    ClearSystem(w);
    GenerateStars(w, random);
    Survey(w, random).SurveySystem();
    for (int s = 0; s < kStarSlots; ++s) {
      for (int o = 1; o <= w.OrbitCount[static_cast<std::size_t>(s)]; ++o) {
        if (w.BodyClass(s, o, 0).empty()) continue;
        for (int b = 0; b <= w.MoonCount[static_cast<std::size_t>(s)][static_cast<std::size_t>(o)];
             ++b) {
          Select(s, o, b);
          Show();
          EXPECT_EQ(std::tie(w.CurrentStar, w.CurrentOrbit, w.CurrentBody),
                    std::make_tuple(std::int16_t(s), std::int16_t(o), std::int16_t(b)));
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

// The report read as plain text lines, as the command line prints it.
TEST(ReportLines, GroupsByRowOrdersByColumnAndConvertsTheDegreeSign) {
  RecordingCanvas canvas;
  canvas.Text(40.5, 5, "Age: 4.60 Billion", PaletteColour(1));
  canvas.Text(3, 5, "Class:", PaletteColour(1));
  canvas.Text(3, 0, "Planet:", PaletteColour(1));
  canvas.Text(12.5, 0, "Terra", PaletteColour(1));
  canvas.Text(11.5, 5, "T", PaletteColour(1));
  canvas.Text(18, 24, "23.50\xB0", PaletteColour(1));
  canvas.Line(63, 1, 96, 1, PaletteColour(0));  // not text
  canvas.Text(3, 30, "Extinct civilization era:", PaletteColour(4));
  canvas.Text(10, 30, "Bronze Age", PaletteColour(4));  // overlapping: one blank between
  canvas.Text(3, 33, "   indented   ", PaletteColour(1));
  // Columns are drawing units from the leftmost text: 12.5 - 3 rounds to 10, 11.5 - 3 to 9.
  // Age at 40.5 - 3, rounded to column 38: 28 blanks after "Class:   T".
  const std::vector<std::string> expected = {
      "Planet:   Terra",
      "Class:   T" + std::string(28, ' ') + "Age: 4.60 Billion",
      std::string(15, ' ') + "23.50\xC2\xB0",
      "Extinct civilization era: Bronze Age",
      "   indented",
  };
  EXPECT_EQ(ReportLines(canvas), expected);
  EXPECT_TRUE(ReportLines(RecordingCanvas()).empty());
}

}  // namespace
}  // namespace ax
