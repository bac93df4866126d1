#include "render/Dossier.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "display/BodySymbols.h"
#include "display/DisplayMode.h"
#include "display/ReportExport.h"
#include "display/ViewFit.h"
#include "display/ViewState.h"
#include "render/ImageExport.h"

namespace ax {
namespace {

constexpr QSize kSystemPicture(800, 600);  // pixels
constexpr QSize kWorldPicture(480, 360);
constexpr std::int16_t kSystemView = 1;  // display modes
constexpr std::int16_t kWorldView = 3;
constexpr double kPageMargin = 15;  // millimetres
// The widths a PDF page's part is laid out in, in pixels, before it is fitted to the page: the
// head's wider for the thirteen columns of the glance table.
constexpr double kHeadLayoutWidth = 1100;
constexpr double kLayoutWidth = 720;
constexpr int kShownSystemWidth = 720;  // the pictures' widths in those layouts
constexpr int kShownWorldWidth = 360;

// Each view fitted, as the window and the image export fit them, handed to `use` with where
// it belongs (none: the system). Drawn on a copy of the world: drawing selects and may name.
template <typename Use>
void DrawPictures(const World& original, Use&& use) {
  const auto copy = std::make_unique<World>(original);
  World& world = *copy;
  const auto draw = [&](std::optional<BodyPlace> place, std::int16_t mode, QSize size) {
    const BodyPlace at = place.value_or(BodyPlace{world.StarCount == 2 ? 0 : 1, 0, 0});
    world.CurrentStar = static_cast<std::int16_t>(at.star);
    world.CurrentOrbit = static_cast<std::int16_t>(at.orbit);
    world.CurrentBody = static_cast<std::int16_t>(at.body);
    ViewState view;
    view.DisplayMode = mode;
    view.ViewAspect = static_cast<double>(size.width()) / size.height();
    FitView(world, view);
    ImageDrawing drawing;
    drawing.title = QString::fromStdString(std::string(DisplayModeName(mode)));
    drawing.draw = [&](Canvas& canvas) { DrawDisplayMode(world, view, canvas); };
    use(place, size, drawing);
  };
  draw(std::nullopt, kSystemView, kSystemPicture);
  for (const BodyPlace& place : ReportBodies(original)) {
    if (place.body == 0 && !IsBelt(world.BodyClass(place.star, place.orbit, 0))) {
      draw(place, kWorldView, kWorldPicture);
    }
  }
}

// Several SVGs in one page share its ids: each picture's ids are made its own.
std::string OwnIds(std::string svg, std::size_t number) {
  const std::string prefix = "v" + std::to_string(number) + "-";
  for (const std::string key : {"id=\"", "url(#", "href=\"#"}) {
    for (std::size_t at = svg.find(key); at != std::string::npos;
         at = svg.find(key, at + key.size() + prefix.size())) {
      svg.insert(at + key.size(), prefix);
    }
  }
  return svg;
}

// The pictures are drawn on black as in the window; on paper they are dark on white, their
// hues kept.
void OnPaper(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      float hue = 0, saturation = 0, lightness = 0;
      QColor(image.pixel(x, y)).getHslF(&hue, &saturation, &lightness);
      image.setPixel(x, y, QColor::fromHslF(hue, saturation, 1 - lightness).rgb());
    }
  }
}

}  // namespace

DossierError::DossierError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": the report cannot be saved: " + reason),
      reason_(reason) {}

std::string DossierHtml(World& world) {
  ReportPictures markup;
  std::size_t number = 0;
  DrawPictures(world, [&](std::optional<BodyPlace> place, QSize size, const ImageDrawing& drawing) {
    std::string svg = OwnIds(InlineSvg(size, drawing), ++number);
    if (place) {
      markup.worlds.emplace_back(*place, std::move(svg));
    } else {
      markup.system = std::move(svg);
    }
  });
  return SystemReportHtml(world, markup);
}

void WriteDossierPdf(World& world, const std::filesystem::path& file) {
  ReportPictures markup;
  std::vector<std::pair<QUrl, QImage>> images;
  DrawPictures(world, [&](std::optional<BodyPlace> place, QSize size, const ImageDrawing& drawing) {
    QImage image = DrawnImage(size, drawing);
    OnPaper(image);
    const QString name = place ? QStringLiteral("view-%1-%2").arg(place->star).arg(place->orbit)
                               : QStringLiteral("view-system");
    // In a paragraph of its own: the text layout knows no figures and would set the picture
    // in the line of the heading above it.
    std::string tag = "<p><img src=\"" + name.toStdString() + "\" width=\"" +
                      std::to_string(place ? kShownWorldWidth : kShownSystemWidth) + "\"></p>";
    if (place) {
      markup.worlds.emplace_back(*place, std::move(tag));
    } else {
      markup.system = std::move(tag);
    }
    images.emplace_back(QUrl(name), std::move(image));
  });
  const std::vector<std::string> parts = SystemReportHtmlParts(world, markup);

  QSaveFile out(QFile::decodeName(file.c_str()));
  if (!out.open(QIODevice::WriteOnly)) throw DossierError(file, out.errorString().toStdString());
  {
    QPdfWriter writer(&out);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(kPageMargin, kPageMargin, kPageMargin, kPageMargin),
                          QPageLayout::Millimeter);
    writer.setCreator(QStringLiteral("Astrolattix"));
    QPainter painter(&writer);
    const QString style = QString::fromUtf8(ReportPageStyle().data(),
                                            static_cast<qsizetype>(ReportPageStyle().size()));
    for (std::size_t p = 0; p < parts.size(); ++p) {
      QTextDocument document;
      document.setDefaultStyleSheet(style);
      for (const auto& [url, image] : images) {
        document.addResource(QTextDocument::ImageResource, url, image);
      }
      document.setHtml(QString::fromStdString(parts[p]));
      const double width = p == 0 ? kHeadLayoutWidth : kLayoutWidth;
      document.setTextWidth(width);
      const double scale = std::min(writer.width() / width,
                                    writer.height() / std::max(1.0, document.size().height()));
      if (p > 0) writer.newPage();
      painter.save();
      painter.scale(scale, scale);
      document.drawContents(&painter);
      painter.restore();
    }
  }
  if (!out.commit()) throw DossierError(file, out.errorString().toStdString());
}

}  // namespace ax
