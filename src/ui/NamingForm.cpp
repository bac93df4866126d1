#include "ui/NamingForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {

NamingForm::NamingForm(World& world, QWidget* parent) : QDialog(parent), world_(world) {
  setObjectName(QStringLiteral("NamingForm"));
  setWindowTitle(QStringLiteral("Identification"));
  setModal(false);

  namePanel_ =
      Named(new QLabel(QString::fromLatin1(NamePanelCaption(NameKind::System)), this), "NamePanel");
  nameText_ = Named(new QLineEdit(this), "NameText");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(namePanel_);
  layout->addWidget(nameText_);
  const auto [ok, cancel] = AddDialogButtons(this, layout, "OK", "OK", "Cancel");

  // Enter reaches the default button OK and Escape rejects, as the dialog does for its keys.
  connect(ok, &QPushButton::clicked, this, &NamingForm::AcceptName);
  connect(cancel, &QPushButton::clicked, this, &NamingForm::reject);
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
  namePanel_->setText(QString::fromLatin1(NamePanelCaption(kind)));
  const std::string name = NameToEdit(world_, kind);
  nameText_->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  CentreOn(*this, parentWidget());
  show();
  raise();
  activateWindow();
  nameText_->setFocus();
}

void NamingForm::AcceptName() {
  // The caption is the one record of what is being named.
  const NameKind kind =
      namePanel_->text() == QString::fromLatin1(NamePanelCaption(NameKind::System))
          ? NameKind::System
          : NameKind::World;
  ax::AcceptName(world_, kind, nameText_->text().toLatin1().toStdString());
  hide();
  setResult(QDialog::Accepted);
  emit Finished();
}

}  // namespace ax
