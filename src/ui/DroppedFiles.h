#pragma once

#include <QString>

class QMimeData;

namespace ax {

// The one local file of a drag whose name ends in this suffix (any case), or an empty text.
QString DroppedFile(const QMimeData* data, const QString& suffix);

}  // namespace ax
