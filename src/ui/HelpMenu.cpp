// Help and About: the help page from the program's resources, and the About box.

#include "ui/HelpMenu.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>

#include <string>

#include "model/Version.h"
#include "ui/MenuItems.h"
#include "ui/WindowPlacement.h"

// The help page lives in a static library: its resources are registered by hand, once.
static void RegisterHelpResource() {
  Q_INIT_RESOURCE(help);
}

namespace ax {
namespace {

constexpr int kHelpWidth = 720;   // pixels
constexpr int kHelpHeight = 640;  // pixels

}  // namespace

void AddHelpMenu(QMainWindow& window, const char* windowName) {
  const std::string prefix = std::string(windowName) + "MenuHelp";
  QMenu* help = AddMenu(window.menuBar(), "&Help", prefix.c_str());
  QAction* contents = AddItem(help, "&Help", (prefix + "Contents").c_str());
  QAction* about = AddItem(help, "&About Astrolattix", (prefix + "About").c_str());
  contents->setShortcut(QKeySequence(Qt::Key_F1));
  QObject::connect(contents, &QAction::triggered, &window, [&window] { ShowHelpPage(window); });
  QObject::connect(about, &QAction::triggered, &window, [&window] { ShowAboutBox(window); });
}

void ShowHelpPage(QMainWindow& window) {
  auto* page = window.findChild<QTextBrowser*>(QStringLiteral("HelpPage"));
  if (page == nullptr) {
    static const bool registered = (RegisterHelpResource(), true);
    (void)registered;
    page = new QTextBrowser(&window);
    page->setObjectName(QStringLiteral("HelpPage"));
    page->setWindowFlag(Qt::Window);
    page->setWindowTitle(QStringLiteral("Astrolattix Help"));
    page->setOpenExternalLinks(true);
    page->setSource(QUrl(QStringLiteral("qrc:/help/help.html")));
    page->resize(kHelpWidth, kHelpHeight);
  }
  if (!page->isVisible()) CentreOn(*page, &window);
  page->show();
  page->raise();
  page->activateWindow();
}

void ShowAboutBox(QMainWindow& window) {
  QMessageBox::about(
      &window, QStringLiteral("About Astrolattix"),
      QStringLiteral("<h3>Astrolattix</h3><p>Version %1</p><p>Generates imaginary star systems "
                     "and star clusters, surveys every world and moon, and draws them on their "
                     "orbits.</p>")
          .arg(QLatin1String(kVersion)));
}

}  // namespace ax
