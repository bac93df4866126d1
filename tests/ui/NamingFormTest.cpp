#include <QKeyEvent>
#include <QLineEdit>

#include "ui/NamingForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

TEST(NamingFormTest, TheTypedNameIsStoredForTheSelectionOfThatMomentByteForByte) {
  auto world = std::make_unique<World>();
  world->SystemName = "Sol";
  world->CurrentStar = 1;
  world->CurrentOrbit = 3;
  world->BodyClass(1, 3, 0) = "H";
  world->BodyName(1, 3, 0) = "Earth";
  NamingForm form(*world);
  int finished = 0;
  QObject::connect(&form, &NamingForm::Finished, [&finished] { ++finished; });
  auto* name = Child<QLineEdit>(form, "NameText");
  const auto press = [name](int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(name, &event);
  };

  form.NameSystem();
  EXPECT_EQ(name->text(), QStringLiteral("Sol"));
  name->setText(QStringLiteral("Alpha Nova"));
  Child<QPushButton>(form, "OK")->click();
  EXPECT_EQ(world->SystemName, "Alpha Nova");

  form.NameWorld();
  EXPECT_EQ(name->text(), QStringLiteral("Earth"));
  world->CurrentOrbit = 4;  // the user selects another world while the window is open
  name->setText(QString::fromLatin1("Gaia \xB0"));
  press(Qt::Key_Return);
  EXPECT_EQ(world->BodyName(1, 4, 0), "Gaia \xB0");
  EXPECT_EQ(world->BodyName(1, 3, 0), "Earth");

  form.NameWorld();
  name->clear();
  press(Qt::Key_Escape);
  EXPECT_EQ(world->BodyName(1, 4, 0), "Gaia \xB0");
  form.NameSystem();
  name->clear();
  press(Qt::Key_Return);
  EXPECT_EQ(world->SystemName, "");  // an empty name is a name too
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(finished, 4);
}

}  // namespace
}  // namespace ax
