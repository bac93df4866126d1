#include "cli/AtlasCommand.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>
#include <nlohmann/json.hpp>

#include <charconv>
#include <optional>

#include "cli/Commands.h"
#include "cli/RowOutput.h"
#include "cli/WorldJson.h"
#include "io/SystemFile.h"

namespace ax {
namespace {

enum class AtlasFormat { Text, Csv, Json };

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

// "A-B", "A-" or "-B": records A to B, from 1.
std::optional<AtlasRecords> ParseRecords(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  AtlasRecords records;
  if (dash > 0) {
    const auto first = WholeNumber(text.substr(0, dash));
    if (!first) return std::nullopt;
    records.First = *first;
  }
  if (dash + 1 < text.size()) {
    const auto last = WholeNumber(text.substr(dash + 1));
    if (!last || *last < records.First) return std::nullopt;
    records.Last = *last;
  }
  return records;
}

std::optional<std::array<float, 3>> ParsePoint(const std::string& text) {
  std::array<float, 3> point{};
  std::size_t at = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::size_t comma = axis < 2 ? text.find(',', at) : text.size();
    if (comma == std::string::npos) return std::nullopt;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, text.data() + comma, point[axis]);
    if (error != std::errc() || end != text.data() + comma) return std::nullopt;
    at = comma + 1;
  }
  return point;
}

void PrintHeader(AtlasFormat format, std::ostream& out) {
  if (format == AtlasFormat::Csv) {
    WriteAtlasCsvHeader(out);
  } else if (format == AtlasFormat::Text) {
    fmt::print(out, "{:>7} {:<26} {:>11} {:<7} {:<7} {:>6} {:>5} {:>5} {:>4} {:>6} {:>3} {}\n",
               "record", "name", "cell", "type 1", "type 2", "worlds", "moons", "belts", "life",
               "hab", "civ", "kept");
  }
}

void PrintRow(const AtlasRow& row, AtlasFormat format, std::ostream& out) {
  const std::array<int, 3> cell = row.Cell();
  switch (format) {
    case AtlasFormat::Text:
      fmt::print(out, "{:>7} {:<26} {:>11} {:<7} {:<7} {:>6} {:>5} {:>5} {:>4} {:>6.3f} {:>3} {}\n",
                 row.Record, row.Name, fmt::format("{},{},{}", cell[0], cell[1], cell[2]),
                 row.Type1, row.Type2, row.Worlds, row.Moons, row.BeltBodies, row.HighestLife,
                 row.BestHabitability, row.Civilizations(), row.Kept ? "kept" : "");
      break;
    case AtlasFormat::Csv: WriteAtlasCsvRow(row, out); break;
    case AtlasFormat::Json: {
      nlohmann::ordered_json classes = nlohmann::ordered_json::object();
      for (std::size_t i = 0; i < kAtlasClasses.size(); ++i) {
        if (row.Classes[i] > 0) classes[std::string(1, kAtlasClasses[i])] = row.Classes[i];
      }
      auto types = nlohmann::ordered_json::array({row.Type1});
      if (!row.Type2.empty()) types.push_back(row.Type2);
      const nlohmann::ordered_json json = {
          {"record", row.Record},
          {"name", row.Name},
          {"cell", cell},
          {"position",
           {ShortestDouble(row.Position[0]), ShortestDouble(row.Position[1]),
            ShortestDouble(row.Position[2])}},
          {"types", types},
          {"worlds", row.Worlds},
          {"moons", row.Moons},
          {"belt_bodies", row.BeltBodies},
          {"classes", classes},
          {"best_habitability", ShortestDouble(row.BestHabitability)},
          {"highest_life", row.HighestLife},
          {"eras", row.Eras},
          {"kept", row.Kept}};
      PrintJsonLine(json, out);
      break;
    }
  }
}

}  // namespace

AtlasCommand::AtlasCommand(CLI::App& app) {
  atlas_ = app.add_subcommand(
      "atlas", "Survey every star's own system of a cluster and print a row per star.");
  atlas_->add_option("file", file_, "The cluster file (.AXL)")->required();
  atlas_->add_option("--jobs", jobs_, "Threads to survey on (default: the processor's cores)")
      ->check(CLI::Range(1, 256));
  atlas_->add_option("--records", records_,
                     "Only records A to B (A-B, A- or -B), to share a large cluster out");
  CLI::Option* csv = atlas_->add_flag("--csv", csv_, "Comma-separated values with a header line");
  atlas_->add_flag("--json", json_, "One JSON object per star per line")->excludes(csv);
  atlas_
      ->add_option("--life", filter_.LeastLife, "Only stars with life of at least this complexity")
      ->check(CLI::Range(0, 9));
  atlas_->add_flag("--civ", filter_.Civilization,
                   "Only stars with a civilization, living or extinct");
  atlas_->add_option("--class", filter_.Classes,
                     "Only stars with a body of one of these class codes (e.g. NW)");
  atlas_->add_flag("--habitable", filter_.Habitable, "Only stars with a graded oxygen world (A-H)");
  CLI::Option* of =
      atlas_->add_option("--of", of_, "The point X,Y,Z (cells) --within measures from");
  atlas_->add_option("--within", filter_.Within, "Only stars within this many cells of --of")
      ->check(CLI::NonNegativeNumber)
      ->needs(of);
}

int AtlasCommand::Run(std::ostream& out, std::ostream& err) const {
  AtlasRecords records;
  if (!records_.empty()) {
    const auto parsed = ParseRecords(records_);
    if (!parsed) throw CliInputError("--records " + records_ + ": not A-B with 1 <= A <= B");
    records = *parsed;
  }
  AtlasFilter filter = filter_;
  if (!of_.empty()) {
    const auto point = ParsePoint(of_);
    if (!point) throw CliInputError("--of " + of_ + ": not three numbers X,Y,Z");
    filter.Of = *point;
  }
  for (const char code : filter.Classes) {
    if (!AtlasClassIndex(code)) {
      throw CliInputError(fmt::format("--class {}: {} is not a class code", filter.Classes, code));
    }
  }
  const AtlasFormat format = csv_    ? AtlasFormat::Csv
                             : json_ ? AtlasFormat::Json
                                     : AtlasFormat::Text;
  PrintHeader(format, out);
  const ClusterScan scan = MakeAtlas(file_, records, jobs_, [&](const AtlasRow& row) {
    if (filter.Matches(row)) PrintRow(row, format, out);
  });
  return ScanStatus(scan, file_, out, err);
}

}  // namespace ax
