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

#include "generate/NumberText.h"
#include "generate/StarLimits.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

// Star B beside star A; the pair's and the system's values under star A.
constexpr FormField kFields[] = {
    {"StarAMassPanel", "Mass:", "StarAMassText", "solar masses", "Star A mass", &kStarMassRange, 1,
     kStarAColumn, false},
    {"StarATempPanel", "Temp:", "StarATempText", "K", "Star A temperature", &kStarTemperatureRange,
     2, kStarAColumn, false},
    {"StarALumnPanel", "Lumn:", "StarALumnText", "solar luminosities", "Star A luminosity",
     &kStarLuminosityRange, 3, kStarAColumn, false},
    {"StarBMassPanel", "Mass:", "StarBMassText", "solar masses", "Star B mass", &kStarMassRange, 1,
     kStarBColumn, true},
    {"StarBTempPanel", "Temp:", "StarBTempText", "K", "Star B temperature", &kStarTemperatureRange,
     2, kStarBColumn, true},
    {"StarBLumnPanel", "Lumn:", "StarBLumnText", "solar luminosities", "Star B luminosity",
     &kStarLuminosityRange, 3, kStarBColumn, true},
    {"SeparationPanel", "Separation:", "SeparationText", "AU", "Separation", &kStarSeparationRange,
     4, kStarAColumn, true},
    {"AgePanel", "Age:", "AgeText", "billion years", "Age", nullptr, 5, kStarAColumn, false},
};

QString Number(double value) {
  return QString::number(value, 'g', 4);
}

QString AgeTakes(double starAMass) {
  const QString drawn =
      QStringLiteral("empty or 0 to have it drawn, or less than %1 billion years");
  if (kStarMassRange.Holds(starAMass)) {
    return drawn.arg(Number(LongestGivenAge(starAMass))) +
           QStringLiteral(" for star A's %1 solar masses").arg(Number(starAMass));
  }
  return drawn.arg(Number(LongestGivenAge(1))) +
         QStringLiteral(" for a star A of 1 solar mass, less for a heavier one");
}

}  // namespace

DeliberateSystem::DeliberateSystem(World& world, Random& random, QWidget* parent)
    : QDialog(parent), world_(world), random_(random) {
  setObjectName(QStringLiteral("DeliberateSystem"));
  setWindowTitle(QStringLiteral("Deliberate System Generation"));
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  nameText_ = AddSystemNameRow(this, layout);
  std::tie(singleOption_, binaryOption_) = AddStarCountOptions(this, layout);

  static_assert(std::size(kFields) == kBoxCount);
  const auto [stars, starBHeading] = AddStarColumns(this, layout);
  secondStar_.push_back(starBHeading);
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const PlacedField placed = AddField(this, stars, kFields[i]);
    texts_[i] = placed.text;
    if (kFields[i].pairOnly) {
      secondStar_.insert(secondStar_.end(), {placed.panel, placed.text, placed.unit});
    }
  }
  status_ = AddStatusLine(this, layout, "DeliberateStatus");
  const auto [generate, cancel] = AddDialogButtons(
      this, layout, "Generate", "DeliberateGenerateButton", "DeliberateCancelButtton");

  // Down star A, then star B, then the pair's and the system's values.
  std::vector<QWidget*> order{nameText_, singleOption_, binaryOption_};
  order.insert(order.end(), texts_.begin(), texts_.end());
  order.insert(order.end(), {generate, cancel});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  // Enter reaches the default button Generate and Escape rejects, which hides the form.
  connect(generate, &QPushButton::clicked, this, &DeliberateSystem::Generate);
  connect(cancel, &QPushButton::clicked, this, &DeliberateSystem::reject);
  connect(binaryOption_, &QRadioButton::toggled, this, &DeliberateSystem::ShowStarB);
  StartAfresh();
}

void DeliberateSystem::ShowStarB(bool binary) {
  for (QWidget* field : secondStar_) field->setVisible(binary);
  FitToFields(*this);
}

void DeliberateSystem::StartAfresh() {
  for (QLineEdit* text : findChildren<QLineEdit*>()) text->clear();
  singleOption_->setChecked(true);
  ShowTerms(*this, *status_, Terms());
  ShowStarB(false);
}

void DeliberateSystem::Open() {
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

std::vector<FieldTerms> DeliberateSystem::Terms() const {
  std::vector<FieldTerms> terms;
  for (const FormField& field : kFields) terms.push_back(TermsOf(field));
  terms[kAge].takes = AgeTakes(LeadingNumber(Latin1(texts_[kStarAMass])));
  return terms;
}

DeliberateInput DeliberateSystem::ReadInput() const {
  DeliberateInput input;
  input.systemName = Latin1(nameText_);
  input.binary = binaryOption_->isChecked();
  input.starAMass = Latin1(texts_[kStarAMass]);
  input.starATemp = Latin1(texts_[kStarATemp]);
  input.starALumn = Latin1(texts_[kStarALumn]);
  input.starBMass = Latin1(texts_[kStarBMass]);
  input.starBTemp = Latin1(texts_[kStarBTemp]);
  input.starBLumn = Latin1(texts_[kStarBLumn]);
  input.separation = Latin1(texts_[kSeparation]);
  input.age = Latin1(texts_[kAge]);
  return input;
}

void DeliberateSystem::Generate() {
  const std::vector<FieldTerms> terms = Terms();
  ShowTerms(*this, *status_, terms);
  const std::vector<std::string> rejected = GenerateDeliberateSystem(world_, random_, ReadInput());
  if (!rejected.empty()) {
    MarkRejected(*this, *status_, terms, rejected);
    return;
  }
  hide();
  setResult(QDialog::Accepted);
  emit Generated();
}

}  // namespace ax
