#include "edit/Reroll.h"

#include <fmt/format.h>

#include <cmath>
#include <memory>
#include <string>

#include "edit/EditError.h"
#include "edit/WorldRecompute.h"
#include "model/Random.h"
#include "survey/Survey.h"

namespace ax {
namespace {

bool IsStarOf(const World& world, int star) {
  return world.StarCount == 2 ? star >= 0 && star <= 2 : star == 1 && world.StarCount == 1;
}

void EmptyOrbit(World& w, int s, int o) {
  for (int b = 0; b < kBodySlots; ++b) ClearBody(w, s, o, b);
  w.MoonCount[s][o] = 0;
}

// The snow line the survey had when it came to this orbit, from the neighbours as they are: this
// orbit when it is the first giant's place outwards, else the nearest giant beyond it.
std::int16_t SnowLineFor(const World& w, int s, int o) {
  if (w.BodyClass(s, o, 0) == "J" && w.BodyClass(s, o - 1, 0) != "J") {
    return static_cast<std::int16_t>(o);
  }
  for (int further = o + 1; further <= w.OrbitCount[s]; ++further) {
    if (w.BodyClass(s, further, 0) == "J") return static_cast<std::int16_t>(further);
  }
  return 0;
}

// An empty orbit keeps no axis in a file. While a world is made, the orbit inside is taken as a
// file holds it, so that a seed makes the same world in the window as from the saved file.
class InnerAsSaved {
 public:
  InnerAsSaved(World& w, int s, int o) : axis_(w.BodySemiMajorAxis(s, o - 1, 0)), kept_(axis_) {
    if (w.BodyClass(s, o - 1, 0).empty()) axis_ = 0;
  }
  ~InnerAsSaved() { axis_ = kept_; }
  InnerAsSaved(const InnerAsSaved&) = delete;
  InnerAsSaved& operator=(const InnerAsSaved&) = delete;

 private:
  double& axis_;
  double kept_;
};

// The world made at the axis the layout gave the orbit (a remnant's disc spreads afterwards),
// as SurveyWorld makes it, with the world's name and note kept.
void MakeAfresh(World& w, int s, int o, double layoutAxis, Survey& survey) {
  const InnerAsSaved inner(w, s, o);
  const std::string name = w.BodyName(s, o, 0);
  const std::string note = w.BodyNote(s, o, 0);
  EmptyOrbit(w, s, o);
  PrepareSurvey(survey, w, s, o);
  w.BodySemiMajorAxis(s, o, 0) = layoutAxis;
  survey.ClassifyOrbit();
  w.StarSurveyOrbit[s] = SnowLineFor(w, s, o);
  survey.MakeOrbitWorld();
  if (survey.IsRemnant(s)) {
    bool pairWidened = true;  // the pair's orbit widened when the system was surveyed
    survey.FinishRemnantOrbit(pairWidened);
  }
  w.CurrentBody = 0;
  if (!w.BodyClass(s, o, 0).empty()) {
    w.BodyName(s, o, 0) = name;
    w.BodyNote(s, o, 0) = note;
  }
}

// A remnant's worlds were made before its disc spread by the square root of 3.
double Spreading(Survey& survey, int star) {
  return survey.IsRemnant(star) ? std::sqrt(3.0) : 1.0;
}

}  // namespace

void CheckOrbit(const World& world, int star, int orbit) {
  if (!IsStarOf(world, star)) {
    throw EditError(fmt::format("the system has no star {}", star));
  }
  if (orbit < 1 || orbit > world.OrbitCount[star]) {
    throw EditError(fmt::format("star {} has no orbit {} (its orbits are 1 to {})", star, orbit,
                                world.OrbitCount[star]));
  }
}

void CheckWorld(const World& world, int star, int orbit) {
  CheckOrbit(world, star, orbit);
  if (world.BodyClass(star, orbit, 0).empty()) {
    throw EditError(fmt::format("orbit {} of star {} holds no world", orbit, star));
  }
}

void RerollWorld(World& world, int star, int orbit, std::uint64_t seed) {
  CheckWorld(world, star, orbit);
  Random random(seed);
  Survey survey(world, random);
  const double axis = world.BodySemiMajorAxis(star, orbit, 0) / Spreading(survey, star);
  MakeAfresh(world, star, orbit, axis, survey);
}

std::uint64_t OrbitSeed(std::uint64_t seed, int star, int orbit) {
  return MixBits(seed ^ MixBits(static_cast<std::uint64_t>(star * kOrbitSlots + orbit)));
}

int RerollUnlocked(World& world, const Locks& locks, std::uint64_t seed) {
  int rerolled = 0;
  for (int s = world.StarCount == 2 ? 0 : 1; s <= world.StarCount; ++s) {
    for (int o = world.OrbitCount[s]; o >= 1; --o) {
      if (world.BodyClass(s, o, 0).empty() || locks.contains({s, o})) continue;
      RerollWorld(world, s, o, OrbitSeed(seed, s, o));
      ++rerolled;
    }
  }
  return rerolled;
}

void AddWorld(World& world, int star, int orbit, std::uint64_t seed) {
  CheckOrbit(world, star, orbit);
  if (!world.BodyClass(star, orbit, 0).empty()) {
    throw EditError(fmt::format("orbit {} of star {} already holds a world", orbit, star));
  }
  // Worked on a copy: the survey may find no place or no world here.
  auto trial = std::make_unique<World>(world);
  Random random(seed);
  Survey survey(*trial, random);
  PrepareSurvey(survey, *trial, star, orbit);
  // The layout spaces the orbit from the one inside it, as it stood before any disc spread.
  Survey::OrbitFit fit = Survey::OrbitFit::Kept;
  {
    const InnerAsSaved saved(*trial, star, orbit);
    double& inner = trial->BodySemiMajorAxis(star, orbit - 1, 0);
    const double innerAxis = inner;
    inner = innerAxis / Spreading(survey, star);
    fit = survey.PlaceOrbit();
    inner = innerAxis;
  }
  if (fit == Survey::OrbitFit::Kept) {
    MakeAfresh(*trial, star, orbit, trial->BodySemiMajorAxis(star, orbit, 0), survey);
  }
  if (trial->BodyClass(star, orbit, 0).empty()) {
    throw EditError(
        fmt::format("the survey makes no world at orbit {} of star {} this time", orbit, star));
  }
  world = *trial;
}

void RemoveWorld(World& world, int star, int orbit) {
  CheckWorld(world, star, orbit);
  EmptyOrbit(world, star, orbit);
}

}  // namespace ax
