#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QStatusBar>

#include <cstdint>
#include <string>
#include <utility>

#include "display/ReportExport.h"
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

QString StatusOf(SystemWindowRig& rig) {
  return rig.window.statusBar()->currentMessage();
}

TEST(ReportCommandsTest, ExportWritesMarkdownOrHtmlByTheExtension) {
  TemporaryCurrentDir folder;
  SystemWindowRig rig;
  EXPECT_FALSE(rig.window.SystemMenuFileExportReport->isEnabled());  // nothing to export yet
  rig.GenerateAndSurvey();
  ASSERT_TRUE(rig.window.SystemMenuFileExportReport->isEnabled());
  rig.world->SystemName = "Sol";

  rig.NextFile = folder.Path("sol");  // typed without an extension
  rig.window.SystemMenuFileExportReport->trigger();
  EXPECT_TRUE(rig.lastRequest.save);
  EXPECT_EQ(rig.lastRequest.filter, QStringLiteral("Markdown (*.md);;HTML (*.html *.htm)"));
  EXPECT_EQ(rig.lastRequest.fileName, QStringLiteral("Sol.md"));
  const std::string markdown = SystemReportMarkdown(*rig.world);
  EXPECT_EQ(ReadBytes(folder.Path("sol.md")), markdown);
  EXPECT_EQ(StatusOf(rig), QStringLiteral("Report exported to sol.md"));

  const std::string html = SystemReportHtml(*rig.world);
  const std::pair<const char*, const std::string*> files[] = {
      {"sol.HTML", &html}, {"sol.htm", &html}, {"sol.markdown", &markdown}};
  for (const auto& [name, expected] : files) {
    rig.NextFile = folder.Path(name);
    rig.window.SystemMenuFileExportReport->trigger();
    EXPECT_EQ(ReadBytes(folder.Path(name)), *expected) << name;
  }
  rig.NextFile = folder.Path("notes.txt");  // any other name is a Markdown file
  rig.window.SystemMenuFileExportReport->trigger();
  EXPECT_EQ(ReadBytes(folder.Path("notes.txt.md")), markdown);
  EXPECT_FALSE(QFile::exists(folder.Path("notes.txt")));

  // Cancelling writes nothing; a path that cannot be written says why and writes nothing either.
  const QStringList written =
      QDir(folder.Path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  rig.NextFile.clear();
  rig.window.SystemMenuFileExportReport->trigger();
  EXPECT_EQ(StatusOf(rig), QStringLiteral("Report exported to notes.txt.md"));
  rig.NextFile = folder.Path("missing/report.md");
  rig.window.SystemMenuFileExportReport->trigger();
  const QString failed = QStringLiteral("Could not export report.md: ");  // and the reason
  EXPECT_TRUE(StatusOf(rig).startsWith(failed) && StatusOf(rig).size() > failed.size())
      << StatusOf(rig).toStdString();
  EXPECT_EQ(QDir(folder.Path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), written);
  EXPECT_EQ(rig.world->SystemName, "Sol");
}

TEST(ReportCommandsTest, CopyReportCopiesTheSelectedBody) {
  SystemWindowRig rig;
  rig.GenerateAndSurvey();
  EXPECT_EQ(rig.window.SystemMenuEditCopyReport->shortcut(), QKeySequence(QKeySequence::Copy));
  EXPECT_FALSE(rig.window.SystemMenuEditCopyReport->isEnabled());  // the symbolic list
  test::BuildPair(*rig.world);  // star 1, orbit 1: a rocky world with two moons
  rig.window.WorldButton->click();
  ASSERT_EQ(rig.window.DisplayMode(), 2);
  EXPECT_TRUE(rig.window.SystemMenuEditCopyReport->isEnabled());

  QClipboard* clipboard = QGuiApplication::clipboard();
  rig.window.SystemMenuEditCopyReport->trigger();
  const QString worldText = clipboard->text();
  EXPECT_EQ(worldText.toStdString(), BodyReportText(*rig.world, 1, 1, 0));
  rig.window.DownScroll->click();  // the first moon
  ASSERT_EQ(rig.world->CurrentBody, 1);
  rig.window.SystemMenuEditCopyReport->trigger();
  EXPECT_EQ(clipboard->text().toStdString(), BodyReportText(*rig.world, 1, 1, 1));
  EXPECT_NE(clipboard->text(), worldText);
  EXPECT_TRUE(clipboard->text().startsWith(QStringLiteral("Planet:")));
  EXPECT_EQ(rig.world->CurrentBody, 1);

  rig.window.ModeButton2->click();  // the world view keeps the moon selected
  ASSERT_EQ(rig.window.DisplayMode(), 3);
  EXPECT_TRUE(rig.window.SystemMenuEditCopyReport->isEnabled());
  rig.window.ModeButton->click();
  rig.window.WorldButton->click();  // back to the list: nothing is selected
  ASSERT_EQ(rig.window.DisplayMode(), 0);
  EXPECT_FALSE(rig.window.SystemMenuEditCopyReport->isEnabled());
  clipboard->setText(QStringLiteral("kept"));
  rig.window.CopyReport();
  EXPECT_EQ(clipboard->text(), QStringLiteral("kept"));
}

}  // namespace
}  // namespace ax
