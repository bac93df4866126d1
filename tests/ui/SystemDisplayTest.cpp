// The system window's files and seeds: files that cannot be used leave the system shown and say
// why, Open Recent lists the files saved and opened, the seed dialog takes only seeds, and a
// seed makes the system the command line makes.

#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cli/CliRun.h"
#include "cli/WorldJson.h"
#include "io/SystemFile.h"
#include "model/Version.h"
#include "support/FileBytes.h"
#include "ui/Settings.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

TEST(SystemDisplayTest, FilesThatCannotBeUsedLeaveTheSystemShownAndSayWhy) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("sol");  // typed without its extension
  rig.Item("SystemMenuFileSaveAs")->trigger();
  const std::string saved = test::FileBytes("sol.ax2");
  ASSERT_EQ(saved, EncodeSystem(*rig.world));
  rig.GenerateAndSurvey();  // unnamed: a failed Save As must not name it after the file
  const std::string shown = EncodeSystem(*rig.world);

  test::PutFile("bad.ax2", saved.substr(0, 100));
  test::PutFile("empty.ax2", "");
  test::PutFile("text.ax2", "not a system\n");
  std::filesystem::create_directory("folder.ax2");
  // The command, the file dialog's answer, what the status bar then says and how the box
  // over the window begins.
  const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {"SystemMenuFileOpen", "", "", ""},  // cancelled: nothing is said
      {"SystemMenuFileOpen", "bad.ax2", "Could not open bad.ax2: ",
       "Could not open bad.ax2. It is not a complete Astrolattix system file: it ends after 100 "
       "bytes."},
      {"SystemMenuFileOpen", "empty.ax2",
       "Could not open empty.ax2: ", "Could not open empty.ax2. It is empty."},
      {"SystemMenuFileOpen", "text.ax2", "Could not open text.ax2: ",
       "Could not open text.ax2. It is not an Astrolattix system file."},
      {"SystemMenuFileOpen", "folder.ax2",
       "Could not open folder.ax2: ", "Could not open folder.ax2. It is a folder, not a file."},
      {"SystemMenuFileOpen", "missing.ax2",
       "Could not open missing.ax2: ", "Could not open missing.ax2. There is no such file."},
      {"SystemMenuFileSaveAs", "missing/x.ax2",
       "Could not save x.ax2: ", "Could not save x.ax2. It cannot be written there"},
  };
  for (const auto& [item, answer, said, boxed] : rows) {
    rig.window.statusBar()->clearMessage();
    if (auto* box = rig.window.findChild<QMessageBox*>(QStringLiteral("FileErrorBox"))) box->hide();
    rig.NextFile = *answer == '\0' ? QString() : folder.Path(answer);
    rig.Item(item)->trigger();
    EXPECT_TRUE(EncodeSystem(*rig.world) == shown) << answer;
    EXPECT_EQ(rig.Status().toStdString().rfind(said, 0), 0U) << rig.Status().toStdString();
    EXPECT_EQ(rig.Status().isEmpty(), *said == '\0') << answer;
    const auto* box = rig.window.findChild<QMessageBox*>(QStringLiteral("FileErrorBox"));
    const std::string boxText = box && box->isVisible() ? box->text().toStdString() : "";
    EXPECT_EQ(boxText.rfind(boxed, 0), 0U) << boxText;
    EXPECT_EQ(boxText.empty(), *boxed == '\0') << answer;
  }
  EXPECT_FALSE(QFile::exists(folder.Path("missing")));

  rig.NextFile = folder.Path("sol.ax2");
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_TRUE(EncodeSystem(*rig.world) == saved);
  EXPECT_TRUE(rig.Status().isEmpty());
}

TEST(SystemDisplayTest, OpenRecentListsTheLatestFileFirstAndDropsMissingOnes) {
  test::TemporaryCurrentDir folder;
  Settings settings(folder.Path("settings.ini"));
  test::SystemWindowRig rig;
  rig.window.UseSettings(settings);
  const QString a = folder.Path("a.ax2");
  const QString b = folder.Path("b.ax2");
  std::string saved;
  for (const QString& file : {a, b}) {
    rig.GenerateAndSurvey();
    rig.NextFile = file;
    rig.Item("SystemMenuFileSaveAs")->trigger();
    if (saved.empty()) saved = EncodeSystem(*rig.world);
  }
  EXPECT_EQ(settings.RecentFiles(), QStringList({b, a}));
  QMenu* recent = test::Child<QMenu>(rig.window, "SystemMenuFileOpenRecent");
  recent->actions()[1]->trigger();
  EXPECT_TRUE(EncodeSystem(*rig.world) == saved);
  EXPECT_EQ(settings.RecentFiles(), QStringList({a, b}));
  ASSERT_TRUE(QFile::remove(b));
  recent->actions()[1]->trigger();
  EXPECT_TRUE(EncodeSystem(*rig.world) == saved);
  EXPECT_TRUE(rig.Status().contains(QStringLiteral("no longer there")));
  EXPECT_EQ(settings.RecentFiles(), QStringList({a}));
}

TEST(SystemDisplayTest, TheWindowMakesTheCommandLinesSystemAndTakesOnlySeeds) {
  test::SystemWindowRig rig;
  // From Seed..., with this typed into the dialog and OK pressed, or cancelled on null.
  const auto fromSeed = [&rig](const char* typed) {
    rig.window.statusBar()->clearMessage();
    QTimer::singleShot(0, &rig.window, [&rig, typed] {
      auto* dialog = rig.window.findChild<QInputDialog*>(QStringLiteral("SeedDialog"));
      ASSERT_NE(dialog, nullptr);
      dialog->setTextValue(QString::fromLatin1(typed));
      typed == nullptr ? dialog->reject() : dialog->accept();
    });
    rig.Item("SystemMenuGenerateFromSeed")->trigger();
    return WorldToJson(*rig.world).dump() + '\n';
  };
  const auto cli = [](const std::vector<std::string>& args) { return test::Cli(args).out; };
  const std::string largest = "18446744073709551615";  // 2^64 - 1
  EXPECT_EQ(fromSeed(" 18446744073709551615 "),
            cli({"system", "--seed", largest, "--no-survey", "--json"}));
  // Surveyed later, the survey goes on with the seeded source.
  rig.Button("SurveyButton")->click();
  const std::string made = WorldToJson(*rig.world).dump() + '\n';
  EXPECT_EQ(made, cli({"system", "--seed", largest, "--json"}));
  EXPECT_EQ(test::Child<QLabel>(rig.window, "SeedLabel")->text().toStdString(), "Seed: " + largest);

  // Whatever is not a whole number that fits is refused and said so; the system stays.
  const std::pair<const char*, const char*> refused[] = {
      {"18446744073709551616", "Not a seed: \"18446744073709551616\". "},
      {" -1 ", "Not a seed: \"-1\". "},
      {"0x10", "Not a seed: \"0x10\". "},
      {"", "Not a seed: \"\". "},
      {nullptr, ""}};  // cancelled: nothing is said
  for (const auto& [typed, said] : refused) {
    EXPECT_EQ(fromSeed(typed), made) << typed;
    EXPECT_EQ(rig.Status().toStdString().rfind(said, 0), 0U) << rig.Status().toStdString();
    EXPECT_EQ(rig.Status().isEmpty(), *said == '\0');
  }
}

// Reroll, lock, a refused and an accepted Edit World, and Remove are steps of their own; undone
// they give back the saved bytes exactly, and Ctrl+Z undoes them before it means Undo System.
TEST(SystemDisplayTest, WorldEditsAreStepsThatUndoBackToTheSystemsBytes) {
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.Button("WorldButton")->click();
  for (int step = 0; step < 20 && IsBelt(rig.world->BodyClass(rig.world->CurrentStar,
                                                              rig.world->CurrentOrbit, 0));
       ++step) {
    rig.Button("RightScroll")->click();
  }
  const int s = rig.world->CurrentStar, o = rig.world->CurrentOrbit;
  ASSERT_FALSE(IsBelt(rig.world->BodyClass(s, o, 0)));
  const std::string original = EncodeSystem(*rig.world);
  const QKeySequence ctrlZ(Qt::CTRL | Qt::Key_Z);
  EXPECT_EQ(rig.Item("SystemMenuEditUndoSystem")->shortcut(), ctrlZ);

  rig.Item("SystemMenuEditRerollWorld")->trigger();
  EXPECT_TRUE(rig.Status().startsWith(
      QStringLiteral("Rerolled the world of orbit %1 of star %2 from seed ").arg(o).arg(s)))
      << rig.Status().toStdString();
  EXPECT_EQ(rig.Item("SystemMenuEditUndo")->text(), QStringLiteral("&Undo Reroll World"));
  EXPECT_EQ(rig.Item("SystemMenuEditUndo")->shortcut(), ctrlZ);
  EXPECT_TRUE(rig.Item("SystemMenuEditUndoSystem")->shortcut().isEmpty());
  rig.Item("SystemMenuEditLockWorld")->trigger();
  EXPECT_TRUE(rig.Item("SystemMenuEditLockWorld")->isChecked());
  const std::string locked = EncodeSystem(*rig.world);
  rig.Item("SystemMenuEditRerollWorld")->trigger();
  EXPECT_EQ(rig.Status(),
            QStringLiteral("The world of orbit %1 of star %2 is locked").arg(o).arg(s));
  EXPECT_EQ(EncodeSystem(*rig.world), locked);

  rig.Item("SystemMenuEditEditWorld")->trigger();
  auto* form = test::Child<QDialog>(rig.window, "EditWorldForm");
  auto* eccentricity = test::Child<QLineEdit>(*form, "EditWorldBodyEccentricityText");
  eccentricity->setText(QStringLiteral("2"));
  test::Child<QPushButton>(*form, "EditWorldOk")->click();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(eccentricity->text(), QStringLiteral("******"));
  EXPECT_EQ(test::Child<QLabel>(*form, "EditWorldStatus")->text(),
            QStringLiteral("Eccentricity must be 0 to 0.95"));
  EXPECT_EQ(EncodeSystem(*rig.world), locked);
  eccentricity->setText(QStringLiteral("0.125"));
  test::Child<QPushButton>(*form, "EditWorldOk")->click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(rig.world->BodyEccentricity(s, o, 0), 0.125);
  rig.Item("SystemMenuEditRemoveWorld")->trigger();
  EXPECT_TRUE(rig.world->BodyClass(s, o, 0).empty());
  EXPECT_TRUE(rig.Item("SystemMenuEditAddWorld")->isEnabled());
  const std::string removed = EncodeSystem(*rig.world);

  for (int step = 0; step < 4; ++step) rig.Item("SystemMenuEditUndo")->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), original);
  EXPECT_FALSE(rig.Item("SystemMenuEditLockWorld")->isChecked());
  EXPECT_EQ(rig.Item("SystemMenuEditUndoSystem")->shortcut(), ctrlZ);
  for (int step = 0; step < 4; ++step) rig.Item("SystemMenuEditRedo")->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), removed);
}

// Each switch into the system view starts fitted, and View, Fit fits again; with Fit New Views
// off a new view starts at zoom 1.
TEST(SystemDisplayTest, GraphicalViewsStartFittedUnlessTheOptionIsOff) {
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  auto* zoom = test::Child<QLineEdit>(rig.window, "ViewZoomText");
  rig.Button("ModeButton2")->click();
  const QString fitted = zoom->text();
  EXPECT_NE(fitted, "1.000");
  rig.Button("UpScroll")->click();  // zooms in
  rig.Item("SystemMenuViewFit")->trigger();
  EXPECT_EQ(zoom->text(), fitted);
  rig.Item("SystemMenuOptionsFitNewViews")->trigger();
  rig.Button("ModeButton")->click();
  rig.Button("ModeButton2")->click();
  EXPECT_EQ(zoom->text(), "1.000");
}

// Export Report writes the format its name's extension gives, Markdown for any other name; a
// report that cannot be saved says so and leaves no file.
TEST(SystemDisplayTest, ExportReportWritesTheFormatItsNameGives) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  for (const auto& [name, written, start] :
       std::vector<std::tuple<const char*, const char*, const char*>>{
           {"d.pdf", "d.pdf", "%PDF-"},
           {"d.html", "d.html", "<!DOCTYPE html>"},
           {"d", "d.md", "# "}}) {
    rig.NextFile = folder.Path(name);
    rig.Item("SystemMenuFileExportReport")->trigger();
    EXPECT_EQ(test::FileBytes(folder.Path(written).toStdString()).rfind(start, 0), 0u) << name;
    EXPECT_EQ(rig.Status(), QStringLiteral("Report exported to ") + written);
  }
  EXPECT_TRUE(rig.lastRequest.filter.contains("*.pdf"));
  rig.NextFile = folder.Path("missing/d.pdf");
  rig.Item("SystemMenuFileExportReport")->trigger();
  EXPECT_TRUE(rig.Status().contains("d.pdf")) << rig.Status().toStdString();
  EXPECT_FALSE(QFile::exists(rig.NextFile));
}

// Empty, the window says mid-view how to start; its forms, help and About open centred over it.
TEST(SystemDisplayTest, TheEmptyWindowGuidesAndItsFormsOpenOverIt) {
  test::SystemWindowRig rig;
  ClusterDisplay cluster(*rig.world, rig.random, rig.handoff);
  rig.window.setGeometry(0, 170, 480, 420);  // as small as it goes, and low on the screen
  rig.window.show();
  for (QWidget* view : {test::Child<QWidget>(rig.window, "SysDisScreen"),
                        test::Child<QWidget>(cluster, "ClusDisScreen")}) {
    const QImage sky = view->grab().toImage();
    EXPECT_NE(sky.copy(0, sky.height() * 2 / 5, sky.width(), sky.height() / 5),
              sky.copy(0, 0, sky.width(), sky.height() / 5));
  }
  QString about;
  // The menu item, and the object name of the window it opens; "" for the modal About box.
  for (const auto& [item, name] : {std::pair{"SystemMenuGenerateDeliberate", "DeliberateSystem"},
                                   {"SystemMenuHelpContents", "HelpPage"},
                                   {"SystemMenuHelpAbout", ""}}) {
    QTimer::singleShot(0, [&rig, &about, name = QString::fromLatin1(name)] {
      QWidget* opened =
          name.isEmpty() ? QApplication::activeModalWidget() : rig.window.findChild<QWidget*>(name);
      ASSERT_NE(opened, nullptr) << name.toStdString();
      if (auto* box = qobject_cast<QMessageBox*>(opened)) about = box->text();
      const QPoint off = opened->frameGeometry().center() - rig.window.frameGeometry().center();
      EXPECT_LE(off.manhattanLength(), 4) << name.toStdString();
      opened->close();
    });
    rig.Item(item)->trigger();  // a modal box is looked at from inside its own event loop
    QCoreApplication::processEvents();
  }
  EXPECT_TRUE(about.contains(QStringLiteral("Version %1<").arg(QLatin1String(kVersion))));
}

}  // namespace
}  // namespace ax
