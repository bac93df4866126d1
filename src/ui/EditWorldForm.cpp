#include "ui/EditWorldForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "edit/WorldEdit.h"
#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {

EditWorldForm::EditWorldForm(const World& world, QWidget* parent) : QDialog(parent), world_(world) {
  setObjectName(QStringLiteral("EditWorldForm"));
  setWindowTitle(QStringLiteral("Edit World"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  int row = 0;
  for (const EditField& field : kEditFields) {
    const std::string table(field.table);
    const std::string textName = "EditWorld" + table + "Text";
    Box box{new QLabel(Latin1Text(field.label) + QStringLiteral(":"), this),
            AddTextBox(this, textName.c_str()), new QLabel(Latin1Text(field.unit), this)};
    grid->addWidget(box.caption, row, 0);
    grid->addWidget(box.text, row, 1);
    grid->addWidget(box.unit, row, 2);
    boxes_[table] = box;
    ++row;
  }
  layout->addLayout(grid);
  status_ = AddStatusLine(this, layout, "EditWorldStatus");
  const auto [ok, cancel] = AddDialogButtons(this, layout, "OK", "EditWorldOk", "EditWorldCancel");
  connect(ok, &QPushButton::clicked, this, &EditWorldForm::AcceptValues);
  connect(cancel, &QPushButton::clicked, this, &EditWorldForm::reject);
}

void EditWorldForm::Open() {
  const int star = world_.CurrentStar;
  const int orbit = world_.CurrentOrbit;
  const int body = world_.CurrentBody;
  const bool beltWorld = body == 0 && IsBelt(world_.BodyClass(star, orbit, 0));
  shown_.clear();
  for (const EditField& field : kEditFields) {
    const std::string table(field.table);
    const Box& box = boxes_[table];
    // A pair's own values follow its stars; a belt's follow its bodies.
    const bool shown = field.target == EditTarget::Star
                           ? star >= 1
                           : field.target == EditTarget::BodyText || !beltWorld;
    for (QWidget* widget : {static_cast<QWidget*>(box.caption), static_cast<QWidget*>(box.text),
                            static_cast<QWidget*>(box.unit)}) {
      widget->setVisible(shown);
    }
    if (!shown) continue;
    shown_[table] = CurrentText(world_, field, star, orbit, body);
    box.text->setText(Latin1Text(shown_[table]));
    box.text->setCursorPosition(0);
    box.unit->setText(Latin1Text(UnitOf(world_, field, star, orbit, body)));
    if (field.target != EditTarget::BodyText) {
      box.text->setToolTip(Latin1Text(RangeOf(world_, field, star, orbit, body).text));
    }
  }
  status_->clear();
  status_->hide();
  FitToFields(*this);
  CentreOn(*this, parentWidget());
  open();
}

void EditWorldForm::AcceptValues() {
  std::vector<FieldValue> values;
  for (const auto& [table, text] : shown_) {
    const std::string typed = Latin1(boxes_[table].text);
    if (typed != text) values.push_back({table, typed});
  }
  if (values.empty() || !Apply) {
    accept();
    return;
  }
  const EditOutcome outcome = Apply(values);
  if (!outcome.refused) {
    accept();
    return;
  }
  if (const auto box = boxes_.find(outcome.refusedField); box != boxes_.end()) {
    box->second.text->setText(QStringLiteral("******"));
    box->second.text->selectAll();
    box->second.text->setFocus();
  }
  status_->setText(Latin1Text(outcome.status));
  status_->show();
}

}  // namespace ax
