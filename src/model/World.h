#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace ax {

constexpr int kStarSlots = 3;    // 0 = the pair as one body, 1 = primary, 2 = companion
constexpr int kOrbitSlots = 16;  // 0 = the star's own slot, 1..15 orbits
constexpr int kBodySlots = 21;   // 0 = the world, 1..20 its moons or belt bodies
constexpr int kLastOrbit = kOrbitSlots - 1;

// A world of class P (planetoids) or I (ice bodies) is a belt: its "moons" are the belt's
// large bodies.
inline bool IsBelt(std::string_view bodyClass) {
  return bodyClass == "P" || bodyClass == "I";
}

// Throws std::out_of_range; only reached in builds that check table bounds.
[[noreturn]] void ThrowIndexOutOfRange(int star, int orbit, int body);

// One attribute of every body, indexed [star][orbit][body].
template <typename T>
class BodyTable {
 public:
  T& operator()(int star, int orbit, int body) { return cells_[Index(star, orbit, body)]; }
  const T& operator()(int star, int orbit, int body) const {
    return cells_[Index(star, orbit, body)];
  }

 private:
  static std::size_t Index(int star, int orbit, int body) {
#ifdef AX_CHECK_BOUNDS
    if (star < 0 || star >= kStarSlots || orbit < 0 || orbit >= kOrbitSlots || body < 0 ||
        body >= kBodySlots) {
      ThrowIndexOutOfRange(star, orbit, body);
    }
#endif
    return static_cast<std::size_t>((star * kOrbitSlots + orbit) * kBodySlots + body);
  }

  std::array<T, kStarSlots * kOrbitSlots * kBodySlots> cells_{};
};

// A number that keeps the type it was stored with, as the system file records it.
using TaggedNumber = std::variant<std::int16_t, float, double>;

double TaggedValue(const TaggedNumber& number);

template <typename T>
using StarTable = std::array<T, kStarSlots>;

// The one star system in memory. Generators write it, displays read it, files copy it.
struct World {
  // Body tables; units are those of the survey (Earth masses and radii, hours, AU, kelvin, bars).
  BodyTable<std::string> BodyClass;
  BodyTable<std::string> BodyName;
  BodyTable<std::string> BodyNote;
  BodyTable<double> BodySemiMajorAxis;  // AU for worlds and belt bodies, world radii for moons
  BodyTable<double> BodyEccentricity;
  BodyTable<double> BodyInclination;         // degrees
  BodyTable<double> BodyAscendingNode;       // degrees
  BodyTable<double> BodyPeriastronArgument;  // degrees
  BodyTable<double> BodyPeriastronTime;      // fraction of the period
  BodyTable<double> BodyPeriod;              // hours
  BodyTable<double> BodyMass;                // Earth masses
  BodyTable<float> BodyRadius;               // Earth radii (6378 km)
  BodyTable<float> BodyGravity;              // g
  BodyTable<float> BodyDensity;              // Earth densities (5.52 g/cm3)
  BodyTable<std::int16_t> BodyTempHigh;      // kelvin
  BodyTable<std::int16_t> BodyTempLow;       // kelvin
  BodyTable<float> BodyAlbedo;
  BodyTable<float> BodyObliquity;  // degrees
  BodyTable<float> BodyDayLength;  // hours, negative for retrograde rotation
  BodyTable<std::int16_t> BodyRingSize;
  BodyTable<float> BodyVolcanism;
  BodyTable<std::string> BodyRareEarths;
  BodyTable<std::string> BodyTechEra;
  BodyTable<std::string> BodyExtinctEra;
  BodyTable<std::string> BodyAtmosphere;
  BodyTable<float> BodyPressure;  // bars
  BodyTable<float> BodyNitrogen;  // partial pressures, bars
  BodyTable<float> BodyCarbonDioxide;
  BodyTable<float> BodyHydrogen;
  BodyTable<float> BodyHelium;
  BodyTable<float> BodyOxygen;
  BodyTable<float> BodyMethane;
  BodyTable<float> BodyAmmonia;
  BodyTable<float> BodyWaterVapor;
  BodyTable<float> BodyChlorine;
  BodyTable<float> BodyWaterCover;  // fraction 0..1
  BodyTable<std::int16_t> BodyContinents;
  BodyTable<std::int16_t> BodyLifeComplexity;
  BodyTable<float> BodyRadiation;
  BodyTable<float> BodyHabitability;
  BodyTable<std::string> BodyLifeKind;
  BodyTable<std::string> BodyLifeClassification;

  // Highest body index in use on each orbit, [star][orbit].
  std::array<std::array<std::int16_t, kOrbitSlots>, kStarSlots> MoonCount{};

  // Star tables, index 0 = the pair, 1 = primary, 2 = companion.
  StarTable<double> StarMass{};               // solar masses
  StarTable<std::int32_t> StarTemperature{};  // kelvin
  StarTable<float> StarLuminosity{};          // solar units
  StarTable<std::string> StarType{};          // spectral type text
  StarTable<double> StarAngle{};              // degrees
  StarTable<std::int16_t> OrbitCount{};       // highest orbit index in use
  StarTable<float> StarOffset{};              // AU from the pair's centre
  StarTable<std::int16_t> StarSurveyOrbit{};  // survey working value, not saved

  // Per-system values.
  std::int16_t StarCount = 0;
  std::string SystemName;
  std::string SystemNote;
  float SystemAge = 0;        // billions of years
  double StarSeparation = 0;  // AU
  float StarPeriod = 0;       // years
  TaggedNumber SystemX = std::int16_t{0};
  TaggedNumber SystemY = std::int16_t{0};
  float SystemZ = 0;
  TaggedNumber SystemVectorX = std::int16_t{0};
  TaggedNumber SystemVectorY = std::int16_t{0};
  float SystemVectorZ = 0;
  std::filesystem::path SystemFilePath;
  std::int16_t SystemSaved = 0;
  // 1 once the system has been surveyed or read from a file.
  std::int16_t SystemSurveyed = 0;

  // 1 while the system window shows a star reached from the cluster window.
  std::int16_t ClusterMode = 0;

  // The selection; whole-system passes use it as their loop counters.
  std::int16_t CurrentStar = 0;
  std::int16_t CurrentOrbit = 0;
  std::int16_t CurrentBody = 0;

  std::string ReportText;
};

// Empties the body tables within the counts, the per-orbit and per-star working tables, and
// resets the selection; the star tables and the per-system values are left to ClearStars.
void ClearSystem(World& world);

// Empties every table of one body slot.
void ClearBody(World& world, int star, int orbit, int body);

// Empties the star tables and the per-system values that travel with the stars; with no stars
// it does nothing.
void ClearStars(World& world);

// Calls f(name, table) for every body table of a World or const World, in declaration order,
// which is the order of a body record in a system file.
template <typename W, typename F>
requires std::same_as<std::remove_const_t<W>, World>
void ForEachBodyTable(W& world, F&& f) {
  f("BodyClass", world.BodyClass);
  f("BodyName", world.BodyName);
  f("BodyNote", world.BodyNote);
  f("BodySemiMajorAxis", world.BodySemiMajorAxis);
  f("BodyEccentricity", world.BodyEccentricity);
  f("BodyInclination", world.BodyInclination);
  f("BodyAscendingNode", world.BodyAscendingNode);
  f("BodyPeriastronArgument", world.BodyPeriastronArgument);
  f("BodyPeriastronTime", world.BodyPeriastronTime);
  f("BodyPeriod", world.BodyPeriod);
  f("BodyMass", world.BodyMass);
  f("BodyRadius", world.BodyRadius);
  f("BodyGravity", world.BodyGravity);
  f("BodyDensity", world.BodyDensity);
  f("BodyTempHigh", world.BodyTempHigh);
  f("BodyTempLow", world.BodyTempLow);
  f("BodyAlbedo", world.BodyAlbedo);
  f("BodyObliquity", world.BodyObliquity);
  f("BodyDayLength", world.BodyDayLength);
  f("BodyRingSize", world.BodyRingSize);
  f("BodyVolcanism", world.BodyVolcanism);
  f("BodyRareEarths", world.BodyRareEarths);
  f("BodyTechEra", world.BodyTechEra);
  f("BodyExtinctEra", world.BodyExtinctEra);
  f("BodyAtmosphere", world.BodyAtmosphere);
  f("BodyPressure", world.BodyPressure);
  f("BodyNitrogen", world.BodyNitrogen);
  f("BodyCarbonDioxide", world.BodyCarbonDioxide);
  f("BodyHydrogen", world.BodyHydrogen);
  f("BodyHelium", world.BodyHelium);
  f("BodyOxygen", world.BodyOxygen);
  f("BodyMethane", world.BodyMethane);
  f("BodyAmmonia", world.BodyAmmonia);
  f("BodyWaterVapor", world.BodyWaterVapor);
  f("BodyChlorine", world.BodyChlorine);
  f("BodyWaterCover", world.BodyWaterCover);
  f("BodyContinents", world.BodyContinents);
  f("BodyLifeComplexity", world.BodyLifeComplexity);
  f("BodyRadiation", world.BodyRadiation);
  f("BodyHabitability", world.BodyHabitability);
  f("BodyLifeKind", world.BodyLifeKind);
  f("BodyLifeClassification", world.BodyLifeClassification);
}

}  // namespace ax
