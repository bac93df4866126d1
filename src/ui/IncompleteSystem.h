#pragma once

#include <QDialog>

#include "generate/Incomplete.h"
#include "model/Random.h"
#include "model/World.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ax {

// The incomplete generation form: one or two stars worked out from their spectral types and
// absolute magnitudes, with what is known of the pair's separation. Not modal; hidden rather
// than closed, and emptied when opened again.
class IncompleteSystem : public QDialog {
  Q_OBJECT

 public:
  IncompleteSystem(World& world, Random& random, QWidget* parent = nullptr);

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
  QLabel* StarATypePanel = nullptr;
  QLineEdit* StarATypeText = nullptr;
  QLabel* StarAMagnPanel = nullptr;
  QLineEdit* StarAMagnText = nullptr;
  QLabel* StarBTypePanel = nullptr;
  QLineEdit* StarBTypeText = nullptr;
  QLabel* StarBMagnPanel = nullptr;
  QLineEdit* StarBMagnText = nullptr;
  QGroupBox* SeparationFrame3D = nullptr;
  QRadioButton* KnownSepOption = nullptr;
  QRadioButton* PeriodSepOption = nullptr;
  QRadioButton* CloseSepOption = nullptr;
  QRadioButton* UnknownSepOption = nullptr;
  QLineEdit* KnownSepText = nullptr;
  QLineEdit* KnownPeriodText = nullptr;
  QPushButton* IncompleteGenerateButton = nullptr;
  QPushButton* IncompleteCancelButton = nullptr;

 signals:
  // A new system is in the world; the system window resets its view.
  void Generated();

 private:
  // The form as first made: empty boxes and a single star.
  void StartAfresh();
  void ShowStarB(bool binary);
  void ShowSeparationText();
  SeparationKnowledge SelectedSeparation() const;
  IncompleteInput ReadInput() const;

  World& world_;
  Random& random_;
  QButtonGroup* starCountGroup_ = nullptr;
  QButtonGroup* separationGroup_ = nullptr;
};

}  // namespace ax
