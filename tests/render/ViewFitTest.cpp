#include "display/ViewFit.h"

#include <gtest/gtest.h>

#include <QImage>

#include "display/OrbitView.h"
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
      }
    }
  }
  EXPECT_GE(worldViews, 6);  // the seeds gave moons enough
}

}  // namespace
}  // namespace ax
