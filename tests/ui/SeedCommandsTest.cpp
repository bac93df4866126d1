#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cli/WorldJson.h"
#include "ui/ClusterDisplay.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::SystemWindowRig;
using test::TemporaryCurrentDir;

constexpr std::uint64_t kLargestSeed = 18446744073709551615ULL;  // 2^64 - 1

// What the command line prints, after checking that it ran.
std::string Cli(std::vector<std::string> args) {
  const test::CliRun run = test::Cli(std::move(args));
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

std::string WindowJson(const World& world) {
  return WorldToJson(world).dump() + '\n';
}

// Answers the seed dialog with this text once it shows.
void TypeSeed(SystemDisplay& window, const QString& text) {
  QTimer::singleShot(0, &window, [&window, text] {
    if (auto* dialog = window.findChild<QInputDialog*>(QStringLiteral("SeedDialog"))) {
      dialog->setTextValue(text);
      dialog->accept();
    }
  });
  test::Child<QAction>(window, "SystemMenuGenerateFromSeed")->trigger();
}

TEST(SeedCommandsTest, TheSameSeedMakesTheSameSystemInTheWindowAndOnTheCommandLine) {
  SystemWindowRig rig;
  // Generate, Random with the survey at once: a fresh seed, shown in the status bar.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  rig.Item("SystemMenuGenerateRandom")->trigger();
  ASSERT_TRUE(rig.window.Seed().has_value());
  const std::uint64_t seed = *rig.window.Seed();
  EXPECT_EQ(test::Child<QLabel>(rig.window, "SeedLabel")->text(), QStringLiteral("Seed: %1").arg(seed));
  EXPECT_EQ(WindowJson(*rig.world), Cli({"system", "--seed", std::to_string(seed), "--json"}));
  rig.Item("SystemMenuGenerateRandom")->trigger();
  EXPECT_NE(rig.window.Seed(), seed);

  // From Seed, surveyed later with the SURVEY button: the survey continues the seeded source.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(false);
  rig.window.AskSeed = [] { return std::optional<std::uint64_t>(kLargestSeed); };
  rig.Item("SystemMenuGenerateFromSeed")->trigger();
  EXPECT_EQ(WindowJson(*rig.world),
            Cli({"system", "--seed", std::to_string(kLargestSeed), "--no-survey", "--json"}));
  rig.Button("SurveyButton")->click();
  EXPECT_EQ(WindowJson(*rig.world),
            Cli({"system", "--seed", std::to_string(kLargestSeed), "--json"}));
  EXPECT_EQ(test::Child<QLabel>(rig.window, "SeedLabel")->text(), QStringLiteral("Seed: 18446744073709551615"));

  // A system from a form is not seed-made.
  rig.window.SystemGenerated();
  EXPECT_FALSE(rig.window.Seed().has_value());
  EXPECT_TRUE(test::Child<QLabel>(rig.window, "SeedLabel")->text().isEmpty());
  EXPECT_FALSE(rig.Item("SystemMenuEditSeedInNote")->isEnabled());
}

TEST(SeedCommandsTest, OnlyAWholeNumberWithinSixtyFourBitsIsTakenAsASeed) {
  SystemWindowRig rig;
  TypeSeed(rig.window, QStringLiteral(" 42 "));
  ASSERT_EQ(rig.window.Seed(), 42u);
  const std::string made = WindowJson(*rig.world);
  for (const char* bad : {"12x", "18446744073709551616"}) {
    rig.window.statusBar()->clearMessage();
    TypeSeed(rig.window, QString::fromLatin1(bad));
    EXPECT_EQ(rig.window.Seed(), 42u) << bad;
    EXPECT_TRUE(rig.Status().startsWith(QStringLiteral("Not a seed")))
        << bad;
  }
  EXPECT_EQ(WindowJson(*rig.world), made);
  TypeSeed(rig.window, QStringLiteral("18446744073709551615"));
  EXPECT_EQ(rig.window.Seed(), kLargestSeed);

  // A cluster star's system: the Generate menu and From Seed are off.
  rig.world->ClusterMode = 1;
  rig.window.EnterClusterStar(false, "C01");
  EXPECT_FALSE(rig.Item("SystemMenuGenerateFromSeed")->isEnabled());
  int asked = 0;
  rig.window.AskSeed = [&asked] {
    ++asked;
    return std::optional<std::uint64_t>(1);
  };
  rig.window.GenerateFromSeed();
  EXPECT_EQ(asked, 0);
}

TEST(SeedCommandsTest, TheNoteGetsTheSeedOnlyWhenAsked) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.window.AskSeed = [] { return std::optional<std::uint64_t>(1234); };
  rig.Item("SystemMenuGenerateFromSeed")->trigger();
  rig.Button("SurveyButton")->click();
  EXPECT_EQ(rig.world->SystemNote, "");
  rig.world->SystemNote = "Found by the second probe";
  ASSERT_TRUE(rig.Item("SystemMenuEditSeedInNote")->isEnabled());
  rig.Item("SystemMenuEditSeedInNote")->trigger();
  rig.Item("SystemMenuEditSeedInNote")->trigger();  // once is enough
  EXPECT_EQ(rig.world->SystemNote, "Found by the second probe\nSeed: 1234");

  // Saved and read back, the note keeps the seed; the system read is no longer seed-made.
  rig.NextFile = folder.Path("probe.ax2");
  rig.Item("SystemMenuFileSaveAs")->trigger();
  rig.Item("SystemMenuGenerateRandom")->trigger();
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_EQ(rig.world->SystemNote, "Found by the second probe\nSeed: 1234");
  EXPECT_FALSE(rig.window.Seed().has_value());
  EXPECT_FALSE(rig.Item("SystemMenuEditSeedInNote")->isEnabled());
}

TEST(SeedCommandsTest, TheClusterWindowsSeedRemakesTheCommandLinesClusterFile) {
  TemporaryCurrentDir folder;
  auto world = std::make_unique<World>();
  Random random(5);
  ClusterHandoff handoff(*world);
  ClusterDisplay cluster(*world, random, handoff);
  cluster.StartGeneration({6, 2, ClusterShape::Sphere});
  QElapsedTimer timer;
  timer.start();
  while (cluster.Generating() && timer.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  ASSERT_FALSE(cluster.Generating());
  ASSERT_TRUE(cluster.Seed().has_value());
  EXPECT_EQ(test::Child<QLabel>(cluster, "ClusterSeedLabel")->text(), QStringLiteral("Seed: %1").arg(*cluster.Seed()));

  const std::string dir = folder.Path("cli").toStdString();
  Cli({"cluster", "--size", "6", "--density", "2", "--shape", "sphere", "--dir", dir, "--seed",
       std::to_string(*cluster.Seed())});
  QFile made(folder.Path("C01.AXL"));
  QFile remade(folder.Path("cli/C01.AXL"));
  ASSERT_TRUE(made.open(QIODevice::ReadOnly));
  ASSERT_TRUE(remade.open(QIODevice::ReadOnly));
  const QByteArray bytes = made.readAll();
  EXPECT_GT(bytes.size(), 0);
  EXPECT_EQ(bytes, remade.readAll());
}

}  // namespace
}  // namespace ax
