#include <QApplication>

#include <memory>

#include "model/Random.h"
#include "model/World.h"
#include "ui/AXSplash.h"
#include "ui/ClusterDisplay.h"
#include "ui/Settings.h"
#include "ui/SystemDisplay.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Astrolattix");
  // The one system in memory, for the whole run; about 400 KB, so on the heap.
  auto world = std::make_unique<ax::World>();
  ax::Random random;  // seeded from the clock
  // The user's settings, made before the windows that keep their geometry in them.
  ax::Settings settings;
  ax::SystemDisplay systemWindow(*world, random);
  ax::ClusterDisplay clusterWindow(*world, random, systemWindow);
  systemWindow.UseSettings(settings);
  clusterWindow.UseSettings(settings);
  ax::AXSplash splash;
  splash.AttachSystemWindow(&systemWindow);
  splash.AttachClusterWindow(&clusterWindow);
  splash.show();
  return QApplication::exec();
}
