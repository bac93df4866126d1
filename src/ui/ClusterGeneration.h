#pragma once

#include <QDialog>

#include "cluster/ClusterGeneration.h"

class QLabel;
class QLineEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ax {

// A spin button: an up and a down arrow beside a text box, repeating while held.
struct SpinArrows {
  QToolButton* Up = nullptr;
  QToolButton* Down = nullptr;
};

// The cluster generation form: size, density and shape of a new cluster, with an estimate of
// its stars. Generate hands the settings to the cluster window, which runs the generation.
class ClusterGeneration : public QDialog {
  Q_OBJECT

 public:
  explicit ClusterGeneration(QWidget* parent = nullptr);

  // Shown again with the texts and shape of its last use.
  void Open();
  ClusterSettings Settings() const;
  void UpdateClusterEstimate();

  QLabel* ClusterSizeLabel = nullptr;
  QLineEdit* ClusterSizeText = nullptr;
  SpinArrows ClusterSizeSpin;
  QLabel* ClusterDensityLabel = nullptr;
  QLabel* OnePerLabel = nullptr;
  QLineEdit* ClusterDensityText = nullptr;
  SpinArrows ClusterDensitySpin;
  QGroupBox* ClusterShapeFrame = nullptr;
  QRadioButton* CubeClusterShape = nullptr;
  QRadioButton* SphereClusterShape = nullptr;
  QRadioButton* FadingClusterShape = nullptr;
  QLabel* ClusterStarCountLabel = nullptr;
  QPushButton* ClusterGenerate = nullptr;
  QPushButton* ClusterCancel = nullptr;

 signals:
  // Generate was pressed with these (corrected) settings; the form is hidden.
  void GenerateRequested(const ax::ClusterSettings& settings);

 private:
  void LimitClusterSize();
  void LimitClusterDensity();
  void Step(QLineEdit* text, int step);
  void Generate();
};

}  // namespace ax
