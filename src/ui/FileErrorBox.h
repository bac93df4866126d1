#pragma once

#include <QString>

#include <filesystem>

#include "io/FileFailure.h"

class QWidget;

namespace ax {

enum class FileAction { Open, Save, Undo, KeepUndoCopy };
enum class FileType { System, Cluster };

// The failure in plain words: "Could not open bad.ax2. It is not a complete Astrolattix system
// file: it ends after 100 bytes."
QString PlainFileFailure(FileAction action, FileType type, const std::filesystem::path& file,
                         const FileFailure& failure);

// Tells the failure over the window in the box FileErrorBox, with the technical detail below.
// The box does not block: the window goes on as it was, and a later failure replaces the text.
void ShowFileErrorBox(QWidget& window, FileAction action, FileType type,
                      const std::filesystem::path& file, const FileFailure& failure,
                      const QString& detail);

}  // namespace ax
