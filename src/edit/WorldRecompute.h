#pragma once

#include "model/World.h"
#include "survey/Survey.h"

namespace ax {

// Gives the survey the working values it has while it makes the worlds of this star: every
// star's orbit scale, the partner star, a young system, the pair's offsets as a file gives them,
// and the selection of (star, orbit, 0).
void PrepareSurvey(Survey& survey, World& world, int star, int orbit);

// Works out again what follows from the values a user edits of one body (its class from its
// mass, its period, particulars, temperatures, air, water, life and civilizations), keeping
// its tilt and day, and a day that followed its year follows the new one. With keepWater the
// water cover given stays unless the air rules it out.
void RecomputeBody(Survey& survey, World& world, int star, int orbit, int body, bool keepWater);

// The world of an orbit and then each of its moons, or the bodies of a belt.
void RecomputeOrbit(Survey& survey, World& world, int star, int orbit, bool keepWater);

// Every world and moon of the system, after a star was edited.
void RecomputeSystem(Survey& survey, World& world);

}  // namespace ax
