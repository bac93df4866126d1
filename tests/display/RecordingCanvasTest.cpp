#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "display/Canvas.h"
#include "display/RecordingCanvas.h"
#include "display/WorldReport.h"

namespace ax {
namespace {

using Kind = RecordingCanvas::Kind;

TEST(RecordingCanvas, RecordsEveryCallInOrderWithItsValues) {
  RecordingCanvas canvas;
  canvas.SetScale(0, 0, 100, 100);
  canvas.Clear(PaletteColour(7));
  canvas.Line(63, 1, 96, 1, PaletteColour(0));
  canvas.Disc(64.5, 5, 1, PaletteColour(14));
  canvas.Circle(67, 5, 0.9, PaletteColour(15));
  canvas.Point(10, 20, PaletteColour(10));
  canvas.Text(3, 9, "Radius:", PaletteColour(1));

  const auto& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), std::size_t{7});
  EXPECT_EQ(calls[0].kind, Kind::Scale);
  EXPECT_DOUBLE_EQ(calls[0].x2, 100);
  EXPECT_DOUBLE_EQ(calls[0].y2, 100);
  EXPECT_EQ(calls[1].kind, Kind::Clear);
  EXPECT_EQ(calls[1].colour, (Colour{192, 192, 192}));  // palette 7, light grey
  EXPECT_EQ(calls[2].kind, Kind::Line);
  EXPECT_DOUBLE_EQ(calls[2].x1, 63);
  EXPECT_DOUBLE_EQ(calls[2].x2, 96);
  EXPECT_EQ(calls[3].kind, Kind::Disc);
  EXPECT_DOUBLE_EQ(calls[3].radius, 1);
  EXPECT_EQ(calls[4].kind, Kind::Circle);
  EXPECT_DOUBLE_EQ(calls[4].radius, 0.9);
  EXPECT_EQ(calls[4].colour, (Colour{255, 255, 255}));  // palette 15, white
  EXPECT_EQ(calls[5].kind, Kind::Point);
  EXPECT_EQ(calls[6].kind, Kind::Text);
  EXPECT_EQ(calls[6].text, "Radius:");
  EXPECT_DOUBLE_EQ(calls[6].y1, 9);
  EXPECT_EQ(calls[6].colour, (Colour{0, 0, 128}));  // palette 1, blue
}

TEST(RecordingCanvas, CallsOfAndFindTextSelect) {
  RecordingCanvas canvas;
  canvas.Text(3, 0, "Planet:", PaletteColour(1));
  canvas.Line(0, 0, 1, 1, PaletteColour(0));
  canvas.Text(3, 5, "Class:", PaletteColour(1));
  canvas.Text(40, 5, "Class:", PaletteColour(4));

  EXPECT_EQ(canvas.CallsOf(Kind::Text).size(), std::size_t{3});
  EXPECT_EQ(canvas.CallsOf(Kind::Line).size(), std::size_t{1});
  EXPECT_EQ(canvas.CallsOf(Kind::Disc).size(), std::size_t{0});
  // The first of two equal texts is found.
  const auto* found = canvas.FindText("Class:");
  ASSERT_NE(found, nullptr);
  EXPECT_DOUBLE_EQ(found->x1, 3);
  EXPECT_EQ(canvas.FindText("Class"), nullptr);  // exact text only

  canvas.Reset();
  EXPECT_TRUE(canvas.Calls().empty());
}

TEST(RecordingCanvas, KeepsTheDrawModeAndFontSizeOfEachCall) {
  RecordingCanvas canvas;
  canvas.SetFontSize(8);
  canvas.SetDrawMode(DrawMode::NoOp);
  canvas.Line(0, 0, 1, 1, PaletteColour(10));
  canvas.SetDrawMode(DrawMode::CopyPen);
  canvas.SetFontSize(12);
  canvas.Text(1, 1, "\xB0", PaletteColour(1));

  const auto& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), std::size_t{2});
  EXPECT_EQ(calls[0].mode, DrawMode::NoOp);
  EXPECT_DOUBLE_EQ(calls[0].fontSize, 8);
  EXPECT_EQ(calls[1].mode, DrawMode::CopyPen);
  EXPECT_DOUBLE_EQ(calls[1].fontSize, 12);
  EXPECT_EQ(calls[1].text, "\xB0");  // Latin-1 bytes are kept as they are
}

TEST(PaletteColour, ClassicSixteenColours) {
  EXPECT_EQ(PaletteColour(0), (Colour{0, 0, 0}));
  EXPECT_EQ(PaletteColour(4), (Colour{128, 0, 0}));
  EXPECT_EQ(PaletteColour(10), (Colour{0, 255, 0}));
  EXPECT_EQ(PaletteColour(14), (Colour{255, 255, 0}));
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
  // Columns are drawing units from the leftmost text: 12.5 - 3 rounds to 10, 11.5 - 3 to 9.
  // Age at 40.5 - 3, rounded to column 38: 28 blanks after "Class:   T".
  const std::vector<std::string> expected = {
      "Planet:   Terra",
      "Class:   T" + std::string(28, ' ') + "Age: 4.60 Billion",
      std::string(15, ' ') + "23.50\xC2\xB0",
  };
  EXPECT_EQ(ReportLines(canvas), expected);
}

TEST(ReportLines, OverlappingPiecesKeepABlankBetweenThem) {
  RecordingCanvas canvas;
  canvas.Text(3, 9, "Extinct civilization era:", PaletteColour(4));
  canvas.Text(10, 9, "Bronze Age", PaletteColour(4));
  canvas.Text(3, 12, "   indented   ", PaletteColour(1));
  const std::vector<std::string> expected = {"Extinct civilization era: Bronze Age", "   indented"};
  EXPECT_EQ(ReportLines(canvas), expected);
  EXPECT_TRUE(ReportLines(RecordingCanvas()).empty());
}

}  // namespace
}  // namespace ax
