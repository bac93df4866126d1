#include "cli/RenderOptions.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace ax {
namespace {

// A world the world view can centre on: a belt has no world to show.
bool HasWorldView(const World& world, int star, int orbit) {
  const std::string& bodyClass = world.BodyClass(star, orbit, 0);
  return !bodyClass.empty() && !IsBelt(bodyClass);
}

std::string OrbitRange(const World& world, int star) {
  const int count = world.OrbitCount[star];
  if (count == 0) return fmt::format("star {} has no orbits", star);
  if (count == 1) return fmt::format("star {} has orbit 1 only", star);
  return fmt::format("star {} has orbits 1 to {}", star, count);
}

// A world the mode can show: the world view centres on a world, the report reads a belt too.
bool Shows(bool worldView, const World& world, int star, int orbit) {
  return worldView ? HasWorldView(world, star, orbit) : !world.BodyClass(star, orbit, 0).empty();
}

std::optional<int> FirstWorld(bool worldView, const World& world, int star) {
  for (int o = 1; o <= world.OrbitCount[star]; ++o) {
    if (Shows(worldView, world, star, o)) return o;
  }
  return std::nullopt;
}

int CheckStar(const World& world, const RenderOptions& options) {
  if (world.StarCount != 1 && world.StarCount != 2) {
    throw CliInputError("the system has no stars");
  }
  const int firstStar = world.StarCount == 2 ? 0 : 1;
  const int star = options.star.value_or(firstStar);
  if (star < firstStar || star > world.StarCount) {
    throw CliInputError(fmt::format("--star {}: {}", star,
                                    world.StarCount == 2
                                        ? "a pair has stars 0 (both stars), 1 and 2"
                                        : "a single star is star 1"));
  }
  return star;
}

}  // namespace

std::optional<ImageSize> ParseImageSize(std::string_view text) {
  const std::size_t cross = text.find('x');
  if (cross == std::string_view::npos) return std::nullopt;
  const auto side = [](std::string_view digits) -> std::optional<int> {
    int value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end) return std::nullopt;
    if (value < kSmallestImageSide || value > kLargestImageSide) return std::nullopt;
    return value;
  };
  const std::optional<int> width = side(text.substr(0, cross));
  const std::optional<int> height = side(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return ImageSize{*width, *height};
}

std::optional<std::int16_t> RenderDisplayMode(std::string_view name) {
  for (const RenderMode& mode : kRenderModes) {
    if (mode.name == name) return mode.displayMode;
  }
  return std::nullopt;
}

void SelectRenderBody(World& world, const RenderOptions& options) {
  const bool worldView = options.mode == "world";
  const bool oneWorld = worldView || options.mode == "report";
  const char* const shown = worldView ? "to show in the world view" : "to report on";
  int star = CheckStar(world, options);
  int orbit = 0;
  if (options.orbit) {
    orbit = *options.orbit;
    if (orbit < 1 || orbit > world.OrbitCount[star]) {
      throw CliInputError(fmt::format("--orbit {}: {}", orbit, OrbitRange(world, star)));
    }
  } else if (oneWorld) {
    // As the WORLD button does: the first orbit from the selected star on that holds a world;
    // without --star, any star's.
    std::optional<int> found = FirstWorld(worldView, world, star);
    for (int s = world.StarCount == 2 ? 0 : 1; !found && !options.star && s <= world.StarCount;
         ++s) {
      found = FirstWorld(worldView, world, s);
      if (found) star = s;
    }
    if (!found) {
      throw CliInputError(options.star ? fmt::format("star {} has no world {}", star, shown)
                                       : fmt::format("the system has no world {}", shown));
    }
    orbit = *found;
  } else {
    orbit = world.OrbitCount[star] >= 1 ? 1 : 0;
  }

  if (oneWorld && !Shows(worldView, world, star, orbit)) {
    const std::string& bodyClass = world.BodyClass(star, orbit, 0);
    throw CliInputError(
        bodyClass.empty()
            ? fmt::format("--orbit {}: star {} orbit {} holds no world", orbit, star, orbit)
            : fmt::format("--orbit {}: star {} orbit {} is a belt (class {}) and has no world view",
                          orbit, star, orbit, bodyClass));
  }

  const int body = options.body.value_or(0);
  const int moons = world.MoonCount[star][orbit];
  if (body < 0 || body > moons) {
    throw CliInputError(
        fmt::format("--body {}: star {} orbit {} has {}", body, star, orbit,
                    moons == 0 ? "body 0 only" : fmt::format("bodies 0 to {}", moons)));
  }

  world.CurrentStar = static_cast<std::int16_t>(star);
  world.CurrentOrbit = static_cast<std::int16_t>(orbit);
  world.CurrentBody = static_cast<std::int16_t>(body);
}

}  // namespace ax
