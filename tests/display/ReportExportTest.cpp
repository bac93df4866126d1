#include "display/ReportExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

// Well-formed UTF-8: each lead byte followed by its continuation bytes; no overlong two-byte
// leads (C0, C1) and nothing beyond F4.
bool ValidUtf8(const std::string& text) {
  int continuation = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (continuation > 0 && (byte & 0xC0) != 0x80) return false;
    if (continuation > 0) {
      --continuation;
    } else if (byte >= 0x80) {
      if (byte < 0xC2 || byte > 0xF4) return false;
      continuation = byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
    }
  }
  return continuation == 0;
}

// Every world and its bodies in reading order, each under its name and class with its report,
// no number left unworked; neither the selection nor any name changes.
TEST(ReportExportTest, SurveyedSystemsHoldEveryBodyWithItsReport) {
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    auto world = std::make_unique<World>();
    Random random(seed);
    GenerateStars(*world, random);
    Survey(*world, random).SurveySystem();
    world->CurrentOrbit = 2;
    const std::string before = EncodeSystem(*world);
    const std::string markdown = SystemReportMarkdown(*world);
    std::size_t at = 0, bodies = 0;
    for (int s = world->StarCount == 2 ? 0 : 1; s <= world->StarCount; ++s) {
      for (int o = 1; o <= world->OrbitCount[static_cast<std::size_t>(s)]; ++o) {
        for (int b = 0; !world->BodyClass(s, o, 0).empty() && b <= world->MoonCount[s][o]; ++b) {
          const std::string report = BodyReportText(*world, s, o, b);
          EXPECT_EQ(report.find("nan"), std::string::npos) << report;
          EXPECT_EQ(report.find("inf"), std::string::npos) << report;
          at = markdown.find("```text\n" + report + "```\n", at);
          ASSERT_NE(at, std::string::npos) << seed << ": " << s << " " << o << " " << b;
          ++bodies;
        }
      }
    }
    EXPECT_EQ(ReportBodies(*world).size(), bodies);
    // The glance table: after its heading and blank line, its header, its rule and a row a
    // world.
    const std::size_t glance = markdown.find("## System at a glance\n");
    const std::string table = markdown.substr(glance, markdown.find("\n\n", glance + 23) - glance);
    const auto places = ReportBodies(*world);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n') - 3,
              std::count_if(places.begin(), places.end(), [](auto p) { return p.body == 0; }));
    EXPECT_TRUE(ValidUtf8(SystemReportHtml(*world)));
    EXPECT_EQ(EncodeSystem(*world), before);
    EXPECT_EQ(world->CurrentOrbit, 2);
  }
}

// A pair with a world and a moon, named with characters a page must escape; a Latin-1 name
// reads in UTF-8. The name's three backticks would close a fence of three: it takes four.
TEST(ReportExportTest, PagesEscapeNames) {
  auto world = std::make_unique<World>();
  World& w = *world;
  w.StarCount = 2;
  w.SystemName = "A & B <test>";
  w.OrbitCount[1] = 1;
  w.MoonCount[1][1] = 1;
  w.BodyClass(1, 1, 0) = "T";
  w.BodyClass(1, 1, 1) = "Z";
  w.BodyName(1, 1, 0) = "Caf\xE9 \"Q\" 'x' ```";
  w.BodyRadius(1, 1, 0) = 1;  // the report's value in a labelled cell, 6378 km an Earth radius
  const std::string html = SystemReportHtml(w);
  EXPECT_NE(html.find("<tr><th>Radius</th><td>6,378 Km</td></tr>"), std::string::npos);
  EXPECT_NE(html.find("<h1>System A &amp; B &lt;test&gt;</h1>"), std::string::npos);
  EXPECT_NE(html.find("<h3>Caf\xC3\xA9 &quot;Q&quot; &#39;x&#39; ``` (class T)</h3>"),
            std::string::npos);
  EXPECT_EQ(html.find("<test>"), std::string::npos);
  const std::string markdown = SystemReportMarkdown(w);
  EXPECT_EQ(markdown.rfind("# System A \\& B \\<test\\>\n", 0), 0u);
  EXPECT_NE(markdown.find("\n### Caf\xC3\xA9 \"Q\" 'x' \\`\\`\\` (class T)\n\n````text\n"),
            std::string::npos);
  w.SystemName.clear();  // a moon of an unnamed system is shown by a name given to neither
  EXPECT_NE(BodyReportText(w, 1, 1, 1).find("StarA I  1"), std::string::npos);
  EXPECT_EQ(w.BodyName(1, 1, 1) + w.SystemName, "");
  EXPECT_THROW(BodyReportText(w, 1, kOrbitSlots, 0), std::out_of_range);
}

}  // namespace
}  // namespace ax
