#include "ui/DroppedFiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace ax {

QString DroppedFile(const QMimeData* data, const QString& suffix) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().constFirst();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0 ? path : QString();
}

}  // namespace ax
