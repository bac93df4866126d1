#include "ui/FormFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

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
