#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/World.h"

namespace ax {

// Bad input found after the command line was parsed (an index the file does not have, a file
// that cannot be written): exit status 2 and one line.
class CliInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ImageSize {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

constexpr int kMinImageSide = 16;    // pixels
constexpr int kMaxImageSide = 8192;  // pixels

// "WxH" with each side within kMinImageSide..kMaxImageSide, or nothing.
std::optional<ImageSize> ParseImageSize(std::string_view text);

struct RenderOptions {
  std::filesystem::path file;
  std::filesystem::path png;  // exactly one of png and svg is given
  std::filesystem::path svg;
  std::string mode = "system";  // "system" (DisplayMode 1) or "world" (DisplayMode 3)
  std::optional<int> star;
  std::optional<int> orbit;
  std::optional<int> body;
  double date = 2000.0;  // years
  std::string size = "800x600";
};

// Selects the body the options name, or the default one, after checking every index against
// the system's counts. Throws CliInputError.
void SelectRenderBody(World& world, const RenderOptions& options);

}  // namespace ax
