#include <QProcess>
#include <QTimer>

#include "cli/CliRun.h"
#include "model/Version.h"
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

}  // namespace
}  // namespace ax
