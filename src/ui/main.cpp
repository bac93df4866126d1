#include <QApplication>
#include <QIcon>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <string_view>

#include "control/ClusterHandoff.h"
#include "model/Random.h"
#include "model/Version.h"
#include "model/World.h"
#include "ui/ClusterDisplay.h"
#include "ui/Settings.h"
#include "ui/StartForm.h"
#include "ui/SystemDisplay.h"

int main(int argc, char** argv) {
  // Answered before the application is made: it needs no display and opens no window.
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") {
      std::printf("astrolattix %s\n", ax::kVersion);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Astrolattix");
  // Desktops match the windows to the installed entry by this name, and show its icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(ax::kAppId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/astrolattix.svg")));
  // The one system in memory, for the whole run; about 400 KB, so on the heap.
  auto world = std::make_unique<ax::World>();
  ax::Random random;  // seeded from the clock
  // The user's settings, made before the windows that keep their geometry in them.
  ax::Settings settings;
  // A cluster star's system goes from the cluster window to the system window and back.
  ax::ClusterHandoff handoff(*world);
  ax::SystemDisplay systemWindow(*world, random, handoff);
  ax::ClusterDisplay clusterWindow(*world, random, handoff);
  systemWindow.UseSettings(settings);
  clusterWindow.UseSettings(settings);
  ax::StartForm start;
  start.AttachSystemWindow(&systemWindow);
  start.AttachClusterWindow(&clusterWindow);
  // "astrolattix sol.ax2", as the desktop entry starts it for a file: straight into its window.
  const QStringList files = QApplication::arguments().mid(1);
  if (files.isEmpty()) {
    start.show();
  } else {
    start.OpenFile(files.constFirst());
  }
  return QApplication::exec();
}
