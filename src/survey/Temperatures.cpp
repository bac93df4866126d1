#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr double kHottestKelvin = 20000;  // the stored temperatures go no higher
// Far above kHottestKelvin, so a body this hot still ends at that cap; keeps fourth powers finite.
constexpr double kSearingKelvin = 1.0e6;
constexpr double kAuPerStandardRadius = 4.3e-05;  // 6378 km
constexpr double kSunKelvin = 5800;
constexpr double kSunRadii = 109.3;  // the Sun's radius in standard radii

bool IsGiant(const std::string& bodyClass) {
  return bodyClass == "J" || bodyClass == "S";
}

// Temperatures go as the fourth root of radiated power.
double FourthRoot(double power) {
  return std::sqrt(std::sqrt(power));
}

// Light from two sources adds as radiated power, the fourth power of temperature.
double RadiatedTogether(double first, double second) {
  return FourthRoot(Square(Square(first)) + Square(Square(second)));
}

// Below absolute zero only absurd inputs can reach; neither end may overflow the table.
std::int16_t WholeKelvin(double kelvin) {
  return static_cast<std::int16_t>(RoundHalfEven(std::clamp(kelvin, 0.0, kHottestKelvin)));
}

}  // namespace

void Survey::ComputeAlbedo() {
  float& albedo = Body(world_.BodyAlbedo);
  if (IsGiant(Body(world_.BodyClass))) {
    albedo = static_cast<float>(random_.RollDice(2, 6) / 100.0 + 0.45);
    return;
  }

  float& pressure = Body(world_.BodyPressure);
  if (pressure < 0) {
    pressure = 0;
  }
  double reflected = (random_.RollDice(2, 6) + 5) / 100.0 + std::sqrt(pressure) / 5;
  const float density = Body(world_.BodyDensity);
  if (density < 0.4f) {
    // Light bodies are icy, and ice is bright.
    if (density < 0.3f) {
      reflected += random_.RollDie(20) / 100.0;
    }
    reflected += random_.RollDie(10) / 100.0;
  }
  if (reflected > 0.52) {
    reflected = random_.RollDice(2, 6) / 100.0 + 0.5;
    if (Body(world_.BodyAtmosphere) == "Carbon Dioxide") {
      reflected += 0.05;
    }
  }
  albedo = static_cast<float>(reflected);
}

void Survey::ComputeTemperatures() {
  const auto star = static_cast<std::size_t>(world_.CurrentStar);
  const float keptLuminosity = world_.StarLuminosity[star];
  if (TempMode == 1) {
    // Worlds form while their star is young and dimmer than it is now.
    double early = 0;
    if (IsRemnant(world_.CurrentStar)) {
      early = 0.75 * Square(Square(OrbitScale[star])) * random_.NarrowFactor();
    } else {
      const double ageing = Cube(world_.StarMass[star]) * world_.SystemAge / 20.0 + 0.75;
      early = keptLuminosity / ageing;
    }
    world_.StarLuminosity[star] = static_cast<float>(early);
  }

  const bool giant = IsGiant(Body(world_.BodyClass));
  const float day = std::abs(Body(world_.BodyDayLength));
  const bool dayIsPeriod = day == static_cast<float>(Body(world_.BodyPeriod));
  float& albedo = Body(world_.BodyAlbedo);
  // Long days let the day side heat up and the night side cool down.
  double dayNight = 1;
  if (!giant) {
    if (TempMode != 1) {
      dayNight = std::pow(day / 32.0, 1.0 / 6);
    }
    dayNight = std::clamp(dayNight, 1.0, 2.0);
    // One face always turned to the star: a day side that never cools.
    if (dayIsPeriod && (world_.CurrentBody == 0 || InBelt())) {
      dayNight = 2;
    }
    if (dayNight > 1 && dayNight < 2) {
      dayNight += albedo / 10.0;
    }
  }
  DayNightFactor = static_cast<float>(dayNight);
  if (albedo == 0) {
    albedo = giant ? 0.5f : 0.15f;
  }

  // The closest approach brings the hot side, the farthest the cold side; tilt moves light
  // from one season to the other. A moon takes the light at its world's distance.
  const double tilt = TiltFactor();
  const double towards = 1 + tilt / 2;
  const double away = 1 - tilt / 2;
  const double reflected = albedo;
  const double axis = OrbitWorld(world_.BodySemiMajorAxis);
  const double eccentricity = OrbitWorld(world_.BodyEccentricity);
  const double nearest = axis * (1 - eccentricity);
  const double farthest = axis * (1 + eccentricity);
  double hot = 0;
  double cold = 0;
  if (world_.StarCount == 1) {
    const double light = world_.StarLuminosity[star];
    hot = EquilibriumTemperature(light * towards, reflected, nearest);
    cold = EquilibriumTemperature(light * away, reflected, farthest);
  } else if (world_.CurrentStar > 0) {
    const double light = world_.StarLuminosity[star];
    const double partnerLight = world_.StarLuminosity[static_cast<std::size_t>(PartnerStar)];
    const double separation = world_.StarSeparation;
    hot = RadiatedTogether(EquilibriumTemperature(light * towards, reflected, nearest),
                           EquilibriumTemperature(partnerLight, reflected, separation - axis));
    cold = RadiatedTogether(EquilibriumTemperature(light * away, reflected, farthest),
                            EquilibriumTemperature(partnerLight, reflected, axis + separation));
  } else {
    // Around the pair, each star at its own offset from the centre, both lit with the pair's
    // combined luminosity.
    const double pairLight = world_.StarLuminosity[0];
    const double firstOffset = world_.StarOffset[1];
    const double secondOffset = world_.StarOffset[2];
    hot = RadiatedTogether(EquilibriumTemperature(pairLight * towards, reflected,
                                                  (axis - firstOffset) * (1 - eccentricity)),
                           EquilibriumTemperature(pairLight * towards, reflected,
                                                  (axis + secondOffset) * (1 - eccentricity)));
    cold = RadiatedTogether(EquilibriumTemperature(pairLight * away, reflected,
                                                   (axis + firstOffset) * (1 + eccentricity)),
                            EquilibriumTemperature(pairLight * away, reflected,
                                                   (axis - secondOffset) * (1 + eccentricity)));
  }

  // A thin atmosphere lets day and night differ; a greenhouse lifts both sides.
  const float pressure = Body(world_.BodyPressure);
  double scaled = hot;
  if (pressure < 1.5f) {
    scaled = scaled * dayNight;
  }
  if (!giant) {
    hot = GreenhouseTemperature(scaled, pressure, 0);
  }
  hot = std::max(hot, scaled);
  scaled = cold;
  if (pressure < 1.5f) {
    scaled = scaled * (2 - dayNight);
  }
  if (!giant) {
    cold = GreenhouseTemperature(scaled, pressure, 0);
  }
  cold = std::max(cold, scaled);
  if (cold > hot) {
    std::swap(hot, cold);
  }

  // A giant parent shines on its moons with its own heat (Stefan-Boltzmann against the Sun).
  if (world_.CurrentBody > 0 && OrbitWorld(world_.BodyMass) > 20) {
    const double parentRadius = OrbitWorld(world_.BodyRadius);
    const double parentDistance =
        parentRadius * Body(world_.BodySemiMajorAxis) * kAuPerStandardRadius;
    const double parentLuminosity = Square(Square(OrbitWorld(world_.BodyTempHigh) / kSunKelvin)) *
                                    Square(parentRadius / kSunRadii);
    const auto parentHeat =
        static_cast<float>(EquilibriumTemperature(parentLuminosity, reflected, parentDistance));
    hot = RadiatedTogether(hot, parentHeat);
    // A moon that keeps one face to its world leaves the far side in the dark.
    if (!dayIsPeriod) {
      cold = RadiatedTogether(hot, parentHeat);
    }
  }

  // Heat left over from the formation of a massive body.
  const double mass = Body(world_.BodyMass);
  const double radius = Body(world_.BodyRadius);
  if (mass > 20 && radius > 0) {
    float internalHeat = 0;
    if (mass > 385) {
      internalHeat = static_cast<float>(72 * FourthRoot(std::pow(mass, 1.7) / Square(radius)));
    } else if (mass > 75) {
      internalHeat = static_cast<float>(72 * FourthRoot(std::pow(mass, 1.2) / Square(radius)));
    } else {
      internalHeat = static_cast<float>(36 * FourthRoot(std::pow(mass, 1.2) / Square(radius)));
    }
    hot = RadiatedTogether(hot, internalHeat);
    cold = RadiatedTogether(cold, internalHeat);
  }

  hot += 10;
  cold -= 20;
  if (!giant) {
    // Thick air carries heat from the day side to the night side.
    if (pressure > 2) {
      hot -= 10;
      cold += 10;
    }
    if (pressure > 10) {
      const double spread = hot - cold;
      hot -= spread / 3;
      cold += spread / 3;
    }
  }
  // Oceans store heat and even out the extremes; dry land does not.
  const float water = Body(world_.BodyWaterCover);
  if (water < 0.6f) {
    hot += 15 * (1 - static_cast<double>(water));
    cold -= 15 * (1 - static_cast<double>(water));
  }
  if (water > 0.8f) {
    hot -= 50 * (static_cast<double>(water) - 0.8);
    cold += 50 * (static_cast<double>(water) - 0.8);
  }
  const double volcanism = Body(world_.BodyVolcanism);
  hot += 3 * volcanism;
  cold += 3 * volcanism;
  if (giant && cold < 20) {
    cold = hot / 2;
  }
  cold = std::max(cold, 3 + hot / 100);
  hot = std::max(hot, cold + 10);
  if (hot > kHottestKelvin) {
    hot = kHottestKelvin;
    cold = kHottestKelvin;
  }
  Body(world_.BodyTempHigh) = WholeKelvin(hot);
  Body(world_.BodyTempLow) = WholeKelvin(cold);

  if (TempMode == 1) {
    world_.StarLuminosity[star] = keptLuminosity;
  }
}

double Survey::EquilibriumTemperature(double luminosity, double albedo, double distance) {
  // No light, or none absorbed: nothing to warm the body.
  if (luminosity <= 0 || albedo >= 1) {
    return 0;
  }
  // Light falls off with the distance however it was measured, so a signed difference of
  // positions counts by its size; a body at the light source itself is as hot as it gets.
  const double reach = std::abs(distance);
  if (reach == 0) {
    return kSearingKelvin;
  }
  const double kelvin =
      279 * FourthRoot(luminosity) * FourthRoot((1 - albedo) / Square(reach));
  return std::min(kelvin, kSearingKelvin);
}

double Survey::GreenhouseTemperature(double temperature, double pressure, double extra) {
  const double warming = extra + 2 * pressure + static_cast<double>(2.0f / 3.0f);
  // Only a pressure below nothing could make this negative; such air holds no heat.
  if (warming <= 0) {
    return 0;
  }
  return FourthRoot(0.75 * Square(Square(temperature)) * warming);
}

double Survey::TiltFactor() const {
  return std::abs(std::sin(Body(world_.BodyObliquity) * kRadiansPerDegree));
}

}  // namespace ax
