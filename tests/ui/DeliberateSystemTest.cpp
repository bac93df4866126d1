#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QScreen>

#include <string>

#include "io/SystemFile.h"
#include "ui/DeliberateSystem.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::SystemWindowRig;

void PressKey(QWidget& widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &press);
}

// The text boxes in the order Tab visits them, from the system name on.
std::string TabOrder(DeliberateSystem& form) {
  std::string names;
  QWidget* widget = form.SystemNameText;
  do {
    if (qobject_cast<QLineEdit*>(widget) != nullptr) {
      if (!names.empty()) names += ' ';
      names += widget->objectName().toStdString();
    }
    widget = widget->nextInFocusChain();
  } while (widget != form.SystemNameText);
  return names;
}

// How every opening leaves the form: empty boxes, one star, centred on the screen.
void ExpectOpenedAfresh(const DeliberateSystem& form) {
  for (const QLineEdit* text : form.findChildren<QLineEdit*>()) {
    EXPECT_TRUE(text->text().isEmpty()) << text->objectName().toStdString();
  }
  EXPECT_TRUE(form.SingleStarOption->isChecked());
  EXPECT_TRUE(form.StarAMassText->isVisible());
  EXPECT_TRUE(form.AgeText->isVisible());
  EXPECT_FALSE(form.StarBMassPanel->isVisible());
  EXPECT_FALSE(form.StarBLumnText->isVisible());
  EXPECT_FALSE(form.SeparationText->isVisible());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_NEAR(form.x(), screen.x() + (screen.width() - form.width()) / 2, 1);
  EXPECT_NEAR(form.y(), screen.y() + (screen.height() - form.height()) / 2, 1);
}

DeliberateSystem& OpenForm(SystemWindowRig& rig) {
  rig.Item("SystemMenuGenerateDeliberate")->trigger();
  return *rig.window.findChild<DeliberateSystem*>();
}

TEST(DeliberateSystemTest, OpensEmptyForOneStarAndBinaryShowsTheSecondStar) {
  SystemWindowRig rig;
  ASSERT_TRUE(rig.Item("SystemMenuGenerateDeliberate")->isEnabled());
  EXPECT_TRUE(rig.Item("SystemMenuGenerateDeliberate")->statusTip().isEmpty());
  EXPECT_EQ(rig.window.findChild<DeliberateSystem*>(), nullptr);  // made on first use

  DeliberateSystem& form = OpenForm(rig);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isModal());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Deliberate System Generation"));
  EXPECT_EQ(form.SystemNamePanel->text(), QStringLiteral("System Name:"));
  EXPECT_EQ(form.StarATempPanel->text(), QStringLiteral("Temp:"));
  EXPECT_EQ(form.StarBLumnPanel->text(), QStringLiteral("Lumn:"));
  EXPECT_EQ(form.SeparationPanel->text(), QStringLiteral("Separation:"));
  EXPECT_EQ(form.AgePanel->text(), QStringLiteral("Age:"));
  EXPECT_EQ(form.DeliberateCancelButtton->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("StarBMassText")), form.StarBMassText);
  ExpectOpenedAfresh(form);

  form.BinaryStarOption->click();
  EXPECT_TRUE(form.StarBMassPanel->isVisible());
  EXPECT_TRUE(form.StarBTempText->isVisible());
  EXPECT_TRUE(form.StarBLumnText->isVisible());
  EXPECT_TRUE(form.SeparationPanel->isVisible());
  EXPECT_TRUE(form.SeparationText->isVisible());
  EXPECT_EQ(TabOrder(form),
            "SystemNameText StarAMassText StarATempText StarALumnText StarBMassText "
            "StarBTempText StarBLumnText SeparationText AgeText");

  form.SingleStarOption->click();
  EXPECT_FALSE(form.StarBTempText->isVisible());
  EXPECT_FALSE(form.SeparationText->isVisible());

  // A second use brings back the same form, afresh whatever was typed, rejected or moved.
  form.BinaryStarOption->click();
  form.SystemNameText->setText(QStringLiteral("Nowhere"));
  form.StarAMassText->setText(QStringLiteral("heavy"));
  form.StarBMassText->setText(QStringLiteral("1"));
  form.DeliberateGenerateButton->click();
  ASSERT_EQ(form.StarAMassText->text(), QStringLiteral("******"));
  form.move(0, 0);
  form.DeliberateCancelButtton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(&OpenForm(rig), &form);
  ExpectOpenedAfresh(form);
}

TEST(DeliberateSystemTest, GenerateMenuIsClosedWhileAClusterStarIsShown) {
  SystemWindowRig rig;
  rig.world->ClusterMode = 1;
  rig.window.EnterClusterStar(false, "C01");
  EXPECT_FALSE(test::Child<QMenu>(rig.window, "SystemMenuGenerate")->isEnabled());
  EXPECT_FALSE(rig.Item("SystemMenuGenerateDeliberate")->isEnabled());
  EXPECT_FALSE(rig.Item("SystemMenuGenerateIncomplete")->isEnabled());
  rig.window.OpenDeliberateForm();
  EXPECT_EQ(rig.window.findChild<DeliberateSystem*>(), nullptr);
}

TEST(DeliberateSystemTest, RejectedValuesAreMarkedAndTheSystemStaysAsItWas) {
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.Button("ModeButton2")->click();  // the graphical view, which a reset would leave
  ASSERT_EQ(rig.window.DisplayMode(), 1);
  int star = 0;
  int orbit = 0;
  ASSERT_TRUE(test::FindWorld(*rig.world, star, orbit)) << "the seeded system has a world";
  const World& world = *rig.world;
  const std::string bytes = EncodeSystem(world);
  const std::string name = world.SystemName;
  const auto masses = world.StarMass;
  const auto types = world.StarType;
  const double bodyMass = world.BodyMass(star, orbit, 0);
  const float bodyRadius = world.BodyRadius(star, orbit, 0);
  const auto expectUnchanged = [&] {
    EXPECT_EQ(EncodeSystem(world), bytes);
    EXPECT_EQ(world.SystemName, name);
    EXPECT_EQ(world.StarMass, masses);
    EXPECT_EQ(world.StarType, types);
    EXPECT_EQ(world.BodyMass(star, orbit, 0), bodyMass);
    EXPECT_EQ(world.BodyRadius(star, orbit, 0), bodyRadius);
    EXPECT_EQ(world.SystemSurveyed, 1);
    EXPECT_EQ(rig.window.DisplayMode(), 1);
  };

  DeliberateSystem& form = OpenForm(rig);
  form.BinaryStarOption->click();
  form.SystemNameText->setText(QStringLiteral("Nowhere"));
  form.StarAMassText->setText(QStringLiteral("1"));
  form.StarATempText->setText(QStringLiteral("hot"));  // letters only read as 0
  form.StarALumnText->setText(QStringLiteral("1"));
  form.StarBMassText->setText(QStringLiteral("-0.5"));
  form.StarBTempText->setText(QStringLiteral("3000K"));  // digits then letters: 3000
  form.StarBLumnText->setText(QStringLiteral("0.01"));
  form.SeparationText->clear();
  form.DeliberateGenerateButton->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.StarATempText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.StarBMassText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.SeparationText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.StarAMassText->text(), QStringLiteral("1"));
  EXPECT_EQ(form.StarALumnText->text(), QStringLiteral("1"));
  EXPECT_EQ(form.StarBTempText->text(), QStringLiteral("3000K"));
  EXPECT_EQ(form.StarBLumnText->text(), QStringLiteral("0.01"));
  EXPECT_EQ(form.AgeText->text(), QString());
  EXPECT_EQ(form.SystemNameText->text(), QStringLiteral("Nowhere"));
  expectUnchanged();

  // 9.8 / 2^3 = 1.225 billion years: 1.3 would have taken the star off the main sequence.
  form.SingleStarOption->click();
  form.StarAMassText->setText(QStringLiteral("2"));
  form.StarATempText->setText(QStringLiteral("9000"));
  form.StarALumnText->setText(QStringLiteral("16"));
  form.AgeText->setText(QStringLiteral("1.3"));
  form.DeliberateGenerateButton->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.AgeText->text(), QStringLiteral("******"));
  EXPECT_EQ(form.StarAMassText->text(), QStringLiteral("2"));
  EXPECT_EQ(form.StarATempText->text(), QStringLiteral("9000"));
  expectUnchanged();

  form.AgeText->setText(QStringLiteral("1.2"));
  form.DeliberateGenerateButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world.SystemName, "Nowhere");
  EXPECT_EQ(world.StarCount, 1);
  EXPECT_EQ(world.SystemAge, 1.2f);
  EXPECT_EQ(world.SystemSurveyed, 0);
  EXPECT_EQ(world.OrbitCount[1], 0);
  EXPECT_EQ(rig.window.DisplayMode(), 0);
}

TEST(DeliberateSystemTest, GivenMassesMakeTheSystem) {
  SystemWindowRig rig;
  const World& world = *rig.world;
  DeliberateSystem& form = OpenForm(rig);
  form.SystemNameText->setText(QStringLiteral("Sol"));
  form.StarAMassText->setText(QStringLiteral("1"));
  form.StarATempText->setText(QStringLiteral("5800"));
  form.StarALumnText->setText(QStringLiteral("1"));
  form.DeliberateGenerateButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world.SystemName, "Sol");
  EXPECT_EQ(world.StarCount, 1);
  EXPECT_EQ(world.StarMass[1], 1.0);
  EXPECT_EQ(world.StarTemperature[1], 5800);
  EXPECT_EQ(world.StarLuminosity[1], 1.0f);
  EXPECT_EQ(world.StarType[1], "G 1 V  ");  // 5800 K is eight tenths up the G band
  EXPECT_GE(world.SystemAge, 0.01f);        // d1000 / 100
  EXPECT_LE(world.SystemAge, 10.0f);
  // A new system without the automatic survey: only SURVEY, no Save As yet.
  EXPECT_EQ(world.SystemSurveyed, 0);
  EXPECT_TRUE(rig.Button("SurveyButton")->isEnabled());
  EXPECT_FALSE(rig.Button("ModeButton2")->isEnabled());
  EXPECT_FALSE(rig.Item("SystemMenuFileSaveAs")->isEnabled());

  // The heavier star typed second stays second; with Auto Survey the worlds follow at once.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  OpenForm(rig);
  form.BinaryStarOption->click();
  form.StarAMassText->setText(QStringLiteral("0.8"));
  form.StarATempText->setText(QStringLiteral("5000"));
  form.StarALumnText->setText(QStringLiteral("0.5"));
  form.StarBMassText->setText(QStringLiteral("1.1"));
  form.StarBTempText->setText(QStringLiteral("6000"));
  form.StarBLumnText->setText(QStringLiteral("1.3"));
  form.SeparationText->setText(QStringLiteral("30"));
  form.AgeText->setText(QStringLiteral("2"));
  form.DeliberateGenerateButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world.StarCount, 2);
  EXPECT_EQ(world.StarMass[1], 0.8);
  EXPECT_EQ(world.StarMass[2], 1.1);
  EXPECT_EQ(world.StarTemperature[2], 6000);
  EXPECT_EQ(world.StarSeparation, 30.0);
  EXPECT_EQ(world.StarPeriod, 119.2079086303711f);  // sqrt(30^3 / 1.9) years, as a float
  EXPECT_EQ(world.SystemAge, 2.0f);
  EXPECT_EQ(world.SystemSurveyed, 1);
  EXPECT_TRUE(rig.Item("SystemMenuFileSaveAs")->isEnabled());
  EXPECT_FALSE(rig.Button("SurveyButton")->isEnabled());
}

TEST(DeliberateSystemTest, EscapeHidesEnterGenerates) {
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  const std::string bytes = EncodeSystem(*rig.world);
  DeliberateSystem& form = OpenForm(rig);
  form.StarAMassText->setText(QStringLiteral("0.5"));
  form.StarATempText->setText(QStringLiteral("3500"));
  form.StarALumnText->setText(QStringLiteral("0.04"));
  PressKey(*form.StarALumnText, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(EncodeSystem(*rig.world), bytes);
  EXPECT_EQ(rig.world->SystemSurveyed, 1);

  OpenForm(rig);
  form.StarAMassText->setText(QStringLiteral("0.5"));
  form.StarATempText->setText(QStringLiteral("3500"));
  form.StarALumnText->setText(QStringLiteral("0.04"));
  PressKey(*form.StarATempText, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(rig.world->StarMass[1], 0.5);
  EXPECT_EQ(rig.world->StarTemperature[1], 3500);
  EXPECT_EQ(rig.world->SystemSurveyed, 0);
}

}  // namespace
}  // namespace ax
