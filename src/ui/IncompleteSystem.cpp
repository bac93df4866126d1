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

#include "generate/SpectralBands.h"
#include "generate/StarLimits.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

constexpr FormField kIncompleteFields[] = {
    {"StarATypePanel", "Star Type:", "StarATypeText", nullptr, "Star A type", nullptr, 1,
     kStarAColumn, false},
    {"StarAMagnPanel", "Abs Magn:", "StarAMagnText", "mag", "Star A magnitude", nullptr, 2,
     kStarAColumn, false},
    {"StarBTypePanel", "Star Type:", "StarBTypeText", nullptr, "Star B type", nullptr, 1,
     kStarBColumn, true},
    {"StarBMagnPanel", "Abs Magn:", "StarBMagnText", "mag", "Star B magnitude", nullptr, 2,
     kStarBColumn, true},
};

QString TypeTakes() {
  QString letters;
  for (const SpectralBand& band : kSpectralBands) letters += QLatin1Char(band.letter);
  return QStringLiteral("a letter of %1, a digit 0 to 9, then a luminosity class, e.g. G2V")
      .arg(letters);
}

QString MagnitudeTakes() {
  return QStringLiteral("an absolute magnitude giving %1 and, for its class, %2")
      .arg(RangeText(kStarLuminosityRange, "solar luminosities"),
           RangeText(kStarMassRange, "solar masses"));
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

  const auto [stars, starBHeading] = AddStarColumns(this, layout);
  secondStar_.push_back(starBHeading);
  QLineEdit* texts[std::size(kIncompleteFields)];
  for (std::size_t i = 0; i < std::size(kIncompleteFields); ++i) {
    const PlacedField placed = AddField(this, stars, kIncompleteFields[i]);
    texts[i] = placed.text;
    if (kIncompleteFields[i].pairOnly) {
      secondStar_.insert(secondStar_.end(), {placed.panel, placed.text});
      if (placed.unit != nullptr) secondStar_.push_back(placed.unit);
    }
  }
  std::tie(starAType_, starAMagn_, starBType_, starBMagn_) =
      std::tie(texts[0], texts[1], texts[2], texts[3]);

  auto* separationFrame =
      Named(new QGroupBox(QStringLiteral("Separation"), this), "SeparationFrame3D");
  secondStar_.push_back(separationFrame);
  auto* separationGroup = new QButtonGroup(this);
  knownOption_ = AddOption(separationFrame, separationGroup, "KnownSepOption", "Known");
  periodOption_ = AddOption(separationFrame, separationGroup, "PeriodSepOption", "Period");
  closeOption_ = AddOption(separationFrame, separationGroup, "CloseSepOption", "Close");
  unknownOption_ = AddOption(separationFrame, separationGroup, "UnknownSepOption", "Unknown");
  knownSepText_ = AddTextBox(separationFrame, "KnownSepText");
  knownPeriodText_ = AddTextBox(separationFrame, "KnownPeriodText");
  auto* separation = new QGridLayout(separationFrame);
  separation->addWidget(knownOption_, 0, 0);
  separation->addWidget(knownSepText_, 0, 1);
  knownSepUnit_ = AddUnit(separationFrame, separation, 0, 2, "KnownSepText", "AU");
  separation->addWidget(periodOption_, 1, 0);
  separation->addWidget(knownPeriodText_, 1, 1);
  knownPeriodUnit_ = AddUnit(separationFrame, separation, 1, 2, "KnownPeriodText", "years");
  separation->addWidget(closeOption_, 2, 0);
  separation->addWidget(unknownOption_, 3, 0);

  layout->addWidget(separationFrame);
  status_ = AddStatusLine(this, layout, "IncompleteStatus");
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
  FitToFields(*this);
}

// Only the box of the chosen kind of knowledge is offered.
void IncompleteSystem::ShowSeparationText() {
  knownSepText_->setVisible(knownOption_->isChecked());
  knownSepUnit_->setVisible(knownOption_->isChecked());
  knownPeriodText_->setVisible(periodOption_->isChecked());
  knownPeriodUnit_->setVisible(periodOption_->isChecked());
}

void IncompleteSystem::StartAfresh() {
  for (QLineEdit* text : findChildren<QLineEdit*>()) text->clear();
  singleOption_->setChecked(true);
  // The box shown beside "Known" asks for the separation: a pair is never left without one.
  knownOption_->setChecked(true);
  ShowTerms(*this, *status_, Terms());
  ShowStarB(false);
  ShowSeparationText();
}

void IncompleteSystem::Open() {
  // A form already open keeps what is being typed in it.
  if (!isVisible()) {
    StartAfresh();
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

std::vector<FieldTerms> IncompleteSystem::Terms() const {
  std::vector<FieldTerms> terms;
  for (const FormField& field : kIncompleteFields) {
    terms.push_back(TermsOf(field));
    terms.back().takes = field.unit == nullptr ? TypeTakes() : MagnitudeTakes();
  }
  terms.push_back(
      {"KnownSepText", QStringLiteral("Known separation"), RangeText(kStarSeparationRange, "AU")});
  terms.push_back({"KnownPeriodText", QStringLiteral("Period"),
                   QStringLiteral("more than 0 years, giving a separation of %1")
                       .arg(RangeText(kStarSeparationRange, "AU"))});
  return terms;
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
  const std::vector<FieldTerms> terms = Terms();
  ShowTerms(*this, *status_, terms);
  const std::vector<std::string> rejected = GenerateIncompleteSystem(world_, random_, ReadInput());
  if (!rejected.empty()) {
    MarkRejected(*this, *status_, terms, rejected);
    return;
  }
  hide();
  setResult(QDialog::Accepted);
  emit Generated();
}

}  // namespace ax
