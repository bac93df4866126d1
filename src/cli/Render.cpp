#include "cli/Render.h"

#include <fmt/format.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "display/DisplayMode.h"
#include "display/ViewFit.h"
#include "display/ViewState.h"
#include "io/SystemFile.h"
#include "render/Dossier.h"
#include "render/ImageExport.h"

namespace ax {
namespace {

// Fonts and images need a QGuiApplication; a command line has no display, so it runs
// offscreen unless the caller chose a platform.
std::unique_ptr<QGuiApplication> MakeGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "astrolattix-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Qt's notes on its own set-up (no runtime folder, no display) are noise on a command line's
// standard error, which carries one line per failure; its critical errors still go through.
class QuietQt {
 public:
  QuietQt() { previous_ = qInstallMessageHandler(&Filter); }
  ~QuietQt() { qInstallMessageHandler(previous_); }
  QuietQt(const QuietQt&) = delete;
  QuietQt& operator=(const QuietQt&) = delete;

 private:
  static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    if (previous_ != nullptr) {
      previous_(type, context, message);
    } else {
      qt_message_output(type, context, message);
    }
  }
  static inline QtMessageHandler previous_ = nullptr;
};

// Fonts and images in a command line's process: a QGuiApplication for the work's time, and
// only Qt's critical errors on standard error.
template <typename Work>
void WithGui(Work&& work) {
  const QuietQt quiet;
  const std::unique_ptr<QGuiApplication> application = MakeGuiApplication();
  work();
}

}  // namespace

std::string DossierPage(World& world) {
  std::string page;
  WithGui([&] { page = DossierHtml(world); });
  return page;
}

void SaveDossierPdf(World& world, const std::filesystem::path& file) {
  try {
    WithGui([&] { WriteDossierPdf(world, file); });
  } catch (const DossierError& error) {
    throw CliInputError(error.what());
  }
}

void RunRender(const RenderOptions& options) {
  const std::optional<ImageSize> size = ParseImageSize(options.size);
  if (!size) {
    throw CliInputError(fmt::format("--size: not WxH with each side {}..{}: {}", kSmallestImageSide,
                                    kLargestImageSide, options.size));
  }
  const std::optional<std::int16_t> mode = RenderDisplayMode(options.mode);
  if (!mode) throw CliInputError(fmt::format("--mode: not a display mode: {}", options.mode));

  auto world = std::make_unique<World>();
  SystemFileReader reader;
  reader.Read(options.file, *world);
  SelectRenderBody(*world, options);

  ViewState view;
  view.DisplayMode = *mode;
  view.StarDate = options.date;
  view.ViewAspect = static_cast<double>(size->width) / size->height;
  if (options.zoom) {
    view.ViewZoom = static_cast<float>(*options.zoom);
  } else {
    FitView(*world, view);
  }

  const bool svg = !options.svg.empty();
  const std::filesystem::path& out = svg ? options.svg : options.png;
  ImageDrawing drawing;
  const std::string_view caption = DisplayModeName(*mode);
  drawing.title = QStringLiteral("%1: %2").arg(
      QString::fromStdString(options.file.stem().string()),
      QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
  drawing.description = QStringLiteral("Drawn by Astrolattix at star date %1").arg(options.date);
  drawing.draw = [&](Canvas& canvas) { DrawDisplayMode(*world, view, canvas); };

  try {
    WithGui([&] {
      ExportImage(out, svg ? ImageFormat::Svg : ImageFormat::Png, QSize(size->width, size->height),
                  drawing);
    });
  } catch (const ImageExportError& error) {
    throw CliInputError(error.what());
  }
}

}  // namespace ax
