#include <gtest/gtest.h>

#ifdef AX_HAVE_RENDER
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <filesystem>
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

TEST(CliRenderModesTest, EachModeDrawsAPngAndAnSvgOfTheRequestedSize) {
  test::TempFolder folder;
  const std::string sol = (folder / "sol.ax2").string();
  ASSERT_EQ(test::Cli({"system", "--seed", "12", "--out", sol}).status, 0);
  std::set<QByteArray> pictures;
  for (const std::string mode : {"symbolic", "system", "report", "world"}) {
    SCOPED_TRACE(mode);
    const std::string png = (folder / (mode + ".png")).string();
    const test::CliRun drawn =
        test::Cli({"render", sol, "--mode", mode, "--png", png, "--size", "320x200"});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(QImage::fromData(Read(png)).size(), QSize(320, 200));
    pictures.insert(Read(png));
    const std::string svg = (folder / (mode + ".svg")).string();
    ASSERT_EQ(test::Cli({"render", sol, "--mode", mode, "--svg", svg, "--size", "240x160"}).status,
              0);
    QXmlStreamReader xml(Read(svg));
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.attributes().value(QStringLiteral("width")).toString(), QStringLiteral("240"));
    EXPECT_EQ(xml.attributes().value(QStringLiteral("height")).toString(), QStringLiteral("160"));
  }
  EXPECT_EQ(pictures.size(), 4u);  // no mode drew another's picture
  const std::string bogus = (folder / "bogus.png").string();
  const test::CliRun refused = test::Cli({"render", sol, "--mode", "bogus", "--png", bogus});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(test::Lines(refused.err).size(), 1u) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(bogus));
}

}  // namespace
}  // namespace ax
#endif
