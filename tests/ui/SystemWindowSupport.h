#pragma once

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "model/Random.h"
#include "model/World.h"
#include "ui/SystemDisplay.h"

namespace ax::test {

// A system window on its own world and a seeded random source, with a file dialog that
// answers what the test puts in NextFile.
struct SystemWindowRig {
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{20261206};
  SystemDisplay window{*world, random};
  QString NextFile;
  int dialogs = 0;
  FileDialogRequest lastRequest;

  SystemWindowRig() {
    window.ChooseFile = [this](const FileDialogRequest& request) {
      ++dialogs;
      lastRequest = request;
      return NextFile;
    };
  }

  // A new random system without the automatic survey, then the survey.
  void GenerateAndSurvey() {
    window.SystemMenuGenerateRandom->trigger();
    window.SurveyButton->click();
  }
};

// The first orbit, in star and orbit order, that holds a world.
inline bool FindWorld(const World& world, int& star, int& orbit) {
  for (star = 0; star < kStarSlots; ++star) {
    for (orbit = 1; orbit <= world.OrbitCount[static_cast<std::size_t>(star)]; ++orbit) {
      if (orbit < kOrbitSlots && !world.BodyClass(star, orbit, 0).empty()) return true;
    }
  }
  return false;
}

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

// A hand-made surveyed pair: star 0 (the pair) has a jovian on orbit 1; star 1 a rocky world
// with two moons on orbit 1 and a nitrogen world on orbit 2; star 2 a belt on orbit 1.
inline void BuildPair(World& world) {
  ClearSystem(world);
  world.StarCount = 2;
  world.StarType = {"G 2 V  ", "G 2 V  ", "M 5 V  "};
  world.StarMass = {1.2, 1.0, 0.2};
  world.StarLuminosity = {1.01f, 1.0f, 0.01f};
  world.StarTemperature = {5800, 5800, 3000};
  world.SystemAge = 4.5f;
  world.StarSeparation = 40;
  world.StarPeriod = 230;
  world.OrbitCount = {1, 2, 1};
  const auto place = [&](int s, int o, int b, const char* cls, double axis) {
    world.BodyClass(s, o, b) = cls;
    world.BodySemiMajorAxis(s, o, b) = axis;
    world.BodyPeriod(s, o, b) = 8766 * axis;
    world.BodyMass(s, o, b) = 1;
    world.BodyRadius(s, o, b) = 1;
    world.BodyDensity(s, o, b) = 1;
    world.BodyGravity(s, o, b) = 1;
    world.BodyDayLength(s, o, b) = 24;
  };
  place(0, 1, 0, "J", 120);
  place(1, 1, 0, "T", 1);
  place(1, 1, 1, "Z", 30);
  place(1, 1, 2, "Z", 60);
  world.MoonCount[1][1] = 2;
  place(1, 2, 0, "N", 2);
  place(2, 1, 0, "I", 3);
  world.SystemSurveyed = 1;
  world.CurrentStar = 1;
  world.CurrentOrbit = 1;
  world.CurrentBody = 0;
}

}  // namespace ax::test
