#include "io/SystemFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>
#include <type_traits>

#include "io/LittleEndian.h"
#include "model/Numbers.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using Kind = FileFailure::Kind;

constexpr int kBodyFieldsWithoutAir = 25;  // a body record ends here for "Z", "T" and "J"
constexpr std::int16_t kTagInt16 = 2;
constexpr std::int16_t kTagFloat32 = 4;
constexpr std::int16_t kTagFloat64 = 5;

// Bodies of these classes carry no atmosphere record.
bool HasAirRecord(const std::string& bodyClass) {
  return bodyClass != "Z" && bodyClass != "T" && bodyClass != "J";
}

class ByteWriter {
 public:
  ByteWriter() { bytes_.reserve(16 * 1024); }

  template <typename T>
  void Number(T value) {
    std::uint8_t bytes[sizeof(T)];
    StoreLittleEndian(bytes, value);
    bytes_.append(reinterpret_cast<const char*>(bytes), sizeof(T));
  }

  void Text(std::string_view text) {
    if (text.size() > kLongestFileText) {
      throw SystemFormatError("a text of " + std::to_string(text.size()) +
                                  " characters is too long to save (at most " +
                                  std::to_string(kLongestFileText) + ")",
                              {Kind::TextTooLong, 0, {}});
    }
    Number(static_cast<std::int16_t>(text.size()));
    bytes_.append(text);
  }

  void Tagged(const TaggedNumber& number) {
    std::visit(
        [this](auto value) {
          using T = decltype(value);
          Number(std::is_same_v<T, std::int16_t> ? kTagInt16
                 : std::is_same_v<T, float>      ? kTagFloat32
                                                 : kTagFloat64);
          Number(value);
        },
        number);
  }

  void Value(const std::string& text) { Text(text); }
  template <typename T>
  void Value(T number) {
    Number(number);
  }

  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// "BodyRareEarths" as "rare earths".
std::string PlainFieldName(std::string_view table) {
  if (table.starts_with("Body")) table.remove_prefix(4);
  std::string words;
  for (const char c : table) {
    if (std::isupper(static_cast<unsigned char>(c)) && !words.empty()) words += ' ';
    words += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return words;
}

// Where the reader is in a file, put into words only when something there is wrong.
struct ReadPlace {
  const char* field = "the header";
  std::string_view table;  // a body table's name, when the field is one of a body record
  int star = -1;           // -1 for the system's own values
  int orbit = 0;           // 0 for the star's own values
  int body = -1;           // -1 for the orbit's own values

  std::string Words() const {
    std::string words = table.empty() ? std::string(field) : "the " + PlainFieldName(table);
    if (star < 0) return words;
    const std::string starWords = star == 0 ? "the pair" : "star " + std::to_string(star);
    if (orbit == 0) return words + " of " + starWords;
    const std::string orbitWords = "orbit " + std::to_string(orbit) + " of " + starWords;
    if (body < 0) return words + " of " + orbitWords;
    if (body == 0) return words + " of the world of " + orbitWords;
    return words + " of moon " + std::to_string(body) + " of " + orbitWords;
  }
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  ReadPlace Place;

  template <typename T>
  T Number() {
    Need(sizeof(T));
    const T value =
        LoadLittleEndian<T>(reinterpret_cast<const std::uint8_t*>(bytes_.data() + pos_));
    pos_ += sizeof(T);
    return value;
  }

  std::string Text() {
    const std::int16_t count = Number<std::int16_t>();
    if (count < 0) {
      Fail("a text length of " + std::to_string(count) + " is negative", Kind::Damaged);
    }
    const auto size = static_cast<std::size_t>(count);
    Need(size);
    std::string text(bytes_.substr(pos_, size));
    pos_ += size;
    return text;
  }

  TaggedNumber Tagged() {
    const std::int16_t tag = Number<std::int16_t>();
    switch (tag) {
      case kTagInt16: return Number<std::int16_t>();
      case kTagFloat32: return Number<float>();
      case kTagFloat64: return Number<double>();
      default: Fail("unknown number type " + std::to_string(tag), Kind::Damaged);
    }
  }

  // A count that indexes a table: checked against its bound before anything is stored.
  std::int16_t Count(const char* what, int bound) {
    const std::int16_t count = Number<std::int16_t>();
    if (count < 0) {
      Fail(std::string(what) + " " + std::to_string(count) + " is negative", Kind::OutOfRange);
    }
    if (count > bound) {
      Fail(std::string(what) + " " + std::to_string(count) + " is beyond " + std::to_string(bound),
           Kind::OutOfRange);
    }
    return count;
  }

  void Value(std::string& text) { text = Text(); }
  template <typename T>
  void Value(T& number) {
    number = Number<T>();
  }

 private:
  [[noreturn]] void Fail(const std::string& reason, Kind kind) const {
    throw SystemFormatError(reason, {kind, bytes_.size(), Place.Words()});
  }

  void Need(std::size_t size) const {
    if (bytes_.size() - pos_ < size) {
      if (bytes_.empty()) Fail("the file is empty", Kind::Empty);
      Fail("the file ends early", Kind::EndsEarly);
    }
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// The stars a file holds records for: star 1 alone, or the pair and both its stars.
std::pair<int, int> StarRange(std::int16_t starCount) {
  return starCount == 1 ? std::pair{1, 1} : std::pair{0, 2};
}

// The four elements of a star's orbit about the pair, kept in the star's own slot.
template <typename W, typename F>
void ForEachPairElement(W& world, int star, F&& f) {
  f(world.BodyEccentricity(star, 0, 0));
  f(world.BodyAscendingNode(star, 0, 0));
  f(world.BodyPeriastronArgument(star, 0, 0));
  f(world.BodyPeriastronTime(star, 0, 0));
}

// One body record: the first 25 tables, and the atmosphere record when the class has one.
template <typename W, typename F>
void ForEachBodyField(W& world, int s, int o, int b, bool withAir, F&& f) {
  int field = 0;
  ForEachBodyTable(world, [&](const char*, auto& table) {
    if (field++ < kBodyFieldsWithoutAir || withAir) f(table(s, o, b));
  });
}

// Fills the world from the bytes. A checking pass runs it on a scratch world, which needs no
// emptying: only the target must end up holding nothing but the file's system.
void DecodeInto(std::string_view bytes, World& w, bool emptyFirst) {
  ByteReader in(bytes);
  if (emptyFirst) {
    // Clearing the stars does nothing while there are none; a starless file read before may
    // still have left star values, so all three star slots are emptied.
    w.StarCount = 2;
    ClearStars(w);
    ClearSystem(w);
  }
  ReadPlace& place = in.Place;
  in.Text();  // any header is accepted
  place.field = "the system name";
  w.SystemName = in.Text();
  place.field = "the star count";
  w.StarCount = in.Count("star count", 2);
  w.SystemAge = in.Number<float>();
  place.field = "the system note";
  w.SystemNote = in.Text();
  place.field = "the position";
  w.SystemX = in.Tagged();
  w.SystemY = in.Tagged();
  w.SystemZ = in.Number<float>();
  place.field = "the motion";
  w.SystemVectorX = in.Tagged();
  w.SystemVectorY = in.Tagged();
  w.SystemVectorZ = in.Number<float>();
  place.field = "the pair's orbit";
  if (w.StarCount != 1) {
    w.StarSeparation = in.Number<double>();
    w.StarPeriod = in.Number<float>();
    for (int star = 1; star <= 2; ++star) {
      ForEachPairElement(w, star, [&](double& element) { element = in.Number<double>(); });
    }
  }
  const auto [firstStar, lastStar] = StarRange(w.StarCount);
  for (int s = firstStar; s <= lastStar; ++s) {
    place = ReadPlace{"the record", {}, s, 0, -1};
    w.StarMass[s] = in.Number<double>();
    w.StarTemperature[s] = in.Number<std::int32_t>();
    w.StarLuminosity[s] = in.Number<float>();
    w.StarAngle[s] = in.Number<double>();
    place.field = "the orbit count";
    w.OrbitCount[s] = in.Count("orbit count", kOrbitSlots - 1);
    place.field = "the spectral class";
    w.StarType[s] = in.Text();
    place.field = "the name";
    w.BodyName(s, 0, 0) = in.Text();
    place.field = "the note";
    w.BodyNote(s, 0, 0) = in.Text();
    for (int o = 1; o <= w.OrbitCount[s]; ++o) {
      place = ReadPlace{"the class", {}, s, o, -1};
      std::string orbitClass = in.Text();
      if (orbitClass == "X") {  // an orbit without a world
        ClearBody(w, s, o, 0);
        w.MoonCount[s][o] = 0;
        continue;
      }
      place.field = "the moon count";
      w.MoonCount[s][o] = in.Count("moon count", kBodySlots - 1);
      for (int b = 0; b <= w.MoonCount[s][o]; ++b) {
        place = ReadPlace{"the record", "BodyClass", s, o, b};
        // The class is the record's first field and decides whether the air record follows;
        // a body without one has no air, whatever its slot held before.
        w.BodyClass(s, o, b) = in.Text();
        // A world without a class would be saved as an empty orbit and lose its record.
        if (b == 0 && (w.BodyClass(s, o, 0).empty() || w.BodyClass(s, o, 0) == "X")) {
          throw SystemFormatError("the world of orbit " + std::to_string(o) + " has no class",
                                  {Kind::Damaged, bytes.size(), place.Words()});
        }
        const bool withAir = HasAirRecord(w.BodyClass(s, o, b));
        int field = 0;
        ForEachBodyTable(w, [&](const char* name, auto& table) {
          if (field > 0 && (field < kBodyFieldsWithoutAir || withAir)) {
            place.table = name;
            in.Value(table(s, o, b));
          } else if (field > 0) {
            table(s, o, b) = {};
          }
          ++field;
        });
      }
    }
  }
  SetPairOffsets(w);
  w.SystemSurveyed = 1;
  w.SystemSaved = 0;
}

constexpr std::uintmax_t kLongestText = 2 + kLongestFileText;  // a 16-bit count and its characters

// The bytes one value of this type takes in a file, a text at its longest.
template <typename T>
constexpr std::uintmax_t LargestField() {
  return std::is_same_v<T, std::string> ? kLongestText : sizeof(T);
}

std::uintmax_t ComputeLargestSystemFileSize() {
  const auto world = std::make_unique<World>();  // only the tables' types are looked at
  std::uintmax_t body = 0;
  ForEachBodyTable(*world, [&body](const char*, const auto& table) {
    body += LargestField<std::remove_cvref_t<decltype(table(0, 0, 0))>>();
  });
  constexpr std::uintmax_t kTagged = 2 + 8;  // the tag and a 64-bit number
  // Header, name, star count, age, note, position and motion.
  constexpr std::uintmax_t kSystem = 3 * kLongestText + 2 + 4 + 2 * (2 * kTagged + 4);
  constexpr std::uintmax_t kPair = 8 + 4 + 2 * 4 * 8;
  // Mass, temperature, luminosity, angle, orbit count, type, name and note.
  constexpr std::uintmax_t kStar = 8 + 4 + 4 + 8 + 2 + 3 * kLongestText;
  // The orbit's class, its moon count, then the world and every moon with its air record.
  const std::uintmax_t orbit = kLongestText + 2 + kBodySlots * body;
  return kSystem + kPair + kStarSlots * (kStar + (kOrbitSlots - 1) * orbit);
}

// The bytes begin as the header this program writes, as far as there are bytes.
bool BeginsAsSystemFile(std::string_view bytes) {
  static const std::string header = [] {
    ByteWriter out;
    out.Text(kSystemFileHeader);
    return out.Take();
  }();
  const std::size_t compared = std::min(bytes.size(), header.size());
  return bytes.substr(0, compared) == std::string_view(header).substr(0, compared);
}

std::string ReadWholeFile(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (!fs::exists(status)) throw SystemFileError(file, "the file does not exist", {Kind::Missing});
  if (fs::is_directory(status)) {
    throw SystemFileError(file, "it is a folder, not a file", {Kind::Folder});
  }
  // A device or a pipe may never end, or block the opening until someone writes to it.
  if (!fs::is_regular_file(status)) {
    throw SystemFileError(file, "not a regular file", {Kind::NotAFile});
  }
  const std::uintmax_t largest = LargestSystemFileSize();
  const std::string tooLarge = "the file is too large to be a system file";
  const std::uintmax_t size = fs::file_size(file, error);
  if (!error && size > largest) throw SystemFileError(file, tooLarge, {Kind::TooLarge});
  std::ifstream in(file, std::ios::binary);
  if (!in) throw SystemFileError(file, "the file cannot be opened", {Kind::Unreadable});
  // One byte beyond the largest tells a file that grew since it was measured.
  std::string bytes;
  if (!error) bytes.reserve(static_cast<std::size_t>(size));
  std::array<char, 64 * 1024> block{};
  while (in && bytes.size() <= largest) {
    const auto wanted = std::min<std::uintmax_t>(block.size(), largest + 1 - bytes.size());
    in.read(block.data(), static_cast<std::streamsize>(wanted));
    bytes.append(block.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw SystemFileError(file, "the file cannot be read", {Kind::Unreadable});
  if (bytes.size() > largest) throw SystemFileError(file, tooLarge, {Kind::TooLarge});
  return bytes;
}

}  // namespace

SystemFileError::SystemFileError(const fs::path& file, const std::string& reason,
                                 FileFailure failure)
    : std::runtime_error(file.string() + ": " + reason),
      reason_(reason),
      failure_(std::move(failure)) {}

void WriteAtomically(const fs::path& file, std::string_view bytes) {
  fs::path temporary = file;
  temporary += ".saving";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw SystemFileError(file, "the folder cannot be written to", {Kind::Unwritable});
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      throw SystemFileError(file, "the file could not be written in full", {Kind::Unwritable});
    }
  }
  std::error_code error;
  fs::rename(temporary, file, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw SystemFileError(file, error.message(), {Kind::Unwritable});
  }
}

void SetPairOffsets(World& w) {
  if (w.StarCount != 2) return;
  // Each star's distance from the pair's centre, from the squares of the masses.
  w.StarOffset[1] = static_cast<float>(w.StarSeparation * Square(w.StarMass[2]) /
                                       (Square(w.StarMass[1]) + Square(w.StarMass[2])));
  w.StarOffset[2] = static_cast<float>(w.StarSeparation - w.StarOffset[1]);
}

std::string EncodeSystem(const World& w) {
  ByteWriter out;
  out.Text(kSystemFileHeader);
  out.Text(w.SystemName);
  out.Number(w.StarCount);
  out.Number(w.SystemAge);
  out.Text(w.SystemNote);
  out.Tagged(w.SystemX);
  out.Tagged(w.SystemY);
  out.Number(w.SystemZ);
  out.Tagged(w.SystemVectorX);
  out.Tagged(w.SystemVectorY);
  out.Number(w.SystemVectorZ);
  if (w.StarCount != 1) {
    out.Number(w.StarSeparation);
    out.Number(w.StarPeriod);
    for (int star = 1; star <= 2; ++star) {
      ForEachPairElement(w, star, [&](double element) { out.Number(element); });
    }
  }
  const auto [firstStar, lastStar] = StarRange(w.StarCount);
  for (int s = firstStar; s <= lastStar; ++s) {
    out.Number(w.StarMass[s]);
    out.Number(w.StarTemperature[s]);
    out.Number(w.StarLuminosity[s]);
    out.Number(w.StarAngle[s]);
    out.Number(w.OrbitCount[s]);
    out.Text(w.StarType[s]);
    out.Text(w.BodyName(s, 0, 0));
    out.Text(w.BodyNote(s, 0, 0));
    for (int o = 1; o <= w.OrbitCount[s]; ++o) {
      if (w.BodyClass(s, o, 0).empty()) {
        out.Text("X");  // an orbit without a world
        continue;
      }
      out.Text(w.BodyClass(s, o, 0));
      out.Number(w.MoonCount[s][o]);
      for (int b = 0; b <= w.MoonCount[s][o]; ++b) {
        ForEachBodyField(w, s, o, b, HasAirRecord(w.BodyClass(s, o, b)),
                         [&](const auto& value) { out.Value(value); });
      }
    }
  }
  return out.Take();
}

std::string SystemNameFromPath(const fs::path& file) {
  std::string name = file.filename().string();
  if (const auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 128) name[i] = static_cast<char>(i == 0 ? std::toupper(c) : std::tolower(c));
  }
  return name;
}

void WriteSystemFile(World& world, const fs::path& file) {
  // The file's name is taken only by a system that was saved under it.
  const std::string name = world.SystemName;
  if (name.empty() || name == "Star") world.SystemName = SystemNameFromPath(file);
  try {
    WriteAtomically(file, EncodeSystem(world));
  } catch (const SystemFormatError& error) {
    world.SystemName = name;
    throw SystemFileError(file, error.what(), error.Failure());
  } catch (...) {
    world.SystemName = name;
    throw;
  }
  world.SystemSaved = 1;
}

std::uintmax_t LargestSystemFileSize() {
  static const std::uintmax_t largest = ComputeLargestSystemFileSize();
  return largest;
}

SystemFileReader::SystemFileReader() : scratch_(std::make_unique<World>()) {}

SystemFileReader::~SystemFileReader() = default;

void SystemFileReader::Decode(std::string_view bytes, World& world) {
  try {
    DecodeInto(bytes, *scratch_, false);  // throws before the world is touched
  } catch (const SystemFormatError& error) {
    // Any header is read, but a failing file that does not begin as ours was never one.
    if (error.Failure().kind == Kind::Empty || BeginsAsSystemFile(bytes)) throw;
    throw SystemFormatError(error.what(), {Kind::WrongKind, bytes.size(), {}});
  }
  DecodeInto(bytes, world, true);
}

void SystemFileReader::Read(const fs::path& file, World& world) {
  const std::string bytes = ReadWholeFile(file);
  try {
    Decode(bytes, world);
  } catch (const SystemFormatError& error) {
    throw SystemFileError(file, error.what(), error.Failure());
  }
}

}  // namespace ax
