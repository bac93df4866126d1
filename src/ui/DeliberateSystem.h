#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "generate/Deliberate.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/FormFields.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace ax {

// The deliberate generation form: one or two stars built from the mass, temperature and
// luminosity the user types. Not modal; hidden rather than closed, and emptied when opened again.
// Tests find the controls by their object names.
class DeliberateSystem : public QDialog {
  Q_OBJECT

 public:
  DeliberateSystem(World& world, Random& random, QWidget* parent = nullptr);

  // Shows the form as first made, centred on the screen: empty boxes and a single star. A
  // form already open is only brought to the front.
  void Open();

 signals:
  // A new system is in the world; the system window resets its view.
  void Generated();

 private:
  // The text boxes, in the order the form shows them.
  enum Box {
    kStarAMass,
    kStarATemp,
    kStarALumn,
    kStarBMass,
    kStarBTemp,
    kStarBLumn,
    kSeparation,
    kAge,
    kBoxCount
  };

  // Builds the system from the texts. A rejected value shows "******" in its box, and its
  // tip and the status line say what it takes; the form stays open with the world
  // untouched. Otherwise the form hides and emits Generated.
  void Generate();
  // The form as first made: empty boxes and a single star.
  void StartAfresh();
  void ShowStarB(bool binary);
  DeliberateInput ReadInput() const;
  // What each box takes; the age's limit follows the mass typed for star A.
  std::vector<FieldTerms> Terms() const;

  World& world_;
  Random& random_;
  QLineEdit* nameText_ = nullptr;
  QRadioButton* singleOption_ = nullptr;
  QRadioButton* binaryOption_ = nullptr;
  std::array<QLineEdit*, kBoxCount> texts_{};
  QLabel* status_ = nullptr;
  std::vector<QWidget*> secondStar_;  // the boxes, captions and units shown only for a pair
};

}  // namespace ax
