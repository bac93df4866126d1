#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/World.h"

namespace ax {

// What an edited value belongs to: a body's text, a body's number, or a star's number.
enum class EditTarget { BodyText, Body, Star };

// One value a user edits, named by its World table.
struct EditField {
  std::string_view table;  // "BodyMass"
  std::string_view label;  // "Mass"
  std::string_view unit;   // "Earth masses"; empty for a text or a fraction
  EditTarget target;
};

inline constexpr std::array<EditField, 11> kEditFields = {{
    {"BodyName", "Name", "", EditTarget::BodyText},
    {"BodyNote", "Note", "", EditTarget::BodyText},
    {"BodyMass", "Mass", "Earth masses", EditTarget::Body},
    {"BodySemiMajorAxis", "Semi-major axis", "AU", EditTarget::Body},
    {"BodyEccentricity", "Eccentricity", "", EditTarget::Body},
    {"BodyInclination", "Inclination", "degrees", EditTarget::Body},
    {"BodyDayLength", "Day length", "hours, negative for a retrograde spin", EditTarget::Body},
    {"BodyWaterCover", "Water cover", "fraction of the surface", EditTarget::Body},
    {"StarMass", "Star mass", "solar masses", EditTarget::Star},
    {"StarTemperature", "Star temperature", "K", EditTarget::Star},
    {"StarLuminosity", "Star luminosity", "solar units", EditTarget::Star},
}};

// The field of this World table, or null.
const EditField* FindEditField(std::string_view table);

// The least and greatest value a body or star can take in a field, and the range in words.
struct EditRange {
  double least;
  double greatest;
  std::string text;  // "0.002 to 20,000 Earth masses"
};

// The range of a number field for this body (star fields: for the star). Some ranges depend on
// the neighbours: a moon's mass stays below its world's, moons and belt bodies stay in order.
EditRange RangeOf(const World& world, const EditField& field, int star, int orbit, int body);

// The value the field holds now, as a form shows it (six figures).
std::string CurrentText(const World& world, const EditField& field, int star, int orbit, int body);

// The field's unit for this body: a moon's axis is in world radii.
std::string_view UnitOf(const World& world, const EditField& field, int star, int orbit, int body);

// One edited value, as typed.
struct FieldValue {
  std::string table;
  std::string text;
};

// Checks every value first and throws EditError (naming the field, with the range it takes)
// without changing anything on any refusal; then sets them and works out again what depends
// on them, by the survey's procedures, from a seed made of the edit itself, so that the same
// edit gives the same world. A body's edit recomputes that body and, for a world, its moons;
// a star's edit recomputes every world and moon; names, notes and inclinations are only set.
// The orbit may be 0 for star fields only.
void ApplyEdits(World& world, int star, int orbit, int body, const std::vector<FieldValue>& values);

}  // namespace ax
