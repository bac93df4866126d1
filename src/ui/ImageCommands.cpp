// File, Export Image... of the system window and of the cluster window.

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "cluster/ClusterView.h"
#include "io/ClusterFile.h"
#include "render/ImageExport.h"
#include "ui/ClusDisScreen.h"
#include "ui/ClusterDisplay.h"
#include "ui/SysDisScreen.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

const char* const kImageFilter = "PNG Image (*.png);;SVG Image (*.svg)";

int Side(int pixels, int most) {
  return std::clamp(pixels, kSmallestImageSide, most);
}

// Width and height in pixels. With `views` above 0 the width is `views` times the height and
// follows it.
std::optional<QSize> AskImageSize(QWidget* parent, QSize current, int views) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("ImageSizeDialog"));
  dialog.setWindowTitle(QStringLiteral("Image Size"));
  auto* width = new QSpinBox(&dialog);
  auto* height = new QSpinBox(&dialog);
  for (QSpinBox* side : {width, height}) {
    side->setRange(kSmallestImageSide, kLargestImageSide);
    side->setSuffix(QStringLiteral(" pixels"));
  }
  if (views > 0) {
    height->setMaximum(kLargestImageSide / views);
    width->setEnabled(false);
    QObject::connect(height, &QSpinBox::valueChanged, width,
                     [width, views](int side) { width->setValue(side * views); });
  }
  width->setValue(current.width());
  height->setValue(current.height());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("&Width:"), width);
  form->addRow(QStringLiteral("&Height:"), height);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

QString SaveImageDialog(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent, QStringLiteral("Export Image"), request.directory, request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultExtension);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

FileDialogRequest ImageRequest(const QString& directory, const QString& name) {
  FileDialogRequest request;
  request.save = true;
  request.directory = directory;
  request.filter = QString::fromLatin1(kImageFilter);
  request.defaultExtension = QStringLiteral("png");
  request.fileName = name + QStringLiteral(".png");
  return request;
}

// Saves the drawing and says in the status bar how it went; what the drawing throws passes
// through.
bool SaveImage(QStatusBar& bar, const QString& path, QSize size, const ImageDrawing& drawing) {
  const std::filesystem::path file(path.toStdString());
  const QString name = QString::fromStdString(file.filename().string());
  try {
    ExportImage(file, size, drawing);
  } catch (const ImageExportError& error) {
    bar.showMessage(QStringLiteral("Could not save the image %1: %2")
                        .arg(name, QString::fromStdString(error.Reason())));
    return false;
  }
  bar.showMessage(QStringLiteral("Saved the image %1 (%2 x %3 pixels)")
                      .arg(name, QString::number(size.width()), QString::number(size.height())));
  return true;
}

QString ModeName(int mode) {
  switch (mode) {
    case 0: return QStringLiteral("symbolic list");
    case 2: return QStringLiteral("world report");
    case 3: return QStringLiteral("world view");
    default: return QStringLiteral("system view");
  }
}

}  // namespace

void SystemDisplay::AddImageCommands() {
  SystemMenuFileExportImage = SystemMenuFile->addAction(QStringLiteral("Export &Image..."));
  SystemMenuFileExportImage->setObjectName(QStringLiteral("SystemMenuFileExportImage"));
  SystemMenuFileExportImage->setEnabled(false);
  // There is something to draw once a system is present; asked each time the menu opens.
  connect(SystemMenuFile, &QMenu::aboutToShow, this,
          [this] { SystemMenuFileExportImage->setEnabled(systemPresent_ != 0); });
  connect(SystemMenuFileExportImage, &QAction::triggered, this, &SystemDisplay::ExportImageFile);
  ChooseImageSize = [this](QSize current) { return AskImageSize(this, current, 0); };
}

void SystemDisplay::ExportImageFile() {
  if (systemPresent_ == 0) return;
  const QSize current(Side(Screen->width(), kLargestImageSide),
                      Side(Screen->height(), kLargestImageSide));
  const std::optional<QSize> size = ChooseImageSize(current);
  if (!size) return;
  const QString stem = QString::fromStdString(world_.SystemFilePath.stem().string());
  const QString path = ChooseFileWithExtension(
      ChooseFile,
      ImageRequest(QDir::currentPath(), stem.isEmpty() ? QStringLiteral("system") : stem));
  if (path.isEmpty()) return;

  const bool named = !world_.SystemName.empty() && world_.SystemName != "Star";
  ImageDrawing drawing;
  drawing.fontSize = SysDisScreen::FontSizeFor(size->height());
  drawing.title = QStringLiteral("%1: %2").arg(
      named ? QStringLiteral("System ") + QString::fromStdString(world_.SystemName)
            : QStringLiteral("Unnamed system"),
      ModeName(view_.DisplayMode));
  drawing.description = QStringLiteral("Drawn by Astrolattix");
  // The orbit view keeps its circles round in the image's proportions, not the window's.
  const double aspect = static_cast<double>(size->width()) / std::max(1, size->height());
  drawing.draw = [this, aspect](Canvas& canvas) {
    const double screenAspect = view_.ViewAspect;
    view_.ViewAspect = aspect;
    try {
      DrawScreen(canvas);
    } catch (...) {
      view_.ViewAspect = screenAspect;
      throw;
    }
    view_.ViewAspect = screenAspect;
  };
  SaveImage(*statusBar(), path, *size, drawing);
}

void ClusterDisplay::AddImageCommands(QMenu* file) {
  ClusterMenuFileExportImage = file->addAction(QStringLiteral("Export &Image..."));
  ClusterMenuFileExportImage->setObjectName(QStringLiteral("ClusterMenuFileExportImage"));
  ClusterMenuFileExportImage->setEnabled(false);
  // There is something to draw once a cluster is open and no generation is writing one.
  connect(file, &QMenu::aboutToShow, this, [this] {
    ClusterMenuFileExportImage->setEnabled(!clusterFile_.empty() && !generating_);
  });
  connect(ClusterMenuFileExportImage, &QAction::triggered, this, &ClusterDisplay::ExportImageFile);
  ChooseImageSize = [this](QSize current) {
    return AskImageSize(this, current, view_.SecondView ? 2 : 1);
  };
  ChooseImageFile = [this](const FileDialogRequest& request) {
    return SaveImageDialog(this, request);
  };
}

void ClusterDisplay::ExportImageFile() {
  if (clusterFile_.empty() || generating_) return;
  const int views = view_.SecondView ? 2 : 1;
  // The picture's size on the screen: the largest that fits, in the view's proportions.
  const int shown =
      Side(std::min(Screen->width() / views, Screen->height()), kLargestImageSide / views);
  const std::optional<QSize> chosen = ChooseImageSize(QSize(shown * views, shown));
  if (!chosen) return;
  const QSize size(chosen->height() * views, chosen->height());
  const QString path = ChooseFileWithExtension(
      ChooseImageFile, ImageRequest(QString::fromStdString(clusterFile_.parent_path().string()),
                                    QString::fromStdString(clusterFile_.stem().string())));
  if (path.isEmpty()) return;

  ImageDrawing drawing;
  drawing.scaleWidth = ClusterViewWidth(view_);
  drawing.fontSize = SysDisScreen::FontSizeFor(size.height());
  drawing.title = QStringLiteral("Cluster %1").arg(QString::fromStdString(clusterCode_));
  drawing.description = QStringLiteral("Drawn by Astrolattix: centre %1, %2, %3, range %4")
                            .arg(view_.X)
                            .arg(view_.Y)
                            .arg(view_.Z)
                            .arg(view_.Range);
  ClusterScan scan;
  try {
    ClusterFileReader reader(clusterFile_);
    drawing.draw = [this, &reader, &scan](Canvas& canvas) {
      DrawCluster(canvas, view_, reader, &scan);
      DrawSelection(canvas);
    };
    if (!SaveImage(*statusBar(), path, size, drawing) || scan.Problem.empty()) return;
  } catch (const ClusterFileError& error) {
    Report(QStringLiteral("Could not draw %1: %2")
               .arg(QString::fromStdString(clusterFile_.filename().string()),
                    QString::fromStdString(error.Reason())));
    return;
  }
  Report(QStringLiteral("%1; %2 was read up to record %3: %4")
             .arg(statusBar()->currentMessage(),
                  QString::fromStdString(clusterFile_.filename().string()),
                  QString::number(scan.Records), QString::fromStdString(scan.Problem)));
}

}  // namespace ax
