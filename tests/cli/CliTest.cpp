#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "model/Random.h"

namespace ax {
namespace {

using test::Cli;
using test::CliRun;
using Args = std::vector<std::string>;

// The star of index s in a system's JSON ("stars" lists 0, 1, 2 for a pair, 1 alone).
const nlohmann::json& StarOf(const nlohmann::json& system, int s) {
  return system["stars"][system["StarCount"] == 2 ? s : 0];
}

nlohmann::json JsonOf(const Args& args) {
  const CliRun run = Cli(args);
  EXPECT_EQ(run.status, 0) << run.err;
  return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
}

// NaN and infinity would print as null.
bool AllFinite(const nlohmann::json& json) {
  if (json.is_null()) return false;
  if (json.is_number_float()) return std::isfinite(json.get<double>());
  return !json.is_structured() || std::all_of(json.begin(), json.end(), AllFinite);
}

// Alpha Centauri typed K star first: whichever is heavier after the scatter comes first; the
// period follows Kepler's third law in years, AU and solar masses, and each star keeps the
// light of its own magnitude, 10^((4.7 - M) / 2.5).
TEST(CliGivenSystemTest, IncompleteAlphaCentauriAndSirius) {
  const auto pair = JsonOf({"incomplete", "--type1", "K1V", "--magn1", "5.71", "--type2", "G2V",
                            "--magn2", "4.38", "--sep", "23.4", "--no-survey", "--json"});
  ASSERT_EQ(pair["StarCount"], 2);
  EXPECT_EQ(pair["StarSeparation"].get<double>(), 23.4);
  const double m1 = StarOf(pair, 1)["StarMass"].get<double>();
  const double m2 = StarOf(pair, 2)["StarMass"].get<double>();
  EXPECT_GE(m1, m2);
  EXPECT_EQ(pair["StarPeriod"].get<float>(),
            static_cast<float>(std::sqrt(23.4 * 23.4 * 23.4 / (m1 + m2))));
  for (int s = 1; s <= 2; ++s) {
    const bool sunLike = StarOf(pair, s)["StarType"] == "G 2 V  ";
    EXPECT_EQ(StarOf(pair, s)["StarLuminosity"].get<float>(),
              sunLike ? 1.342764973640442f : 0.39445731043815613f);
  }
  // Sirius: a negative magnitude reads as one, 10^((4.7 + 1.46) / 2.5).
  const auto sirius =
      JsonOf({"incomplete", "--type1", "A1V", "--magn1", "-1.46", "--no-survey", "--json"});
  EXPECT_EQ(StarOf(sirius, 1)["StarLuminosity"].get<float>(), 291.07171630859375f);
}

// Not given: 5800 x sqrt(m) K and m^4, so the Sun's 5800 K and 1, and round(4101.2) K; the
// period sqrt(10^3 / 1.5). Typed texts are read by their leading number.
TEST(CliGivenSystemTest, DeliberatePairKeepsTheGivenValues) {
  const auto pair = JsonOf({"deliberate", "--mass1", "1", "--mass2", "0.5", "--separation", "10",
                            "--seed", "2", "--json"});
  EXPECT_EQ(StarOf(pair, 2)["StarMass"].get<double>(), 0.5);
  EXPECT_EQ(pair["StarPeriod"].get<float>(), 25.819889068603516f);
  EXPECT_EQ(StarOf(pair, 1)["StarTemperature"], 5800);
  EXPECT_EQ(StarOf(pair, 1)["StarLuminosity"].get<float>(), 1.0f);
  EXPECT_EQ(StarOf(pair, 2)["StarTemperature"], 4101);
  EXPECT_EQ(StarOf(pair, 2)["StarLuminosity"].get<float>(), 0.0625f);
  const auto single = JsonOf({"deliberate", "--mass1", "1.1 suns", "--temp1", "5900K", "--age", "2",
                              "--no-survey", "--json"});
  EXPECT_EQ(StarOf(single, 1)["StarMass"].get<double>(), 1.1);
  EXPECT_EQ(StarOf(single, 1)["StarTemperature"], 5900);
}

// At every corner of the ranges the model holds, and at random magnitudes and periods, every
// number stays finite; the rejected ones are skipped.
TEST(CliGivenSystemTest, EveryAcceptedValueGivesFiniteNumbers) {
  using Edges = std::array<std::string, 2>;
  const Edges mass = {"0.01", "300"}, temp = {"1", "500000"}, lumn = {"1e-9", "1e10"},
              sep = {"0.001", "1e6"};
  for (int corner = 0; corner < 128; ++corner) {
    const auto edge = [corner](int bit, const Edges& edges) { return edges[(corner >> bit) & 1]; };
    EXPECT_TRUE(AllFinite(JsonOf({"deliberate", "--mass1", edge(0, mass), "--temp1", edge(1, temp),
                                  "--lumn1", edge(2, lumn), "--mass2", edge(3, mass), "--temp2",
                                  edge(4, temp), "--lumn2", edge(5, lumn), "--separation",
                                  edge(6, sep), "--seed", std::to_string(corner), "--json"})))
        << corner;
  }
  const char* types[] = {"O5V", "B0I", "K3III", "M5V", "A5D", "F0N"};
  Random random(3);
  int accepted = 0;
  const auto text = [](double value) {
    std::ostringstream out;
    out << value;
    return out.str();
  };
  for (int i = 0; i < 300; ++i) {
    const CliRun run =
        Cli({"incomplete", "--type1", types[random.RollDie(6) - 1], "--magn1",
             text(-21 + 49 * random.Uniform()), "--type2", types[random.RollDie(6) - 1], "--magn2",
             text(-21 + 49 * random.Uniform()), "--period",
             text(std::pow(10.0, -6 + 15 * random.Uniform())), "--json"});
    if (run.status != 0) continue;
    ++accepted;
    EXPECT_TRUE(AllFinite(nlohmann::json::parse(run.out))) << run.out.substr(0, 300);
  }
  EXPECT_GT(accepted, 60);
}

}  // namespace
}  // namespace ax
