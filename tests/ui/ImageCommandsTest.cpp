#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QXmlStreamReader>

#include <memory>
#include <optional>

#include "cluster/ClusterView.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/ClusDisScreen.h"
#include "ui/ClusterDisplay.h"
#include "ui/SysDisScreen.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

// Pixels that are not the black background.
int LitPixels(const QImage& image) {
  int lit = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) lit += image.pixel(x, y) != qRgb(0, 0, 0) ? 1 : 0;
  }
  return lit;
}

// The root element's width and height.
QSize SvgSize(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&file);
  if (!xml.readNextStartElement()) return {};
  return {xml.attributes().value(QLatin1String("width")).toInt(),
          xml.attributes().value(QLatin1String("height")).toInt()};
}

TEST(ImageCommandsTest, TheSystemWindowExportsItsOrbitViewAtTheChosenSize) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  SystemDisplay& window = rig.window;
  std::optional<QSize> nextSize;
  QSize offered;
  window.ChooseImageSize = [&](QSize current) {
    offered = current;
    return nextSize;
  };
  emit window.SystemMenuFile->aboutToShow();
  EXPECT_FALSE(window.SystemMenuFileExportImage->isEnabled());  // nothing to draw yet
  window.show();
  rig.GenerateAndSurvey();
  window.ModeButton2->click();
  ASSERT_EQ(window.DisplayMode(), 1);
  emit window.SystemMenuFile->aboutToShow();
  EXPECT_TRUE(window.SystemMenuFileExportImage->isEnabled());
  const double screenAspect = window.View().ViewAspect;

  // Cancelled in the size dialog, then in the file dialog: nothing is written.
  window.SystemMenuFileExportImage->trigger();
  EXPECT_EQ(offered, window.Screen->size());
  EXPECT_EQ(rig.dialogs, 0);
  nextSize = QSize(300, 200);
  window.SystemMenuFileExportImage->trigger();
  EXPECT_EQ(rig.dialogs, 1);
  EXPECT_TRUE(rig.lastRequest.save);
  EXPECT_TRUE(QDir(folder.Path(".")).entryList(QDir::Files).isEmpty());

  // A name without extension is a PNG.
  rig.NextFile = folder.Path("orbits");
  window.SystemMenuFileExportImage->trigger();
  const QImage image(folder.Path("orbits.png"));
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_GT(LitPixels(image), 0);
  EXPECT_EQ(window.statusBar()->currentMessage(),
            QStringLiteral("Saved the image orbits.png (300 x 200 pixels)"));
  // The image was drawn in its own proportions; the window keeps its own.
  EXPECT_DOUBLE_EQ(window.View().ViewAspect, screenAspect);

  nextSize = QSize(320, 240);
  rig.NextFile = folder.Path("orbits.svg");
  window.SystemMenuFileExportImage->trigger();
  EXPECT_EQ(SvgSize(folder.Path("orbits.svg")), QSize(320, 240));

  rig.NextFile = folder.Path("orbits.gif");
  window.SystemMenuFileExportImage->trigger();
  EXPECT_EQ(window.statusBar()->currentMessage(),
            QStringLiteral("Could not save the image orbits.gif: .gif is not an image format: "
                           "give .png or .svg"));
  EXPECT_FALSE(QFile::exists(folder.Path("orbits.gif")));
}

TEST(ImageCommandsTest, TheClusterWindowExportsItsViewWithTheSelection) {
  test::TemporaryCurrentDir folder;
  auto world = std::make_unique<World>();
  Random random{7};
  SystemDisplay system{*world, random};
  ClusterDisplay cluster{*world, random, system};
  std::optional<QSize> nextSize;
  QSize offered;
  QString nextFile;
  const auto sizeDialog = cluster.ChooseImageSize;
  cluster.ChooseImageSize = [&](QSize current) {
    offered = current;
    return nextSize;
  };
  cluster.ChooseImageFile = [&](const FileDialogRequest&) { return nextFile; };
  cluster.Enter();
  auto* file = qobject_cast<QMenu*>(cluster.ClusterMenuFileExportImage->parent());
  ASSERT_NE(file, nullptr);
  emit file->aboutToShow();
  EXPECT_FALSE(cluster.ClusterMenuFileExportImage->isEnabled());  // no cluster yet

  cluster.StartGeneration({6, 1, ClusterShape::Cube});
  QElapsedTimer timer;
  timer.start();
  while (cluster.Generating() && timer.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  ASSERT_FALSE(cluster.Generating());
  emit file->aboutToShow();
  EXPECT_TRUE(cluster.ClusterMenuFileExportImage->isEnabled());

  // The view is square: the height chosen sets the width.
  nextSize = QSize(500, 150);
  nextFile = folder.Path("plain.png");
  cluster.ClusterMenuFileExportImage->trigger();
  const QImage plain(folder.Path("plain.png"));
  EXPECT_EQ(offered.width(), offered.height());
  EXPECT_EQ(plain.size(), QSize(150, 150));
  EXPECT_GT(LitPixels(plain), 0);

  // The selected star's marker and position are drawn over the same view.
  ASSERT_FALSE(cluster.Drawn().empty());
  const DrawnStar star = cluster.Drawn().front();
  const ClusterViewState& view = cluster.View();
  cluster.Screen->PointerX = (star.X - view.X) * 50 / view.Range + 50;
  cluster.Screen->PointerY = (star.Y - view.Y) * 50 / view.Range + 50;
  cluster.ClusterSelectStar();
  ASSERT_EQ(cluster.SelectedRecord(), star.Record);
  nextFile = folder.Path("selected.png");
  cluster.ClusterMenuFileExportImage->trigger();
  EXPECT_TRUE(QImage(folder.Path("selected.png")) != plain);

  // With the second view the picture is twice as wide as high.
  cluster.ClusterMenuViewSecondX->trigger();
  nextSize = QSize(999, 150);
  nextFile = folder.Path("both.png");
  cluster.ClusterMenuFileExportImage->trigger();
  EXPECT_EQ(offered.width(), 2 * offered.height());
  EXPECT_EQ(QImage(folder.Path("both.png")).size(), QSize(300, 150));

  // The size dialog itself: the width follows the height, twice as large.
  cluster.ChooseImageSize = sizeDialog;
  QTimer::singleShot(0, [] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QDialog*>(top);
      if (dialog == nullptr || dialog->objectName() != QLatin1String("ImageSizeDialog")) continue;
      const QList<QSpinBox*> sides = dialog->findChildren<QSpinBox*>();
      if (sides.size() == 2) {
        sides[1]->setValue(100);
        EXPECT_EQ(sides[0]->value(), 200);
      }
      dialog->accept();
    }
  });
  nextFile = folder.Path("dialog.png");
  cluster.ClusterMenuFileExportImage->trigger();
  EXPECT_EQ(QImage(folder.Path("dialog.png")).size(), QSize(200, 100));
}

}  // namespace
}  // namespace ax
