#pragma once

#include <QDialog>

#include "io/Naming.h"
#include "model/World.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ax {

// The naming window: the system's name or the selected body's, typed and stored as it is.
// Not modal: the system window stays usable while it is open.
class NamingForm : public QDialog {
  Q_OBJECT

 public:
  explicit NamingForm(World& world, QWidget* parent = nullptr);

  void NameSystem();
  void NameWorld();
  // Stores the typed name for the kind the panel's caption names, then closes.
  void AcceptName();

  QLabel* NamePanel = nullptr;
  QLineEdit* NameText = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;

 signals:
  // The window closed, with or without a new name; the system window redraws.
  void Finished();

 private:
  void Open(NameKind kind);

  World& world_;
};

}  // namespace ax
