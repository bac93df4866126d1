#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "model/World.h"
#include "ui/NamingForm.h"

namespace ax {
namespace {

void PressKey(QWidget& widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &press);
}

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
  std::unique_ptr<World> world = std::make_unique<World>();
  NamingForm form{*world};
  int finished = 0;
};

TEST_F(NamingFormTest, CaptionsAndNotModal) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Identification"));
  EXPECT_EQ(form.OK->text(), QStringLiteral("OK"));
  EXPECT_EQ(form.Cancel->text(), QStringLiteral("Cancel"));
  form.NameSystem();
  EXPECT_FALSE(form.isModal());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.NamePanel->text(), QStringLiteral("System Name:"));
  EXPECT_EQ(form.NameText->text(), QStringLiteral("Sol"));
  form.Cancel->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(finished, 1);
}

TEST_F(NamingFormTest, OkStoresTheSystemName) {
  form.NameSystem();
  form.NameText->setText(QStringLiteral("Alpha Nova"));
  form.OK->click();
  EXPECT_EQ(world->SystemName, "Alpha Nova");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(finished, 1);
}

TEST_F(NamingFormTest, EnterStoresTheWorldNameAtTheSelectionOfThatMoment) {
  form.NameWorld();
  EXPECT_EQ(form.NamePanel->text(), QStringLiteral("World Name:"));
  EXPECT_EQ(form.NameText->text(), QStringLiteral("Earth"));
  world->CurrentOrbit = 4;  // the user selects another world while the window is open
  form.NameText->setText(QString::fromLatin1("Gaia \xB0"));
  PressKey(*form.NameText, Qt::Key_Return);
  EXPECT_EQ(world->BodyName(1, 4, 0), "Gaia \xB0");  // Latin-1 kept byte for byte
  EXPECT_EQ(world->BodyName(1, 3, 0), "Earth");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(finished, 1);
}

TEST_F(NamingFormTest, EscapeLeavesBothNamesAndAnEmptyNameIsStored) {
  form.NameWorld();
  form.NameText->setText(QStringLiteral("Other"));
  PressKey(*form.NameText, Qt::Key_Escape);
  EXPECT_EQ(world->BodyName(1, 3, 0), "Earth");
  EXPECT_EQ(world->SystemName, "Sol");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(finished, 1);

  form.NameWorld();
  form.NameText->clear();
  form.OK->click();
  EXPECT_EQ(world->BodyName(1, 3, 0), "");
}

}  // namespace
}  // namespace ax
