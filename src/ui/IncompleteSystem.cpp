#include "ui/IncompleteSystem.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "generate/StarLimits.h"
#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

QString MagnitudeTip() {
  return QStringLiteral(
             "Absolute magnitude: its light must be %1 suns and every mass it can "
             "give %2 solar masses")
      .arg(Latin1Text(kStarLuminosityRange.text), Latin1Text(kStarMassRange.text));
}

}  // namespace

IncompleteSystem::IncompleteSystem(World& world, Random& random, QWidget* parent)
    : QDialog(parent), world_(world), random_(random) {
  setObjectName(QStringLiteral("IncompleteSystem"));
  setWindowTitle(QStringLiteral("Incomplete System Generation"));
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  nameText_ = AddSystemNameRow(this, layout);
  std::tie(singleOption_, binaryOption_) = AddStarCountOptions(this, layout);

  // Star 1 in the left column, star 2 beside it.
  auto* stars = new QGridLayout;
  QLabel* panel = nullptr;
  starAType_ = AddField(this, stars, 0, 0, panel, "StarATypePanel", "Star Type:", "StarATypeText");
  starAMagn_ = AddField(this, stars, 1, 0, panel, "StarAMagnPanel", "Abs Magn:", "StarAMagnText");
  starBType_ = AddField(this, stars, 0, 2, panel, "StarBTypePanel", "Star Type:", "StarBTypeText");
  secondStar_.insert(secondStar_.end(), {panel, starBType_});
  starBMagn_ = AddField(this, stars, 1, 2, panel, "StarBMagnPanel", "Abs Magn:", "StarBMagnText");
  secondStar_.insert(secondStar_.end(), {panel, starBMagn_});

  auto* separationFrame =
      Named(new QGroupBox(QStringLiteral("Separation"), this), "SeparationFrame3D");
  secondStar_.push_back(separationFrame);
  auto* separationGroup = new QButtonGroup(this);
  knownOption_ = AddOption(separationFrame, separationGroup, "KnownSepOption", "Known");
  periodOption_ = AddOption(separationFrame, separationGroup, "PeriodSepOption", "Period");
  closeOption_ = AddOption(separationFrame, separationGroup, "CloseSepOption", "Close");
  unknownOption_ = AddOption(separationFrame, separationGroup, "UnknownSepOption", "Unknown");
  knownSepText_ = Named(new QLineEdit(separationFrame), "KnownSepText");
  knownPeriodText_ = Named(new QLineEdit(separationFrame), "KnownPeriodText");
  auto* separation = new QGridLayout(separationFrame);
  separation->addWidget(knownOption_, 0, 0);
  separation->addWidget(knownSepText_, 0, 1);
  separation->addWidget(periodOption_, 1, 0);
  separation->addWidget(knownPeriodText_, 1, 1);
  separation->addWidget(closeOption_, 2, 0);
  separation->addWidget(unknownOption_, 3, 0);
  starAMagn_->setToolTip(MagnitudeTip());
  starBMagn_->setToolTip(MagnitudeTip());
  knownSepText_->setToolTip(RangeTip("AU", kStarSeparationRange));
  knownPeriodText_->setToolTip(QStringLiteral("Years; the separation it gives must be %1 AU")
                                   .arg(Latin1Text(kStarSeparationRange.text)));

  layout->addLayout(stars);
  layout->addWidget(separationFrame);
  const auto [generate, cancel] = AddDialogButtons(
      this, layout, "Generate", "IncompleteGenerateButton", "IncompleteCancelButton");

  QWidget* const order[] = {
      nameText_,        singleOption_, binaryOption_,  starAType_,    starAMagn_,
      starBType_,       starBMagn_,    knownOption_,   knownSepText_, periodOption_,
      knownPeriodText_, closeOption_,  unknownOption_, generate,      cancel};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Enter reaches the default button Generate and Escape rejects, which hides the form.
  connect(generate, &QPushButton::clicked, this, &IncompleteSystem::Generate);
  connect(cancel, &QPushButton::clicked, this, &IncompleteSystem::reject);
  connect(binaryOption_, &QRadioButton::toggled, this, &IncompleteSystem::ShowStarB);
  connect(separationGroup, &QButtonGroup::buttonToggled, this,
          &IncompleteSystem::ShowSeparationText);
  StartAfresh();
}

void IncompleteSystem::ShowStarB(bool binary) {
  for (QWidget* field : secondStar_) field->setVisible(binary);
}

// Only the box of the chosen kind of knowledge is offered.
void IncompleteSystem::ShowSeparationText() {
  knownSepText_->setVisible(knownOption_->isChecked());
  knownPeriodText_->setVisible(periodOption_->isChecked());
}

void IncompleteSystem::StartAfresh() {
  for (QLineEdit* text : findChildren<QLineEdit*>()) text->clear();
  singleOption_->setChecked(true);
  // The box shown beside "Known" asks for the separation: a pair is never left without one.
  knownOption_->setChecked(true);
  ShowStarB(false);
  ShowSeparationText();
}

void IncompleteSystem::Open() {
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

SeparationKnowledge IncompleteSystem::SelectedSeparation() const {
  if (knownOption_->isChecked()) return SeparationKnowledge::kKnown;
  if (periodOption_->isChecked()) return SeparationKnowledge::kPeriod;
  if (closeOption_->isChecked()) return SeparationKnowledge::kClose;
  if (unknownOption_->isChecked()) return SeparationKnowledge::kUnknown;
  return SeparationKnowledge::kNone;
}

IncompleteInput IncompleteSystem::ReadInput() const {
  IncompleteInput input;
  input.systemName = Latin1(nameText_);
  input.binary = binaryOption_->isChecked();
  input.starAType = Latin1(starAType_);
  input.starAMagn = Latin1(starAMagn_);
  input.starBType = Latin1(starBType_);
  input.starBMagn = Latin1(starBMagn_);
  input.separation = SelectedSeparation();
  input.knownSep = Latin1(knownSepText_);
  input.knownPeriod = Latin1(knownPeriodText_);
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
