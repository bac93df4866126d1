#include "ui/SpinArrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace ax {

SpinArrows::SpinArrows(const char* name, QWidget* parent, Held held) : QWidget(parent) {
  const QString objectName = QString::fromLatin1(name);
  setObjectName(objectName);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const auto addArrow = [&](Qt::ArrowType direction) {
    auto* arrow = new QToolButton(this);
    arrow->setObjectName(objectName);
    arrow->setArrowType(direction);
    arrow->setAutoRepeat(held == Held::Repeats);
    arrow->setFixedSize(18, 12);
    // The value is typed in its box; the arrows are for the mouse and keep out of Tab's way.
    arrow->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(arrow);
    return arrow;
  };
  up_ = addArrow(Qt::UpArrow);
  down_ = addArrow(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, &SpinArrows::Up);
  connect(down_, &QToolButton::clicked, this, &SpinArrows::Down);
}

void SpinArrows::SetTips(const QString& up, const QString& down) {
  up_->setToolTip(up);
  down_->setToolTip(down);
}

}  // namespace ax
