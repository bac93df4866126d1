#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliRun.h"
#include "display/ReportExport.h"
#include "io/SystemFile.h"
#include "model/World.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace ax {
namespace {

using test::Cli;
using test::CliRun;
using test::Lines;
using Args = std::vector<std::string>;
namespace fs = std::filesystem;

// A pair whose star 1 has a belt of two bodies (orbit 1), an empty orbit (2) and a jovian
// with one moon (3); star 0 and star 2 have no orbits.
void WriteHandBuiltPair(const std::string& file, const std::string& name = "") {
  auto world = std::make_unique<World>();
  world->StarCount = 2;
  world->SystemName = name;
  for (int s = 0; s <= 2; ++s) {
    world->StarType[s] = "M 2 V  ";
    world->StarMass[s] = 0.4;
  }
  world->OrbitCount[1] = 3;
  world->BodyClass(1, 1, 0) = "P";
  world->MoonCount[1][1] = 2;
  world->BodyClass(1, 1, 1) = world->BodyClass(1, 1, 2) = "Z";
  world->BodyClass(1, 3, 0) = "J";
  world->BodyRadius(1, 3, 0) = 11.0f;
  world->BodySemiMajorAxis(1, 3, 0) = 2.5;
  world->BodyPeriod(1, 3, 0) = 30000;
  world->MoonCount[1][3] = 1;
  world->BodyClass(1, 3, 1) = "T";
  world->BodyRadius(1, 3, 1) = 0.3f;
  world->BodySemiMajorAxis(1, 3, 1) = 20;
  world->BodyPeriod(1, 3, 1) = 100;
  WriteSystemFile(*world, file);
}

// One row of bad input: the message names `part`; `whole` when it is the entire message.
struct BadInput {
  Args args;
  std::string part;
  bool whole = false;
};

TEST(CliBadInputTest, EachKindGivesStatusTwoAndOneLineAndWritesNothing) {
  test::TempFolder folder;
  const auto in = [&folder](const std::string& name) { return (folder / name).string(); };
  ASSERT_EQ(Cli({"system", "--seed", "12", "--out", in("sol.ax2")}).status, 0);
  WriteHandBuiltPair(in("pair.ax2"));
  std::ofstream(in("short.ax2"), std::ios::binary) << std::string("\x1e\x00Astro", 7);
  std::ofstream(in("empty.ax2"), std::ios::binary).close();
  const std::string sol = in("sol.ax2"), pair = in("pair.ax2"), saved = in("rejected.ax2");
  const Args g2v = {"incomplete", "--type1", "G2V", "--magn1", "4.8"};
  const auto with = [](Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  const auto given = [&](Args args) { return with(std::move(args), {"--out", saved}); };
  std::vector<BadInput> rows = {
      {{}, "subcommand"},
      {{"galaxy"}, "subcommand"},
      {{"system", "--no-survey", "--count", "0"}, "--count"},
      {{"system", "--no-survey", "--colour"}, "--colour"},
      {{"system", "--summary", "--json"}, "--summary"},
      {{"system", "--out", in("no/such/folder/x.ax2")}, in("no/such/folder/x.ax2")},
      {with(g2v, {"--sep", "1", "--period", "2"}), "--period"},
      {with(g2v, {"--close", "--unknown"}), "--unknown"},
      {with(g2v, {"--seed", "soon"}), "soon"},
      {{"deliberate", "--temp1", "5800", "--lumn1", "1"}, "--mass1"},
      // Fields the generators reject name their options; nothing is saved.
      {given({"deliberate", "--mass1", "0", "--temp1", "5000", "--lumn1", "1", "--mass2", "1",
              "--temp2", "hot", "--lumn2", "1", "--separation", "10"}),
       "rejected: --mass1 (StarAMassText), --temp2 (StarBTempText)", true},
      {given({"deliberate", "--mass1", "heavy"}),
       "rejected: --mass1 (StarAMassText), --temp1 (StarATempText, from --mass1), "
       "--lumn1 (StarALumnText, from --mass1)",
       true},
      {given({"deliberate", "--mass1", "1", "--separation", "-3"}),
       "rejected: --mass2 (StarBMassText), --temp2 (StarBTempText, from --mass2), "
       "--lumn2 (StarBLumnText, from --mass2), --separation (SeparationText)",
       true},
      // 9.8 x 2^-3 = 1.225: the star would have left the main sequence.
      {given({"deliberate", "--mass1", "2", "--age", "1.3"}), "rejected: --age (AgeText)", true},
      {given(with(g2v, {"--type2", "K1V", "--magn2", "", "--sep", "0"})),
       "rejected: --magn2 (StarBMagnText), --sep (KnownSepText)", true},
      {given(with(g2v, {"--period", "-1"})),
       "rejected: --magn2 (StarBMagnText), --type2 (StarBTypeText), --period (KnownPeriodText)",
       true},
      // Files that are not system files, named with their reason.
      {{"show", in("short.ax2")}, in("short.ax2") + ": the file ends early", true},
      {{"show", in("empty.ax2")}, in("empty.ax2") + ": the file is empty", true},
      {{"show", in("missing.ax2")}, in("missing.ax2") + ": the file does not exist", true},
      {{"show", "/dev/zero"}, "/dev/zero: not a regular file", true},  // refused unread
      {{"show"}, "file"},
      {{"show", pair, "--markdown", "--json"}, "--markdown"},
      {{"show", pair, "--report", "--json"}, "--report"},
      // Editing: a field, a value, a place or a locked world the command cannot take.
      {{"edit", pair, "--star", "1", "--orbit", "3", "--set", "BodyColour=red", "--out", saved},
       "no field BodyColour",
       true},
      {{"edit", pair, "--star", "1", "--orbit", "3", "--set", "BodyMass=heavy", "--out", saved},
       "Mass: not a number: heavy",
       true},
      {{"edit", pair, "--star", "1", "--orbit", "3", "--set", "BodyMass=30000", "--out", saved},
       "Mass must be 0.002 to 20000 Earth masses",
       true},
      {{"edit", pair, "--star", "1", "--orbit", "3", "--set", "BodyMass", "--out", saved},
       "--set wants NAME=VALUE: BodyMass",
       true},
      {{"edit", pair, "--star", "0", "--set", "StarMass=1", "--out", saved},
       "the pair's values follow its two stars: edit star 1 or 2",
       true},
      {{"edit", pair, "--star", "1", "--orbit", "3", "--body", "2", "--set", "BodyMass=1", "--out",
        saved},
       "orbit 3 of star 1 has no body 2 (its bodies are 0 to 1)",
       true},
      {{"reroll", pair, "--star", "1", "--orbit", "4", "--out", saved},
       "star 1 has no orbit 4 (its orbits are 1 to 3)",
       true},
      {{"reroll", pair, "--star", "1", "--orbit", "2", "--out", saved},
       "orbit 2 of star 1 holds no world",
       true},
      {{"reroll", pair, "--star", "1", "--orbit", "3", "--out", saved},
       "the world of orbit 3 of star 1 is locked",
       true},
      {{"reroll", sol, "--star", "1", "--orbit", "1", "--out", saved},
       in("sol.ax2.locks") + ": line 1 is not a star and an orbit",
       true},
      {{"lock", pair, "--star", "1", "--orbit", "2"}, "orbit 2 of star 1 holds no world", true},
      {{"reroll", pair, "--unlocked"}, "--out"},
      {{"reroll", pair, "--out", saved}, "reroll needs --orbit or --unlocked", true},
      // Clusters.
      {{"cluster", "--size", "251"}, "--size"},
      {{"cluster", "--density", "10001"}, "--density"},
      {{"cluster", "--shape", "ring"}, "ring"},
      {{"list"}, "file"},
      {{"list", "C01.AXL", "--json", "--csv"}, "--csv"},
      {{"list", "/nonexistent/C01.AXL"}, "/nonexistent/C01.AXL: there is no such file", true},
  };
#ifdef AX_HAVE_RENDER
  const std::string png = in("image.png");
  const auto render = [&](const std::string& file, const Args& more) {
    return with({"render", file, "--png", png}, more);
  };
  const std::vector<BadInput> renderRows = {
      {{"render", sol}, "--png"},
      {render(sol, {"--size", "15x600"}), "15x600"},
      {render(sol, {"--size", "800x600x2"}), "800x600x2"},
      {render(sol, {"--mode", "galaxy"}), "galaxy"},
      {render(sol, {"--date", "nan"}), "--date"},
      {render(sol, {"--zoom", "0"}), "--zoom"},
      {render(sol, {"--orbit", "first"}), "--orbit"},
      {render(in("missing.ax2"), {}), in("missing.ax2")},
      {with(render(sol, {}), {"--svg", in("image.svg")}), "--png"},
      // What the system does not have.
      {render(pair, {"--star", "3"}), "--star 3: a pair has stars 0 (both stars), 1 and 2", true},
      {render(pair, {"--star", "1", "--orbit", "4"}), "--orbit 4: star 1 has orbits 1 to 3", true},
      {render(pair, {"--orbit", "1"}), "--orbit 1: star 0 has no orbits", true},
      {render(pair, {"--star", "1", "--orbit", "3", "--body", "2"}),
       "--body 2: star 1 orbit 3 has bodies 0 to 1", true},
      {render(pair, {"--mode", "world", "--star", "1", "--orbit", "2"}),
       "--orbit 2: star 1 orbit 2 holds no world", true},
      {render(pair, {"--mode", "world", "--star", "1", "--orbit", "1"}),
       "--orbit 1: star 1 orbit 1 is a belt (class P) and has no world view", true},
      {render(pair, {"--mode", "world", "--star", "2"}),
       "star 2 has no world to show in the world view", true},
      // A dossier where no file can be: nothing is written.
      {{"show", pair, "--pdf", folder.Path().string()}, "the report cannot be saved"},
      {{"show", pair, "--pdf", in("missing/sol.pdf")}, in("missing/sol.pdf") + ": the report"},
      {{"show", pair, "--pdf", in("sol.pdf"), "--html"}, "--html"},
  };
  rows.insert(rows.end(), renderRows.begin(), renderRows.end());
#endif
  std::ofstream(in("pair.ax2.locks")) << "1 3\n";
  std::ofstream(in("sol.ax2.locks")) << "one three\n";
  const auto before = std::distance(fs::directory_iterator(folder.Path()), {});
  for (const BadInput& row : rows) {
    const CliRun run = Cli(row.args);
    EXPECT_EQ(run.status, 2) << row.part;
    EXPECT_TRUE(run.out.empty()) << row.part;
    EXPECT_EQ(run.err.rfind("astrolattix-cli: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    if (row.whole) {
      EXPECT_EQ(run.err, "astrolattix-cli: " + row.part + "\n");
    } else {
      EXPECT_NE(run.err.find(row.part), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), before);
}

// The bodies of the shown JSON on one orbit, or on every other orbit.
nlohmann::json BodiesOf(const std::string& shown, int orbit, bool thatOrbit) {
  nlohmann::json kept = nlohmann::json::array();
  const nlohmann::json system = nlohmann::json::parse(shown);
  for (const auto& body : system["bodies"]) {
    if ((body["star"] == 1 && body["orbit"] == orbit) == thatOrbit) kept.push_back(body);
  }
  return kept;
}

TEST(CliEditTest, RerollRepeatsItsSeedEditSetsValuesAndLocksKeepWorlds) {
  test::TempFolder folder;
  const auto in = [&folder](const std::string& name) { return (folder / name).string(); };
  ASSERT_EQ(Cli({"system", "--seed", "12", "--out", in("sol.ax2")}).status, 0);
  const std::string sol = Cli({"show", in("sol.ax2"), "--json"}).out;
  int orbit = 0;  // the first world of the primary that is not a belt
  for (const auto& body : BodiesOf(sol, 0, false)) {
    const std::string bodyClass = body["BodyClass"];
    if (orbit == 0 && bodyClass != "P" && bodyClass != "I") orbit = body["orbit"];
  }
  ASSERT_GT(orbit, 0);
  const std::string o = std::to_string(orbit);
  const Args reroll = {"reroll", in("sol.ax2"), "--star", "1",      "--orbit",
                       o,        "--seed",      "5",      "--json", "--out"};
  Args first = reroll, second = reroll;
  first.push_back(in("a.ax2"));
  second.push_back(in("b.ax2"));
  const CliRun rerolled = Cli(first);
  ASSERT_EQ(rerolled.status, 0) << rerolled.err;
  EXPECT_EQ(rerolled.err, "astrolattix-cli: reroll seed 5\n");
  EXPECT_EQ(Cli(second).status, 0);
  EXPECT_EQ(test::FileBytes(folder / "a.ax2"), test::FileBytes(folder / "b.ax2"));
  EXPECT_EQ(rerolled.out, Cli({"show", in("a.ax2"), "--json"}).out);
  EXPECT_EQ(BodiesOf(rerolled.out, orbit, false), BodiesOf(sol, orbit, false));

  const CliRun edited =
      Cli({"edit", in("sol.ax2"), "--star", "1", "--orbit", o, "--set", "BodyMass=1.5", "--set",
           "BodyEccentricity=0.05", "--json", "--out", in("c.ax2")});
  ASSERT_EQ(edited.status, 0) << edited.err;
  const auto world = BodiesOf(edited.out, orbit, true)[0];
  EXPECT_EQ(world["BodyMass"], 1.5);
  EXPECT_EQ(world["BodyEccentricity"], 0.05);
  EXPECT_EQ(BodiesOf(edited.out, orbit, false), BodiesOf(sol, orbit, false));

  // Locked in place, the world outlives a reroll of all the others, and the lock goes along.
  ASSERT_EQ(Cli({"lock", in("sol.ax2"), "--star", "1", "--orbit", o}).status, 0);
  EXPECT_EQ(test::FileBytes(folder / "sol.ax2.locks"), "1 " + o + "\n");
  const CliRun all =
      Cli({"reroll", in("sol.ax2"), "--unlocked", "--seed", "8", "--json", "--out", in("d.ax2")});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(BodiesOf(all.out, orbit, true), BodiesOf(sol, orbit, true));
  EXPECT_NE(BodiesOf(all.out, orbit, false), BodiesOf(sol, orbit, false));
  EXPECT_EQ(test::FileBytes(folder / "d.ax2.locks"), "1 " + o + "\n");
  ASSERT_EQ(Cli({"unlock", in("sol.ax2"), "--star", "1", "--orbit", o}).status, 0);
  EXPECT_FALSE(fs::exists(folder / "sol.ax2.locks"));
}

// A saved system reads back to the same JSON, named after its file unless it has a name.
TEST(CliFilesTest, SavedSystemsReadBackAndShowEveryBodyInReadingOrder) {
  test::TempFolder folder;
  const auto in = [&folder](const std::string& name) { return (folder / name).string(); };
  for (const auto& [args, name] : std::vector<std::pair<Args, std::string>>{
           {{"system", "--seed", "11", "--out", in("Sol.ax2")}, "Sol"},
           {{"incomplete", "--type1", "G2V", "--magn1", "4.38", "--name", "Rigil Kentaurus",
             "--out", in("acen.ax2")},
            "Rigil Kentaurus"}}) {
    Args line = args;
    line.push_back("--json");
    const CliRun saved = Cli(line);
    ASSERT_EQ(saved.status, 0) << saved.err;
    const CliRun shown = Cli({"show", args[args.size() - 1], "--json"});
    EXPECT_EQ(shown.out, saved.out);
    EXPECT_EQ(nlohmann::json::parse(shown.out)["SystemName"], name);
  }
  ASSERT_EQ(Cli({"system", "--seed", "11", "--count", "2", "--out", in("many")}).status, 0);
  EXPECT_TRUE(fs::exists(folder / "many" / "0002.ax2") &&
              !fs::exists(folder / "many" / "0003.ax2"));

  // Bodies 0..2 of orbit 1 and 0..1 of orbit 3: five reports, four blank lines between them.
  const std::string file = in("pair.ax2");
  WriteHandBuiltPair(file, "Pair & Co");
  const CliRun report = Cli({"show", file, "--report"});
  ASSERT_EQ(report.status, 0) << report.err;
  const std::vector<std::string> lines = Lines(report.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string()), 4) << report.out;
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.starts_with("Planet:"); }),
            5);
  auto read = std::make_unique<World>();
  SystemFileReader().Read(file, *read);
  EXPECT_EQ(Cli({"show", file, "--markdown"}).out, SystemReportMarkdown(*read));
}

#ifdef AX_HAVE_RENDER

// Seeds 10 (a pair with life and two icy belts) and 5 (a single star with life and a belt): a
// picture of the system and one of each world but a belt, which has no world view; a glance
// row a world, in the JSON's order and agreeing with its numbers; a printed page a world, and
// in the PDF the head's page and a page a world.
TEST(CliFilesTest, DossierShowsEachWorldAtAGlanceAndOnAPageOfItsOwn) {
  test::TempFolder folder;
  const std::string file = (folder / "d.ax2").string(), pdf = (folder / "d.pdf").string();
  for (const char* seed : {"10", "5"}) {
    ASSERT_EQ(Cli({"system", "--seed", seed, "--out", file}).status, 0);
    const nlohmann::json system = nlohmann::json::parse(Cli({"show", file, "--json"}).out);
    std::vector<nlohmann::json> worlds;
    for (const auto& body : system["bodies"]) {
      if (body["body"] == 0) worlds.push_back(body);
    }
    const std::string html = Cli({"show", file, "--html"}).out;
    const auto count = [](const std::string& text, const std::string& what) {
      long n = 0;
      for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
      return n;
    };
    const long views = 1 + std::count_if(worlds.begin(), worlds.end(), [](const auto& world) {
                         return !IsBelt(world["BodyClass"].template get<std::string>());
                       });
    EXPECT_EQ(count(html, "<svg "), views);
    EXPECT_EQ(count(html, "<section class=\"world\">"), static_cast<long>(worlds.size()));
    EXPECT_NE(html.find("section.world { break-before: page"), std::string::npos);
    for (const std::string tag : {"svg", "table", "tr", "section", "figure", "div"}) {
      EXPECT_EQ(count(html, "<" + tag + ">") + count(html, "<" + tag + " "),
                count(html, "</" + tag + ">"))
          << tag;
    }

    const std::size_t glance = html.find("<table class=\"glance\">");
    std::vector<std::vector<std::string>> rows;
    for (auto at = html.find("<tr><td>", glance); at < html.find("</table>", glance);
         at = html.find("<tr><td>", at + 1)) {
      rows.emplace_back();
      for (auto cell = html.find("<td>", at); cell < html.find("</tr>", at);
           cell = html.find("<td>", cell + 1)) {
        rows.back().push_back(html.substr(cell + 4, html.find("</td>", cell) - cell - 4));
      }
    }
    ASSERT_EQ(rows.size(), worlds.size());
    const auto number = [](std::string text) {
      std::erase(text, ',');
      return std::stod(text);
    };
    for (std::size_t w = 0; w < rows.size(); ++w) {
      const nlohmann::json& world = worlds[w];
      EXPECT_EQ(rows[w][1], world["BodyClass"]);
      EXPECT_NEAR(number(rows[w][3]), world["BodySemiMajorAxis"], 0.00051);
      if (IsBelt(world["BodyClass"].get<std::string>())) continue;
      EXPECT_NEAR(number(rows[w][4]), world["BodyPeriod"].get<double>() / (365.25 * 24), 0.00051);
      EXPECT_NEAR(number(rows[w][5]), world["BodyMass"], 0.00051);
      EXPECT_NEAR(number(rows[w][6]), world["BodyRadius"].get<double>() * 6378, 0.51);
      EXPECT_NEAR(number(rows[w][7]), world["BodyGravity"], 0.00051);
      EXPECT_EQ(rows[w][8], world["BodyTempLow"].dump() + " - " + world["BodyTempHigh"].dump());
    }

    ASSERT_EQ(Cli({"show", file, "--pdf", pdf}).status, 0);
    const std::string bytes = test::FileBytes(pdf);
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(count(bytes, "/Type /Page") - count(bytes, "/Type /Pages"),
              static_cast<long>(worlds.size()) + 1);
  }
}

#endif

#ifndef AX_HAVE_RENDER

TEST(CliRenderTest, IsNotAvailableWithoutTheGui) {
  test::TempFolder folder;
  const std::string file = (folder / "sol.ax2").string();
  ASSERT_EQ(Cli({"system", "--seed", "12", "--out", file}).status, 0);
  const CliRun run = Cli({"render", file, "--png", (folder / "sol.png").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "astrolattix-cli: render is not available: built without the Qt GUI\n");
}

#endif

}  // namespace
}  // namespace ax
