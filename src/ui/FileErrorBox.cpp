#include "ui/FileErrorBox.h"

#include <QMessageBox>

#include "io/SystemFile.h"

namespace ax {
namespace {

QString Lead(FileAction action, const QString& name) {
  switch (action) {
    case FileAction::Open: return QStringLiteral("Could not open %1.").arg(name);
    case FileAction::Save: return QStringLiteral("Could not save %1.").arg(name);
    case FileAction::Undo:
      return QStringLiteral("Could not bring back the system kept in %1.").arg(name);
    case FileAction::KeepUndoCopy:
      return QStringLiteral(
                 "Could not keep a copy of the system in %1 for Undo System, so the "
                 "system stays.")
          .arg(name);
  }
  return name;
}

QString Reason(FileType type, const FileFailure& failure) {
  using Kind = FileFailure::Kind;
  const QString kind = type == FileType::System ? QStringLiteral("Astrolattix system file")
                                                : QStringLiteral("Astrolattix cluster file");
  const QString where = QString::fromStdString(failure.where);
  switch (failure.kind) {
    case Kind::Missing: return QStringLiteral("There is no such file.");
    case Kind::Folder: return QStringLiteral("It is a folder, not a file.");
    case Kind::NotAFile: return QStringLiteral("It is a device or a pipe, not a file.");
    case Kind::Unreadable:
      return QStringLiteral("The file cannot be read: you may not be allowed to read it.");
    case Kind::Unwritable:
      return QStringLiteral(
          "It cannot be written there: the folder may be missing or full, or "
          "you may not be allowed to write to it.");
    case Kind::WrongKind: return QStringLiteral("It is not an %1.").arg(kind);
    case Kind::TooLarge:
      return QStringLiteral("It is not an %1: it is larger than any such file can be.").arg(kind);
    case Kind::Empty: return QStringLiteral("It is empty.");
    case Kind::EndsEarly:
      return QStringLiteral("It is not a complete %1: it ends after %2 %3.")
          .arg(kind)
          .arg(failure.size)
          .arg(failure.size == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"));
    case Kind::OutOfRange:
      return QStringLiteral("It is a damaged %1: %2 is out of range.").arg(kind, where);
    case Kind::Damaged:
      return QStringLiteral("It is a damaged %1: %2 cannot be read.").arg(kind, where);
    case Kind::TextTooLong:
      return QStringLiteral("A name or note is longer than the %1 characters a file can hold.")
          .arg(kLongestFileText);
    case Kind::Other: break;
  }
  return QStringLiteral("The file cannot be used.");
}

}  // namespace

QString PlainFileFailure(FileAction action, FileType type, const std::filesystem::path& file,
                         const FileFailure& failure) {
  return Lead(action, QString::fromStdString(file.filename().string())) + QLatin1Char(' ') +
         Reason(type, failure);
}

void ShowFileErrorBox(QWidget& window, FileAction action, FileType type,
                      const std::filesystem::path& file, const FileFailure& failure,
                      const QString& detail) {
  auto* box = window.findChild<QMessageBox*>(QStringLiteral("FileErrorBox"));
  if (box == nullptr) {
    box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Astrolattix"), QString(),
                          QMessageBox::Ok, &window);
    box->setObjectName(QStringLiteral("FileErrorBox"));
    box->setWindowModality(Qt::WindowModal);
  }
  box->setText(PlainFileFailure(action, type, file, failure));
  box->setInformativeText(detail);
  box->open();
}

}  // namespace ax
