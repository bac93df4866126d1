// The cluster window: the hand-off of a star's system to the system window and back, and
// cluster files that cannot be used.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QLineF>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTableView>
#include <QThread>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <tuple>

#include "cli/CliRun.h"
#include "cluster/AtlasFile.h"
#include "cluster/Jump.h"
#include "io/ClusterFile.h"
#include "io/SystemFile.h"
#include "support/ClusterRecords.h"
#include "support/FileBytes.h"
#include "survey/Survey.h"
#include "ui/AtlasFind.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using test::Child;

// The cluster window and the system window over one world, in a fresh current directory, with
// a cube of 6 x 6 x 6 stars made.
class ClusterDisplayTest : public testing::Test {
 protected:
  void SetUp() override {
    cluster.ChooseFile = [this](const FileDialogRequest&) { return nextFile; };
    cluster.Enter();
    cluster.StartGeneration({6, 1, ClusterShape::Cube});
    ASSERT_TRUE(test::FinishGeneration(cluster));
    ASSERT_EQ(cluster.Drawn().size(), 216U);
  }
  void Press(QWidget& window, const char* name) { Child<QAbstractButton>(window, name)->click(); }
  std::string Status() const { return cluster.statusBar()->currentMessage().toStdString(); }

  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  SystemDisplay& system = rig.window;
  ClusterDisplay cluster{*rig.world, rig.random, rig.handoff};
  QString nextFile;
};

TEST_F(ClusterDisplayTest, AStarsSystemStaysUntilJumpLeadsBackAndIsKeptWhenSurveyed) {
  const DrawnStar star = cluster.Drawn()[100];
  test::SelectStar(cluster, star);
  rig.Item("SystemMenuOptionsAutoSurvey")->setChecked(true);
  Press(cluster, "ClusterJumpButton");
  ASSERT_TRUE(system.isVisible() && cluster.JumpActive());
  test::SelectStar(cluster, cluster.Drawn()[0]);  // no other star while one is visited
  EXPECT_EQ(cluster.SelectedRecord(), star.Record);

  // Called past their disabled items, the commands still leave the star's system be.
  const std::string visited = EncodeSystem(*rig.world);
  {  // the star's own system, as the command line's `star` makes it
    auto own = std::make_unique<World>();
    Random any(9);
    SystemFileReader reader;
    JumpIntoClusterStar(*own, any, reader, cluster.ClusterFilePath(),
                        ClusterFileReader(cluster.ClusterFilePath()).Read(star.Record));
    Survey(*own, any).SurveySystem();
    EXPECT_EQ(EncodeSystem(*own), visited);
  }
  system.AskSeed = [] { return std::optional<std::uint64_t>(1); };
  system.UndoSystem();
  system.GenerateFromSeed();
  system.OpenSystemFileAt(QStringLiteral("C01.AXL"));
  EXPECT_EQ(EncodeSystem(*rig.world), visited);
  cluster.StartGeneration({3, 1, ClusterShape::Cube});
  EXPECT_FALSE(cluster.Generating());
  // Save As offers the cluster's own file type, and JUMP keeps the star under that name.
  rig.NextFile = QStringLiteral("mine");
  rig.Item("SystemMenuFileSaveAs")->trigger();
  EXPECT_EQ(rig.lastRequest.filter, QStringLiteral("Astrolattix Systems (*.C01)"));
  Press(system, "JumpButton");
  EXPECT_FALSE(system.isVisible() || cluster.JumpActive());
  const ClusterRecord kept = ClusterFileReader(cluster.ClusterFilePath()).Read(star.Record);
  EXPECT_EQ(kept.SystemKept, 1);
  EXPECT_EQ(kept.FileName, "mine.C01");
  EXPECT_EQ(test::FileBytes("mine.C01"), visited);
  EXPECT_NEAR(cluster.View().X, star.X, 0.005);  // centred on the star visited

  // The next jump finds it as it was left; its file gone, it is made anew, and said so.
  test::SelectStar(cluster, star);
  Press(cluster, "ClusterJumpButton");
  EXPECT_TRUE(EncodeSystem(*rig.world) == visited);
  Press(system, "JumpButton");
  fs::remove("mine.C01");
  test::SelectStar(cluster, star);
  Press(cluster, "ClusterJumpButton");
  EXPECT_EQ(rig.Status().toStdString(),
            "The kept system mine.C01 is missing; the star's system is made anew");
}

TEST_F(ClusterDisplayTest, FilesThatCannotBeUsedAreReportedAndChangeNothing) {
  // Three records in view, the last cut short: drawn up to the last whole one, and said so.
  test::WriteClusterFile("C07.AXL", {test::StarRecord(1, 2, 2, 2), test::StarRecord(2, 3, 3, 3),
                                     test::PairRecord(3, 4, 4, 4)});
  fs::resize_file("C07.AXL", 2 * kClusterSlotBytes + 60);
  test::PutFile("notes.md", std::string(300, 'x'));
  // The file chosen, what the status bar then says, and the box over the window.
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"C07.AXL", "C07.AXL", ""},
      {"", "", ""},  // the dialog closed without a choice
      {"missing.AXL", "missing.AXL", "Could not open missing.AXL. There is no such file."},
      {"notes.md", "not a cluster file",
       "Could not open notes.md. It is not an Astrolattix cluster file."},
  };
  for (const auto& [file, said, boxed] : rows) {
    if (auto* box = cluster.findChild<QMessageBox*>(QStringLiteral("FileErrorBox"))) box->hide();
    nextFile = QString::fromLatin1(file);
    cluster.OpenClusterFile();
    EXPECT_EQ(cluster.ClusterFilePath().filename(), "C07.AXL") << file;
    EXPECT_EQ(cluster.Drawn().size(), 2U) << file;
    EXPECT_NE(Status().find(said), std::string::npos) << file << ": " << Status();
    const auto* box = cluster.findChild<QMessageBox*>(QStringLiteral("FileErrorBox"));
    EXPECT_EQ(box && box->isVisible() ? box->text().toStdString() : "", boxed) << file;
  }
}

// Range 3 spreads the cube: in a wide window the +X view stands right of the +Z view, in a tall
// one below it. The grab shows each star where the view says. Four with no other within 20 px
// are clicked in turn: up to 8 px off each is selected; 12 px below, with none as near, not.
TEST_F(ClusterDisplayTest, AClickWithinEightPixelsOfAStarSelectsItInEitherArrangement) {
  auto* screen = Child<ClusterScreen>(cluster, "ClusDisScreen");
  Child<QAction>(cluster, "ClusterMenuViewSecondX")->setChecked(true);
  Child<QLineEdit>(cluster, "RangeText")->setText(QStringLiteral("3"));
  for (const QSize window : {QSize(1100, 700), QSize(700, 1100)}) {
    cluster.resize(window);
    QCoreApplication::processEvents();
    Press(cluster, "ClusterRedraw");
    const QRect plusZ = screen->ViewRect(0);
    EXPECT_EQ(screen->ViewRect(1).topLeft() - plusZ.topLeft(), window.width() > window.height()
                                                                   ? QPoint(plusZ.width(), 0)
                                                                   : QPoint(0, plusZ.width()));
    const QImage shot = screen->grab().toImage();
    std::vector<std::pair<QPointF, std::int32_t>> seen, apart;  // stars in either view
    for (const DrawnStar& star : cluster.Drawn()) {
      for (const bool second : {false, true}) {
        const CanvasPoint place = StarPlace(cluster.View(), star, second);
        seen.push_back({screen->AreaPoint(place.x, place.y), star.Record});
        EXPECT_NE(shot.pixel(seen.back().first.toPoint()) & 0xFFFFFF, 0U);  // not the sky
      }
    }
    const auto near = [&seen](QPointF at, double pixels) {  // how many stars are nearer
      return std::ranges::count_if(
          seen, [&](auto& star) { return QLineF(star.first, at).length() < pixels; });
    };
    for (const auto& star : seen) {
      if (near(star.first, 20) == 1 && near(star.first + QPointF(0, 12), 12) == 0)
        apart.push_back(star);
    }
    for (const QPointF off : {QPointF(0, 0), QPointF(7.9, 0), QPointF(-4, -6.8), QPointF(0, 12)}) {
      for (std::size_t i = 0; i < 4; ++i) {
        const QPointF at = apart.at(i).first + off;
        QMouseEvent press(QEvent::MouseButtonPress, at, screen->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(screen, &press);
        EXPECT_EQ(cluster.SelectedRecord(), apart[off.y() == 12 ? 3 : i].second) << off.x();
      }
    }
  }
}

// Find lists a row per star; a filter keeps the rows the command line's does; a double-click
// centres the view on its star and selects it, ready for JUMP; opened again, the file is read.
TEST_F(ClusterDisplayTest, FindListsEveryStarAndADoubleClickSelectsOne) {
  Child<QAction>(cluster, "ClusterMenuViewFind")->trigger();
  auto* find = Child<AtlasFind>(cluster, "AtlasFind");
  for (int waited = 0; find->Making() && waited < 60000; waited += 10) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
  QCoreApplication::processEvents();
  auto* table = Child<QTableView>(cluster, "AtlasTable");
  EXPECT_EQ(table->model()->rowCount(), 216);
  Child<QCheckBox>(cluster, "AtlasHabitable")->setChecked(true);
  const auto habitable = test::Lines(test::Cli({"atlas", "C01.AXL", "--habitable", "--csv"}).out);
  ASSERT_GT(habitable.size(), 1U);
  EXPECT_EQ(table->model()->rowCount(), static_cast<int>(habitable.size() - 1));
  const int record = table->model()->index(0, 0).data().toInt();
  EXPECT_EQ(std::to_string(record), habitable[1].substr(0, habitable[1].find(',')));

  const QPoint at = table->visualRect(table->model()->index(0, 1)).center();
  for (const QEvent::Type type :
       {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
    QMouseEvent click(type, at, table->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(table->viewport(), &click);
  }
  EXPECT_EQ(cluster.SelectedRecord(), record);
  EXPECT_TRUE(Child<QPushButton>(cluster, "ClusterJumpButton")->isEnabled());
  const ClusterRecord star = ClusterFileReader(cluster.ClusterFilePath()).Read(record);
  EXPECT_NEAR(cluster.View().X, star.X, 0.005);
  EXPECT_NEAR(cluster.View().Z, star.Z, 0.005);
  find->hide();
  Child<QAction>(cluster, "ClusterMenuViewFind")->trigger();
  EXPECT_FALSE(find->Making());
}

// Mark Life rings the stars whose atlas rows hold life: the grab with it differs from the grab
// without it around each such star apart from others, and nowhere near the rest; the legend
// counts them. Cancelled, it leaves no mark and no atlas file.
TEST_F(ClusterDisplayTest, MarkLifeRingsExactlyTheStarsWhoseSystemsHoldLife) {
  Child<QAction>(cluster, "ClusterMenuViewMarkLife")->trigger();
  Press(cluster, "ClusterMarkCancel");
  QCoreApplication::processEvents();
  EXPECT_TRUE(Child<QAction>(cluster, "ClusterMenuViewMarkNone")->isChecked());
  EXPECT_FALSE(fs::exists(AtlasFilePath(cluster.ClusterFilePath())));

  std::set<std::int32_t> living;
  MakeAtlas(cluster.ClusterFilePath(), {}, 0, [&](const AtlasRow& row) {
    if (row.HighestLife > 0) living.insert(row.Record);
  });
  Child<QAction>(cluster, "ClusterMenuViewMarkLife")->trigger();
  for (int waited = 0; cluster.MakingMarks() && waited < 60000; waited += 10) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
  QCoreApplication::processEvents();
  const std::string legend = cluster.MarkLegendText();  // all 216 stars in view
  EXPECT_EQ(legend.substr(0, 5), "Life:");
  EXPECT_EQ(std::stoul(legend.substr(5)), living.size());

  auto* screen = Child<ClusterScreen>(cluster, "ClusDisScreen");
  cluster.resize(1100, 1100);
  Child<QLineEdit>(cluster, "RangeText")->setText(QStringLiteral("3"));
  Press(cluster, "ClusterRedraw");
  const QImage marked = screen->grab().toImage();
  Child<QAction>(cluster, "ClusterMenuViewMarkNone")->trigger();
  const QImage plain = screen->grab().toImage();
  std::vector<std::pair<QPoint, std::int32_t>> seen;
  for (const DrawnStar& star : cluster.Drawn()) {
    const CanvasPoint place = StarPlace(cluster.View(), star, false);
    seen.push_back({screen->AreaPoint(place.x, place.y).toPoint(), star.Record});
  }
  int ringed = 0, bare = 0;
  for (const auto& [at, record] : seen) {
    if (std::ranges::count_if(
            seen, [&](auto& other) { return QLineF(at, other.first).length() < 22; }) > 1)
      continue;
    bool changed = false;
    for (int dx = -12; dx <= 12; ++dx)
      for (int dy = -12; dy <= 12; ++dy)
        changed = changed || (dx * dx + dy * dy <= 144 && marked.pixel(at + QPoint(dx, dy)) !=
                                                              plain.pixel(at + QPoint(dx, dy)));
    EXPECT_EQ(changed, living.contains(record)) << record;
    ++(changed ? ringed : bare);
  }
  EXPECT_GT(ringed, 0);
  EXPECT_GT(bare, 0);
}

}  // namespace
}  // namespace ax
