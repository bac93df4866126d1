#pragma once

#include <QDialog>

#include <vector>

#include "generate/Deliberate.h"
#include "model/Random.h"
#include "model/World.h"

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
  // Builds the system from the texts. A rejected value shows "******" in its box and the
  // form stays open with the world untouched; otherwise the form hides and emits Generated.
  void Generate();
  // The form as first made: empty boxes and a single star.
  void StartAfresh();
  void ShowStarB(bool binary);
  DeliberateInput ReadInput() const;

  World& world_;
  Random& random_;
  QLineEdit* nameText_ = nullptr;
  QRadioButton* singleOption_ = nullptr;
  QRadioButton* binaryOption_ = nullptr;
  QLineEdit* starAMass_ = nullptr;
  QLineEdit* starATemp_ = nullptr;
  QLineEdit* starALumn_ = nullptr;
  QLineEdit* starBMass_ = nullptr;
  QLineEdit* starBTemp_ = nullptr;
  QLineEdit* starBLumn_ = nullptr;
  QLineEdit* separationText_ = nullptr;
  QLineEdit* ageText_ = nullptr;
  std::vector<QWidget*> secondStar_;  // the boxes and captions shown only for a pair
};

}  // namespace ax
