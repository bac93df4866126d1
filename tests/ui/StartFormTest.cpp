#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

#include "model/Random.h"
#include "model/World.h"
#include "ui/ClusterDisplay.h"
#include "ui/StartForm.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

// Runs the event loop until the program quits, or gives up after a few seconds.
// Returns the loop's exit code: 0 when the form ended the program.
int RunUntilQuit(const std::function<void()>& action) {
  QTimer::singleShot(0, action);
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  return QCoreApplication::exec();
}

TEST(StartFormTest, EachWayInWorksOnceItsWindowIsAttachedAndBringsTheFormBack) {
  StartForm form;
  EXPECT_FALSE(Child<QPushButton>(form, "ClusterControl")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(form, "SystemCreate")->isEnabled());
  auto world = std::make_unique<World>();
  Random random(1);
  ClusterHandoff handoff(*world);
  SystemDisplay systemWindow(*world, random, handoff);
  ClusterDisplay clusterWindow(*world, random, handoff);
  form.AttachSystemWindow(&systemWindow);
  form.AttachClusterWindow(&clusterWindow);
  form.show();
  Child<QPushButton>(form, "ClusterControl")->click();
  EXPECT_TRUE(clusterWindow.isVisible());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(world->ClusterMode, 1);
  clusterWindow.close();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(world->ClusterMode, 0);
  Child<QPushButton>(form, "SystemCreate")->click();
  EXPECT_TRUE(systemWindow.isVisible());
  EXPECT_FALSE(form.isVisible());
  systemWindow.close();
  EXPECT_TRUE(form.isVisible());
}

TEST(StartFormTest, ExitOrClosingTheFormEndsTheProgramEvenWithHiddenWindows) {
  QWidget hiddenWindow;  // stands for a system or cluster window that is only hidden
  hiddenWindow.show();
  hiddenWindow.hide();
  StartForm form;
  form.show();
  EXPECT_EQ(RunUntilQuit([&] { Child<QPushButton>(form, "ExitButton")->click(); }), 0);
  EXPECT_FALSE(form.isVisible());
  form.show();
  EXPECT_EQ(RunUntilQuit([&] { form.close(); }), 0);
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace ax
