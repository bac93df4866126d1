#pragma once

#include <QDialog>

#include "cluster/ClusterGeneration.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace ax {

// The cluster generation form: size, density and shape of a new cluster, with an estimate of
// its stars. Generate hands the settings to the cluster window, which runs the generation.
// Tests find the controls by their object names.
class ClusterGenerationForm : public QDialog {
  Q_OBJECT

 public:
  explicit ClusterGenerationForm(QWidget* parent = nullptr);

  // Shown again with the texts and shape of its last use.
  void Open();

 signals:
  // Generate was pressed with these (corrected) settings; the form is hidden.
  void GenerateRequested(const ax::ClusterSettings& settings);

 private:
  ClusterSettings Settings() const;
  void UpdateClusterEstimate();
  void LimitClusterSize();
  void LimitClusterDensity();
  void Step(QLineEdit* text, int step);
  void Generate();

  QLineEdit* sizeText_ = nullptr;
  QLineEdit* densityText_ = nullptr;
  QRadioButton* cubeShape_ = nullptr;
  QRadioButton* sphereShape_ = nullptr;
  QRadioButton* fadingShape_ = nullptr;
  QLabel* starCountLabel_ = nullptr;
};

}  // namespace ax
