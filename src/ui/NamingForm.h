#pragma once

#include <QDialog>

#include "io/Naming.h"
#include "model/World.h"

class QLabel;
class QLineEdit;

namespace ax {

// The naming window: the system's name or the selected body's, typed and stored as it is.
// Not modal: the system window stays usable while it is open. Tests find the controls by their
// object names.
class NamingForm : public QDialog {
  Q_OBJECT

 public:
  explicit NamingForm(World& world, QWidget* parent = nullptr);

  void NameSystem();
  void NameWorld();

 signals:
  // The window closed, with or without a new name; the system window redraws.
  void Finished();

 private:
  void Open(NameKind kind);
  // Stores the typed name for the kind the panel's caption names, then closes.
  void AcceptName();

  World& world_;
  QLabel* namePanel_ = nullptr;
  QLineEdit* nameText_ = nullptr;
};

}  // namespace ax
