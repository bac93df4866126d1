#pragma once

#include <filesystem>
#include <string>

#include "cli/RenderOptions.h"
#include "model/World.h"

namespace ax {

// Draws a display mode of the file's system into a PNG or SVG image. Makes its own offscreen
// QGuiApplication when there is none. Throws CliInputError and SystemFileError.
void RunRender(const RenderOptions& options);

// The system's report as an HTML dossier with its pictures inline, and the same as a PDF
// file (throws CliInputError when it cannot be saved), each with a QGuiApplication as above.
std::string DossierPage(World& world);
void SaveDossierPdf(World& world, const std::filesystem::path& file);

}  // namespace ax
