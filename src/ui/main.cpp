#include <QApplication>

#include "ui/AXSplash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Astrolattix");
  ax::AXSplash splash;
  splash.show();
  return QApplication::exec();
}
