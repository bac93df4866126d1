#include "edit/WorldRecompute.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "io/SystemFile.h"

namespace ax {
namespace {

// Empties what the survey works out from a body's edited values, so that its procedures start
// as on a new body (an air already there would be kept as it is).
void ClearDerived(World& w, int s, int o, int b) {
  w.BodyPeriod(s, o, b) = 0;
  w.BodyRadius(s, o, b) = 0;
  w.BodyGravity(s, o, b) = 0;
  w.BodyDensity(s, o, b) = 0;
  w.BodyTempHigh(s, o, b) = 0;
  w.BodyTempLow(s, o, b) = 0;
  w.BodyAlbedo(s, o, b) = 0;
  w.BodyRingSize(s, o, b) = 0;
  w.BodyVolcanism(s, o, b) = 0;
  w.BodyRareEarths(s, o, b).clear();
  w.BodyTechEra(s, o, b).clear();
  w.BodyExtinctEra(s, o, b).clear();
  w.BodyAtmosphere(s, o, b).clear();
  for (BodyTable<float>* gas :
       {&w.BodyPressure, &w.BodyNitrogen, &w.BodyCarbonDioxide, &w.BodyHydrogen, &w.BodyHelium,
        &w.BodyOxygen, &w.BodyMethane, &w.BodyAmmonia, &w.BodyWaterVapor, &w.BodyChlorine,
        &w.BodyRadiation, &w.BodyHabitability}) {
    (*gas)(s, o, b) = 0;
  }
  w.BodyContinents(s, o, b) = 0;
  w.BodyLifeComplexity(s, o, b) = 0;
  w.BodyLifeKind(s, o, b).clear();
  w.BodyLifeClassification(s, o, b).clear();
}

}  // namespace

void PrepareSurvey(Survey& survey, World& world, int star, int orbit) {
  // The pair's offsets as a file gives them, whether the system was read or just surveyed.
  SetPairOffsets(world);
  survey.SetOrbitScales();
  survey.PartnerStar = static_cast<std::int16_t>(star == 1 ? 2 : 1);
  survey.YoungSystem = 0.1f >= world.SystemAge ? 1 : 0;
  survey.TempMode = 0;
  world.CurrentStar = static_cast<std::int16_t>(star);
  world.CurrentOrbit = static_cast<std::int16_t>(orbit);
  world.CurrentBody = 0;
}

void RecomputeBody(Survey& survey, World& w, int s, int o, int b, bool keepWater) {
  w.CurrentStar = static_cast<std::int16_t>(s);
  w.CurrentOrbit = static_cast<std::int16_t>(o);
  w.CurrentBody = static_cast<std::int16_t>(b);
  if (b == 0 && IsBelt(w.BodyClass(s, o, 0))) {
    // A belt's world is only where its bodies are: its year and its light.
    survey.MakePeriod();
    survey.ComputeTemperatures();
    return;
  }
  const double period = w.BodyPeriod(s, o, b);
  float& day = w.BodyDayLength(s, o, b);
  const bool dayFollowsYear = period != 0 && std::abs(day) == static_cast<float>(period);
  const float water = w.BodyWaterCover(s, o, b);
  ClearDerived(w, s, o, b);
  w.BodyWaterCover(s, o, b) = keepWater ? water : 0;
  // The classes the survey gives by mass before the air decides the rest.
  const double mass = w.BodyMass(s, o, b);
  w.BodyClass(s, o, b) = mass > 4 ? "J" : b > 0 && mass < 0.001 ? "Z" : "T";

  survey.MakePeriod();
  if (dayFollowsYear) {
    const auto year = static_cast<float>(w.BodyPeriod(s, o, b));
    day = day < 0 ? -year : year;
  }
  survey.RemakeParticulars();
  if (keepWater && water > 0 && w.BodyWaterCover(s, o, b) == water &&
      w.BodyContinents(s, o, b) == 0) {
    survey.PlaceContinents();
  }
  w.CurrentBody = 0;
}

void RecomputeOrbit(Survey& survey, World& w, int s, int o, bool keepWater) {
  if (w.BodyClass(s, o, 0).empty()) return;
  const bool belt = IsBelt(w.BodyClass(s, o, 0));
  RecomputeBody(survey, w, s, o, 0, keepWater && !belt);
  for (int b = 1; b <= w.MoonCount[s][o]; ++b) RecomputeBody(survey, w, s, o, b, false);
}

void RecomputeSystem(Survey& survey, World& w) {
  for (int s = w.StarCount == 1 ? 1 : 0; s <= w.StarCount; ++s) {
    PrepareSurvey(survey, w, s, 0);
    for (int o = 1; o <= w.OrbitCount[s]; ++o) RecomputeOrbit(survey, w, s, o, false);
  }
}

}  // namespace ax
