// What the system window keeps between runs: the Open Recent list, the two options and the
// window's place and size.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>

#include "ui/MenuItems.h"
#include "ui/Settings.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

const QString kAutoSurvey = QStringLiteral("autoSurvey");
const QString kEnableUndo = QStringLiteral("enableUndo");
const QString kFitNewViews = QStringLiteral("fitNewViews");

// Restores a check mark saved earlier and saves it whenever it changes.
void KeepOption(QAction* item, Settings& settings, const QString& name) {
  if (const std::optional<bool> on = settings.Option(name)) item->setChecked(*on);
  QObject::connect(item, &QAction::toggled, item,
                   [&settings, name](bool on) { settings.SetOption(name, on); });
}

}  // namespace

void SystemDisplay::AddRecentFiles() {
  recentMenu_ = new QMenu(QStringLiteral("Open &Recent"), this);
  recentMenu_->setObjectName(QStringLiteral("SystemMenuFileOpenRecent"));
  fileMenu_->insertMenu(saveAsItem_, recentMenu_);
  // A fixed set of items, shown as the list fills: an item is never deleted while it runs.
  for (int i = 0; i < Settings::kRecentFiles; ++i) {
    QAction* item = AddItem(recentMenu_, "", "SystemMenuFileOpenRecentFile");
    connect(item, &QAction::triggered, this,
            [this, item] { OpenRecentFile(item->data().toString()); });
  }
  recentMenu_->addSeparator();
  QAction* clear = AddItem(recentMenu_, "Clear List", "SystemMenuFileOpenRecentClear");
  connect(clear, &QAction::triggered, this, [this] {
    if (settings_ != nullptr) settings_->ClearRecentFiles();
    FillRecentMenu();
  });
  FillRecentMenu();
}

void SystemDisplay::UseSettings(Settings& settings) {
  if (settings_ != nullptr) return;
  settings_ = &settings;
  KeepOption(autoSurveyItem_, settings, kAutoSurvey);
  KeepOption(enableUndoItem_, settings, kEnableUndo);
  KeepOption(fitNewViewsItem_, settings, kFitNewViews);
  settings.KeepGeometry(*this, QStringLiteral("SystemDisplay"));
  FillRecentMenu();
}

void SystemDisplay::RememberFile(const QString& path) {
  if (settings_ == nullptr) return;
  settings_->AddRecentFile(path);
  FillRecentMenu();
}

void SystemDisplay::FillRecentMenu() {
  const QStringList files = settings_ != nullptr ? settings_->RecentFiles() : QStringList();
  const QList<QAction*> items = recentMenu_->actions();
  for (qsizetype i = 0; i < Settings::kRecentFiles; ++i) {
    QAction* item = items[i];
    const bool used = i < files.size();
    item->setVisible(used);
    item->setData(used ? files[i] : QString());
    QString caption = used ? QDir::toNativeSeparators(files[i]) : QString();
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
  }
  items.constLast()->setEnabled(!files.isEmpty());
}

void SystemDisplay::OpenRecentFile(const QString& path) {
  if (!QFileInfo::exists(path)) {
    if (settings_ != nullptr) settings_->RemoveRecentFile(path);
    FillRecentMenu();
    statusBar()->showMessage(
        QStringLiteral("%1 is no longer there; it was taken off the list").arg(path));
    return;
  }
  OpenSystemFileAt(path);
}

}  // namespace ax
