#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "support/FileBytes.h"
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
  Bytes& Text(std::string_view t) { return I16(static_cast<int>(t.size())).Raw(t); }
  Bytes& Raw(std::string_view t) {
    bytes_ += t;
    return *this;
  }
  Bytes& TagI16(int v) { return I16(2).I16(v); }
  Bytes& TagF32(float v) { return I16(4).F32(v); }
  Bytes& TagF64(double v) { return I16(5).F64(v); }
  Bytes& Zeros(std::size_t n) { return Raw(std::string(n, '\0')); }
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

// Distinct values for every field i of a body, from its class and one base number k; texts
// of any 8-bit character.
std::string T(const std::string& cls, int i) {
  return i == 0 ? cls : cls + std::string("\0\xe9", 2) + std::to_string(i);
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

// Fills every table of a body, air too for every class, by the type each table holds.
void FillBody(World& w, int s, int o, int b, const std::string& cls, int k) {
  int i = 0;
  ForEachBodyTable(w, [&](const char*, auto& table) {
    auto& cell = table(s, o, b);
    using V = std::remove_reference_t<decltype(cell)>;
    if constexpr (std::is_same_v<V, std::string>) cell = T(cls, i);
    if constexpr (std::is_same_v<V, double>) cell = D(k, i);
    if constexpr (std::is_same_v<V, float>) cell = F(k, i);
    if constexpr (std::is_same_v<V, std::int16_t>) cell = N(k, i);
    ++i;
  });
}

// FillBody's record as the format lists it: t text, d double, f float, n short; the air
// fields, from field 25 on, only for a class that has air.
void ExpectedBody(Bytes& e, const std::string& cls, int k) {
  constexpr std::string_view kFields = "tttddddddddfffnnfffnfttttfffffffffffnnfftt";
  for (int i = 0; i < (HasAir(cls) ? 42 : 25); ++i) {
    const char field = kFields[static_cast<std::size_t>(i)];
    if (field == 't') e.Text(T(cls, i));
    if (field == 'd') e.F64(D(k, i));
    if (field == 'f') e.F32(F(k, i));
    if (field == 'n') e.I16(N(k, i));
  }
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

// Decodes into a world that held a system before, and checks that the system read encodes to
// the same bytes (when `exact`) and decodes to the same bytes again.
void ExpectDecodes(std::string_view bytes, World& world, bool exact = true) {
  static SystemFileReader reader;
  static const auto again = HandMadePair();
  reader.Decode(bytes, world);
  const std::string once = EncodeSystem(world);
  if (exact) {
    EXPECT_EQ(once, bytes);
  }
  EXPECT_EQ(world.SystemSurveyed, 1);
  EXPECT_EQ(world.SystemSaved, 0);
  ASSERT_NO_THROW(reader.Decode(once, *again));
  EXPECT_EQ(EncodeSystem(*again), once);
}

// Generated systems of every kind, with positions of every kind as a cluster gives them and
// texts with any 8-bit character, read back into a world that held another system.
TEST(SystemFileTest, RoundTripKeepsEverythingTheFileHolds) {
  auto read = std::make_unique<World>();
  int pairs = 0;
  for (std::uint64_t seed = 1; seed <= 200; ++seed) {
    auto world = std::make_unique<World>();
    Random random(seed);
    GenerateStars(*world, random);
    Survey(*world, random).SurveySystem();
    const auto k = static_cast<std::int16_t>(seed);
    world->SystemX = seed % 3 == 0 ? TaggedNumber{k} : TaggedNumber{0.5f * k};
    world->SystemY = seed % 3 == 1 ? TaggedNumber{std::int16_t{0}} : TaggedNumber{k * 0.1};
    world->SystemVectorX = TaggedNumber{1.0f / k};
    world->SystemNote = std::string("\xff\0note ", 7) + std::to_string(seed);
    world->BodyNote(world->StarCount == 1 ? 1 : 2, 0, 0) = "star note";
    pairs += world->StarCount == 2;
    ExpectDecodes(EncodeSystem(*world), *read);
    if (HasFailure()) FAIL() << "seed " << seed;
  }
  EXPECT_GT(pairs, 20);
}

TEST(SystemFileTest, OrbitAndMoonCountsAtTheirBoundsDecode) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->OrbitCount[1] = 15;
  FillBody(*world, 1, 15, 0, "J", 0);
  world->MoonCount[1][15] = 20;
  for (int b = 1; b <= 20; ++b) FillBody(*world, 1, 15, b, b % 2 ? "Z" : "R", b * 100);
  auto read = std::make_unique<World>();
  ExpectDecodes(EncodeSystem(*world), *read);
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
  ExpectDecodes(e.Str(), *read);
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
  ExpectDecodes(e.Str(), *read);
  EXPECT_EQ(read->StarOffset[1], 0.5f);  // 2.5 x 0.25 / 1.25
  EXPECT_EQ(read->StarOffset[2], 2.0f);
}

// A failed read leaves the world exactly as it was, its file and saved state included; when
// `where` is given, the failure names that place in plain words.
FileFailure ExpectRejected(std::string_view bytes, const std::string& reason,
                           const std::string& where = "") {
  FileFailure failure;
  const auto world = HandMadePair();
  world->SystemFilePath = "kept.ax2";
  world->SystemSaved = 1;
  const std::string before = EncodeSystem(*world);
  try {
    SystemFileReader().Decode(bytes, *world);
    ADD_FAILURE() << "decoded, expected: " << reason;
  } catch (const SystemFormatError& error) {
    EXPECT_EQ(error.what(), reason);
    failure = error.Failure();
  }
  if (!where.empty()) {
    EXPECT_EQ(failure.where, where);
  }
  EXPECT_EQ(EncodeSystem(*world), before);
  EXPECT_EQ(world->SystemFilePath, "kept.ax2");
  EXPECT_EQ(world->SystemSaved, 1);
  return failure;
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
  ExpectRejected(Header(3).Zeros(400).Str(), "star count 3 is beyond 2", "the star count");
  ExpectRejected(Header(-1).Zeros(400).Str(), "star count -1 is negative");
  Bytes orbits = Header(1);
  ExpectRejected(StarStart(orbits, 16).Zeros(400).Str(), "orbit count 16 is beyond 15",
                 "the orbit count of star 1");
  Bytes negativeOrbits = Header(1);
  ExpectRejected(StarStart(negativeOrbits, -2).Str(), "orbit count -2 is negative");
  Bytes moons = Header(1);
  StarStart(moons, 1).Text("H").I16(21).Zeros(400);
  ExpectRejected(moons.Str(), "moon count 21 is beyond 20", "the moon count of orbit 1 of star 1");
  ExpectRejected(Bytes().Text(kHeader).I16(-5).Zeros(400).Str(), "a text length of -5 is negative",
                 "the system name");
  // Not begun as this program's files begin, a file that fails was never a system file.
  EXPECT_EQ(
      ExpectRejected(Bytes().Text("Other").I16(-5).Str(), "a text length of -5 is negative").kind,
      FileFailure::Kind::WrongKind);
  ExpectRejected(Bytes().Text(kHeader).I16(32767).Zeros(400).Str(), "the file ends early");
  ExpectRejected(Bytes().Text(kHeader).Text("").I16(1).F32(0).Text("").I16(7).Zeros(400).Str(),
                 "unknown number type 7", "the position");
  // A world of class "X" (or of none) would be saved as an empty orbit and read back as
  // another system.
  for (const char* worldClass : {"X", ""}) {
    Bytes file = Header(1);
    StarStart(file, 1).Text("T").I16(0);
    ExpectedBody(file, worldClass, 0);
    ExpectRejected(file.Str(), "the world of orbit 1 has no class",
                   "the class of the world of orbit 1 of star 1");
  }
}

TEST(SystemFileBadInputTest, EveryTruncationIsRejected) {
  const std::string file = EncodeSystem(*HandMadePair());
  for (std::size_t size = 0; size < file.size(); ++size) {
    const FileFailure failure = ExpectRejected(
        file.substr(0, size), size == 0 ? "the file is empty" : "the file ends early");
    EXPECT_EQ(failure.kind, size == 0 ? FileFailure::Kind::Empty : FileFailure::Kind::EndsEarly);
    EXPECT_EQ(failure.size, size);
    if (HasFailure()) FAIL() << "at " << size;
  }
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
      ExpectDecodes(test::FileBytes(entry.path()), *world, false);
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

}  // namespace
}  // namespace ax