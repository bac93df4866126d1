// Seeds: every random system and cluster is made from a 64-bit seed of its own, shown in the
// status bar, so that the same seed makes it again here and on the command line.

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "ui/ClusterDisplay.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

// A fresh seed from a window's own source, reseeded from the clock first: every run of the
// program differs, while a test's seeded source repeats. Three 24-bit draws fill the 64 bits.
std::uint64_t DrawSeed(Random& random) {
  random.SeedFromClock();
  std::uint64_t seed = 0;
  for (int i = 0; i < 3; ++i) {
    seed = (seed << 24) | static_cast<std::uint64_t>(random.Uniform() * 0x1.0p24f);
  }
  return seed;
}

// A whole number 0 .. 2^64 - 1 in decimal digits alone; blanks around it are allowed.
std::optional<std::uint64_t> ParseSeed(const QString& text) {
  const std::string digits = text.trimmed().toStdString();
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  std::uint64_t seed = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return seed;
}

QString SeedText(std::uint64_t seed) {
  return QStringLiteral("Seed: %1").arg(seed);
}

QLabel* AddSeedLabel(QStatusBar* bar, const char* name) {
  auto* label = new QLabel(bar);
  label->setObjectName(QString::fromLatin1(name));
  // Selectable, so that the seed can be copied into notes.
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setToolTip(QStringLiteral("The seed this was made from; the same seed makes it again"));
  bar->addPermanentWidget(label);
  return label;
}

}  // namespace

void SystemDisplay::AddSeedCommands() {
  SystemMenuGenerateFromSeed = new QAction(QStringLiteral("From &Seed..."), this);
  SystemMenuGenerateFromSeed->setObjectName(QStringLiteral("SystemMenuGenerateFromSeed"));
  SystemMenuGenerate->insertAction(SystemMenuGenerateDeliberate, SystemMenuGenerateFromSeed);
  SystemMenuEditSeedInNote = SystemMenuEdit->addAction(QStringLiteral("Put Seed in &Note"));
  SystemMenuEditSeedInNote->setObjectName(QStringLiteral("SystemMenuEditSeedInNote"));
  SeedLabel = AddSeedLabel(statusBar(), "SeedLabel");

  AskSeed = [this]() -> std::optional<std::uint64_t> {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SeedDialog"));
    dialog.setWindowTitle(QStringLiteral("From Seed"));
    dialog.setLabelText(QStringLiteral("Seed (a whole number from 0 to %1):")
                            .arg(std::numeric_limits<std::uint64_t>::max()));
    if (seed_) dialog.setTextValue(QString::number(*seed_));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const std::optional<std::uint64_t> seed = ParseSeed(dialog.textValue());
    if (!seed) {
      statusBar()->showMessage(
          QStringLiteral("Not a seed: \"%1\". A seed is a whole number from 0 to %2.")
              .arg(dialog.textValue().trimmed())
              .arg(std::numeric_limits<std::uint64_t>::max()));
    }
    return seed;
  };

  connect(SystemMenuGenerateFromSeed, &QAction::triggered, this, &SystemDisplay::GenerateFromSeed);
  connect(SystemMenuEditSeedInNote, &QAction::triggered, this, &SystemDisplay::PutSeedInNote);
}

void SystemDisplay::UpdateSeedCommands() {
  const bool seedMade = systemPresent_ != 0 && seed_.has_value();
  SystemMenuGenerateFromSeed->setEnabled(world_.ClusterMode == 0);
  SystemMenuEditSeedInNote->setEnabled(seedMade);
  SeedLabel->setText(seedMade ? SeedText(*seed_) : QString());
}

void SystemDisplay::GenerateFromSeed() {
  if (world_.ClusterMode != 0) return;
  const std::optional<std::uint64_t> seed = AskSeed();
  if (!seed) return;
  pendingSeed_ = seed;
  GenerateRandomSystem();
  pendingSeed_.reset();
}

Random& SystemDisplay::StartSeededSystem() {
  seed_ = pendingSeed_ ? *pendingSeed_ : DrawSeed(random_);
  // The same source the command line seeds: the stars, then the survey, draw from it in turn.
  seeded_.emplace(*seed_);
  return *seeded_;
}

Random& SystemDisplay::SystemRandom() {
  return seeded_ ? *seeded_ : random_;
}

void SystemDisplay::ForgetSeed() {
  seed_.reset();
  seeded_.reset();
  UpdateSeedCommands();
}

void SystemDisplay::PutSeedInNote() {
  if (systemPresent_ == 0 || !seed_) return;
  const std::string line = SeedText(*seed_).toStdString();
  std::string_view rest = world_.SystemNote;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    if (rest.substr(0, end) == line) {
      statusBar()->showMessage(QStringLiteral("The note already holds the seed"));
      return;
    }
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  if (!world_.SystemNote.empty()) world_.SystemNote += '\n';
  world_.SystemNote += line;
  statusBar()->showMessage(QStringLiteral("The seed was put in the system's note"));
}

void ClusterDisplay::AddSeedCommands() {
  ClusterSeedLabel = AddSeedLabel(statusBar(), "ClusterSeedLabel");
}

std::uint64_t ClusterDisplay::NewClusterSeed() {
  return DrawSeed(random_);
}

void ClusterDisplay::ShowClusterSeed(std::optional<std::uint64_t> seed) {
  seed_ = seed;
  ClusterSeedLabel->setText(seed ? SeedText(*seed) : QString());
}

}  // namespace ax
