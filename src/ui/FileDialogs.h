#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ax {

// What a file dialog is asked for; the answer is the chosen path or an empty text when the
// user cancelled.
struct FileDialogRequest {
  bool save = false;
  QString directory;
  QString filter;            // "Star Files (*.ax2)"
  QString defaultExtension;  // "ax2"
  QString fileName;          // preset name of a Save As
};

using FileChooser = std::function<QString(const FileDialogRequest&)>;

// The platform's file dialog under `title`.
QString AskFileDialog(QWidget* parent, const QString& title, const FileDialogRequest& request);

// Asks `choose` for a file; a name given without an extension gets the request's default one.
// Empty when the user cancelled.
QString ChooseFileWithExtension(const FileChooser& choose, const FileDialogRequest& request);

}  // namespace ax
