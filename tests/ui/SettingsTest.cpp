#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/Commands.h"
#include "display/BodySymbols.h"
#include "io/SystemFile.h"
#include "ui/ClusterDisplay.h"
#include "ui/Settings.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::SystemWindowRig;
using test::TemporaryCurrentDir;

// The visible items of Open Recent, as the paths they open.
QStringList RecentItems(const SystemDisplay& window) {
  QStringList paths;
  for (const QAction* item : test::Child<QMenu>(window, "SystemMenuFileOpenRecent")->actions()) {
    if (item->isVisible() && !item->data().toString().isEmpty()) {
      paths << item->data().toString();
    }
  }
  return paths;
}

// Drags the file over the window and drops it there, as the drag manager delivers it to the
// window that accepts drops. True when the window took the drag.
bool Drop(QWidget& window, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  static_cast<QObject&>(window).event(&enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  static_cast<QObject&>(window).event(&drop);
  return enter.isAccepted();
}

TEST(SettingsTest, RecentFilesOptionsAndGeometryRoundTrip) {
  TemporaryCurrentDir folder;
  const QString file = folder.Path("settings.ini");
  {
    Settings settings(file);
    for (int i = 0; i < 10; ++i) settings.AddRecentFile(folder.Path("f%1.ax2").arg(i));
    settings.AddRecentFile(QStringLiteral("f5.ax2"));  // relative to the current folder
    EXPECT_FALSE(settings.Option(QStringLiteral("autoSurvey")).has_value());
    settings.SetOption(QStringLiteral("autoSurvey"), true);
    settings.SetOption(QStringLiteral("enableUndo"), false);
  }
  Settings settings(file);
  QStringList expected;
  for (const int i : {5, 9, 8, 7, 6, 4, 3, 2}) expected << folder.Path("f%1.ax2").arg(i);
  EXPECT_EQ(settings.RecentFiles(), expected);
  EXPECT_EQ(settings.Option(QStringLiteral("autoSurvey")), true);
  EXPECT_EQ(settings.Option(QStringLiteral("enableUndo")), false);

  // The window's options and geometry: restored on first show, saved on close.
  QRect placed;
  {
    SystemWindowRig first;
    first.window.UseSettings(settings);
    EXPECT_TRUE(first.Item("SystemMenuOptionsAutoSurvey")->isChecked());
    EXPECT_FALSE(first.Item("SystemMenuOptionsEnableUndo")->isChecked());
    first.Item("SystemMenuOptionsEnableUndo")->trigger();
    first.Item("SystemMenuOptionsAutoSurvey")->trigger();
    first.window.show();
    first.window.setGeometry(QRect(10, 20, 790, 520));  // within the 800 x 600 offscreen screen
    placed = first.window.geometry();
    first.window.close();
  }
  SystemWindowRig second;
  EXPECT_NE(second.window.geometry(), placed);
  second.window.UseSettings(settings);
  EXPECT_FALSE(second.Item("SystemMenuOptionsAutoSurvey")->isChecked());
  EXPECT_TRUE(second.Item("SystemMenuOptionsEnableUndo")->isChecked());
  second.window.show();
  EXPECT_EQ(second.window.geometry(), placed);
  second.window.close();
}

TEST(SettingsTest, OpenRecentListsSavedAndOpenedFilesAndDropsMissingOnes) {
  TemporaryCurrentDir folder;
  Settings settings(folder.Path("settings.ini"));
  SystemWindowRig rig;
  rig.window.UseSettings(settings);
  EXPECT_TRUE(RecentItems(rig.window).isEmpty());

  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("a.ax2");
  rig.Item("SystemMenuFileSaveAs")->trigger();
  const std::string a = EncodeSystem(*rig.world);
  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("b.ax2");
  rig.Item("SystemMenuFileSaveAs")->trigger();
  EXPECT_EQ(RecentItems(rig.window), QStringList({folder.Path("b.ax2"), folder.Path("a.ax2")}));

  test::Child<QMenu>(rig.window, "SystemMenuFileOpenRecent")->actions()[1]->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), a);
  EXPECT_EQ(RecentItems(rig.window), QStringList({folder.Path("a.ax2"), folder.Path("b.ax2")}));

  ASSERT_TRUE(QFile::remove(folder.Path("b.ax2")));
  test::Child<QMenu>(rig.window, "SystemMenuFileOpenRecent")->actions()[1]->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), a);  // what was shown stays
  EXPECT_TRUE(rig.Status().contains(QStringLiteral("no longer there")));
  EXPECT_EQ(RecentItems(rig.window), QStringList({folder.Path("a.ax2")}));
  EXPECT_EQ(settings.RecentFiles(), QStringList({folder.Path("a.ax2")}));

  QAction* clear = rig.window.findChild<QAction*>(QStringLiteral("SystemMenuFileOpenRecentClear"));
  ASSERT_NE(clear, nullptr);
  clear->trigger();
  EXPECT_TRUE(settings.RecentFiles().isEmpty());
  EXPECT_FALSE(clear->isEnabled());
}

TEST(SettingsTest, DroppedFilesOpenInTheirWindows) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("dropped.ax2");
  rig.Item("SystemMenuFileSaveAs")->trigger();
  const std::string saved = EncodeSystem(*rig.world);
  rig.GenerateAndSurvey();
  EXPECT_TRUE(rig.window.acceptDrops());
  EXPECT_FALSE(Drop(rig.window, folder.Path("notes.txt")));  // not a system file: nothing happens
  EXPECT_TRUE(EncodeSystem(*rig.world) != saved);
  EXPECT_TRUE(Drop(rig.window, folder.Path("dropped.ax2")));
  EXPECT_EQ(rig.world->SystemName, "Dropped");
  EXPECT_TRUE(EncodeSystem(*rig.world) == saved);

  std::ostringstream out;
  std::ostringstream err;
  const std::string dir = folder.Path("clusters").toStdString();
  const char* argv[] = {"astrolattix-cli", "cluster",   "--size", "3", "--density", "1",
                        "--dir",           dir.c_str(), "--seed", "1"};
  ASSERT_EQ(RunCli(10, argv, out, err), 0);
  ClusterDisplay cluster(*rig.world, rig.random, rig.handoff);
  EXPECT_TRUE(Drop(cluster, folder.Path("clusters/C01.AXL")));
  EXPECT_EQ(cluster.ClusterFilePath(), std::filesystem::path(dir) / "C01.AXL");
}

TEST(HelpCommandsTest, TheHelpPageGivesEveryClassCodeItsColour) {
  SystemWindowRig rig;
  rig.Item("SystemMenuHelpContents")->trigger();
  ASSERT_NE(rig.window.findChild<QTextBrowser*>("HelpPage"), nullptr);
  EXPECT_TRUE(rig.window.findChild<QTextBrowser*>("HelpPage")->isVisible());
  const QString text = rig.window.findChild<QTextBrowser*>("HelpPage")->toPlainText();
  for (const char* part : {"Display modes", "Symbolic list", "Graphical world view",
                           "The control panel", "Star Date", "Seeds"}) {
    EXPECT_TRUE(text.contains(QLatin1String(part))) << part;
  }

  // Every row's colour is one the drawings give that code.
  QFile page(QStringLiteral(":/help/help.html"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(page.readAll());
  static const QRegularExpression kRow(
      QStringLiteral("<td><b>([A-Z])</b></td><td bgcolor=\"#([0-9a-f]{6})\">"));
  std::set<char> codes;
  for (const QRegularExpressionMatch& row : kRow.globalMatch(html)) {
    const char code = row.captured(1).at(0).toLatin1();
    codes.insert(code);
    auto world = std::make_unique<World>();
    world->OrbitCount[1] = 1;
    std::set<std::tuple<int, int, int>> colours;
    for (const char* orbitClass : {"T", "I"}) {
      for (const double mass : {500.0, 200.0, 50.0, 10.0}) {
        world->BodyClass(1, 1, 0) = orbitClass;
        world->BodyClass(1, 1, 1) = std::string(1, code);
        world->BodyMass(1, 1, 1) = mass;
        const Colour colour = BodyClassColour(*world, 1, 1, 1);
        colours.emplace(colour.red, colour.green, colour.blue);
      }
    }
    const uint rgb = row.captured(2).toUInt(nullptr, 16);
    const auto channel = [rgb](int shift) { return static_cast<int>((rgb >> shift) & 0xffu); };
    EXPECT_EQ(colours.count(std::make_tuple(channel(16), channel(8), channel(0))), 1u)
        << code << " #" << row.captured(2).toStdString();
  }
  EXPECT_EQ(codes.size(), 20u);

  // The About box names the version.
  QString about;
  QTimer::singleShot(0, &rig.window, [&rig, &about] {
    if (auto* box = rig.window.findChild<QMessageBox*>()) {
      about = box->text();
      box->accept();
    }
  });
  rig.Item("SystemMenuHelpAbout")->trigger();
  EXPECT_TRUE(about.contains(QStringLiteral("Version " AX_VERSION))) << about.toStdString();
}

}  // namespace
}  // namespace ax
