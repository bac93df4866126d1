#include "ui/FormFields.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace ax {
namespace {

// Ten digits: the longest number a range shows ("1,000,000") with room to spare.
constexpr int kReadableDigits = 10;

QLabel* AddHeading(QWidget* form, QGridLayout* grid, int column, const char* name,
                   const char* caption) {
  auto* heading = Named(new QLabel(QString::fromLatin1(caption), form), name);
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);
  grid->addWidget(heading, 0, column, 1, 3);
  return heading;
}

QString Entry(const FieldTerms& terms) {
  return QStringLiteral("%1: %2").arg(terms.title, terms.takes);
}

}  // namespace

QLineEdit* AddTextBox(QWidget* parent, const char* textName) {
  auto* text = Named(new QLineEdit(parent), textName);
  const QFontMetrics metrics = text->fontMetrics();
  const QChar digit = QLatin1Char('0');
  // One digit more covers the box's inner margins and its cursor.
  const int content = metrics.horizontalAdvance(digit) +
                      std::max(metrics.horizontalAdvance(QString(kReadableDigits, digit)),
                               metrics.horizontalAdvance(QStringLiteral("******")));
  QStyleOptionFrame frame;
  frame.initFrom(text);
  frame.lineWidth = text->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, text);
  const QSize outer = text->style()->sizeFromContents(QStyle::CT_LineEdit, &frame,
                                                      QSize(content, metrics.height()), text);
  text->setMinimumWidth(outer.width());
  return text;
}

QLabel* AddUnit(QWidget* parent, QGridLayout* grid, int row, int column, const char* textName,
                const char* unit) {
  QString name = QString::fromLatin1(textName);
  name.replace(QStringLiteral("Text"), QStringLiteral("Unit"));
  auto* label = new QLabel(QString::fromLatin1(unit), parent);
  label->setObjectName(name);
  grid->addWidget(label, row, column);
  return label;
}

PlacedField AddField(QWidget* form, QGridLayout* grid, const FormField& field) {
  auto* panel = Named(new QLabel(QString::fromLatin1(field.caption), form), field.panelName);
  QLineEdit* text = AddTextBox(form, field.textName);
  panel->setBuddy(text);
  grid->addWidget(panel, field.row, field.column);
  grid->addWidget(text, field.row, field.column + 1);
  QLabel* unit = field.unit == nullptr
                     ? nullptr
                     : AddUnit(form, grid, field.row, field.column + 2, field.textName, field.unit);
  return {panel, text, unit};
}

std::pair<QGridLayout*, QLabel*> AddStarColumns(QWidget* form, QBoxLayout* layout) {
  auto* grid = new QGridLayout;
  AddHeading(form, grid, kStarAColumn, "StarAHeading", "Star A");
  QLabel* starB = AddHeading(form, grid, kStarBColumn, "StarBHeading", "Star B");
  // Star A's units would otherwise run into star B's captions.
  grid->setColumnMinimumWidth(kStarBColumn - 1, 2 * form->fontMetrics().averageCharWidth());
  layout->addLayout(grid);
  return {grid, starB};
}

QLineEdit* AddSystemNameRow(QWidget* form, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  auto* panel = Named(new QLabel(QStringLiteral("System Name:"), form), "SystemNamePanel");
  QLineEdit* text = AddTextBox(form, "SystemNameText");
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

QString RangeText(const ValueRange& range, const char* unit) {
  return QStringLiteral("%1 %2").arg(Latin1Text(range.text), QString::fromLatin1(unit));
}

FieldTerms TermsOf(const FormField& field) {
  return {field.textName, QString::fromLatin1(field.title),
          field.range == nullptr ? QString() : RangeText(*field.range, field.unit)};
}

QLabel* AddStatusLine(QWidget* form, QBoxLayout* layout, const char* name) {
  auto* status = Named(new QLabel(form), name);
  // A long list of rejections wraps rather than widening the form.
  status->setWordWrap(true);
  status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  status->hide();
  layout->addWidget(status);
  return status;
}

void ShowTerms(QWidget& form, QLabel& status, const std::vector<FieldTerms>& terms) {
  for (const FieldTerms& field : terms) {
    auto* text = form.findChild<QLineEdit*>(QString::fromLatin1(field.textName));
    if (text != nullptr) text->setToolTip(Entry(field));
  }
  status.clear();
  status.hide();
}

void MarkRejected(QWidget& form, QLabel& status, const std::vector<FieldTerms>& terms,
                  const std::vector<std::string>& textNames) {
  const QString notTaken = QStringLiteral("Not taken. ");
  QStringList entries;
  QLineEdit* first = nullptr;
  // In the order the form shows the boxes.
  for (const FieldTerms& field : terms) {
    if (std::find(textNames.begin(), textNames.end(), field.textName) == textNames.end()) continue;
    auto* text = form.findChild<QLineEdit*>(QString::fromLatin1(field.textName));
    if (text == nullptr) continue;
    text->setText(QStringLiteral("******"));
    text->setToolTip(notTaken + Entry(field));
    entries.append(Entry(field));
    if (first == nullptr) first = text;
  }
  status.setText(notTaken + entries.join(QStringLiteral("; ")));
  status.show();
  FitToFields(form);
  if (first != nullptr) {
    first->setFocus();
    first->selectAll();
  }
}

void FitToFields(QWidget& form) {
  // The layout learns of shown and hidden fields only when it is next activated.
  if (form.layout() != nullptr) form.layout()->activate();
  form.adjustSize();
}

}  // namespace ax
