#include <gtest/gtest.h>

#ifdef AX_HAVE_RENDER
#include <QFile>
#include <QImage>

#include <algorithm>
#include <set>
#include <string>

#include "cli/CliRun.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

QByteArray Read(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CliRenderModesTest, EachModeDrawsAPngOfTheRequestedSizeAndAnSvg) {
  test::TempFolder folder;
  const std::string sol = (folder / "sol.ax2").string();
  ASSERT_EQ(test::Cli({"system", "--seed", "12", "--out", sol}).status, 0);
  std::set<QByteArray> pictures;
  for (const std::string mode : {"symbolic", "system", "report", "world"}) {
    SCOPED_TRACE(mode);
    // --png writes a PNG whatever the file's extension.
    const std::string png = (folder / (mode + ".picture")).string();
    const test::CliRun drawn =
        test::Cli({"render", sol, "--mode", mode, "--png", png, "--size", "320x200"});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    const QImage image = QImage::fromData(Read(png), "png");
    EXPECT_EQ(image.size(), QSize(320, 200));
    QImage blank(image.size(), image.format());
    blank.fill(image.pixel(0, 0));
    EXPECT_NE(image, blank);  // more than the background
    pictures.insert(Read(png));
    const std::string svg = (folder / (mode + ".svg")).string();
    ASSERT_EQ(test::Cli({"render", sol, "--mode", mode, "--svg", svg}).status, 0);
    EXPECT_TRUE(Read(svg).contains("<svg"));  // its size is the image export's to check
  }
  EXPECT_EQ(pictures.size(), 4u);  // no mode drew another's picture
}

// By default the system view is fitted: above the scale bar's rows, the drawing comes within a
// tenth of the picture's top or left edge and stays clear of both.
TEST(CliRenderModesTest, TheSystemViewIsFittedByDefault) {
  test::TempFolder folder;
  for (const char* seed : {"3", "4", "5"}) {
    const std::string file = (folder / "s.ax2").string(), png = (folder / "s.png").string();
    ASSERT_EQ(test::Cli({"system", "--seed", seed, "--out", file}).status, 0);
    ASSERT_EQ(test::Cli({"render", file, "--png", png, "--size", "400x400"}).status, 0);
    const QImage fitted = QImage::fromData(Read(png), "png");
    int nearest = 400;
    for (int y = 0; y < 340; ++y) {
      for (int x = 0; x < 400; ++x) {
        if (fitted.pixel(x, y) != fitted.pixel(0, 0)) nearest = std::min({nearest, x, y});
      }
    }
    EXPECT_TRUE(nearest >= 8 && nearest <= 40) << "seed " << seed << ": " << nearest;
  }
}

}  // namespace
}  // namespace ax
#endif
