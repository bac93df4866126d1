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

// A caption and its text box on one row of a grid, the caption leading to the box.
QLineEdit* AddField(QWidget* form, QGridLayout* grid, int row, int column, QLabel*& panel,
                    const char* panelName, const char* caption, const char* textName);

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

// A text box's tip naming its unit and the range it takes: "AU, 0.001 to 1,000,000".
QString RangeTip(const char* unit, const ValueRange& range);

// Puts "******" into each named box of the form and makes the first ready to be typed over.
void MarkRejected(QWidget& form, const std::vector<std::string>& textNames);

}  // namespace ax
