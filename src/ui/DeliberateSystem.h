#pragma once

#include <QDialog>

#include "generate/Deliberate.h"
#include "model/Random.h"
#include "model/World.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ax {

// The deliberate generation form: one or two stars built from the mass, temperature and
// luminosity the user types. Not modal; hidden rather than closed, and emptied when opened again.
class DeliberateSystem : public QDialog {
  Q_OBJECT

 public:
  DeliberateSystem(World& world, Random& random, QWidget* parent = nullptr);

  // Shows the form as first made, centred on the screen: empty boxes and a single star. A
  // form already open is only brought to the front.
  void Open();
  // Builds the system from the texts. A rejected value shows "******" in its box and the
  // form stays open with the world untouched; otherwise the form hides and emits Generated.
  void Generate();

  QLabel* SystemNamePanel = nullptr;
  QLineEdit* SystemNameText = nullptr;
  QGroupBox* SingleBinaryOptions = nullptr;
  QRadioButton* SingleStarOption = nullptr;
  QRadioButton* BinaryStarOption = nullptr;
  QLabel* StarAMassPanel = nullptr;
  QLineEdit* StarAMassText = nullptr;
  QLabel* StarATempPanel = nullptr;
  QLineEdit* StarATempText = nullptr;
  QLabel* StarALumnPanel = nullptr;
  QLineEdit* StarALumnText = nullptr;
  QLabel* StarBMassPanel = nullptr;
  QLineEdit* StarBMassText = nullptr;
  QLabel* StarBTempPanel = nullptr;
  QLineEdit* StarBTempText = nullptr;
  QLabel* StarBLumnPanel = nullptr;
  QLineEdit* StarBLumnText = nullptr;
  QLabel* SeparationPanel = nullptr;
  QLineEdit* SeparationText = nullptr;
  QLabel* AgePanel = nullptr;
  QLineEdit* AgeText = nullptr;
  QPushButton* DeliberateGenerateButton = nullptr;
  QPushButton* DeliberateCancelButtton = nullptr;

 signals:
  // A new system is in the world; the system window resets its view.
  void Generated();

 private:
  // The form as first made: empty boxes and a single star.
  void StartAfresh();
  void ShowStarB(bool binary);
  DeliberateInput ReadInput() const;

  World& world_;
  Random& random_;
  QButtonGroup* starCountGroup_ = nullptr;
};

}  // namespace ax
