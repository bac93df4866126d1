// The system window's seeds: Generate, From Seed..., Edit, Put Seed in Note, and the seed in
// the status bar.

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QStatusBar>

#include <limits>

#include "control/Seeds.h"
#include "ui/MenuItems.h"
#include "ui/SeedLabel.h"
#include "ui/SystemDisplay.h"

namespace ax {

void SystemDisplay::AddSeedCommands() {
  fromSeedItem_ =
      InsertItem(generateMenu_, deliberateItem_, "From &Seed...", "SystemMenuGenerateFromSeed");
  seedInNoteItem_ = AddItem(editMenu_, "Put Seed in &Note", "SystemMenuEditSeedInNote");
  seedLabel_ = AddSeedLabel(statusBar(), "SeedLabel");

  AskSeed = [this]() -> std::optional<std::uint64_t> {
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SeedDialog"));
    dialog.setWindowTitle(QStringLiteral("From Seed"));
    dialog.setLabelText(QStringLiteral("Seed (a whole number from 0 to %1):")
                            .arg(std::numeric_limits<std::uint64_t>::max()));
    if (const auto seed = commands_.Seed()) dialog.setTextValue(QString::number(*seed));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const std::optional<std::uint64_t> seed = ParseSeed(dialog.textValue().trimmed().toStdString());
    if (!seed) {
      statusBar()->showMessage(
          QStringLiteral("Not a seed: \"%1\". A seed is a whole number from 0 to %2.")
              .arg(dialog.textValue().trimmed())
              .arg(std::numeric_limits<std::uint64_t>::max()));
    }
    return seed;
  };

  connect(fromSeedItem_, &QAction::triggered, this, &SystemDisplay::GenerateFromSeed);
  connect(seedInNoteItem_, &QAction::triggered, this, &SystemDisplay::PutSeedInNote);
}

void SystemDisplay::GenerateFromSeed() {
  if (commands_.ClusterStar()) return;
  const std::optional<std::uint64_t> seed = AskSeed();
  if (seed) GenerateFrom(seed);
}

void SystemDisplay::PutSeedInNote() {
  ShowStatus(commands_.PutSeedInNote());
}

}  // namespace ax
