#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "display/Canvas.h"
#include "display/ViewState.h"
#include "io/FileCommands.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTextBrowser;
class QTimer;

namespace ax {

class ControlPanel;
class DeliberateSystem;
class IncompleteSystem;
class NamingForm;
class Settings;
class SysDisScreen;

// What a file dialog is asked for; the answer is the chosen path or an empty text when the
// user cancelled.
struct FileDialogRequest {
  bool save = false;
  QString directory;
  QString filter;            // "Star Files (*.ax2)"
  QString defaultExtension;  // "ax2"
  QString fileName;          // preset name of a Save As
};

// Asks `choose` for a file; a name given without an extension gets the request's default one.
// Empty when the user cancelled.
QString ChooseFileWithExtension(const std::function<QString(const FileDialogRequest&)>& choose,
                                const FileDialogRequest& request);

// The system window: one star system shown in four display modes and worked on through the
// buttons and menus, with the control panel beside it.
class SystemDisplay : public QMainWindow {
  Q_OBJECT

 public:
  // The world belongs to the program; the random source is clock-seeded by the program and
  // seeded by tests.
  SystemDisplay(World& world, Random& random, QWidget* parent = nullptr);
  ~SystemDisplay() override;

  // Entered from the start form: the control panel shown and checked, an empty drawing area.
  void Enter();
  // Entered through a jump into a star of the cluster `clusterCode` ("C07"), with the star's
  // system already in the world: kept (read from its file, shown as it is) or fresh (its stars
  // only, surveyed when Auto Survey is checked). Until JUMP leads back, nothing may put another
  // system in the star's place: Open, Undo and Generate stay off.
  void EnterClusterStar(bool kept, const std::string& clusterCode);
  // The cluster window closed under a star's system: leave without returning to it.
  void LeaveClusterStar();

  // Commands.
  void GenerateRandomSystem();
  void SurveyAction();
  void ToggleDisplayMode();
  void WorldButtonClick();
  void OpenSystemFile();
  void SaveSystemAs();
  void UndoSystem();
  // Shows the deliberate or incomplete generation form, made on first use.
  void OpenDeliberateForm();
  void OpenIncompleteForm();
  // A form has put a new system in the world: the view is reset as for any new system.
  void SystemGenerated();
  void ScrollAction(const QString& tag);
  void ClickAt(double x, double y);
  void ButtonTimerTick();

  // Draws the current mode on a canvas whose scale is already 0..100.
  void DrawScreen(Canvas& canvas);

  ViewState& View() { return view_; }
  std::int16_t DisplayMode() const { return view_.DisplayMode; }
  bool SystemPresent() const { return systemPresent_ != 0; }
  std::int16_t RepeatCount() const { return repeatCount_; }

  // The file dialog; by default the platform's.
  std::function<QString(const FileDialogRequest&)> ChooseFile;

  SysDisScreen* Screen = nullptr;
  ControlPanel* Panel = nullptr;
  NamingForm* Naming = nullptr;
  DeliberateSystem* Deliberate = nullptr;  // null until first opened
  IncompleteSystem* Incomplete = nullptr;  // null until first opened
  QTimer* ButtonTimer = nullptr;
  QString ButtonTimerTag;

  QPushButton* ModeButton2 = nullptr;
  QPushButton* ModeButton = nullptr;
  QPushButton* WorldButton = nullptr;
  QPushButton* SurveyButton = nullptr;
  QPushButton* JumpButton = nullptr;
  QPushButton* UpScroll = nullptr;
  QPushButton* DownScroll = nullptr;
  QPushButton* LeftScroll = nullptr;
  QPushButton* RightScroll = nullptr;

  QMenu* SystemMenuFile = nullptr;
  QAction* SystemMenuFileOpen = nullptr;
  QAction* SystemMenuFileSaveAs = nullptr;
  QAction* SystemMenuFileExit = nullptr;
  QMenu* SystemMenuEdit = nullptr;
  QAction* SystemMenuEditUndoSystem = nullptr;
  QAction* SystemMenuEditSystemName = nullptr;
  QAction* SystemMenuEditPlanetName = nullptr;
  QMenu* SystemMenuOptions = nullptr;
  QAction* SystemMenuOptionsAutoSurvey = nullptr;
  QAction* SystemMenuOptionsEnableUndo = nullptr;
  QMenu* SystemMenuGenerate = nullptr;
  QAction* SystemMenuGenerateRandom = nullptr;
  QAction* SystemMenuGenerateDeliberate = nullptr;
  QAction* SystemMenuGenerateIncomplete = nullptr;
  QMenu* SystemMenuView = nullptr;
  QAction* SystemMenuViewControlPanel = nullptr;
  QAction* SystemMenuViewOrbits = nullptr;
  QAction* SystemMenuViewPlanets = nullptr;
  QAction* SystemMenuViewMoonOrbits = nullptr;
  QAction* SystemMenuViewMoonPositions = nullptr;

  // Seeds: a random system is made from a seed of its own, which the status bar shows.
  void GenerateFromSeed();
  void PutSeedInNote();
  // The seed of the system shown, when it was made from one.
  std::optional<std::uint64_t> Seed() const { return seed_; }
  // Asks for a seed; nothing when the user cancelled or typed no seed. By default a dialog.
  std::function<std::optional<std::uint64_t>()> AskSeed;
  QAction* SystemMenuGenerateFromSeed = nullptr;
  QAction* SystemMenuEditSeedInNote = nullptr;
  QLabel* SeedLabel = nullptr;

  // Comforts: remembered files, options and geometry, shortcuts, tooltips, dropped files.
  // The settings outlive the window; without them nothing is remembered between runs.
  void UseSettings(Settings& settings);
  void OpenSystemFileAt(const QString& path);
  void OpenRecentFile(const QString& path);
  QMenu* SystemMenuFileOpenRecent = nullptr;

  // Help and About.
  void ShowHelp();
  void ShowAbout();
  QMenu* SystemMenuHelp = nullptr;
  QAction* SystemMenuHelpContents = nullptr;
  QAction* SystemMenuHelpAbout = nullptr;
  QTextBrowser* HelpPage = nullptr;  // null until first shown

  // Image export: File, Export Image... saves the current mode as a PNG or SVG image of a
  // chosen size, through ChooseImageSize and then ChooseFile.
  void ExportImageFile();
  // The size dialog, given the drawing area's size; nothing when the user cancelled.
  std::function<std::optional<QSize>(QSize current)> ChooseImageSize;
  QAction* SystemMenuFileExportImage = nullptr;

  // Report export: File, Export Report... and Edit, Copy Report.
  void ExportReport();
  void CopyReport();
  QAction* SystemMenuFileExportReport = nullptr;
  QAction* SystemMenuEditCopyReport = nullptr;

 signals:
  // The window closed; the start form shows itself again.
  void Closed();
  // JUMP under a cluster star: the cluster window keeps a surveyed system and comes back.
  void ReturnToCluster();
  // The window closed while it showed a cluster star; the cluster window comes back.
  void ClusterStarClosed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildButtons(QWidget* central);
  void BuildMenus();
  void ResetSystemView();
  void ShowSymbolicSystem();
  void ShowWorld();
  void UpdateCommands();
  void Redraw();
  void ViewMenuChanged(QAction* item);
  void ScrollWorld(const QString& tag);
  bool HoldsWorld(int star, int orbit) const;
  void MoveToWorld(int step);
  void ClickReport(double x, double y);
  void ShowReadOutFailure(const QString& doing, const std::filesystem::path& file,
                          const std::string& reason);

  // Image export.
  void AddImageCommands();

  // Report export.
  void AddReportCommands();
  void UpdateReportCommands();
  bool ReportBodySelected() const;

  World& world_;
  Random& random_;
  ViewState view_;
  UndoCopy undo_;
  std::unique_ptr<SystemFileReader> reader_;
  std::int16_t systemPresent_ = 0;
  std::int16_t previousMode_ = 0;
  std::int16_t repeatCount_ = 0;
  std::string clusterCode_;  // the cluster of the star shown, for Save As

  // Seeds.
  void AddSeedCommands();
  void UpdateSeedCommands();
  // The source of a new random system: seeded with the seed asked for, or a fresh one.
  Random& StartSeededSystem();
  // Where the survey draws: the seeded source of a seed-made system, else the window's own.
  Random& SystemRandom();
  void ForgetSeed();
  std::optional<std::uint64_t> seed_;
  std::optional<std::uint64_t> pendingSeed_;
  std::optional<Random> seeded_;

  // Comforts.
  void AddComfortCommands();
  void RememberFile(const QString& path);
  void FillRecentMenu();
  Settings* settings_ = nullptr;

  // Help and About.
  void AddHelpCommands();
};

}  // namespace ax
