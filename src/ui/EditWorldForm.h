#pragma once

#include <QDialog>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "control/SystemEdits.h"
#include "model/World.h"

class QLabel;
class QLineEdit;

namespace ax {

// Edit World...: the values a user thinks in of the selected world or moon, and of its star,
// one box each with its range as a tip. OK hands the changed values to Apply; a refused value
// shows "******" in its box and the refusal with the range in the status line, and the form
// stays open with nothing changed. Tests find the boxes as "EditWorld" + table + "Text".
class EditWorldForm : public QDialog {
  Q_OBJECT

 public:
  explicit EditWorldForm(const World& world, QWidget* parent = nullptr);

  // Fills the boxes from the selected body; star boxes only for a star of its own.
  void Open();

  // Applies the changed values; the window puts its step on the undo stack.
  std::function<EditOutcome(const std::vector<FieldValue>&)> Apply;

 private:
  void AcceptValues();

  const World& world_;
  struct Box {
    QLabel* caption;
    QLineEdit* text;
    QLabel* unit;
  };
  std::map<std::string, Box> boxes_;          // by World table
  std::map<std::string, std::string> shown_;  // the texts Open put in
  QLabel* status_ = nullptr;
};

}  // namespace ax
