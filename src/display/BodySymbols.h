#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "display/Canvas.h"
#include "model/World.h"

namespace ax {

// What a body looks like in the orbit view, its symbol's size and colour, and what its class
// means in words.
struct BodySymbol {
  float size = 1;
  std::optional<Colour> colour;  // none: the colour is left as it was
  std::string_view meaning;      // empty for a class without one
};

// The symbol of a body by its class (a "Z" body takes its world's class into account, a "J"
// world its mass).
BodySymbol SymbolOf(const World& world, int star, int orbit, int body);
// The colour of a star's spectral type, or none for a type without one.
std::optional<Colour> StarColourOf(std::string_view type);
// The star's radius in drawing units at zoom 1, by its mass and luminosity class.
double StarRadius(double mass, std::string_view type);

// The least width a disc is drawn in pixels, whatever the zoom, so that every body can be seen
// and a giant told from a dwarf at a glance: for a star by its luminosity class, for a world by
// its class (moons and belt members the least of all).
inline constexpr double kLeastPixels = 5;
double StarLeastPixels(std::string_view type);
double BodyLeastPixels(const World& world, int star, int orbit, int body);

// The symbol colour of a body class, and of a star's spectral type: shared by the orbit view,
// the symbolic list and the world report. A class or type without a colour of its own gives
// palette colour 10, the default pen.
Colour BodyClassColour(const World& world, int star, int orbit, int body);
Colour StarColour(const std::string& starType);

}  // namespace ax
