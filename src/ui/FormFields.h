#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generate/StarLimits.h"

class QBoxLayout;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ax {

// Gives a widget the name by which the program's texts and tests know it.
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A text box of a generation form: its caption, its unit, how the status line names it and
// the range it takes, at a row and column of the form's grid.
struct FormField {
  const char* panelName;
  const char* caption;
  const char* textName;
  const char* unit;         // null for a text that is no number
  const char* title;        // "Star A mass"
  const ValueRange* range;  // null when the form words what the box takes
  int row;
  int column;     // of the caption; the box and the unit follow it
  bool pairOnly;  // shown only for a binary
};

// The caption, box and unit label a FormField puts in the grid.
struct PlacedField {
  QLabel* panel;
  QLineEdit* text;
  QLabel* unit;  // null without a unit
};

// A named text box never too narrow to read a number or "******" whole.
QLineEdit* AddTextBox(QWidget* parent, const char* textName);

// The unit beside the box `textName`, named after it: "SeparationUnit" for "SeparationText".
QLabel* AddUnit(QWidget* parent, QGridLayout* grid, int row, int column, const char* textName,
                const char* unit);

// The caption, its text box and the unit on one row of a grid, the caption leading to the box.
PlacedField AddField(QWidget* form, QGridLayout* grid, const FormField& field);

// The grid columns where star A's and star B's fields begin, each a caption, a box and a unit;
// an empty column between keeps the two stars apart.
inline constexpr int kStarAColumn = 0;
inline constexpr int kStarBColumn = 4;

// The grid of the two stars' fields, headed "Star A" and "Star B", as a row of `layout`; with
// star B's heading, shown only for a pair.
std::pair<QGridLayout*, QLabel*> AddStarColumns(QWidget* form, QBoxLayout* layout);

// The "System Name:" caption and box the generation forms open with, as a row of `layout`.
QLineEdit* AddSystemNameRow(QWidget* form, QBoxLayout* layout);

// A radio button of `group` in `frame`.
QRadioButton* AddOption(QWidget* frame, QButtonGroup* group, const char* name, const char* caption);

// The generation forms' Single and Binary options, in their named box as a row of `layout`.
std::pair<QRadioButton*, QRadioButton*> AddStarCountOptions(QWidget* form, QBoxLayout* layout);

// The default button (Generate, OK) and Cancel, at the right of a last row of `layout`.
std::pair<QPushButton*, QPushButton*> AddDialogButtons(QWidget* form, QBoxLayout* layout,
                                                       const char* caption, const char* name,
                                                       const char* cancelName);

// The box's text as the world holds texts: byte for byte in Latin-1.
std::string Latin1(const QLineEdit* text);

// A text of the program's own (Latin-1) for a widget.
QString Latin1Text(std::string_view text);

// A range with its unit as the user reads it: "0.001 to 1,000,000 AU".
QString RangeText(const ValueRange& range, const char* unit);

// What a text box takes, said in its tip and, when it is rejected, in the status line.
struct FieldTerms {
  const char* textName;
  QString title;
  QString takes;
};

// The terms of a field with a range; the form words those without one.
FieldTerms TermsOf(const FormField& field);

// The line under a form's fields that says what a Generate did not take; hidden while empty.
QLabel* AddStatusLine(QWidget* form, QBoxLayout* layout, const char* name);

// Gives each box its tip and empties the status line: the form as before any rejection.
void ShowTerms(QWidget& form, QLabel& status, const std::vector<FieldTerms>& terms);

// Puts "******" into each named box of the form, says in its tip and in the status line what
// it takes, and makes the first ready to be typed over.
void MarkRejected(QWidget& form, QLabel& status, const std::vector<FieldTerms>& terms,
                  const std::vector<std::string>& textNames);

// The form at the size its shown fields need, after some were shown or hidden.
void FitToFields(QWidget& form);

}  // namespace ax
