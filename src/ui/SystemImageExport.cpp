// The system window's File, Export Image...: the current display mode as a PNG or SVG image.

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>

#include "display/DisplayMode.h"
#include "ui/ImageExportDialogs.h"
#include "ui/MenuItems.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemScreen.h"

namespace ax {

void SystemDisplay::AddImageCommands() {
  exportImageItem_ = AddItem(fileMenu_, "Export &Image...", "SystemMenuFileExportImage");
  exportImageItem_->setEnabled(false);
  connect(exportImageItem_, &QAction::triggered, this, &SystemDisplay::ExportImageFile);
  ChooseImageSize = [this](QSize current) { return AskImageSize(this, current, 0); };
}

void SystemDisplay::ExportImageFile() {
  if (!commands_.Present()) return;
  const QSize current(ImageSide(screen_->width(), kLargestImageSide),
                      ImageSide(screen_->height(), kLargestImageSide));
  const std::optional<QSize> size = ChooseImageSize(current);
  if (!size) return;
  const QString stem = QString::fromStdString(world_.SystemFilePath.stem().string());
  const QString path = ChooseFileWithExtension(
      ChooseFile,
      ImageRequest(QDir::currentPath(), stem.isEmpty() ? QStringLiteral("system") : stem));
  if (path.isEmpty()) return;

  const bool named = !world_.SystemName.empty() && world_.SystemName != "Star";
  ImageDrawing drawing;
  drawing.fontSize = SystemScreen::FontSizeFor(size->height());
  drawing.title = QStringLiteral("%1: %2").arg(
      named ? QStringLiteral("System ") + QString::fromStdString(world_.SystemName)
            : QStringLiteral("Unnamed system"),
      QString::fromUtf8(DisplayModeName(view_.DisplayMode)));
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

}  // namespace ax
