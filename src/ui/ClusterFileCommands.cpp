// The cluster window's files: new clusters generated on a worker thread, cluster files opened
// from the dialog or dropped onto the window, and the folder new clusters go to.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <exception>
#include <string>

#include "control/Seeds.h"
#include "io/ClusterFile.h"
#include "ui/ClusterDisplay.h"
#include "ui/ClusterGenerationForm.h"
#include "ui/DroppedFiles.h"
#include "ui/FileErrorBox.h"

namespace ax {
namespace {

// "C05:    1234": the cluster's code, three blanks and the count with its leading blank.
QString StarCountText(const std::string& code, std::int64_t stars) {
  return QStringLiteral("%1:    %2").arg(QString::fromStdString(code)).arg(stars);
}

}  // namespace

void ClusterDisplay::NewCluster() {
  if (generating_ || handoff_.Active()) return;
  // Say at once when no number is left, before the user sets up a cluster that cannot be made.
  if (!FirstFreeClusterNumber(folder_)) {
    Report(QStringLiteral("No new cluster can be made in %1: C01 to C99 are all taken")
               .arg(QString::fromStdString(folder_.string())));
    return;
  }
  generation_->Open();
}

void ClusterDisplay::ChooseDefaultDirectory() {
  const QString chosen = ChooseFolder(QString::fromStdString(folder_.string()));
  if (chosen.isEmpty()) return;
  folder_ = std::filesystem::path(chosen.toStdString());
  Report(QStringLiteral("New clusters are written to %1").arg(chosen));
}

void ClusterDisplay::OpenClusterFile() {
  if (generating_ || handoff_.Active()) return;
  FileDialogRequest request;
  request.directory = clusterFile_.empty()
                          ? QString::fromStdString(folder_.string())
                          : QString::fromStdString(clusterFile_.parent_path().string());
  request.filter = QStringLiteral("Astrolattix Files (*.axl)");
  request.defaultExtension = QStringLiteral("axl");
  const QString path = ChooseFile(request);
  if (path.isEmpty()) return;
  OpenClusterFileAt(path);
}

void ClusterDisplay::OpenClusterFileAt(const QString& path) {
  if (generating_ || handoff_.Active()) return;
  const std::filesystem::path file(path.toStdString());
  try {
    ClusterFileReader check(file);
    // A file whose very first record is unsound is no cluster: a star's return would write
    // into it.
    const ClusterScan first = check.ForEach([](const ClusterRecordView&) { return false; });
    if (first.Records == 0 && !first.Problem.empty()) {
      throw ClusterFileError(file, "it is not a cluster file (" + first.Problem + ")",
                             {FileFailure::Kind::WrongKind});
    }
  } catch (const ClusterFileError& error) {
    const QString said = QStringLiteral("Could not open %1: %2")
                             .arg(QString::fromStdString(file.filename().string()),
                                  QString::fromStdString(error.Reason()));
    Report(said);
    ShowFileErrorBox(*this, FileAction::Open, FileType::Cluster, file, error.Failure(), said);
    return;
  }
  DropMarks();
  clusterFile_ = file;
  clusterCode_ = ClusterCodeOfFile(file);
  ShowClusterSeed(std::nullopt);
  setWindowTitle(QStringLiteral("Cluster %1").arg(QString::fromStdString(clusterCode_)));
  selectedRecord_ = 0;
  tempLabel_->clear();
  RedrawCluster();
}

void ClusterDisplay::StartGeneration(const ClusterSettings& settings) {
  if (generating_ || handoff_.Active()) return;
  generating_ = true;
  generatedSize_ = settings.Size;
  cancel_ = false;
  progress_->setValue(0);
  tempLabel_->clear();
  UpdateCommands();
  generationSeed_ = DrawSeed(random_);
  worker_ = std::thread([this, settings, folder = folder_, seed = generationSeed_] {
    ClusterResult result;
    QString error;
    try {
      Random random(seed);  // its own source, as the command line's: the window's stays its own
      result = GenerateCluster(settings, random, folder, [this](const ax::ClusterProgress& step) {
        QMetaObject::invokeMethod(
            this, [this, step] { ShowProgress(step); }, Qt::QueuedConnection);
        return !cancel_.load();
      });
    } catch (const std::exception& failure) {
      error = QString::fromStdString(failure.what());
    }
    QMetaObject::invokeMethod(
        this, [this, result, error] { FinishGeneration(result, error); }, Qt::QueuedConnection);
  });
}

void ClusterDisplay::CancelGeneration() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void ClusterDisplay::ShowProgress(const ax::ClusterProgress& progress) {
  if (!generating_) return;
  progress_->setValue(progress.Percent);
  tempLabel_->setText(StarCountText(progress.Code, progress.Stars));
}

void ClusterDisplay::FinishGeneration(const ClusterResult& result, const QString& error) {
  if (worker_.joinable()) worker_.join();
  generating_ = false;
  UpdateCommands();
  if (!error.isEmpty()) {
    tempLabel_->clear();
    Report(QStringLiteral("The cluster could not be made: %1").arg(error));
    return;
  }
  if (result.Cancelled) {
    tempLabel_->clear();
    Report(QStringLiteral("The generation was cancelled; nothing was written"));
    return;
  }
  DropMarks();
  clusterFile_ = result.File;
  clusterCode_ = result.Code;
  ShowClusterSeed(generationSeed_);
  setWindowTitle(QStringLiteral("Cluster %1").arg(QString::fromStdString(clusterCode_)));
  selectedRecord_ = 0;
  tempLabel_->setText(StarCountText(clusterCode_, result.Stars));
  ShowNewCluster(generatedSize_);
}

void ClusterDisplay::ShowNewCluster(int size) {
  const QString middle = QString::number(size / 2.0);
  xText_->setText(middle);
  yText_->setText(middle);
  zText_->setText(middle);
  RedrawCluster();
}

void ClusterDisplay::dragEnterEvent(QDragEnterEvent* event) {
  if (!generating_ && !handoff_.Active() &&
      !DroppedFile(event->mimeData(), FileType::Cluster).isEmpty()) {
    event->acceptProposedAction();
  }
}

void ClusterDisplay::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData(), FileType::Cluster);
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenClusterFileAt(path);
}

}  // namespace ax
