#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace ax {

QString AskFileDialog(QWidget* parent, const QString& title, const FileDialogRequest& request) {
  QFileDialog dialog(parent, title, request.directory, request.filter);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(request.defaultExtension);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

QString ChooseFileWithExtension(const FileChooser& choose, const FileDialogRequest& request) {
  QString path = choose(request);
  if (path.isEmpty()) return path;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + request.defaultExtension;
  return path;
}

}  // namespace ax
