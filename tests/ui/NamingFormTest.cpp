#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "model/World.h"
#include "ui/NamingForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

class NamingFormTest : public testing::Test {
 protected:
  void SetUp() override {
    world->SystemName = "Sol";
    world->CurrentStar = 1;
    world->CurrentOrbit = 3;
    world->BodyClass(1, 3, 0) = "H";
    world->BodyName(1, 3, 0) = "Earth";
    QObject::connect(&form, &NamingForm::Finished, [this] { ++finished; });
  }
  QLineEdit* Name() const { return Child<QLineEdit>(form, "NameText"); }
  void Press(int key) const {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(Name(), &press);
  }
  std::unique_ptr<World> world = std::make_unique<World>();
  NamingForm form{*world};
  int finished = 0;
};

TEST_F(NamingFormTest, OkStoresTheSystemNameAndCancelNothing) {
  form.NameSystem();
  EXPECT_FALSE(form.isModal());
  EXPECT_EQ(Child<QLabel>(form, "NamePanel")->text(), QStringLiteral("System Name:"));
  EXPECT_EQ(Name()->text(), QStringLiteral("Sol"));
  Name()->setText(QStringLiteral("Alpha Nova"));
  Child<QPushButton>(form, "Cancel")->click();
  EXPECT_EQ(world->SystemName, "Sol");
  form.NameSystem();
  Name()->setText(QStringLiteral("Alpha Nova"));
  Child<QPushButton>(form, "OK")->click();
  EXPECT_EQ(world->SystemName, "Alpha Nova");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(finished, 2);
}

TEST_F(NamingFormTest, EnterStoresTheWorldNameAtTheSelectionOfThatMomentAndEscapeNothing) {
  form.NameWorld();
  EXPECT_EQ(Child<QLabel>(form, "NamePanel")->text(), QStringLiteral("World Name:"));
  EXPECT_EQ(Name()->text(), QStringLiteral("Earth"));
  Name()->setText(QStringLiteral("Other"));
  Press(Qt::Key_Escape);
  EXPECT_EQ(world->BodyName(1, 3, 0), "Earth");
  EXPECT_EQ(finished, 1);

  form.NameWorld();
  world->CurrentOrbit = 4;  // the user selects another world while the window is open
  Name()->setText(QString::fromLatin1("Gaia \xB0"));
  Press(Qt::Key_Return);
  EXPECT_EQ(world->BodyName(1, 4, 0), "Gaia \xB0");  // Latin-1 kept byte for byte
  EXPECT_EQ(world->BodyName(1, 3, 0), "Earth");
  EXPECT_EQ(world->SystemName, "Sol");
  form.NameWorld();
  Name()->clear();
  Press(Qt::Key_Return);
  EXPECT_EQ(world->BodyName(1, 4, 0), "");  // an empty name is a name too
  EXPECT_EQ(finished, 3);
}

}  // namespace
}  // namespace ax
