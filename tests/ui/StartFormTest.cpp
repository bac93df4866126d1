#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <memory>

#include "model/Random.h"
#include "model/World.h"
#include "ui/StartForm.h"
#include "ui/ClusterDisplay.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

// Runs the event loop until the program quits, or gives up after a few seconds.
// Returns the loop's exit code: 0 when the form ended the program.
int RunUntilQuit(const std::function<void()>& action) {
  QTimer::singleShot(0, action);
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  return QCoreApplication::exec();
}

TEST(StartFormTest, CaptionAndButtonsInOrder) {
  StartForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Astrolattix Version 2.00.063 (32-bit)"));
  const auto buttons = form.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 3);
  EXPECT_EQ(form.ClusterControl->text(), QStringLiteral("ClusterControl"));
  EXPECT_EQ(form.ExitButton->text(), QStringLiteral("Exit"));
  EXPECT_EQ(form.SystemCreate->text(), QStringLiteral("SystemCreate"));
  form.show();
  EXPECT_LT(form.ClusterControl->x(), form.ExitButton->x());
  EXPECT_LT(form.ExitButton->x(), form.SystemCreate->x());
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(form.windowIcon().availableSizes().value(0), QSize(32, 32));
}

TEST(StartFormTest, EachWayInWorksOnceItsWindowIsAttached) {
  StartForm form;
  EXPECT_FALSE(form.ClusterControl->isEnabled());
  EXPECT_FALSE(form.SystemCreate->isEnabled());
  EXPECT_TRUE(form.ExitButton->isEnabled());
  auto world = std::make_unique<World>();
  Random random(1);
  ClusterHandoff handoff(*world);
  SystemDisplay systemWindow(*world, random, handoff);
  ClusterDisplay clusterWindow(*world, random, handoff);
  form.AttachSystemWindow(&systemWindow);
  form.AttachClusterWindow(&clusterWindow);
  ASSERT_TRUE(form.SystemCreate->isEnabled());
  ASSERT_TRUE(form.ClusterControl->isEnabled());

  // ClusterControl opens the cluster window in cluster mode; closing it brings the form back.
  form.show();
  form.ClusterControl->click();
  EXPECT_TRUE(clusterWindow.isVisible());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world->ClusterMode, 1);
  clusterWindow.close();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(world->ClusterMode, 0);
}

TEST(StartFormTest, CentredOnTheScreen) {
  StartForm form;
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_NEAR(form.x(), screen.x() + (screen.width() - form.width()) / 2, 1);
  EXPECT_NEAR(form.y(), screen.y() + (screen.height() - form.height()) / 2, 1);
}

TEST(StartFormTest, ExitEndsTheProgram) {
  StartForm form;
  form.show();
  EXPECT_EQ(RunUntilQuit([&] { form.ExitButton->click(); }), 0);
  EXPECT_FALSE(form.isVisible());
}

TEST(StartFormTest, ClosingTheFormEndsTheProgramEvenWithHiddenWindows) {
  StartForm form;
  QWidget hiddenWindow;  // stands for a system or cluster window that is only hidden
  hiddenWindow.show();
  hiddenWindow.hide();
  form.show();
  EXPECT_EQ(RunUntilQuit([&] { form.close(); }), 0);
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace ax
