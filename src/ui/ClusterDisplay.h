#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "cluster/ClusterGeneration.h"
#include "cluster/ClusterView.h"
#include "io/ClusterRecord.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/SystemDisplay.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTextBrowser;
class QTimer;
class QToolButton;

namespace ax {

class ClusDisScreen;
class ClusterGeneration;
class Settings;

// The cluster window: the stars of a cluster file seen along +Z (and +X), a star picked with
// the mouse, the jump into its system, new clusters and cluster files.
class ClusterDisplay : public QMainWindow {
  Q_OBJECT

 public:
  ClusterDisplay(World& world, Random& random, SystemDisplay& systemWindow,
                 QWidget* parent = nullptr);
  ~ClusterDisplay() override;

  // Entered from the start form.
  void Enter();

  // Commands.
  void NewCluster();
  void OpenClusterFile();
  void ChooseDefaultDirectory();
  void RedrawCluster();
  void ClusterSelectStar();
  void JumpIntoClusterStar();
  // The system window's JUMP while it shows a cluster star: keep a surveyed system, come back.
  void ReturnFromStar();
  // The system window closed while it showed a cluster star.
  void StarSystemClosed();

  // Starts a generation on a worker thread; the window stays responsive and offers Cancel.
  void StartGeneration(const ClusterSettings& settings);
  bool Generating() const { return generating_; }
  void CancelGeneration();

  const std::filesystem::path& ClusterFilePath() const { return clusterFile_; }
  const std::filesystem::path& DefaultDirectory() const { return folder_; }
  const ClusterViewState& View() const { return view_; }
  const std::vector<DrawnStar>& Drawn() const { return drawn_; }
  std::int32_t SelectedRecord() const { return selectedRecord_; }
  bool JumpActive() const { return jumpActive_; }

  // File dialogs; by default the platform's. An empty answer means the user cancelled.
  std::function<QString(const FileDialogRequest&)> ChooseFile;
  std::function<QString(const QString& directory)> ChooseFolder;

  ClusDisScreen* Screen = nullptr;
  ClusterGeneration* Generation = nullptr;
  QLineEdit* XText = nullptr;
  QLineEdit* YText = nullptr;
  QLineEdit* ZText = nullptr;
  QLineEdit* RangeText = nullptr;
  QToolButton* RangeSpinUp = nullptr;
  QToolButton* RangeSpinDown = nullptr;
  QPushButton* ClusterRedraw = nullptr;
  QPushButton* ClusterJumpButton = nullptr;
  QPushButton* ClusterCancelGeneration = nullptr;
  QLabel* ClusterTempLabel = nullptr;
  QProgressBar* ClusterProgress = nullptr;
  QScrollBar* ClusterRecordScroll = nullptr;
  QAction* ClusterMenuFileNewCluster = nullptr;
  QAction* ClusterMenuFileOpen = nullptr;
  QAction* ClusterMenuFileDefaultDirectory = nullptr;
  QAction* ClusterMenuFileExit = nullptr;
  QAction* ClusterMenuViewSecondX = nullptr;

  // Seeds: each new cluster is made from a seed of its own, which the status bar shows.
  std::optional<std::uint64_t> Seed() const { return seed_; }
  QLabel* ClusterSeedLabel = nullptr;

  // Comforts: the window's place and size remembered, tooltips, a dropped cluster file.
  void UseSettings(Settings& settings);
  void OpenClusterFileAt(const QString& path);

  // Help and About.
  QAction* ClusterMenuHelpContents = nullptr;
  QAction* ClusterMenuHelpAbout = nullptr;
  QTextBrowser* HelpPage = nullptr;  // null until first shown

  // Image export: File, Export Image... draws the cluster view afresh, with the selection, into
  // a PNG or SVG image of a chosen size.
  void ExportImageFile();
  // The size dialog, given the picture's size; nothing when the user cancelled. The view keeps
  // its proportions: the height chosen sets the width.
  std::function<std::optional<QSize>(QSize current)> ChooseImageSize;
  // The save dialog (ChooseFile opens files only); an empty answer means the user cancelled.
  std::function<QString(const FileDialogRequest&)> ChooseImageFile;
  QAction* ClusterMenuFileExportImage = nullptr;

 signals:
  // The window closed; the start form shows itself again.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void LayOutClusterWindow();
  void ShowNewCluster(int size);
  void ShowViewTexts(const ClusterViewTexts& texts);
  void ShowSelectedStar();
  void ShowProgress(const ax::ClusterProgress& progress);
  void FinishGeneration(const ClusterResult& result, const QString& error);
  void StepRange(int step);
  void DrawSelection(Canvas& canvas) const;
  void UpdateCommands();
  void Report(const QString& message);
  void KeepVisitedStar();
  std::optional<ClusterRecord> ReadSelectedRecord();

  // Image export.
  void AddImageCommands(QMenu* file);

  World& world_;
  Random& random_;
  SystemDisplay& systemWindow_;
  std::unique_ptr<SystemFileReader> reader_;
  QTimer* resizeTimer_ = nullptr;

  std::filesystem::path folder_;       // where new clusters are written
  std::filesystem::path clusterFile_;  // empty until a cluster is made or opened
  std::string clusterCode_;
  ClusterViewState view_;
  std::vector<DrawnStar> drawn_;
  std::vector<DrawnStar> formerSelections_;
  std::optional<DrawnStar> selected_;
  std::int32_t selectedRecord_ = 0;
  // The star whose system the system window shows, and the cluster it belongs to.
  std::optional<ClusterRecord> jumpRecord_;
  std::filesystem::path jumpFile_;
  bool jumpActive_ = false;

  bool generating_ = false;
  int generatedSize_ = 0;
  std::atomic<bool> cancel_{false};
  std::thread worker_;

  // Seeds.
  void AddSeedCommands();
  std::uint64_t NewClusterSeed();
  void ShowClusterSeed(std::optional<std::uint64_t> seed);
  std::uint64_t generationSeed_ = 0;  // the seed of the generation under way
  std::optional<std::uint64_t> seed_;

  // Comforts.
  void AddComfortCommands();

  // Help and About.
  void AddHelpCommands();
};

}  // namespace ax
