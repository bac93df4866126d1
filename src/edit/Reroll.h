#pragma once

#include <cstdint>

#include "io/LockFile.h"
#include "model/World.h"

namespace ax {

// Throws EditError unless the star is one of the system's and the orbit one of its laid-out
// orbits (1 to its orbit count).
void CheckOrbit(const World& world, int star, int orbit);

// Throws EditError unless the orbit also holds a world.
void CheckWorld(const World& world, int star, int orbit);

// Makes the world of an orbit afresh, as the survey makes a world there, from a seed of its
// own: its elements, early light and class at the axis it has, then the world, its
// particulars, moons or belt bodies, temperatures, air, life and civilizations. The world's
// name and note stay; every other orbit is untouched. The survey may find no world there.
// Throws EditError for an orbit without a world.
void RerollWorld(World& world, int star, int orbit, std::uint64_t seed);

// The seed RerollUnlocked gives one orbit, so that RerollWorld with it repeats that world.
std::uint64_t OrbitSeed(std::uint64_t seed, int star, int orbit);

// Rerolls every world not locked, star by star and outermost inwards as the survey goes.
// Returns how many.
int RerollUnlocked(World& world, const Locks& locks, std::uint64_t seed);

// Makes a world at an empty orbit as the survey would: an axis as the layout draws it there,
// then as RerollWorld. Throws EditError for an orbit with a world, or when the survey makes
// none there; then nothing changes.
void AddWorld(World& world, int star, int orbit, std::uint64_t seed);

// Empties an orbit of its world and its moons or belt bodies. Throws EditError for an orbit
// without a world.
void RemoveWorld(World& world, int star, int orbit);

}  // namespace ax
