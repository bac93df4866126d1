#pragma once

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/Commands.h"
#include "cluster/AtlasFile.h"
#include "io/ClusterFile.h"

namespace ax {

// The pieces of the commands that print a row per cluster star: CSV fields, JSON lines, and the
// end of a pass that may have stopped at a damaged record.

// CsvField is the atlas file's, so that the atlas's CSV is one writer's.

// One JSON object on a line of its own; texts that are not UTF-8 are replaced, not refused.
inline void PrintJsonLine(const nlohmann::ordered_json& json, std::ostream& out) {
  out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// 0 when the pass read the whole file; else the reason on err and status 2, after the rows of
// the sound records.
inline int ScanStatus(const ClusterScan& scan, const std::filesystem::path& file, std::ostream& out,
                      std::ostream& err) {
  out.flush();
  if (scan.Problem.empty()) return 0;
  fmt::print(err, "astrolattix-cli: {}: {}\n", file.string(), scan.Problem);
  return kExitBadInput;
}

}  // namespace ax
