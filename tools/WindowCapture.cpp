// Opens a system or cluster file in its window, offscreen, and saves a picture of the window:
// the README's screenshots come from the program itself, so they cannot drift from it.
//
//   astrolattix-capture system FILE.ax2 MODE STAR ORBIT OUT.png
//     (MODE: symbolic, system, report or world; STAR 1 for a single star, 0 to 2 for a pair)
//   astrolattix-capture cluster FILE.AXL OUT.png

#include <QApplication>
#include <QPixmap>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "control/ClusterHandoff.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/ClusterDisplay.h"
#include "ui/SystemDisplay.h"

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 720;

// Shown at its size before anything is opened, so that views fit the size they are seen at.
void Show(QWidget& window) {
  window.resize(kWidth, kHeight);
  window.show();
  QApplication::processEvents();
}

bool Save(QWidget& window, const char* out) {
  QApplication::processEvents();
  if (window.grab().save(QString::fromLocal8Bit(out))) return true;
  std::fprintf(stderr, "astrolattix-capture: could not write %s\n", out);
  return false;
}

// Symbolic and system view from the list; report and world view of the world at `star` and
// `orbit`, as clicking it in the list would.
bool CaptureSystem(ax::World& world, ax::SystemDisplay& window, const char* file,
                   const std::string& mode, int star, int orbit, const char* out) {
  window.Enter();
  Show(window);
  window.OpenSystemFileAt(QString::fromLocal8Bit(file));
  if (!window.SystemPresent()) {
    std::fprintf(stderr, "astrolattix-capture: could not open %s\n", file);
    return false;
  }
  if (mode == "report" || mode == "world") {
    world.CurrentStar = static_cast<std::int16_t>(star);
    world.CurrentOrbit = static_cast<std::int16_t>(orbit);
    window.WorldButtonClick();
  }
  if (mode == "system" || mode == "world") window.ToggleDisplayMode();
  return Save(window, out);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Astrolattix");
  auto world = std::make_unique<ax::World>();
  ax::Random random(1);
  ax::ClusterHandoff handoff(*world);
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "system" && argc == 7) {
    ax::SystemDisplay window(*world, random, handoff);
    return CaptureSystem(*world, window, argv[2], argv[3], std::stoi(argv[4]), std::stoi(argv[5]),
                         argv[6])
               ? 0
               : 1;
  }
  if (what == "cluster" && argc == 4) {
    ax::ClusterDisplay window(*world, random, handoff);
    window.Enter();
    Show(window);
    window.OpenClusterFileAt(QString::fromLocal8Bit(argv[2]));
    return Save(window, argv[3]) ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: astrolattix-capture system FILE.ax2 MODE STAR ORBIT OUT.png\n"
               "       astrolattix-capture cluster FILE.AXL OUT.png\n");
  return 2;
}
