#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <string_view>
#include <tuple>
#include <vector>

#include "generate/SpectralBands.h"
#include "generate/StarLimits.h"
#include "io/SystemFile.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;
using Texts = std::vector<std::pair<const char*, const char*>>;

class IncompleteSystemTest : public testing::Test {
 protected:
  // Opens the form, which starts afresh each time, clicks the options and types the texts.
  QWidget& Fill(const std::vector<const char*>& options, const Texts& texts) {
    rig.Item("SystemMenuGenerateIncomplete")->trigger();
    auto& form = *Child<QWidget>(rig.window, "IncompleteSystem");
    for (const QLineEdit* box : form.findChildren<QLineEdit*>()) EXPECT_EQ(box->text(), "");
    for (const char* option : options) Child<QAbstractButton>(form, option)->click();
    for (const auto& [box, text] : texts) Child<QLineEdit>(form, box)->setText(text);
    return form;
  }
  // True when the form took the texts and closed.
  static bool Generate(QWidget& form) {
    Child<QPushButton>(form, "IncompleteGenerateButton")->click();
    return !form.isVisible();
  }
  test::SystemWindowRig rig;
  const World& world = *rig.world;
};

// Alpha Centauri A and B, 23.4 AU apart, into which each rejection row types one bad value.
const Texts kObservedPair = {{"SystemNameText", "Alpha Centauri"},
                             {"StarATypeText", "G2V"},
                             {"StarAMagnText", "4.38"},
                             {"StarBTypeText", "k1v"},
                             {"StarBMagnText", "5.71"},
                             {"KnownSepText", "23.4 AU"},
                             {"KnownPeriodText", "80"}};

TEST_F(IncompleteSystemTest, EachRejectedBoxIsMarkedAndNothingElseIsLostOrChanged) {
  rig.GenerateAndSurvey();
  const std::string bytes = EncodeSystem(world);
  // X: no such letter; GV: no subclass digit; -20: 7.6e9 suns, but up to a fifth above 295
  // solar masses; -30: beyond 1e10 suns. Each with what its tip and the status line give.
  QString letters;
  for (const SpectralBand& band : kSpectralBands) letters += QLatin1Char(band.letter);
  const QString separationRange = kStarSeparationRange.text.data();
  const QString light = kStarLuminosityRange.text.data(), mass = kStarMassRange.text.data();
  const std::tuple<const char*, const char*, const char*, QString> rows[] = {
      {"StarATypeText", "X5V", "KnownSepOption", letters},
      {"StarATypeText", "GV", "KnownSepOption", letters},
      {"StarAMagnText", "", "KnownSepOption", light},
      {"StarAMagnText", "-20", "KnownSepOption", mass},
      {"StarBTypeText", "", "KnownSepOption", letters},
      {"StarBMagnText", "-30", "KnownSepOption", light},
      {"KnownSepText", "far", "KnownSepOption", separationRange},
      {"KnownPeriodText", "-80", "PeriodSepOption", separationRange}};
  for (const auto& [bad, text, separation, takes] : rows) {
    QWidget& form = Fill({"BinaryStarOption", separation}, kObservedPair);
    Child<QLineEdit>(form, bad)->setText(text);
    EXPECT_FALSE(Generate(form)) << bad << " " << text;
    const QLabel* status = Child<QLabel>(form, "IncompleteStatus");
    EXPECT_TRUE(status->isVisible() && status->text().contains(takes)) << bad;
    EXPECT_TRUE(Child<QLineEdit>(form, bad)->toolTip().contains(takes)) << bad;
    EXPECT_TRUE(Child<QLineEdit>(form, bad)->isVisible()) << "a pair shows its box";
    for (const auto& [box, typed] : kObservedPair) {
      const char* kept = std::string_view(box) == bad ? "******" : typed;
      EXPECT_EQ(Child<QLineEdit>(form, box)->text(), kept) << bad << ": " << box;
    }
    EXPECT_EQ(EncodeSystem(world), bytes);
    Child<QPushButton>(form, "IncompleteCancelButton")->click();
  }
}

// Light from absolute magnitude: 10 ^ ((4.7 - M) / 2.5) as 32-bit floats, worked out in python.
TEST_F(IncompleteSystemTest, RealStarsMakeTheirSystems) {
  ASSERT_TRUE(Generate(Fill({"BinaryStarOption"}, kObservedPair)));
  ASSERT_EQ(world.StarCount, 2);
  EXPECT_EQ(world.StarLuminosity[0], 1.342764973640442f + 0.39445731043815613f);
  EXPECT_EQ(world.StarSeparation, 23.4);
  EXPECT_NEAR(world.StarPeriod, std::sqrt(23.4 * 23.4 * 23.4 / world.StarMass[0]), 1e-3);
}

}  // namespace
}  // namespace ax
