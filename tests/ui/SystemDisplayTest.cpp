// The system window's files: those that cannot be used leave the system shown and say why, and
// Open Recent lists the files saved and opened.

#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>

#include <filesystem>
#include <string>
#include <tuple>

#include "io/SystemFile.h"
#include "support/FileBytes.h"
#include "ui/Settings.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

TEST(SystemDisplayTest, FilesThatCannotBeUsedLeaveTheSystemShownAndSayWhy) {
  test::TemporaryCurrentDir folder;
  test::SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("sol");  // typed without its extension
  rig.Item("SystemMenuFileSaveAs")->trigger();
  const std::string saved = test::FileBytes("sol.ax2");
  ASSERT_EQ(saved, EncodeSystem(*rig.world));
  rig.GenerateAndSurvey();
  rig.world->SystemName = "Vega";
  const std::string shown = EncodeSystem(*rig.world);

  test::PutFile("half.ax2", saved.substr(0, saved.size() / 2));
  test::PutFile("empty.ax2", "");
  test::PutFile("text.ax2", "not a system\n");
  std::filesystem::create_directory("folder.ax2");
  // The command, the file dialog's answer, and what the status bar then says.
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"SystemMenuFileOpen", "", ""},  // cancelled: nothing is said
      {"SystemMenuFileOpen", "half.ax2", "Could not open half.ax2: "},
      {"SystemMenuFileOpen", "empty.ax2", "Could not open empty.ax2: "},
      {"SystemMenuFileOpen", "text.ax2", "Could not open text.ax2: "},
      {"SystemMenuFileOpen", "folder.ax2", "Could not open folder.ax2: "},
      {"SystemMenuFileOpen", "missing.ax2", "Could not open missing.ax2: "},
      {"SystemMenuFileSaveAs", "missing/x.ax2", "Could not save x.ax2: "},
  };
  for (const auto& [item, answer, said] : rows) {
    rig.window.statusBar()->clearMessage();
    rig.NextFile = *answer == '\0' ? QString() : folder.Path(answer);
    rig.Item(item)->trigger();
    EXPECT_TRUE(EncodeSystem(*rig.world) == shown) << answer;
    EXPECT_EQ(rig.Status().toStdString().rfind(said, 0), 0U) << rig.Status().toStdString();
    EXPECT_EQ(rig.Status().isEmpty(), *said == '\0') << answer;
  }
  EXPECT_FALSE(QFile::exists(folder.Path("missing")));

  rig.NextFile = folder.Path("sol.ax2");
  rig.Item("SystemMenuFileOpen")->trigger();
  EXPECT_TRUE(EncodeSystem(*rig.world) == saved);
  EXPECT_TRUE(rig.Status().isEmpty());
}

TEST(SystemDisplayTest, OpenRecentListsTheLatestEightFilesAndDropsMissingOnes) {
  test::TemporaryCurrentDir folder;
  {
    Settings earlier(folder.Path("settings.ini"));
    for (int i = 0; i < 10; ++i) earlier.AddRecentFile(folder.Path("f%1.ax2").arg(i));
    earlier.AddRecentFile(QStringLiteral("f5.ax2"));  // relative to the current folder
  }
  Settings settings(folder.Path("settings.ini"));
  QStringList paths;
  for (const int i : {5, 9, 8, 7, 6, 4, 3, 2}) paths << folder.Path("f%1.ax2").arg(i);
  EXPECT_EQ(settings.RecentFiles(), paths);
  settings.ClearRecentFiles();

  test::SystemWindowRig rig;
  rig.window.UseSettings(settings);
  const auto items = [&rig] {
    QStringList shown;
    for (const QAction* item :
         test::Child<QMenu>(rig.window, "SystemMenuFileOpenRecent")->actions()) {
      if (item->isVisible() && !item->data().toString().isEmpty()) shown << item->data().toString();
    }
    return shown;
  };
  const auto second = [&rig] {
    test::Child<QMenu>(rig.window, "SystemMenuFileOpenRecent")->actions()[1]->trigger();
  };
  const QString a = folder.Path("a.ax2");
  const QString b = folder.Path("b.ax2");
  std::string saved;
  for (const QString& file : {a, b}) {
    rig.GenerateAndSurvey();
    rig.NextFile = file;
    rig.Item("SystemMenuFileSaveAs")->trigger();
    if (saved.empty()) saved = EncodeSystem(*rig.world);
  }
  EXPECT_EQ(items(), QStringList({b, a}));
  second();
  const std::string shown = EncodeSystem(*rig.world);
  EXPECT_TRUE(shown == saved);
  EXPECT_EQ(items(), QStringList({a, b}));
  ASSERT_TRUE(QFile::remove(b));
  second();
  EXPECT_TRUE(EncodeSystem(*rig.world) == shown);
  EXPECT_TRUE(rig.Status().contains(QStringLiteral("no longer there")));
  EXPECT_EQ(items(), QStringList({a}));
  EXPECT_EQ(settings.RecentFiles(), QStringList({a}));
}

}  // namespace
}  // namespace ax
