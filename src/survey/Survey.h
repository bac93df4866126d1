#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/Random.h"
#include "model/World.h"

namespace ax {

// The survey works its angles with a degree of 0.01745 radians, the figure its tables were made
// with.
constexpr double kRadiansPerDegree = 0.01745;

// A world lighter than this is a belt of small bodies instead (Earth masses).
constexpr double kLightestWorld = 0.002;
// Inside this many radii of its world a moon is torn apart by the tide.
constexpr double kRocheLimit = 2.45;

// The survey turns a system of stars into a planetary system. Each step works on the body
// named by the world's selection (CurrentStar, CurrentOrbit, CurrentBody) and draws from the
// one random source in the order the steps are written.
class Survey {
 public:
  Survey(World& world, Random& random);

  // The system window's hooks: the star symbols before the survey, one orbit after each world.
  std::function<void()> DrawStarSymbols;
  std::function<void()> DrawOrbitSymbol;
  // Sounds once for every civilization the survey finds (the desktop program beeps).
  std::function<void()> Beep;

  // The Survey action: the whole system, every star and every orbit.
  void SurveySystem();
  void SurveyWorld();

  // The steps of SurveyWorld for one orbit, which also make one world afresh: every star's
  // orbit scale; the selected orbit's axis (the layout's draw, kept clear of the orbit inside
  // and of the stars); its elements, early light and class ("T" or "J") at that axis; its
  // world as the survey makes it there; the spreading of a remnant's disc (the pair widens
  // once, while pairWidened is false).
  void SetOrbitScales();
  enum class OrbitFit { Kept, Torn, Beyond };  // torn by the pair; beyond the star's reach
  OrbitFit PlaceOrbit();
  void ClassifyOrbit();
  void MakeOrbitWorld();
  void FinishRemnantOrbit(bool& pairWidened);

  // World mass and class.
  void MakeTerrestrialWorld();
  void MakeJovianWorld();
  void LimitWorldMass();

  // Orbital elements and period of the selected body.
  void MakeOrbitElements();
  // Only the period, by Kepler's third law from the axis and the mass circled.
  void MakePeriod();

  // Density, radius, gravity, tilt, day, rings, volcanism, rare earths.
  void PhysicalParticulars();
  // The particulars that follow from a body's mass and warmth made again after an edit (size,
  // rings, volcanism, rare earths), keeping its tilt, day, tides and moons; then its air.
  void RemakeParticulars();

  // Moons and tides.
  void MakeMoonSystem();
  void SortMoons();
  void ApplyTides();

  // The large bodies of a belt ("P" or "I" world).
  void MakeMoons();

  // Albedo and surface temperatures.
  void ComputeAlbedo();
  void ComputeTemperatures();
  static double EquilibriumTemperature(double luminosity, double albedo, double distance);
  static double GreenhouseTemperature(double temperature, double pressure, double extra);
  double TiltFactor() const;

  // Atmosphere of the selected body, and through the habitability check its life.
  void MakeAtmosphere();
  void MakeJovianAtmosphere();
  void MakeNoAtmosphere();
  void MakeSubJovianAtmosphere();
  void MakePrimordialAtmosphere();
  void CheckHabitability();
  void MakeThinAtmosphere();
  void MakeTraceAtmosphere();
  void MakeDryAtmosphere();
  void MakeColdAtmosphere();
  void MakeHotAtmosphere();

  // Living worlds.
  void MakeLivingWorld();
  void MakeHydrosphere();
  void PlaceContinents();
  void MakeAnaerobicWorld();
  void MakeOxygenWorld();
  void MakeChlorineWorld();

  // Civilizations of a world whose life reached the top grade.
  void AssignCivilizations();

  // Radiation, compatibility, taint and habitability points of an oxygen world.
  void AssessLife();

  // A white dwarf or a neutron star.
  bool IsRemnant(int star) const;

  // Working values of the survey.
  std::array<double, kStarSlots> OrbitScale{};  // AU: the star's mass, 3x for a remnant
  std::int16_t PartnerStar = 0;                 // the other star of a pair while one is surveyed
  std::int16_t YoungSystem = 0;                 // 1: protoplanets instead of finished worlds
  std::int16_t TempMode = 0;                    // 1: temperatures under the star's early light
  double MoonTide = 0;                          // strongest tide a moon has raised on the world
  float DayNightFactor = 0;                     // day/night spread of the last temperatures
  double DrawScale = 0;                         // spacing of the last belt laid out, AU

  // Working values of the atmosphere and life of one body.
  float SurveyPressure = 0;           // bars the body can hold; every gas is scaled by it
  float SurveyMeanTemp = 0;           // K
  double RetentionIndex = 0;          // how well the body's gravity holds gas at its warmth
  std::int16_t AtmospherePasses = 0;  // ends the chains of atmosphere passes at 10
  std::int16_t ColdPasses = 0;
  float LifeOnsetTime = 0;    // billions of years before life arises
  float OxygenationTime = 0;  // billions of years life needs to change the air

 private:
  // The parts of PhysicalParticulars, in the order of their draws.
  struct BodySize {
    double density;
    double gravity;
  };
  BodySize MakeBodySize();
  void MakeSpin();
  void MakeRings(double gravity);
  void MakeVolcanism(double density);

  // BodyPressure = the gases x (1 + u/50), then albedo and temperatures that fit the new air.
  void FinishWithGases(double gases);
  // An oxygen or a chlorine world: one procedure with the gas and grades of each. Returns
  // false when the heat sent the world back to the habitability check.
  struct ChangedAir;
  bool MakeChangedAirWorld(const ChangedAir& air);
  // Carbon dioxide, methane and ammonia of an air that life has not yet changed.
  void SetEarlyAir(double leftShare, double methaneDivisor);
  // SurveyMeanTemp and RetentionIndex from the selected body's temperatures, mass and radius.
  void ComputeRetention();

  // The selected body's element of a table.
  template <typename T>
  T& Body(BodyTable<T>& table) const {
    return table(world_.CurrentStar, world_.CurrentOrbit, world_.CurrentBody);
  }
  // The element of the world (body 0) on the selected orbit.
  template <typename T>
  T& OrbitWorld(BodyTable<T>& table) const {
    return table(world_.CurrentStar, world_.CurrentOrbit, 0);
  }

  // The fifth character of a star's type text: V, I, D, N or B (0 when there is none).
  char LuminosityLetter(int star) const;
  // The world of the selected orbit is a belt ("P" or "I"), whose bodies circle the star.
  bool InBelt() const;
  // The selected body is a moon: not the world itself and not a body of a belt.
  bool IsMoon() const { return world_.CurrentBody != 0 && !InBelt(); }

  World& world_;
  Random& random_;
};

}  // namespace ax
