#pragma once

#include "model/World.h"

namespace ax::test {

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
