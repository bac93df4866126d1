// Seeds in the windows: the same seed makes the same system and cluster as the command line,
// and the seed dialog takes only seeds.

#include <gtest/gtest.h>

#include <QInputDialog>
#include <QLabel>

#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cli/WorldJson.h"
#include "support/FileBytes.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

// What the command line prints, after checking that it ran.
std::string Cli(std::vector<std::string> args) {
  const test::CliRun run = test::Cli(std::move(args));
  EXPECT_EQ(run.status, 0) << run.err;
  return run.out;
}

std::string Json(const World& world) {
  return WorldToJson(world).dump() + '\n';
}

TEST(SeedCommandsTest, TheWindowMakesTheCommandLinesSystemAndTakesOnlySeeds) {
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
  };
  const std::string largest = "18446744073709551615";  // 2^64 - 1
  fromSeed(" 18446744073709551615 ");
  EXPECT_EQ(Json(*rig.world), Cli({"system", "--seed", largest, "--no-survey", "--json"}));
  // Surveyed later, the survey goes on with the seeded source.
  rig.Button("SurveyButton")->click();
  EXPECT_EQ(Json(*rig.world), Cli({"system", "--seed", largest, "--json"}));
  EXPECT_EQ(test::Child<QLabel>(rig.window, "SeedLabel")->text().toStdString(), "Seed: " + largest);

  // Whatever is not a whole number that fits is refused and said so; the system stays.
  const std::string made = Json(*rig.world);
  for (const char* typed : {"18446744073709551616", "-1", "12.5", "0x10", "seven", "  ",
                            static_cast<const char*>(nullptr)}) {
    fromSeed(typed);
    EXPECT_EQ(Json(*rig.world), made) << typed;
    const QString said =
        typed == nullptr
            ? QString()  // cancelled: nothing is said
            : QStringLiteral("Not a seed: \"%1\". ").arg(QString::fromLatin1(typed).trimmed());
    EXPECT_EQ(rig.Status().left(said.size()), said) << rig.Status().toStdString();
    EXPECT_EQ(rig.Status().isEmpty(), said.isEmpty());
  }
}

TEST(SeedCommandsTest, TheClusterWindowsSeedRemakesTheCommandLinesClusterFile) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  ClusterDisplay cluster(*rig.world, rig.random, rig.handoff);
  cluster.StartGeneration({6, 2, ClusterShape::Sphere});
  ASSERT_TRUE(test::FinishGeneration(cluster));
  ASSERT_TRUE(cluster.Seed().has_value());
  const std::string seed = std::to_string(*cluster.Seed());
  EXPECT_EQ(test::Child<QLabel>(cluster, "ClusterSeedLabel")->text().toStdString(),
            "Seed: " + seed);
  Cli({"cluster", "--size", "6", "--density", "2", "--shape", "sphere", "--dir", "cli", "--seed",
       seed});
  const std::string made = test::FileBytes("C01.AXL");
  EXPECT_FALSE(made.empty());
  EXPECT_EQ(made, test::FileBytes("cli/C01.AXL"));
}

}  // namespace
}  // namespace ax
