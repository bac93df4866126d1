// Images and reports written by the windows, through scripted size and file dialogs.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>

#include <optional>
#include <string>

#include "display/ReportExport.h"
#include "ui/ClusterDisplay.h"
#include "ui/ClusterScreen.h"
#include "ui/SystemScreen.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

std::string ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool AnyLit(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(0, 0, 0)) return true;
    }
  }
  return false;
}

TEST(ExportCommandsTest, TheSystemWindowsImageHasTheChosenSizeAndItsOwnProportions) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  std::optional<QSize> nextSize;
  QSize offered;
  rig.window.ChooseImageSize = [&](QSize current) {
    offered = current;
    return nextSize;
  };
  EXPECT_FALSE(rig.Item("SystemMenuFileExportImage")->isEnabled());  // nothing to draw yet
  rig.window.show();
  rig.GenerateAndSurvey();
  rig.Button("ModeButton2")->click();
  const double screenAspect = rig.window.View().ViewAspect;
  rig.Item("SystemMenuFileExportImage")->trigger();  // the size dialog cancelled
  EXPECT_EQ(offered, Child<SystemScreen>(rig.window, "SysDisScreen")->size());
  EXPECT_EQ(rig.dialogs, 0);

  nextSize = QSize(300, 200);
  rig.NextFile = folder.Path("orbits");  // a name without extension is a PNG
  rig.Item("SystemMenuFileExportImage")->trigger();
  const QImage image(folder.Path("orbits.png"));
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_TRUE(AnyLit(image));
  EXPECT_EQ(rig.Status(), QStringLiteral("Saved the image orbits.png (300 x 200 pixels)"));
  EXPECT_DOUBLE_EQ(rig.window.View().ViewAspect, screenAspect);
  rig.NextFile = folder.Path("orbits.gif");
  rig.Item("SystemMenuFileExportImage")->trigger();
  EXPECT_TRUE(rig.Status().startsWith(QStringLiteral("Could not save the image orbits.gif: ")));
  EXPECT_FALSE(QFile::exists(folder.Path("orbits.gif")));
  rig.window.close();
}

TEST(ExportCommandsTest, TheClusterWindowsImageFollowsItsViews) {
  test::TemporaryCurrentDir folder;
  auto world = std::make_unique<World>();
  Random random{7};
  ClusterHandoff handoff{*world};
  ClusterDisplay cluster{*world, random, handoff};
  std::optional<QSize> nextSize = QSize(500, 150);
  QString nextFile = folder.Path("plain.png");
  cluster.ChooseImageSize = [&](QSize) { return nextSize; };
  cluster.ChooseImageFile = [&](const FileDialogRequest&) { return nextFile; };
  cluster.Enter();
  cluster.StartGeneration({6, 1, ClusterShape::Cube});
  QElapsedTimer timer;
  timer.start();
  while (cluster.Generating() && timer.elapsed() < 20000) QCoreApplication::processEvents();
  ASSERT_FALSE(cluster.Generating());
  auto* exportImage = Child<QAction>(cluster, "ClusterMenuFileExportImage");
  exportImage->trigger();
  const QImage plain(folder.Path("plain.png"));
  EXPECT_EQ(plain.size(), QSize(150, 150));  // the view is square: the height sets the width
  EXPECT_TRUE(AnyLit(plain));

  // The selected star's marker is drawn over the same view.
  const DrawnStar star = cluster.Drawn().front();
  const ClusterViewState& view = cluster.View();
  auto* screen = Child<ClusterScreen>(cluster, "ClusDisScreen");
  screen->PointerX = (star.X - view.X) * 50 / view.Range + 50;
  screen->PointerY = (star.Y - view.Y) * 50 / view.Range + 50;
  cluster.ClusterSelectStar();
  nextFile = folder.Path("selected.png");
  exportImage->trigger();
  EXPECT_NE(QImage(folder.Path("selected.png")), plain);
  Child<QAction>(cluster, "ClusterMenuViewSecondX")->trigger();
  nextFile = folder.Path("both.png");
  exportImage->trigger();
  EXPECT_EQ(QImage(folder.Path("both.png")).size(), QSize(300, 150));
}

TEST(ExportCommandsTest, ReportsAreWrittenByTheirExtensionAndCopiedForTheSelection) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.world->SystemName = "Sol";
  rig.NextFile = folder.Path("sol");  // typed without an extension
  rig.Item("SystemMenuFileExportReport")->trigger();
  EXPECT_EQ(rig.lastRequest.fileName, QStringLiteral("Sol.md"));
  const std::string markdown = SystemReportMarkdown(*rig.world);
  EXPECT_EQ(ReadBytes(folder.Path("sol.md")), markdown);
  EXPECT_EQ(rig.Status(), QStringLiteral("Report exported to sol.md"));
  rig.NextFile = folder.Path("sol.HTML");
  rig.Item("SystemMenuFileExportReport")->trigger();
  EXPECT_EQ(ReadBytes(folder.Path("sol.HTML")), SystemReportHtml(*rig.world));
  rig.NextFile = folder.Path("notes.txt");  // any other name is a Markdown file
  rig.Item("SystemMenuFileExportReport")->trigger();
  EXPECT_EQ(ReadBytes(folder.Path("notes.txt.md")), markdown);
  rig.NextFile = folder.Path("missing/report.md");
  rig.Item("SystemMenuFileExportReport")->trigger();
  EXPECT_TRUE(rig.Status().startsWith(QStringLiteral("Could not export report.md: ")));

  test::BuildPair(*rig.world);  // star 1, orbit 1: a rocky world with two moons
  EXPECT_FALSE(rig.Item("SystemMenuEditCopyReport")->isEnabled());  // the list selects nothing
  rig.Button("WorldButton")->click();
  rig.Button("DownScroll")->click();  // the first moon
  rig.Item("SystemMenuEditCopyReport")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            BodyReportText(*rig.world, 1, 1, 1));
}

}  // namespace
}  // namespace ax
