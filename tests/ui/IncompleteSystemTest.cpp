#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QScreen>

#include <cmath>
#include <string>

#include "io/SystemFile.h"
#include "ui/IncompleteSystem.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::SystemWindowRig;
using test::TemporaryCurrentDir;

// 10 ^ ((4.7 - M) / 2.5) as a 32-bit float, worked out in python.
constexpr float kLightOf483 = 0.8871560096740723f;
constexpr float kLightOf438 = 1.342764973640442f;
constexpr float kLightOf571 = 0.39445731043815613f;
// The main-sequence mass L^(1/4) is scattered by NarrowFactor, within [0.81, 1.21).
constexpr double kNarrowLow = 0.81;
constexpr double kNarrowHigh = 1.21;

// How every opening leaves the form: empty boxes, one star, "Known" chosen for a pair, centred
// on the screen.
void ExpectOpenedAfresh(const IncompleteSystem& form) {
  for (const QLineEdit* text : form.findChildren<QLineEdit*>()) {
    EXPECT_TRUE(text->text().isEmpty()) << text->objectName().toStdString();
  }
  EXPECT_TRUE(form.SingleStarOption->isChecked());
  EXPECT_TRUE(form.KnownSepOption->isChecked());
  EXPECT_TRUE(form.StarAMagnText->isVisible());
  EXPECT_FALSE(form.StarBTypePanel->isVisible());
  EXPECT_FALSE(form.StarBMagnText->isVisible());
  EXPECT_FALSE(form.SeparationFrame3D->isVisible());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_NEAR(form.x(), screen.x() + (screen.width() - form.width()) / 2, 1);
  EXPECT_NEAR(form.y(), screen.y() + (screen.height() - form.height()) / 2, 1);
}

IncompleteSystem& OpenForm(SystemWindowRig& rig) {
  rig.Item("SystemMenuGenerateIncomplete")->trigger();
  return *rig.window.findChild<IncompleteSystem*>();
}

// A G2 star's temperature is 5000 + 1000 x 8 / 10 - d100; a K1's 3500 + 1500 x 9 / 10 - d100.
void ExpectObservedStar(const World& world, int s, float light) {
  EXPECT_EQ(world.StarLuminosity[s], light);
  const double mainSequenceMass = std::pow(double{light}, 0.25);
  EXPECT_GE(world.StarMass[s], mainSequenceMass * kNarrowLow);
  EXPECT_LT(world.StarMass[s], mainSequenceMass * kNarrowHigh);
  if (world.StarType[s] == "G 2 V  ") {
    EXPECT_GE(world.StarTemperature[s], 5700);
    EXPECT_LE(world.StarTemperature[s], 5799);
  } else {
    EXPECT_EQ(world.StarType[s], "K 1 V  ");
    EXPECT_GE(world.StarTemperature[s], 4750);
    EXPECT_LE(world.StarTemperature[s], 4849);
  }
}

TEST(IncompleteSystemTest, BinaryShowsTheSecondStarAndTheSeparationChoices) {
  SystemWindowRig rig;
  ASSERT_TRUE(rig.Item("SystemMenuGenerateIncomplete")->isEnabled());
  EXPECT_TRUE(rig.Item("SystemMenuGenerateIncomplete")->statusTip().isEmpty());
  IncompleteSystem& form = OpenForm(rig);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Incomplete System Generation"));
  EXPECT_EQ(form.StarATypePanel->text(), QStringLiteral("Star Type:"));
  EXPECT_EQ(form.StarBMagnPanel->text(), QStringLiteral("Abs Magn:"));
  EXPECT_EQ(form.SeparationFrame3D->title(), QStringLiteral("Separation"));
  EXPECT_EQ(form.PeriodSepOption->text(), QStringLiteral("Period"));
  EXPECT_EQ(form.IncompleteCancelButton->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(form.findChild<QRadioButton*>(QStringLiteral("UnknownSepOption")),
            form.UnknownSepOption);
  ExpectOpenedAfresh(form);

  form.BinaryStarOption->click();
  EXPECT_TRUE(form.StarBTypeText->isVisible());
  EXPECT_TRUE(form.StarBMagnPanel->isVisible());
  EXPECT_TRUE(form.SeparationFrame3D->isVisible());
  EXPECT_TRUE(form.KnownSepOption->isChecked());
  EXPECT_TRUE(form.KnownSepText->isVisible());
  EXPECT_FALSE(form.KnownPeriodText->isVisible());

  form.PeriodSepOption->click();
  EXPECT_FALSE(form.KnownSepText->isVisible());
  EXPECT_TRUE(form.KnownPeriodText->isVisible());
  form.CloseSepOption->click();
  EXPECT_FALSE(form.KnownSepText->isVisible());
  EXPECT_FALSE(form.KnownPeriodText->isVisible());
  form.UnknownSepOption->click();
  EXPECT_FALSE(form.KnownSepText->isVisible());
  EXPECT_FALSE(form.KnownPeriodText->isVisible());
  form.KnownSepOption->click();
  EXPECT_TRUE(form.KnownSepText->isVisible());

  form.SingleStarOption->click();
  EXPECT_FALSE(form.StarBTypeText->isVisible());
  EXPECT_FALSE(form.SeparationFrame3D->isVisible());

  // Each opening starts afresh, whatever was typed, chosen, rejected or moved.
  form.BinaryStarOption->click();
  form.PeriodSepOption->click();
  form.SystemNameText->setText(QStringLiteral("Nowhere"));
  form.StarATypeText->setText(QStringLiteral("X5V"));
  form.KnownPeriodText->setText(QStringLiteral("80"));
  form.IncompleteGenerateButton->click();
  ASSERT_EQ(form.StarATypeText->text(), QStringLiteral("******"));
  form.move(0, 0);
  form.IncompleteCancelButton->click();
  EXPECT_EQ(&OpenForm(rig), &form);
  ExpectOpenedAfresh(form);
}

TEST(IncompleteSystemTest, RejectedValuesAreMarkedAndTheSystemStaysAsItWas) {
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  int star = 0;
  int orbit = 0;
  ASSERT_TRUE(test::FindWorld(*rig.world, star, orbit)) << "the seeded system has a world";
  const World& world = *rig.world;
  const std::string bytes = EncodeSystem(world);
  const std::string name = world.SystemName;
  const auto temperatures = world.StarTemperature;
  const double bodyMass = world.BodyMass(star, orbit, 0);
  const auto pressure = world.BodyPressure(star, orbit, 0);

  IncompleteSystem& form = OpenForm(rig);
  form.BinaryStarOption->click();
  form.SystemNameText->setText(QStringLiteral("Nowhere"));
  form.StarATypeText->setText(QStringLiteral("X5V"));
  form.StarAMagnText->clear();
  form.StarBTypeText->setText(QStringLiteral("K1V"));
  form.StarBMagnText->setText(QStringLiteral("5.71"));
  form.KnownSepText->setText(QStringLiteral("far"));
  form.IncompleteGenerateButton->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.StarATypeText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.StarAMagnText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.KnownSepText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.StarBTypeText->text(), QStringLiteral("K1V"));
  EXPECT_EQ(form.StarBMagnText->text(), QStringLiteral("5.71"));
  EXPECT_EQ(form.KnownPeriodText->text(), QString());
  EXPECT_EQ(form.SystemNameText->text(), QStringLiteral("Nowhere"));
  EXPECT_EQ(EncodeSystem(world), bytes);
  EXPECT_EQ(world.SystemName, name);
  EXPECT_EQ(world.StarTemperature, temperatures);
  EXPECT_EQ(world.BodyMass(star, orbit, 0), bodyMass);
  EXPECT_EQ(world.BodyPressure(star, orbit, 0), pressure);
  EXPECT_EQ(world.SystemSurveyed, 1);
  EXPECT_TRUE(rig.Button("ModeButton2")->isEnabled());  // no reset of the view either

  // A good letter with no subclass digit is the type box's fault alone.
  form.SingleStarOption->click();
  form.StarATypeText->setText(QStringLiteral("GV"));
  form.StarAMagnText->setText(QStringLiteral("4.83"));
  form.IncompleteGenerateButton->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.StarATypeText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.StarAMagnText->text(), QStringLiteral("4.83"));
  EXPECT_EQ(EncodeSystem(world), bytes);
}

TEST(IncompleteSystemTest, SunLikeStarIsSurveyedSavedAndReadBack) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  const World& world = *rig.world;
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  IncompleteSystem& form = OpenForm(rig);
  form.SystemNameText->setText(QStringLiteral("Helios"));
  form.StarATypeText->setText(QStringLiteral("G2V"));
  form.StarAMagnText->setText(QStringLiteral("4.83"));
  form.IncompleteGenerateButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world.SystemName, "Helios");
  EXPECT_EQ(world.StarCount, 1);
  EXPECT_EQ(world.StarType[1], "G 2 V  ");
  ExpectObservedStar(world, 1, kLightOf483);
  EXPECT_EQ(world.SystemSurveyed, 1);
  EXPECT_GE(world.OrbitCount[1], 1);
  EXPECT_EQ(rig.window.DisplayMode(), 0);
  ASSERT_TRUE(rig.Item("SystemMenuFileSaveAs")->isEnabled());

  rig.NextFile = folder.Path("helios.ax2");
  rig.Item("SystemMenuFileSaveAs")->trigger();
  ASSERT_TRUE(QFile::exists(folder.Path("helios.ax2")));
  const std::string saved = EncodeSystem(world);

  rig.Item("SystemMenuGenerateRandom")->trigger();
  ASSERT_NE(EncodeSystem(world), saved);
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_EQ(EncodeSystem(world), saved);
  EXPECT_EQ(world.SystemName, "Helios");
  EXPECT_EQ(world.StarType[1], "G 2 V  ");
}

TEST(IncompleteSystemTest, AlphaCentauriMakesAPairAtItsKnownSeparation) {
  SystemWindowRig rig;
  const World& world = *rig.world;
  IncompleteSystem& form = OpenForm(rig);
  form.SystemNameText->setText(QStringLiteral("Alpha Centauri"));
  form.BinaryStarOption->click();
  form.StarATypeText->setText(QStringLiteral("G2V"));
  form.StarAMagnText->setText(QStringLiteral("4.38"));
  form.StarBTypeText->setText(QStringLiteral("k1v"));
  form.StarBMagnText->setText(QStringLiteral("5.71"));
  form.KnownSepText->setText(QStringLiteral("23.4 AU"));
  form.IncompleteGenerateButton->click();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(world.StarCount, 2);
  EXPECT_GE(world.StarMass[1], world.StarMass[2]);  // the heavier star is star 1
  // Their scatter ranges overlap, so either may have come out heavier.
  const bool inOrder = world.StarType[1] == "G 2 V  ";
  EXPECT_EQ(world.StarType[inOrder ? 2 : 1], "K 1 V  ");
  ExpectObservedStar(world, inOrder ? 1 : 2, kLightOf438);
  ExpectObservedStar(world, inOrder ? 2 : 1, kLightOf571);
  EXPECT_EQ(world.StarSeparation, 23.4);
  const double totalMass = world.StarMass[1] + world.StarMass[2];
  EXPECT_NEAR(world.StarPeriod, std::sqrt(23.4 * 23.4 * 23.4 / totalMass), 1e-3);
  EXPECT_EQ(world.StarMass[0], totalMass);
  EXPECT_EQ(world.StarLuminosity[0], kLightOf438 + kLightOf571);
  EXPECT_EQ(world.SystemSurveyed, 0);
  EXPECT_TRUE(rig.Button("SurveyButton")->isEnabled());

  // A dim M dwarf typed first is exchanged for the Sun-like star; the period gives the
  // separation by Kepler's third law.
  OpenForm(rig);
  form.BinaryStarOption->click();
  form.StarATypeText->setText(QStringLiteral("M5V"));
  form.StarAMagnText->setText(QStringLiteral("12"));
  form.StarBTypeText->setText(QStringLiteral("G 2 V"));
  form.StarBMagnText->setText(QStringLiteral("4.83"));
  form.PeriodSepOption->click();
  form.KnownPeriodText->setText(QStringLiteral("80"));
  form.IncompleteGenerateButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world.StarType[1], "G 2 V  ");
  EXPECT_EQ(world.StarType[2], "M 5 V  ");
  EXPECT_EQ(world.StarLuminosity[1], kLightOf483);
  EXPECT_EQ(world.StarPeriod, 80.0f);
  const double pairMass = world.StarMass[1] + world.StarMass[2];
  EXPECT_NEAR(world.StarSeparation, std::cbrt(80.0 * 80.0 * pairMass), 1e-9);
}

}  // namespace
}  // namespace ax
