#include "cli/Render.h"

#include <fmt/format.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <memory>
#include <optional>

#include "display/OrbitView.h"
#include "display/ViewState.h"
#include "io/SystemFile.h"
#include "render/QtCanvas.h"

namespace ax {
namespace {

constexpr std::int16_t kSystemView = 1;  // DisplayMode
constexpr std::int16_t kWorldView = 3;   // DisplayMode

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

// Written to a temporary file and renamed, so a failed save leaves an old image whole.
void SavePng(const QImage& image, const std::filesystem::path& path) {
  const auto fail = [&path](const QString& reason) {
    return CliInputError(
        fmt::format("{}: the image cannot be saved: {}", path.string(), reason.toStdString()));
  };
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) throw fail(file.errorString());
  QImageWriter writer(&file, "png");
  if (!writer.write(image)) {
    file.cancelWriting();
    throw fail(writer.errorString());
  }
  if (!file.commit()) throw fail(file.errorString());
}

}  // namespace

void RunRender(const RenderOptions& options) {
  const std::optional<ImageSize> size = ParseImageSize(options.size);
  if (!size) {
    throw CliInputError(fmt::format("--size: not WxH with each side {}..{}: {}", kMinImageSide,
                                    kMaxImageSide, options.size));
  }

  auto world = std::make_unique<World>();
  SystemFileReader reader;
  reader.Read(options.file, *world);
  SelectRenderBody(*world, options);

  ViewState view;
  view.DisplayMode = options.mode == "world" ? kWorldView : kSystemView;
  view.StarDate = options.date;
  view.ViewAspect = static_cast<double>(size->width) / size->height;

  const QuietQt quiet;
  const std::unique_ptr<QGuiApplication> application = MakeGuiApplication();
  QImage image(size->width, size->height, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    // The painter must end before the image is written.
    QtCanvas canvas(image);
    canvas.SetScale(0, 0, 100, 100);
    OrbitView(*world, view, canvas).DrawSystem();
  }
  SavePng(image, options.png);
}

}  // namespace ax
