#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cluster/AtlasFile.h"
#include "cluster/ClusterGeneration.h"
#include "cluster/ClusterView.h"
#include "cluster/StarMarks.h"
#include "control/ClusterHandoff.h"
#include "io/ClusterRecord.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/FileDialogs.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ax {

class AtlasFind;
class AtlasMaker;
class ClusterScreen;
class ClusterGenerationForm;
class Settings;
class SpinArrows;

// The cluster window: the stars of a cluster file seen along +Z (and +X), a star picked with
// the mouse, the jump into its system, new clusters and cluster files. Tests find the widgets
// by their object names.
class ClusterDisplay : public QMainWindow {
  Q_OBJECT

 public:
  // The hand-off takes a star's system to the system window and brings it back.
  ClusterDisplay(World& world, Random& random, ClusterHandoff& handoff, QWidget* parent = nullptr);
  ~ClusterDisplay() override;

  // Entered from the start form.
  void Enter();

  // Commands.
  void NewCluster();
  void OpenClusterFile();
  void ChooseDefaultDirectory();
  void RedrawCluster();
  // True when a star lies within reach of the pointer and is selected.
  bool ClusterSelectStar();
  void JumpIntoClusterStar();
  // Starts a generation on a worker thread; the window stays responsive and offers Cancel.
  void StartGeneration(const ClusterSettings& settings);
  bool Generating() const { return generating_; }
  void CancelGeneration();
  // View, Find...: the cluster's atlas as a table; a star chosen there is centred and selected.
  void FindStars();
  void SelectAtlasStar(std::int32_t record, std::array<float, 3> position);
  // View, Mark: the stars whose systems hold life, a civilization or a habitable world ringed.
  // The atlas is made (or read) the first time on a worker thread; Cancel leaves no mark.
  void ChooseMark(StarMark mark);
  bool MakingMarks() const;
  // The legend drawn with the mark ("Life: 12 stars"); empty without a mark.
  const std::string& MarkLegendText() const { return markLegend_; }

  const std::filesystem::path& ClusterFilePath() const { return clusterFile_; }
  const std::filesystem::path& DefaultDirectory() const { return folder_; }
  const ClusterViewState& View() const { return view_; }
  const std::vector<DrawnStar>& Drawn() const { return drawn_; }
  std::int32_t SelectedRecord() const { return selectedRecord_; }
  bool JumpActive() const { return handoff_.Active(); }

  // File dialogs; by default the platform's. An empty answer means the user cancelled.
  std::function<QString(const FileDialogRequest&)> ChooseFile;
  std::function<QString(const QString& directory)> ChooseFolder;

  // Seeds: each new cluster is made from a seed of its own, which the status bar shows.
  std::optional<std::uint64_t> Seed() const { return seed_; }

  // Comforts: the window's place and size remembered, tooltips, a dropped cluster file.
  void UseSettings(Settings& settings);
  void OpenClusterFileAt(const QString& path);

  // Image export: File, Export Image... draws the cluster view afresh, with the selection, into
  // a PNG or SVG image of a chosen size.
  void ExportImageFile();
  // The size dialog, given the picture's size; nothing when the user cancelled. The view keeps
  // its proportions: the height chosen sets the width.
  std::function<std::optional<QSize>(QSize current)> ChooseImageSize;
  // The save dialog (ChooseFile opens files only); an empty answer means the user cancelled.
  std::function<QString(const FileDialogRequest&)> ChooseImageFile;

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
  void ArrangeViews();
  void ShowNewCluster(int size);
  void ShowViewTexts(const ClusterViewTexts& texts);
  void ShowSelectedStar();
  void ShowProgress(const ax::ClusterProgress& progress);
  void FinishGeneration(const ClusterResult& result, const QString& error);
  void StepRange(int step);
  void DrawSelection(Canvas& canvas) const;
  void UpdateCommands();
  void Report(const QString& message);
  // The system window's JUMP while it shows a cluster star: keep a surveyed system, come back.
  void ReturnFromStar();
  // The system window closed while it showed a cluster star.
  void StarSystemClosed();
  void KeepVisitedStar();
  std::optional<ClusterRecord> ReadSelectedRecord();

  // Image export.
  void AddImageCommands(QMenu* file);

  // Marks.
  void AddMarkCommands(QMenu* view);
  void ShowMark(StarMark mark);
  void TakeAtlas(const AtlasMade& made, const QString& error);
  // The held marks go when the cluster changes or another is shown; callers redraw.
  void DropMarks();
  const StarMarks* Marks() const { return marks_ ? &*marks_ : nullptr; }
  std::optional<StarMarks> marks_;
  StarMark pendingMark_ = StarMark::None;  // chosen while its atlas is made
  std::string markLegend_;
  AtlasMaker* markMaker_ = nullptr;
  std::array<QAction*, 4> markItems_{};

  World& world_;
  Random& random_;
  ClusterHandoff& handoff_;
  std::unique_ptr<SystemFileReader> reader_;
  QTimer* resizeTimer_ = nullptr;

  std::filesystem::path folder_;       // where new clusters are written
  std::filesystem::path clusterFile_;  // empty until a cluster is made or opened
  std::string clusterCode_;
  ClusterViewState view_;
  std::vector<DrawnStar> drawn_;
  std::vector<DrawnStar> formerSelections_;
  std::optional<DrawnStar> selected_;
  std::string selectedLabel_;  // its name and cell, printed beside it
  std::int32_t selectedRecord_ = 0;

  bool generating_ = false;
  int generatedSize_ = 0;
  std::atomic<bool> cancel_{false};
  std::thread worker_;

  // Seeds.
  void ShowClusterSeed(std::optional<std::uint64_t> seed);
  std::uint64_t generationSeed_ = 0;  // the seed of the generation under way
  std::optional<std::uint64_t> seed_;

  ClusterScreen* screen_ = nullptr;
  ClusterGenerationForm* generation_ = nullptr;
  QLineEdit* xText_ = nullptr;
  QLineEdit* yText_ = nullptr;
  QLineEdit* zText_ = nullptr;
  QLineEdit* rangeText_ = nullptr;
  SpinArrows* rangeSpin_ = nullptr;
  QPushButton* redrawButton_ = nullptr;
  QPushButton* jumpButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QLabel* tempLabel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* seedLabel_ = nullptr;
  QAction* newClusterItem_ = nullptr;
  QAction* openItem_ = nullptr;
  QAction* defaultDirectoryItem_ = nullptr;
  QAction* exitItem_ = nullptr;
  QAction* exportImageItem_ = nullptr;
  QAction* findItem_ = nullptr;
  AtlasFind* find_ = nullptr;
};

}  // namespace ax
