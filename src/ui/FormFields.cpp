#include "ui/FormFields.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ax {

QLineEdit* AddField(QWidget* form, QGridLayout* grid, int row, int column, QLabel*& panel,
                    const char* panelName, const char* caption, const char* textName) {
  panel = Named(new QLabel(QString::fromLatin1(caption), form), panelName);
  auto* text = Named(new QLineEdit(form), textName);
  panel->setBuddy(text);
  grid->addWidget(panel, row, column);
  grid->addWidget(text, row, column + 1);
  return text;
}

QLineEdit* AddSystemNameRow(QWidget* form, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  auto* panel = Named(new QLabel(QStringLiteral("System Name:"), form), "SystemNamePanel");
  auto* text = Named(new QLineEdit(form), "SystemNameText");
  panel->setBuddy(text);
  row->addWidget(panel);
  row->addWidget(text, 1);
  layout->addLayout(row);
  return text;
}

QRadioButton* AddOption(QWidget* frame, QButtonGroup* group, const char* name,
                        const char* caption) {
  auto* option = Named(new QRadioButton(QString::fromLatin1(caption), frame), name);
  group->addButton(option);
  return option;
}

std::pair<QRadioButton*, QRadioButton*> AddStarCountOptions(QWidget* form, QBoxLayout* layout) {
  auto* box = Named(new QGroupBox(form), "SingleBinaryOptions");
  auto* group = new QButtonGroup(form);
  auto* single = AddOption(box, group, "SingleStarOption", "Single");
  auto* binary = AddOption(box, group, "BinaryStarOption", "Binary");
  auto* row = new QHBoxLayout(box);
  row->addWidget(single);
  row->addWidget(binary);
  layout->addWidget(box);
  return {single, binary};
}

std::pair<QPushButton*, QPushButton*> AddDialogButtons(QWidget* form, QBoxLayout* layout,
                                                       const char* caption, const char* name,
                                                       const char* cancelName) {
  auto* button = Named(new QPushButton(QString::fromLatin1(caption), form), name);
  button->setDefault(true);
  auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), form), cancelName);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(button);
  row->addWidget(cancel);
  layout->addLayout(row);
  return {button, cancel};
}

std::string Latin1(const QLineEdit* text) {
  return text->text().toLatin1().toStdString();
}

QString Latin1Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString RangeTip(const char* unit, const ValueRange& range) {
  return QStringLiteral("%1, %2").arg(QString::fromLatin1(unit), Latin1Text(range.text));
}

void MarkRejected(QWidget& form, const std::vector<std::string>& textNames) {
  QLineEdit* first = nullptr;
  for (const std::string& name : textNames) {
    auto* text = form.findChild<QLineEdit*>(QString::fromStdString(name));
    if (text == nullptr) continue;
    text->setText(QStringLiteral("******"));
    if (first == nullptr) first = text;
  }
  if (first != nullptr) {
    first->setFocus();
    first->selectAll();
  }
}

}  // namespace ax
