#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Census.h"
#include "cli/CliRun.h"
#include "cli/WorldJson.h"
#include "generate/Stars.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {
namespace {

using test::Cli;
using test::CliRun;
using test::Lines;
using Args = std::vector<std::string>;

// The star of index s in a system's JSON ("stars" lists 0, 1, 2 for a pair, 1 alone).
const nlohmann::json& StarOf(const nlohmann::json& system, int s) {
  return system["stars"][system["StarCount"] == 2 ? s : 0];
}

nlohmann::json JsonOf(const CliRun& run) {
  EXPECT_EQ(run.status, 0) << run.err;
  return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
}

Args With(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST(CliTest, HelpAndPlainTextNameWhatTheyShow) {
  for (const auto& [args, part] : std::vector<std::pair<Args, std::string>>{
           {{"--help"}, "system"},
           {{"system", "--help"}, "--no-survey"},
           {{"system", "--help"}, "--seed"},
           {{"incomplete", "--help"}, "--unknown"},
           {{"deliberate", "--help"}, "--separation"},
           {{"system", "--no-survey", "--count", "3", "--seed", "1"}, "System 3: "},
           {{"system", "--no-survey", "--count", "3", "--seed", "1"}, "solar masses"},
       }) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 0) << part;
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
  }
}

TEST(CliTest, JsonLinesAreTheGeneratedSystemsInTurn) {
  const CliRun run = Cli({"system", "--no-survey", "--count", "20000", "--seed", "1", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 20000u);
  auto world = std::make_unique<World>();
  Random random(1);  // the same seed through the library
  int pairs = 0;
  for (const std::string& line : lines) {
    ClearSystem(*world);
    GenerateStars(*world, random);
    ASSERT_EQ(line, WorldToJson(*world).dump());
    pairs += world->StarCount == 2 ? 1 : 0;
    // Every float of the stars reads back exactly from its shortest form.
    for (const float value : {world->SystemAge, world->StarPeriod, world->StarLuminosity[0],
                              world->StarLuminosity[1], world->StarLuminosity[2]}) {
      ASSERT_EQ(static_cast<float>(ShortestDouble(value)), value);
    }
  }
  EXPECT_GT(pairs, 7000);
}

TEST(CliTest, SeedRepeatsTheOutputAndTheClockVariesIt) {
  for (const Args& args : {Args{"system", "--count", "20", "--no-survey", "--json"},
                           Args{"system", "--count", "5", "--json"},
                           Args{"incomplete", "--type1", "G2V", "--magn1", "4.38", "--type2", "K1V",
                                "--magn2", "5.71", "--json"},
                           Args{"deliberate", "--mass1", "1", "--json"}}) {
    const Args seeded = With(args, {"--seed", "21"});
    EXPECT_EQ(Cli(seeded).out, Cli(seeded).out) << args[0];
    EXPECT_NE(Cli(args).out, Cli(args).out) << args[0];  // the clock: an age and angles differ
  }
}

TEST(CliTest, SurveyedSystemsListTheirBodies) {
  const CliRun run = Cli({"system", "--count", "30", "--seed", "7", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::size_t bodies = 0;
  for (const std::string& line : Lines(run.out)) {
    const auto json = nlohmann::ordered_json::parse(line);
    for (const auto& body : json["bodies"]) {
      ++bodies;
      const int o = body["orbit"].get<int>();
      ASSERT_GE(o, 1);
      ASSERT_LE(o, StarOf(json, body["star"].get<int>())["OrbitCount"].get<int>());
      ASSERT_EQ(body.contains("MoonCount"), body["body"].get<int>() == 0);
      ASSERT_FALSE(body["BodyClass"].get<std::string>().empty());
    }
  }
  EXPECT_GT(bodies, 30u);
}

TEST(CliGivenSystemTest, IncompleteAlphaCentauriAndSirius) {
  // The K star typed first: whichever star is heavier after the scatter comes first.
  const auto pair = JsonOf(Cli({"incomplete", "--type1", "K1V", "--magn1", "5.71", "--type2", "G2V",
                                "--magn2", "4.38", "--sep", "23.4", "--no-survey", "--json"}));
  ASSERT_EQ(pair["StarCount"], 2);
  EXPECT_EQ(pair["StarSeparation"].get<double>(), 23.4);
  const double m1 = StarOf(pair, 1)["StarMass"].get<double>();
  const double m2 = StarOf(pair, 2)["StarMass"].get<double>();
  EXPECT_GE(m1, m2);
  // Kepler's third law in years, AU and solar masses.
  EXPECT_EQ(pair["StarPeriod"].get<float>(),
            static_cast<float>(std::sqrt(23.4 * 23.4 * 23.4 / (m1 + m2))));
  EXPECT_EQ(StarOf(pair, 0)["StarMass"].get<double>(), m1 + m2);
  // Each star keeps the light of its own magnitude, 10^((4.7 - M) / 2.5).
  for (int s = 1; s <= 2; ++s) {
    const auto& star = StarOf(pair, s);
    const bool sunLike = star["StarType"] == "G 2 V  ";
    EXPECT_EQ(star["StarType"], sunLike ? "G 2 V  " : "K 1 V  ");
    EXPECT_EQ(star["StarLuminosity"].get<float>(),
              sunLike ? 1.342764973640442f : 0.39445731043815613f);
  }
  // Sirius: a negative magnitude reads as one, 10^((4.7 + 1.46) / 2.5).
  const auto sirius =
      JsonOf(Cli({"incomplete", "--type1", "A1V", "--magn1", "-1.46", "--no-survey", "--json"}));
  EXPECT_EQ(StarOf(sirius, 1)["StarLuminosity"].get<float>(), 291.07171630859375f);
}

TEST(CliGivenSystemTest, IncompleteSeparationWithoutAValue) {
  const Args pair = {"incomplete", "--type1", "G2V", "--magn1",     "4.7",   "--type2",
                     "G2V",        "--magn2", "4.7", "--no-survey", "--json"};
  // No choice for a pair: drawn as unknown, 2^(-6 ... 12) AU, not left at 0.
  for (const char* seed : {"1", "2", "3", "4"}) {
    const double separation = JsonOf(Cli(With(pair, {"--seed", seed})))["StarSeparation"];
    EXPECT_GE(separation, 1.0 / 64) << seed;
    EXPECT_LT(separation, 4096.0) << seed;
  }
  // d1000 / 1000 + (m1 + m2) / 400 with m1 + m2 below 2.5.
  EXPECT_LT(JsonOf(Cli(With(pair, {"--close"})))["StarSeparation"].get<double>(), 1.0 + 2.5 / 400);
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
