#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "display/ReportExport.h"
#include "generate/Stars.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "survey/Survey.h"

namespace ax {
namespace {

std::unique_ptr<World> SurveyedSystem(std::uint64_t seed) {
  auto world = std::make_unique<World>();
  Random random(seed);
  ClearSystem(*world);
  GenerateStars(*world, random);
  Survey(*world, random).SurveySystem();
  return world;
}

// The texts between every <pre> and its </pre>, in order, with the page's entities read.
std::vector<std::string> Preformatted(const std::string& page) {
  const std::pair<std::string, std::string> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  std::vector<std::string> found;
  for (std::size_t at = page.find("<pre>"); at != std::string::npos; at = page.find("<pre>", at)) {
    at += 5;
    std::string text = page.substr(at, page.find("</pre>", at) - at);
    for (const auto& [entity, c] : entities) {
      for (std::size_t e = text.find(entity); e != std::string::npos;
           e = text.find(entity, e + 1)) {
        text.replace(e, entity.size(), c);
      }
    }
    found.push_back(text);
  }
  return found;
}

// Well-formed UTF-8: each lead byte followed by its continuation bytes; no overlong two-byte
// leads (C0, C1) and nothing beyond F4.
bool ValidUtf8(const std::string& text) {
  int continuation = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (continuation > 0) {
      if ((byte & 0xC0) != 0x80) return false;
      --continuation;
    } else if (byte >= 0x80) {
      if (byte < 0xC2 || byte > 0xF4) return false;
      continuation = byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
    }
  }
  return continuation == 0;
}

// Every tag opened is closed in order; <meta> stands alone and <!DOCTYPE> is no tag.
bool BalancedTags(const std::string& page) {
  std::vector<std::string> open;
  for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
    const std::size_t end = page.find('>', at);
    if (end == std::string::npos) return false;
    std::string tag = page.substr(at + 1, end - at - 1);
    if (tag.starts_with('!')) continue;
    const bool closing = tag.starts_with('/');
    if (closing) tag.erase(0, 1);
    tag = tag.substr(0, tag.find(' '));
    if (tag == "meta") continue;
    if (!closing) {
      open.push_back(tag);
    } else if (open.empty() || open.back() != tag) {
      return false;
    } else {
      open.pop_back();
    }
  }
  return open.empty();
}

// The name a report shows: the text after "Planet:" on its first line.
std::string ShownName(const std::string& report) {
  const std::string first = report.substr(0, report.find('\n'));
  return first.substr(first.find_first_not_of(' ', 7));
}

TEST(ReportExportTest, SurveyedSystemsHoldEveryBodyWithItsReport) {
  bool sawPair = false;
  bool sawSingle = false;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    auto world = SurveyedSystem(seed);
    if (seed % 2 == 0) world->SystemName = "Sol";  // odd seeds stay unnamed
    (world->StarCount == 2 ? sawPair : sawSingle) = true;
    world->CurrentStar = 1;
    world->CurrentOrbit = 2;
    world->CurrentBody = 1;
    const std::string before = EncodeSystem(*world);

    // Reading order: increasing places, every world followed by all its bodies.
    const std::vector<BodyPlace> places = ReportBodies(*world);
    std::size_t expectedCount = 0;
    for (std::size_t s = world->StarCount == 2 ? 0 : 1;
         s <= static_cast<std::size_t>(world->StarCount); ++s) {
      for (std::size_t o = 1; o <= static_cast<std::size_t>(world->OrbitCount[s]); ++o) {
        const bool held = !world->BodyClass(static_cast<int>(s), static_cast<int>(o), 0).empty();
        if (held) expectedCount += 1 + static_cast<std::size_t>(world->MoonCount[s][o]);
      }
    }
    ASSERT_EQ(places.size(), expectedCount);
    ASSERT_GT(places.size(), 0u);
    for (std::size_t i = 1; i < places.size(); ++i) {
      const BodyPlace& a = places[i - 1];
      const BodyPlace& b = places[i];
      EXPECT_LT(std::tie(a.star, a.orbit, a.body), std::tie(b.star, b.orbit, b.body));
    }

    const std::string markdown = SystemReportMarkdown(*world);
    const std::string html = SystemReportHtml(*world);
    EXPECT_EQ(markdown.rfind(seed % 2 == 0 ? "# System Sol\n" : "# Unnamed system\n", 0), 0u);
    const std::vector<std::string> pres = Preformatted(html);
    ASSERT_EQ(pres.size(), places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
      const auto [s, o, b] = places[i];
      const std::string report = BodyReportText(*world, s, o, b);
      const std::string title = ShownName(report) + " (class " + world->BodyClass(s, o, b) + ")";
      const std::string level = b == 0 ? "###" : "####";
      EXPECT_NE(markdown.find("\n" + level + " " + title + "\n\n```text\n" + report + "```\n"),
                std::string::npos)
          << title;
      EXPECT_EQ(pres[i], report) << title;
      EXPECT_NE(html.find((b == 0 ? "<h3>" : "<h4>") + title + "</h"), std::string::npos);
    }
    EXPECT_TRUE(BalancedTags(html));
    EXPECT_TRUE(ValidUtf8(html));
    EXPECT_TRUE(ValidUtf8(markdown));
    // Neither the selection nor any name changed; the file's bytes hold every name.
    EXPECT_EQ(EncodeSystem(*world), before);
    EXPECT_EQ(std::tie(world->CurrentStar, world->CurrentOrbit, world->CurrentBody),
              std::make_tuple(std::int16_t{1}, std::int16_t{2}, std::int16_t{1}));
  }
  EXPECT_TRUE(sawPair);
  EXPECT_TRUE(sawSingle);
}

// A pair with one rocky world and a moon, named with every character a page must escape.
std::unique_ptr<World> AwkwardPair() {
  auto world = std::make_unique<World>();
  World& w = *world;
  w.StarCount = 2;
  w.SystemName = "A & B <test>";
  w.StarType = {"K 0 V  ", "G 2 V  ", "M 5 V  "};
  w.StarMass = {1.2, 1.0, 0.2};
  w.StarTemperature = {5000, 5800, 3000};
  w.StarLuminosity = {1.01f, 1.0f, 0.01f};
  w.SystemAge = 4.5f;
  w.StarSeparation = 40;
  w.StarPeriod = 230;
  w.OrbitCount[1] = 1;
  w.MoonCount[1][1] = 1;
  for (int b = 0; b <= 1; ++b) {
    w.BodyClass(1, 1, b) = b == 0 ? "T" : "Z";
    w.BodyRadius(1, 1, b) = 1;
    w.BodySemiMajorAxis(1, 1, b) = 1;
    w.BodyPeriod(1, 1, b) = 8766;
    w.BodyDayLength(1, 1, b) = 24;
    w.BodyObliquity(1, 1, b) = 23.5f;
  }
  w.BodyName(1, 1, 0) = "Caf\xE9 \"Q\" 'x' ```";
  w.BodyName(1, 1, 1) = "Two\nlines";
  return world;
}

TEST(ReportExportTest, PagesEscapeNamesAndCarryTheStarsAndTheWorldStaysAsItWas) {
  auto world = AwkwardPair();
  const std::string html = SystemReportHtml(*world);
  EXPECT_NE(html.find("<title>System A &amp; B &lt;test&gt;</title>"), std::string::npos);
  EXPECT_NE(html.find("<h1>System A &amp; B &lt;test&gt;</h1>"), std::string::npos);
  EXPECT_NE(html.find("<h3>Caf\xC3\xA9 &quot;Q&quot; &#39;x&#39; ``` (class T)</h3>"),
            std::string::npos);
  EXPECT_NE(html.find("<h4>Two lines (class Z)</h4>"), std::string::npos);
  EXPECT_NE(html.find("23.50\xC2\xB0"), std::string::npos);  // the report's degree sign
  EXPECT_EQ(html.find("<test>"), std::string::npos);
  EXPECT_TRUE(BalancedTags(html));
  EXPECT_TRUE(ValidUtf8(html));
  // Mass "#,##0.000", temperature "#,##0", luminosity "#,##0.0000", as in the star read-out.
  EXPECT_NE(html.find("<td>A</td><td>G 2 V</td><td class=\"number\">1.000</td>"
                      "<td class=\"number\">5,800</td><td class=\"number\">1.0000</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td>B</td><td>M 5 V</td><td class=\"number\">0.200</td>"
                      "<td class=\"number\">3,000</td><td class=\"number\">0.0100</td>"),
            std::string::npos);
  EXPECT_EQ(html.find("K 0 V"), std::string::npos);  // the pair's combined star is no row
  for (const char* fact : {"<li>Age: 4.50 billion years</li>", "<li>Separation: 40.00 AU</li>",
                           "<li>Period: 230.00 years</li>", "<h2>Worlds of star A</h2>"}) {
    EXPECT_NE(html.find(fact), std::string::npos) << fact;
  }

  const std::string markdown = SystemReportMarkdown(*world);
  EXPECT_EQ(markdown.rfind("# System A \\& B \\<test\\>\n", 0), 0u);
  EXPECT_NE(markdown.find("| A | G 2 V | 1.000 | 5,800 | 1.0000 |\n"), std::string::npos);
  // The name's three backticks would close a fence of three: the fence takes four.
  EXPECT_NE(markdown.find("\n### Caf\xC3\xA9 \"Q\" 'x' \\`\\`\\` (class T)\n\n````text\n"),
            std::string::npos);
  EXPECT_NE(markdown.find("\n#### Two lines (class Z)\n\n```text\n"), std::string::npos);
  EXPECT_TRUE(ValidUtf8(markdown));

  // One body's report shows the default name of a moon of an unnamed system, and gives it to
  // neither the moon nor the system.
  world->SystemName.clear();
  world->BodyName(1, 1, 1).clear();
  world->CurrentStar = 2;
  world->CurrentOrbit = 0;
  const std::string text = BodyReportText(*world, 1, 1, 1);
  EXPECT_EQ(ShownName(text), "StarA I  1");
  EXPECT_NE(text.find(" Radii"), std::string::npos) << text;  // a moon's axis
  EXPECT_EQ(world->BodyName(1, 1, 1), "");
  EXPECT_EQ(world->SystemName, "");
  EXPECT_THROW(BodyReportText(*world, 1, kOrbitSlots, 0), std::out_of_range);
  EXPECT_EQ(std::tie(world->CurrentStar, world->CurrentOrbit, world->CurrentBody),
            std::make_tuple(std::int16_t{2}, std::int16_t{0}, std::int16_t{0}));
}

}  // namespace
}  // namespace ax
