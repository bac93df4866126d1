#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "cluster/TempFolder.h"
#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// Little-endian fields written one by one, so expected bytes never come from the encoder.
class Bytes {
 public:
  Bytes& I16(int v) { return Put(static_cast<std::uint16_t>(v), 2); }
  Bytes& I32(std::int32_t v) { return Put(static_cast<std::uint32_t>(v), 4); }
  Bytes& F32(float v) { return Put(std::bit_cast<std::uint32_t>(v), 4); }
  Bytes& F64(double v) { return Put(std::bit_cast<std::uint64_t>(v), 8); }
  Bytes& Text(std::string_view t) {
    I16(static_cast<int>(t.size()));
    bytes_ += t;
    return *this;
  }
  Bytes& TagI16(int v) { return I16(2).I16(v); }
  Bytes& TagF32(float v) { return I16(4).F32(v); }
  Bytes& TagF64(double v) { return I16(5).F64(v); }
  Bytes& Zeros(std::size_t n) {
    bytes_.append(n, '\0');
    return *this;
  }
  const std::string& Str() const { return bytes_; }

 private:
  Bytes& Put(std::uint64_t bits, int width) {
    for (int i = 0; i < width; ++i, bits >>= 8) bytes_.push_back(static_cast<char>(bits & 0xFF));
    return *this;
  }
  std::string bytes_;
};

constexpr std::string_view kHeader = "Astrolattix Version 2.0 System";

bool HasAir(const std::string& c) {
  return c != "Z" && c != "T" && c != "J";
}

std::unique_ptr<World> Generated(std::uint64_t seed) {
  auto world = std::make_unique<World>();
  Random random(seed);
  GenerateStars(*world, random);
  Survey(*world, random).SurveySystem();
  return world;
}

// A generated pair whose file has moons and both lengths of body record, kept small.
const World& SamplePair() {
  static const std::unique_ptr<World> sample = [] {
    for (std::uint64_t seed = 1;; ++seed) {
      auto w = Generated(seed);
      bool moon = false, shortRecord = false, longRecord = false;
      for (int s = 0; s < kStarSlots && w->StarCount == 2; ++s) {
        for (int o = 1; o <= w->OrbitCount[s]; ++o) {
          if (w->BodyClass(s, o, 0).empty()) continue;
          moon = moon || w->MoonCount[s][o] > 0;
          for (int b = 0; b <= w->MoonCount[s][o]; ++b) {
            (HasAir(w->BodyClass(s, o, b)) ? longRecord : shortRecord) = true;
          }
        }
      }
      if (moon && shortRecord && longRecord && EncodeSystem(*w).size() < 6000) return w;
    }
  }();
  return *sample;
}

template <typename T>
bool Same(const T& a, const T& b) {
  if constexpr (std::is_floating_point_v<T>) {
    using U = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    return std::bit_cast<U>(a) == std::bit_cast<U>(b);  // exact, NaN payloads included
  } else {
    return a == b;
  }
}

bool Same(const TaggedNumber& a, const TaggedNumber& b) {
  return a.index() == b.index() &&
         std::visit([&](auto x) { return Same(x, std::get<decltype(x)>(b)); }, a);
}

// Whether field `field` (0-based, body record order) of [s][o][b] travels in a file.
bool FieldSaved(const World& w, int s, int o, int b, int field) {
  if (o == 0) {
    const bool pairElement = field == 4 || field == 6 || field == 7 || field == 8;
    return field == 1 || field == 2 || (w.StarCount != 1 && s > 0 && pairElement);
  }
  if (w.BodyClass(s, o, 0).empty()) return false;  // written as "X" and nothing else
  return field < 25 || HasAir(w.BodyClass(s, o, b));
}

// `read` holds exactly what a file of `original` carries, and cleared values elsewhere.
void ExpectAsSaved(const World& original, const World& read) {
  const bool pair = original.StarCount != 1;
  EXPECT_EQ(read.StarCount, original.StarCount);
  EXPECT_EQ(read.SystemName, original.SystemName);
  EXPECT_EQ(read.SystemNote, original.SystemNote);
  EXPECT_TRUE(Same(read.SystemAge, original.SystemAge));
  EXPECT_TRUE(Same(read.SystemX, original.SystemX));
  EXPECT_TRUE(Same(read.SystemY, original.SystemY));
  EXPECT_TRUE(Same(read.SystemZ, original.SystemZ));
  EXPECT_TRUE(Same(read.SystemVectorX, original.SystemVectorX));
  EXPECT_TRUE(Same(read.SystemVectorY, original.SystemVectorY));
  EXPECT_TRUE(Same(read.SystemVectorZ, original.SystemVectorZ));
  EXPECT_TRUE(Same(read.StarSeparation, pair ? original.StarSeparation : 0.0));
  EXPECT_TRUE(Same(read.StarPeriod, pair ? original.StarPeriod : 0.0f));
  std::vector<const void*> readTables;
  ForEachBodyTable(read, [&](const char*, const auto& table) { readTables.push_back(&table); });
  for (int s = 0; s < kStarSlots; ++s) {
    const bool inFile = pair || s == 1;
    EXPECT_TRUE(Same(read.StarMass[s], inFile ? original.StarMass[s] : 0.0)) << s;
    EXPECT_EQ(read.StarTemperature[s], inFile ? original.StarTemperature[s] : 0) << s;
    EXPECT_TRUE(Same(read.StarLuminosity[s], inFile ? original.StarLuminosity[s] : 0.0f)) << s;
    EXPECT_TRUE(Same(read.StarAngle[s], inFile ? original.StarAngle[s] : 0.0)) << s;
    EXPECT_EQ(read.StarType[s], inFile ? original.StarType[s] : "") << s;
    EXPECT_EQ(read.OrbitCount[s], inFile ? original.OrbitCount[s] : 0) << s;
    EXPECT_EQ(read.StarSurveyOrbit[s], 0) << s;
    if (!inFile) continue;
    for (int o = 0; o <= original.OrbitCount[s]; ++o) {
      const bool noWorld = o == 0 || original.BodyClass(s, o, 0).empty();
      const int moons = noWorld ? 0 : original.MoonCount[s][o];
      ASSERT_EQ(read.MoonCount[s][o], moons) << s << " " << o;
      for (int b = 0; b <= moons; ++b) {
        int field = 0;
        ForEachBodyTable(original, [&](const char* name, const auto& table) {
          const auto& got = (*static_cast<decltype(&table)>(readTables[field]))(s, o, b);
          using T = std::remove_cvref_t<decltype(got)>;
          const T want = FieldSaved(original, s, o, b, field++) ? table(s, o, b) : T{};
          EXPECT_TRUE(Same(got, want)) << name << "[" << s << "][" << o << "][" << b << "]";
        });
      }
    }
  }
  EXPECT_EQ(read.SystemSurveyed, 1);
  EXPECT_EQ(read.SystemSaved, 0);
  EXPECT_TRUE(read.SystemFilePath.empty());
}

// Decodes, and checks that the re-encoded system decodes to the same bytes again.
void ExpectStableAfterDecoding(std::string_view bytes, World& world) {
  static SystemFileReader reader;
  static const auto again = std::make_unique<World>();
  reader.Decode(bytes, world);
  const std::string once = EncodeSystem(world);
  ASSERT_NO_THROW(reader.Decode(once, *again));
  EXPECT_EQ(EncodeSystem(*again), once);
}

// The body tables of each element type, each list in the order of the format's record.
constexpr std::array kTexts{
    &World::BodyClass,      &World::BodyName,     &World::BodyNote,
    &World::BodyRareEarths, &World::BodyTechEra,  &World::BodyExtinctEra,
    &World::BodyAtmosphere, &World::BodyLifeKind, &World::BodyLifeClassification};
constexpr std::array kDoubles{&World::BodySemiMajorAxis,
                              &World::BodyEccentricity,
                              &World::BodyInclination,
                              &World::BodyAscendingNode,
                              &World::BodyPeriastronArgument,
                              &World::BodyPeriastronTime,
                              &World::BodyPeriod,
                              &World::BodyMass};
constexpr std::array kFloats{
    &World::BodyRadius,        &World::BodyGravity,     &World::BodyDensity,
    &World::BodyAlbedo,        &World::BodyObliquity,   &World::BodyDayLength,
    &World::BodyVolcanism,     &World::BodyPressure,    &World::BodyNitrogen,
    &World::BodyCarbonDioxide, &World::BodyHydrogen,    &World::BodyHelium,
    &World::BodyOxygen,        &World::BodyMethane,     &World::BodyAmmonia,
    &World::BodyWaterVapor,    &World::BodyChlorine,    &World::BodyWaterCover,
    &World::BodyRadiation,     &World::BodyHabitability};
constexpr std::array kShorts{&World::BodyTempHigh, &World::BodyTempLow, &World::BodyRingSize,
                             &World::BodyContinents, &World::BodyLifeComplexity};

// Distinct values for every field of a body, from the class and one base number k.
std::string T(const std::string& cls, int i) {
  return i == 0 ? cls : cls + std::string("\0\xe9", 2) + std::to_string(i);  // any 8-bit text
}
double D(int k, int i) {
  return k + i + 0.5;
}
float F(int k, int i) {
  return static_cast<float>(k + i) + 0.25f;
}
std::int16_t N(int k, int i) {
  return static_cast<std::int16_t>(-(k + i));
}

void FillBody(World& w, int s, int o, int b, const std::string& cls, int k) {
  for (int i = 0; i < 9; ++i) (w.*kTexts[i])(s, o, b) = T(cls, i);
  for (int i = 0; i < 8; ++i) (w.*kDoubles[i])(s, o, b) = D(k, i);
  for (int i = 0; i < 20; ++i) (w.*kFloats[i])(s, o, b) = F(k, i);  // air too, for every class
  for (int i = 0; i < 5; ++i) (w.*kShorts[i])(s, o, b) = N(k, i);
}

// FillBody's record, field by field as the format lists them.
void ExpectedBody(Bytes& e, const std::string& cls, int k) {
  e.Text(T(cls, 0)).Text(T(cls, 1)).Text(T(cls, 2));
  for (int i = 0; i < 8; ++i) e.F64(D(k, i));
  e.F32(F(k, 0)).F32(F(k, 1)).F32(F(k, 2)).I16(N(k, 0)).I16(N(k, 1));
  e.F32(F(k, 3)).F32(F(k, 4)).F32(F(k, 5)).I16(N(k, 2)).F32(F(k, 6));
  e.Text(T(cls, 3)).Text(T(cls, 4)).Text(T(cls, 5)).Text(T(cls, 6));
  if (!HasAir(cls)) return;
  for (int i = 7; i < 18; ++i) e.F32(F(k, i));
  e.I16(N(k, 3)).I16(N(k, 4)).F32(F(k, 18)).F32(F(k, 19)).Text(T(cls, 7)).Text(T(cls, 8));
}

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SystemFileTest, RoundTripKeepsEverythingTheFileHolds) {
  test::TempFolder dir;
  auto read = std::make_unique<World>();  // reused: each read must replace the last
  SystemFileReader reader;
  int pairs = 0, moons = 0, emptyOrbits = 0;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    auto world = Generated(seed);
    const auto k = static_cast<std::int16_t>(seed);
    // Positions of every kind, as a cluster gives them, and texts with any 8-bit character.
    world->SystemX = seed % 3 == 0 ? TaggedNumber{k} : TaggedNumber{0.5f * k};
    world->SystemY = seed % 3 == 1 ? TaggedNumber{std::int16_t{0}} : TaggedNumber{k * 0.1};
    world->SystemZ = -0.25f * k;
    world->SystemVectorX = TaggedNumber{1.0f / k};
    world->SystemVectorZ = 3.0f * k;
    world->SystemNote = std::string("\xff\0note ", 7) + std::to_string(seed);
    world->BodyNote(world->StarCount == 1 ? 1 : 2, 0, 0) = "star note";
    pairs += world->StarCount == 2;
    for (int s = 0; s < kStarSlots; ++s) {
      for (int o = 1; o <= world->OrbitCount[s]; ++o) {
        moons += world->MoonCount[s][o] > 0 && !world->BodyClass(s, o, 0).empty();
        emptyOrbits += world->BodyClass(s, o, 0).empty();
      }
    }
    if (seed % 15 == 5) {  // through a file on disk
      const fs::path file = dir / ("seed" + std::to_string(seed) + ".ax2");
      WriteSystemFile(*world, file);
      EXPECT_EQ(world->SystemSaved, 1);
      EXPECT_EQ(Slurp(file), EncodeSystem(*world));
      EXPECT_FALSE(fs::exists(file.string() + ".saving"));
      reader.Read(file, *read);
    } else {
      reader.Decode(EncodeSystem(*world), *read);
    }
    ExpectAsSaved(*world, *read);
    if (HasFailure()) FAIL() << "seed " << seed;
  }
  EXPECT_GT(pairs, 30);
  EXPECT_GT(moons, 100);
  EXPECT_GT(emptyOrbits, 30);
}

TEST(SystemFileTest, OrbitAndMoonCountsAtTheirBoundsDecode) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->OrbitCount[1] = 15;
  FillBody(*world, 1, 15, 0, "J", 0);
  world->MoonCount[1][15] = 20;
  for (int b = 1; b <= 20; ++b) FillBody(*world, 1, 15, b, b % 2 ? "Z" : "R", b * 100);
  auto read = std::make_unique<World>();
  ExpectStableAfterDecoding(EncodeSystem(*world), *read);
  ExpectAsSaved(*world, *read);
}

TEST(SystemFileLayoutTest, SingleStarWithAnEmptyOrbitAndAShortRecord) {
  auto w = std::make_unique<World>();
  w->StarCount = 1;
  w->SystemName = "Solo";
  w->SystemAge = 4.5f;
  w->SystemNote = "calm";
  w->SystemY = 1.5f;
  w->SystemZ = -2.25f;
  w->SystemVectorX = -3.0f;
  w->SystemVectorZ = 0.5f;
  w->StarSeparation = 9;  // neither a pair block nor stars 0 and 2 for a single star
  w->StarMass[2] = 7;
  w->BodyEccentricity(1, 0, 0) = 0.5;
  w->StarMass[1] = 1.25;
  w->StarTemperature[1] = 5800;
  w->StarLuminosity[1] = 1.5f;
  w->StarAngle[1] = 33;
  w->StarType[1] = "G2 V  ";
  w->BodyName(1, 0, 0) = "Helios";
  w->OrbitCount[1] = 2;
  w->BodySemiMajorAxis(1, 1, 0) = 0.4;  // an orbit without a world keeps nothing
  FillBody(*w, 1, 2, 0, "T", 100);

  Bytes e;
  e.Text(kHeader).Text("Solo").I16(1).F32(4.5f).Text("calm");
  e.TagI16(0).TagF32(1.5f).F32(-2.25f).TagF32(-3.0f).TagI16(0).F32(0.5f);
  e.F64(1.25).I32(5800).F32(1.5f).F64(33).I16(2).Text("G2 V  ").Text("Helios").Text("");
  e.Text("X");
  e.Text("T").I16(0);
  ExpectedBody(e, "T", 100);
  ASSERT_EQ(EncodeSystem(*w), e.Str());

  auto read = std::make_unique<World>();
  ExpectStableAfterDecoding(e.Str(), *read);
  ExpectAsSaved(*w, *read);
}

// A pair whose combined star has a "J" world with a 42-field "H" moon and a 25-field "Z" moon.
std::unique_ptr<World> HandMadePair() {
  auto w = std::make_unique<World>();
  w->StarCount = 2;
  w->SystemX = 12.5f;
  w->SystemVectorY = 0.125;
  w->StarSeparation = 2.5;
  w->StarPeriod = 10;
  for (int s = 1; s <= 2; ++s) {
    w->BodyEccentricity(s, 0, 0) = 0.1 * s;
    w->BodyAscendingNode(s, 0, 0) = 20.0 * s;
    w->BodyPeriastronArgument(s, 0, 0) = 30.0 * s;
    w->BodyPeriastronTime(s, 0, 0) = 0.4 * s;
    w->BodyInclination(s, 0, 0) = 5;  // not part of a star's slot in a file
  }
  for (int s = 0; s <= 2; ++s) {
    w->StarMass[s] = 1.5 - 0.5 * s;
    w->StarTemperature[s] = 6000 - 1000 * s;
    w->StarLuminosity[s] = 2.0f - 0.5f * static_cast<float>(s);
    w->StarAngle[s] = 10.0 * s;
    w->StarType[s] = "K" + std::to_string(s);
    w->BodyName(s, 0, 0) = "Star " + std::to_string(s);
    w->BodyNote(s, 0, 0) = std::to_string(s);
  }
  w->OrbitCount[0] = 1;
  FillBody(*w, 0, 1, 0, "J", 0);
  w->MoonCount[0][1] = 2;
  FillBody(*w, 0, 1, 1, "H", 50);
  FillBody(*w, 0, 1, 2, "Z", 60);
  return w;
}

TEST(SystemFileLayoutTest, PairWithMoonsOfBothRecordLengths) {
  auto w = HandMadePair();
  Bytes e;
  e.Text(kHeader).Text("").I16(2).F32(0).Text("");
  e.TagF32(12.5f).TagI16(0).F32(0).TagI16(0).TagF64(0.125).F32(0);
  e.F64(2.5).F32(10);
  for (int s = 1; s <= 2; ++s) e.F64(0.1 * s).F64(20.0 * s).F64(30.0 * s).F64(0.4 * s);
  for (int s = 0; s <= 2; ++s) {
    e.F64(1.5 - 0.5 * s).I32(6000 - 1000 * s).F32(2.0f - 0.5f * static_cast<float>(s));
    e.F64(10.0 * s).I16(s == 0 ? 1 : 0).Text("K" + std::to_string(s));
    e.Text("Star " + std::to_string(s)).Text(std::to_string(s));
    if (s > 0) continue;
    e.Text("J").I16(2);
    ExpectedBody(e, "J", 0);
    ExpectedBody(e, "H", 50);
    ExpectedBody(e, "Z", 60);
  }
  ASSERT_EQ(EncodeSystem(*w), e.Str());

  auto read = std::make_unique<World>();
  ExpectStableAfterDecoding(e.Str(), *read);
  ExpectAsSaved(*w, *read);
  EXPECT_EQ(read->StarOffset[1], 0.5f);  // 2.5 x 0.25 / 1.25
  EXPECT_EQ(read->StarOffset[2], 2.0f);
}

// A world that holds a known system; Check() says it is exactly as it was.
struct Guarded {
  Guarded() : world(std::make_unique<World>(SamplePair())) {
    world->SystemFilePath = "kept.ax2";
    world->SystemSaved = 1;
    before = EncodeSystem(*world);
  }
  void Check() const {
    EXPECT_EQ(EncodeSystem(*world), before);
    EXPECT_EQ(world->SystemFilePath, "kept.ax2");
    EXPECT_EQ(world->SystemSaved, 1);
  }
  std::unique_ptr<World> world;
  std::string before;
};

void ExpectRejected(std::string_view bytes, const std::string& reason) {
  Guarded g;
  SystemFileReader reader;
  try {
    reader.Decode(bytes, *g.world);
    ADD_FAILURE() << "decoded, expected: " << reason;
  } catch (const SystemFormatError& error) {
    EXPECT_EQ(error.what(), reason);
  }
  g.Check();
}

// A single-star header with this star count, and a star record starting with this orbit count.
Bytes Header(int starCount) {
  Bytes e;
  e.Text(kHeader).Text("Bad").I16(starCount).F32(1).Text("");
  e.TagI16(0).TagI16(0).F32(0).TagI16(0).TagI16(0).F32(0);
  return e;
}
Bytes& StarStart(Bytes& e, int orbitCount) {
  return e.F64(1).I32(5000).F32(1).F64(0).I16(orbitCount).Text("G").Text("").Text("");
}

TEST(SystemFileBadInputTest, EachFaultIsRejectedWithItsReasonAndTheWorldKept) {
  ExpectRejected("", "the file is empty");
  ExpectRejected(Header(3).Zeros(400).Str(), "star count 3 is beyond 2");
  ExpectRejected(Header(-1).Zeros(400).Str(), "star count -1 is negative");
  Bytes orbits = Header(1);
  ExpectRejected(StarStart(orbits, 16).Zeros(400).Str(), "orbit count 16 is beyond 15");
  Bytes negativeOrbits = Header(1);
  ExpectRejected(StarStart(negativeOrbits, -2).Str(), "orbit count -2 is negative");
  Bytes moons = Header(1);
  StarStart(moons, 1).Text("H").I16(21).Zeros(400);
  ExpectRejected(moons.Str(), "moon count 21 is beyond 20");
  ExpectRejected(Bytes().Text(kHeader).I16(-5).Zeros(400).Str(), "a text length of -5 is negative");
  ExpectRejected(Bytes().Text(kHeader).I16(32767).Zeros(400).Str(), "the file ends early");
  ExpectRejected(Bytes().Text(kHeader).Text("").I16(1).F32(0).Text("").I16(7).Zeros(400).Str(),
                 "unknown number type 7");
  // A world of class "X" (or of none) would be saved as an empty orbit and read back as
  // another system.
  for (const char* worldClass : {"X", ""}) {
    Bytes file = Header(1);
    StarStart(file, 1).Text("T").I16(0);
    ExpectedBody(file, worldClass, 0);
    ExpectRejected(file.Str(), "the world of orbit 1 has no class");
  }
}

TEST(SystemFileBadInputTest, EveryTruncationIsRejected) {
  const std::string file = EncodeSystem(SamplePair());
  Guarded g;
  SystemFileReader reader;
  for (std::size_t size = 0; size < file.size(); ++size) {
    try {
      reader.Decode(std::string_view(file).substr(0, size), *g.world);
      ADD_FAILURE() << "decoded at " << size;
    } catch (const SystemFormatError& error) {
      EXPECT_STREQ(error.what(), size == 0 ? "the file is empty" : "the file ends early") << size;
    }
  }
  g.Check();
}

TEST(SystemFileBadInputTest, RandomAndMutatedBytesDecodeOrAreRejected) {
  const std::string file = EncodeSystem(SamplePair());
  auto world = std::make_unique<World>();
  int decoded = 0;
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
    std::mt19937 random(seed);
    std::string bytes;
    if (seed % 2 != 0) {  // noise, half of it after a valid header text
      if (seed % 4 == 1) bytes = Bytes().Text(kHeader).Str();
      for (auto n = random() % 300; n > 0; --n) bytes.push_back(static_cast<char>(random()));
    } else {  // a real file with a few bytes changed
      bytes = file;
      for (auto n = 1 + random() % 4; n > 0; --n) {
        bytes[random() % bytes.size()] = static_cast<char>(random());
      }
    }
    try {
      ExpectStableAfterDecoding(bytes, *world);
      ++decoded;
    } catch (const SystemFormatError&) {
    }
    if (HasFailure()) FAIL() << "seed " << seed;
  }
  EXPECT_GT(decoded, 100);  // the mutations reach past the header
}

// The fuzzing corpus: files named "valid-" decode stably, files named "bad-" are rejected.
TEST(SystemFileBadInputTest, CorpusFilesDecodeStablyOrAreRejectedAsNamed) {
  auto world = std::make_unique<World>();
  int valid = 0, bad = 0;
  for (const auto& entry : fs::directory_iterator(AX_SYSTEM_FILE_CORPUS)) {
    const std::string name = entry.path().filename().string();
    const bool good = name.rfind("valid-", 0) == 0;
    EXPECT_TRUE(good || name.rfind("bad-", 0) == 0) << name;
    try {
      ExpectStableAfterDecoding(Slurp(entry.path()), *world);
      EXPECT_TRUE(good) << name;
      ++valid;
    } catch (const SystemFormatError& error) {
      EXPECT_FALSE(good) << name << ": " << error.what();
      ++bad;
    }
  }
  EXPECT_GE(valid, 4);
  EXPECT_GE(bad, 4);
}

TEST(SystemFileTest, AnyHeaderTextAndTrailingBytesReadNormally) {
  const std::string file = EncodeSystem(SamplePair());
  const std::string otherHeader = Bytes().Text("Some other program, 1.0").Str() + file.substr(32);
  auto read = std::make_unique<World>();
  SystemFileReader reader;
  reader.Decode(otherHeader, *read);
  EXPECT_EQ(EncodeSystem(*read), file);
  reader.Decode(file + std::string("\x01\x02 tail", 7), *read);
  EXPECT_EQ(EncodeSystem(*read), file);
}

// Clearing the stars does nothing while the star count is 0: a single-star file read over a
// starless system must still replace that system's separation, period and star tables.
TEST(SystemFileBadInputTest, ReadingReplacesTheStarsOfAStarlessSystem) {
  Bytes starless = Header(0);
  starless.F64(3).F32(4).Zeros(64);
  for (int s = 0; s <= 2; ++s) StarStart(starless, 0);
  Bytes single = Header(1);
  StarStart(single, 0);
  auto world = std::make_unique<World>();
  SystemFileReader reader;
  reader.Decode(starless.Str(), *world);
  reader.Decode(single.Str(), *world);
  EXPECT_EQ(world->StarSeparation, 0.0);
  EXPECT_EQ(world->StarPeriod, 0.0f);
  EXPECT_EQ(world->StarMass[2], 0.0);
  EXPECT_EQ(world->StarType[0], "");
}

}  // namespace
}  // namespace ax
