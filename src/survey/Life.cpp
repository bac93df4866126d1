#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr double kSunTemperature = 5800;       // K: the times below are scaled from a sunlike star
constexpr float kShortestOxygenation = 0.35f;  // billions of years
constexpr float kLongestOxygenation = 1.5f;    // billions of years
constexpr float kShortestLifeOnset = 0.5f;     // billions of years

}  // namespace

// The air and the grades of life of a world whose life has changed its air.
struct Survey::ChangedAir {
  const char* atmosphere;
  const char* bodyClass;
  BodyTable<float> World::*activeGas;
  double lateRate;    // bars per billion years per g once the air has turned
  double capRatio;    // share of the nitrogen above which the active gas is set back...
  double resetRatio;  // ...to this share; life climbs only above it
  int thresholdFor4;  // d100 + C must exceed each threshold
  double gasFor5;     // bars of active gas that grade 5 needs
  int thresholdFor5;
  double gasFor6;  // bars of active gas that grade 6 needs
  int thresholdFor6;
};

namespace {

// The share of the early, reducing air that is still left at this age. Without any time for
// life to arise and work (both times 0) nothing of it is left, rather than an infinite share.
double EarlyAirLeft(double age, float oxygenationTime, float lifeOnsetTime) {
  const double fullTime = 2.0 * oxygenationTime + lifeOnsetTime;
  if (fullTime <= 0) return 0;
  // Past its time the early air is gone, not below nothing: a partial pressure is never negative.
  return std::max(0.0, 1 - age / fullTime);
}

}  // namespace

void Survey::SetEarlyAir(double leftShare, double methaneDivisor) {
  World& w = world_;
  const double pressure = SurveyPressure;
  const double carbonDioxideFactor = random_.NarrowFactor();
  Body(w.BodyCarbonDioxide) = static_cast<float>(leftShare * pressure / 10 * carbonDioxideFactor);
  const double methaneFactor = random_.WideFactor();
  Body(w.BodyMethane) = static_cast<float>(leftShare * pressure / methaneDivisor * methaneFactor);
  const double ammoniaFactor = random_.WideFactor();
  Body(w.BodyAmmonia) = static_cast<float>(leftShare * pressure / 60 * ammoniaFactor);
}

// An oxygen or chlorine world. Returns false when the heat sent it back to the habitability
// check, so that its life is not named.
bool Survey::MakeChangedAirWorld(const ChangedAir& air) {
  World& w = world_;
  Body(w.BodyAtmosphere) = air.atmosphere;
  Body(w.BodyClass) = air.bodyClass;
  float& gas = Body(w.*air.activeGas);
  std::int16_t& complexity = Body(w.BodyLifeComplexity);
  const double age = w.SystemAge;
  const double pressure = SurveyPressure;
  const double oxygenation = OxygenationTime;
  const double lifeStart = 0.5 * oxygenation + LifeOnsetTime;
  const double turnFactor = random_.NarrowFactor();
  const double airTurned = lifeStart + 1.5 * oxygenation * turnFactor;

  if (age <= airTurned) {
    const double leftShare = EarlyAirLeft(age, OxygenationTime, LifeOnsetTime);
    SetEarlyAir(leftShare, 60);
    const double gasFactor = random_.WideFactor();
    gas = static_cast<float>(0.001 * pressure * gasFactor);
    complexity = 2;
  } else {
    const double nitrogen = Body(w.BodyNitrogen);
    gas = static_cast<float>(air.lateRate * (age - airTurned) * Body(w.BodyGravity));
    Body(w.BodyCarbonDioxide) = 0;
    Body(w.BodyMethane) = 0;
    Body(w.BodyAmmonia) = 0;
    complexity = 3;
    if (gas > air.capRatio * nitrogen) {
      const int roll = random_.RollDie(100);
      gas = static_cast<float>(air.resetRatio * nitrogen + roll / 1000.0);
    }
    if (gas > air.resetRatio * nitrogen) {
      // Quick oxygenation and a long time since give life its chances to climb. A time of 0
      // (never set) is read as the shortest a living world gets.
      const double speedTime = oxygenation > 0 ? oxygenation : kShortestOxygenation;
      const double chance = 10 / speedTime + 10 * (age - airTurned);
      const int rollFor4 = random_.RollDie(100);
      if (rollFor4 + chance > air.thresholdFor4) {
        complexity = 4;
        if (gas > air.gasFor5) {
          const int rollFor5 = random_.RollDie(100);
          if (rollFor5 + chance > air.thresholdFor5) {
            complexity = 5;
            if (gas > air.gasFor6) {
              const int rollFor6 = random_.RollDie(100);
              if (rollFor6 + chance > air.thresholdFor6) complexity = 6;
            }
          }
        }
      }
    }
  }

  const double gases = static_cast<double>(Body(w.BodyNitrogen)) + gas + Body(w.BodyCarbonDioxide) +
                       Body(w.BodyMethane) + Body(w.BodyAmmonia);
  FinishWithGases(gases);
  if (Body(w.BodyTempHigh) > 400 && AtmospherePasses < 10) {
    CheckHabitability();
    return false;
  }
  if (complexity > 5) AssignCivilizations();
  return true;
}

void Survey::MakeLivingWorld() {
  World& w = world_;
  const double age = w.SystemAge;
  const double starTemperature = w.StarTemperature[static_cast<std::size_t>(w.CurrentStar)];
  float& nitrogen = Body(w.BodyNitrogen);
  const double nitrogenBase = age / 50 + 0.7 * SurveyPressure;
  if (nitrogenBase > nitrogen) nitrogen = static_cast<float>(nitrogenBase);

  // A hotter star shortens the time before life arises; a thick nitrogen air lengthens it.
  const double onsetFactor = random_.NarrowFactor();
  LifeOnsetTime =
      static_cast<float>(0.7 * onsetFactor - (starTemperature - kSunTemperature) / 5000);
  if (nitrogen > 5) {
    LifeOnsetTime = static_cast<float>(static_cast<double>(LifeOnsetTime) * nitrogen / 5);
  }
  if (LifeOnsetTime < 0.5) LifeOnsetTime = kShortestLifeOnset;

  if (Body(w.BodyWaterCover) == 0) MakeHydrosphere();

  const double oxygenationFactor = random_.NarrowFactor();
  const double waterCover = Body(w.BodyWaterCover);
  if (waterCover > 0 && starTemperature > 0) {
    OxygenationTime = static_cast<float>(std::sqrt(
        oxygenationFactor * 0.84 * (kSunTemperature / starTemperature) / std::sqrt(waterCover)));
  } else {
    // No ocean or no starlight: the time grows without bound, so it takes its longest value.
    OxygenationTime = kLongestOxygenation;
  }
  if (OxygenationTime > 1.5) OxygenationTime = kLongestOxygenation;
  if (OxygenationTime < 0.35) OxygenationTime = kShortestOxygenation;
  const double meanTemperature = (Body(w.BodyTempHigh) + Body(w.BodyTempLow)) / 2.0;
  if (meanTemperature < 260 && w.CurrentBody == 0) {
    OxygenationTime = static_cast<float>(OxygenationTime * 1.2);
  }
  if (nitrogen > 5) OxygenationTime = static_cast<float>(OxygenationTime * 1.5);

  if (0.5 * OxygenationTime + LifeOnsetTime > age) {
    MakeAnaerobicWorld();
    return;
  }
  const int chlorineRoll = random_.RollDie(100);
  if (chlorineRoll + 10.0 * Body(w.BodyDensity) - age > 100) {
    MakeChlorineWorld();
    return;
  }
  // A chlorine world stays one when it comes back in a later pass.
  if (Body(w.BodyClass) == "K") {
    MakeChlorineWorld();
  } else {
    MakeOxygenWorld();
  }
}

void Survey::MakeHydrosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double starTemperature = w.StarTemperature[static_cast<std::size_t>(w.CurrentStar)];
  const double radius = Body(w.BodyRadius);
  const double high = Body(w.BodyTempHigh);
  const double volcanism = Body(w.BodyVolcanism);

  const double scatter = random_.NarrowFactor();
  // Water grows with the mass a body gathers per area of surface; a body without a radius has
  // no surface to cover.
  double water =
      radius > 0 ? 0.5 * Body(w.BodyMass) / Square(radius) * (age / 10 + 1) * scatter : 0;
  // A hot star's light strips the water over the ages.
  if (starTemperature > 6000) {
    water *= 1 - Square(age * (starTemperature - 6000) / 10000);
  }
  if (volcanism > 1) water *= (volcanism - 1) / 10 + 1;
  if (high > 335) water *= 1 - (high - 335) * age / 1005;
  if (water < 0.2) {
    if (water < 0) {
      const int roll = random_.RollDie(100);
      water = roll / 1000.0;
    }
    random_.DoubleOnChance(30, water, 1);
  }
  if (water > 1.5) {
    water = 1;
  } else if (water > 1) {
    const int roll = random_.RollDie(1000);
    water = 0.9 + roll / 10000.0;
  }
  Body(w.BodyWaterCover) = static_cast<float>(water);
  PlaceContinents();
}

void Survey::PlaceContinents() {
  const double water = Body(world_.BodyWaterCover);
  std::int16_t& continents = Body(world_.BodyContinents);
  if (water < 0.2) {
    continents = 1;
    return;
  }
  if (water > 0.98) {
    continents = 0;
    return;
  }
  // Land shares out into more pieces the nearer it is to half the surface.
  const double landPieces = water > 0.5 ? (1 - water) * 50 : water * 30;
  // Any cover from 0.2 to 0.98 gives a die of at least one face; a die of none (a cover that
  // is not a number) is not rolled and leaves no continent.
  const int faces = landPieces >= 1 ? static_cast<int>(std::floor(landPieces)) : 0;
  int count = 0;
  if (faces >= 1) {
    const int roll = random_.RollDie(static_cast<std::int16_t>(faces));
    count = static_cast<int>(std::floor((faces - roll) * water));
  }
  if (count == 1 && water > 0.5 && water < 0.9) {
    const int roll = random_.RollDie(10);
    if (roll > 5) count = roll / 2;
  }
  if (count < 1 && water < 0.8) count = 1;
  if (water < 0.6) {
    count /= 3;
    if (count < 1) count = 1;
  }
  continents = static_cast<std::int16_t>(count);
}

void Survey::MakeAnaerobicWorld() {
  World& w = world_;
  Body(w.BodyAtmosphere) = "Nitrogen";
  Body(w.BodyClass) = "N";
  Body(w.BodyLifeComplexity) = 1;
  Body(w.BodyLifeKind) = "Anaerobic life";
  ++AtmospherePasses;

  const double leftShare = EarlyAirLeft(w.SystemAge, OxygenationTime, LifeOnsetTime);
  SetEarlyAir(leftShare, 30);
  FinishWithGases(static_cast<double>(Body(w.BodyNitrogen)) + Body(w.BodyCarbonDioxide) +
                  Body(w.BodyMethane) + Body(w.BodyAmmonia));

  if (Body(w.BodyTempHigh) > 400 && AtmospherePasses < 10) {
    Body(w.BodyLifeComplexity) = 0;
    CheckHabitability();
  }
}

void Survey::MakeOxygenWorld() {
  static constexpr ChangedAir kOxygenAir{.atmosphere = "Oxygen",
                                         .bodyClass = "H",
                                         .activeGas = &World::BodyOxygen,
                                         .lateRate = 0.4,
                                         .capRatio = 0.35,
                                         .resetRatio = 0.25,
                                         .thresholdFor4 = 75,
                                         .gasFor5 = 0.02,
                                         .thresholdFor5 = 50,
                                         .gasFor6 = 0.07,
                                         .thresholdFor6 = 50};
  if (MakeChangedAirWorld(kOxygenAir)) {
    AssessLife();
  }
}

void Survey::MakeChlorineWorld() {
  static constexpr ChangedAir kChlorineAir{.atmosphere = "Chlorine",
                                           .bodyClass = "K",
                                           .activeGas = &World::BodyChlorine,
                                           .lateRate = 0.3,
                                           .capRatio = 0.3,
                                           .resetRatio = 0.2,
                                           .thresholdFor4 = 80,
                                           .gasFor5 = 0.03,
                                           .thresholdFor5 = 60,
                                           .gasFor6 = 0.1,
                                           .thresholdFor6 = 60};
  if (MakeChangedAirWorld(kChlorineAir)) {
    Body(world_.BodyLifeKind) = "chlorine-silicon life";
  }
}

}  // namespace ax
