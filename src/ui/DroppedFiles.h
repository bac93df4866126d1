#pragma once

#include <QString>

#include <optional>

#include "ui/FileErrorBox.h"

class QMimeData;

namespace ax {

// What a file holds, told by its name as the file manager's types tell it: a cluster file
// (C01.AXL, any case), a system file (sol.ax2, or a cluster star's kept system AX050709.C05),
// or nothing known.
std::optional<FileType> FileTypeOfName(const QString& path);

// The one local file of a drag whose name tells this type, or an empty text.
QString DroppedFile(const QMimeData* data, FileType type);

}  // namespace ax
