#include "ui/SystemDisplay.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

#include "display/DisplayMode.h"
#include "display/WorldReport.h"
#include "ui/ControlPanel.h"
#include "ui/DeliberateSystem.h"
#include "ui/HelpMenu.h"
#include "ui/IncompleteSystem.h"
#include "ui/MenuItems.h"
#include "ui/NamingForm.h"
#include "ui/SeedLabel.h"
#include "ui/SystemScreen.h"

namespace ax {
namespace {

QPushButton* AddCommandButton(QWidget* parent, QLayout* row, const char* name,
                              const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  // The arrow keys belong to the window's auto-repeat, not to the focus chain.
  button->setFocusPolicy(Qt::NoFocus);
  row->addWidget(button);
  return button;
}

}  // namespace

SystemDisplay::SystemDisplay(World& world, Random& random, ClusterHandoff& handoff, QWidget* parent)
    : QMainWindow(parent),
      world_(world),
      random_(random),
      handoff_(handoff),
      commands_(world, random),
      edits_(world),
      view_(commands_.View()) {
  setObjectName(QStringLiteral("SystemDisplay"));
  setWindowTitle(QStringLiteral("Astrolattix System"));
  commands_.Beep = [] { QApplication::beep(); };

  BuildRepeatTimer();
  auto* central = new QWidget(this);
  screen_ = new SystemScreen(central);
  screen_->Draw = [this](Canvas& canvas) { DrawScreen(canvas); };
  screen_->installEventFilter(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(screen_, 1);
  BuildButtons(central);
  setCentralWidget(central);
  BuildMenus();
  statusBar();

  panel_ = new ControlPanel(view_, this);
  naming_ = new NamingForm(world_, this);

  ChooseFile = [this](const FileDialogRequest& request) {
    return AskFileDialog(this, request.save ? QStringLiteral("Save As") : QStringLiteral("Open"),
                         request);
  };

  connect(screen_, &SystemScreen::Clicked, this, &SystemDisplay::ClickAt);
  connect(buttonTimer_, &QTimer::timeout, this, &SystemDisplay::ButtonTimerTick);
  connect(panel_, &ControlPanel::Applied, this, [this] {
    if (view_.DisplayMode == 1 || view_.DisplayMode == 3) Redraw();
  });
  connect(panel_, &ControlPanel::Closed, this, [this] { controlPanelItem_->setChecked(false); });
  connect(naming_, &NamingForm::Finished, this, &SystemDisplay::Redraw);

  handoff_.ShowStar = [this](const StarVisit& visit) {
    EnterClusterStar(visit.outcome == JumpOutcome::Kept, visit.clusterCode);
    const std::string message = ArrivalMessage(visit);
    if (!message.empty()) statusBar()->showMessage(QString::fromStdString(message));
  };
  handoff_.LeaveStar = [this] { LeaveClusterStar(); };

  if (view_.StarDate == 0) view_.StarDate = 2000.0;
  resize(800, 640);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  UpdateCommands();
}

SystemDisplay::~SystemDisplay() {
  handoff_.ShowStar = nullptr;
  handoff_.LeaveStar = nullptr;
}

void SystemDisplay::BuildButtons(QWidget* central) {
  auto* row = new QHBoxLayout;
  modeButton2_ = AddCommandButton(central, row, "ModeButton2", "Graphical");
  modeButton_ = AddCommandButton(central, row, "ModeButton", "Symbolic");
  worldButton_ = AddCommandButton(central, row, "WorldButton", "WORLD");
  surveyButton_ = AddCommandButton(central, row, "SurveyButton", "SURVEY");
  jumpButton_ = AddCommandButton(central, row, "JumpButton", "JUMP");
  upScroll_ = AddCommandButton(central, row, "UpScroll", "UP");
  downScroll_ = AddCommandButton(central, row, "DownScroll", "DOWN");
  leftScroll_ = AddCommandButton(central, row, "LeftScroll", "<");
  rightScroll_ = AddCommandButton(central, row, "RightScroll", ">");
  static_cast<QVBoxLayout*>(central->layout())->addLayout(row);

  connect(modeButton2_, &QPushButton::clicked, this, &SystemDisplay::ToggleDisplayMode);
  connect(modeButton_, &QPushButton::clicked, this, &SystemDisplay::ToggleDisplayMode);
  connect(worldButton_, &QPushButton::clicked, this, &SystemDisplay::WorldButtonClick);
  connect(surveyButton_, &QPushButton::clicked, this, &SystemDisplay::SurveyAction);
  connect(jumpButton_, &QPushButton::clicked, this, &SystemDisplay::GenerateRandomSystem);

  const std::pair<QPushButton*, const char*> scrolls[] = {
      {upScroll_, "up"}, {downScroll_, "down"}, {leftScroll_, "left"}, {rightScroll_, "right"}};
  for (const auto& [button, tag] : scrolls) {
    const QString name = QString::fromLatin1(tag);
    connect(button, &QPushButton::clicked, this, [this, name] { ScrollAction(name); });
    // Held with the mouse, the button repeats its action outside the world read-out.
    connect(button, &QPushButton::pressed, this, [this, name] {
      if (view_.DisplayMode == 2) return;
      repeatTag_ = name;
      buttonTimer_->start();
    });
    connect(button, &QPushButton::released, buttonTimer_, &QTimer::stop);
  }
}

void SystemDisplay::BuildMenus() {
  QMenuBar* bar = menuBar();
  fileMenu_ = AddMenu(bar, "&File", "SystemMenuFile");
  openItem_ = AddItem(fileMenu_, "&Open...", "SystemMenuFileOpen");
  saveAsItem_ = AddItem(fileMenu_, "Save &As...", "SystemMenuFileSaveAs");
  AddImageCommands();
  exitItem_ = AddItem(fileMenu_, "E&xit", "SystemMenuFileExit");

  editMenu_ = AddMenu(bar, "&Edit", "SystemMenuEdit");
  undoItem_ = AddItem(editMenu_, "&Undo System", "SystemMenuEditUndoSystem");
  systemNameItem_ = AddItem(editMenu_, "&System Name", "SystemMenuEditSystemName");
  planetNameItem_ = AddItem(editMenu_, "&Planet Name", "SystemMenuEditPlanetName");

  QMenu* options = AddMenu(bar, "&Options", "SystemMenuOptions");
  autoSurveyItem_ = AddItem(options, "&Auto Survey", "SystemMenuOptionsAutoSurvey", true);
  enableUndoItem_ = AddItem(options, "&Enable Undo System", "SystemMenuOptionsEnableUndo", true);
  fitNewViewsItem_ = AddItem(options, "&Fit New Views", "SystemMenuOptionsFitNewViews", true);
  fitNewViewsItem_->setChecked(true);

  generateMenu_ = AddMenu(bar, "&Generate", "SystemMenuGenerate");
  randomItem_ = AddItem(generateMenu_, "&Random", "SystemMenuGenerateRandom");
  deliberateItem_ = AddItem(generateMenu_, "&Deliberate...", "SystemMenuGenerateDeliberate");
  incompleteItem_ = AddItem(generateMenu_, "&Incomplete...", "SystemMenuGenerateIncomplete");

  QMenu* view = AddMenu(bar, "&View", "SystemMenuView");
  fitItem_ = AddItem(view, "&Fit", "SystemMenuViewFit");
  controlPanelItem_ = AddItem(view, "&Control Panel", "SystemMenuViewControlPanel", true);
  orbitsItem_ = AddItem(view, "&Orbits", "SystemMenuViewOrbits", true);
  planetsItem_ = AddItem(view, "&Planets", "SystemMenuViewPlanets", true);
  moonOrbitsItem_ = AddItem(view, "&Moon Orbits", "SystemMenuViewMoonOrbits", true);
  moonPositionsItem_ = AddItem(view, "Moon Po&sitions", "SystemMenuViewMoonPositions", true);
  orbitsItem_->setChecked(view_.ShowOrbits);
  planetsItem_->setChecked(view_.ShowPlanets);
  moonOrbitsItem_->setChecked(view_.ShowMoonOrbits);
  moonPositionsItem_->setChecked(view_.ShowMoonPositions);

  connect(openItem_, &QAction::triggered, this, &SystemDisplay::OpenSystemFile);
  connect(saveAsItem_, &QAction::triggered, this, &SystemDisplay::SaveSystemAs);
  connect(exitItem_, &QAction::triggered, this, &SystemDisplay::close);
  connect(undoItem_, &QAction::triggered, this, &SystemDisplay::UndoSystem);
  connect(systemNameItem_, &QAction::triggered, this, [this] { naming_->NameSystem(); });
  connect(planetNameItem_, &QAction::triggered, this, [this] { naming_->NameWorld(); });
  connect(autoSurveyItem_, &QAction::toggled, this,
          [this](bool checked) { commands_.SetAutoSurvey(checked); });
  connect(enableUndoItem_, &QAction::toggled, this,
          [this](bool checked) { commands_.SetUndoEnabled(checked); });
  connect(randomItem_, &QAction::triggered, this, &SystemDisplay::GenerateRandomSystem);
  connect(deliberateItem_, &QAction::triggered, this, &SystemDisplay::OpenDeliberateForm);
  connect(incompleteItem_, &QAction::triggered, this, &SystemDisplay::OpenIncompleteForm);
  connect(fitItem_, &QAction::triggered, this, &SystemDisplay::FitView);
  connect(controlPanelItem_, &QAction::triggered, this,
          [this](bool checked) { panel_->setVisible(checked); });
  for (QAction* item : {orbitsItem_, planetsItem_, moonOrbitsItem_, moonPositionsItem_}) {
    connect(item, &QAction::triggered, this, [this, item] { ViewMenuChanged(item); });
  }
  AddSeedCommands();
  AddRecentFiles();
  AddShortcutsAndTips();
  AddHelpMenu(*this, "System");
  AddReportCommands();
  AddEditCommands();
}

void SystemDisplay::Enter() {
  commands_.Enter();
  controlPanelItem_->setChecked(true);
  show();
  panel_->Load();
  panel_->PlaceControlPanel(*this);
  panel_->show();
  UpdateCommands();
  Redraw();
}

void SystemDisplay::EnterClusterStar(bool kept, const std::string& clusterCode) {
  // A form left open would generate over the star's system.
  if (deliberate_ != nullptr) deliberate_->hide();
  if (incomplete_ != nullptr) incomplete_->hide();
  if (controlPanelItem_->isChecked()) panel_->show();
  show();
  raise();
  panel_->PlaceControlPanel(*this);
  statusBar()->clearMessage();
  panel_->ResetControlPanelView();
  commands_.EnterClusterStar(kept, clusterCode);
  ForgetEdits();
  edits_.ForgetLocks();
  UpdateCommands();
  Redraw();
}

void SystemDisplay::LeaveClusterStar() {
  panel_->StopStarDate();
  panel_->hide();
  naming_->hide();
  hide();
  commands_.LeaveClusterStar();
}

void SystemDisplay::UpdateCommands() {
  const EnabledCommands on = commands_.Enabled();
  const int mode = view_.DisplayMode;
  const bool graphical = mode == 1 || mode == 3;
  surveyButton_->setEnabled(on.survey);
  jumpButton_->setEnabled(on.jump);
  modeButton_->setEnabled(on.symbolic);
  modeButton2_->setEnabled(on.graphical);
  worldButton_->setEnabled(on.world);
  worldButton_->setText(mode >= 2 ? QStringLiteral("SYSTEM") : QStringLiteral("WORLD"));
  for (QPushButton* scroll : {upScroll_, downScroll_, leftScroll_, rightScroll_}) {
    scroll->setEnabled(on.scrolls);
  }
  upScroll_->setText(graphical ? QStringLiteral("OUT") : QStringLiteral("UP"));
  downScroll_->setText(graphical ? QStringLiteral("IN") : QStringLiteral("DOWN"));

  openItem_->setEnabled(on.open);
  recentMenu_->menuAction()->setEnabled(on.open);
  saveAsItem_->setEnabled(on.saveAs);
  undoItem_->setEnabled(on.undo);
  systemNameItem_->setEnabled(on.systemName);
  planetNameItem_->setEnabled(on.planetName);
  generateMenu_->setEnabled(on.generate);
  for (QAction* item : {randomItem_, fromSeedItem_, deliberateItem_, incompleteItem_}) {
    item->setEnabled(on.generate);
  }
  const QString tip = on.generate ? QString() : QString::fromLatin1(kClusterStarTip);
  for (QAction* item : {openItem_, undoItem_, randomItem_, deliberateItem_, incompleteItem_}) {
    item->setStatusTip(tip);
  }
  seedInNoteItem_->setEnabled(on.seedInNote);
  ShowSeed(seedLabel_, on.seedInNote ? commands_.Seed() : std::nullopt);
  exportImageItem_->setEnabled(on.exportImage);
  exportReportItem_->setEnabled(on.exportReport);
  copyReportItem_->setEnabled(on.copyReport);
  for (QAction* item :
       {rerollItem_, rerollFromSeedItem_, lockItem_, editWorldItem_, removeWorldItem_}) {
    item->setEnabled(on.editWorld);
  }
  lockItem_->setChecked(on.editWorld && edits_.SelectedLocked());
  addWorldItem_->setEnabled(on.addWorld);
  rerollUnlockedItem_->setEnabled(on.rerollUnlocked);
  screen_->SetGuide(
      commands_.Present()
          ? QString()
          : QStringLiteral("Generate \u203A Random (Ctrl+R), or File \u203A Open (Ctrl+O)"));
}

void SystemDisplay::Redraw() {
  screen_->update();
}

void SystemDisplay::ShowStatus(const CommandResult& result) {
  if (!result.status) return;
  if (result.status->empty()) {
    statusBar()->clearMessage();
  } else {
    statusBar()->showMessage(QString::fromStdString(*result.status));
  }
}

void SystemDisplay::ShowReadOutFailure(const QString& doing, const std::filesystem::path& file,
                                       const std::string& reason) {
  statusBar()->showMessage(QString::fromStdString(FailureText(doing.toStdString(), file, reason)));
}

void SystemDisplay::GenerateRandomSystem() {
  panel_->StopStarDate();
  if (commands_.ClusterStar()) {
    // Back to the cluster, which keeps a surveyed system with its star. A cluster star's
    // system has no undo copy: undoing into it would leave the cluster behind.
    panel_->hide();
    naming_->hide();
    hide();
    commands_.ReturnToCluster();
    handoff_.Return();
    return;
  }
  GenerateFrom(std::nullopt);
}

void SystemDisplay::GenerateFrom(std::optional<std::uint64_t> seed) {
  panel_->StopStarDate();
  const CommandResult result = commands_.GenerateRandom(seed);
  ShowStatus(result);
  ShowFileFailure(result, FileAction::KeepUndoCopy, UndoCopy::File());
  if (result.done) ResetSystemView();
}

void SystemDisplay::OpenDeliberateForm() {
  if (commands_.ClusterStar()) return;
  if (deliberate_ == nullptr) {
    deliberate_ = new DeliberateSystem(world_, random_, this);
    connect(deliberate_, &DeliberateSystem::Generated, this, &SystemDisplay::SystemGenerated);
  }
  deliberate_->Open();
}

void SystemDisplay::OpenIncompleteForm() {
  if (commands_.ClusterStar()) return;
  if (incomplete_ == nullptr) {
    incomplete_ = new IncompleteSystem(world_, random_, this);
    connect(incomplete_, &IncompleteSystem::Generated, this, &SystemDisplay::SystemGenerated);
  }
  incomplete_->Open();
}

void SystemDisplay::SystemGenerated() {
  statusBar()->clearMessage();
  commands_.SystemGenerated();
  ResetSystemView();
}

// After the controller has put a new system in place (and surveyed it, under Auto Survey).
void SystemDisplay::ResetSystemView() {
  ForgetEdits();
  edits_.ForgetLocks();
  panel_->ResetControlPanelView();
  UpdateCommands();
  Redraw();
}

void SystemDisplay::SurveyAction() {
  if (!commands_.SurveySystem()) return;
  ForgetEdits();
  ShowSymbolicSystem();
}

void SystemDisplay::ShowSymbolicSystem() {
  commands_.ShowSymbolic();
  UpdateCommands();
  Redraw();
}

void SystemDisplay::ShowWorld() {
  commands_.ShowWorld();
  UpdateCommands();
  Redraw();
}

void SystemDisplay::closeEvent(QCloseEvent* event) {
  panel_->StopStarDate();
  panel_->hide();
  naming_->hide();
  // A form left open must not generate into the cleared world of a closed window.
  if (deliberate_ != nullptr) deliberate_->hide();
  if (incomplete_ != nullptr) incomplete_->hide();
  buttonTimer_->stop();
  repeatCount_ = 0;
  commands_.Close();
  ForgetEdits();
  edits_.ForgetLocks();
  UpdateCommands();
  event->accept();
  if (commands_.ClusterStar()) {
    handoff_.SystemClosed();
  } else {
    emit Closed();
  }
}

bool SystemDisplay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == screen_ && event->type() == QEvent::Resize && screen_->height() > 0) {
    view_.ViewAspect = static_cast<double>(screen_->width()) / screen_->height();
    Redraw();
  }
  return QMainWindow::eventFilter(watched, event);
}

void SystemDisplay::ClickReport(double x, double y) {
  const WorldReport::Hit hit = WorldReport::HitAt(world_, x, y);
  switch (hit.kind) {
    case WorldReport::Hit::Kind::SymbolicList: ShowSymbolicSystem(); return;
    case WorldReport::Hit::Kind::Orbit:
      world_.CurrentOrbit = static_cast<std::int16_t>(hit.index);
      world_.CurrentBody = 0;
      ShowWorld();
      return;
    case WorldReport::Hit::Kind::Body:
      world_.CurrentBody = static_cast<std::int16_t>(hit.index);
      ShowWorld();
      return;
    case WorldReport::Hit::Kind::Nothing: return;
  }
}

void SystemDisplay::DrawScreen(Canvas& canvas) {
  if (!commands_.Present()) return;
  // The list shows the stars of a system not yet surveyed; the other modes show its worlds.
  if (view_.DisplayMode != 0 && world_.SystemSurveyed == 0) return;
  DrawDisplayMode(world_, view_, canvas);
}

}  // namespace ax
