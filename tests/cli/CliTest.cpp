#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Census.h"
#include "cli/CliRun.h"
#include "cli/Commands.h"
#include "cli/Report.h"
#include "cli/WorldJson.h"
#include "display/RecordingCanvas.h"
#include "display/ReportExport.h"
#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"

#ifdef AX_HAVE_RENDER
#include <QColor>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#endif

namespace ax {
namespace {

using test::Cli;
using test::CliRun;
using test::Lines;

TEST(CliTest, HelpNamesTheCommands) {
  const CliRun run = Cli({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("system"), std::string::npos);
  const CliRun system = Cli({"system", "--help"});
  EXPECT_EQ(system.status, 0);
  EXPECT_NE(system.out.find("--no-survey"), std::string::npos);
  EXPECT_NE(system.out.find("--seed"), std::string::npos);
}

TEST(CliTest, BadArgumentsGiveStatusTwoAndOneLine) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {},
           {"galaxy"},
           {"system", "--no-survey", "--count", "0"},
           {"system", "--no-survey", "--count", "many"},
           {"system", "--no-survey", "--count"},
           {"system", "--no-survey", "--seed", "-x"},
           {"system", "--no-survey", "--colour"},
           {"system", "--summary", "--json"},
       }) {
    const CliRun run = Cli(args);
    const std::string shown = args.empty() ? "(no arguments)" : args.back();
    EXPECT_EQ(run.status, 2) << shown;
    EXPECT_TRUE(run.out.empty()) << shown;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.rfind("astrolattix-cli: ", 0), 0u) << run.err;
  }
}

TEST(CliTest, JsonLinesMatchTheGeneratedStarsExactly) {
  const CliRun run = Cli({"system", "--no-survey", "--count", "20000", "--seed", "1", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 20000u);

  // The same seed through the library: every number must read back to the same value.
  auto world = std::make_unique<World>();
  Random random(1);
  const std::vector<std::string> keys = {
      "StarCount",     "SystemName",    "SystemNote", "SystemAge", "StarSeparation",
      "StarPeriod",    "SystemX",       "SystemY",    "SystemZ",   "SystemVectorX",
      "SystemVectorY", "SystemVectorZ", "stars",      "bodies"};
  int pairs = 0;
  for (const std::string& line : lines) {
    ClearSystem(*world);
    GenerateStars(*world, random);
    const auto json = nlohmann::ordered_json::parse(line);
    std::vector<std::string> order;
    for (const auto& item : json.items()) {
      order.push_back(item.key());
    }
    ASSERT_EQ(order, keys);
    ASSERT_EQ(json["StarCount"].get<int>(), world->StarCount);
    ASSERT_EQ(json["SystemAge"].get<float>(), world->SystemAge);
    ASSERT_EQ(json["StarSeparation"].get<double>(), world->StarSeparation);
    ASSERT_EQ(json["StarPeriod"].get<float>(), world->StarPeriod);
    ASSERT_TRUE(json["SystemX"].is_number_integer());
    ASSERT_TRUE(json["bodies"].empty());
    const auto& stars = json["stars"];
    ASSERT_EQ(stars.size(), world->StarCount == 2 ? 3u : 1u);
    pairs += world->StarCount == 2 ? 1 : 0;
    for (std::size_t i = 0; i < stars.size(); ++i) {
      const auto& star = stars[i];
      const int s = star["index"].get<int>();
      ASSERT_EQ(s, world->StarCount == 2 ? static_cast<int>(i) : 1);
      ASSERT_EQ(star["StarMass"].get<double>(), world->StarMass[s]);
      ASSERT_EQ(star["StarTemperature"].get<int>(), world->StarTemperature[s]);
      ASSERT_EQ(star["StarLuminosity"].get<float>(), world->StarLuminosity[s]);
      ASSERT_EQ(star["StarType"].get<std::string>(), world->StarType[s]);
      ASSERT_EQ(star["StarAngle"].get<double>(), world->StarAngle[s]);
    }
  }
  EXPECT_GT(pairs, 7000);
}

TEST(CliTest, SeedRepeatsTheOutputAndTheClockVariesIt) {
  const std::vector<std::string> seeded = {"system", "--no-survey", "--count", "20",
                                           "--seed", "99",          "--json"};
  EXPECT_EQ(Cli(seeded).out, Cli(seeded).out);
  const std::vector<std::string> clocked = {"system", "--no-survey", "--count", "20", "--json"};
  EXPECT_NE(Cli(clocked).out, Cli(clocked).out);
}

TEST(CliTest, SurveyedSystemsListTheirBodies) {
  const CliRun run = Cli({"system", "--count", "30", "--seed", "7", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::size_t bodies = 0;
  for (const std::string& line : Lines(run.out)) {
    const auto json = nlohmann::ordered_json::parse(line);
    for (const auto& body : json["bodies"]) {
      ++bodies;
      const int s = body["star"].get<int>();
      const int o = body["orbit"].get<int>();
      const int b = body["body"].get<int>();
      ASSERT_GE(o, 1);
      ASSERT_LE(o, json["stars"][json["StarCount"] == 2 ? s : 0]["OrbitCount"].get<int>());
      ASSERT_EQ(body.contains("MoonCount"), b == 0);
      ASSERT_FALSE(body["BodyClass"].get<std::string>().empty());
    }
  }
  EXPECT_GT(bodies, 30u);
  EXPECT_EQ(Cli({"system", "--count", "30", "--seed", "7", "--json"}).out, run.out);
}

// A folder of its own for the files a test writes, removed afterwards.
class CliFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("astrolattix-cli-" +
              std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string In(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
};

TEST_F(CliFilesTest, SavedSystemsReadBackToTheSameJson) {
  const CliRun saved = Cli({"system", "--seed", "11", "--out", In("sol.ax2"), "--json"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun shown = Cli({"show", In("sol.ax2"), "--json"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out, saved.out);
  EXPECT_EQ(nlohmann::json::parse(shown.out)["SystemName"], "Sol");  // named after its file

  const CliRun many = Cli({"system", "--seed", "11", "--count", "3", "--out", In("many")});
  ASSERT_EQ(many.status, 0) << many.err;
  for (const char* name : {"0001.ax2", "0002.ax2", "0003.ax2"}) {
    EXPECT_EQ(Cli({"show", In("many/" + std::string(name))}).status, 0) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "many" / "0004.ax2"));
}

TEST_F(CliFilesTest, BadFilesGiveStatusTwoAndOneLineNamingTheFile) {
  std::ofstream(folder / "short.ax2", std::ios::binary) << std::string("\x1e\x00Astro", 7);
  std::ofstream(folder / "empty.ax2", std::ios::binary);
  for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
           {"short.ax2", "the file ends early"},
           {"empty.ax2", "the file is empty"},
           {"missing.ax2", "the file does not exist"},
       }) {
    const CliRun run = Cli({"show", In(name)});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_TRUE(run.out.empty()) << name;
    EXPECT_EQ(run.err, "astrolattix-cli: " + In(name) + ": " + reason + "\n");
  }
  const CliRun endless = Cli({"show", "/dev/zero"});  // refused before a byte is read
  EXPECT_EQ(endless.status, 2);
  EXPECT_EQ(endless.err, "astrolattix-cli: /dev/zero: not a regular file\n");
  const CliRun noFolder = Cli({"system", "--out", In("no/such/folder/x.ax2")});
  EXPECT_EQ(noFolder.status, 2);
  EXPECT_EQ(std::count(noFolder.err.begin(), noFolder.err.end(), '\n'), 1) << noFolder.err;
  EXPECT_EQ(Cli({"show"}).status, 2);
}

// The star of index s in a system's JSON ("stars" lists 0, 1, 2 for a pair, 1 alone).
const nlohmann::json& StarOf(const nlohmann::json& system, int s) {
  return system["stars"][system["StarCount"] == 2 ? s : 0];
}

nlohmann::json JsonOf(const CliRun& run) {
  EXPECT_EQ(run.status, 0) << run.err;
  return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
}

TEST(CliGivenSystemTest, IncompleteSolAndAlphaCentauri) {
  // Magnitude 4.83: L = 10^((4.7 - 4.83) / 2.5) as a float; mass L^0.25 x [0.81, 1.21).
  const auto sol =
      JsonOf(Cli({"incomplete", "--type1", "G2V", "--magn1", "4.83", "--seed", "5", "--json"}));
  ASSERT_EQ(sol["StarCount"], 1);
  EXPECT_EQ(StarOf(sol, 1)["StarType"], "G 2 V  ");
  EXPECT_EQ(StarOf(sol, 1)["StarLuminosity"].get<float>(), 0.8871560096740723f);
  EXPECT_NEAR(StarOf(sol, 1)["StarMass"].get<double>(), 1.0, 0.2);
  EXPECT_FALSE(sol["bodies"].empty());

  for (const char* seed : {"1", "2", "3", "4", "5", "6", "7", "8"}) {
    const auto pair =
        JsonOf(Cli({"incomplete", "--type1", "G2V", "--magn1", "4.38", "--type2", "K1V", "--magn2",
                    "5.71", "--sep", "23.4", "--seed", seed, "--no-survey", "--json"}));
    ASSERT_EQ(pair["StarCount"], 2) << seed;
    EXPECT_EQ(pair["StarSeparation"].get<double>(), 23.4);
    const double m1 = StarOf(pair, 1)["StarMass"].get<double>();
    const double m2 = StarOf(pair, 2)["StarMass"].get<double>();
    EXPECT_GE(m1, m2) << seed;
    // Kepler's third law in years, AU and solar masses.
    EXPECT_EQ(pair["StarPeriod"].get<float>(),
              static_cast<float>(std::sqrt(23.4 * 23.4 * 23.4 / (m1 + m2))));
    EXPECT_EQ(StarOf(pair, 0)["StarMass"].get<double>(), m1 + m2);
    // Each star keeps the light of its own magnitude, whichever comes first.
    for (int s = 1; s <= 2; ++s) {
      const auto& star = StarOf(pair, s);
      const bool sunLike = star["StarType"] == "G 2 V  ";
      EXPECT_EQ(star["StarType"], sunLike ? "G 2 V  " : "K 1 V  ");
      EXPECT_EQ(star["StarLuminosity"].get<float>(),
                sunLike ? 1.342764973640442f : 0.39445731043815613f);
    }
  }

  // Sirius: a negative magnitude reads as one, 10^((4.7 + 1.46) / 2.5).
  const auto sirius =
      JsonOf(Cli({"incomplete", "--type1", "A1V", "--magn1", "-1.46", "--no-survey", "--json"}));
  EXPECT_EQ(StarOf(sirius, 1)["StarLuminosity"].get<float>(), 291.07171630859375f);
}

TEST(CliGivenSystemTest, IncompleteSeparationChoices) {
  const std::vector<std::string> pair = {"incomplete", "--type1",     "G2V",   "--magn1",
                                         "4.7",        "--type2",     "G2V",   "--magn2",
                                         "4.7",        "--no-survey", "--json"};
  auto withPeriod = pair;
  withPeriod.insert(withPeriod.end(), {"--period", "79.91"});
  const auto known = JsonOf(Cli(withPeriod));
  const double total =
      StarOf(known, 1)["StarMass"].get<double>() + StarOf(known, 2)["StarMass"].get<double>();
  EXPECT_EQ(known["StarPeriod"].get<float>(), 79.91f);
  EXPECT_DOUBLE_EQ(known["StarSeparation"].get<double>(),
                   std::cbrt(double{79.91f} * double{79.91f} * total));

  // No choice for a pair: drawn as unknown, 2^(-6 ... 12) AU, not left at 0.
  for (const char* seed : {"1", "2", "3", "4"}) {
    auto drawn = pair;
    drawn.insert(drawn.end(), {"--seed", seed});
    const double separation = JsonOf(Cli(drawn))["StarSeparation"].get<double>();
    EXPECT_GE(separation, 1.0 / 64) << seed;
    EXPECT_LT(separation, 4096.0) << seed;
  }
  auto close = pair;
  close.push_back("--close");
  // d1000 / 1000 + (m1 + m2) / 400 with m1 + m2 below 2.5.
  EXPECT_LT(JsonOf(Cli(close))["StarSeparation"].get<double>(), 1.0 + 2.5 / 400);
}

TEST(CliGivenSystemTest, DeliberatePairKeepsTheGivenValues) {
  const auto pair = JsonOf(Cli({"deliberate", "--mass1", "1", "--mass2", "0.5", "--separation",
                                "10", "--seed", "2", "--json"}));
  ASSERT_EQ(pair["StarCount"], 2);
  EXPECT_EQ(StarOf(pair, 1)["StarMass"].get<double>(), 1.0);
  EXPECT_EQ(StarOf(pair, 2)["StarMass"].get<double>(), 0.5);
  EXPECT_EQ(pair["StarSeparation"].get<double>(), 10.0);
  EXPECT_EQ(pair["StarPeriod"].get<float>(), 25.819889068603516f);  // sqrt(10^3 / 1.5)
  // Not given: 5800 x sqrt(m) K and m^4, so the Sun's 5800 K and 1, and round(4101.2) K.
  EXPECT_EQ(StarOf(pair, 1)["StarTemperature"], 5800);
  EXPECT_EQ(StarOf(pair, 1)["StarLuminosity"].get<float>(), 1.0f);
  EXPECT_EQ(StarOf(pair, 2)["StarTemperature"], 4101);
  EXPECT_EQ(StarOf(pair, 2)["StarLuminosity"].get<float>(), 0.0625f);
  EXPECT_EQ(StarOf(pair, 1)["StarType"], "G 1 V  ");
  EXPECT_GE(pair["SystemAge"].get<float>(), 0.01f);
  EXPECT_LE(pair["SystemAge"].get<float>(), 10.0f);
  EXPECT_FALSE(pair["bodies"].empty());

  // The texts go through as typed: each is read by its leading number.
  const auto single =
      JsonOf(Cli({"deliberate", "--mass1", "1.1 suns", "--temp1", "5900K", "--lumn1", "1.3",
                  "--age", "2", "--name", "Kepler", "--no-survey", "--json"}));
  ASSERT_EQ(single["StarCount"], 1);
  EXPECT_EQ(single["SystemName"], "Kepler");
  EXPECT_EQ(single["SystemAge"].get<float>(), 2.0f);
  EXPECT_EQ(StarOf(single, 1)["StarMass"].get<double>(), 1.1);
  EXPECT_EQ(StarOf(single, 1)["StarTemperature"], 5900);
  EXPECT_EQ(StarOf(single, 1)["StarLuminosity"].get<float>(), 1.3f);
}

TEST_F(CliFilesTest, RejectedFieldsNameTheirOptionsAndSaveNothing) {
  const std::string file = In("rejected.ax2");
  for (const auto& [args, rejected] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"deliberate", "--mass1", "0", "--temp1", "5000", "--lumn1", "1", "--mass2", "1",
             "--temp2", "hot", "--lumn2", "1", "--separation", "10"},
            "--mass1 (StarAMassText), --temp2 (StarBTempText)"},
           {{"deliberate", "--mass1", "1e300", "--temp1", "5800", "--lumn1", "1"},
            "--mass1 (StarAMassText)"},
           {{"deliberate", "--mass1", "heavy"},
            "--mass1 (StarAMassText), --temp1 (StarATempText, from --mass1), "
            "--lumn1 (StarALumnText, from --mass1)"},
           {{"deliberate", "--mass1", "1", "--mass2", "1"}, "--separation (SeparationText)"},
           {{"deliberate", "--mass1", "1", "--separation", "-3"},
            "--mass2 (StarBMassText), --temp2 (StarBTempText, from --mass2), "
            "--lumn2 (StarBLumnText, from --mass2), --separation (SeparationText)"},
           // 9.8 x 2^-3 = 1.225: the star would have left the main sequence.
           {{"deliberate", "--mass1", "2", "--age", "1.3"}, "--age (AgeText)"},
           {{"incomplete", "--type1", "X5V", "--magn1", "4"}, "--type1 (StarATypeText)"},
           {{"incomplete", "--type1", "G2V", "--magn1", "4.8", "--type2", "K1V", "--magn2", "",
             "--sep", "0"},
            "--magn2 (StarBMagnText), --sep (KnownSepText)"},
           {{"incomplete", "--type1", "G2V", "--magn1", "4.8", "--period", "-1"},
            "--magn2 (StarBMagnText), --type2 (StarBTypeText), --period (KnownPeriodText)"},
       }) {
    std::vector<std::string> line = args;
    line.insert(line.end(), {"--out", file});
    const CliRun run = Cli(line);
    EXPECT_EQ(run.status, 2) << rejected;
    EXPECT_TRUE(run.out.empty()) << rejected;
    EXPECT_EQ(run.err, "astrolattix-cli: rejected: " + rejected + "\n");
    EXPECT_FALSE(std::filesystem::exists(file)) << rejected;
  }
}

// NaN and infinity would print as null.
bool AllFinite(const nlohmann::json& json) {
  if (json.is_null()) return false;
  if (json.is_number_float()) return std::isfinite(json.get<double>());
  if (!json.is_structured()) return true;
  return std::all_of(json.begin(), json.end(), AllFinite);
}

// At the edges of the ranges the model holds, and anywhere between, every number stays finite.
TEST(CliGivenSystemTest, EveryAcceptedValueGivesFiniteNumbers) {
  using Edges = std::array<std::string, 2>;
  const Edges mass = {"0.01", "300"}, temp = {"1", "500000"}, lumn = {"1e-9", "1e10"},
              sep = {"0.001", "1e6"};
  for (int corner = 0; corner < 128; ++corner) {
    const auto edge = [corner](int bit, const Edges& edges) { return edges[(corner >> bit) & 1]; };
    const CliRun run = Cli({"deliberate", "--mass1", edge(0, mass), "--temp1", edge(1, temp),
                            "--lumn1", edge(2, lumn), "--mass2", edge(3, mass), "--temp2",
                            edge(4, temp), "--lumn2", edge(5, lumn), "--separation", edge(6, sep),
                            "--seed", std::to_string(corner), "--json"});
    ASSERT_EQ(run.status, 0) << corner << run.err;
    EXPECT_TRUE(AllFinite(nlohmann::json::parse(run.out))) << corner;
  }
  // Magnitudes of -21 ... 28 and periods of 1e-6 ... 1e9 years; the rejected ones are skipped.
  const char* types[] = {"O5V", "B0I", "K3III", "M5V", "A5D", "F0N"};
  Random random(3);
  int accepted = 0;
  const auto text = [](double value) {
    std::ostringstream out;
    out << value;
    return out.str();
  };
  for (int i = 0; i < 300; ++i) {
    const auto magnitude = [&] { return text(-21 + 49 * random.Uniform()); };
    const CliRun run =
        Cli({"incomplete", "--type1", types[random.RollDie(6) - 1], "--magn1", magnitude(),
             "--type2", types[random.RollDie(6) - 1], "--magn2", magnitude(), "--period",
             text(std::pow(10.0, -6 + 15 * random.Uniform())), "--json"});
    if (run.status != 0) continue;
    ++accepted;
    EXPECT_TRUE(AllFinite(nlohmann::json::parse(run.out))) << run.out.substr(0, 300);
  }
  EXPECT_GT(accepted, 60);
}

TEST(CliGivenSystemTest, BadArgumentsGiveStatusTwoAndOneLine) {
  const std::vector<std::string> g2v = {"incomplete", "--type1", "G2V", "--magn1", "4.8"};
  for (const auto& extra : std::vector<std::vector<std::string>>{
           {"--sep", "1", "--period", "2"},
           {"--close", "--unknown"},
           {"--sep", "1", "--close"},
           {"--period", "1", "--unknown"},
           {"--seed", "soon"},
       }) {
    std::vector<std::string> line = g2v;
    line.insert(line.end(), extra.begin(), extra.end());
    const CliRun run = Cli(line);
    EXPECT_EQ(run.status, 2) << extra.front();
    EXPECT_TRUE(run.out.empty()) << extra.front();
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.rfind("astrolattix-cli: ", 0), 0u) << run.err;
  }
  EXPECT_EQ(Cli({"incomplete", "--type1", "G2V"}).status, 2);
  EXPECT_EQ(Cli({"deliberate", "--temp1", "5800", "--lumn1", "1"}).status, 2);
  const CliRun help = Cli({"incomplete", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--unknown"), std::string::npos);
  EXPECT_NE(Cli({"deliberate", "--help"}).out.find("--separation"), std::string::npos);
}

TEST(CliGivenSystemTest, SeedRepeatsTheSystem) {
  const std::vector<std::string> alphaCentauri = {"incomplete", "--type1", "G2V", "--magn1",
                                                  "4.38",       "--type2", "K1V", "--magn2",
                                                  "5.71",       "--seed",  "21",  "--json"};
  EXPECT_EQ(Cli(alphaCentauri).out, Cli(alphaCentauri).out);
  const std::vector<std::string> sun = {"deliberate", "--mass1", "1", "--json"};
  auto seeded = sun;
  seeded.insert(seeded.end(), {"--seed", "21"});
  EXPECT_EQ(Cli(seeded).out, Cli(seeded).out);
  EXPECT_NE(Cli(sun).out, Cli(sun).out);  // the clock: an age of d1000 and an angle differ
}

TEST_F(CliFilesTest, GivenSystemsSaveAndReadBack) {
  const CliRun saved = Cli({"deliberate", "--mass1", "1", "--mass2", "0.5", "--separation", "10",
                            "--out", In("pair.ax2"), "--json"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun shown = Cli({"show", In("pair.ax2"), "--json"});
  EXPECT_EQ(shown.out, saved.out);
  EXPECT_EQ(nlohmann::json::parse(shown.out)["SystemName"], "Pair");  // named after its file

  ASSERT_EQ(Cli({"incomplete", "--type1", "G2V", "--magn1", "4.38", "--name", "Rigil Kentaurus",
                 "--out", In("acen.ax2")})
                .status,
            0);
  EXPECT_EQ(JsonOf(Cli({"show", In("acen.ax2"), "--json"}))["SystemName"], "Rigil Kentaurus");
}

// A pair whose star 1 has a belt of two bodies (orbit 1), an empty orbit (2) and a jovian
// with one moon (3); star 0 and star 2 have no orbits.
std::unique_ptr<World> HandBuiltPair() {
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  for (int s = 0; s <= 2; ++s) {
    world->StarType[s] = "M 2 V  ";
    world->StarMass[s] = 0.4;
  }
  world->OrbitCount[1] = 3;
  world->BodyClass(1, 1, 0) = "P";
  world->MoonCount[1][1] = 2;
  world->BodyClass(1, 1, 1) = "Z";
  world->BodyClass(1, 1, 2) = "Z";
  world->BodyClass(1, 3, 0) = "J";
  world->BodyRadius(1, 3, 0) = 11.0f;
  world->BodySemiMajorAxis(1, 3, 0) = 2.5;
  world->BodyPeriod(1, 3, 0) = 30000;
  world->MoonCount[1][3] = 1;
  world->BodyClass(1, 3, 1) = "T";
  world->BodyRadius(1, 3, 1) = 0.3f;
  world->BodySemiMajorAxis(1, 3, 1) = 20;
  world->BodyPeriod(1, 3, 1) = 100;
  return world;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST_F(CliFilesTest, ShowReportPrintsEveryBodyInReadingOrder) {
  auto world = HandBuiltPair();
  WriteSystemFile(*world, In("pair.ax2"));
  const CliRun run = Cli({"show", In("pair.ax2"), "--report"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  // Bodies 0..2 of orbit 1 and 0..1 of orbit 3: five reports, four blank lines between them.
  const std::vector<std::string> lines = Lines(run.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string()), 4) << run.out;
  // Passes once the world report is drawn: each report starts with its "Planet:" line.
  EXPECT_EQ(CountOf(run.out, "Planet:"), 5u) << run.out;
  EXPECT_EQ(Cli({"show", In("pair.ax2"), "--report", "--json"}).status, 2);
}

TEST_F(CliFilesTest, ShowMarkdownAndHtmlPrintTheWholeSystem) {
  auto world = HandBuiltPair();
  world->SystemName = "Pair & Co";
  WriteSystemFile(*world, In("pair.ax2"));
  auto read = std::make_unique<World>();
  SystemFileReader().Read(In("pair.ax2"), *read);

  const CliRun markdown = Cli({"show", In("pair.ax2"), "--markdown"});
  ASSERT_EQ(markdown.status, 0) << markdown.err;
  EXPECT_EQ(markdown.out, SystemReportMarkdown(*read));
  EXPECT_EQ(markdown.out.rfind("# System Pair \\& Co\n", 0), 0u) << markdown.out;
  const CliRun html = Cli({"show", In("pair.ax2"), "--html"});
  ASSERT_EQ(html.status, 0) << html.err;
  EXPECT_EQ(html.out, SystemReportHtml(*read));
  EXPECT_NE(html.out.find("<h1>System Pair &amp; Co</h1>"), std::string::npos);
  // The five bodies of the report, each with its report.
  EXPECT_EQ(CountOf(markdown.out, "```text\nPlanet:"), 5u) << markdown.out;
  EXPECT_EQ(CountOf(html.out, "<pre>Planet:"), 5u) << html.out;

  for (const std::vector<std::string>& flags : {std::vector<std::string>{"--markdown", "--json"},
                                                {"--html", "--report"},
                                                {"--markdown", "--html"},
                                                {"--html", "--json"}}) {
    const CliRun run = Cli({"show", In("pair.ax2"), flags[0], flags[1]});
    EXPECT_EQ(run.status, 2) << flags[0] << " " << flags[1];
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(CountOf(run.err, "\n"), 1u) << run.err;
  }
}

#ifdef AX_HAVE_RENDER

TEST_F(CliFilesTest, RenderWritesAPngOfTheRequestedSize) {
  const CliRun saved = Cli({"system", "--seed", "12", "--out", In("sol.ax2")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun run = Cli({"render", In("sol.ax2"), "--png", In("sol.png"), "--size", "320x200"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_TRUE(run.err.empty()) << run.err;
  const QImage image(QString::fromStdString(In("sol.png")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 320);
  EXPECT_EQ(image.height(), 200);
  // Passes once the orbit view is drawn: the stars and orbits are not all background.
  const QRgb corner = image.pixel(0, 0);
  int others = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) others += image.pixel(x, y) != corner ? 1 : 0;
  }
  EXPECT_GT(others, 0);

  const CliRun world = Cli(
      {"render", In("sol.ax2"), "--png", In("world.png"), "--mode", "world", "--date", "2012.5"});
  ASSERT_EQ(world.status, 0) << world.err;
  EXPECT_EQ(QImage(QString::fromStdString(In("world.png"))).size(), QSize(800, 600));
}

TEST_F(CliFilesTest, RenderRefusesWhatTheSystemDoesNotHave) {
  auto world = HandBuiltPair();
  WriteSystemFile(*world, In("pair.ax2"));
  const std::string file = In("pair.ax2");
  const std::string png = In("pair.png");
  for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--star", "3"}, "--star 3: a pair has stars 0 (both stars), 1 and 2"},
           {{"--star", "-1"}, "--star -1: a pair has stars 0 (both stars), 1 and 2"},
           {{"--star", "1", "--orbit", "4"}, "--orbit 4: star 1 has orbits 1 to 3"},
           {{"--star", "1", "--orbit", "0"}, "--orbit 0: star 1 has orbits 1 to 3"},
           {{"--orbit", "1"}, "--orbit 1: star 0 has no orbits"},
           {{"--star", "1", "--orbit", "3", "--body", "2"},
            "--body 2: star 1 orbit 3 has bodies 0 to 1"},
           {{"--star", "1", "--orbit", "2", "--body", "1"},
            "--body 1: star 1 orbit 2 has body 0 only"},
           {{"--mode", "world", "--star", "1", "--orbit", "2"},
            "--orbit 2: star 1 orbit 2 holds no world"},
           {{"--mode", "world", "--star", "1", "--orbit", "1"},
            "--orbit 1: star 1 orbit 1 is a belt (class P) and has no world view"},
           {{"--mode", "world", "--star", "2"}, "star 2 has no world to show in the world view"},
       }) {
    std::vector<std::string> line = {"render", file, "--png", png};
    line.insert(line.end(), args.begin(), args.end());
    const CliRun run = Cli(line);
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_TRUE(run.out.empty()) << message;
    EXPECT_EQ(run.err, "astrolattix-cli: " + message + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(png));

  // The defaults: star 0 of a pair in the system view; in the world view the first world of
  // any star, past the belt: star 1 orbit 3.
  EXPECT_EQ(Cli({"render", file, "--png", png, "--size", "16x16"}).status, 0);
  EXPECT_EQ(Cli({"render", file, "--png", png, "--mode", "world", "--size", "16x16"}).status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(16, 16));
}

TEST_F(CliFilesTest, RenderBadArgumentsGiveStatusTwoAndOneLine) {
  const CliRun saved = Cli({"system", "--seed", "12", "--out", In("sol.ax2")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const std::string file = In("sol.ax2");
  const std::string png = In("sol.png");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"render", file},
           {"render", file, "--png", png, "--size", "15x600"},
           {"render", file, "--png", png, "--size", "800x8193"},
           {"render", file, "--png", png, "--size", "800"},
           {"render", file, "--png", png, "--size", "800x600x2"},
           {"render", file, "--png", png, "--size", "x600"},
           {"render", file, "--png", png, "--mode", "galaxy"},
           {"render", file, "--png", png, "--date", "nan"},
           {"render", file, "--png", png, "--date", "inf"},
           {"render", file, "--png", png, "--date", "soon"},
           {"render", file, "--png", png, "--orbit", "first"},
           {"render", In("missing.ax2"), "--png", png},
           {"render", file, "--png", In("no/such/folder/sol.png")},
       }) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_TRUE(run.out.empty()) << args.back();
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.rfind("astrolattix-cli: ", 0), 0u) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(CliFilesTest, RenderWritesAnSvgAndTakesExactlyOneImage) {
  const CliRun saved = Cli({"system", "--seed", "12", "--out", In("sol.ax2")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const std::string file = In("sol.ax2");
  const CliRun run = Cli({"render", file, "--svg", In("sol.svg"), "--size", "320x200"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  QFile svg(QString::fromStdString(In("sol.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray drawing = svg.readAll();
  QXmlStreamReader xml(drawing);
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.attributes().value(QLatin1String("width")), QLatin1String("320"));
  EXPECT_EQ(xml.attributes().value(QLatin1String("height")), QLatin1String("200"));
  // Passes once the orbit view is drawn: the star and its orbits.
  EXPECT_GT(drawing.count("<circle"), 0);
  EXPECT_GT(drawing.count("<polyline"), 0);

  // --png writes a PNG whatever the name's extension.
  ASSERT_EQ(Cli({"render", file, "--png", In("sol.picture"), "--size", "16x16"}).status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(In("sol.picture")), "png").size(), QSize(16, 16));

  const CliRun both = Cli({"render", file, "--png", In("both.png"), "--svg", In("both.svg")});
  EXPECT_EQ(both.status, 2);
  EXPECT_EQ(std::count(both.err.begin(), both.err.end(), '\n'), 1) << both.err;
  EXPECT_NE(both.err.find("--png"), std::string::npos) << both.err;
  EXPECT_FALSE(std::filesystem::exists(In("both.png")));
  EXPECT_FALSE(std::filesystem::exists(In("both.svg")));
}

#else

TEST_F(CliFilesTest, RenderIsNotAvailableWithoutTheGui) {
  const CliRun saved = Cli({"system", "--seed", "12", "--out", In("sol.ax2")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun run = Cli({"render", In("sol.ax2"), "--png", In("sol.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "astrolattix-cli: render is not available: built without the Qt GUI\n");
}

#endif

TEST(CliTest, TextOutputDescribesEachSystem) {
  const CliRun run = Cli({"system", "--no-survey", "--count", "3", "--seed", "1"});
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("System 1: "), std::string::npos);
  EXPECT_NE(run.out.find("System 3: "), std::string::npos);
  EXPECT_NE(run.out.find("solar masses"), std::string::npos);
}

TEST(WorldJsonTest, FloatsInShortestFormAndBodiesWithEveryTable) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->SystemAge = 4.2f;
  world->SystemX = 1.5f;
  world->OrbitCount[1] = 2;
  world->MoonCount[1][2] = 1;
  world->BodyClass(1, 1, 0) = "";  // an empty orbit: not listed
  world->BodyClass(1, 2, 0) = "J";
  world->BodyRadius(1, 2, 0) = 11.2f;
  world->BodyClass(1, 2, 1) = "T";
  world->BodyName(1, 0, 0) = "Tau";
  const auto json = WorldToJson(*world);
  EXPECT_EQ(json["SystemAge"].dump(), "4.2");
  EXPECT_EQ(json["SystemX"].dump(), "1.5");
  EXPECT_EQ(json["stars"][0]["BodyName"], "Tau");
  const auto& bodies = json["bodies"];
  ASSERT_EQ(bodies.size(), 2u);
  EXPECT_EQ(bodies[0]["orbit"], 2);
  EXPECT_EQ(bodies[0]["body"], 0);
  EXPECT_EQ(bodies[0]["MoonCount"], 1);
  EXPECT_EQ(bodies[0]["BodyRadius"].dump(), "11.2");
  EXPECT_EQ(bodies[0].size(), 3u + 1u + 42u);
  EXPECT_EQ(bodies[1]["body"], 1);
  EXPECT_FALSE(bodies[1].contains("MoonCount"));
  EXPECT_EQ(bodies[1]["BodyClass"], "T");
}

}  // namespace
}  // namespace ax

namespace ax {
namespace {

TEST(CensusTest, CountsWorldsMoonsBeltsClassesAndLife) {
  auto world = std::make_unique<World>();
  world->StarCount = 1;
  world->OrbitCount[1] = 3;
  world->BodyClass(1, 1, 0) = "H";  // an oxygen world with life and two moons
  world->BodyLifeComplexity(1, 1, 0) = 4;
  world->MoonCount[1][1] = 2;
  world->BodyClass(1, 1, 1) = "Z";
  world->BodyClass(1, 1, 2) = "T";
  world->BodyClass(1, 3, 0) = "P";  // a belt of three bodies
  world->MoonCount[1][3] = 3;
  for (int b = 1; b <= 3; ++b) world->BodyClass(1, 3, b) = "Z";
  Census census;
  census.Add(*world);
  census.civilizations = 1;
  EXPECT_EQ(census.worlds, 2);
  EXPECT_EQ(census.moons, 2);
  EXPECT_EQ(census.beltBodies, 3);
  EXPECT_EQ(census.livingBodies, 1);
  EXPECT_EQ(census.classes.at("Z"), 4);
  std::ostringstream out;
  census.Print(out);
  EXPECT_NE(out.str().find("1 civilizations (100.00 % of systems)"), std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("bodies by class: H 1 P 1 T 1 Z 4"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace ax
