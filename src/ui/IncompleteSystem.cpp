#include "ui/IncompleteSystem.h"

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
namespace {

QRadioButton* AddOption(QGroupBox* frame, QButtonGroup* group, const char* name,
                        const char* caption) {
  auto* option = new QRadioButton(QString::fromLatin1(caption), frame);
  option->setObjectName(QString::fromLatin1(name));
  group->addButton(option);
  return option;
}

QString MagnitudeTip() {
  return QStringLiteral(
             "Absolute magnitude: its light must be %1 suns and every mass it can "
             "give %2 solar masses")
      .arg(Latin1Text(kStarLuminosityRange.text), Latin1Text(kStarMassRange.text));
}

QLineEdit* AddText(QGroupBox* frame, const char* name) {
  auto* text = new QLineEdit(frame);
  text->setObjectName(QString::fromLatin1(name));
  return text;
}

}  // namespace

IncompleteSystem::IncompleteSystem(World& world, Random& random, QWidget* parent)
    : QDialog(parent), world_(world), random_(random) {
  setObjectName(QStringLiteral("IncompleteSystem"));
  setWindowTitle(QStringLiteral("Incomplete System Generation"));
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
  starCountGroup_ = new QButtonGroup(this);
  SingleStarOption = AddOption(SingleBinaryOptions, starCountGroup_, "SingleStarOption", "Single");
  BinaryStarOption = AddOption(SingleBinaryOptions, starCountGroup_, "BinaryStarOption", "Binary");
  auto* options = new QHBoxLayout(SingleBinaryOptions);
  options->addWidget(SingleStarOption);
  options->addWidget(BinaryStarOption);

  // Star 1 in the left column, star 2 beside it.
  auto* stars = new QGridLayout;
  StarATypeText =
      AddField(this, stars, 0, 0, StarATypePanel, "StarATypePanel", "Star Type:", "StarATypeText");
  StarAMagnText =
      AddField(this, stars, 1, 0, StarAMagnPanel, "StarAMagnPanel", "Abs Magn:", "StarAMagnText");
  StarBTypeText =
      AddField(this, stars, 0, 2, StarBTypePanel, "StarBTypePanel", "Star Type:", "StarBTypeText");
  StarBMagnText =
      AddField(this, stars, 1, 2, StarBMagnPanel, "StarBMagnPanel", "Abs Magn:", "StarBMagnText");

  SeparationFrame3D = new QGroupBox(QStringLiteral("Separation"), this);
  SeparationFrame3D->setObjectName(QStringLiteral("SeparationFrame3D"));
  separationGroup_ = new QButtonGroup(this);
  KnownSepOption = AddOption(SeparationFrame3D, separationGroup_, "KnownSepOption", "Known");
  PeriodSepOption = AddOption(SeparationFrame3D, separationGroup_, "PeriodSepOption", "Period");
  CloseSepOption = AddOption(SeparationFrame3D, separationGroup_, "CloseSepOption", "Close");
  UnknownSepOption = AddOption(SeparationFrame3D, separationGroup_, "UnknownSepOption", "Unknown");
  KnownSepText = AddText(SeparationFrame3D, "KnownSepText");
  KnownPeriodText = AddText(SeparationFrame3D, "KnownPeriodText");
  auto* separation = new QGridLayout(SeparationFrame3D);
  separation->addWidget(KnownSepOption, 0, 0);
  separation->addWidget(KnownSepText, 0, 1);
  separation->addWidget(PeriodSepOption, 1, 0);
  separation->addWidget(KnownPeriodText, 1, 1);
  separation->addWidget(CloseSepOption, 2, 0);
  separation->addWidget(UnknownSepOption, 3, 0);
  StarAMagnText->setToolTip(MagnitudeTip());
  StarBMagnText->setToolTip(MagnitudeTip());
  KnownSepText->setToolTip(RangeTip("AU", kStarSeparationRange));
  KnownPeriodText->setToolTip(QStringLiteral("Years; the separation it gives must be %1 AU")
                                  .arg(Latin1Text(kStarSeparationRange.text)));

  IncompleteGenerateButton = new QPushButton(QStringLiteral("Generate"), this);
  IncompleteGenerateButton->setObjectName(QStringLiteral("IncompleteGenerateButton"));
  IncompleteGenerateButton->setDefault(true);
  IncompleteCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  IncompleteCancelButton->setObjectName(QStringLiteral("IncompleteCancelButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(IncompleteGenerateButton);
  buttons->addWidget(IncompleteCancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(nameRow);
  layout->addWidget(SingleBinaryOptions);
  layout->addLayout(stars);
  layout->addWidget(SeparationFrame3D);
  layout->addLayout(buttons);

  QWidget* const order[] = {SystemNameText,        SingleStarOption,
                            BinaryStarOption,      StarATypeText,
                            StarAMagnText,         StarBTypeText,
                            StarBMagnText,         KnownSepOption,
                            KnownSepText,          PeriodSepOption,
                            KnownPeriodText,       CloseSepOption,
                            UnknownSepOption,      IncompleteGenerateButton,
                            IncompleteCancelButton};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Enter reaches the default button Generate and Escape rejects, which hides the form.
  connect(IncompleteGenerateButton, &QPushButton::clicked, this, &IncompleteSystem::Generate);
  connect(IncompleteCancelButton, &QPushButton::clicked, this, &IncompleteSystem::reject);
  connect(BinaryStarOption, &QRadioButton::toggled, this, &IncompleteSystem::ShowStarB);
  connect(separationGroup_, &QButtonGroup::buttonToggled, this,
          &IncompleteSystem::ShowSeparationText);
  StartAfresh();
}

void IncompleteSystem::ShowStarB(bool binary) {
  QWidget* const fields[] = {StarBTypePanel, StarBTypeText, StarBMagnPanel, StarBMagnText,
                             SeparationFrame3D};
  for (QWidget* field : fields) field->setVisible(binary);
}

// Only the box of the chosen kind of knowledge is offered.
void IncompleteSystem::ShowSeparationText() {
  KnownSepText->setVisible(KnownSepOption->isChecked());
  KnownPeriodText->setVisible(PeriodSepOption->isChecked());
}

void IncompleteSystem::StartAfresh() {
  for (QLineEdit* text : findChildren<QLineEdit*>()) text->clear();
  SingleStarOption->setChecked(true);
  // The box shown beside "Known" asks for the separation: a pair is never left without one.
  KnownSepOption->setChecked(true);
  ShowStarB(false);
  ShowSeparationText();
}

void IncompleteSystem::Open() {
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

SeparationKnowledge IncompleteSystem::SelectedSeparation() const {
  if (KnownSepOption->isChecked()) return SeparationKnowledge::kKnown;
  if (PeriodSepOption->isChecked()) return SeparationKnowledge::kPeriod;
  if (CloseSepOption->isChecked()) return SeparationKnowledge::kClose;
  if (UnknownSepOption->isChecked()) return SeparationKnowledge::kUnknown;
  return SeparationKnowledge::kNone;
}

IncompleteInput IncompleteSystem::ReadInput() const {
  IncompleteInput input;
  input.systemName = Latin1(SystemNameText);
  input.binary = BinaryStarOption->isChecked();
  input.starAType = Latin1(StarATypeText);
  input.starAMagn = Latin1(StarAMagnText);
  input.starBType = Latin1(StarBTypeText);
  input.starBMagn = Latin1(StarBMagnText);
  input.separation = SelectedSeparation();
  input.knownSep = Latin1(KnownSepText);
  input.knownPeriod = Latin1(KnownPeriodText);
  return input;
}

void IncompleteSystem::Generate() {
  const std::vector<std::string> rejected = GenerateIncompleteSystem(world_, random_, ReadInput());
  if (!rejected.empty()) {
    MarkRejected(*this, rejected);
    return;
  }
  hide();
  setResult(QDialog::Accepted);
  emit Generated();
}

}  // namespace ax
