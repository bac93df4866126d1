#include "ui/ClusterGeneration.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>

#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

SpinArrows AddSpin(QWidget* form, const char* name) {
  SpinArrows spin;
  spin.Up = Named(new QToolButton(form), name);
  spin.Down = Named(new QToolButton(form), name);
  spin.Up->setArrowType(Qt::UpArrow);
  spin.Down->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {spin.Up, spin.Down}) {
    arrow->setAutoRepeat(true);
    arrow->setFixedSize(18, 12);
    arrow->setFocusPolicy(Qt::NoFocus);
  }
  return spin;
}

QLayout* SpinColumn(const SpinArrows& spin) {
  auto* column = new QVBoxLayout;
  column->setSpacing(0);
  column->addWidget(spin.Up);
  column->addWidget(spin.Down);
  return column;
}

std::string Text(const QLineEdit* box) {
  return box->text().toStdString();
}

}  // namespace

ClusterGeneration::ClusterGeneration(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ClusterGeneration"));
  setWindowTitle(QStringLiteral("Cluster Generation"));

  ClusterSizeLabel = Named(new QLabel(QStringLiteral("Size:"), this), "ClusterSizeLabel");
  ClusterSizeText = Named(new QLineEdit(QStringLiteral("100"), this), "ClusterSizeText");
  ClusterSizeSpin = AddSpin(this, "ClusterSizeSpin");
  ClusterDensityLabel = Named(new QLabel(QStringLiteral("Density:"), this), "ClusterDensityLabel");
  OnePerLabel = Named(new QLabel(QStringLiteral("1:"), this), "OnePerLabel");
  ClusterDensityText = Named(new QLineEdit(QStringLiteral("350"), this), "ClusterDensityText");
  ClusterDensitySpin = AddSpin(this, "ClusterDensitySpin");
  ClusterSizeLabel->setBuddy(ClusterSizeText);
  ClusterDensityLabel->setBuddy(ClusterDensityText);

  ClusterShapeFrame = Named(new QGroupBox(QStringLiteral("Shape"), this), "ClusterShapeFrame");
  CubeClusterShape =
      Named(new QRadioButton(QStringLiteral("Cube"), ClusterShapeFrame), "CubeClusterShape");
  SphereClusterShape =
      Named(new QRadioButton(QStringLiteral("Sphere"), ClusterShapeFrame), "SphereClusterShape");
  FadingClusterShape = Named(new QRadioButton(QStringLiteral("Fading Sphere"), ClusterShapeFrame),
                             "FadingClusterShape");
  // One shape is always chosen, so a generation never runs without one.
  CubeClusterShape->setChecked(true);
  auto* shapes = new QVBoxLayout(ClusterShapeFrame);
  shapes->addWidget(CubeClusterShape);
  shapes->addWidget(SphereClusterShape);
  shapes->addWidget(FadingClusterShape);

  ClusterStarCountLabel =
      Named(new QLabel(QStringLiteral("Estimated Star Count:"), this), "ClusterStarCountLabel");
  ClusterGenerate = Named(new QPushButton(QStringLiteral("Generate"), this), "ClusterGenerate");
  ClusterGenerate->setDefault(true);
  ClusterCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "ClusterCancel");

  auto* fields = new QGridLayout;
  fields->addWidget(ClusterSizeLabel, 0, 0);
  fields->addWidget(ClusterSizeText, 0, 2);
  fields->addLayout(SpinColumn(ClusterSizeSpin), 0, 3);
  fields->addWidget(ClusterDensityLabel, 1, 0);
  fields->addWidget(OnePerLabel, 1, 1);
  fields->addWidget(ClusterDensityText, 1, 2);
  fields->addLayout(SpinColumn(ClusterDensitySpin), 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ClusterGenerate);
  buttons->addWidget(ClusterCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(ClusterShapeFrame);
  layout->addWidget(ClusterStarCountLabel);
  layout->addLayout(buttons);

  setTabOrder(CubeClusterShape, ClusterSizeText);
  setTabOrder(ClusterSizeText, ClusterDensityText);
  setTabOrder(ClusterDensityText, ClusterGenerate);
  setTabOrder(ClusterGenerate, ClusterCancel);

  connect(ClusterSizeText, &QLineEdit::textChanged, this, &ClusterGeneration::LimitClusterSize);
  connect(ClusterDensityText, &QLineEdit::textChanged, this,
          &ClusterGeneration::LimitClusterDensity);
  // Up makes the size larger but the cluster denser: one star per fewer cells.
  connect(ClusterSizeSpin.Up, &QToolButton::clicked, this, [this] { Step(ClusterSizeText, 1); });
  connect(ClusterSizeSpin.Down, &QToolButton::clicked, this, [this] { Step(ClusterSizeText, -1); });
  connect(ClusterDensitySpin.Up, &QToolButton::clicked, this,
          [this] { Step(ClusterDensityText, -1); });
  connect(ClusterDensitySpin.Down, &QToolButton::clicked, this,
          [this] { Step(ClusterDensityText, 1); });
  for (QRadioButton* shape : {CubeClusterShape, SphereClusterShape, FadingClusterShape}) {
    connect(shape, &QRadioButton::toggled, this, &ClusterGeneration::UpdateClusterEstimate);
  }
  connect(ClusterGenerate, &QPushButton::clicked, this, &ClusterGeneration::Generate);
  connect(ClusterCancel, &QPushButton::clicked, this, &ClusterGeneration::hide);

  UpdateClusterEstimate();
}

void ClusterGeneration::Open() {
  CentreOnScreen(*this);
  show();
  raise();
  activateWindow();
  (CubeClusterShape->isChecked()     ? CubeClusterShape
   : SphereClusterShape->isChecked() ? SphereClusterShape
                                     : FadingClusterShape)
      ->setFocus();
}

ClusterSettings ClusterGeneration::Settings() const {
  ClusterSettings settings;
  settings.Size = ClusterTextValue(Text(ClusterSizeText));
  settings.Density = ClusterTextValue(Text(ClusterDensityText));
  settings.Shape = SphereClusterShape->isChecked()   ? ClusterShape::Sphere
                   : FadingClusterShape->isChecked() ? ClusterShape::FadingSphere
                                                     : ClusterShape::Cube;
  return settings;
}

void ClusterGeneration::UpdateClusterEstimate() {
  ClusterStarCountLabel->setText(
      QStringLiteral("Estimated StarCount:   %1").arg(ClusterEstimate(Settings())));
}

void ClusterGeneration::LimitClusterSize() {
  // The corrected text raises the change once more and then is within range.
  if (const auto corrected = LimitClusterSizeText(Text(ClusterSizeText))) {
    ClusterSizeText->setText(QString::fromStdString(*corrected));
  }
  UpdateClusterEstimate();
}

void ClusterGeneration::LimitClusterDensity() {
  if (const auto corrected = LimitClusterDensityText(Text(ClusterDensityText))) {
    ClusterDensityText->setText(QString::fromStdString(*corrected));
  }
  UpdateClusterEstimate();
}

void ClusterGeneration::Step(QLineEdit* text, int step) {
  text->setText(QString::number(ClusterTextValue(Text(text)) + step));
  UpdateClusterEstimate();
}

void ClusterGeneration::Generate() {
  LimitClusterSize();
  hide();
  emit GenerateRequested(Settings());
}

}  // namespace ax
