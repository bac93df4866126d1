// The system window as the user sees it: its widgets by their names, the controller's answers
// shown on them, clicks and scrolls reaching the selection, and the dialogs' answers.

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <string>

#include "display/RecordingCanvas.h"
#include "io/SystemFile.h"
#include "ui/ControlPanel.h"
#include "ui/StartForm.h"
#include "ui/SystemScreen.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;
using test::SystemWindowRig;

const char* const kButtons[] = {"ModeButton2", "ModeButton", "WorldButton",
                                "SurveyButton", "JumpButton", "UpScroll",
                                "DownScroll",  "LeftScroll", "RightScroll"};

// The names of the buttons that are enabled, in the window's order.
std::string EnabledButtons(const SystemWindowRig& rig) {
  std::string names;
  for (const char* name : kButtons) {
    if (!rig.Button(name)->isEnabled()) continue;
    if (!names.empty()) names += ' ';
    names += name;
  }
  return names;
}

TEST(SystemDisplayTest, EveryWidgetIsFoundByItsName) {
  SystemWindowRig rig;
  for (const char* name : kButtons) EXPECT_NE(rig.window.findChild<QPushButton*>(name), nullptr);
  for (const char* name :
       {"SystemMenuFileOpen", "SystemMenuFileSaveAs", "SystemMenuFileExportImage",
        "SystemMenuFileExportReport", "SystemMenuFileExit", "SystemMenuFileOpenRecentClear",
        "SystemMenuEditUndoSystem", "SystemMenuEditSystemName", "SystemMenuEditPlanetName",
        "SystemMenuEditSeedInNote", "SystemMenuEditCopyReport", "SystemMenuOptionsAutoSurvey",
        "SystemMenuOptionsEnableUndo", "SystemMenuGenerateRandom", "SystemMenuGenerateFromSeed",
        "SystemMenuGenerateDeliberate", "SystemMenuGenerateIncomplete",
        "SystemMenuViewControlPanel", "SystemMenuViewOrbits", "SystemMenuViewPlanets",
        "SystemMenuViewMoonOrbits", "SystemMenuViewMoonPositions", "SystemMenuHelpContents",
        "SystemMenuHelpAbout"}) {
    EXPECT_NE(rig.window.findChild<QAction*>(name), nullptr) << name;
  }
  for (const char* name : {"SystemMenuFile", "SystemMenuFileOpenRecent", "SystemMenuEdit",
                           "SystemMenuOptions", "SystemMenuGenerate", "SystemMenuView",
                           "SystemMenuHelp"}) {
    EXPECT_NE(rig.window.findChild<QMenu*>(name), nullptr) << name;
  }
  EXPECT_NE(rig.window.findChild<SystemScreen*>("SysDisScreen"), nullptr);
  EXPECT_NE(rig.window.findChild<ControlPanel*>("ControlPanel"), nullptr);
  EXPECT_NE(rig.window.findChild<QLabel*>("SeedLabel"), nullptr);
  EXPECT_EQ(Child<QTimer>(rig.window, "ButtonTimer")->interval(), 50);
  // The Generate menu in the menu's order: From Seed sits before Deliberate.
  const QList<QAction*> generate = Child<QMenu>(rig.window, "SystemMenuGenerate")->actions();
  ASSERT_EQ(generate.size(), 4);
  EXPECT_EQ(generate[1]->objectName(), QStringLiteral("SystemMenuGenerateFromSeed"));
}

TEST(SystemDisplayTest, LifeOfASystemFromTheStartFormBackToIt) {
  SystemWindowRig rig;
  SystemDisplay& w = rig.window;
  auto* panel = Child<ControlPanel>(w, "ControlPanel");
  StartForm start;
  start.AttachSystemWindow(&w);
  start.show();
  Child<QPushButton>(start, "SystemCreate")->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(start.isVisible());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(EnabledButtons(rig), "JumpButton");
  RecordingCanvas empty;
  w.DrawScreen(empty);
  EXPECT_TRUE(empty.Calls().empty());

  rig.Item("SystemMenuGenerateRandom")->trigger();
  EXPECT_EQ(EnabledButtons(rig), "SurveyButton JumpButton");
  EXPECT_FALSE(rig.Item("SystemMenuFileSaveAs")->isEnabled());
  rig.Button("SurveyButton")->click();
  EXPECT_EQ(rig.world->SystemSurveyed, 1);
  EXPECT_EQ(EnabledButtons(rig), "ModeButton2 WorldButton JumpButton");
  EXPECT_TRUE(rig.Item("SystemMenuFileSaveAs")->isEnabled());

  rig.Button("ModeButton2")->click();
  EXPECT_EQ(w.DisplayMode(), 1);
  EXPECT_EQ(rig.Button("UpScroll")->text(), QStringLiteral("OUT"));
  EXPECT_EQ(rig.Button("DownScroll")->text(), QStringLiteral("IN"));
  EXPECT_EQ(EnabledButtons(rig), "ModeButton JumpButton UpScroll DownScroll LeftScroll RightScroll");
  rig.Button("ModeButton")->click();
  rig.Button("WorldButton")->click();
  ASSERT_EQ(w.DisplayMode(), 2) << "the seeded system has at least one world";
  EXPECT_EQ(rig.Button("WorldButton")->text(), QStringLiteral("SYSTEM"));
  EXPECT_TRUE(rig.Item("SystemMenuEditPlanetName")->isEnabled());

  panel->findChild<QSlider*>("StarDateSlider")->setValue(400);
  rig.Item("SystemMenuFileExit")->trigger();
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(panel->isVisible());
  EXPECT_TRUE(start.isVisible());
  EXPECT_EQ(rig.world->StarCount, 0);
  // afresh: an empty area, the panel as on its first showing
  Child<QPushButton>(start, "SystemCreate")->click();
  EXPECT_EQ(panel->findChild<QSlider*>("StarDateSlider")->value(), 0);
  EXPECT_EQ(EnabledButtons(rig), "JumpButton");
  w.close();
}

class SurveyedPairTest : public testing::Test {
 protected:
  void SetUp() override {
    rig.GenerateAndSurvey();
    test::BuildPair(*rig.world);
  }
  std::string Selection() const {
    return std::to_string(rig.world->CurrentStar) + "," + std::to_string(rig.world->CurrentOrbit) +
           "," + std::to_string(rig.world->CurrentBody);
  }
  SystemWindowRig rig;
};

TEST_F(SurveyedPairTest, ClicksAndArrowsMoveTheSelection) {
  SystemDisplay& w = rig.window;
  // Star 1's row of the list runs from y 50 to 66; orbit 2's column from x 15 to 21.
  w.ClickAt(30, 58);  // orbit 4 holds nothing
  EXPECT_EQ(w.DisplayMode(), 0);
  w.ClickAt(18, 58);
  EXPECT_EQ(w.DisplayMode(), 2);
  EXPECT_EQ(Selection(), "1,2,0");
  // The report's strip draws orbit o at x 65 + 2 o; moon b's line starts at y 36 + 3 b.
  w.ClickAt(67, 5);
  EXPECT_EQ(Selection(), "1,1,0");
  w.ClickAt(50, 43);
  EXPECT_EQ(Selection(), "1,1,2");
  rig.Button("DownScroll")->click();  // two moons: not beyond the last
  EXPECT_EQ(Selection(), "1,1,2");
  rig.Button("UpScroll")->click();
  EXPECT_EQ(Selection(), "1,1,1");
  rig.Button("RightScroll")->click();
  rig.Button("RightScroll")->click();
  EXPECT_EQ(Selection(), "2,1,0");
  EXPECT_FALSE(rig.Button("ModeButton2")->isEnabled());  // a belt has no world view
  rig.Button("LeftScroll")->click();
  EXPECT_EQ(Selection(), "1,2,0");
  w.ClickAt(30, 5);  // beside the strip: back to the list
  EXPECT_EQ(w.DisplayMode(), 0);

  rig.Button("ModeButton2")->click();
  rig.Button("DownScroll")->click();  // "IN" doubles the zoom
  EXPECT_FLOAT_EQ(w.View().ViewZoom, 2);
  rig.Button("LeftScroll")->click();  // pans by 1 / zoom
  EXPECT_FLOAT_EQ(w.View().ViewPanX, 0.5f);
  w.ClickAt(40, 70);  // re-centres by (50 - x) / zoom, (50 - y) / zoom
  EXPECT_FLOAT_EQ(w.View().ViewPanX, 5.5f);
  EXPECT_FLOAT_EQ(w.View().ViewPanY, -10);
}

TEST_F(SurveyedPairTest, TheViewMenuKeepsMoonItemsUnderPlanets) {
  rig.Item("SystemMenuViewPlanets")->trigger();
  EXPECT_FALSE(rig.window.View().ShowPlanets);
  EXPECT_FALSE(rig.Item("SystemMenuViewMoonOrbits")->isChecked());
  EXPECT_FALSE(rig.window.View().ShowMoonPositions);
  rig.Item("SystemMenuViewMoonOrbits")->trigger();
  EXPECT_TRUE(rig.Item("SystemMenuViewPlanets")->isChecked());
  EXPECT_TRUE(rig.window.View().ShowMoonOrbits);
  rig.window.show();
  auto* panel = Child<ControlPanel>(rig.window, "ControlPanel");
  rig.Item("SystemMenuViewControlPanel")->setChecked(false);
  rig.Item("SystemMenuViewControlPanel")->trigger();
  EXPECT_TRUE(panel->isVisible());
  panel->close();  // closed with its own frame: the check mark follows
  EXPECT_FALSE(rig.Item("SystemMenuViewControlPanel")->isChecked());
  rig.window.resize(900, 500);
  const auto* screen = Child<SystemScreen>(rig.window, "SysDisScreen");
  EXPECT_DOUBLE_EQ(rig.window.View().ViewAspect,
                   static_cast<double>(screen->width()) / screen->height());
  rig.window.close();
}

TEST(SystemFileCommandsTest, DialogsAskForTheRightFilesAndFailuresAreSaid) {
  test::TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("sol");  // typed without its extension
  rig.Item("SystemMenuFileSaveAs")->trigger();
  EXPECT_EQ(rig.lastRequest.filter, QStringLiteral("Star Files (*.ax2)"));
  EXPECT_TRUE(rig.lastRequest.save);
  ASSERT_TRUE(QFile::exists(folder.Path("sol.ax2")));
  const std::string saved = EncodeSystem(*rig.world);

  rig.NextFile.clear();  // cancelled: nothing changes, nothing is said
  rig.Item("SystemMenuGenerateRandom")->trigger();
  const std::string other = EncodeSystem(*rig.world);
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), other);
  EXPECT_TRUE(rig.Status().isEmpty());

  QFile bad(folder.Path("bad.ax2"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(saved.substr(0, saved.size() / 2).c_str(), static_cast<qint64>(saved.size() / 2));
  bad.close();
  rig.NextFile = folder.Path("bad.ax2");
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_FALSE(rig.lastRequest.save);
  EXPECT_EQ(EncodeSystem(*rig.world), other);
  EXPECT_TRUE(rig.Status().startsWith(QStringLiteral("Could not open bad.ax2: ")));

  rig.NextFile = folder.Path("sol.ax2");
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), saved);
  EXPECT_TRUE(rig.Status().isEmpty());
  EXPECT_TRUE(rig.Button("ModeButton2")->isEnabled());
}

}  // namespace
}  // namespace ax
