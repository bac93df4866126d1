// Help and About: the help page from the program's resources, and the About box.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>

#include "ui/ClusterDisplay.h"
#include "ui/SystemDisplay.h"

// The help page lives in a static library: its resources are registered by hand, once.
static void RegisterHelpResource() {
  Q_INIT_RESOURCE(help);
}

namespace ax {
namespace {

constexpr int kHelpWidth = 720;   // pixels
constexpr int kHelpHeight = 640;  // pixels

QAction* AddHelpItem(QMenu* menu, const char* caption, const char* name) {
  QAction* item = menu->addAction(QString::fromLatin1(caption));
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

// Shows the help page in its own window, made on first use and raised after.
QTextBrowser* ShowHelpPage(QWidget* owner, QTextBrowser* page) {
  if (page == nullptr) {
    static const bool registered = (RegisterHelpResource(), true);
    (void)registered;
    page = new QTextBrowser(owner);
    page->setObjectName(QStringLiteral("HelpPage"));
    page->setWindowFlag(Qt::Window);
    page->setWindowTitle(QStringLiteral("Astrolattix Help"));
    page->setOpenExternalLinks(true);
    page->setSource(QUrl(QStringLiteral("qrc:/help/help.html")));
    page->resize(kHelpWidth, kHelpHeight);
  }
  page->show();
  page->raise();
  page->activateWindow();
  return page;
}

void ShowAboutBox(QWidget* owner) {
  QMessageBox::about(
      owner, QStringLiteral("About Astrolattix"),
      QStringLiteral("<h3>Astrolattix</h3><p>Version %1</p><p>Generates imaginary star systems "
                     "and star clusters, surveys every world and moon, and draws them on their "
                     "orbits.</p>")
          .arg(QStringLiteral(AX_VERSION)));
}

}  // namespace

void SystemDisplay::AddHelpCommands() {
  SystemMenuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  SystemMenuHelp->setObjectName(QStringLiteral("SystemMenuHelp"));
  SystemMenuHelpContents = AddHelpItem(SystemMenuHelp, "&Help", "SystemMenuHelpContents");
  SystemMenuHelpAbout = AddHelpItem(SystemMenuHelp, "&About Astrolattix", "SystemMenuHelpAbout");
  SystemMenuHelpContents->setShortcut(QKeySequence(Qt::Key_F1));
  connect(SystemMenuHelpContents, &QAction::triggered, this, &SystemDisplay::ShowHelp);
  connect(SystemMenuHelpAbout, &QAction::triggered, this, &SystemDisplay::ShowAbout);
}

void SystemDisplay::ShowHelp() {
  HelpPage = ShowHelpPage(this, HelpPage);
}

void SystemDisplay::ShowAbout() {
  ShowAboutBox(this);
}

void ClusterDisplay::AddHelpCommands() {
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("ClusterMenuHelp"));
  ClusterMenuHelpContents = AddHelpItem(help, "&Help", "ClusterMenuHelpContents");
  ClusterMenuHelpAbout = AddHelpItem(help, "&About Astrolattix", "ClusterMenuHelpAbout");
  ClusterMenuHelpContents->setShortcut(QKeySequence(Qt::Key_F1));
  connect(ClusterMenuHelpContents, &QAction::triggered, this,
          [this] { HelpPage = ShowHelpPage(this, HelpPage); });
  connect(ClusterMenuHelpAbout, &QAction::triggered, this, [this] { ShowAboutBox(this); });
}

}  // namespace ax
