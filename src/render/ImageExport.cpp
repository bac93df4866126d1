#include "render/ImageExport.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRect>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

#include "render/QtCanvas.h"

namespace ax {
namespace {

// Both formats are drawn at the common desktop resolution, so that a font size in points
// gives the same pixels on every machine and in both formats.
constexpr int kExportDpi = 96;               // dots per inch
constexpr double kInchesPerMeter = 39.3701;  // inches
constexpr int kBlack = 0;                    // palette index

void Paint(QPaintDevice& device, const ImageDrawing& drawing) {
  QtCanvas canvas(device);
  canvas.SetScale(0, 0, drawing.scaleWidth, drawing.scaleHeight);
  if (drawing.fontSize > 0) canvas.SetFontSize(drawing.fontSize);
  canvas.Clear(PaletteColour(kBlack));
  if (drawing.draw) drawing.draw(canvas);
}

QImage DrawnImage(const std::filesystem::path& file, QSize size, const ImageDrawing& drawing) {
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) {
    throw ImageExportError(file, "there is not enough memory for an image of that size");
  }
  const auto dotsPerMeter = static_cast<int>(std::lround(kExportDpi * kInchesPerMeter));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  Paint(image, drawing);
  return image;
}

QByteArray PngBytes(const std::filesystem::path& file, QSize size, const ImageDrawing& drawing) {
  const QImage image = DrawnImage(file, size, drawing);  // painted whole before it is encoded

  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!drawing.title.isEmpty()) writer.setText(QStringLiteral("Title"), drawing.title);
  if (!drawing.description.isEmpty()) {
    writer.setText(QStringLiteral("Description"), drawing.description);
  }
  if (!writer.write(image)) throw ImageExportError(file, writer.errorString().toStdString());
  return bytes;
}

// The generator gives the size in millimetres and writes its title and description unescaped
// (and a title of its own when given none): the root element is given the size in pixels, and
// the generator's title and description are replaced by escaped ones.
QByteArray SvgBytes(const std::filesystem::path& file, QSize size, const ImageDrawing& drawing) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setResolution(kExportDpi);
  Paint(generator, drawing);

  // Only the head of the document is rewritten: the drawing may be many megabytes.
  const qsizetype root = bytes.indexOf("<svg");
  const qsizetype rootEnd = root < 0 ? -1 : bytes.indexOf('>', root);
  if (rootEnd < 0) throw ImageExportError(file, "the SVG drawing was not made");
  const qsizetype drawingStart = bytes.indexOf("<g", rootEnd);
  const qsizetype ownTitle = bytes.indexOf("<title>", rootEnd);
  const QByteArray descEnd = "</desc>";
  const qsizetype ownDescEnd = bytes.indexOf(descEnd, rootEnd);
  if (ownTitle >= 0 && ownDescEnd > ownTitle && ownDescEnd < drawingStart) {
    bytes.remove(ownTitle, ownDescEnd + descEnd.size() - ownTitle);
  }
  QString tag = QString::fromUtf8(bytes.mid(root, rootEnd - root));
  static const QRegularExpression kWidth(QStringLiteral("\\swidth=\"[^\"]*\""));
  static const QRegularExpression kHeight(QStringLiteral("\\sheight=\"[^\"]*\""));
  tag.replace(kWidth, QStringLiteral(" width=\"%1\"").arg(size.width()));
  tag.replace(kHeight, QStringLiteral(" height=\"%1\"").arg(size.height()));
  tag += QLatin1Char('>');
  if (!drawing.title.isEmpty()) {
    tag += QStringLiteral("\n<title>%1</title>").arg(drawing.title.toHtmlEscaped());
  }
  if (!drawing.description.isEmpty()) {
    tag += QStringLiteral("\n<desc>%1</desc>").arg(drawing.description.toHtmlEscaped());
  }
  bytes.replace(root, rootEnd + 1 - root, tag.toUtf8());
  return bytes;
}

}  // namespace

ImageExportError::ImageExportError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": the image cannot be saved: " + reason),
      reason_(reason) {}

std::optional<ImageFormat> ImageFormatOf(const std::filesystem::path& file) {
  const QString extension = QString::fromStdString(file.extension().string()).toLower();
  if (extension == QLatin1String(".png")) return ImageFormat::Png;
  if (extension == QLatin1String(".svg")) return ImageFormat::Svg;
  return std::nullopt;
}

void ExportImage(const std::filesystem::path& file, ImageFormat format, QSize size,
                 const ImageDrawing& drawing) {
  if (size.width() < kSmallestImageSide || size.width() > kLargestImageSide ||
      size.height() < kSmallestImageSide || size.height() > kLargestImageSide) {
    throw ImageExportError(file, "each side must be " + std::to_string(kSmallestImageSide) +
                                     " to " + std::to_string(kLargestImageSide) + " pixels");
  }
  if (!std::isfinite(drawing.scaleWidth) || !std::isfinite(drawing.scaleHeight) ||
      drawing.scaleWidth <= 0 || drawing.scaleHeight <= 0) {
    throw ImageExportError(file, "the drawing has no scale");
  }
  // Drawn whole before the file is touched: what the drawing throws leaves the file as it was.
  const QByteArray bytes =
      format == ImageFormat::Png ? PngBytes(file, size, drawing) : SvgBytes(file, size, drawing);

  QSaveFile out(QFile::decodeName(file.c_str()));
  if (!out.open(QIODevice::WriteOnly))
    throw ImageExportError(file, out.errorString().toStdString());
  if (out.write(bytes) != bytes.size()) {
    const std::string reason = out.errorString().toStdString();
    out.cancelWriting();
    throw ImageExportError(file, reason);
  }
  if (!out.commit()) throw ImageExportError(file, out.errorString().toStdString());
}

QImage DrawnImage(QSize size, const ImageDrawing& drawing) {
  return DrawnImage({}, size, drawing);
}

std::string InlineSvg(QSize size, const ImageDrawing& drawing) {
  const QByteArray bytes = SvgBytes({}, size, drawing);
  return bytes.mid(bytes.indexOf("<svg")).toStdString();
}

void ExportImage(const std::filesystem::path& file, QSize size, const ImageDrawing& drawing) {
  const std::optional<ImageFormat> format = ImageFormatOf(file);
  if (!format) {
    const std::string extension = file.extension().string();
    throw ImageExportError(file, extension.empty()
                                     ? "the file name has no extension: give .png or .svg"
                                     : extension + " is not an image format: give .png or .svg");
  }
  ExportImage(file, *format, size, drawing);
}

}  // namespace ax
