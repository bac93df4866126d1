#include "ui/DeliberateSystem.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <string>
#include <tuple>

#include "generate/StarLimits.h"
#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {
DeliberateSystem::DeliberateSystem(World& world, Random& random, QWidget* parent)
    : QDialog(parent), world_(world), random_(random) {
  setObjectName(QStringLiteral("DeliberateSystem"));
  setWindowTitle(QStringLiteral("Deliberate System Generation"));
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  nameText_ = AddSystemNameRow(this, layout);
  std::tie(singleOption_, binaryOption_) = AddStarCountOptions(this, layout);

  // Star 1 in the left column, star 2 beside it.
  auto* stars = new QGridLayout;
  QLabel* panel = nullptr;
  starAMass_ = AddField(this, stars, 0, 0, panel, "StarAMassPanel", "Mass:", "StarAMassText");
  starATemp_ = AddField(this, stars, 1, 0, panel, "StarATempPanel", "Temp:", "StarATempText");
  starALumn_ = AddField(this, stars, 2, 0, panel, "StarALumnPanel", "Lumn:", "StarALumnText");
  starBMass_ = AddField(this, stars, 0, 2, panel, "StarBMassPanel", "Mass:", "StarBMassText");
  secondStar_.insert(secondStar_.end(), {panel, starBMass_});
  starBTemp_ = AddField(this, stars, 1, 2, panel, "StarBTempPanel", "Temp:", "StarBTempText");
  secondStar_.insert(secondStar_.end(), {panel, starBTemp_});
  starBLumn_ = AddField(this, stars, 2, 2, panel, "StarBLumnPanel", "Lumn:", "StarBLumnText");
  secondStar_.insert(secondStar_.end(), {panel, starBLumn_});
  separationText_ =
      AddField(this, stars, 3, 0, panel, "SeparationPanel", "Separation:", "SeparationText");
  secondStar_.insert(secondStar_.end(), {panel, separationText_});
  ageText_ = AddField(this, stars, 3, 2, panel, "AgePanel", "Age:", "AgeText");
  for (QLineEdit* mass : {starAMass_, starBMass_}) {
    mass->setToolTip(RangeTip("Solar masses", kStarMassRange));
  }
  for (QLineEdit* temperature : {starATemp_, starBTemp_}) {
    temperature->setToolTip(RangeTip("Kelvin", kStarTemperatureRange));
  }
  for (QLineEdit* luminosity : {starALumn_, starBLumn_}) {
    luminosity->setToolTip(RangeTip("Solar units", kStarLuminosityRange));
  }
  separationText_->setToolTip(RangeTip("AU", kStarSeparationRange));

  layout->addLayout(stars);
  const auto [generate, cancel] = AddDialogButtons(
      this, layout, "Generate", "DeliberateGenerateButton", "DeliberateCancelButtton");

  // Down star 1, then star 2, then the pair's and the system's values.
  QWidget* const order[] = {nameText_,  singleOption_, binaryOption_, starAMass_, starATemp_,
                            starALumn_, starBMass_,    starBTemp_,    starBLumn_, separationText_,
                            ageText_,   generate,      cancel};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Enter reaches the default button Generate and Escape rejects, which hides the form.
  connect(generate, &QPushButton::clicked, this, &DeliberateSystem::Generate);
  connect(cancel, &QPushButton::clicked, this, &DeliberateSystem::reject);
  connect(binaryOption_, &QRadioButton::toggled, this, &DeliberateSystem::ShowStarB);
  StartAfresh();
}

void DeliberateSystem::ShowStarB(bool binary) {
  for (QWidget* field : secondStar_) field->setVisible(binary);
}

void DeliberateSystem::StartAfresh() {
  for (QLineEdit* text : findChildren<QLineEdit*>()) text->clear();
  singleOption_->setChecked(true);
  ShowStarB(false);
}

void DeliberateSystem::Open() {
  // A form already open keeps what is being typed in it.
  if (!isVisible()) {
    StartAfresh();
    adjustSize();
    CentreOn(*this, parentWidget());
  }
  show();
  raise();
  activateWindow();
  nameText_->setFocus();
}

DeliberateInput DeliberateSystem::ReadInput() const {
  DeliberateInput input;
  input.systemName = Latin1(nameText_);
  input.binary = binaryOption_->isChecked();
  input.starAMass = Latin1(starAMass_);
  input.starATemp = Latin1(starATemp_);
  input.starALumn = Latin1(starALumn_);
  input.starBMass = Latin1(starBMass_);
  input.starBTemp = Latin1(starBTemp_);
  input.starBLumn = Latin1(starBLumn_);
  input.separation = Latin1(separationText_);
  input.age = Latin1(ageText_);
  return input;
}

void DeliberateSystem::Generate() {
  const std::vector<std::string> rejected = GenerateDeliberateSystem(world_, random_, ReadInput());
  if (!rejected.empty()) {
    MarkRejected(*this, rejected);
    return;
  }
  hide();
  setResult(QDialog::Accepted);
  emit Generated();
}

}  // namespace ax
