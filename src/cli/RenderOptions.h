#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/Commands.h"
#include "model/World.h"
#include "render/ImageSides.h"

namespace ax {

struct ImageSize {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

// "WxH" with each side within kSmallestImageSide..kLargestImageSide, or nothing.
std::optional<ImageSize> ParseImageSize(std::string_view text);

// What --mode takes: each display mode's name, and the DisplayMode it names.
struct RenderMode {
  std::string_view name;
  std::int16_t displayMode;
};
inline constexpr std::array<RenderMode, 4> kRenderModes = {
    {{"symbolic", 0}, {"system", 1}, {"report", 2}, {"world", 3}}};
// The DisplayMode of a --mode name, or nothing.
std::optional<std::int16_t> RenderDisplayMode(std::string_view name);

struct RenderOptions {
  std::filesystem::path file;
  std::filesystem::path png;  // exactly one of png and svg is given
  std::filesystem::path svg;
  std::string mode = "system";  // a name of kRenderModes
  std::optional<int> star;
  std::optional<int> orbit;
  std::optional<int> body;
  double date = 2000.0;        // years
  std::optional<double> zoom;  // fitted when not given
  std::string size = "800x600";
};

// Selects the body the options name, or the default one, after checking every index against
// the system's counts. Throws CliInputError.
void SelectRenderBody(World& world, const RenderOptions& options);

}  // namespace ax
