#include "ui/DroppedFiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

namespace ax {

std::optional<FileType> FileTypeOfName(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.compare(QStringLiteral("axl"), Qt::CaseInsensitive) == 0) return FileType::Cluster;
  if (suffix.compare(QStringLiteral("ax2"), Qt::CaseInsensitive) == 0) return FileType::System;
  // Saved under its cluster's code, as the cluster window writes it.
  static const QRegularExpression clusterCode(QStringLiteral("^C[0-9][0-9]$"));
  if (clusterCode.match(suffix).hasMatch()) return FileType::System;
  return std::nullopt;
}

QString DroppedFile(const QMimeData* data, FileType type) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().constFirst();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return FileTypeOfName(path) == type ? path : QString();
}

}  // namespace ax
