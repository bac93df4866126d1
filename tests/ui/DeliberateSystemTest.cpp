#include <QLabel>
#include <QLineEdit>

#include <string_view>
#include <tuple>
#include <vector>

#include "generate/StarLimits.h"
#include "io/SystemFile.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;
using Texts = std::vector<std::pair<const char*, const char*>>;

class DeliberateSystemTest : public testing::Test {
 protected:
  // Opens the form, which starts afresh each time, chooses a pair or not and types the texts.
  QWidget& Fill(bool pair, const Texts& texts) {
    rig.Item("SystemMenuGenerateDeliberate")->trigger();
    auto& form = *Child<QWidget>(rig.window, "DeliberateSystem");
    for (const QLineEdit* box : form.findChildren<QLineEdit*>()) EXPECT_EQ(box->text(), "");
    if (pair) Child<QAbstractButton>(form, "BinaryStarOption")->click();
    for (const auto& [box, text] : texts) Child<QLineEdit>(form, box)->setText(text);
    return form;
  }
  test::SystemWindowRig rig;
  const World& world = *rig.world;
};

// A pair of sound stars, into which each rejection row types one bad value.
const Texts kPair = {
    {"SystemNameText", "Nowhere"}, {"StarAMassText", "1"},   {"StarATempText", "5800"},
    {"StarALumnText", "1"},        {"StarBMassText", "0.8"}, {"StarBTempText", "5000K"},
    {"StarBLumnText", "0.5"},      {"SeparationText", "30"}, {"AgeText", ""}};  // drawn

TEST_F(DeliberateSystemTest, EachRejectedBoxIsMarkedAndNothingElseIsLostOrChanged) {
  rig.GenerateAndSurvey();
  rig.Button("ModeButton2")->click();  // the graphical view, which a new system would reset
  const std::string bytes = EncodeSystem(world);
  // Each with the range its tip and the status line give, as the generator takes it.
  const QString mass = kStarMassRange.text.data(), temperature = kStarTemperatureRange.text.data(),
                luminosity = kStarLuminosityRange.text.data();
  const std::tuple<const char*, const char*, QString> rows[] = {
      {"StarAMassText", "heavy", mass},
      {"StarATempText", "", temperature},
      {"StarALumnText", "1e400", luminosity},
      {"StarBMassText", "-0.5", mass},
      {"StarBTempText", "600000", temperature},
      {"StarBLumnText", "0", luminosity},
      {"SeparationText", "far", kStarSeparationRange.text.data()},
      {"AgeText", "10", QString::number(LongestGivenAge(1))}};  // for star A's 1 solar mass
  for (const auto& [bad, text, takes] : rows) {
    QWidget& form = Fill(true, kPair);
    Child<QLineEdit>(form, bad)->setText(text);
    Child<QPushButton>(form, "DeliberateGenerateButton")->click();
    EXPECT_TRUE(form.isVisible() && Child<QLineEdit>(form, bad)->isVisible()) << bad;
    const QLabel* status = Child<QLabel>(form, "DeliberateStatus");
    EXPECT_TRUE(status->isVisible() && status->text().contains(takes)) << bad;
    EXPECT_TRUE(Child<QLineEdit>(form, bad)->toolTip().contains(takes)) << bad;
    for (const auto& [box, typed] : kPair) {
      const char* kept = std::string_view(box) == bad ? "******" : typed;
      EXPECT_EQ(Child<QLineEdit>(form, box)->text(), kept) << bad << ": " << box;
    }
    EXPECT_EQ(EncodeSystem(world), bytes) << bad;
    Child<QPushButton>(form, "DeliberateCancelButtton")->click();
  }
  EXPECT_EQ(rig.window.DisplayMode(), 1);
}

// For both generation forms: Single gives back the size Binary took, and at the form's least
// size each box shows the whole "******" of a Generate that rejects all of them.
TEST_F(DeliberateSystemTest, FormsFitTheirFields) {
  const char* const forms[][3] = {
      {"SystemMenuGenerateDeliberate", "DeliberateSystem", "DeliberateGenerateButton"},
      {"SystemMenuGenerateIncomplete", "IncompleteSystem", "IncompleteGenerateButton"}};
  for (const auto& [item, name, generate] : forms) {
    rig.Item(item)->trigger();
    auto& form = *Child<QWidget>(rig.window, name);
    const QSize single = form.size();
    Child<QAbstractButton>(form, "BinaryStarOption")->click();
    EXPECT_GT(form.width(), single.width() + 50) << name;
    Child<QAbstractButton>(form, "SingleStarOption")->click();
    EXPECT_NEAR(form.width(), single.width(), 3) << name;
    EXPECT_NEAR(form.height(), single.height(), 3) << name;
    Child<QAbstractButton>(form, "BinaryStarOption")->click();
    Child<QPushButton>(form, generate)->click();
    form.resize(form.minimumSize());
    for (QLineEdit* box : form.findChildren<QLineEdit*>()) {
      // Where the cursor shows at each end of the text; the box scrolls the text as it paints.
      const auto cursorAt = [box](bool end) {
        end ? box->end(false) : box->home(false);
        box->grab();
        return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
      };
      if (!box->isVisible()) continue;
      EXPECT_EQ(cursorAt(true) - cursorAt(false), box->fontMetrics().horizontalAdvance(box->text()))
          << name << " " << box->objectName().toStdString();
    }
  }
}

TEST_F(DeliberateSystemTest, GivenStarsMakeTheSystem) {
  QWidget& form = Fill(false, {{"SystemNameText", "Sol"},
                               {"StarAMassText", "1"},
                               {"StarATempText", "5800"},
                               {"StarALumnText", "1"}});
  Child<QPushButton>(form, "DeliberateGenerateButton")->click();
  EXPECT_EQ(world.SystemName, "Sol");
  EXPECT_EQ(world.StarCount, 1);
  EXPECT_EQ(world.StarType[1], "G 1 V  ");               // 5800 K is eight tenths up the G band
  EXPECT_TRUE(rig.Button("SurveyButton")->isEnabled());  // no Auto Survey: SURVEY is next

  // The heavier star typed second stays second; with Auto Survey the worlds follow at once.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  Texts pair = kPair;
  pair.insert(pair.end(), {{"StarAMassText", "0.8"}, {"StarBMassText", "1.1"}, {"AgeText", "2"}});
  Fill(true, pair);
  Child<QPushButton>(form, "DeliberateGenerateButton")->click();
  EXPECT_EQ(world.StarMass[2], 1.1);
  EXPECT_EQ(world.StarTemperature[2], 5000);
  EXPECT_EQ(world.StarLuminosity[2], 0.5f);
  EXPECT_EQ(world.StarPeriod, 119.2079086303711f);  // sqrt(30^3 / 1.9) years, as a float
  EXPECT_EQ(world.SystemAge, 2.0f);
  EXPECT_EQ(world.SystemSurveyed, 1);
}

}  // namespace
}  // namespace ax
