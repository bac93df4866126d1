#pragma once

#include "cli/RenderOptions.h"

namespace ax {

// Draws a display mode of the file's system into a PNG or SVG image. Makes its own offscreen
// QGuiApplication when there is none. Throws CliInputError and SystemFileError.
void RunRender(const RenderOptions& options);

}  // namespace ax
