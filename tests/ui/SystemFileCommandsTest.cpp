#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>

#include <memory>
#include <string>

#include "io/SystemFile.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::SystemWindowRig;
using test::TemporaryCurrentDir;

std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

TEST(SystemFileCommandsTest, SaveAsThenOpenBringsTheSameSystemBack) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();

  rig.NextFile = folder.Path("sol");  // typed without its extension
  rig.window.SystemMenuFileSaveAs->trigger();
  EXPECT_EQ(rig.lastRequest.filter, QStringLiteral("Star Files (*.ax2)"));
  EXPECT_EQ(rig.lastRequest.defaultExtension, QStringLiteral("ax2"));
  EXPECT_TRUE(rig.lastRequest.save);
  ASSERT_TRUE(QFile::exists(folder.Path("sol.ax2")));
  EXPECT_EQ(rig.world->SystemName, "Sol");  // an unnamed system takes the file's name
  EXPECT_EQ(rig.world->SystemSaved, 1);
  const std::string saved = EncodeSystem(*rig.world);
  EXPECT_EQ(ReadBytes(folder.Path("sol.ax2")), saved);

  rig.window.SystemMenuGenerateRandom->trigger();
  rig.window.SurveyButton->click();
  ASSERT_NE(EncodeSystem(*rig.world), saved);

  rig.NextFile = folder.Path("sol.ax2");
  rig.window.SystemMenuFileOpen->trigger();
  EXPECT_FALSE(rig.lastRequest.save);
  EXPECT_EQ(EncodeSystem(*rig.world), saved);
  EXPECT_EQ(rig.world->SystemSurveyed, 1);
  EXPECT_TRUE(rig.world->SystemFilePath.empty());
  EXPECT_EQ(rig.window.DisplayMode(), 0);
  EXPECT_TRUE(rig.window.ModeButton2->isEnabled());
  EXPECT_TRUE(rig.window.statusBar()->currentMessage().isEmpty());

  // Open then Save As presets an empty name: reading cleared the path.
  rig.NextFile.clear();
  rig.window.SystemMenuFileSaveAs->trigger();
  EXPECT_TRUE(rig.lastRequest.fileName.isEmpty());
}

TEST(SystemFileCommandsTest, CancelledDialogsChangeNothingAndSayNothing) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  const std::string before = EncodeSystem(*rig.world);
  rig.NextFile.clear();
  rig.window.SystemMenuFileOpen->trigger();
  rig.window.SystemMenuFileSaveAs->trigger();
  EXPECT_EQ(rig.dialogs, 2);
  EXPECT_EQ(EncodeSystem(*rig.world), before);
  EXPECT_EQ(rig.world->SystemSaved, 0);
  EXPECT_TRUE(rig.window.statusBar()->currentMessage().isEmpty());
}

TEST(SystemFileCommandsTest, CorruptFileKeepsTheSystemAndNamesTheReason) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  const std::string before = EncodeSystem(*rig.world);

  // A system file cut off in the middle.
  QFile bad(folder.Path("bad.ax2"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(before.substr(0, before.size() / 2).c_str(), static_cast<qint64>(before.size() / 2));
  bad.close();
  std::string reason;
  try {
    auto scratch = std::make_unique<World>();
    SystemFileReader().Read(folder.Path("bad.ax2").toStdString(), *scratch);
  } catch (const SystemFileError& error) {
    reason = error.Reason();
  }
  ASSERT_FALSE(reason.empty());

  rig.NextFile = folder.Path("bad.ax2");
  rig.window.SystemMenuFileOpen->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), before);
  EXPECT_EQ(rig.window.statusBar()->currentMessage(),
            QStringLiteral("Could not open bad.ax2: ") + QString::fromStdString(reason));
  EXPECT_TRUE(rig.window.SystemMenuFileSaveAs->isEnabled());  // still the surveyed system

  rig.NextFile = folder.Path("missing.ax2");
  rig.window.SystemMenuFileOpen->trigger();
  EXPECT_EQ(rig.window.statusBar()->currentMessage(),
            QStringLiteral("Could not open missing.ax2: the file does not exist"));
  EXPECT_EQ(EncodeSystem(*rig.world), before);
}

TEST(SystemFileCommandsTest, UndoTwiceBringsBackTheSystemBeforeTheLastGeneration) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  EXPECT_FALSE(rig.window.SystemMenuEditUndoSystem->isEnabled());
  rig.window.SystemMenuOptionsEnableUndo->trigger();
  ASSERT_TRUE(rig.window.SystemMenuOptionsEnableUndo->isChecked());

  rig.GenerateAndSurvey();
  EXPECT_TRUE(rig.window.SystemMenuEditUndoSystem->isEnabled());
  // The copy of an unnamed system is stored under the name Undone.
  auto first = std::make_unique<World>(*rig.world);
  first->SystemName = "Undone";
  const std::string expected = EncodeSystem(*first);

  rig.GenerateAndSurvey();
  ASSERT_NE(EncodeSystem(*rig.world), expected);
  EXPECT_TRUE(QFile::exists(folder.Path("undone.bak")));

  rig.window.SystemMenuEditUndoSystem->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), expected);
  EXPECT_EQ(rig.window.DisplayMode(), 0);
  EXPECT_TRUE(rig.window.WorldButton->isEnabled());
  rig.window.SystemMenuEditUndoSystem->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), expected);
  EXPECT_TRUE(rig.window.SystemMenuEditUndoSystem->isEnabled());
}

TEST(SystemFileCommandsTest, WithoutTheSwitchNoUndoCopyIsWritten) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.GenerateAndSurvey();
  EXPECT_FALSE(QFile::exists(folder.Path("undone.bak")));
  EXPECT_FALSE(rig.window.SystemMenuEditUndoSystem->isEnabled());
}

TEST(SystemFileCommandsTest, UndoWithTheCopyRemovedKeepsTheSystem) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.window.SystemMenuOptionsEnableUndo->trigger();
  rig.GenerateAndSurvey();
  rig.GenerateAndSurvey();
  const std::string before = EncodeSystem(*rig.world);
  ASSERT_TRUE(QFile::remove(folder.Path("undone.bak")));
  rig.window.SystemMenuEditUndoSystem->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), before);
  EXPECT_EQ(rig.window.statusBar()->currentMessage(),
            QStringLiteral("Could not undo from undone.bak: the file does not exist"));
}

TEST(SystemFileCommandsTest, AnUndoCopyThatCannotBeWrittenKeepsTheSystemOnScreen) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.window.SystemMenuOptionsEnableUndo->trigger();
  rig.GenerateAndSurvey();
  const std::string before = EncodeSystem(*rig.world);
  // A folder in the undo file's place: the copy cannot be written.
  ASSERT_TRUE(QFile::remove(folder.Path("undone.bak")));
  ASSERT_TRUE(QDir().mkdir(folder.Path("undone.bak")));
  rig.window.SystemMenuGenerateRandom->trigger();
  EXPECT_EQ(EncodeSystem(*rig.world), before);
  EXPECT_TRUE(rig.window.statusBar()->currentMessage().startsWith(
      QStringLiteral("Could not write the undo copy undone.bak: ")));
}

TEST(SystemFileCommandsTest, SaveIntoAMissingFolderSaysSoAndKeepsThePath) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  rig.NextFile = folder.Path("no-such-folder/sol.ax2");
  rig.window.SystemMenuFileSaveAs->trigger();
  EXPECT_TRUE(rig.window.statusBar()->currentMessage().startsWith(
      QStringLiteral("Could not save sol.ax2: ")));
  EXPECT_TRUE(rig.world->SystemFilePath.empty());
  EXPECT_EQ(rig.world->SystemSaved, 0);
}

}  // namespace
}  // namespace ax
