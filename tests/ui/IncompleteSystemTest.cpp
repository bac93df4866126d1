#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/SystemFile.h"
#include "ui/IncompleteSystem.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;
using Texts = std::vector<std::pair<const char*, const char*>>;

// 10 ^ ((4.7 - M) / 2.5) as a 32-bit float, worked out in python.
constexpr float kLightOf483 = 0.8871560096740723f;
constexpr float kLightOf438 = 1.342764973640442f;
constexpr float kLightOf571 = 0.39445731043815613f;

class IncompleteSystemTest : public testing::Test {
 protected:
  IncompleteSystem& Form() const { return *rig.window.findChild<IncompleteSystem*>(); }
  // Opens the form afresh, chooses the options and types the texts.
  void Fill(const std::vector<const char*>& options, const Texts& texts) {
    rig.Item("SystemMenuGenerateIncomplete")->trigger();
    for (const char* option : options) Child<QAbstractButton>(Form(), option)->click();
    for (const auto& [box, text] : texts) Box(box)->setText(QString::fromLatin1(text));
  }
  QLineEdit* Box(const char* name) const { return Child<QLineEdit>(Form(), name); }
  bool Generate() {
    Child<QPushButton>(Form(), "IncompleteGenerateButton")->click();
    return !Form().isVisible();
  }
  test::SystemWindowRig rig;
  const World& world = *rig.world;
};

// Alpha Centauri A and B, 23.4 AU apart; each row below types one kind of bad value into it.
const Texts kPair = {{"SystemNameText", "Alpha Centauri"},
                     {"StarATypeText", "G2V"},
                     {"StarAMagnText", "4.38"},
                     {"StarBTypeText", "k1v"},
                     {"StarBMagnText", "5.71"},
                     {"KnownSepText", "23.4 AU"},
                     {"KnownPeriodText", "80"}};

TEST_F(IncompleteSystemTest, EachRejectedBoxIsMarkedAndNothingElseIsLostOrChanged) {
  rig.GenerateAndSurvey();
  const std::string bytes = EncodeSystem(world);
  struct Row {
    const char* box;
    const char* text;
    const char* separation;
  };
  const Row rows[] = {
      {"StarATypeText", "X5V", "KnownSepOption"},  // no such letter
      {"StarATypeText", "GV", "KnownSepOption"},   // no subclass digit
      {"StarAMagnText", "", "KnownSepOption"},
      {"StarAMagnText", "-20", "KnownSepOption"},  // 7.6e9 suns, but a fifth above 295 masses
      {"StarBTypeText", "", "KnownSepOption"},
      {"StarBMagnText", "-30", "KnownSepOption"},  // light beyond 1e10 suns
      {"KnownSepText", "far", "KnownSepOption"},
      {"KnownPeriodText", "-80", "PeriodSepOption"},
  };
  for (const Row& row : rows) {
    Fill({"BinaryStarOption", row.separation}, kPair);
    Box(row.box)->setText(QString::fromLatin1(row.text));
    EXPECT_FALSE(Generate()) << row.box << " " << row.text;
    for (const auto& [box, typed] : kPair) {
      const bool marked = std::string_view(box) == row.box;
      EXPECT_EQ(Box(box)->text(), QString::fromLatin1(marked ? "******" : typed)) << box;
    }
    EXPECT_EQ(EncodeSystem(world), bytes);
    Child<QPushButton>(Form(), "IncompleteCancelButton")->click();
  }
}

TEST_F(IncompleteSystemTest, AStarOrAPairWithTheBoxOfTheChosenSeparationOnly) {
  const auto shown = [this] {
    std::string names;
    for (const QLineEdit* box : Form().findChildren<QLineEdit*>()) {
      if (box->isVisible()) names += box->objectName().toStdString() + " ";
    }
    return names;
  };
  Fill({}, {});
  EXPECT_EQ(shown(), "SystemNameText StarATypeText StarAMagnText ");
  Child<QAbstractButton>(Form(), "BinaryStarOption")->click();
  const std::string pair =
      "SystemNameText StarATypeText StarAMagnText StarBTypeText StarBMagnText ";
  EXPECT_EQ(shown(), pair + "KnownSepText ");  // a pair is never left without a separation
  Child<QAbstractButton>(Form(), "PeriodSepOption")->click();
  EXPECT_EQ(shown(), pair + "KnownPeriodText ");
  Child<QAbstractButton>(Form(), "CloseSepOption")->click();
  EXPECT_EQ(shown(), pair);
  Child<QAbstractButton>(Form(), "UnknownSepOption")->click();
  EXPECT_EQ(shown(), pair);
}

TEST_F(IncompleteSystemTest, RealStarsMakeTheirSystems) {
  Fill({"BinaryStarOption"}, kPair);
  ASSERT_TRUE(Generate());
  EXPECT_EQ(world.SystemName, "Alpha Centauri");
  ASSERT_EQ(world.StarCount, 2);
  EXPECT_GE(world.StarMass[1], world.StarMass[2]);  // the heavier star is star 1
  EXPECT_EQ(world.StarLuminosity[0], kLightOf438 + kLightOf571);
  EXPECT_EQ(world.StarSeparation, 23.4);
  EXPECT_NEAR(world.StarPeriod, std::sqrt(23.4 * 23.4 * 23.4 / world.StarMass[0]), 1e-3);
  EXPECT_EQ(world.SystemSurveyed, 0);

  // A dim M dwarf typed first is exchanged for the Sun-like star; the period gives the
  // separation by Kepler's third law.
  Fill({"BinaryStarOption", "PeriodSepOption"}, {{"StarATypeText", "M5V"},
                                                 {"StarAMagnText", "12"},
                                                 {"StarBTypeText", "G 2 V"},
                                                 {"StarBMagnText", "4.83"},
                                                 {"KnownPeriodText", "80"}});
  ASSERT_TRUE(Generate());
  EXPECT_EQ(world.StarType[1], "G 2 V  ");
  EXPECT_EQ(world.StarType[2], "M 5 V  ");
  EXPECT_EQ(world.StarLuminosity[1], kLightOf483);
  EXPECT_EQ(world.StarPeriod, 80.0f);
  EXPECT_NEAR(world.StarSeparation, std::cbrt(80.0 * 80.0 * world.StarMass[0]), 1e-9);

  // With Auto Survey a single star's worlds follow at once.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  Fill({}, {{"SystemNameText", "Helios"}, {"StarATypeText", "G2V"}, {"StarAMagnText", "4.83"}});
  ASSERT_TRUE(Generate());
  EXPECT_EQ(world.StarCount, 1);
  EXPECT_EQ(world.StarType[1], "G 2 V  ");
  // A G2 star's temperature is 5000 + 1000 x 8 / 10 - d100.
  EXPECT_GE(world.StarTemperature[1], 5700);
  EXPECT_LE(world.StarTemperature[1], 5799);
  EXPECT_EQ(world.SystemSurveyed, 1);
  EXPECT_GE(world.OrbitCount[1], 1);
}

}  // namespace
}  // namespace ax
