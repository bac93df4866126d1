// The system window's files: Open (from the dialog, the recent list or a dropped file), Save
// As and Undo System.

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QStatusBar>

#include "io/FileFilters.h"
#include "ui/DroppedFiles.h"
#include "ui/FileErrorBox.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

FileDialogRequest SystemFileRequest(const FileDialogFilter& filter) {
  FileDialogRequest request;
  request.directory = QDir::currentPath();
  request.filter = QString::fromStdString(filter.description);
  request.defaultExtension = QString::fromStdString(filter.defaultExtension);
  return request;
}

}  // namespace

void SystemDisplay::ShowFileFailure(const CommandResult& result, FileAction action,
                                    const std::filesystem::path& file) {
  if (!result.fileFailure || !result.status) return;
  ShowFileErrorBox(*this, action, FileType::System, file, *result.fileFailure,
                   QString::fromStdString(*result.status));
}

void SystemDisplay::OpenSystemFile() {
  const QString path = ChooseFileWithExtension(ChooseFile, SystemFileRequest(OpenDialogFilter()));
  if (path.isEmpty()) return;
  OpenSystemFileAt(path);
}

void SystemDisplay::OpenSystemFileAt(const QString& path) {
  const std::filesystem::path file(path.toStdString());
  const CommandResult result = commands_.Open(file);
  ShowStatus(result);
  ShowFileFailure(result, FileAction::Open, file);
  if (!result.done) {
    if (!commands_.ClusterStar()) Redraw();
    return;
  }
  RememberFile(path);
  ForgetEdits();
  const std::string locks = edits_.LoadLocks(file);
  if (!locks.empty()) statusBar()->showMessage(QString::fromStdString(locks));
  ShowSymbolicSystem();
}

void SystemDisplay::SaveSystemAs() {
  FileDialogRequest request = SystemFileRequest(SaveDialogFilter(world_, commands_.ClusterCode()));
  request.save = true;
  request.fileName = QString::fromStdString(world_.SystemFilePath.string());
  const QString path = ChooseFileWithExtension(ChooseFile, request);
  if (path.isEmpty()) return;
  const std::filesystem::path file(path.toStdString());
  const CommandResult result = commands_.SaveAs(file);
  ShowStatus(result);
  ShowFileFailure(result, FileAction::Save, file);
  if (result.done) {
    RememberFile(path);
    try {
      edits_.SaveLocks(file);
    } catch (const SystemFileError& error) {
      statusBar()->showMessage(QString::fromStdString(error.what()));
    }
  }
  Redraw();
}

void SystemDisplay::UndoSystem() {
  const CommandResult result = commands_.Undo();
  ShowStatus(result);
  ShowFileFailure(result, FileAction::Undo, UndoCopy::File());
  if (result.done) {
    ForgetEdits();
    edits_.ForgetLocks();
    ShowSymbolicSystem();
  } else if (result.status) {
    Redraw();
  }
}

void SystemDisplay::dragEnterEvent(QDragEnterEvent* event) {
  if (!commands_.ClusterStar() && !DroppedFile(event->mimeData(), FileType::System).isEmpty()) {
    event->acceptProposedAction();
  }
}

void SystemDisplay::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData(), FileType::System);
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenSystemFileAt(path);
}

}  // namespace ax
