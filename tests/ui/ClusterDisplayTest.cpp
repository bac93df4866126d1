#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "cluster/ClusterView.h"
#include "display/NumberPicture.h"
#include "io/ClusterFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/ClusterScreen.h"
#include "ui/ClusterDisplay.h"
#include "ui/ClusterGenerationForm.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using test::Child;

// The cluster window and the system window over one world, in a fresh current directory.
class ClusterDisplayTest : public testing::Test {
 protected:
  void SetUp() override {
    cluster.ChooseFile = [this](const FileDialogRequest&) { return nextFile; };
    cluster.Enter();
  }

  // Generates and waits for the worker to finish.
  void Generate(int size, int density, ClusterShape shape) {
    cluster.StartGeneration({size, density, shape});
    QElapsedTimer timer;
    timer.start();
    while (cluster.Generating() && timer.elapsed() < 20000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_FALSE(cluster.Generating());
  }

  // Selects a drawn star by pointing at it in the +Z view.
  void Select(const DrawnStar& star) {
    const ClusterViewState& view = cluster.View();
    Child<ClusterScreen>(cluster, "ClusDisScreen")->PointerX = (star.X - view.X) * 50 / view.Range + 50;
    Child<ClusterScreen>(cluster, "ClusDisScreen")->PointerY = (star.Y - view.Y) * 50 / view.Range + 50;
    cluster.ClusterSelectStar();
  }

  QString Status() { return cluster.statusBar()->currentMessage(); }

  static std::string ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  test::TemporaryCurrentDir folder;
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random{99};
  ClusterHandoff handoff{*world};
  SystemDisplay system{*world, random, handoff};
  ClusterDisplay cluster{*world, random, handoff};
  QString nextFile;
};

TEST_F(ClusterDisplayTest, ANewClusterIsWrittenDrawnAndCentred) {
  EXPECT_EQ(Child<QLineEdit>(cluster, "XText")->text(), QStringLiteral("50.00"));
  EXPECT_EQ(Child<QLineEdit>(cluster, "RangeText")->text(), QStringLiteral("50"));
  Generate(10, 1, ClusterShape::Cube);
  EXPECT_EQ(cluster.ClusterFilePath().filename(), fs::path("C01.AXL"));
  EXPECT_TRUE(fs::exists(fs::current_path() / "C01.AXL"));
  // Centred on the middle of the new cluster; every one of its 1000 stars lies within range.
  EXPECT_EQ(Child<QLineEdit>(cluster, "XText")->text(), QStringLiteral("5"));
  EXPECT_DOUBLE_EQ(cluster.View().Z, 5);
  EXPECT_EQ(cluster.Drawn().size(), 1000U);
  EXPECT_TRUE(Child<QAction>(cluster, "ClusterMenuFileExit")->isEnabled());
  EXPECT_FALSE(Child<QProgressBar>(cluster, "ClusterProgress")->isVisible());
  EXPECT_FALSE(Child<QPushButton>(cluster, "ClusterJumpButton")->isEnabled());  // nothing selected yet

  Generate(10, 1000, ClusterShape::Sphere);
  EXPECT_EQ(cluster.ClusterFilePath().filename(), fs::path("C02.AXL"));

  // File, Default Directory... sends the next cluster, and so its kept systems, elsewhere.
  const fs::path elsewhere = fs::current_path() / "clusters";
  fs::create_directory(elsewhere);
  cluster.ChooseFolder = [&elsewhere](const QString&) {
    return QString::fromStdString(elsewhere.string());
  };
  Child<QAction>(cluster, "ClusterMenuFileDefaultDirectory")->trigger();
  Generate(4, 1, ClusterShape::Cube);
  EXPECT_EQ(cluster.ClusterFilePath(), elsewhere / "C01.AXL");
  EXPECT_EQ(cluster.Drawn().size(), 64U);
}

TEST_F(ClusterDisplayTest, JumpAndReturnKeepTheSurveyedSystemForTheNextJump) {
  Generate(6, 1, ClusterShape::Cube);
  ASSERT_FALSE(cluster.Drawn().empty());
  const DrawnStar star = cluster.Drawn()[100];
  Select(star);
  EXPECT_EQ(cluster.SelectedRecord(), star.Record);
  ASSERT_TRUE(Child<QPushButton>(cluster, "ClusterJumpButton")->isEnabled());
  EXPECT_TRUE(Child<QLabel>(cluster, "ClusterTempLabel")->text().startsWith(QStringLiteral("Sec01:")));

  Child<QAction>(system, "SystemMenuOptionsAutoSurvey")->setChecked(true);
  Child<QPushButton>(cluster, "ClusterJumpButton")->click();
  EXPECT_TRUE(system.isVisible());
  EXPECT_EQ(world->ClusterMode, 1);
  EXPECT_EQ(world->SystemSurveyed, 1);
  EXPECT_FALSE(Child<QMenu>(system, "SystemMenuGenerate")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(cluster, "ClusterJumpButton")->isEnabled());
  // While the star's system is shown, the cluster view takes no new selection.
  Select(cluster.Drawn()[0]);
  EXPECT_EQ(cluster.SelectedRecord(), star.Record);
  const std::string visited = EncodeSystem(*world);
  const std::string fileName = world->SystemFilePath.string();

  Child<QPushButton>(system, "JumpButton")->click();
  EXPECT_FALSE(system.isVisible());
  EXPECT_FALSE(cluster.JumpActive());
  EXPECT_TRUE(fs::exists(fs::current_path() / fileName));
  EXPECT_EQ(ClusterFileReader(cluster.ClusterFilePath()).Read(star.Record).SystemKept, 1);
  // The view is centred on the star visited.
  EXPECT_NEAR(cluster.View().X, star.X, 0.005);
  EXPECT_EQ(Child<QLineEdit>(cluster, "XText")->text().toStdString(), FormatNumber(star.X, "00.00"));

  // The next jump finds the kept system exactly as it was left.
  Select(star);
  cluster.JumpIntoClusterStar();
  EXPECT_EQ(EncodeSystem(*world), visited);

  // A kept system whose file is gone is made anew, and the system window says why.
  Child<QPushButton>(system, "JumpButton")->click();
  fs::remove(fs::current_path() / fileName);
  Select(star);
  cluster.JumpIntoClusterStar();
  EXPECT_EQ(system.statusBar()->currentMessage().toStdString(),
            "The kept system " + fileName + " is missing; the star's system is made anew");
}

TEST_F(ClusterDisplayTest, AStarLeftUnsurveyedIsNotKept) {
  Generate(5, 1, ClusterShape::Cube);
  const DrawnStar star = cluster.Drawn()[3];
  Select(star);
  Child<QAction>(system, "SystemMenuOptionsAutoSurvey")->setChecked(false);
  cluster.JumpIntoClusterStar();
  EXPECT_EQ(world->SystemSurveyed, 0);
  Child<QPushButton>(system, "JumpButton")->click();
  EXPECT_EQ(ClusterFileReader(cluster.ClusterFilePath()).Read(star.Record).SystemKept, 0);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(fs::current_path())) ++files;
  EXPECT_EQ(files, 1);  // the cluster file alone: no system file, no undo copy
}

TEST_F(ClusterDisplayTest, NothingReplacesAStarsSystemUntilJumpLeadsBack) {
  // An undo copy taken earlier in the session, of an ordinary system.
  Child<QAction>(system, "SystemMenuOptionsEnableUndo")->setChecked(true);
  system.Enter();
  Child<QAction>(system, "SystemMenuGenerateRandom")->trigger();
  Child<QAction>(system, "SystemMenuGenerateRandom")->trigger();
  system.close();
  cluster.Enter();

  Generate(5, 1, ClusterShape::Cube);
  Generate(5, 1, ClusterShape::Cube);
  const fs::path other = cluster.ClusterFilePath();
  const std::string otherBytes = ReadFileBytes(other);
  nextFile = QStringLiteral("C01.AXL");
  cluster.OpenClusterFile();
  const DrawnStar star = cluster.Drawn()[7];
  Select(star);
  Child<QAction>(system, "SystemMenuOptionsAutoSurvey")->setChecked(false);
  Child<QPushButton>(cluster, "ClusterJumpButton")->click();
  ASSERT_TRUE(cluster.JumpActive());

  // In the star's system nothing may put another system in its place.
  const std::string stars = EncodeSystem(*world);
  for (QAction* off : {Child<QAction>(system, "SystemMenuEditUndoSystem"), Child<QAction>(system, "SystemMenuFileOpen"),
                       Child<QAction>(system, "SystemMenuGenerateRandom"), Child<QAction>(system, "SystemMenuGenerateFromSeed"),
                       Child<QAction>(system, "SystemMenuGenerateDeliberate"), Child<QAction>(system, "SystemMenuGenerateIncomplete")}) {
    EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
  }
  system.UndoSystem();
  system.OpenSystemFileAt(QStringLiteral("undone.bak"));
  EXPECT_EQ(EncodeSystem(*world), stars);
  // Nor may the cluster window change cluster under it.
  EXPECT_FALSE(Child<QAction>(cluster, "ClusterMenuFileNewCluster")->isEnabled());
  EXPECT_FALSE(Child<QAction>(cluster, "ClusterMenuFileOpen")->isEnabled());
  cluster.OpenClusterFileAt(QString::fromStdString(other.string()));
  cluster.StartGeneration({3, 1, ClusterShape::Cube});
  EXPECT_FALSE(cluster.Generating());
  EXPECT_EQ(cluster.ClusterFilePath().filename(), fs::path("C01.AXL"));

  // Save As offers the cluster's own file type.
  Child<QPushButton>(system, "SurveyButton")->click();
  FileDialogRequest asked;
  system.ChooseFile = [&asked](const FileDialogRequest& request) {
    asked = request;
    return QStringLiteral("mine");
  };
  Child<QAction>(system, "SystemMenuFileSaveAs")->trigger();
  EXPECT_EQ(asked.filter, QStringLiteral("Astrolattix Systems (*.C01)"));
  EXPECT_TRUE(fs::exists("mine.C01"));

  // JUMP leads back and keeps the star, where it was, under the name it was saved as.
  ASSERT_TRUE(Child<QPushButton>(system, "JumpButton")->isEnabled());
  Child<QPushButton>(system, "JumpButton")->click();
  EXPECT_FALSE(cluster.JumpActive());
  const ClusterRecord kept = ClusterFileReader(cluster.ClusterFilePath()).Read(star.Record);
  EXPECT_EQ(kept.SystemKept, 1);
  EXPECT_EQ(kept.FileName, "mine.C01");
  EXPECT_FLOAT_EQ(kept.X, static_cast<float>(star.X));
  EXPECT_EQ(ReadFileBytes(other), otherBytes);
}

TEST_F(ClusterDisplayTest, ACancelledGenerationLeavesNothingBehind) {
  cluster.StartGeneration({250, 1, ClusterShape::Cube});
  EXPECT_TRUE(cluster.Generating());
  EXPECT_FALSE(Child<QAction>(cluster, "ClusterMenuFileExit")->isEnabled());
  QElapsedTimer timer;
  timer.start();
  // The progress label counts the stars of the cluster being made.
  while (Child<QLabel>(cluster, "ClusterTempLabel")->text().isEmpty() && timer.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_TRUE(Child<QLabel>(cluster, "ClusterTempLabel")->text().startsWith(QStringLiteral("C01:    ")))
      << Child<QLabel>(cluster, "ClusterTempLabel")->text().toStdString();
  Child<QPushButton>(cluster, "ClusterCancelGeneration")->click();
  timer.restart();
  while (cluster.Generating() && timer.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_FALSE(cluster.Generating());
  EXPECT_TRUE(fs::directory_iterator(fs::current_path()) == fs::directory_iterator());
  EXPECT_TRUE(cluster.ClusterFilePath().empty());
  EXPECT_TRUE(Status().contains(QStringLiteral("cancelled")));
}

TEST_F(ClusterDisplayTest, FilesThatCannotBeUsedAreReportedAndChangeNothing) {
  // All 99 cluster numbers taken: New Cluster says so and opens no form.
  for (int n = 1; n <= 99; ++n) std::ofstream(ClusterFileName(n));
  cluster.NewCluster();
  EXPECT_FALSE(Child<ClusterGenerationForm>(cluster, "ClusterGeneration")->isVisible());
  EXPECT_TRUE(Status().contains(QStringLiteral("C01 to C99")));

  // A short file is drawn up to its last complete record, and the status bar says so.
  ClusterRecord record;
  record.StarCount = 1;
  record.Stars[0] = {1, 5800, 1, "G 2 V  "};
  {
    std::ofstream out("C07.AXL", std::ios::binary | std::ios::trunc);
    for (int n = 1; n <= 3; ++n) {
      record.RecordNumber = n;
      record.X = record.Y = record.Z = 48.0F + static_cast<float>(n);
      const ClusterSlot slot = EncodeClusterRecord(record);
      out.write(reinterpret_cast<const char*>(slot.data()), n == 3 ? 60 : 128);
    }
  }
  nextFile = QStringLiteral("C07.AXL");
  cluster.OpenClusterFile();
  EXPECT_EQ(cluster.ClusterFilePath().filename(), fs::path("C07.AXL"));
  EXPECT_EQ(cluster.Drawn().size(), 2U);
  EXPECT_TRUE(Status().contains(QStringLiteral("C07.AXL")));

  // A dialog closed without a choice, a missing file, or one that holds no star records leaves
  // the cluster as it was.
  nextFile.clear();
  cluster.OpenClusterFile();
  nextFile = QStringLiteral("missing.AXL");
  cluster.OpenClusterFile();
  EXPECT_EQ(cluster.ClusterFilePath().filename(), fs::path("C07.AXL"));
  EXPECT_TRUE(Status().contains(QStringLiteral("missing.AXL")));
  std::ofstream("notes.md") << std::string(300, 'x');
  nextFile = QStringLiteral("notes.md");
  cluster.OpenClusterFile();
  EXPECT_EQ(cluster.ClusterFilePath().filename(), fs::path("C07.AXL"));
  EXPECT_TRUE(Status().contains(QStringLiteral("not a cluster file")));
}

}  // namespace
}  // namespace ax
