// The system window's reports: File, Export Report... and Edit, Copy Report.

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QSaveFile>
#include <QStatusBar>

#include <exception>
#include <filesystem>
#include <string>

#include "display/ReportExport.h"
#include "render/Dossier.h"
#include "ui/MenuItems.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

// The name offered for a new report: the system's, without the characters a file name cannot
// hold.
QString SuggestedReportName(const World& world) {
  if (world.SystemName.empty() || world.SystemName == "Star") return {};
  QString name =
      QString::fromLatin1(world.SystemName.data(), static_cast<qsizetype>(world.SystemName.size()));
  for (QChar& c : name) {
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
        c.category() == QChar::Other_Control) {
      c = QLatin1Char(' ');
    }
  }
  name = name.trimmed();
  return name.isEmpty() ? name : name + QStringLiteral(".md");
}

}  // namespace

void SystemDisplay::AddReportCommands() {
  exportReportItem_ =
      InsertItem(fileMenu_, exitItem_, "Export &Report...", "SystemMenuFileExportReport");
  copyReportItem_ = AddItem(editMenu_, "&Copy Report", "SystemMenuEditCopyReport");
  copyReportItem_->setShortcut(QKeySequence::Copy);

  connect(exportReportItem_, &QAction::triggered, this, &SystemDisplay::ExportReport);
  connect(copyReportItem_, &QAction::triggered, this, &SystemDisplay::CopyReport);
  // The selection can move without a command (a click on the report): look again on opening.
  connect(editMenu_, &QMenu::aboutToShow, this, &SystemDisplay::UpdateCommands);
}

void SystemDisplay::ExportReport() {
  if (!commands_.Present()) return;
  FileDialogRequest request;
  request.save = true;
  request.directory = QDir::currentPath();
  request.filter = QStringLiteral("Markdown (*.md);;HTML (*.html *.htm);;PDF (*.pdf)");
  request.defaultExtension = QStringLiteral("md");
  request.fileName = SuggestedReportName(world_);
  QString path = ChooseFile(request);
  if (path.isEmpty()) return;

  // The extension chooses the format; any other name is a Markdown file.
  const QString suffix = QFileInfo(path).suffix().toLower();
  const bool html = suffix == QLatin1String("html") || suffix == QLatin1String("htm");
  const bool pdf = suffix == QLatin1String("pdf");
  if (!html && !pdf && suffix != QLatin1String("md") && suffix != QLatin1String("markdown")) {
    path += QStringLiteral(".md");
  }
  const std::filesystem::path file(path.toStdString());

  std::string text;
  try {
    if (pdf) {
      WriteDossierPdf(world_, file);
    } else {
      text = html ? DossierHtml(world_) : SystemReportMarkdown(world_);
    }
  } catch (const DossierError& error) {
    ShowReadOutFailure(QStringLiteral("export"), file, error.Reason());
    return;
  } catch (const std::exception& error) {
    ShowReadOutFailure(QStringLiteral("export"), file, error.what());
    return;
  }
  // Written beside the target and renamed over it, so a failed export leaves an older file
  // whole.
  QSaveFile out(path);
  const auto size = static_cast<qint64>(text.size());
  if (!pdf &&
      (!out.open(QIODevice::WriteOnly) || out.write(text.data(), size) != size || !out.commit())) {
    ShowReadOutFailure(QStringLiteral("export"), file, out.errorString().toStdString());
    return;
  }
  statusBar()->showMessage(QStringLiteral("Report exported to %1")
                               .arg(QString::fromStdString(file.filename().string())));
}

void SystemDisplay::CopyReport() {
  if (!commands_.BodySelected()) return;
  const std::string text =
      BodyReportText(world_, world_.CurrentStar, world_.CurrentOrbit, world_.CurrentBody);
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  statusBar()->showMessage(QStringLiteral("Report copied to the clipboard"));
}

}  // namespace ax
