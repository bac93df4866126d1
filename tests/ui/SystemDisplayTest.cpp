#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <optional>
#include <string>

#include "display/RecordingCanvas.h"
#include "display/SymbolicList.h"
#include "ui/AXSplash.h"
#include "ui/ControlPanel.h"
#include "ui/SysDisScreen.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::BuildPair;
using test::SystemWindowRig;

// The names of the eight buttons that are enabled, in the window's order.
std::string EnabledButtons(const SystemDisplay& window) {
  std::string names;
  for (const QPushButton* button : {window.ModeButton2, window.ModeButton, window.WorldButton,
                                    window.SurveyButton, window.JumpButton, window.UpScroll,
                                    window.DownScroll, window.LeftScroll, window.RightScroll}) {
    if (!button->isEnabled()) continue;
    if (!names.empty()) names += ' ';
    names += button->objectName().toStdString();
  }
  return names;
}

bool AnyTextStartsWith(const RecordingCanvas& canvas, const std::string& start) {
  for (const auto& call : canvas.CallsOf(RecordingCanvas::Kind::Text)) {
    if (call.text.rfind(start, 0) == 0) return true;
  }
  return false;
}

TEST(SystemDisplayTest, ControlsCarryTheirNamesAndCaptions) {
  SystemWindowRig rig;
  SystemDisplay& w = rig.window;
  EXPECT_EQ(w.ModeButton2->text(), QStringLiteral("Graphical"));
  EXPECT_EQ(w.ModeButton->text(), QStringLiteral("Symbolic"));
  EXPECT_EQ(w.WorldButton->text(), QStringLiteral("WORLD"));
  EXPECT_EQ(w.SurveyButton->text(), QStringLiteral("SURVEY"));
  EXPECT_EQ(w.JumpButton->text(), QStringLiteral("JUMP"));
  EXPECT_EQ(w.UpScroll->text(), QStringLiteral("UP"));
  EXPECT_EQ(w.DownScroll->text(), QStringLiteral("DOWN"));
  EXPECT_EQ(w.LeftScroll->text(), QStringLiteral("<"));
  EXPECT_EQ(w.RightScroll->text(), QStringLiteral(">"));
  EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("RightScroll")), w.RightScroll);
  EXPECT_EQ(w.SystemMenuFileSaveAs->text(), QStringLiteral("Save &As..."));
  EXPECT_EQ(w.SystemMenuViewMoonPositions->text(), QStringLiteral("Moon Po&sitions"));
  EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("SystemMenuOptionsEnableUndo")),
            w.SystemMenuOptionsEnableUndo);
  // At load: Open available, Save As and Undo not, both options unchecked.
  EXPECT_TRUE(w.SystemMenuFileOpen->isEnabled());
  EXPECT_FALSE(w.SystemMenuFileSaveAs->isEnabled());
  EXPECT_FALSE(w.SystemMenuEditUndoSystem->isEnabled());
  EXPECT_FALSE(w.SystemMenuOptionsAutoSurvey->isChecked());
  EXPECT_FALSE(w.SystemMenuOptionsEnableUndo->isChecked());
  EXPECT_TRUE(w.SystemMenuGenerateRandom->isEnabled());
  EXPECT_EQ(w.ButtonTimer->interval(), 50);
}

TEST(SystemDisplayTest, LifeOfASystemFromTheStartFormBackToIt) {
  SystemWindowRig rig;
  SystemDisplay& w = rig.window;
  AXSplash splash;
  splash.AttachSystemWindow(&w);
  splash.show();
  ASSERT_TRUE(splash.SystemCreate->isEnabled());

  splash.SystemCreate->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(splash.isVisible());
  EXPECT_TRUE(w.Panel->isVisible());
  EXPECT_TRUE(w.SystemMenuViewControlPanel->isChecked());
  EXPECT_EQ(rig.world->ClusterMode, 0);
  // The panel is placed once, when it appears: moved by the user, it stays on a resize.
  w.Panel->move(w.Panel->pos() + QPoint(37, 41));
  const QPoint moved = w.Panel->pos();
  w.resize(w.size() + QSize(60, 30));
  EXPECT_EQ(w.Panel->pos(), moved);
  RecordingCanvas empty;
  w.DrawScreen(empty);
  EXPECT_TRUE(empty.Calls().empty());  // nothing generated yet: an empty drawing area

  // Generate, Random with Auto Survey off: the stars only, and only SURVEY responds.
  w.SystemMenuGenerateRandom->trigger();
  EXPECT_GE(rig.world->StarCount, 1);
  EXPECT_EQ(rig.world->SystemSurveyed, 0);
  EXPECT_EQ(EnabledButtons(w), "SurveyButton JumpButton");
  EXPECT_FALSE(w.SystemMenuFileSaveAs->isEnabled());
  EXPECT_FALSE(w.SystemMenuEditPlanetName->isEnabled());
  RecordingCanvas stars;
  w.DrawScreen(stars);
  EXPECT_TRUE(AnyTextStartsWith(stars, "Star A: "));
  EXPECT_TRUE(stars.CallsOf(RecordingCanvas::Kind::Disc).empty());  // no symbols before survey

  w.SurveyButton->click();
  EXPECT_EQ(rig.world->SystemSurveyed, 1);
  EXPECT_EQ(EnabledButtons(w), "ModeButton2 WorldButton JumpButton");
  EXPECT_TRUE(w.SystemMenuFileSaveAs->isEnabled());
  RecordingCanvas list;
  w.DrawScreen(list);
  EXPECT_FALSE(list.CallsOf(RecordingCanvas::Kind::Disc).empty());  // the star symbols at least

  w.ModeButton2->click();  // "Graphical"
  EXPECT_EQ(w.DisplayMode(), 1);
  EXPECT_EQ(w.UpScroll->text(), QStringLiteral("OUT"));
  EXPECT_EQ(w.DownScroll->text(), QStringLiteral("IN"));
  EXPECT_EQ(EnabledButtons(w), "ModeButton JumpButton UpScroll DownScroll LeftScroll RightScroll");
  w.ModeButton->click();  // "Symbolic"
  EXPECT_EQ(w.DisplayMode(), 0);
  EXPECT_EQ(w.UpScroll->text(), QStringLiteral("UP"));

  w.WorldButton->click();  // "WORLD"
  ASSERT_EQ(w.DisplayMode(), 2) << "the seeded system has at least one world";
  EXPECT_EQ(w.WorldButton->text(), QStringLiteral("SYSTEM"));
  EXPECT_TRUE(w.SystemMenuEditPlanetName->isEnabled());
  EXPECT_FALSE(rig.world->BodyClass(rig.world->CurrentStar, rig.world->CurrentOrbit, 0).empty());
  w.WorldButton->click();  // "SYSTEM"
  EXPECT_EQ(w.DisplayMode(), 0);
  EXPECT_EQ(w.WorldButton->text(), QStringLiteral("WORLD"));

  w.Panel->StarDateSlider->setValue(400);
  w.Panel->ViewZoomText->setText(QStringLiteral("8"));
  w.Panel->ManualExecute->click();
  bool closed = false;
  QObject::connect(&w, &SystemDisplay::Closed, [&] { closed = true; });
  w.SystemMenuFileExit->trigger();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.Panel->isVisible());
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(rig.world->StarCount, 0);
  EXPECT_EQ(rig.world->OrbitCount[1], 0);

  // A second entry shows an empty drawing area and "Control Panel" checked again.
  splash.SystemCreate->click();
  RecordingCanvas again;
  w.DrawScreen(again);
  EXPECT_TRUE(again.Calls().empty());
  EXPECT_TRUE(w.SystemMenuViewControlPanel->isChecked());
  // The panel starts afresh, as on its first appearance.
  EXPECT_EQ(w.Panel->StarDateSlider->value(), 0);
  EXPECT_EQ(w.Panel->ViewZoomText->text(), QStringLiteral("1.000"));
  EXPECT_EQ(w.View().ViewZoom, 1);
  w.close();
}

TEST(SystemDisplayTest, AutoSurveyFollowsGenerationAtOnce) {
  SystemWindowRig rig;
  rig.window.SystemMenuOptionsAutoSurvey->trigger();
  rig.window.JumpButton->click();  // JUMP in an ordinary system generates as Random does
  EXPECT_EQ(rig.world->SystemSurveyed, 1);
  EXPECT_FALSE(rig.window.SurveyButton->isEnabled());
  EXPECT_TRUE(rig.window.SystemMenuFileSaveAs->isEnabled());
}

class SurveyedPairTest : public testing::Test {
 protected:
  void SetUp() override {
    rig.GenerateAndSurvey();
    BuildPair(*rig.world);  // the window now shows the hand-made pair
  }
  void Scroll(QPushButton* button) { button->click(); }
  std::string Selection() const {
    return std::to_string(rig.world->CurrentStar) + "," + std::to_string(rig.world->CurrentOrbit) +
           "," + std::to_string(rig.world->CurrentBody);
  }
  SystemWindowRig rig;
};

TEST_F(SurveyedPairTest, ScrollingInTheWorldReadOutMovesThroughBodiesAndOrbits) {
  SystemDisplay& w = rig.window;
  w.WorldButton->click();  // the first world from the selection (1, 1) onward
  ASSERT_EQ(w.DisplayMode(), 2);
  EXPECT_EQ(Selection(), "1,1,0");
  Scroll(w.DownScroll);
  EXPECT_EQ(Selection(), "1,1,1");
  Scroll(w.DownScroll);
  Scroll(w.DownScroll);  // two moons: not beyond the last
  EXPECT_EQ(Selection(), "1,1,2");
  Scroll(w.UpScroll);
  Scroll(w.UpScroll);
  Scroll(w.UpScroll);  // not above the world itself
  EXPECT_EQ(Selection(), "1,1,0");

  Scroll(w.RightScroll);
  EXPECT_EQ(Selection(), "1,2,0");
  EXPECT_TRUE(w.ModeButton2->isEnabled());
  Scroll(w.RightScroll);
  EXPECT_EQ(Selection(), "2,1,0");
  EXPECT_FALSE(w.ModeButton2->isEnabled());  // a belt has no world view
  Scroll(w.RightScroll);                     // from the last world of the last star round to star 0
  EXPECT_EQ(Selection(), "0,1,0");
  Scroll(w.LeftScroll);  // and back over the stars the other way
  EXPECT_EQ(Selection(), "2,1,0");
  Scroll(w.LeftScroll);
  EXPECT_EQ(Selection(), "1,2,0");
  EXPECT_EQ(w.DisplayMode(), 2);

  RecordingCanvas report;
  w.DrawScreen(report);
  EXPECT_FALSE(report.Calls().empty());
}

TEST_F(SurveyedPairTest, ScrollingWithOnlyOneWorldFindsItAgainOrReturnsToTheList) {
  SystemDisplay& w = rig.window;
  World& world = *rig.world;
  world.OrbitCount = {0, 1, 0};
  world.MoonCount[1][1] = 0;
  w.WorldButton->click();
  ASSERT_EQ(w.DisplayMode(), 2);
  // Forward, the search finds the same world again; back, it returns to the list.
  Scroll(w.RightScroll);
  EXPECT_EQ(w.DisplayMode(), 2);
  EXPECT_EQ(world.CurrentStar, 1);
  EXPECT_EQ(world.CurrentOrbit, 1);
  Scroll(w.LeftScroll);
  EXPECT_EQ(w.DisplayMode(), 0);
}

TEST_F(SurveyedPairTest, ClickOnAGridCellSelectsItsWorld) {
  SystemDisplay& w = rig.window;
  // Star 1's row runs from y 50 to 66; orbit 2's column from x 15 to 21.
  const std::optional<SymbolicList::Cell> cell = SymbolicList::HitAt(18, 58);
  ASSERT_TRUE(cell.has_value());
  EXPECT_EQ(cell->star, 1);
  EXPECT_EQ(cell->orbit, 2);
  EXPECT_FALSE(SymbolicList::HitAt(7, 58));   // the star's own column
  EXPECT_FALSE(SymbolicList::HitAt(18, 30));  // the star read-out
  EXPECT_FALSE(SymbolicList::HitAt(18, 83));  // below the grid

  w.ClickAt(30, 58);  // orbit 4 of star 1 holds nothing
  EXPECT_EQ(w.DisplayMode(), 0);
  w.ClickAt(18, 58);
  EXPECT_EQ(w.DisplayMode(), 2);
  EXPECT_EQ(Selection(), "1,2,0");
  EXPECT_EQ(w.WorldButton->text(), QStringLiteral("SYSTEM"));
}

TEST_F(SurveyedPairTest, ClicksOnTheReadOutSelectOrbitsAndMoons) {
  SystemDisplay& w = rig.window;
  w.WorldButton->click();
  // The report's strip draws orbit o at x 65 + 2 o between y 1 and 9.
  w.ClickAt(69, 5);
  EXPECT_EQ(Selection(), "1,2,0");
  w.ClickAt(67, 5);
  EXPECT_EQ(Selection(), "1,1,0");
  // Moon b's line of the moon list starts at y 36 + 3 b.
  w.ClickAt(50, 43);
  EXPECT_EQ(Selection(), "1,1,2");
  w.ClickAt(30, 5);  // beside the strip: back to the list
  EXPECT_EQ(w.DisplayMode(), 0);
}

TEST_F(SurveyedPairTest, GraphicalScrollsZoomAndPan) {
  SystemDisplay& w = rig.window;
  w.ModeButton2->click();
  ASSERT_EQ(w.DisplayMode(), 1);
  Scroll(w.DownScroll);  // "IN" doubles
  EXPECT_FLOAT_EQ(w.View().ViewZoom, 2);
  Scroll(w.UpScroll);  // "OUT" halves
  Scroll(w.UpScroll);
  EXPECT_FLOAT_EQ(w.View().ViewZoom, 0.5f);
  Scroll(w.LeftScroll);  // pan by 1 / zoom
  EXPECT_FLOAT_EQ(w.View().ViewPanX, 2);
  w.ClickAt(40, 70);  // re-centre: (50 - x) / zoom, (50 - y) / zoom
  EXPECT_FLOAT_EQ(w.View().ViewPanX, 22);
  EXPECT_FLOAT_EQ(w.View().ViewPanY, -40);
  RecordingCanvas view;
  w.DrawScreen(view);
  EXPECT_FALSE(view.Calls().empty());
}

TEST_F(SurveyedPairTest, GraphicalWorldViewAndBackToTheReadOut) {
  SystemDisplay& w = rig.window;
  w.WorldButton->click();
  w.View().ViewZoom = 4;
  w.ModeButton2->click();  // mode 3, reached for the first time: the view is reset
  ASSERT_EQ(w.DisplayMode(), 3);
  EXPECT_FLOAT_EQ(w.View().ViewZoom, 1);
  EXPECT_EQ(w.WorldButton->text(), QStringLiteral("SYSTEM"));
  EXPECT_FALSE(w.WorldButton->isEnabled());
  EXPECT_TRUE(w.SystemMenuEditPlanetName->isEnabled());
  w.View().ViewZoom = 4;
  w.ModeButton->click();  // "Symbolic": the world read-out again
  EXPECT_EQ(w.DisplayMode(), 2);
  // The way back set the previous mode to 2, so the graphical view starts afresh again.
  w.ModeButton2->click();
  EXPECT_EQ(w.DisplayMode(), 3);
  EXPECT_FLOAT_EQ(w.View().ViewZoom, 1);
  RecordingCanvas view;
  w.DrawScreen(view);
  EXPECT_FALSE(view.Calls().empty());
}

TEST_F(SurveyedPairTest, ViewMenuKeepsMoonItemsUnderPlanets) {
  SystemDisplay& w = rig.window;
  w.SystemMenuViewPlanets->trigger();  // unchecking Planets unchecks both moon items
  EXPECT_FALSE(w.View().ShowPlanets);
  EXPECT_FALSE(w.SystemMenuViewMoonOrbits->isChecked());
  EXPECT_FALSE(w.View().ShowMoonPositions);
  w.SystemMenuViewMoonOrbits->trigger();  // a moon item checks Planets again
  EXPECT_TRUE(w.SystemMenuViewPlanets->isChecked());
  EXPECT_TRUE(w.View().ShowMoonOrbits);
  EXPECT_FALSE(w.View().ShowMoonPositions);
  w.show();
  w.SystemMenuViewControlPanel->setChecked(false);
  w.SystemMenuViewControlPanel->trigger();  // checked: the panel shows
  EXPECT_TRUE(w.Panel->isVisible());
  w.SystemMenuViewControlPanel->trigger();
  EXPECT_FALSE(w.Panel->isVisible());
  w.SystemMenuViewControlPanel->trigger();
  w.Panel->close();  // closed with its own frame: the check mark follows
  EXPECT_FALSE(w.SystemMenuViewControlPanel->isChecked());
  w.close();
}

TEST(SystemDisplayTest, ResizingSetsTheAspect) {
  SystemWindowRig rig;
  rig.window.show();
  rig.window.resize(900, 500);
  const SysDisScreen* screen = rig.window.Screen;
  ASSERT_GT(screen->height(), 0);
  EXPECT_DOUBLE_EQ(rig.window.View().ViewAspect,
                   static_cast<double>(screen->width()) / screen->height());
  rig.window.close();
}

}  // namespace
}  // namespace ax
