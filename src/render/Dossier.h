#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "model/World.h"

namespace ax {

// A dossier that could not be saved; a file that was there before is left as it was.
class DossierError : public std::runtime_error {
 public:
  DossierError(const std::filesystem::path& file, const std::string& reason);
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// The system's report as a dossier (see SystemReportHtml) with its pictures drawn as the image
// export draws them: the system view and each world's world view, each fitted. Both need a
// QGuiApplication. The world is left as it was.
//
// The HTML page, each picture an inline SVG.
std::string DossierHtml(World& world);
// The same as a PDF: the head on the first page, then a page for each world, each part made
// smaller when it would not fit its page. Saved through a temporary file that replaces `file`
// only once it is whole. Throws DossierError.
void WriteDossierPdf(World& world, const std::filesystem::path& file);

}  // namespace ax
