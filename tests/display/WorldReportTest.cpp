#include "display/WorldReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "display/RecordingCanvas.h"
#include "model/World.h"

namespace ax {
namespace {

// Terra, a rocky world on orbit 3 of Sol, a single star of 4.6 billion years.
class WorldReportTest : public testing::Test {
 protected:
  void SetUp() override {
    w.StarCount = 1;
    w.SystemName = "Sol";
    w.SystemAge = 4.6f;
    w.OrbitCount[1] = 3;
    w.CurrentStar = 1;
    w.CurrentOrbit = 3;
    w.BodyClass(1, 3, 0) = "T";
    w.BodyName(1, 3, 0) = "Terra";
    w.BodyRadius(1, 3, 0) = w.BodyDensity(1, 3, 0) = 1;
    w.BodyMass(1, 3, 0) = w.BodySemiMajorAxis(1, 3, 0) = 1;
    w.BodyPeriod(1, 3, 0) = 8766;
    w.BodyDayLength(1, 3, 0) = 24;
    w.BodyObliquity(1, 3, 0) = 23.5f;
    w.BodyTempHigh(1, 3, 0) = 300;
    w.BodyTempLow(1, 3, 0) = 251;
    w.BodyEccentricity(1, 3, 0) = 0.0167;
    w.BodyPeriastronArgument(1, 3, 0) = 200.125;
    w.BodyPeriastronTime(1, 3, 0) = 0.25;
  }
  // Draws the report and checks that its lines, read with runs of blanks taken as one, hold
  // each phrase: a value read beside its label, wherever the two are placed.
  void ExpectReads(const std::vector<std::string>& phrases) {
    canvas.Reset();
    WorldReport(w, canvas).ShowWorldReport();
    std::string text;
    for (const std::string& line : ReportLines(canvas)) {
      for (const char c : line + "\n") {
        if (c != ' ' || (!text.empty() && text.back() != ' ' && text.back() != '\n')) text += c;
      }
    }
    for (const std::string& phrase : phrases) EXPECT_NE(text.find(phrase), text.npos) << phrase;
  }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  RecordingCanvas canvas;
};

// Values worked by hand from the pictures of the read-out.
TEST_F(WorldReportTest, RockyWorldValues) {
  ExpectReads({"Planet: Terra", "Class: T Age: 4.60 Billion",
               "Radius: 6,378 Km",                           // 1 x 6378 in "#,##0"
               "Mass: 1.000 Standard Density: 5.52",         // below 1000 in "0.000"; 1 x 5.52
               "Year: 1.000 Years 365.25 local days",        // 8766 h / 8766; 8766 h / 24 h
               "Temp: 300 - 251\xC2\xB0 K [275\xC2\xB0 K]",  // the mean 275.5 keeps its whole part
               "Eccentricity: 0.017", "Arg of periastra: 200.13\xC2\xB0",  // half away from zero
               "Time of periastra: 2000.750"});      // (1 - 0.25) x 8766 / 8766 + 2000
  EXPECT_NE(canvas.FindText("23.50\xB0"), nullptr);  // drawn with the Latin-1 degree sign
  EXPECT_EQ(canvas.FindText("Pressure:"), nullptr);
}

// A moon's axis is in its world's radii; radii x 6378 round half away from zero; an axis above
// 1 takes two decimals, 1 itself three. The selected moon's line is yellow (palette 14).
TEST_F(WorldReportTest, MoonShowsRadiiAndTheMoonList) {
  w.MoonCount[1][3] = 3;
  w.BodyClass(1, 3, 1) = "Z";
  w.BodyRadius(1, 3, 1) = 0.25f;  // 1594.5 km
  w.BodySemiMajorAxis(1, 3, 1) = 1.5;
  w.BodyClass(1, 3, 2) = "T";
  w.BodyName(1, 3, 2) = "Luna";
  w.BodyRadius(1, 3, 2) = 0.1f;  // 637.8 km
  w.BodySemiMajorAxis(1, 3, 2) = 1;
  w.BodyClass(1, 3, 3) = "J";
  w.BodyRadius(1, 3, 3) = 2;
  w.BodySemiMajorAxis(1, 3, 3) = 60.25;
  w.CurrentBody = 2;
  ExpectReads({"Planet: Luna", "SemiMajor axis: 1.000 Radii", "Moons: 3",
               "Class Radius Orbit (Radii)", "Z 1595 1.50", "T 638 1.000", "J 12756 60.25"});
  const auto* selected = canvas.FindText("   1.000");
  ASSERT_NE(selected, nullptr);
  // Marked apart from the other moons, and dark enough to read on the light grey.
  const auto light = [](Colour c) { return 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue; };
  EXPECT_NE(selected->colour, canvas.FindText("   1.50")->colour);
  const Colour ground = canvas.CallsOf(RecordingCanvas::Kind::Clear).at(0).colour;
  EXPECT_GT(light(ground) - light(selected->colour), 96);
  EXPECT_EQ(w.CurrentBody, 2);
}

// Gases largest first, equal pressures in the list's order; each a share of the pressure in
// "00.00" and bars in "##00.000", and again in the shares table below. At the threshold of
// 0.001 bars there is no air to list.
TEST_F(WorldReportTest, GasTableOrderAndPressureThreshold) {
  for (BodyTable<float> World::*gas :
       {&World::BodyCarbonDioxide, &World::BodyHydrogen, &World::BodyNitrogen, &World::BodyHelium,
        &World::BodyOxygen, &World::BodyChlorine, &World::BodyMethane, &World::BodyAmmonia}) {
    (w.*gas)(1, 3, 0) = 0.1f;
  }
  w.BodyWaterVapor(1, 3, 0) = 0.2f;
  w.BodyPressure(1, 3, 0) = 1;
  ExpectReads({"Pressure: 1.000 Bars", "Water Vapor: 20.00% 00.200b", "Ammonia: 10.00% 00.100b",
               "Share Gas", "20.0% Water Vapor", "10.0% Ammonia"});
  const std::vector<std::string> order = {
      "Water Vapor:", "Carbon Dioxide:", "Hydrogen:", "Nitrogen:", "Helium:",
      "Oxygen:",      "Chlorine:",       "Methane:",  "Ammonia:"};
  std::vector<std::string> gases;
  for (const auto& call : canvas.CallsOf(RecordingCanvas::Kind::Text)) {
    if (std::find(order.begin(), order.end(), call.text) != order.end()) gases.push_back(call.text);
  }
  EXPECT_EQ(gases, order);
  w.BodyPressure(1, 3, 0) = 0.001f;
  ExpectReads({"Planet: Terra"});
  EXPECT_EQ(canvas.FindText("Water Vapor:"), nullptr);
}

// The report read as plain text lines, as the command line prints it. Columns are drawing
// units from the leftmost text: 12.5 - 3 rounds to 10, 40.5 - 3 to 38.
TEST(ReportLines, GroupsByRowOrdersByColumnAndConvertsTheDegreeSign) {
  RecordingCanvas canvas;
  canvas.Text(40.5, 5, "Age: 4.60 Billion", PaletteColour(1));
  canvas.Text(3, 5, "Class:", PaletteColour(1));
  canvas.Text(3, 0, "Planet:", PaletteColour(1));
  canvas.Text(12.5, 0, "Terra", PaletteColour(1));
  canvas.Text(18, 24, "23.50\xB0", PaletteColour(1));
  canvas.Line(63, 1, 96, 1, PaletteColour(0));  // not text
  canvas.Text(3, 30, "Extinct civilization era:", PaletteColour(4));
  canvas.Text(10, 30, "Bronze Age", PaletteColour(4));  // overlapping: one blank between
  canvas.Text(3, 33, "   indented   ", PaletteColour(1));
  const std::vector<std::string> expected = {"Planet:   Terra",
                                             "Class:" + std::string(32, ' ') + "Age: 4.60 Billion",
                                             std::string(15, ' ') + "23.50\xC2\xB0",
                                             "Extinct civilization era: Bronze Age", "   indented"};
  EXPECT_EQ(ReportLines(canvas), expected);
  EXPECT_TRUE(ReportLines(RecordingCanvas()).empty());
}

}  // namespace
}  // namespace ax
