#include "ui/ClusterGenerationForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

#include "ui/FormFields.h"
#include "ui/SpinArrows.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

std::string Text(const QLineEdit* box) {
  return box->text().toStdString();
}

}  // namespace

ClusterGenerationForm::ClusterGenerationForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ClusterGeneration"));
  setWindowTitle(QStringLiteral("Cluster Generation"));

  auto* sizeLabel = Named(new QLabel(QStringLiteral("Size:"), this), "ClusterSizeLabel");
  sizeText_ = Named(new QLineEdit(QStringLiteral("100"), this), "ClusterSizeText");
  auto* sizeSpin = new SpinArrows("ClusterSizeSpin", this);
  auto* densityLabel = Named(new QLabel(QStringLiteral("Density:"), this), "ClusterDensityLabel");
  auto* onePerLabel = Named(new QLabel(QStringLiteral("1:"), this), "OnePerLabel");
  densityText_ = Named(new QLineEdit(QStringLiteral("350"), this), "ClusterDensityText");
  auto* densitySpin = new SpinArrows("ClusterDensitySpin", this);
  sizeLabel->setBuddy(sizeText_);
  densityLabel->setBuddy(densityText_);

  auto* shapeFrame = Named(new QGroupBox(QStringLiteral("Shape"), this), "ClusterShapeFrame");
  cubeShape_ = Named(new QRadioButton(QStringLiteral("Cube"), shapeFrame), "CubeClusterShape");
  sphereShape_ =
      Named(new QRadioButton(QStringLiteral("Sphere"), shapeFrame), "SphereClusterShape");
  fadingShape_ =
      Named(new QRadioButton(QStringLiteral("Fading Sphere"), shapeFrame), "FadingClusterShape");
  // One shape is always chosen, so a generation never runs without one.
  cubeShape_->setChecked(true);
  auto* shapes = new QVBoxLayout(shapeFrame);
  shapes->addWidget(cubeShape_);
  shapes->addWidget(sphereShape_);
  shapes->addWidget(fadingShape_);

  starCountLabel_ =
      Named(new QLabel(QStringLiteral("Estimated Star Count:"), this), "ClusterStarCountLabel");
  auto* fields = new QGridLayout;
  fields->addWidget(sizeLabel, 0, 0);
  fields->addWidget(sizeText_, 0, 2);
  fields->addWidget(sizeSpin, 0, 3);
  fields->addWidget(densityLabel, 1, 0);
  fields->addWidget(onePerLabel, 1, 1);
  fields->addWidget(densityText_, 1, 2);
  fields->addWidget(densitySpin, 1, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(shapeFrame);
  layout->addWidget(starCountLabel_);
  const auto [generate, cancel] =
      AddDialogButtons(this, layout, "Generate", "ClusterGenerate", "ClusterCancel");

  setTabOrder(cubeShape_, sizeText_);
  setTabOrder(sizeText_, densityText_);
  setTabOrder(densityText_, generate);
  setTabOrder(generate, cancel);

  connect(sizeText_, &QLineEdit::textChanged, this, &ClusterGenerationForm::LimitClusterSize);
  connect(densityText_, &QLineEdit::textChanged, this, &ClusterGenerationForm::LimitClusterDensity);
  // Up makes the size larger but the cluster denser: one star per fewer cells.
  connect(sizeSpin, &SpinArrows::Up, this, [this] { Step(sizeText_, 1); });
  connect(sizeSpin, &SpinArrows::Down, this, [this] { Step(sizeText_, -1); });
  connect(densitySpin, &SpinArrows::Up, this, [this] { Step(densityText_, -1); });
  connect(densitySpin, &SpinArrows::Down, this, [this] { Step(densityText_, 1); });
  for (QRadioButton* shape : {cubeShape_, sphereShape_, fadingShape_}) {
    connect(shape, &QRadioButton::toggled, this, &ClusterGenerationForm::UpdateClusterEstimate);
  }
  connect(generate, &QPushButton::clicked, this, &ClusterGenerationForm::Generate);
  connect(cancel, &QPushButton::clicked, this, &ClusterGenerationForm::hide);

  UpdateClusterEstimate();
}

void ClusterGenerationForm::Open() {
  CentreOn(*this, parentWidget());
  show();
  raise();
  activateWindow();
  (cubeShape_->isChecked()     ? cubeShape_
   : sphereShape_->isChecked() ? sphereShape_
                               : fadingShape_)
      ->setFocus();
}

ClusterSettings ClusterGenerationForm::Settings() const {
  ClusterSettings settings;
  settings.Size = ClusterTextValue(Text(sizeText_));
  settings.Density = ClusterTextValue(Text(densityText_));
  settings.Shape = sphereShape_->isChecked()   ? ClusterShape::Sphere
                   : fadingShape_->isChecked() ? ClusterShape::FadingSphere
                                               : ClusterShape::Cube;
  return settings;
}

void ClusterGenerationForm::UpdateClusterEstimate() {
  starCountLabel_->setText(
      QStringLiteral("Estimated StarCount:   %1").arg(ClusterEstimate(Settings())));
}

void ClusterGenerationForm::LimitClusterSize() {
  // The corrected text raises the change once more and then is within range.
  if (const auto corrected = LimitClusterSizeText(Text(sizeText_))) {
    sizeText_->setText(QString::fromStdString(*corrected));
  }
  UpdateClusterEstimate();
}

void ClusterGenerationForm::LimitClusterDensity() {
  if (const auto corrected = LimitClusterDensityText(Text(densityText_))) {
    densityText_->setText(QString::fromStdString(*corrected));
  }
  UpdateClusterEstimate();
}

void ClusterGenerationForm::Step(QLineEdit* text, int step) {
  text->setText(QString::number(ClusterTextValue(Text(text)) + step));
  UpdateClusterEstimate();
}

void ClusterGenerationForm::Generate() {
  LimitClusterSize();
  hide();
  emit GenerateRequested(Settings());
}

}  // namespace ax
