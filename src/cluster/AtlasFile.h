#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cluster/Atlas.h"
#include "io/ClusterFile.h"

namespace ax {

// The atlas kept beside its cluster file as CSV: the command line's --csv output, byte for
// byte, so that one writer serves both and either can be read back.

// A CSV field, quoted when it holds a comma, a quote or a line break.
inline std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

void WriteAtlasCsvHeader(std::ostream& out);
void WriteAtlasCsvRow(const AtlasRow& row, std::ostream& out);

// "C01.AXL" -> "C01.atlas.csv", in the same folder.
std::filesystem::path AtlasFilePath(const std::filesystem::path& clusterFile);

// The atlas file exists and was written after the cluster file last changed (a star kept
// writes its record, so the atlas is made anew after it).
bool AtlasFileIsCurrent(const std::filesystem::path& clusterFile);

// The rows of an atlas file; nothing when it cannot be read or is not one.
std::optional<std::vector<AtlasRow>> ReadAtlasFile(const std::filesystem::path& atlasFile);

struct AtlasMade {
  std::vector<AtlasRow> Rows;
  ClusterScan Scan;
  bool Cancelled = false;
  // Only a whole atlas of a sound cluster file, unchanged while it was made, is written.
  bool Written = false;
};

// Makes the whole atlas as MakeAtlas does and writes it beside the cluster file; `going` is told
// the records surveyed so far and may stop it. A stopped, failed or partial atlas leaves no file.
// Throws SystemFileError as MakeAtlas, std::runtime_error when the file cannot be written.
AtlasMade MakeAtlasFile(const std::filesystem::path& clusterFile, int jobs,
                        const std::function<bool(std::int64_t surveyed)>& going = {});

}  // namespace ax
