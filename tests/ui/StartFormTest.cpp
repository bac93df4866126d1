#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include "cli/CliRun.h"
#include "model/Version.h"
#include "support/FileBytes.h"
#include "ui/StartForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

TEST(StartFormTest, ExitEndsTheProgramWhateverOtherWindowsAreOpen) {
  QWidget other;  // stands for a help or cluster window still open
  other.show();
  StartForm form;
  form.show();
  QTimer::singleShot(0, [&form] { Child<QPushButton>(form, "ExitButton")->click(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // gives up: not ended
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(form.isVisible());
}

// The start form's title and both programs' --version agree; the desktop's needs no display.
TEST(StartFormTest, EveryPlaceGivesTheOneVersion) {
  const std::string version = kVersion;
  EXPECT_EQ(StartForm().windowTitle().toStdString(), "Astrolattix Version " + version);
  EXPECT_EQ(test::Cli({"--version"}).out, "astrolattix-cli " + version + "\n");
  QProcess desktop;
  desktop.setProcessEnvironment(QProcessEnvironment());
  desktop.start(QStringLiteral(AX_DESKTOP_PROGRAM), {QStringLiteral("--version")});
  EXPECT_TRUE(desktop.waitForFinished(10000) && desktop.exitCode() == 0);
  EXPECT_EQ(desktop.readAllStandardOutput().toStdString(), "astrolattix " + version + "\n");
}

// "astrolattix FILE", as a file manager's double-click starts it: each file in its own window,
// and one that is no system file said so over the system window.
TEST(StartFormTest, AFileNamedOnTheCommandLineOpensInItsWindow) {
  test::TemporaryCurrentDir folder;
  ASSERT_EQ(test::Cli({"system", "--seed", "1", "--out", "sol.ax2"}).status, 0);
  ASSERT_EQ(test::Cli({"cluster", "--size", "4", "--density", "2", "--seed", "1"}).status, 0);
  QFile::copy(folder.Path("sol.ax2"), folder.Path("AX010203.C01"));  // a cluster star's kept one
  test::PutFile("notes.txt", std::string(300, 'x'));
  // The file, the system or cluster the window then shows, and the box over the system window.
  const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {"sol.ax2", "Sol", "", ""},
      {"AX010203.C01", "Sol", "", ""},
      {"C01.AXL", "", "Cluster C01", ""},
      {"notes.txt", "", "", "Could not open notes.txt. It is not an Astrolattix system file."},
  };
  for (const auto& [file, system, cluster, boxed] : rows) {
    test::SystemWindowRig rig;
    ClusterDisplay clusterWindow(*rig.world, rig.random, rig.handoff);
    StartForm start;
    start.AttachSystemWindow(&rig.window);
    start.AttachClusterWindow(&clusterWindow);
    start.OpenFile(folder.Path(file));
    EXPECT_FALSE(start.isVisible()) << file;
    EXPECT_EQ(rig.window.isVisible(), *cluster == '\0') << file;
    EXPECT_EQ(rig.world->SystemName, system) << file;
    EXPECT_EQ(clusterWindow.isVisible() ? clusterWindow.windowTitle().toStdString() : "", cluster);
    const auto* box = rig.window.findChild<QMessageBox*>(QStringLiteral("FileErrorBox"));
    EXPECT_EQ(box && box->isVisible() ? box->text().toStdString() : "", boxed) << file;
  }
}

// At their smallest, the windows and forms show every button's and label's caption whole.
TEST(StartFormTest, EveryCaptionFitsAtTheSmallestSize) {
  test::SystemWindowRig rig;
  ClusterDisplay cluster(*rig.world, rig.random, rig.handoff);
  StartForm start;
  rig.window.Enter();
  rig.GenerateAndSurvey();
  rig.Button("WorldButton")->click();  // the longer captions of the world read-out
  rig.Item("SystemMenuEditSystemName")->trigger();
  QWidget* const windows[] = {&start, &rig.window, Child<QWidget>(rig.window, "ControlPanel"),
                              Child<QWidget>(rig.window, "NamingForm"),
                              &cluster, Child<QWidget>(cluster, "ClusterGeneration")};
  for (QWidget* window : windows) {
    window->show();
    window->resize(1, 1);  // held at its layout's minimum
    QCoreApplication::processEvents();
    for (const QPushButton* button : window->findChildren<QPushButton*>()) {
      if (button->window() != window || !button->isVisible()) continue;
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      const QRect room =
          button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), room.width())
          << button->objectName().toStdString() << " at " << window->width();
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
      if (label->window() != window || !label->isVisible() || label->wordWrap()) continue;
      QString shown = label->text();
      if (label->buddy() != nullptr) shown.remove(QLatin1Char('&'));  // the mnemonic's mark
      EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width())
          << label->text().toStdString();
    }
  }
}

}  // namespace
}  // namespace ax
