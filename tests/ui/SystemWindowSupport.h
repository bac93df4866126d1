#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QStatusBar>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <stdexcept>
#include <string>

#include "control/PairSystem.h"
#include "ui/ClusterDisplay.h"
#include "ui/ClusterScreen.h"
#include "ui/SystemDisplay.h"

namespace ax::test {

// A child of a window by its object name; a test failure, not a crash, when it is missing.
template <typename T>
T* Child(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) {
    ADD_FAILURE() << "no " << name;
    throw std::runtime_error(std::string("no ") + name);
  }
  return child;
}

// Runs the event loop until the cluster window's generation is over, or a minute has passed,
// sleeping between looks so that the worker thread gets the processor; true when it is over.
inline bool FinishGeneration(const ClusterDisplay& cluster) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
  tick.start(10);
  while (cluster.Generating() && clock.elapsed() < 60000) loop.exec();
  return !cluster.Generating();
}

// Selects a drawn star as pointing at it in the +Z view does.
inline void SelectStar(ClusterDisplay& cluster, const DrawnStar& star) {
  const ClusterViewState& view = cluster.View();
  auto* screen = Child<ClusterScreen>(cluster, "ClusDisScreen");
  screen->PointerX = (star.X - view.X) * 50 / view.Range + 50;
  screen->PointerY = (star.Y - view.Y) * 50 / view.Range + 50;
  cluster.ClusterSelectStar();
}

// A system window on its own world and a seeded random source, with a file dialog that
// answers what the test puts in NextFile.
struct SystemWindowRig {
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{20261206};
  ClusterHandoff handoff{*world};
  SystemDisplay window{*world, random, handoff};
  QString NextFile;
  FileDialogRequest lastRequest;

  SystemWindowRig() {
    window.ChooseFile = [this](const FileDialogRequest& request) {
      lastRequest = request;
      return NextFile;
    };
  }

  QAction* Item(const char* name) const { return Child<QAction>(window, name); }
  QPushButton* Button(const char* name) const { return Child<QPushButton>(window, name); }
  QString Status() const { return window.statusBar()->currentMessage(); }

  // A new random system without the automatic survey, then the survey.
  void GenerateAndSurvey() {
    Item("SystemMenuGenerateRandom")->trigger();
    Button("SurveyButton")->click();
  }
};

// Runs a test in a fresh temporary folder as the current directory, and goes back after.
class TemporaryCurrentDir {
 public:
  TemporaryCurrentDir() : previous_(QDir::currentPath()) { QDir::setCurrent(folder_.path()); }
  ~TemporaryCurrentDir() { QDir::setCurrent(previous_); }
  TemporaryCurrentDir(const TemporaryCurrentDir&) = delete;
  TemporaryCurrentDir& operator=(const TemporaryCurrentDir&) = delete;

  QString Path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

 private:
  QTemporaryDir folder_;
  QString previous_;
};

}  // namespace ax::test
