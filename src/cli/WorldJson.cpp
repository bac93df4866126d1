#include "cli/WorldJson.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <type_traits>

namespace ax {
namespace {

// A 32-bit float through the shortest decimal that reads back to it, so 4.2f prints as 4.2
// rather than as the nearest double 4.199999809265137.
template <typename T>
nlohmann::ordered_json JsonValue(const T& value) {
  if constexpr (std::is_same_v<T, float>) {
    return ShortestDouble(value);
  } else if constexpr (std::is_same_v<T, TaggedNumber>) {
    return std::visit([](auto number) { return JsonValue(number); }, value);
  } else {
    return value;
  }
}

}  // namespace

double ShortestDouble(float value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  double result = 0;
  std::from_chars(text, written.ptr, result);
  return result;
}

nlohmann::ordered_json WorldToJson(const World& world) {
  nlohmann::ordered_json json;
  json["StarCount"] = world.StarCount;
  json["SystemName"] = world.SystemName;
  json["SystemNote"] = world.SystemNote;
  json["SystemAge"] = JsonValue(world.SystemAge);
  json["StarSeparation"] = world.StarSeparation;
  json["StarPeriod"] = JsonValue(world.StarPeriod);
  json["SystemX"] = JsonValue(world.SystemX);
  json["SystemY"] = JsonValue(world.SystemY);
  json["SystemZ"] = JsonValue(world.SystemZ);
  json["SystemVectorX"] = JsonValue(world.SystemVectorX);
  json["SystemVectorY"] = JsonValue(world.SystemVectorY);
  json["SystemVectorZ"] = JsonValue(world.SystemVectorZ);

  // A single star lives in slot 1 alone; a pair fills 0 (the pair as one body), 1 and 2.
  const int firstStar = world.StarCount == 2 ? 0 : 1;
  const int lastStar = world.StarCount == 2 ? 2 : world.StarCount == 1 ? 1 : 0;
  auto stars = nlohmann::ordered_json::array();
  for (int s = firstStar; s <= lastStar; ++s) {
    stars.push_back({{"index", s},
                     {"StarMass", world.StarMass[s]},
                     {"StarTemperature", world.StarTemperature[s]},
                     {"StarLuminosity", JsonValue(world.StarLuminosity[s])},
                     {"StarType", world.StarType[s]},
                     {"StarAngle", world.StarAngle[s]},
                     {"OrbitCount", world.OrbitCount[s]},
                     {"StarOffset", JsonValue(world.StarOffset[s])},
                     {"BodyName", world.BodyName(s, 0, 0)},
                     {"BodyNote", world.BodyNote(s, 0, 0)}});
  }
  json["stars"] = std::move(stars);

  auto bodies = nlohmann::ordered_json::array();
  for (int s = 0; s < kStarSlots; ++s) {
    for (int o = 1; o <= world.OrbitCount[s]; ++o) {
      for (int b = 0; b <= world.MoonCount[s][o]; ++b) {
        if (world.BodyClass(s, o, b).empty()) {
          continue;
        }
        nlohmann::ordered_json body = {{"star", s}, {"orbit", o}, {"body", b}};
        if (b == 0) {
          body["MoonCount"] = world.MoonCount[s][o];
        }
        ForEachBodyTable(world, [&](const char* name, const auto& table) {
          body[name] = JsonValue(table(s, o, b));
        });
        bodies.push_back(std::move(body));
      }
    }
  }
  json["bodies"] = std::move(bodies);
  return json;
}

}  // namespace ax
