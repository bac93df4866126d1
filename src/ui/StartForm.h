#pragma once

#include <QWidget>

class QCloseEvent;
class QPushButton;

namespace ax {

class ClusterDisplay;
class SystemDisplay;

// The start form: the two ways into the program and the way out. Tests find the buttons by
// their object names.
class StartForm : public QWidget {
  Q_OBJECT

 public:
  explicit StartForm(QWidget* parent = nullptr);

  // Makes "SystemCreate" open this system window, which brings the form back when it closes.
  void AttachSystemWindow(SystemDisplay* window);
  // Makes "ClusterControl" open this cluster window, which brings the form back when it closes.
  void AttachClusterWindow(ClusterDisplay* window);
  // A file named on the command line, as a file manager's double-click names it: a cluster file
  // opens in the cluster window, any other in the system window, which tells what is wrong with
  // a file it cannot read.
  void OpenFile(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void EndProgram();
  void EnterSystemWindow();
  void EnterClusterWindow();

  QPushButton* clusterControl_ = nullptr;
  QPushButton* systemCreate_ = nullptr;
  SystemDisplay* systemWindow_ = nullptr;
  ClusterDisplay* clusterWindow_ = nullptr;
};

}  // namespace ax
