// The cluster window's File, Export Image...: the cluster view drawn afresh, with the
// selection, as a PNG or SVG image.

#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>
#include <optional>

#include "cluster/ClusterView.h"
#include "io/ClusterFile.h"
#include "ui/ClusterDisplay.h"
#include "ui/ClusterScreen.h"
#include "ui/ImageExportDialogs.h"
#include "ui/MenuItems.h"
#include "ui/SystemScreen.h"

namespace ax {

void ClusterDisplay::AddImageCommands(QMenu* file) {
  exportImageItem_ = AddItem(file, "Export &Image...", "ClusterMenuFileExportImage");
  connect(exportImageItem_, &QAction::triggered, this, &ClusterDisplay::ExportImageFile);
  ChooseImageSize = [this](QSize current) {
    return AskImageSize(this, current, view_.SecondView ? 2 : 1);
  };
  ChooseImageFile = [this](const FileDialogRequest& request) {
    return AskFileDialog(this, QStringLiteral("Export Image"), request);
  };
}

void ClusterDisplay::ExportImageFile() {
  if (clusterFile_.empty() || generating_) return;
  const int views = view_.SecondView ? 2 : 1;
  // The picture's size on the screen: the largest that fits, in the view's proportions.
  const int shown =
      ImageSide(std::min(screen_->width() / views, screen_->height()), kLargestImageSide / views);
  const std::optional<QSize> chosen = ChooseImageSize(QSize(shown * views, shown));
  if (!chosen) return;
  const QSize size(chosen->height() * views, chosen->height());
  const QString path = ChooseFileWithExtension(
      ChooseImageFile, ImageRequest(QString::fromStdString(clusterFile_.parent_path().string()),
                                    QString::fromStdString(clusterFile_.stem().string())));
  if (path.isEmpty()) return;

  ImageDrawing drawing;
  drawing.scaleWidth = ClusterViewWidth(view_);
  drawing.fontSize = SystemScreen::FontSizeFor(size.height());
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
      DrawCluster(canvas, view_, reader, &scan, Marks());
      DrawMarkLegend(canvas, view_, markLegend_);
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
