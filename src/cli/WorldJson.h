#pragma once

#include <nlohmann/json.hpp>

#include "model/World.h"

namespace ax {

// The system as one JSON object whose keys are the world-model table names, in the order
// of the tables; floats are written with the fewest digits that read back to the same value.
nlohmann::ordered_json WorldToJson(const World& world);

// The double with the fewest digits that reads back as this float: 0.1f is written 0.1, not
// 0.10000000149011612.
double ShortestDouble(float value);

}  // namespace ax
