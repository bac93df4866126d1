#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "control/ClusterHandoff.h"
#include "control/SystemCommands.h"
#include "control/SystemEdits.h"
#include "display/Canvas.h"
#include "display/ViewState.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/FileDialogs.h"
#include "ui/FileErrorBox.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QUndoStack;

namespace ax {

class ControlPanel;
class DeliberateSystem;
class EditWorldForm;
class IncompleteSystem;
class NamingForm;
class Settings;
class SystemScreen;

// The system window: one star system shown in four display modes and worked on through the
// buttons and menus, with the control panel beside it. Its state and the commands that need
// no widget are the controller's; the window asks it and shows the answer. Tests find the
// widgets by their object names.
class SystemDisplay : public QMainWindow {
  Q_OBJECT

 public:
  // The world belongs to the program; the random source is clock-seeded by the program and
  // seeded by tests. The hand-off brings the cluster window's stars in and leads back.
  SystemDisplay(World& world, Random& random, ClusterHandoff& handoff, QWidget* parent = nullptr);
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
  void GenerateFromSeed();
  void SurveyAction();
  void ToggleDisplayMode();
  void WorldButtonClick();
  // View, Fit: the whole system, or the world with its moons, fills the view.
  void FitView();
  void OpenSystemFile();
  void OpenSystemFileAt(const QString& path);
  void OpenRecentFile(const QString& path);
  void SaveSystemAs();
  void UndoSystem();
  void PutSeedInNote();
  // Shows the deliberate or incomplete generation form, made on first use.
  void OpenDeliberateForm();
  void OpenIncompleteForm();
  // A form has put a new system in the world: the view is reset as for any new system.
  void SystemGenerated();
  void ScrollAction(const QString& tag);
  void ClickAt(double x, double y);
  void ButtonTimerTick();
  // File, Export Image...: the current mode as a PNG or SVG image of a chosen size, through
  // ChooseImageSize and then ChooseFile.
  void ExportImageFile();
  // File, Export Report... and Edit, Copy Report.
  void ExportReport();
  void CopyReport();
  // The world edits, on the world of the selected orbit; each one step of the edits' undo stack.
  void RerollWorld();
  void RerollWorldFromSeed();
  void RerollUnlocked();
  void ToggleLockWorld();
  void EditWorld();
  void RemoveWorld();
  void AddWorld();

  // Draws the current mode on a canvas whose scale is already 0..100.
  void DrawScreen(Canvas& canvas);

  const SystemCommands& Commands() const { return commands_; }
  const SystemEdits& Edits() const { return edits_; }
  ViewState& View() { return view_; }
  std::int16_t DisplayMode() const { return view_.DisplayMode; }
  bool SystemPresent() const { return commands_.Present(); }
  std::int16_t RepeatCount() const { return repeatCount_; }
  // The seed of the system shown, when it was made from one.
  std::optional<std::uint64_t> Seed() const { return commands_.Seed(); }
  // The arrow the auto-repeat repeats: "up", "down", "left" or "right".
  const QString& RepeatTag() const { return repeatTag_; }

  // The remembered files, options and geometry. The settings outlive the window; without them
  // nothing is remembered between runs.
  void UseSettings(Settings& settings);

  // Test hooks. The file dialog; by default the platform's.
  FileChooser ChooseFile;
  // Asks for a seed; nothing when the user cancelled or typed no seed. By default a dialog.
  std::function<std::optional<std::uint64_t>()> AskSeed;
  // The image size dialog, given the drawing area's size; nothing when the user cancelled.
  std::function<std::optional<QSize>(QSize current)> ChooseImageSize;

 signals:
  // The window closed; the start form shows itself again.
  void Closed();

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
  // The auto-repeat of the arrows, held as keys or buttons.
  void BuildRepeatTimer();
  // A new random system from this seed, or from a fresh one.
  void GenerateFrom(std::optional<std::uint64_t> seed);
  void ResetSystemView();
  void ShowSymbolicSystem();
  void ShowWorld();
  void UpdateCommands();
  void Redraw();
  void ViewMenuChanged(QAction* item);
  void ScrollWorld(const QString& tag);
  // A view entered afresh: zoom 1 and no rotation, fitted when Fit New Views is on.
  void NewView();
  void MoveToWorld(int step);
  void ClickReport(double x, double y);
  // Shows a command's word in the status bar: a text, a clear, or nothing.
  void ShowStatus(const CommandResult& result);
  // A file command's failure in plain words in a box over the window.
  void ShowFileFailure(const CommandResult& result, FileAction action,
                       const std::filesystem::path& file);
  void ShowReadOutFailure(const QString& doing, const std::filesystem::path& file,
                          const std::string& reason);

  // The menus' feature parts, each in its own file.
  void AddSeedCommands();
  void AddRecentFiles();
  void AddShortcutsAndTips();
  void AddImageCommands();
  void AddReportCommands();
  void AddEditCommands();
  // Shows what an edit did and puts its step on the stack.
  void TakeEdit(const EditOutcome& outcome);
  void EditShown();
  // A new system, opened or generated, has no edits to undo.
  void ForgetEdits();
  void RememberFile(const QString& path);
  void FillRecentMenu();

  World& world_;
  Random& random_;
  ClusterHandoff& handoff_;
  SystemCommands commands_;
  SystemEdits edits_;
  ViewState& view_;
  Settings* settings_ = nullptr;
  std::int16_t repeatCount_ = 0;
  QString repeatTag_;

  SystemScreen* screen_ = nullptr;
  ControlPanel* panel_ = nullptr;
  NamingForm* naming_ = nullptr;
  DeliberateSystem* deliberate_ = nullptr;  // null until first opened
  IncompleteSystem* incomplete_ = nullptr;  // null until first opened
  EditWorldForm* editForm_ = nullptr;       // null until first opened
  QUndoStack* editStack_ = nullptr;
  QTimer* buttonTimer_ = nullptr;

  // The widgets that the commands turn on and off or that the tips describe, by their names.
  QPushButton* modeButton2_ = nullptr;  // "ModeButton2": to the orbit drawing
  QPushButton* modeButton_ = nullptr;   // "ModeButton": back from it
  QPushButton* worldButton_ = nullptr;
  QPushButton* surveyButton_ = nullptr;
  QPushButton* jumpButton_ = nullptr;
  QPushButton* upScroll_ = nullptr;
  QPushButton* downScroll_ = nullptr;
  QPushButton* leftScroll_ = nullptr;
  QPushButton* rightScroll_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* generateMenu_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QAction* openItem_ = nullptr;
  QAction* saveAsItem_ = nullptr;
  QAction* exitItem_ = nullptr;
  QAction* undoItem_ = nullptr;
  QAction* systemNameItem_ = nullptr;
  QAction* planetNameItem_ = nullptr;
  QAction* autoSurveyItem_ = nullptr;
  QAction* enableUndoItem_ = nullptr;
  QAction* fitNewViewsItem_ = nullptr;
  QAction* fitItem_ = nullptr;
  QAction* randomItem_ = nullptr;
  QAction* fromSeedItem_ = nullptr;
  QAction* deliberateItem_ = nullptr;
  QAction* incompleteItem_ = nullptr;
  QAction* controlPanelItem_ = nullptr;
  QAction* orbitsItem_ = nullptr;
  QAction* planetsItem_ = nullptr;
  QAction* moonOrbitsItem_ = nullptr;
  QAction* moonPositionsItem_ = nullptr;
  QAction* seedInNoteItem_ = nullptr;
  QAction* exportImageItem_ = nullptr;
  QAction* exportReportItem_ = nullptr;
  QAction* copyReportItem_ = nullptr;
  QAction* editUndoItem_ = nullptr;
  QAction* editRedoItem_ = nullptr;
  QAction* rerollItem_ = nullptr;
  QAction* rerollFromSeedItem_ = nullptr;
  QAction* rerollUnlockedItem_ = nullptr;
  QAction* lockItem_ = nullptr;
  QAction* editWorldItem_ = nullptr;
  QAction* removeWorldItem_ = nullptr;
  QAction* addWorldItem_ = nullptr;
  QLabel* seedLabel_ = nullptr;
};

}  // namespace ax
