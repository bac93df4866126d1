#include "display/ViewFit.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "display/OrbitView.h"
#include "display/RecordingCanvas.h"
#include "generate/Stars.h"
#include "render/QtCanvas.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// After a fit, what the system view of each system shows (and the world view of its first
// world with moons) lies wholly inside a wide and a tall picture, at a tilt, and spans at least
// 80 % of the picture's smaller side.
TEST(ViewFitTest, TheFittedDrawingFillsThePictureWithoutLeavingIt) {
  int worldViews = 0;
  for (unsigned seed = 1; seed <= 24; ++seed) {
    World world;
    Random random(seed);
    GenerateStars(world, random);
    Survey(world, random).SurveySystem();
    world.CurrentStar = world.StarCount == 2 ? 0 : 1;
    const auto star = static_cast<std::size_t>(world.CurrentStar);
    for (world.CurrentOrbit = 1; world.CurrentOrbit < kLastOrbit; ++world.CurrentOrbit) {
      const std::string& worldClass = world.BodyClass(world.CurrentStar, world.CurrentOrbit, 0);
      if (!IsBelt(worldClass) && world.MoonCount[star][world.CurrentOrbit] > 0) break;
    }
    const bool moons = world.MoonCount[star][world.CurrentOrbit] > 0;
    world.CurrentBody = moons ? 1 : 0;  // the world view rings its first moon
    for (const QSize size : {QSize(480, 300), QSize(300, 420)}) {
      for (const std::int16_t mode : {std::int16_t{1}, std::int16_t{3}}) {
        if (mode == 3 && !moons) continue;
        worldViews += mode == 3;
        SCOPED_TRACE(testing::Message() << "seed " << seed << " mode " << mode);
        ViewState view{.DisplayMode = mode,
                       .ViewRotX = static_cast<float>(seed * 13 % 90),
                       .ViewAspect = static_cast<double>(size.width()) / size.height()};
        FitView(world, view);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
          QtCanvas canvas(image);
          canvas.SetScale(0, 0, 100, 100);
          OrbitView(world, view, canvas).DrawBodies();
        }
        QRect lit;
        for (int y = 0; y < size.height(); ++y) {
          for (int x = 0; x < size.width(); ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0)) lit |= QRect(x, y, 1, 1);
          }
        }
        EXPECT_TRUE(QRect(QPoint(1, 1), size - QSize(2, 2)).contains(lit));
        EXPECT_GE(std::max(lit.width(), lit.height()), std::min(size.width(), size.height()) * 0.8);

        // Every disc at least 5 pixels across, the selected body ringed, and the bar as long as
        // its round figure: 1 AU (world view 10,000 km) is zoom units, the width 100 units.
        const double pixelsPerUnit = size.width() / 100.0;
        for (const float zoom : {view.ViewZoom, 0.001f, 0.37f, 7.0f, 256.0f}) {
          SCOPED_TRACE(testing::Message() << "zoom " << zoom);
          ViewState zoomed = view;
          zoomed.ViewZoom = zoom;
          RecordingCanvas drawn(size.width());
          OrbitView(world, zoomed, drawn).DrawSystem();
          const auto discs = drawn.CallsOf(RecordingCanvas::Kind::Disc);
          for (const RecordingCanvas::Call& disc : discs) {
            EXPECT_GE(2 * disc.radius * pixelsPerUnit, 5 - 1e-9);
          }
          const auto rings = drawn.CallsOf(RecordingCanvas::Kind::Circle);
          if (zoom == view.ViewZoom && moons) {
            ASSERT_EQ(rings.size(), 1u);
            EXPECT_TRUE(std::ranges::any_of(discs, [&](const RecordingCanvas::Call& disc) {
              return disc.x1 == rings[0].x1 && disc.y1 == rings[0].y1 &&
                     (rings[0].radius - disc.radius) * pixelsPerUnit >= 2;
            }));
          }

          const auto lines = drawn.CallsOf(RecordingCanvas::Kind::Line);
          const RecordingCanvas::Call& bar = lines[lines.size() - 3];  // then its two ticks
          EXPECT_LE(bar.x2, 100);
          const auto texts = drawn.CallsOf(RecordingCanvas::Kind::Text);
          const auto figured = std::ranges::find_if(texts, [](const RecordingCanvas::Call& text) {
            return std::isdigit(static_cast<unsigned char>(text.text[0])) != 0;
          });
          ASSERT_NE(figured, texts.end());
          std::string figure = figured->text;
          std::erase(figure, ',');
          const double distance = std::stod(figure);
          EXPECT_EQ(figure.substr(figure.find(' ')), mode == 1 ? " AU" : " km");
          const double leading = distance / std::pow(10.0, std::floor(std::log10(distance)));
          const double offRound =
              std::min({std::abs(leading - 1), std::abs(leading - 2), std::abs(leading - 5)});
          EXPECT_NEAR(offRound, 0, 1e-9) << figure;
          const double perPixel =
              (mode == 1 ? 1.0 : 10000.0) * 100 / (static_cast<double>(zoom) * size.width());
          EXPECT_NEAR(distance / perPixel, (bar.x2 - bar.x1) * pixelsPerUnit, 1) << figure;
        }
      }
    }
  }
  EXPECT_GE(worldViews, 6);  // the seeds gave moons enough
}

}  // namespace
}  // namespace ax
