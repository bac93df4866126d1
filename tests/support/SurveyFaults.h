#pragma once

#include <cmath>
#include <string>
#include <type_traits>

#include "model/World.h"

namespace ax::test {

// Checks one surveyed system; returns the first fault found, or the empty string.
inline std::string SurveyFault(const World& w, bool young) {
  for (int s = 0; s < kStarSlots; ++s) {
    const bool used = w.StarCount == 2 || s == 1;
    if (w.StarSurveyOrbit[s] < 0 || w.StarSurveyOrbit[s] > 15) return "snow line out of range";
    if (w.OrbitCount[s] < 0 || w.OrbitCount[s] > 15 || (!used && w.OrbitCount[s] != 0)) {
      return "orbit count " + std::to_string(w.OrbitCount[s]) + " of star " + std::to_string(s);
    }
    for (int o = 0; o <= w.OrbitCount[s]; ++o) {
      const int moons = w.MoonCount[s][o];
      if (moons < 0 || moons > 20) return "moon count " + std::to_string(moons);
      if (o > 0 && w.BodyClass(s, o, 0).empty() && moons != 0) return "moons of an empty orbit";
      // Moons, and belts of more than two bodies, are sorted outwards; a moon stays outside the
      // distance at which its world's tide would tear it apart.
      const std::string& worldClass = w.BodyClass(s, o, 0);
      const bool belt = worldClass == "P" || worldClass == "I";
      for (int b = 2; b <= moons && (!belt || moons > 2); ++b) {
        if (w.BodySemiMajorAxis(s, o, b) < w.BodySemiMajorAxis(s, o, b - 1)) {
          return "bodies out of order at " + std::to_string(s) + "/" + std::to_string(o);
        }
      }
      if (!belt && moons > 0 && w.BodySemiMajorAxis(s, o, 1) < 2.44) return "moon inside 2.44";
      for (int b = 0; b <= moons; ++b) {
        const std::string where =
            std::to_string(s) + "/" + std::to_string(o) + "/" + std::to_string(b);
        std::string fault;
        ForEachBodyTable(w, [&](const char* name, const auto& table) {
          using T = std::remove_cvref_t<decltype(table(s, o, b))>;
          if constexpr (std::is_floating_point_v<T>) {
            if (fault.empty() && !std::isfinite(table(s, o, b))) {
              fault = std::string(name) + " is not finite at " + where;
            }
          }
        });
        if (!fault.empty()) return fault;
        const std::string& bodyClass = w.BodyClass(s, o, b);
        if (o == 0 || bodyClass.empty()) continue;
        if (bodyClass.size() != 1 || bodyClass[0] < 'A' || bodyClass[0] > 'Z') {
          return "class '" + bodyClass + "' at " + where;
        }
        if (young && b == 0 && bodyClass != "P" && bodyClass != "I") {
          return "young world of class " + bodyClass + " at " + where;
        }
        // A protoplanet belt of a young system is its bodies alone; its world has no mass.
        const bool youngBelt = young && b == 0;
        if (!(w.BodyMass(s, o, b) > 0) && !(youngBelt && w.BodyMass(s, o, b) == 0)) {
          return "mass " + std::to_string(w.BodyMass(s, o, b)) + " at " + where;
        }
        const double e = w.BodyEccentricity(s, o, b);
        const double i = w.BodyInclination(s, o, b);
        if (e < 0 || e >= 1 || i < 0 || i > 180 || w.BodyAscendingNode(s, o, b) < 0 ||
            w.BodyAscendingNode(s, o, b) >= 360 || w.BodyPeriastronTime(s, o, b) < 0 ||
            w.BodyPeriastronTime(s, o, b) >= 1) {
          return "orbit elements at " + where;
        }
        for (const float gas :
             {w.BodyPressure(s, o, b), w.BodyNitrogen(s, o, b), w.BodyCarbonDioxide(s, o, b),
              w.BodyHydrogen(s, o, b), w.BodyHelium(s, o, b), w.BodyOxygen(s, o, b),
              w.BodyMethane(s, o, b), w.BodyAmmonia(s, o, b), w.BodyWaterVapor(s, o, b),
              w.BodyChlorine(s, o, b)}) {
          if (gas < 0) return "negative gas at " + where;
        }
        if (w.BodyWaterCover(s, o, b) < 0 || w.BodyWaterCover(s, o, b) > 1 ||
            w.BodyAtmosphere(s, o, b) == "Habcheck") {
          return "water cover or unfinished air at " + where;
        }
        const int life = w.BodyLifeComplexity(s, o, b);
        // Life only on anaerobic, subjovian, chlorine and graded oxygen worlds.
        if (life < 0 || life > 9 ||
            (life > 0 && std::string("NSKABCDEFGH").find(bodyClass) == std::string::npos)) {
          return "life " + std::to_string(life) + " on class " + bodyClass + " at " + where;
        }
        if (w.BodyTempHigh(s, o, b) < w.BodyTempLow(s, o, b) || w.BodyTempLow(s, o, b) < 3 ||
            w.BodyTempHigh(s, o, b) > 20000) {
          return "temperatures " + std::to_string(w.BodyTempHigh(s, o, b)) + "/" +
                 std::to_string(w.BodyTempLow(s, o, b)) + " at " + where;
        }
        // Every body but a belt's world went through its particulars and its air.
        const bool beltWorld = b == 0 && (bodyClass == "P" || bodyClass == "I");
        if (!beltWorld && !(w.BodyDensity(s, o, b) > 0 && w.BodyRadius(s, o, b) > 0 &&
                            w.BodyGravity(s, o, b) > 0 && w.BodyAlbedo(s, o, b) > 0 &&
                            w.BodyAlbedo(s, o, b) < 1)) {
          return "size or albedo of class " + bodyClass + " at " + where;
        }
        if (bodyClass.size() == 1 && bodyClass[0] >= 'A' && bodyClass[0] <= 'H' &&
            w.BodyHabitability(s, o, b) == 0) {
          return "oxygen world not assessed at " + where;
        }
      }
    }
  }
  return "";
}

}  // namespace ax::test
