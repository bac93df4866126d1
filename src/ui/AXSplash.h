#pragma once

#include <QWidget>

class QCloseEvent;
class QPushButton;

namespace ax {

class SystemDisplay;

// The start form: the two ways into the program and the way out.
class AXSplash : public QWidget {
  Q_OBJECT

 public:
  explicit AXSplash(QWidget* parent = nullptr);

  // Makes "SystemCreate" open this system window, which brings the form back when it closes.
  void AttachSystemWindow(SystemDisplay* window);

  QPushButton* ClusterControl = nullptr;
  QPushButton* ExitButton = nullptr;
  QPushButton* SystemCreate = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void EndProgram();
  void EnterSystemWindow();

  SystemDisplay* systemWindow_ = nullptr;
};

}  // namespace ax
