#include "edit/WorldEdit.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "edit/EditError.h"
#include "edit/Reroll.h"
#include "edit/WorldRecompute.h"
#include "generate/StarLimits.h"
#include "io/SystemFile.h"
#include "model/Numbers.h"
#include "model/Random.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// The survey's bounds beside kLightestWorld and kRocheLimit: giants grow to about 20,000 Earth
// masses (doubling from 10,000); orbits tighter than 0.01 AU are put back beyond the star;
// eccentricities above 0.95 are redrawn.
constexpr double kHeaviestWorld = 20000;
constexpr double kLightestBody = 0.00001;
constexpr double kHeaviestBeltBody = 4;
constexpr double kNearestAu = 0.01;
constexpr double kFarthestAu = 100000;
constexpr double kFarthestMoon = 10000;
constexpr double kLargestEccentricity = 0.95;
constexpr double kShortestDay = 0.1;  // hours, either way
constexpr double kLongestDay = 100000;

std::string Figure(double value) {
  return fmt::format("{:.6g}", value);
}

EditRange Range(double least, double greatest, std::string_view unit) {
  std::string text = Figure(least) + " to " + Figure(greatest);
  if (!unit.empty()) text += " " + std::string(unit);
  return {least, greatest, std::move(text)};
}

bool IsBeltWorld(const World& w, int s, int o, int b) {
  return b == 0 && IsBelt(w.BodyClass(s, o, 0));
}

// Bodies of an orbit kept in order outwards (moons, and a belt of more than two bodies) stay
// between their neighbours.
void KeepInOrder(const World& w, int s, int o, int b, double& least, double& greatest) {
  const bool belt = IsBelt(w.BodyClass(s, o, 0));
  const int count = w.MoonCount[s][o];
  if (b == 0 || (belt && count <= 2)) return;
  if (b > 1) least = std::max(least, w.BodySemiMajorAxis(s, o, b - 1));
  if (b < count) greatest = std::min(greatest, w.BodySemiMajorAxis(s, o, b + 1));
}

EditRange AxisRange(const World& w, int s, int o, int b) {
  const bool moon = b > 0 && !IsBelt(w.BodyClass(s, o, 0));
  double least = moon ? kRocheLimit : kNearestAu;
  double greatest = moon ? kFarthestMoon : kFarthestAu;
  if (b == 0 && w.StarCount == 2) {
    // The layout's limits: clear of the pair for a world around both, and within reach of its
    // own star for a world around one.
    if (s == 0) {
      least = std::max(least, 5 * w.StarSeparation);
    } else {
      greatest = std::min({greatest, 0.9 * w.StarSeparation,
                           0.8 * static_cast<double>(w.StarOffset[s == 1 ? 2 : 1])});
    }
  }
  KeepInOrder(w, s, o, b, least, greatest);
  return Range(least, greatest, moon ? "world radii" : "AU");
}

EditRange MassRange(const World& w, int s, int o, int b) {
  if (b > 0 && IsBelt(w.BodyClass(s, o, 0))) {
    return Range(kLightestBody, kHeaviestBeltBody, "Earth masses");
  }
  if (b > 0) return Range(kLightestBody, w.BodyMass(s, o, 0), "Earth masses");
  double heaviestMoon = 0;
  for (int m = 1; m <= w.MoonCount[s][o]; ++m) {
    heaviestMoon = std::max(heaviestMoon, w.BodyMass(s, o, m));
  }
  return Range(std::max(kLightestWorld, heaviestMoon), kHeaviestWorld, "Earth masses");
}

EditRange StarRange(const ValueRange& range, std::string_view unit) {
  return {range.least, range.greatest, std::string(range.text) + " " + std::string(unit)};
}

double ParseNumber(const EditField& field, const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) {
    throw EditError(fmt::format("{}: not a number: {}", field.label, text),
                    std::string(field.table));
  }
  return value;
}

// Same edit, same seed: FNV-1a over the place and the values, spread by MixBits.
std::uint64_t EditSeed(int star, int orbit, int body, const std::vector<FieldValue>& values) {
  std::uint64_t hash = 14695981039346656037ULL;
  const auto add = [&hash](std::string_view text) {
    for (const char c : text) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
    hash ^= 0xff;  // ends each text, so that "ab","c" and "a","bc" differ
    hash *= 1099511628211ULL;
  };
  add(fmt::format("{}/{}/{}", star, orbit, body));
  for (const FieldValue& value : values) {
    add(value.table);
    add(value.text);
  }
  return MixBits(hash);
}

void CheckPlace(const World& w, int star, int orbit, int body, bool bodyFields, bool starFields) {
  if (starFields) {
    if (w.StarCount < 1 || star < 1 || star > w.StarCount) {
      throw EditError(w.StarCount == 2 && star == 0
                          ? "the pair's values follow its two stars: edit star 1 or 2"
                          : fmt::format("the system has no star {}", star));
    }
  }
  if (!bodyFields) return;
  CheckWorld(w, star, orbit);
  if (body < 0 || body > w.MoonCount[star][orbit]) {
    throw EditError(fmt::format("orbit {} of star {} has no body {} (its bodies are 0 to {})",
                                orbit, star, body, w.MoonCount[star][orbit]));
  }
}

// The pair's own values follow its two stars, as the star generation makes them.
void FollowStars(World& w) {
  if (w.StarCount != 2) return;
  w.StarMass[0] = w.StarMass[1] + w.StarMass[2];
  w.StarTemperature[0] = w.StarTemperature[1];
  w.StarLuminosity[0] = w.StarLuminosity[1] + w.StarLuminosity[2];
  w.StarPeriod = ClampToFloat(std::sqrt(Cube(w.StarSeparation) / w.StarMass[0]));
  SetPairOffsets(w);
}

void SetBodyNumber(World& w, std::string_view table, int s, int o, int b, double value) {
  if (table == "BodyMass") w.BodyMass(s, o, b) = value;
  if (table == "BodySemiMajorAxis") w.BodySemiMajorAxis(s, o, b) = value;
  if (table == "BodyEccentricity") w.BodyEccentricity(s, o, b) = value;
  if (table == "BodyInclination") w.BodyInclination(s, o, b) = value;
  if (table == "BodyWaterCover") w.BodyWaterCover(s, o, b) = static_cast<float>(value);
  if (table == "BodyDayLength") {
    w.BodyDayLength(s, o, b) = static_cast<float>(value);
    // A retrograde spin is an axis tilted past 90 degrees.
    float& obliquity = w.BodyObliquity(s, o, b);
    if ((value < 0) != (obliquity > 90)) obliquity = 180 - obliquity;
  }
}

void SetStarNumber(World& w, std::string_view table, int s, double value) {
  if (table == "StarMass") w.StarMass[s] = value;
  if (table == "StarTemperature") {
    w.StarTemperature[s] = static_cast<std::int32_t>(std::lround(value));
  }
  if (table == "StarLuminosity") w.StarLuminosity[s] = static_cast<float>(value);
}

}  // namespace

const EditField* FindEditField(std::string_view table) {
  const auto found = std::find_if(kEditFields.begin(), kEditFields.end(),
                                  [table](const EditField& field) { return field.table == table; });
  return found == kEditFields.end() ? nullptr : &*found;
}

EditRange RangeOf(const World& w, const EditField& field, int s, int o, int b) {
  const std::string_view t = field.table;
  if (t == "BodyMass") return MassRange(w, s, o, b);
  if (t == "BodySemiMajorAxis") return AxisRange(w, s, o, b);
  if (t == "BodyEccentricity") return Range(0, kLargestEccentricity, "");
  if (t == "BodyInclination") return Range(0, 180, "degrees");
  if (t == "BodyDayLength") {
    return {-kLongestDay, kLongestDay,
            fmt::format("{} to {} hours either way (negative: a retrograde spin)",
                        Figure(kShortestDay), Figure(kLongestDay))};
  }
  if (t == "BodyWaterCover") return Range(0, 1, "");
  if (t == "StarMass") return StarRange(kStarMassRange, "solar masses");
  if (t == "StarTemperature") return StarRange(kStarTemperatureRange, "K");
  if (t == "StarLuminosity") return StarRange(kStarLuminosityRange, "solar units");
  return {0, 0, ""};
}

std::string CurrentText(const World& w, const EditField& field, int s, int o, int b) {
  const std::string_view t = field.table;
  if (t == "BodyName") return w.BodyName(s, o, b);
  if (t == "BodyNote") return w.BodyNote(s, o, b);
  double value = 0;
  if (t == "BodyMass") value = w.BodyMass(s, o, b);
  if (t == "BodySemiMajorAxis") value = w.BodySemiMajorAxis(s, o, b);
  if (t == "BodyEccentricity") value = w.BodyEccentricity(s, o, b);
  if (t == "BodyInclination") value = w.BodyInclination(s, o, b);
  if (t == "BodyDayLength") value = w.BodyDayLength(s, o, b);
  if (t == "BodyWaterCover") value = w.BodyWaterCover(s, o, b);
  if (t == "StarMass") value = w.StarMass[s];
  if (t == "StarTemperature") value = w.StarTemperature[s];
  if (t == "StarLuminosity") value = w.StarLuminosity[s];
  return Figure(value);
}

std::string_view UnitOf(const World& w, const EditField& field, int s, int o, int b) {
  if (field.table == "BodySemiMajorAxis") {
    return b > 0 && !IsBelt(w.BodyClass(s, o, 0)) ? "world radii" : "AU";
  }
  return field.unit;
}

void ApplyEdits(World& w, int s, int o, int b, const std::vector<FieldValue>& values) {
  std::vector<const EditField*> fields;
  bool bodyFields = false;
  bool starFields = false;
  for (const FieldValue& value : values) {
    const EditField* field = FindEditField(value.table);
    if (field == nullptr) {
      throw EditError(fmt::format("no field {}", value.table), value.table);
    }
    fields.push_back(field);
    bodyFields = bodyFields || field->target != EditTarget::Star;
    starFields = starFields || field->target == EditTarget::Star;
  }
  CheckPlace(w, s, o, b, bodyFields, starFields);

  std::vector<double> numbers(values.size(), 0.0);
  bool bodyNumbers = false;
  bool waterGiven = false;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const EditField& field = *fields[i];
    const std::string table(field.table);
    if (field.target == EditTarget::BodyText) {
      if (values[i].text.size() > kLongestFileText) {
        throw EditError(
            fmt::format("{} is longer than {} characters", field.label, kLongestFileText), table);
      }
      continue;
    }
    if (field.target == EditTarget::Body && IsBeltWorld(w, s, o, b)) {
      throw EditError(
          fmt::format("{}: a belt's values are those of its bodies; choose one", field.label),
          table);
    }
    const double value = ParseNumber(field, values[i].text);
    const EditRange range = RangeOf(w, field, s, o, b);
    const bool tooSlow = field.table == "BodyDayLength" && std::abs(value) < kShortestDay;
    if (value < range.least || value > range.greatest || tooSlow) {
      throw EditError(fmt::format("{} must be {}", field.label, range.text), table);
    }
    numbers[i] = value;
    // An orbit's tilt enters none of the body's own procedures: it is only set.
    bodyNumbers = bodyNumbers || (field.target == EditTarget::Body && table != "BodyInclination");
    waterGiven = waterGiven || field.table == "BodyWaterCover";
  }

  for (std::size_t i = 0; i < values.size(); ++i) {
    const EditField& field = *fields[i];
    if (field.table == "BodyName") w.BodyName(s, o, b) = values[i].text;
    if (field.table == "BodyNote") w.BodyNote(s, o, b) = values[i].text;
    if (field.target == EditTarget::Body) SetBodyNumber(w, field.table, s, o, b, numbers[i]);
    if (field.target == EditTarget::Star) SetStarNumber(w, field.table, s, numbers[i]);
  }
  if (!bodyNumbers && !starFields) return;

  Random random(EditSeed(s, o, b, values));
  Survey survey(w, random);
  if (starFields) {
    FollowStars(w);
    RecomputeSystem(survey, w);
    return;
  }
  PrepareSurvey(survey, w, s, o);
  if (b == 0) {
    RecomputeOrbit(survey, w, s, o, waterGiven);
  } else {
    RecomputeBody(survey, w, s, o, b, waterGiven);
  }
}

}  // namespace ax
