// Comforts: the recent files, options and window geometry kept between runs, keyboard
// shortcuts, tooltips and files dropped onto the windows.

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>

#include "ui/ClusterDisplay.h"
#include "ui/Settings.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

const QString kAutoSurvey = QStringLiteral("autoSurvey");
const QString kEnableUndo = QStringLiteral("enableUndo");

// The one local file of a drag whose name ends in this suffix (any case), or an empty text.
QString DroppedFile(const QMimeData* data, const QString& suffix) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().constFirst();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0 ? path : QString();
}

// Restores a check mark saved earlier and saves it whenever it changes.
void KeepOption(QAction* item, Settings& settings, const QString& name) {
  if (const std::optional<bool> on = settings.Option(name)) item->setChecked(*on);
  QObject::connect(item, &QAction::toggled, item,
                   [&settings, name](bool on) { settings.SetOption(name, on); });
}

}  // namespace

void SystemDisplay::AddComfortCommands() {
  SystemMenuFileOpenRecent = new QMenu(QStringLiteral("Open &Recent"), this);
  SystemMenuFileOpenRecent->setObjectName(QStringLiteral("SystemMenuFileOpenRecent"));
  SystemMenuFile->insertMenu(SystemMenuFileSaveAs, SystemMenuFileOpenRecent);
  // A fixed set of items, shown as the list fills: an item is never deleted while it runs.
  for (int i = 0; i < Settings::kRecentFiles; ++i) {
    QAction* item = SystemMenuFileOpenRecent->addAction(QString());
    item->setObjectName(QStringLiteral("SystemMenuFileOpenRecentFile"));
    connect(item, &QAction::triggered, this,
            [this, item] { OpenRecentFile(item->data().toString()); });
  }
  SystemMenuFileOpenRecent->addSeparator();
  QAction* clear = SystemMenuFileOpenRecent->addAction(QStringLiteral("Clear List"));
  clear->setObjectName(QStringLiteral("SystemMenuFileOpenRecentClear"));
  connect(clear, &QAction::triggered, this, [this] {
    if (settings_ != nullptr) settings_->ClearRecentFiles();
    FillRecentMenu();
  });
  FillRecentMenu();

  SystemMenuGenerateRandom->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_R), Qt::Key_F5});
  SurveyButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  SystemMenuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  SystemMenuFileSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  SystemMenuEditUndoSystem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));

  ModeButton2->setToolTip(QStringLiteral("Draw the system, or the selected world, on its orbits"));
  ModeButton->setToolTip(QStringLiteral("Back from the drawing to the list or the world report"));
  WorldButton->setToolTip(
      QStringLiteral("WORLD: the report of the first world from the selection on; SYSTEM: back "
                     "to the list of the system"));
  SurveyButton->setToolTip(
      QStringLiteral("Survey the system: its orbits, worlds and moons (Ctrl+U)"));
  JumpButton->setToolTip(
      QStringLiteral("A new random system; from a cluster star, back to the cluster, keeping a "
                     "surveyed system"));
  UpScroll->setToolTip(QStringLiteral("UP: the previous body of the orbit; OUT: halve the zoom"));
  DownScroll->setToolTip(QStringLiteral("DOWN: the next moon; IN: double the zoom"));
  LeftScroll->setToolTip(
      QStringLiteral("The previous world; in the drawings, move the view to the left"));
  RightScroll->setToolTip(
      QStringLiteral("The next world; in the drawings, move the view to the right"));

  setAcceptDrops(true);
}

void SystemDisplay::UseSettings(Settings& settings) {
  if (settings_ != nullptr) return;
  settings_ = &settings;
  KeepOption(SystemMenuOptionsAutoSurvey, settings, kAutoSurvey);
  KeepOption(SystemMenuOptionsEnableUndo, settings, kEnableUndo);
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
  const QList<QAction*> items = SystemMenuFileOpenRecent->actions();
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

void SystemDisplay::dragEnterEvent(QDragEnterEvent* event) {
  if (world_.ClusterMode == 0 && !DroppedFile(event->mimeData(), QStringLiteral("ax2")).isEmpty()) {
    event->acceptProposedAction();
  }
}

void SystemDisplay::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData(), QStringLiteral("ax2"));
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenSystemFileAt(path);
}

void ClusterDisplay::AddComfortCommands() {
  XText->setToolTip(QStringLiteral("The centre of the view along X, in cells"));
  YText->setToolTip(QStringLiteral("The centre of the view along Y, in cells"));
  ZText->setToolTip(QStringLiteral("The centre of the view along Z, in cells"));
  RangeText->setToolTip(QStringLiteral("How far from the centre stars are drawn, in cells"));
  RangeSpinUp->setToolTip(QStringLiteral("Widen the range by one cell"));
  RangeSpinDown->setToolTip(QStringLiteral("Narrow the range by one cell"));
  setAcceptDrops(true);
}

void ClusterDisplay::UseSettings(Settings& settings) {
  settings.KeepGeometry(*this, QStringLiteral("ClusterDisplay"));
}

void ClusterDisplay::dragEnterEvent(QDragEnterEvent* event) {
  if (!generating_ && !jumpActive_ &&
      !DroppedFile(event->mimeData(), QStringLiteral("axl")).isEmpty()) {
    event->acceptProposedAction();
  }
}

void ClusterDisplay::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData(), QStringLiteral("axl"));
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenClusterFileAt(path);
}

}  // namespace ax
