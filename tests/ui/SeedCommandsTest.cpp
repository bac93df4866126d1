// Seeds in the windows: the same seed makes the same system and cluster as the command line,
// and the seed dialog takes only seeds.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QTimer>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cli/WorldJson.h"
#include "ui/ClusterDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

// What the command line prints, after checking that it ran.
std::string Cli(std::vector<std::string> args) {
  const test::CliRun run = test::Cli(std::move(args));
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

std::string WindowJson(const World& world) {
  return WorldToJson(world).dump() + '\n';
}

TEST(SeedCommandsTest, TheSameSeedMakesTheSameSystemInTheWindowAndOnTheCommandLine) {
  test::SystemWindowRig rig;
  auto* label = Child<QLabel>(rig.window, "SeedLabel");
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  rig.Item("SystemMenuGenerateRandom")->trigger();  // a fresh seed, shown in the status bar
  ASSERT_TRUE(rig.window.Seed().has_value());
  const std::string seed = std::to_string(*rig.window.Seed());
  EXPECT_EQ(label->text().toStdString(), "Seed: " + seed);
  EXPECT_EQ(WindowJson(*rig.world), Cli({"system", "--seed", seed, "--json"}));

  // Typed into the dialog and surveyed later: the survey continues the seeded source.
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(false);
  const auto type = [&rig](const char* text) {
    QTimer::singleShot(0, &rig.window, [&rig, text] {
      auto* dialog = rig.window.findChild<QInputDialog*>(QStringLiteral("SeedDialog"));
      dialog->setTextValue(QString::fromLatin1(text));
      dialog->accept();
    });
    rig.Item("SystemMenuGenerateFromSeed")->trigger();
  };
  const std::string largest = "18446744073709551615";  // 2^64 - 1
  type(" 18446744073709551615 ");
  EXPECT_EQ(WindowJson(*rig.world), Cli({"system", "--seed", largest, "--no-survey", "--json"}));
  rig.Button("SurveyButton")->click();
  EXPECT_EQ(WindowJson(*rig.world), Cli({"system", "--seed", largest, "--json"}));
  EXPECT_EQ(label->text().toStdString(), "Seed: " + largest);
  const std::string made = WindowJson(*rig.world);
  type("18446744073709551616");  // one too many: refused, and said so
  EXPECT_EQ(WindowJson(*rig.world), made);
  EXPECT_TRUE(rig.Status().startsWith(QStringLiteral("Not a seed: \"18446744073709551616\"")));

  // The seed goes into the note; a system from a form is not seed-made.
  rig.Item("SystemMenuEditSeedInNote")->trigger();
  EXPECT_EQ(rig.world->SystemNote, "Seed: " + largest);
  rig.window.SystemGenerated();
  EXPECT_TRUE(label->text().isEmpty());
  EXPECT_FALSE(rig.Item("SystemMenuEditSeedInNote")->isEnabled());
}

TEST(SeedCommandsTest, TheClusterWindowsSeedRemakesTheCommandLinesClusterFile) {
  test::TemporaryCurrentDir folder;
  auto world = std::make_unique<World>();
  Random random(5);
  ClusterHandoff handoff(*world);
  ClusterDisplay cluster(*world, random, handoff);
  cluster.StartGeneration({6, 2, ClusterShape::Sphere});
  QElapsedTimer timer;
  timer.start();
  while (cluster.Generating() && timer.elapsed() < 20000) QCoreApplication::processEvents();
  ASSERT_TRUE(cluster.Seed().has_value());
  const std::string seed = std::to_string(*cluster.Seed());
  EXPECT_EQ(Child<QLabel>(cluster, "ClusterSeedLabel")->text().toStdString(), "Seed: " + seed);
  Cli({"cluster", "--size", "6", "--density", "2", "--shape", "sphere", "--dir",
       folder.Path("cli").toStdString(), "--seed", seed});
  QFile made(folder.Path("C01.AXL"));
  QFile remade(folder.Path("cli/C01.AXL"));
  ASSERT_TRUE(made.open(QIODevice::ReadOnly) && remade.open(QIODevice::ReadOnly));
  const QByteArray bytes = made.readAll();
  EXPECT_GT(bytes.size(), 0);
  EXPECT_EQ(bytes, remade.readAll());
}

}  // namespace
}  // namespace ax
