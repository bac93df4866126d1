#pragma once

#include <QWidget>

class QCloseEvent;
class QPushButton;

namespace ax {

// The start form: the two ways into the program and the way out.
class AXSplash : public QWidget {
  Q_OBJECT

 public:
  explicit AXSplash(QWidget* parent = nullptr);

  QPushButton* ClusterControl = nullptr;
  QPushButton* ExitButton = nullptr;
  QPushButton* SystemCreate = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CentreOnScreen();
  void EndProgram();
};

}  // namespace ax
