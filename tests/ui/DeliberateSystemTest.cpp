#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/SystemFile.h"
#include "ui/DeliberateSystem.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;
using test::SystemWindowRig;
using Texts = std::vector<std::pair<const char*, const char*>>;

void PressKey(QWidget& widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &press);
}

class DeliberateSystemTest : public testing::Test {
 protected:
  DeliberateSystem& Open() {
    rig.Item("SystemMenuGenerateDeliberate")->trigger();
    return *rig.window.findChild<DeliberateSystem*>();
  }
  void Fill(bool binary, const Texts& texts) {
    DeliberateSystem& form = Open();
    Child<QAbstractButton>(form, binary ? "BinaryStarOption" : "SingleStarOption")->click();
    for (const auto& [box, text] : texts) Box(box)->setText(QString::fromLatin1(text));
  }
  void Generate() { Child<QPushButton>(Form(), "DeliberateGenerateButton")->click(); }
  DeliberateSystem& Form() const { return *rig.window.findChild<DeliberateSystem*>(); }
  QLineEdit* Box(const char* name) const { return Child<QLineEdit>(Form(), name); }
  SystemWindowRig rig;
  const World& world = *rig.world;
};

// A pair of sound stars, into which each row below types one kind of bad value.
const Texts kPair = {{"SystemNameText", "Nowhere"}, {"StarAMassText", "1"},
                     {"StarATempText", "5800"},     {"StarALumnText", "1"},
                     {"StarBMassText", "0.8"},      {"StarBTempText", "5000K"},
                     {"StarBLumnText", "0.5"},      {"SeparationText", "30"}};

TEST_F(DeliberateSystemTest, EachRejectedBoxIsMarkedAndNothingElseIsLostOrChanged) {
  rig.GenerateAndSurvey();
  rig.Button("ModeButton2")->click();  // the graphical view, which a new system would reset
  const std::string bytes = EncodeSystem(world);
  const Texts rows = {{"StarAMassText", "heavy"},  {"StarATempText", ""},
                      {"StarALumnText", "1e400"},  {"StarBMassText", "-0.5"},
                      {"StarBTempText", "600000"}, {"StarBLumnText", "0"},
                      {"SeparationText", "far"},   {"AgeText", "10"}};  // 9.8 / 1^3 Gyr at most
  for (const auto& [bad, text] : rows) {
    Fill(true, kPair);
    Box(bad)->setText(QString::fromLatin1(text));
    Generate();
    EXPECT_TRUE(Form().isVisible());
    for (const auto& [box, typed] : kPair) {
      const bool marked = std::string_view(box) == bad;
      EXPECT_EQ(Box(box)->text(), QString::fromLatin1(marked ? "******" : typed)) << box;
    }
    EXPECT_EQ(Box(bad)->text(), QStringLiteral("******")) << bad;
    EXPECT_EQ(EncodeSystem(world), bytes) << bad;
    Child<QPushButton>(Form(), "DeliberateCancelButtton")->click();
  }
  EXPECT_EQ(rig.window.DisplayMode(), 1);
}

TEST_F(DeliberateSystemTest, EveryOpeningStartsAfreshWithOneStar) {
  EXPECT_EQ(rig.window.findChild<DeliberateSystem*>(), nullptr);  // made on first use
  Fill(true, kPair);
  EXPECT_TRUE(Box("SeparationText")->isVisible());
  Box("StarAMassText")->setText(QStringLiteral("heavy"));
  Generate();
  Form().move(0, 0);
  PressKey(*Box("StarAMassText"), Qt::Key_Escape);
  EXPECT_FALSE(Form().isVisible());
  DeliberateSystem& form = Open();
  for (const QLineEdit* box : form.findChildren<QLineEdit*>()) {
    EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    EXPECT_EQ(box->isVisible(), !box->objectName().startsWith("StarB") &&
                                    box->objectName() != QStringLiteral("SeparationText"));
  }
  EXPECT_FALSE(form.isModal());
  EXPECT_NE(form.pos(), QPoint(0, 0));
  EXPECT_EQ(&form, &Open());

  // While a cluster star is shown the Generate menu is closed.
  form.hide();
  rig.world->ClusterMode = 1;
  rig.window.EnterClusterStar(false, "C01");
  EXPECT_FALSE(Child<QMenu>(rig.window, "SystemMenuGenerate")->isEnabled());
  rig.window.OpenDeliberateForm();
  EXPECT_FALSE(form.isVisible());
}

TEST_F(DeliberateSystemTest, GivenStarsMakeTheSystem) {
  Fill(false, {{"SystemNameText", "Sol"},
               {"StarAMassText", "1"},
               {"StarATempText", "5800"},
               {"StarALumnText", "1"}});
  PressKey(*Box("StarATempText"), Qt::Key_Return);
  EXPECT_FALSE(Form().isVisible());
  EXPECT_EQ(world.SystemName, "Sol");
  EXPECT_EQ(world.StarCount, 1);
  EXPECT_EQ(world.StarTemperature[1], 5800);
  EXPECT_EQ(world.StarType[1], "G 1 V  ");  // 5800 K is eight tenths up the G band
  EXPECT_GE(world.SystemAge, 0.01f);        // drawn within a Sun-like star's 10 billion years
  EXPECT_LE(world.SystemAge, 10.0f);
  EXPECT_EQ(world.SystemSurveyed, 0);  // no Auto Survey: SURVEY is the next step
  EXPECT_TRUE(rig.Button("SurveyButton")->isEnabled());

  // The heavier star typed second stays second; with Auto Survey the worlds follow at once.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  Fill(true, kPair);
  Box("StarAMassText")->setText(QStringLiteral("0.8"));
  Box("StarBMassText")->setText(QStringLiteral("1.1"));
  Box("AgeText")->setText(QStringLiteral("2"));
  Generate();
  EXPECT_EQ(world.StarCount, 2);
  EXPECT_EQ(world.StarMass[2], 1.1);
  EXPECT_EQ(world.StarTemperature[2], 5000);
  EXPECT_EQ(world.StarLuminosity[2], 0.5f);
  EXPECT_EQ(world.StarSeparation, 30.0);
  EXPECT_EQ(world.StarPeriod, 119.2079086303711f);  // sqrt(30^3 / 1.9) years, as a float
  EXPECT_EQ(world.SystemAge, 2.0f);
  EXPECT_EQ(world.SystemSurveyed, 1);
  EXPECT_TRUE(rig.Item("SystemMenuFileSaveAs")->isEnabled());
}

}  // namespace
}  // namespace ax
