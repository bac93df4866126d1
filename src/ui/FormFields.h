#pragma once

#include <QString>

#include <string>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
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

// The box's text as the world holds texts: byte for byte in Latin-1.
std::string Latin1(const QLineEdit* text);

// Puts "******" into each named box of the form and makes the first ready to be typed over.
void MarkRejected(QWidget& form, const std::vector<std::string>& textNames);

}  // namespace ax
