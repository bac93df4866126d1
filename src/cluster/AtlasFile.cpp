#include "cluster/AtlasFile.h"

#include <fmt/compile.h>
#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>

namespace ax {
namespace {

constexpr std::string_view kEraSeparator = "; ";
constexpr std::size_t kFieldCount = 13 + kAtlasClasses.size() + 5;

// The fields of each line, quotes undone; line breaks inside quotes stay in their field.
std::vector<std::vector<std::string>> CsvLines(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      fields.push_back(std::move(field));
      field.clear();
      lines.push_back(std::move(fields));
      fields.clear();
    } else {
      field += c;
    }
  }
  return lines;
}

template <typename T>
bool Number(const std::string& text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<AtlasRow> ParseRow(const std::vector<std::string>& f) {
  if (f.size() != kFieldCount) return std::nullopt;
  AtlasRow row;
  int kept = 0;
  int civilizations = 0;
  bool sound = Number(f[0], row.Record);
  row.Name = f[1];
  for (std::size_t axis = 0; axis < 3; ++axis)
    sound = sound && Number(f[5 + axis], row.Position[axis]);
  row.Type1 = f[8];
  row.Type2 = f[9];
  sound = sound && Number(f[10], row.Worlds) && Number(f[11], row.Moons) &&
          Number(f[12], row.BeltBodies);
  for (std::size_t i = 0; i < kAtlasClasses.size(); ++i)
    sound = sound && Number(f[13 + i], row.Classes[i]);
  const std::size_t at = 13 + kAtlasClasses.size();
  sound = sound && Number(f[at], row.BestHabitability) && Number(f[at + 1], row.HighestLife) &&
          Number(f[at + 2], civilizations) && Number(f[at + 4], kept);
  const std::string& eras = f[at + 3];
  for (std::size_t from = 0; !eras.empty();) {
    const std::size_t to = eras.find(kEraSeparator, from);
    row.Eras.push_back(eras.substr(from, to - from));
    if (to == std::string::npos) break;
    from = to + kEraSeparator.size();
  }
  row.Kept = kept == 1;
  if (!sound || civilizations != row.Civilizations()) return std::nullopt;
  return row;
}

}  // namespace

void WriteAtlasCsvHeader(std::ostream& out) {
  out << "record,name,cell_x,cell_y,cell_z,x,y,z,type1,type2,worlds,moons,belt_bodies";
  for (const char code : kAtlasClasses) out << ',' << code;
  out << ",best_habitability,highest_life,civilizations,eras,kept\n";
}

void WriteAtlasCsvRow(const AtlasRow& row, std::ostream& out) {
  // The row is put together in memory and written once, its formats read at compile time: a
  // row took 23 prints to the stream, each reading its format anew.
  fmt::memory_buffer line;
  const auto to = std::back_inserter(line);
  const std::array<int, 3> cell = row.Cell();
  fmt::format_to(to, FMT_COMPILE("{},{},{},{},{},{},{},{},{},{},{},{},{}"), row.Record,
                 CsvField(row.Name), cell[0], cell[1], cell[2], row.Position[0], row.Position[1],
                 row.Position[2], CsvField(row.Type1), CsvField(row.Type2), row.Worlds, row.Moons,
                 row.BeltBodies);
  for (const int count : row.Classes) fmt::format_to(to, FMT_COMPILE(",{}"), count);
  fmt::format_to(to, FMT_COMPILE(",{},{},{},{},{}\n"), row.BestHabitability, row.HighestLife,
                 row.Civilizations(),
                 CsvField(fmt::format("{}", fmt::join(row.Eras, kEraSeparator))), row.Kept ? 1 : 0);
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

std::filesystem::path AtlasFilePath(const std::filesystem::path& clusterFile) {
  std::filesystem::path atlas = clusterFile;
  return atlas.replace_extension(".atlas.csv");
}

bool AtlasFileIsCurrent(const std::filesystem::path& clusterFile) {
  std::error_code error;
  const auto atlasTime = std::filesystem::last_write_time(AtlasFilePath(clusterFile), error);
  if (error) return false;
  const auto clusterTime = std::filesystem::last_write_time(clusterFile, error);
  return !error && atlasTime > clusterTime;
}

std::optional<std::vector<AtlasRow>> ReadAtlasFile(const std::filesystem::path& atlasFile) {
  std::ifstream in(atlasFile, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto lines = CsvLines(text);
  if (lines.empty() || lines.front().size() != kFieldCount || lines.front()[0] != "record") {
    return std::nullopt;
  }
  std::vector<AtlasRow> rows;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    auto row = ParseRow(lines[i]);
    if (!row) return std::nullopt;
    rows.push_back(std::move(*row));
  }
  return rows;
}

AtlasMade MakeAtlasFile(const std::filesystem::path& clusterFile, int jobs,
                        const std::function<bool(std::int64_t surveyed)>& going) {
  const std::filesystem::path target = AtlasFilePath(clusterFile);
  // A part of its own for each thread: Find and the marks may make one cluster's atlas at once.
  std::filesystem::path temporary = target;
  temporary +=
      "." + std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id())) + ".part";
  // Whatever ends the atlas early, the part written goes.
  struct PartGuard {
    const std::filesystem::path& file;
    ~PartGuard() {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
    }
  } guard{temporary};
  // A star kept while the atlas was made may have been surveyed before: that atlas is not kept.
  const auto clusterTime = std::filesystem::last_write_time(clusterFile);
  AtlasMade made;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    // Said before every star is surveyed, not after.
    if (!out) throw std::runtime_error("could not write " + target.filename().string());
    WriteAtlasCsvHeader(out);
    const auto ask = [&](std::int64_t surveyed) {
      made.Cancelled = going && !going(surveyed);
      return !made.Cancelled;
    };
    made.Scan = MakeAtlas(
        clusterFile, {}, jobs,
        [&](const AtlasRow& row) {
          WriteAtlasCsvRow(row, out);
          made.Rows.push_back(row);
        },
        ask);
    // The last batch is not whole: asked once more, a Cancel pressed meanwhile still holds.
    if (!made.Cancelled) ask(static_cast<std::int64_t>(made.Rows.size()));
    out.close();
    if (!out) throw std::runtime_error("could not write " + target.filename().string());
  }
  if (made.Cancelled || !made.Scan.Problem.empty() ||
      std::filesystem::last_write_time(clusterFile) != clusterTime) {
    return made;
  }
  std::filesystem::rename(temporary, target);
  made.Written = true;
  return made;
}

}  // namespace ax
