#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "TestDraws.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax::test {

// The draws a test works out by hand, then arbitrary ones for the steps handed on to after.
inline std::vector<float> ThenAny(std::vector<float> head, std::uint64_t seed = 1) {
  Random any(seed);
  for (int i = 0; i < 100'000; ++i) head.push_back(any.Uniform());
  return head;
}

// A lone sunlike star (one solar mass and luminosity, 5800 K, orbit scale 1) with Earth on
// orbit 3 at 1 AU: mass, radius, density and gravity 1, a 24-hour day, tilt 23.5; selected.
struct Rig {
  Rig() {
    w.StarCount = 1;
    w.StarType[1] = "G 2 V  ";
    w.StarMass[1] = 1;
    w.StarLuminosity[1] = 1;
    w.StarTemperature[1] = 5800;
    w.SystemAge = 4.5f;
    survey.OrbitScale[1] = 1;
    Select(1, 3, 0);
    w.BodyClass(1, 3, 0) = "T";
    w.BodySemiMajorAxis(1, 3, 0) = 1;
    w.BodyPeriod(1, 3, 0) = 8766;
    w.BodyMass(1, 3, 0) = 1;
    w.BodyRadius(1, 3, 0) = 1;
    w.BodyDensity(1, 3, 0) = 1;
    w.BodyGravity(1, 3, 0) = 1;
    w.BodyDayLength(1, 3, 0) = 24;
    w.BodyObliquity(1, 3, 0) = 23.5f;
  }
  void Select(int star, int orbit, int body = 0) {
    w.CurrentStar = static_cast<std::int16_t>(star);
    w.CurrentOrbit = static_cast<std::int16_t>(orbit);
    w.CurrentBody = static_cast<std::int16_t>(body);
  }
  void Draws(std::vector<float> draws) { random = Random::Scripted(std::move(draws)); }
  // The selected body's element, or another body's on the selected orbit.
  template <typename T>
  T& At(BodyTable<T>& table) {
    return table(w.CurrentStar, w.CurrentOrbit, w.CurrentBody);
  }
  template <typename T>
  T& At(BodyTable<T>& table, int body) {
    return table(w.CurrentStar, w.CurrentOrbit, body);
  }
  int Moons() const { return w.MoonCount[w.CurrentStar][w.CurrentOrbit]; }

  std::unique_ptr<World> world = std::make_unique<World>();
  World& w = *world;
  Random random = Random::Scripted({});
  Survey survey{w, random};
};

// A change to the selected body for a row of a table: one value set, or two changes.
using Change = std::function<void(Rig&)>;
template <typename T, typename V>
Change Set(BodyTable<T> World::*table, V value) {
  return [table, value](Rig& rig) { rig.At(rig.w.*table) = static_cast<T>(value); };
}
inline Change Both(Change first, Change second) {
  return [first, second](Rig& rig) {
    first(rig);
    second(rig);
  };
}

// The orbital elements of a body circling a star or a world closer than 30 AU or 30 radii:
// circular (no doubling rolls), inclined by |1 + 1 - 6.5| / 2 = 2.25 degrees with one failed
// doubling roll, every angle 0.
inline const std::vector<float> kQuietElements = {0.0f,      0.0f, Die(1, 6), Die(1, 6),
                                                  D100(100), 0.0f, 0.0f,      0.0f};

}  // namespace ax::test
