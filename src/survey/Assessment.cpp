#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr double kEarthlikeStarTemperature = 5800;  // K, the star Earth-type life is measured by

// A radiation term whose divisor is 0 rests on a quantity not worked out (a distance, a day,
// a gravity): the term is left out rather than made infinite.
double Term(double numerator, double divisor) {
  return divisor == 0 ? 0.0 : numerator / divisor;
}

// Points for how far the sea departs from seven to nine tenths of the surface. The cover is a
// stored 32-bit value, so it is compared with the bounds as 32-bit values: 0.7 is 0.7.
double WaterPenalty(float water) {
  if (water == 1.0f) return 15;
  if (water > 0.9f && water < 1.0f) return 10 - 100 * (1 - static_cast<double>(water));
  if (water > 0.1f && water < 0.7f) {
    return 1 / Square(water) + 20 * (0.7 - static_cast<double>(water));
  }
  if (water <= 0.1f) return 113;  // also a dry world, W = 0, before 1/W^2 could be reached
  return 0;
}

double OxygenPenalty(float oxygen) {
  const double o2 = oxygen;
  if (oxygen < 0.15f) {
    double points = 5;
    if (oxygen >= 0.07f && oxygen < 0.12f) {
      points += 2 * Square(100 * (0.12 - o2));
    } else if (oxygen < 0.07f) {
      points += 50 + 750 * (0.07 - o2);
    }
    return points;
  }
  double points = 0;
  if (oxygen > 0.25f) {
    points += 20 * (o2 - 0.25);
    if (oxygen > 0.6f) points += oxygen > 1.8f ? 150 : 120 * (o2 - 0.6);
  }
  return points;
}

std::string ClassLetter(float points) {
  if (points > 200) return "H";
  if (points > 100) return "G";
  if (points > 50) return "F";
  if (points > 30) return "E";
  if (points > 20) return "D";
  if (points > 10) return "C";
  if (points > 5) return "B";
  return "A";
}

}  // namespace

void Survey::AssessLife() {
  World& w = world_;
  const auto star = static_cast<std::size_t>(w.CurrentStar);
  const double density = Body(w.BodyDensity);
  const float dayLength = Body(w.BodyDayLength);
  const double day = std::abs(static_cast<double>(dayLength));
  const double gravity = Body(w.BodyGravity);
  const float oxygen = Body(w.BodyOxygen);
  const float volcanism = Body(w.BodyVolcanism);
  const float water = Body(w.BodyWaterCover);
  const int high = Body(w.BodyTempHigh);
  const int low = Body(w.BodyTempLow);
  double points = 0;  // habitability points, summed in double and stored once

  // Radiation: starlight falls off with the square of the distance, a parent's belts with the
  // square of a moon's; a fast spin's magnetic field and a heavy air shield the surface.
  const double starTerm = Term(10 * static_cast<double>(w.StarLuminosity[star]),
                               Square(OrbitWorld(w.BodySemiMajorAxis)));
  const double fieldTerm = Term(100 * Square(density), day);
  const double airTerm = Term(10 * static_cast<double>(oxygen), gravity) +
                         Term(10 * static_cast<double>(Body(w.BodyPressure)), gravity);
  double parentTerm = 0;
  if (IsMoon()) {
    const double parentBelts =
        Term(50 * static_cast<double>(OrbitWorld(w.BodyDensity)) * OrbitWorld(w.BodyMass),
             Square(Body(w.BodySemiMajorAxis)));
    parentTerm = Term(parentBelts, OrbitWorld(w.BodyDayLength));
  }
  const double unshielded = starTerm + parentTerm - fieldTerm - airTerm;
  // Written so that a sum of opposite infinities (absurd distances in a file) also reads 0.
  Body(w.BodyRadiation) = ClampToFloat(unshielded > 0 ? unshielded : 0);
  const double radiation = Body(w.BodyRadiation);
  points += radiation;

  // Compatibility with Earth-type biochemistry: the further from Earth's conditions, the higher.
  const double departure = std::floor(
      radiation + 5 * std::abs(1 - density) +
      std::abs(kEarthlikeStarTemperature - static_cast<double>(w.StarTemperature[star])) / 500);
  const int dice = random_.RollDice(2, 6);
  // A 16-bit score saturates instead of wrapping when the radiation is extreme.
  auto compatibility = static_cast<std::int16_t>(
      std::min(departure + dice, static_cast<double>(std::numeric_limits<std::int16_t>::max())));
  random_.DoubleOnChance(20, compatibility, 15);
  std::string& lifeKind = Body(w.BodyLifeKind);
  if (compatibility > 15) {
    lifeKind = "incompatible life";
    points += 10;
  } else if (compatibility > 9) {
    lifeKind = "vitamin deficient life";
    points += 5;
  } else if (compatibility == 9) {
    lifeKind = "poisonous life";
    points += 25;
  } else {
    lifeKind = "compatible life";
  }
  const bool poisonous = lifeKind == "poisonous life";

  // Taint of the environment: dense worlds carry heavy metals, radiation makes ozone.
  const int taintDice = random_.RollDice(2, 6);
  double taint = (taintDice - 5) * density + static_cast<double>(volcanism) + radiation / 2;
  if (poisonous) {
    const int poisonDie = random_.RollDie(6);
    taint += poisonDie;
  }
  std::string& classification = Body(w.BodyLifeClassification);
  if (taint > 11) {
    classification = "(Poisonous taint";
    points += 40 + taint;
  } else if (taint > 8) {
    classification = "(Hazardous taint";
    points += 10 + taint;
  } else if (taint > 5) {
    classification = "(Irritant taint)";
    points += 3;
  } else {
    classification.clear();
  }
  if (taint > 8) {
    if (Body(w.BodyDensity) > 1.1f) classification += " - heavy metal particulates";
    if (radiation > 2 && oxygen > 0.01f) classification += " - ozone contamination";
    if (poisonous) classification += " - biological contaminates";
    classification += ")";
  }

  // Surface conditions, each departure from Earth's adding its points.
  const double heat = high > 335 ? (high - 335) / 5.0 : 0;
  const double fastSpin = 20 * static_cast<double>(Body(w.BodyRadius));
  const double spin = fastSpin > day ? fastSpin - day / 2 : 0;
  if (heat + spin > 1) points += heat + spin;
  if (volcanism > 1) points += volcanism;
  if (water < 0.7f && Body(w.BodyContinents) == 1) points += 5;
  if (high > 330) points += (high - 330) / 3.0;
  if (low < 250) points += (250 - low) / 3.0;
  const double meanTemperature = (high + low) / 2.0;
  if (meanTemperature < 283) points += (283 - meanTemperature) / 2;
  if (high - low > 80) {
    // A world that keeps one face to its star bakes on one side and freezes on the other.
    const bool locked = ClampToFloat(Body(w.BodyPeriod)) == dayLength;
    points += locked ? 10 : (high - low - 80) / 2.0;
  }
  points += WaterPenalty(water);
  if (gravity > 1) points += Square(10 * (gravity - 1));
  if (gravity < 0.5) points += Square(10 * (0.5 - gravity));
  points += OxygenPenalty(oxygen);
  const float nitrogen = Body(w.BodyNitrogen);
  if (nitrogen > 5) {
    points += 150;
  } else if (nitrogen > 2) {
    points += 50 * (static_cast<double>(nitrogen) - 2);
  }
  const std::int16_t complexity = Body(w.BodyLifeComplexity);
  if (complexity == 2 || complexity == 3) points += 10;
  if (complexity == 4) points += 5;
  const int lastDie = random_.RollDie(6);
  points += lastDie - 3.5;

  // 0 means "not worked out", so a world that scores exactly nothing keeps a token point.
  float stored = ClampToFloat(points);
  if (stored == 0) stored = 0.0001f;
  Body(w.BodyHabitability) = stored;
  Body(w.BodyClass) = ClassLetter(stored);
}

}  // namespace ax
