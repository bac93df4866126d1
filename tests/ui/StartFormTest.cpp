#include <QTimer>

#include "ui/StartForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

TEST(StartFormTest, ExitEndsTheProgramWhateverOtherWindowsAreOpen) {
  QWidget other;  // stands for a help or cluster window still open
  other.show();
  StartForm form;
  form.show();
  QTimer::singleShot(0, [&form] { Child<QPushButton>(form, "ExitButton")->click(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // gives up: not ended
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace ax
