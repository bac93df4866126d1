#include <QProcess>
#include <QRegularExpression>
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

// The start form's title and both programs' --version give the one version; the desktop
// program answers without a display (none is named here) and exits.
TEST(StartFormTest, EveryPlaceGivesTheOneVersion) {
  const QString version = QLatin1String(kVersion);
  ASSERT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(version).hasMatch());
  EXPECT_EQ(StartForm().windowTitle(), QStringLiteral("Astrolattix Version ") + version);
  const test::CliRun cli = test::Cli({"--version"});
  EXPECT_EQ(cli.status, 0);
  EXPECT_EQ(QString::fromStdString(cli.out), QStringLiteral("astrolattix-cli %1\n").arg(version));
  QProcess desktop;
  QProcessEnvironment bare;
  desktop.setProcessEnvironment(bare);
  desktop.start(QStringLiteral(AX_DESKTOP_PROGRAM), {QStringLiteral("--version")});
  ASSERT_TRUE(desktop.waitForFinished(10000));
  EXPECT_EQ(desktop.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(desktop.exitCode(), 0);
  EXPECT_EQ(QString::fromLatin1(desktop.readAllStandardOutput()),
            QStringLiteral("astrolattix %1\n").arg(version));
}

}  // namespace
}  // namespace ax
