#include "render/QtCanvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <cmath>
#include <functional>
#include <limits>
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

QRgb Rgb(Colour colour) {
  return qRgb(colour.red, colour.green, colour.blue);
}

// A black image of this size drawn on under the 0..100 scale.
QImage Drawn(int width, int height, const std::function<void(QtCanvas&)>& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::black);
  QtCanvas canvas(image);
  canvas.SetScale(0, 0, 100, 100);
  draw(canvas);
  return image;
}

// The smallest rectangle holding every pixel that is not black, and their count.
std::pair<QRect, int> Lit(const QImage& image) {
  QRect area;
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kBlack) continue;
      area |= QRect(x, y, 1, 1);
      ++count;
    }
  }
  return {area, count};
}

// A user point lands on the pixel it falls in; on 400 x 200 a unit is 4 pixels across and 2
// down, and a radius is in horizontal units both ways, so 10 units are 40 pixels round.
TEST(QtCanvasTest, EachPrimitiveLandsOnItsPixels) {
  const QImage lines = Drawn(200, 200, [](QtCanvas& canvas) {
    EXPECT_EQ(canvas.PixelsPerUnit(), 2);
    canvas.Point(25, 75, kWhite);       // pixel (50, 150)
    canvas.Line(10, 50, 90, 50, kRed);  // row 100, columns 20..180
  });
  EXPECT_EQ(lines.pixel(50, 150), Rgb(kWhite));
  EXPECT_EQ(lines.pixel(100, 100), Rgb(kRed));
  EXPECT_EQ(lines.pixel(100, 101), kBlack);

  const QImage disc = Drawn(400, 200, [](QtCanvas& canvas) { canvas.Disc(50, 50, 10, kGreen); });
  EXPECT_EQ(disc.pixel(200, 135), Rgb(kGreen));
  EXPECT_EQ(disc.pixel(200, 145), kBlack);

  const QImage circle =
      Drawn(400, 200, [](QtCanvas& canvas) { canvas.Circle(50, 50, 10, kYellow); });
  EXPECT_EQ(circle.pixel(200, 120), kBlack);  // an outline only
  EXPECT_NEAR(Lit(circle).first.width(), 81, 2);
  EXPECT_NEAR(Lit(circle).first.height(), 81, 2);

  QImage cleared(50, 30, QImage::Format_RGB32);
  cleared.fill(Qt::black);
  {
    QtCanvas canvas(cleared);
    canvas.SetScale(20, 20, 10, 10);
    canvas.Clear(PaletteColour(7));
  }
  EXPECT_EQ(cleared.pixel(0, 0), qRgb(192, 192, 192));  // the whole device, whatever the scale
  EXPECT_EQ(cleared.pixel(49, 29), qRgb(192, 192, 192));
}

TEST(QtCanvasTest, NoOpZeroScalesAndNonFiniteCoordinatesDrawNothing) {
  const QImage image = Drawn(100, 100, [](QtCanvas& canvas) {
    canvas.SetDrawMode(DrawMode::NoOp);
    canvas.Point(50, 50, kWhite);
    canvas.Line(0, 0, 100, 100, kWhite);
    canvas.Circle(50, 50, 20, kWhite);
    canvas.Disc(50, 50, 10, kWhite);
    canvas.Text(10, 10, "Moons:", kWhite);
    canvas.SetDrawMode(DrawMode::CopyPen);
    canvas.SetScale(0, 0, 0, 100);  // no mapping: the 0..100 scale stays
    canvas.Line(0, std::nan(""), 50, 50, kWhite);
    canvas.Disc(50, 50, std::numeric_limits<double>::infinity(), kWhite);
    canvas.Point(1e300, 50, kWhite);
    canvas.SetFontSize(0);  // the font stays
    canvas.Point(30, 60, kRed);
  });
  EXPECT_EQ(Lit(image).second, 1);
  EXPECT_EQ(image.pixel(30, 60), Rgb(kRed));
}

// Batches keep the order of drawing: what is drawn later covers what was drawn before.
TEST(QtCanvasTest, BatchedLinesAndPointsKeepTheirPlaceInTheOrder) {
  const QImage image = Drawn(200, 200, [](QtCanvas& canvas) {
    canvas.Line(0, 50, 100, 50, kRed);
    canvas.Disc(50, 50, 5, kGreen);  // covers the line at pixel (100, 100)
    canvas.Line(20, 20, 30, 20, kRed);
    canvas.Point(25, 20, kWhite);  // over the line just drawn: pixel (50, 40)
    canvas.Point(75, 75, kWhite);
    canvas.Disc(75, 75, 2, kBlue);         // covers the point at pixel (150, 150)
    canvas.Line(60, 80, 90, 80, kYellow);  // left in the batch for the destructor
  });
  EXPECT_EQ(image.pixel(100, 100), Rgb(kGreen));
  EXPECT_EQ(image.pixel(50, 40), Rgb(kWhite));
  EXPECT_EQ(image.pixel(45, 40), Rgb(kRed));
  EXPECT_EQ(image.pixel(150, 150), Rgb(kBlue));
  EXPECT_EQ(image.pixel(150, 160), Rgb(kYellow));
}

// Many points written straight into an image light exactly the pixels the painter would.
TEST(QtCanvasTest, ManyPointsLightTheSamePixelsAsThePainter) {
  std::vector<CanvasPoint> points;
  for (int i = 0; i < 500; ++i) points.push_back({(i * 37 % 1000) / 10.0, (i * 53 % 1000) / 10.0});
  points.push_back({100, 100});  // the far corner: just outside the image
  points.push_back({std::nan(""), 5});
  const QImage direct =
      Drawn(173, 131, [&points](QtCanvas& canvas) { canvas.Points(points, kYellow); });
  QPixmap painted(173, 131);  // not an image: drawn through drawPoints
  painted.fill(Qt::black);
  {
    QtCanvas canvas(painted);
    canvas.SetScale(0, 0, 100, 100);
    canvas.Points(points, kYellow);
  }
  EXPECT_EQ(direct, painted.toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_GT(Lit(direct).second, 400);
}

// Small discs blended straight into an image, overlapping and over its edge, match those the
// painter stamps on a pixmap pixel for pixel.
TEST(QtCanvasTest, ManyDiscsBlendTheSamePixelsAsThePainter) {
  std::vector<CanvasPoint> centres;
  for (int i = 0; i < 300; ++i) centres.push_back({(i * 37 % 1010) / 10.0, (i * 53 % 1010) / 10.0});
  const auto draw = [&centres](QtCanvas& canvas) {
    canvas.Discs(centres, 1.3, kYellow);  // 2.2 pixels on 173 across
    canvas.Discs(centres, 0.6, Colour{40, 90, 200});
  };
  const QImage direct = Drawn(173, 131, draw);
  QPixmap painted(173, 131);
  painted.fill(Qt::black);
  {
    QtCanvas canvas(painted);
    canvas.SetScale(0, 0, 100, 100);
    draw(canvas);
  }
  EXPECT_EQ(direct, painted.toImage().convertToFormat(QImage::Format_RGB32));
  EXPECT_GT(Lit(direct).second, 2000);
}

}  // namespace
}  // namespace ax
