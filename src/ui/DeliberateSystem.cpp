#include "ui/DeliberateSystem.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <string>
#include <vector>

#include "generate/StarLimits.h"
#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {
DeliberateSystem::DeliberateSystem(World& world, Random& random, QWidget* parent)
    : QDialog(parent), world_(world), random_(random) {
  setObjectName(QStringLiteral("DeliberateSystem"));
  setWindowTitle(QStringLiteral("Deliberate System Generation"));
  setModal(false);

  auto* nameRow = new QHBoxLayout;
  SystemNamePanel = new QLabel(QStringLiteral("System Name:"), this);
  SystemNamePanel->setObjectName(QStringLiteral("SystemNamePanel"));
  SystemNameText = new QLineEdit(this);
  SystemNameText->setObjectName(QStringLiteral("SystemNameText"));
  SystemNamePanel->setBuddy(SystemNameText);
  nameRow->addWidget(SystemNamePanel);
  nameRow->addWidget(SystemNameText, 1);

  SingleBinaryOptions = new QGroupBox(this);
  SingleBinaryOptions->setObjectName(QStringLiteral("SingleBinaryOptions"));
  SingleStarOption = new QRadioButton(QStringLiteral("Single"), SingleBinaryOptions);
  SingleStarOption->setObjectName(QStringLiteral("SingleStarOption"));
  BinaryStarOption = new QRadioButton(QStringLiteral("Binary"), SingleBinaryOptions);
  BinaryStarOption->setObjectName(QStringLiteral("BinaryStarOption"));
  auto* options = new QHBoxLayout(SingleBinaryOptions);
  options->addWidget(SingleStarOption);
  options->addWidget(BinaryStarOption);
  starCountGroup_ = new QButtonGroup(this);
  starCountGroup_->addButton(SingleStarOption);
  starCountGroup_->addButton(BinaryStarOption);

  // Star 1 in the left column, star 2 beside it.
  auto* stars = new QGridLayout;
  StarAMassText =
      AddField(this, stars, 0, 0, StarAMassPanel, "StarAMassPanel", "Mass:", "StarAMassText");
  StarATempText =
      AddField(this, stars, 1, 0, StarATempPanel, "StarATempPanel", "Temp:", "StarATempText");
  StarALumnText =
      AddField(this, stars, 2, 0, StarALumnPanel, "StarALumnPanel", "Lumn:", "StarALumnText");
  StarBMassText =
      AddField(this, stars, 0, 2, StarBMassPanel, "StarBMassPanel", "Mass:", "StarBMassText");
  StarBTempText =
      AddField(this, stars, 1, 2, StarBTempPanel, "StarBTempPanel", "Temp:", "StarBTempText");
  StarBLumnText =
      AddField(this, stars, 2, 2, StarBLumnPanel, "StarBLumnPanel", "Lumn:", "StarBLumnText");
  SeparationText = AddField(this, stars, 3, 0, SeparationPanel, "SeparationPanel",
                            "Separation:", "SeparationText");
  AgeText = AddField(this, stars, 3, 2, AgePanel, "AgePanel", "Age:", "AgeText");
  for (QLineEdit* mass : {StarAMassText, StarBMassText}) {
    mass->setToolTip(RangeTip("Solar masses", kStarMassRange));
  }
  for (QLineEdit* temperature : {StarATempText, StarBTempText}) {
    temperature->setToolTip(RangeTip("Kelvin", kStarTemperatureRange));
  }
  for (QLineEdit* luminosity : {StarALumnText, StarBLumnText}) {
    luminosity->setToolTip(RangeTip("Solar units", kStarLuminosityRange));
  }
  SeparationText->setToolTip(RangeTip("AU", kStarSeparationRange));

  DeliberateGenerateButton = new QPushButton(QStringLiteral("Generate"), this);
  DeliberateGenerateButton->setObjectName(QStringLiteral("DeliberateGenerateButton"));
  DeliberateGenerateButton->setDefault(true);
  DeliberateCancelButtton = new QPushButton(QStringLiteral("Cancel"), this);
  DeliberateCancelButtton->setObjectName(QStringLiteral("DeliberateCancelButtton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(DeliberateGenerateButton);
  buttons->addWidget(DeliberateCancelButtton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(nameRow);
  layout->addWidget(SingleBinaryOptions);
  layout->addLayout(stars);
  layout->addLayout(buttons);

  // Down star 1, then star 2, then the pair's and the system's values.
  QWidget* const order[] = {SystemNameText,         SingleStarOption, BinaryStarOption,
                            StarAMassText,          StarATempText,    StarALumnText,
                            StarBMassText,          StarBTempText,    StarBLumnText,
                            SeparationText,         AgeText,          DeliberateGenerateButton,
                            DeliberateCancelButtton};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Enter reaches the default button Generate and Escape rejects, which hides the form.
  connect(DeliberateGenerateButton, &QPushButton::clicked, this, &DeliberateSystem::Generate);
  connect(DeliberateCancelButtton, &QPushButton::clicked, this, &DeliberateSystem::reject);
  connect(BinaryStarOption, &QRadioButton::toggled, this, &DeliberateSystem::ShowStarB);
  StartAfresh();
}

void DeliberateSystem::ShowStarB(bool binary) {
  QWidget* const fields[] = {StarBMassPanel, StarBMassText, StarBTempPanel,  StarBTempText,
                             StarBLumnPanel, StarBLumnText, SeparationPanel, SeparationText};
  for (QWidget* field : fields) field->setVisible(binary);
}

void DeliberateSystem::StartAfresh() {
  for (QLineEdit* text : findChildren<QLineEdit*>()) text->clear();
  SingleStarOption->setChecked(true);
  ShowStarB(false);
}

void DeliberateSystem::Open() {
  // A form already open keeps what is being typed in it.
  if (!isVisible()) {
    StartAfresh();
    adjustSize();
    CentreOnScreen(*this);
  }
  show();
  raise();
  activateWindow();
  SystemNameText->setFocus();
}

DeliberateInput DeliberateSystem::ReadInput() const {
  DeliberateInput input;
  input.systemName = Latin1(SystemNameText);
  input.binary = BinaryStarOption->isChecked();
  input.starAMass = Latin1(StarAMassText);
  input.starATemp = Latin1(StarATempText);
  input.starALumn = Latin1(StarALumnText);
  input.starBMass = Latin1(StarBMassText);
  input.starBTemp = Latin1(StarBTempText);
  input.starBLumn = Latin1(StarBLumnText);
  input.separation = Latin1(SeparationText);
  input.age = Latin1(AgeText);
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
