#include "ui/NamingForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "ui/WindowPlacement.h"

namespace ax {

NamingForm::NamingForm(World& world, QWidget* parent) : QDialog(parent), world_(world) {
  setObjectName(QStringLiteral("NamingForm"));
  setWindowTitle(QStringLiteral("Identification"));
  setModal(false);

  NamePanel = new QLabel(QString::fromLatin1(NamePanelCaption(NameKind::System)), this);
  NamePanel->setObjectName(QStringLiteral("NamePanel"));
  NameText = new QLineEdit(this);
  NameText->setObjectName(QStringLiteral("NameText"));
  OK = new QPushButton(QStringLiteral("OK"), this);
  OK->setObjectName(QStringLiteral("OK"));
  OK->setDefault(true);
  Cancel = new QPushButton(QStringLiteral("Cancel"), this);
  Cancel->setObjectName(QStringLiteral("Cancel"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OK);
  buttons->addWidget(Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NamePanel);
  layout->addWidget(NameText);
  layout->addLayout(buttons);

  // Enter reaches the default button OK and Escape rejects, as the dialog does for its keys.
  connect(OK, &QPushButton::clicked, this, &NamingForm::AcceptName);
  connect(Cancel, &QPushButton::clicked, this, &NamingForm::reject);
  connect(this, &QDialog::rejected, this, &NamingForm::Finished);
  resize(320, 120);
}

void NamingForm::NameSystem() {
  Open(NameKind::System);
}

void NamingForm::NameWorld() {
  Open(NameKind::World);
}

void NamingForm::Open(NameKind kind) {
  NamePanel->setText(QString::fromLatin1(NamePanelCaption(kind)));
  const std::string name = NameToEdit(world_, kind);
  NameText->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  CentreOnScreen(*this);
  show();
  raise();
  activateWindow();
  NameText->setFocus();
}

void NamingForm::AcceptName() {
  // The caption is the one record of what is being named.
  const NameKind kind = NamePanel->text() == QString::fromLatin1(NamePanelCaption(NameKind::System))
                            ? NameKind::System
                            : NameKind::World;
  ax::AcceptName(world_, kind, NameText->text().toLatin1().toStdString());
  hide();
  setResult(QDialog::Accepted);
  emit Finished();
}

}  // namespace ax
