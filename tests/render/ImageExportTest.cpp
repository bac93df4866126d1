#include "render/ImageExport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>

#include <filesystem>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

constexpr Colour kDiscRed{255, 0, 0};
const QRgb kSky = qRgb(0, 0, 0);

// A red disc at (150, 50) of a 200 x 100 scale and a white line along its top edge: on a
// 120 x 80 image the disc's centre is pixel (90, 40) and its radius 6 pixels.
ImageDrawing Drawing() {
  ImageDrawing drawing;
  drawing.scaleWidth = 200;
  drawing.scaleHeight = 100;
  drawing.fontSize = 8;
  drawing.title = QStringLiteral("Sol & <Tau>");
  drawing.draw = [](Canvas& canvas) {
    canvas.Disc(150, 50, 10, kDiscRed);
    canvas.Line(0, 5, 200, 5, PaletteColour(15));
    canvas.Text(10, 60, "Sol", PaletteColour(10));
  };
  return drawing;
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

QByteArray Bytes(const std::filesystem::path& path) {
  return QByteArray::fromStdString(test::FileBytes(path));
}

TEST(ImageExportTest, PngAndSvgHaveTheRequestedSizeAndHoldTheDrawing) {
  test::TempFolder folder;
  const std::filesystem::path png = folder / "sol.PNG";
  ExportImage(png, QSize(120, 80), Drawing());
  const QImage image(PathText(png), "png");
  ASSERT_EQ(image.size(), QSize(120, 80));
  EXPECT_EQ(image.pixel(90, 40), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(90, 30), kSky);  // 10 pixels up: outside the disc
  EXPECT_EQ(image.pixel(60, 4), qRgb(255, 255, 255));
  EXPECT_EQ(image.text(QStringLiteral("Title")), QStringLiteral("Sol & <Tau>"));

  const std::filesystem::path svg = folder / "sol.svg";
  ExportImage(svg, QSize(120, 80), Drawing());
  QXmlStreamReader xml(Bytes(svg));
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.attributes().value(QLatin1String("width")), QLatin1String("120"));
  EXPECT_EQ(xml.attributes().value(QLatin1String("height")), QLatin1String("80"));
  // The title is escaped, so the document is well formed to its end.
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.readElementText(), QStringLiteral("Sol & <Tau>"));
  while (!xml.atEnd()) xml.readNext();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(Bytes(svg).count("<title>"), 1);  // the generator's own is gone
}

TEST(ImageExportTest, AFailedExportLeavesTheFileThatWasThere) {
  test::TempFolder folder;
  const std::filesystem::path old = folder / "old.png";
  test::PutFile(old, "an older picture");
  const auto reasonOf = [](const std::filesystem::path& file, QSize size) {
    try {
      ExportImage(file, size, Drawing());
    } catch (const ImageExportError& error) {
      return error.Reason();
    }
    return std::string("saved");
  };
  EXPECT_EQ(reasonOf(folder / "old.jpg", QSize(64, 64)),
            ".jpg is not an image format: give .png or .svg");
  EXPECT_EQ(reasonOf(folder / "old", QSize(64, 64)),
            "the file name has no extension: give .png or .svg");
  EXPECT_EQ(reasonOf(old, QSize(8193, 64)), "each side must be 16 to 8192 pixels");
  EXPECT_NE(reasonOf(folder / "no/such/folder/new.png", QSize(64, 64)), "saved");
  ImageDrawing failing = Drawing();
  failing.draw = [](Canvas&) { throw std::runtime_error("the cluster file ends early"); };
  EXPECT_THROW(ExportImage(old, QSize(64, 64), failing), std::runtime_error);
  EXPECT_THROW(ExportImage(folder / "old.svg", QSize(64, 64), failing), std::runtime_error);

  EXPECT_EQ(Bytes(old), QByteArray("an older picture"));
  // No temporary file is left behind either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace ax
