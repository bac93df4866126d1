#include "render/QtCanvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPaintEngine>
#include <QPixmap>
#include <QRect>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace ax {
namespace {

constexpr Colour kRed{255, 0, 0};
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kBlue{0, 0, 255};
constexpr Colour kYellow{255, 255, 0};
constexpr Colour kWhite{255, 255, 255};
const QRgb kBlack = qRgb(0, 0, 0);

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

QRgb Rgb(Colour colour) {
  return qRgb(colour.red, colour.green, colour.blue);
}

// The smallest rectangle holding every pixel that is not black.
QRect LitArea(const QImage& image) {
  QRect area;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kBlack) area |= QRect(x, y, 1, 1);
    }
  }
  return area;
}

int LitPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixel(x, y) != kBlack ? 1 : 0;
    }
  }
  return count;
}

// On a 200 x 200 image under the 0..100 scale a unit is 2 pixels, and a user point lands on
// the pixel it falls in: (25, 75) is pixel (50, 150).
TEST(QtCanvasTest, PointAndLineLandOnTheirPixels) {
  QImage image = Blank(200, 200);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Point(25, 75, kWhite);
    canvas.Line(10, 50, 90, 50, kRed);   // row 100, columns 20..180
    canvas.Line(80, 10, 80, 30, kBlue);  // column 160, rows 20..60
  }
  EXPECT_EQ(image.pixel(50, 150), Rgb(kWhite));
  EXPECT_EQ(image.pixel(49, 150), kBlack);
  EXPECT_EQ(image.pixel(50, 151), kBlack);
  EXPECT_EQ(image.pixel(100, 100), Rgb(kRed));
  EXPECT_EQ(image.pixel(30, 100), Rgb(kRed));
  EXPECT_EQ(image.pixel(100, 99), kBlack);
  EXPECT_EQ(image.pixel(100, 101), kBlack);
  EXPECT_EQ(image.pixel(10, 100), kBlack);
  EXPECT_EQ(image.pixel(190, 100), kBlack);
  EXPECT_EQ(image.pixel(160, 40), Rgb(kBlue));
  EXPECT_EQ(image.pixel(160, 70), kBlack);
}

// A 400 x 200 image under the 0..100 scale: 4 pixels a unit across, 2 down. A radius of 10
// horizontal units is 40 pixels both ways; in vertical units it would be 20 down.
TEST(QtCanvasTest, DiscIsRoundInHorizontalUnitsAndFilledInItsColour) {
  QImage image = Blank(400, 200);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Disc(50, 50, 10, kGreen);  // centre pixel (200, 100)
  }
  EXPECT_EQ(image.pixel(200, 100), Rgb(kGreen));
  EXPECT_EQ(image.pixel(200, 135), Rgb(kGreen));
  EXPECT_EQ(image.pixel(235, 100), Rgb(kGreen));
  EXPECT_EQ(image.pixel(200, 145), kBlack);
  EXPECT_EQ(image.pixel(245, 100), kBlack);
  const QRect area = LitArea(image);
  EXPECT_NEAR(area.width(), 81, 2);
  EXPECT_NEAR(area.height(), 81, 2);
}

TEST(QtCanvasTest, CircleIsAnOutlineOfTheSameRoundness) {
  QImage image = Blank(400, 200);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Circle(50, 50, 10, kYellow);  // 40 pixels round pixel (200, 100)
  }
  EXPECT_EQ(image.pixel(200, 100), kBlack);
  EXPECT_EQ(image.pixel(200, 120), kBlack);
  const QRect area = LitArea(image);
  EXPECT_NEAR(area.center().x(), 200, 1);
  EXPECT_NEAR(area.center().y(), 100, 1);
  EXPECT_NEAR(area.width(), 81, 2);
  EXPECT_NEAR(area.height(), 81, 2);
  // Antialiased: the ring's pixels are yellow, some of them dimmed, never another hue.
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{240, 100}, {200, 140}}) {
    const QColor ring = image.pixelColor(x, y);
    EXPECT_GT(ring.red(), 100) << x << "," << y;
    EXPECT_EQ(ring.red(), ring.green()) << x << "," << y;
    EXPECT_EQ(ring.blue(), 0) << x << "," << y;
  }
}

// 400 x 400 under the 0..100 scale: (10, 20) is pixel (40, 80). The default font is a 40th of
// the height (10 pixels), so a line of text fits the report's 3 units (12 pixels).
TEST(QtCanvasTest, TextHangsFromItsTopLeftCornerInItsColour) {
  QImage image = Blank(400, 400);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Text(10, 20, "Planet: \xC1gy", kBlue);
  }
  const QRect area = LitArea(image);
  ASSERT_FALSE(area.isEmpty());
  EXPECT_GE(area.left(), 40);
  EXPECT_LE(area.left(), 43);
  EXPECT_GE(area.top(), 80);
  EXPECT_LE(area.bottom(), 80 + 12);
  EXPECT_GT(area.width(), 30);
  // Antialiased blue on black is blue alone.
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      ASSERT_EQ(pixel.red() + pixel.green(), 0) << x << "," << y;
    }
  }
}

// The byte 176 is the degree sign in Latin-1: a small ring high on the line. Read as UTF-8
// it would be a replacement mark the height of a capital.
TEST(QtCanvasTest, TextIsLatin1) {
  QImage degree = Blank(400, 400);
  QImage capital = Blank(400, 400);
  for (auto& [image, text] :
       std::vector<std::pair<QImage*, std::string>>{{&degree, "\xB0"}, {&capital, "H"}}) {
    QtCanvas canvas(*image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.SetFontSize(30);
    canvas.Text(10, 10, text, kWhite);
  }
  const QRect ring = LitArea(degree);
  const QRect letter = LitArea(capital);
  ASSERT_FALSE(ring.isEmpty());
  ASSERT_FALSE(letter.isEmpty());
  EXPECT_NEAR(ring.top(), letter.top(), 2);
  EXPECT_LT(ring.height() * 2, letter.height());
}

TEST(QtCanvasTest, ClearFillsTheWholeDeviceWhateverTheScale) {
  QImage image = Blank(50, 30);
  {
    QtCanvas canvas(image);
    canvas.SetScale(20, 20, 10, 10);
    canvas.Clear(PaletteColour(7));
  }
  const QRgb grey = qRgb(192, 192, 192);
  EXPECT_EQ(image.pixel(0, 0), grey);
  EXPECT_EQ(image.pixel(49, 0), grey);
  EXPECT_EQ(image.pixel(0, 29), grey);
  EXPECT_EQ(image.pixel(49, 29), grey);
}

TEST(QtCanvasTest, NoOpDrawsNothingAndCopyPenDrawsAgain) {
  QImage image = Blank(100, 100);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.SetDrawMode(DrawMode::NoOp);
    canvas.Point(50, 50, kWhite);
    canvas.Line(0, 0, 100, 100, kWhite);
    canvas.Circle(50, 50, 20, kWhite);
    canvas.Disc(50, 50, 10, kWhite);
    canvas.Text(10, 10, "Moons:", kWhite);
    canvas.Flush();
    EXPECT_EQ(LitPixels(image), 0);
    canvas.SetDrawMode(DrawMode::CopyPen);
    canvas.Point(50, 50, kWhite);
  }
  EXPECT_EQ(LitPixels(image), 1);
  EXPECT_EQ(image.pixel(50, 50), Rgb(kWhite));
}

TEST(QtCanvasTest, ZeroScaleAndNonFiniteCoordinatesDrawNothingAmiss) {
  QImage image = Blank(100, 100);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.SetScale(0, 0, 0, 100);  // no mapping: the 0..100 scale stays
    canvas.Line(0, std::nan(""), 50, 50, kWhite);
    canvas.Disc(50, 50, std::numeric_limits<double>::infinity(), kWhite);
    canvas.Point(1e300, 50, kWhite);
    canvas.SetFontSize(0);  // the font stays
    canvas.Point(30, 60, kRed);
  }
  EXPECT_EQ(LitPixels(image), 1);
  EXPECT_EQ(image.pixel(30, 60), Rgb(kRed));
}

// The batches keep the order of drawing: what is drawn later covers what was drawn before.
TEST(QtCanvasTest, BatchedLinesAndPointsKeepTheirPlaceInTheOrder) {
  QImage image = Blank(200, 200);
  {
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Line(0, 50, 100, 50, kRed);
    canvas.Line(50, 0, 50, 100, kRed);
    canvas.Disc(50, 50, 5, kGreen);  // covers the crossing at pixel (100, 100)
    canvas.Line(20, 20, 30, 20, kRed);
    canvas.Point(25, 20, kWhite);  // over the line just drawn: pixel (50, 40)
    canvas.Point(75, 75, kWhite);
    canvas.Disc(75, 75, 2, kBlue);         // covers the point at pixel (150, 150)
    canvas.Line(60, 80, 90, 80, kYellow);  // left in the batch for the destructor
  }
  EXPECT_EQ(image.pixel(100, 100), Rgb(kGreen));
  EXPECT_EQ(image.pixel(100, 60), Rgb(kRed));
  EXPECT_EQ(image.pixel(50, 40), Rgb(kWhite));
  EXPECT_EQ(image.pixel(45, 40), Rgb(kRed));
  EXPECT_EQ(image.pixel(150, 150), Rgb(kBlue));
  EXPECT_EQ(image.pixel(150, 160), Rgb(kYellow));
}

// A paint device whose engine writes down each call it gets, with the pen's colour.
class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  using QPaintEngine::drawEllipse;
  using QPaintEngine::drawLines;
  using QPaintEngine::drawPoints;
  using QPaintEngine::drawPolygon;
  using QPaintEngine::drawRects;

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  Type type() const override { return QPaintEngine::User; }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { Add("pixmap"); }
  void drawLines(const QLineF*, int count) override {
    Add("lines " + std::to_string(count) + " " + PenName());
  }
  void drawPoints(const QPointF*, int count) override {
    Add("points " + std::to_string(count) + " " + PenName());
  }
  void drawEllipse(const QRectF&) override { Add("ellipse " + PenName()); }
  void drawPath(const QPainterPath&) override { Add("path"); }
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override { Add("polygon"); }
  void drawRects(const QRectF*, int) override { Add("rects"); }
  void drawTextItem(const QPointF&, const QTextItem&) override { Add("text " + PenName()); }

  std::vector<std::string> calls;

 private:
  void Add(std::string call) { calls.push_back(std::move(call)); }
  std::string PenName() const { return painter()->pen().color().name().toStdString(); }
};

class RecordingDevice : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable RecordingEngine engine;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
      case PdmHeight: return 100;
      case PdmWidthMM:
      case PdmHeightMM: return 26;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 96;
      case PdmDepth: return 32;
      case PdmNumColors: return 0;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }
};

TEST(QtCanvasTest, RunsOfOneColourAreOneDrawLinesOrDrawPointsCall) {
  RecordingDevice device;
  {
    QtCanvas canvas(device);
    canvas.SetScale(0, 0, 100, 100);
    for (int k = 0; k < 3; ++k) canvas.Line(k, 0, k + 1, 10, kRed);
    canvas.Line(0, 0, 5, 5, kGreen);
    canvas.Point(1, 1, kGreen);
    canvas.Point(2, 2, kGreen);
    canvas.Text(10, 10, "Moons:", kBlue);
    canvas.Line(0, 0, 5, 5, kRed);
    canvas.SetDrawMode(DrawMode::NoOp);
    canvas.Line(0, 0, 5, 5, kRed);
    canvas.SetDrawMode(DrawMode::CopyPen);
    canvas.Line(0, 0, 5, 5, kRed);
    canvas.Disc(50, 50, 5, kWhite);
    canvas.Line(0, 0, 5, 5, kRed);
    canvas.Line(5, 5, 9, 9, kRed);
  }
  const std::vector<std::string> expected = {
      "lines 3 #ff0000", "lines 1 #00ff00", "points 2 #00ff00", "text #0000ff",
      "lines 1 #ff0000", "lines 1 #ff0000", "ellipse #ffffff",  "lines 2 #ff0000",
  };
  EXPECT_EQ(device.engine.calls, expected);
}

}  // namespace
}  // namespace ax

namespace ax {
namespace {

// Many points written straight into an image light exactly the pixels the painter would.
TEST(QtCanvasTest, ManyPointsLightTheSamePixelsAsThePainter) {
  std::vector<CanvasPoint> points;
  for (int i = 0; i < 500; ++i) points.push_back({(i * 37 % 1000) / 10.0, (i * 53 % 1000) / 10.0});
  points.push_back({100, 100});  // the far corner: just outside the image
  points.push_back({std::nan(""), 5});
  QImage direct = Blank(173, 131);
  QPixmap painted(173, 131);  // not an image: drawn through drawPoints
  painted.fill(Qt::black);
  for (QPaintDevice* device :
       {static_cast<QPaintDevice*>(&direct), static_cast<QPaintDevice*>(&painted)}) {
    QtCanvas canvas(*device);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Points(points, kYellow);
  }
  EXPECT_EQ(direct, painted.toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_GT(LitPixels(direct), 400);
}

// Small discs drawn in one call are stamped from a painted copy: the same size and place as
// single discs, within the quarter pixel the stamps are placed to (faint edge pixels aside).
TEST(QtCanvasTest, StampedDiscsMatchSingleDiscs) {
  const std::vector<CanvasPoint> centres = {{10.3, 20.7}, {50, 50}, {81.25, 33.3}};
  QImage stamped = Blank(400, 400);
  QImage single = Blank(400, 400);
  {
    QtCanvas canvas(stamped);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Discs(centres, 1.5, kGreen);
  }
  {
    QtCanvas canvas(single);
    canvas.SetScale(0, 0, 100, 100);
    for (const CanvasPoint& centre : centres) canvas.Disc(centre.x, centre.y, 1.5, kGreen);
  }
  // The pixels at least half lit, around one disc.
  const auto solid = [](const QImage& image, const CanvasPoint& centre) {
    QRect area;
    int count = 0;
    for (int y = static_cast<int>(centre.y * 4) - 10; y <= static_cast<int>(centre.y * 4) + 10;
         ++y) {
      for (int x = static_cast<int>(centre.x * 4) - 10; x <= static_cast<int>(centre.x * 4) + 10;
           ++x) {
        if (qGreen(image.pixel(x, y)) < 128) continue;
        area |= QRect(x, y, 1, 1);
        ++count;
      }
    }
    return std::pair(area, count);
  };
  for (const CanvasPoint& centre : centres) {
    const auto [a, aCount] = solid(stamped, centre);
    const auto [b, bCount] = solid(single, centre);
    EXPECT_NEAR(a.center().x(), b.center().x(), 1) << centre.x;
    EXPECT_NEAR(a.center().y(), b.center().y(), 1) << centre.y;
    EXPECT_NEAR(a.width(), b.width(), 1) << centre.x;
    EXPECT_NEAR(aCount, bCount, 8) << centre.x;  // a disc of 6 pixels' radius: about 113
  }
  EXPECT_EQ(stamped.pixel(200, 200), Rgb(kGreen));  // the middle of the disc at (50, 50)
}

}  // namespace
}  // namespace ax
