#include "ui/SeedLabel.h"

#include <QLabel>
#include <QStatusBar>

#include "control/Seeds.h"

namespace ax {

QLabel* AddSeedLabel(QStatusBar* bar, const char* name) {
  auto* label = new QLabel(bar);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setToolTip(QStringLiteral("The seed this was made from; the same seed makes it again"));
  bar->addPermanentWidget(label);
  return label;
}

void ShowSeed(QLabel* label, std::optional<std::uint64_t> seed) {
  label->setText(seed ? QString::fromStdString(SeedText(*seed)) : QString());
}

}  // namespace ax
