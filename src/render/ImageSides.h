#pragma once

namespace ax {

// The sides an exported image may have, in pixels; Qt-free, for the command line's checks.
inline constexpr int kSmallestImageSide = 16;
inline constexpr int kLargestImageSide = 8192;  // a raster image of 256 MB

}  // namespace ax
