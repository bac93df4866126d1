#pragma once

#include <QDialog>

#include <vector>

#include "generate/Incomplete.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/FormFields.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace ax {

// The incomplete generation form: one or two stars worked out from their spectral types and
// absolute magnitudes, with what is known of the pair's separation. Not modal; hidden rather
// than closed, and emptied when opened again. Tests find the controls by their object names.
class IncompleteSystem : public QDialog {
  Q_OBJECT

 public:
  IncompleteSystem(World& world, Random& random, QWidget* parent = nullptr);

  // Shows the form as first made, centred on the screen: empty boxes and a single star. A
  // form already open is only brought to the front.
  void Open();

 signals:
  // A new system is in the world; the system window resets its view.
  void Generated();

 private:
  // Builds the system from the texts. A rejected value shows "******" in its box, and its
  // tip and the status line say what it takes; the form stays open with the world
  // untouched. Otherwise the form hides and emits Generated.
  void Generate();
  // The form as first made: empty boxes and a single star.
  void StartAfresh();
  void ShowStarB(bool binary);
  void ShowSeparationText();
  SeparationKnowledge SelectedSeparation() const;
  IncompleteInput ReadInput() const;
  std::vector<FieldTerms> Terms() const;

  World& world_;
  Random& random_;
  QLineEdit* nameText_ = nullptr;
  QRadioButton* singleOption_ = nullptr;
  QRadioButton* binaryOption_ = nullptr;
  QLineEdit* starAType_ = nullptr;
  QLineEdit* starAMagn_ = nullptr;
  QLineEdit* starBType_ = nullptr;
  QLineEdit* starBMagn_ = nullptr;
  QRadioButton* knownOption_ = nullptr;
  QRadioButton* periodOption_ = nullptr;
  QRadioButton* closeOption_ = nullptr;
  QRadioButton* unknownOption_ = nullptr;
  QLineEdit* knownSepText_ = nullptr;
  QLineEdit* knownPeriodText_ = nullptr;
  QLabel* knownSepUnit_ = nullptr;
  QLabel* knownPeriodUnit_ = nullptr;
  QLabel* status_ = nullptr;
  std::vector<QWidget*>
      secondStar_;  // the boxes, captions, units and separation shown only for a pair
};

}  // namespace ax
