#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "cluster/AtlasFile.h"

class QProgressBar;
class QPushButton;
class QWidget;

namespace ax {

// A cluster's atlas on a worker thread: its file read back while current, else every star
// surveyed and the file written when whole. A progress bar and a Cancel button, for the
// caller to lay out, show while it runs.
class AtlasMaker : public QObject {
  Q_OBJECT

 public:
  AtlasMaker(QWidget* parent, const char* progressName, const char* cancelName);
  ~AtlasMaker() override;

  // Starts afresh for this cluster file; a making under way is cancelled and never told.
  void Make(const std::filesystem::path& clusterFile);
  bool Making() const { return worker_.joinable(); }
  // Stops the making; it is told, Cancelled, and no atlas file is written.
  void Cancel();
  const std::filesystem::path& ClusterFile() const { return clusterFile_; }

  QProgressBar* Progress() const { return progress_; }
  QPushButton* CancelButton() const { return cancelButton_; }

  // Told on the caller's thread when a making ends; `error` is empty unless it failed.
  std::function<void(const AtlasMade& made, const QString& error)> Done;

 private:
  void Finish(const AtlasMade& made, const QString& error);

  std::filesystem::path clusterFile_;
  std::atomic<bool> cancel_{false};
  int run_ = 0;  // the making under way; the ends of earlier ones are ignored
  std::thread worker_;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace ax
