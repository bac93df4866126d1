#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cluster/TempFolder.h"
#include "display/ReportExport.h"
#include "io/SystemFile.h"
#include "model/World.h"

#ifdef AX_HAVE_RENDER
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#endif

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

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
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
      {{"system", "--no-survey", "--count", "many"}, "--count"},
      {{"system", "--no-survey", "--count"}, "--count"},
      {{"system", "--no-survey", "--seed", "-x"}, "--seed"},
      {{"system", "--no-survey", "--colour"}, "--colour"},
      {{"system", "--summary", "--json"}, "--summary"},
      {{"system", "--out", in("no/such/folder/x.ax2")}, in("no/such/folder/x.ax2")},
      {with(g2v, {"--sep", "1", "--period", "2"}), "--period"},
      {with(g2v, {"--close", "--unknown"}), "--unknown"},
      {with(g2v, {"--sep", "1", "--close"}), "--close"},
      {with(g2v, {"--period", "1", "--unknown"}), "--unknown"},
      {with(g2v, {"--seed", "soon"}), "soon"},
      {{"incomplete", "--type1", "G2V"}, "--magn1"},
      {{"deliberate", "--temp1", "5800", "--lumn1", "1"}, "--mass1"},
      // Fields the generators reject name their options; nothing is saved.
      {given({"deliberate", "--mass1", "0", "--temp1", "5000", "--lumn1", "1", "--mass2", "1",
              "--temp2", "hot", "--lumn2", "1", "--separation", "10"}),
       "rejected: --mass1 (StarAMassText), --temp2 (StarBTempText)", true},
      {given({"deliberate", "--mass1", "1e300", "--temp1", "5800", "--lumn1", "1"}),
       "rejected: --mass1 (StarAMassText)", true},
      {given({"deliberate", "--mass1", "heavy"}),
       "rejected: --mass1 (StarAMassText), --temp1 (StarATempText, from --mass1), "
       "--lumn1 (StarALumnText, from --mass1)",
       true},
      {given({"deliberate", "--mass1", "1", "--mass2", "1"}),
       "rejected: --separation (SeparationText)", true},
      {given({"deliberate", "--mass1", "1", "--separation", "-3"}),
       "rejected: --mass2 (StarBMassText), --temp2 (StarBTempText, from --mass2), "
       "--lumn2 (StarBLumnText, from --mass2), --separation (SeparationText)",
       true},
      // 9.8 x 2^-3 = 1.225: the star would have left the main sequence.
      {given({"deliberate", "--mass1", "2", "--age", "1.3"}), "rejected: --age (AgeText)", true},
      {given({"incomplete", "--type1", "X5V", "--magn1", "4"}), "rejected: --type1 (StarATypeText)",
       true},
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
      {{"show", pair, "--html", "--report"}, "--html"},
      {{"show", pair, "--markdown", "--html"}, "--markdown"},
      {{"show", pair, "--html", "--json"}, "--html"},
      {{"show", pair, "--report", "--json"}, "--report"},
      // Clusters.
      {{"cluster", "--size", "0"}, "--size"},
      {{"cluster", "--size", "251"}, "--size"},
      {{"cluster", "--density", "0"}, "--density"},
      {{"cluster", "--density", "10001"}, "--density"},
      {{"cluster", "--density", "many"}, "--density"},
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
      {render(sol, {"--size", "800x8193"}), "800x8193"},
      {render(sol, {"--size", "800"}), "--size"},
      {render(sol, {"--size", "800x600x2"}), "800x600x2"},
      {render(sol, {"--size", "x600"}), "x600"},
      {render(sol, {"--mode", "galaxy"}), "galaxy"},
      {render(sol, {"--date", "nan"}), "--date"},
      {render(sol, {"--date", "inf"}), "--date"},
      {render(sol, {"--date", "soon"}), "--date"},
      {render(sol, {"--orbit", "first"}), "--orbit"},
      {render(in("missing.ax2"), {}), in("missing.ax2")},
      {{"render", sol, "--png", in("no/such/folder/sol.png")}, in("no/such/folder/sol.png")},
      {with(render(sol, {}), {"--svg", in("image.svg")}), "--png"},
      // What the system does not have.
      {render(pair, {"--star", "3"}), "--star 3: a pair has stars 0 (both stars), 1 and 2", true},
      {render(pair, {"--star", "-1"}), "--star -1: a pair has stars 0 (both stars), 1 and 2", true},
      {render(pair, {"--star", "1", "--orbit", "4"}), "--orbit 4: star 1 has orbits 1 to 3", true},
      {render(pair, {"--star", "1", "--orbit", "0"}), "--orbit 0: star 1 has orbits 1 to 3", true},
      {render(pair, {"--orbit", "1"}), "--orbit 1: star 0 has no orbits", true},
      {render(pair, {"--star", "1", "--orbit", "3", "--body", "2"}),
       "--body 2: star 1 orbit 3 has bodies 0 to 1", true},
      {render(pair, {"--star", "1", "--orbit", "2", "--body", "1"}),
       "--body 1: star 1 orbit 2 has body 0 only", true},
      {render(pair, {"--mode", "world", "--star", "1", "--orbit", "2"}),
       "--orbit 2: star 1 orbit 2 holds no world", true},
      {render(pair, {"--mode", "world", "--star", "1", "--orbit", "1"}),
       "--orbit 1: star 1 orbit 1 is a belt (class P) and has no world view", true},
      {render(pair, {"--mode", "world", "--star", "2"}),
       "star 2 has no world to show in the world view", true},
  };
  rows.insert(rows.end(), renderRows.begin(), renderRows.end());
#endif
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

TEST(CliFilesTest, SavedSystemsReadBackToTheSameJson) {
  test::TempFolder folder;
  const auto in = [&folder](const std::string& name) { return (folder / name).string(); };
  for (const auto& [args, name] : std::vector<std::pair<Args, std::string>>{
           {{"system", "--seed", "11"}, "Sol"},
           {{"deliberate", "--mass1", "1", "--mass2", "0.5", "--separation", "10"}, "Pair"},
       }) {
    const std::string file = in(name + ".ax2");
    Args line = args;
    line.insert(line.end(), {"--out", file, "--json"});
    const CliRun saved = Cli(line);
    ASSERT_EQ(saved.status, 0) << saved.err;
    const CliRun shown = Cli({"show", file, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, saved.out);
    EXPECT_EQ(nlohmann::json::parse(shown.out)["SystemName"], name);  // named after its file
  }
  ASSERT_EQ(Cli({"incomplete", "--type1", "G2V", "--magn1", "4.38", "--name", "Rigil Kentaurus",
                 "--out", in("acen.ax2")})
                .status,
            0);
  const CliRun named = Cli({"show", in("acen.ax2"), "--json"});
  EXPECT_EQ(nlohmann::json::parse(named.out)["SystemName"], "Rigil Kentaurus");

  const CliRun many = Cli({"system", "--seed", "11", "--count", "3", "--out", in("many")});
  ASSERT_EQ(many.status, 0) << many.err;
  for (const char* name : {"0001.ax2", "0002.ax2", "0003.ax2"}) {
    EXPECT_EQ(Cli({"show", in("many/" + std::string(name))}).status, 0) << name;
  }
  EXPECT_FALSE(fs::exists(folder / "many" / "0004.ax2"));
}

TEST(CliFilesTest, ShowPrintsEveryBodyInReadingOrder) {
  test::TempFolder folder;
  const std::string file = (folder / "pair.ax2").string();
  WriteHandBuiltPair(file, "Pair & Co");
  const CliRun report = Cli({"show", file, "--report"});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_TRUE(report.err.empty()) << report.err;
  // Bodies 0..2 of orbit 1 and 0..1 of orbit 3: five reports, four blank lines between them.
  const std::vector<std::string> lines = Lines(report.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string()), 4) << report.out;
  EXPECT_EQ(CountOf(report.out, "Planet:"), 5u) << report.out;

  auto read = std::make_unique<World>();
  SystemFileReader().Read(file, *read);
  const CliRun markdown = Cli({"show", file, "--markdown"});
  ASSERT_EQ(markdown.status, 0) << markdown.err;
  EXPECT_EQ(markdown.out, SystemReportMarkdown(*read));
  EXPECT_EQ(markdown.out.rfind("# System Pair \\& Co\n", 0), 0u) << markdown.out;
  EXPECT_EQ(CountOf(markdown.out, "```text\nPlanet:"), 5u) << markdown.out;
  const CliRun html = Cli({"show", file, "--html"});
  ASSERT_EQ(html.status, 0) << html.err;
  EXPECT_EQ(html.out, SystemReportHtml(*read));
  EXPECT_NE(html.out.find("<h1>System Pair &amp; Co</h1>"), std::string::npos);
  EXPECT_EQ(CountOf(html.out, "<pre>Planet:"), 5u) << html.out;
}

#ifdef AX_HAVE_RENDER

TEST(CliRenderTest, WritesAPngOfTheRequestedSize) {
  test::TempFolder folder;
  const auto in = [&folder](const std::string& name) { return (folder / name).string(); };
  ASSERT_EQ(Cli({"system", "--seed", "12", "--out", in("sol.ax2")}).status, 0);
  const CliRun run = Cli({"render", in("sol.ax2"), "--png", in("sol.png"), "--size", "320x200"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_TRUE(run.err.empty()) << run.err;
  const QImage image(QString::fromStdString(in("sol.png")));
  ASSERT_EQ(image.size(), QSize(320, 200));
  // The stars and orbits are not all background.
  const QRgb corner = image.pixel(0, 0);
  int others = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) others += image.pixel(x, y) != corner ? 1 : 0;
  }
  EXPECT_GT(others, 0);

  const CliRun world = Cli(
      {"render", in("sol.ax2"), "--png", in("world.png"), "--mode", "world", "--date", "2012.5"});
  ASSERT_EQ(world.status, 0) << world.err;
  EXPECT_EQ(QImage(QString::fromStdString(in("world.png"))).size(), QSize(800, 600));

  // The defaults: star 0 of a pair in the system view; in the world view the first world of
  // any star, past the belt: star 1 orbit 3. --png writes a PNG whatever the extension.
  WriteHandBuiltPair(in("pair.ax2"));
  const std::string png = in("pair.picture");
  EXPECT_EQ(Cli({"render", in("pair.ax2"), "--png", png, "--size", "16x16"}).status, 0);
  EXPECT_EQ(
      Cli({"render", in("pair.ax2"), "--png", png, "--mode", "world", "--size", "16x16"}).status,
      0);
  EXPECT_EQ(QImage(QString::fromStdString(png), "png").size(), QSize(16, 16));
}

TEST(CliRenderTest, WritesAnSvgOfTheRequestedSize) {
  test::TempFolder folder;
  const std::string file = (folder / "sol.ax2").string(), svgFile = (folder / "sol.svg").string();
  ASSERT_EQ(Cli({"system", "--seed", "12", "--out", file}).status, 0);
  const CliRun run = Cli({"render", file, "--svg", svgFile, "--size", "320x200"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  QFile svg(QString::fromStdString(svgFile));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray drawing = svg.readAll();
  QXmlStreamReader xml(drawing);
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.attributes().value(QLatin1String("width")), QLatin1String("320"));
  EXPECT_EQ(xml.attributes().value(QLatin1String("height")), QLatin1String("200"));
  // The star and its orbits.
  EXPECT_GT(drawing.count("<circle"), 0);
  EXPECT_GT(drawing.count("<polyline"), 0);
}

#else

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
