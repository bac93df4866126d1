#include "ui/SystemDisplay.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "display/DisplayMode.h"
#include "display/SymbolicList.h"
#include "display/WorldReport.h"
#include "generate/Stars.h"
#include "survey/Survey.h"
#include "ui/ControlPanel.h"
#include "ui/DeliberateSystem.h"
#include "ui/IncompleteSystem.h"
#include "ui/NamingForm.h"
#include "ui/SysDisScreen.h"

namespace ax {
namespace {

constexpr int kRepeatStartInterval = 50;    // ms: first repeat of a held arrow key
constexpr int kRepeatFirstInterval = 1000;  // ms: the pause before the key repeats
constexpr int kRepeatSecondInterval = 200;  // ms
constexpr int kRepeatShrink = 5;            // ms shorter per tick
constexpr int kRepeatFloor = 10;            // ms: the interval stays above this
constexpr int kStarSlotCount = kStarSlots;
constexpr int kLastOrbit = kOrbitSlots - 1;

QPushButton* AddButton(QWidget* parent, QLayout* row, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  // The arrow keys belong to the window's auto-repeat, not to the focus chain.
  button->setFocusPolicy(Qt::NoFocus);
  row->addWidget(button);
  return button;
}

QAction* AddItem(QMenu* menu, const char* caption, const char* name, bool checkable = false) {
  QAction* item = menu->addAction(QString::fromLatin1(caption));
  item->setObjectName(QString::fromLatin1(name));
  item->setCheckable(checkable);
  return item;
}

QMenu* AddMenu(QMenuBar* bar, const char* caption, const char* name) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QString DefaultFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent, request.save ? QStringLiteral("Save As") : QStringLiteral("Open"),
                     request.directory, request.filter);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(request.defaultExtension);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

const QString kClusterStarTip =
    QStringLiteral("Off while a cluster star is shown: JUMP leads back to the cluster first");

}  // namespace

SystemDisplay::SystemDisplay(World& world, Random& random, QWidget* parent)
    : QMainWindow(parent),
      world_(world),
      random_(random),
      reader_(std::make_unique<SystemFileReader>()) {
  setObjectName(QStringLiteral("SystemDisplay"));
  setWindowTitle(QStringLiteral("Astrolattix System"));

  ButtonTimer = new QTimer(this);
  ButtonTimer->setObjectName(QStringLiteral("ButtonTimer"));
  ButtonTimer->setInterval(kRepeatStartInterval);

  auto* central = new QWidget(this);
  Screen = new SysDisScreen(central);
  Screen->Draw = [this](Canvas& canvas) { DrawScreen(canvas); };
  Screen->installEventFilter(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(Screen, 1);
  BuildButtons(central);
  setCentralWidget(central);
  BuildMenus();
  statusBar();

  Panel = new ControlPanel(view_, this);
  Naming = new NamingForm(world_, this);

  ChooseFile = [this](const FileDialogRequest& request) {
    return DefaultFileDialog(this, request);
  };

  connect(Screen, &SysDisScreen::Clicked, this, &SystemDisplay::ClickAt);
  connect(ButtonTimer, &QTimer::timeout, this, &SystemDisplay::ButtonTimerTick);
  connect(Panel, &ControlPanel::Applied, this, [this] {
    if (view_.DisplayMode == 1 || view_.DisplayMode == 3) Redraw();
  });
  connect(Panel, &ControlPanel::Closed, this,
          [this] { SystemMenuViewControlPanel->setChecked(false); });
  connect(Naming, &NamingForm::Finished, this, &SystemDisplay::Redraw);

  view_.DisplayMode = 0;
  if (view_.StarDate == 0) view_.StarDate = 2000.0;
  resize(800, 640);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  UpdateCommands();
}

SystemDisplay::~SystemDisplay() = default;

void SystemDisplay::BuildButtons(QWidget* central) {
  auto* row = new QHBoxLayout;
  ModeButton2 = AddButton(central, row, "ModeButton2", "Graphical");
  ModeButton = AddButton(central, row, "ModeButton", "Symbolic");
  WorldButton = AddButton(central, row, "WorldButton", "WORLD");
  SurveyButton = AddButton(central, row, "SurveyButton", "SURVEY");
  JumpButton = AddButton(central, row, "JumpButton", "JUMP");
  UpScroll = AddButton(central, row, "UpScroll", "UP");
  DownScroll = AddButton(central, row, "DownScroll", "DOWN");
  LeftScroll = AddButton(central, row, "LeftScroll", "<");
  RightScroll = AddButton(central, row, "RightScroll", ">");
  static_cast<QVBoxLayout*>(central->layout())->addLayout(row);

  connect(ModeButton2, &QPushButton::clicked, this, &SystemDisplay::ToggleDisplayMode);
  connect(ModeButton, &QPushButton::clicked, this, &SystemDisplay::ToggleDisplayMode);
  connect(WorldButton, &QPushButton::clicked, this, &SystemDisplay::WorldButtonClick);
  connect(SurveyButton, &QPushButton::clicked, this, &SystemDisplay::SurveyAction);
  connect(JumpButton, &QPushButton::clicked, this, &SystemDisplay::GenerateRandomSystem);

  const std::pair<QPushButton*, const char*> scrolls[] = {
      {UpScroll, "up"}, {DownScroll, "down"}, {LeftScroll, "left"}, {RightScroll, "right"}};
  for (const auto& [button, tag] : scrolls) {
    const QString name = QString::fromLatin1(tag);
    connect(button, &QPushButton::clicked, this, [this, name] { ScrollAction(name); });
    // Held with the mouse, the button repeats its action outside the world read-out.
    connect(button, &QPushButton::pressed, this, [this, name] {
      if (view_.DisplayMode == 2) return;
      ButtonTimerTag = name;
      ButtonTimer->start();
    });
    connect(button, &QPushButton::released, ButtonTimer, &QTimer::stop);
  }
}

void SystemDisplay::BuildMenus() {
  QMenuBar* bar = menuBar();
  SystemMenuFile = AddMenu(bar, "&File", "SystemMenuFile");
  SystemMenuFileOpen = AddItem(SystemMenuFile, "&Open...", "SystemMenuFileOpen");
  SystemMenuFileSaveAs = AddItem(SystemMenuFile, "Save &As...", "SystemMenuFileSaveAs");
  AddImageCommands();
  SystemMenuFileExit = AddItem(SystemMenuFile, "E&xit", "SystemMenuFileExit");

  SystemMenuEdit = AddMenu(bar, "&Edit", "SystemMenuEdit");
  SystemMenuEditUndoSystem = AddItem(SystemMenuEdit, "&Undo System", "SystemMenuEditUndoSystem");
  SystemMenuEditSystemName = AddItem(SystemMenuEdit, "&System Name", "SystemMenuEditSystemName");
  SystemMenuEditPlanetName = AddItem(SystemMenuEdit, "&Planet Name", "SystemMenuEditPlanetName");

  SystemMenuOptions = AddMenu(bar, "&Options", "SystemMenuOptions");
  SystemMenuOptionsAutoSurvey =
      AddItem(SystemMenuOptions, "&Auto Survey", "SystemMenuOptionsAutoSurvey", true);
  SystemMenuOptionsEnableUndo =
      AddItem(SystemMenuOptions, "&Enable Undo System", "SystemMenuOptionsEnableUndo", true);

  SystemMenuGenerate = AddMenu(bar, "&Generate", "SystemMenuGenerate");
  SystemMenuGenerateRandom = AddItem(SystemMenuGenerate, "&Random", "SystemMenuGenerateRandom");
  SystemMenuGenerateDeliberate =
      AddItem(SystemMenuGenerate, "&Deliberate...", "SystemMenuGenerateDeliberate");
  SystemMenuGenerateIncomplete =
      AddItem(SystemMenuGenerate, "&Incomplete...", "SystemMenuGenerateIncomplete");

  SystemMenuView = AddMenu(bar, "&View", "SystemMenuView");
  SystemMenuViewControlPanel =
      AddItem(SystemMenuView, "&Control Panel", "SystemMenuViewControlPanel", true);
  SystemMenuViewOrbits = AddItem(SystemMenuView, "&Orbits", "SystemMenuViewOrbits", true);
  SystemMenuViewPlanets = AddItem(SystemMenuView, "&Planets", "SystemMenuViewPlanets", true);
  SystemMenuViewMoonOrbits =
      AddItem(SystemMenuView, "&Moon Orbits", "SystemMenuViewMoonOrbits", true);
  SystemMenuViewMoonPositions =
      AddItem(SystemMenuView, "Moon Po&sitions", "SystemMenuViewMoonPositions", true);
  SystemMenuViewOrbits->setChecked(view_.ShowOrbits);
  SystemMenuViewPlanets->setChecked(view_.ShowPlanets);
  SystemMenuViewMoonOrbits->setChecked(view_.ShowMoonOrbits);
  SystemMenuViewMoonPositions->setChecked(view_.ShowMoonPositions);

  connect(SystemMenuFileOpen, &QAction::triggered, this, &SystemDisplay::OpenSystemFile);
  connect(SystemMenuFileSaveAs, &QAction::triggered, this, &SystemDisplay::SaveSystemAs);
  connect(SystemMenuFileExit, &QAction::triggered, this, &SystemDisplay::close);
  connect(SystemMenuEditUndoSystem, &QAction::triggered, this, &SystemDisplay::UndoSystem);
  connect(SystemMenuEditSystemName, &QAction::triggered, this, [this] { Naming->NameSystem(); });
  connect(SystemMenuEditPlanetName, &QAction::triggered, this, [this] { Naming->NameWorld(); });
  connect(SystemMenuOptionsEnableUndo, &QAction::toggled, this,
          [this](bool checked) { undo_.enabled = checked; });
  connect(SystemMenuGenerateRandom, &QAction::triggered, this,
          &SystemDisplay::GenerateRandomSystem);
  connect(SystemMenuGenerateDeliberate, &QAction::triggered, this,
          &SystemDisplay::OpenDeliberateForm);
  connect(SystemMenuGenerateIncomplete, &QAction::triggered, this,
          &SystemDisplay::OpenIncompleteForm);
  connect(SystemMenuViewControlPanel, &QAction::triggered, this,
          [this](bool checked) { Panel->setVisible(checked); });
  for (QAction* item : {SystemMenuViewOrbits, SystemMenuViewPlanets, SystemMenuViewMoonOrbits,
                        SystemMenuViewMoonPositions}) {
    connect(item, &QAction::triggered, this, [this, item] { ViewMenuChanged(item); });
  }
  AddSeedCommands();
  AddComfortCommands();
  AddHelpCommands();
  AddReportCommands();
}

void SystemDisplay::Enter() {
  world_.ClusterMode = 0;
  systemPresent_ = 0;
  ForgetSeed();
  SystemMenuViewControlPanel->setChecked(true);
  show();
  Panel->Load();
  Panel->PlaceControlPanel(*this);
  Panel->show();
  UpdateCommands();
  Redraw();
}

void SystemDisplay::EnterClusterStar(bool kept, const std::string& clusterCode) {
  clusterCode_ = clusterCode;
  // A form left open would generate over the star's system.
  if (Deliberate != nullptr) Deliberate->hide();
  if (Incomplete != nullptr) Incomplete->hide();
  if (SystemMenuViewControlPanel->isChecked()) Panel->show();
  show();
  raise();
  Panel->PlaceControlPanel(*this);
  statusBar()->clearMessage();
  ForgetSeed();
  if (kept) {
    Panel->ResetControlPanelView();
    view_.ResetView();
    systemPresent_ = 1;
    ShowSymbolicSystem();
  } else {
    ResetSystemView();
  }
}

void SystemDisplay::LeaveClusterStar() {
  Panel->StopStarDate();
  Panel->hide();
  Naming->hide();
  hide();
  systemPresent_ = 0;
  world_.SystemSurveyed = 0;
  ClearSystem(world_);
  world_.ClusterMode = 0;
}

void SystemDisplay::UpdateCommands() {
  const bool present = systemPresent_ != 0;
  const bool surveyed = present && world_.SystemSurveyed != 0;
  const int mode = view_.DisplayMode;
  const bool graphical = mode == 1 || mode == 3;

  SurveyButton->setEnabled(present && !surveyed);
  // Always: it makes a new system, or leads back from a cluster star surveyed or not.
  JumpButton->setEnabled(true);
  ModeButton->setEnabled(surveyed && graphical);
  // A belt is many small bodies: it has no world to draw in the world view.
  bool beltWorld = false;
  if (mode == 2 && world_.CurrentStar >= 0 && world_.CurrentStar < kStarSlots &&
      world_.CurrentOrbit >= 0 && world_.CurrentOrbit < kOrbitSlots) {
    const std::string& worldClass = world_.BodyClass(world_.CurrentStar, world_.CurrentOrbit, 0);
    beltWorld = worldClass == "P" || worldClass == "I";
  }
  ModeButton2->setEnabled(surveyed && !graphical && !beltWorld);
  WorldButton->setEnabled(surveyed && !graphical);
  WorldButton->setText(mode >= 2 ? QStringLiteral("SYSTEM") : QStringLiteral("WORLD"));
  for (QPushButton* scroll : {UpScroll, DownScroll, LeftScroll, RightScroll}) {
    scroll->setEnabled(surveyed && mode != 0);
  }
  UpScroll->setText(graphical ? QStringLiteral("OUT") : QStringLiteral("UP"));
  DownScroll->setText(graphical ? QStringLiteral("IN") : QStringLiteral("DOWN"));

  // A cluster star's system stays in its place until JUMP leads back to the cluster.
  const bool replaceable = world_.ClusterMode == 0;
  SystemMenuFileOpen->setEnabled(replaceable);
  SystemMenuFileOpenRecent->menuAction()->setEnabled(replaceable);
  SystemMenuFileSaveAs->setEnabled(surveyed);
  SystemMenuEditUndoSystem->setEnabled(replaceable && undo_.available);
  SystemMenuEditSystemName->setEnabled(present);
  SystemMenuEditPlanetName->setEnabled(surveyed && mode >= 2);
  SystemMenuGenerate->setEnabled(replaceable);
  SystemMenuGenerateRandom->setEnabled(replaceable);
  SystemMenuGenerateDeliberate->setEnabled(replaceable);
  SystemMenuGenerateIncomplete->setEnabled(replaceable);
  const QString tip = replaceable ? QString() : kClusterStarTip;
  for (QAction* item : {SystemMenuFileOpen, SystemMenuEditUndoSystem, SystemMenuGenerateRandom,
                        SystemMenuGenerateDeliberate, SystemMenuGenerateIncomplete}) {
    item->setStatusTip(tip);
  }
  UpdateSeedCommands();
  UpdateReportCommands();
}

void SystemDisplay::Redraw() {
  Screen->update();
}

void SystemDisplay::GenerateRandomSystem() {
  Panel->StopStarDate();
  if (world_.ClusterMode != 0) {
    // Back to the cluster, which keeps a surveyed system with its star. A cluster star's
    // system has no undo copy: undoing into it would leave the cluster behind.
    Panel->hide();
    Naming->hide();
    hide();
    systemPresent_ = 0;
    emit ReturnToCluster();
    return;
  }
  if (SystemMenuOptionsEnableUndo->isChecked()) {
    undo_.enabled = true;
    try {
      undo_.Take(world_);
    } catch (const SystemFileError& error) {
      // Without its copy the system on screen could not be brought back: it stays.
      ShowReadOutFailure(QStringLiteral("write the undo copy"), UndoCopy::File(), error.Reason());
      return;
    }
  }
  ClearSystem(world_);
  GenerateStars(world_, StartSeededSystem());
  ResetSystemView();
}

void SystemDisplay::OpenDeliberateForm() {
  if (world_.ClusterMode != 0) return;
  if (Deliberate == nullptr) {
    Deliberate = new DeliberateSystem(world_, random_, this);
    connect(Deliberate, &DeliberateSystem::Generated, this, &SystemDisplay::SystemGenerated);
  }
  Deliberate->Open();
}

void SystemDisplay::OpenIncompleteForm() {
  if (world_.ClusterMode != 0) return;
  if (Incomplete == nullptr) {
    Incomplete = new IncompleteSystem(world_, random_, this);
    connect(Incomplete, &IncompleteSystem::Generated, this, &SystemDisplay::SystemGenerated);
  }
  Incomplete->Open();
}

void SystemDisplay::SystemGenerated() {
  statusBar()->clearMessage();
  ForgetSeed();
  ResetSystemView();
}

void SystemDisplay::ResetSystemView() {
  Panel->ResetControlPanelView();
  view_.DisplayMode = 0;
  view_.ResetView();
  previousMode_ = 0;
  systemPresent_ = 1;
  world_.SystemSurveyed = 0;
  UpdateCommands();
  Redraw();
  if (SystemMenuOptionsAutoSurvey->isChecked()) SurveyAction();
}

void SystemDisplay::SurveyAction() {
  if (systemPresent_ == 0 || world_.SystemSurveyed != 0) return;
  world_.SystemSurveyed = 1;
  view_.DisplayMode = 0;
  Survey survey(world_, SystemRandom());
  survey.Beep = [] { QApplication::beep(); };
  survey.SurveySystem();
  ShowSymbolicSystem();
}

void SystemDisplay::ShowSymbolicSystem() {
  view_.DisplayMode = 0;
  world_.CurrentBody = 0;
  UpdateCommands();
  Redraw();
}

void SystemDisplay::ShowWorld() {
  const auto s = static_cast<std::size_t>(world_.CurrentStar);
  const auto o = static_cast<std::size_t>(world_.CurrentOrbit);
  if (world_.CurrentBody < 0 || world_.CurrentBody > world_.MoonCount[s][o]) {
    world_.CurrentBody = 0;
  }
  view_.DisplayMode = 2;
  UpdateCommands();
  Redraw();
}

void SystemDisplay::ToggleDisplayMode() {
  if (view_.DisplayMode == 1 || view_.DisplayMode == 3) {
    view_.DisplayMode = static_cast<std::int16_t>(view_.DisplayMode - 1);
  } else {
    view_.DisplayMode = static_cast<std::int16_t>(view_.DisplayMode + 1);
    if (previousMode_ != view_.DisplayMode) Panel->ResetView();
  }
  previousMode_ = view_.DisplayMode;
  if (view_.DisplayMode == 0) {
    ShowSymbolicSystem();
  } else if (view_.DisplayMode == 2) {
    ShowWorld();
  } else {
    UpdateCommands();
    Redraw();
  }
}

void SystemDisplay::WorldButtonClick() {
  if (view_.DisplayMode != 0) {
    ShowSymbolicSystem();
    return;
  }
  int s = world_.CurrentStar;
  int o = world_.CurrentOrbit;
  for (int step = 0; step < kStarSlotCount * kOrbitSlots; ++step) {
    if (HoldsWorld(s, o)) {
      world_.CurrentStar = static_cast<std::int16_t>(s);
      world_.CurrentOrbit = static_cast<std::int16_t>(o);
      ShowWorld();
      return;
    }
    if (++o > kLastOrbit) {
      o = 0;
      s = (s + 1) % kStarSlotCount;
    }
  }
}

bool SystemDisplay::HoldsWorld(int star, int orbit) const {
  if (star < 0 || star >= kStarSlots || orbit < 1 || orbit > kLastOrbit) return false;
  if (orbit > world_.OrbitCount[static_cast<std::size_t>(star)]) return false;
  return !world_.BodyClass(star, orbit, 0).empty();
}

void SystemDisplay::MoveToWorld(int step) {
  const int startStar = world_.CurrentStar;
  const int startOrbit = world_.CurrentOrbit;
  int s = startStar;
  int o = startOrbit;
  for (int visited = 0; visited < kStarSlotCount * kOrbitSlots; ++visited) {
    o += step;
    if (o < 0) {
      o = kLastOrbit;
      s = (s + kStarSlotCount - 1) % kStarSlotCount;
    } else if (o > kLastOrbit) {
      o = 0;
      s = (s + 1) % kStarSlotCount;
    }
    // Forward, the search may come round to the world it started from; back, it may not.
    if (s == startStar && o == startOrbit && step < 0) break;
    if (HoldsWorld(s, o)) {
      world_.CurrentStar = static_cast<std::int16_t>(s);
      world_.CurrentOrbit = static_cast<std::int16_t>(o);
      world_.CurrentBody = 0;
      Panel->ResetView();
      ShowWorld();
      return;
    }
  }
  // Back where the search began: no other world to move to.
  ShowSymbolicSystem();
}

void SystemDisplay::ScrollAction(const QString& tag) {
  if (systemPresent_ == 0 || world_.SystemSurveyed == 0) return;
  if (view_.DisplayMode == 2) {
    ScrollWorld(tag);
    return;
  }
  if (view_.DisplayMode != 1 && view_.DisplayMode != 3) return;
  // A zoom of 0 would pan by an infinite step.
  const double zoom = view_.ViewZoom > 0 ? view_.ViewZoom : 1;
  if (tag == QLatin1String("up")) {
    Panel->SpinZoom(false);
  } else if (tag == QLatin1String("down")) {
    Panel->SpinZoom(true);
  } else if (tag == QLatin1String("left")) {
    view_.ViewPanX = static_cast<float>(view_.ViewPanX + 1 / zoom);
  } else if (tag == QLatin1String("right")) {
    view_.ViewPanX = static_cast<float>(view_.ViewPanX - 1 / zoom);
  }
  Redraw();
}

void SystemDisplay::ScrollWorld(const QString& tag) {
  const auto s = static_cast<std::size_t>(world_.CurrentStar);
  const auto o = static_cast<std::size_t>(world_.CurrentOrbit);
  if (tag == QLatin1String("up")) {
    if (world_.CurrentBody > 0) --world_.CurrentBody;
  } else if (tag == QLatin1String("down")) {
    if (world_.CurrentBody < world_.MoonCount[s][o]) ++world_.CurrentBody;
  } else if (tag == QLatin1String("left")) {
    MoveToWorld(-1);
    return;
  } else if (tag == QLatin1String("right")) {
    MoveToWorld(1);
    return;
  }
  ShowWorld();
}

void SystemDisplay::ButtonTimerTick() {
  if (repeatCount_ == 0) {
    ButtonTimer->setInterval(kRepeatFirstInterval);
  } else if (repeatCount_ == 1) {
    ButtonTimer->setInterval(kRepeatSecondInterval);
  } else if (ButtonTimer->interval() - kRepeatShrink > kRepeatFloor) {
    ButtonTimer->setInterval(ButtonTimer->interval() - kRepeatShrink);
  }
  // Only 0, 1 and more matter; a very long hold must not wrap the count.
  if (repeatCount_ < std::numeric_limits<std::int16_t>::max()) ++repeatCount_;
  ScrollAction(ButtonTimerTag);
}

void SystemDisplay::keyPressEvent(QKeyEvent* event) {
  QString tag;
  switch (event->key()) {
    case Qt::Key_Left: tag = QStringLiteral("left"); break;
    case Qt::Key_Up: tag = QStringLiteral("up"); break;
    case Qt::Key_Right: tag = QStringLiteral("right"); break;
    case Qt::Key_Down: tag = QStringLiteral("down"); break;
    default: QMainWindow::keyPressEvent(event); return;
  }
  event->accept();
  // The platform's own key repeat is replaced by the window's timer.
  if (event->isAutoRepeat()) return;
  ButtonTimer->setInterval(kRepeatStartInterval);
  ButtonTimerTag = tag;
  ButtonTimer->start();
}

void SystemDisplay::keyReleaseEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: break;
    default: QMainWindow::keyReleaseEvent(event); return;
  }
  event->accept();
  if (event->isAutoRepeat()) return;
  repeatCount_ = 0;
  ButtonTimer->stop();
}

void SystemDisplay::ClickAt(double x, double y) {
  if (systemPresent_ == 0 || world_.SystemSurveyed == 0) return;
  switch (view_.DisplayMode) {
    case 0: {
      const std::optional<SymbolicList::Cell> cell = SymbolicList::HitAt(x, y);
      if (!cell || !HoldsWorld(cell->star, cell->orbit)) return;
      world_.CurrentStar = static_cast<std::int16_t>(cell->star);
      world_.CurrentOrbit = static_cast<std::int16_t>(cell->orbit);
      world_.CurrentBody = 0;
      Panel->ResetView();
      ShowWorld();
      return;
    }
    case 2: ClickReport(x, y); return;
    default: {
      const double zoom = view_.ViewZoom > 0 ? view_.ViewZoom : 1;
      view_.ViewPanX = static_cast<float>(view_.ViewPanX + (50 - x) / zoom);
      view_.ViewPanY = static_cast<float>(view_.ViewPanY + (50 - y) / zoom);
      Redraw();
    }
  }
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

void SystemDisplay::ViewMenuChanged(QAction* item) {
  if (item == SystemMenuViewPlanets && !item->isChecked()) {
    SystemMenuViewMoonOrbits->setChecked(false);
    SystemMenuViewMoonPositions->setChecked(false);
  }
  if ((item == SystemMenuViewMoonOrbits || item == SystemMenuViewMoonPositions) &&
      item->isChecked()) {
    SystemMenuViewPlanets->setChecked(true);
  }
  view_.ShowOrbits = SystemMenuViewOrbits->isChecked();
  view_.ShowPlanets = SystemMenuViewPlanets->isChecked();
  view_.ShowMoonOrbits = SystemMenuViewMoonOrbits->isChecked();
  view_.ShowMoonPositions = SystemMenuViewMoonPositions->isChecked();
  if (view_.DisplayMode == 1 || view_.DisplayMode == 3) Redraw();
}

QString ChooseFileWithExtension(const std::function<QString(const FileDialogRequest&)>& choose,
                                const FileDialogRequest& request) {
  QString path = choose(request);
  if (path.isEmpty()) return path;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + request.defaultExtension;
  return path;
}

void SystemDisplay::ShowReadOutFailure(const QString& doing, const std::filesystem::path& file,
                                       const std::string& reason) {
  statusBar()->showMessage(QStringLiteral("Could not %1 %2: %3")
                               .arg(doing, QString::fromStdString(file.filename().string()),
                                    QString::fromStdString(reason)));
}

void SystemDisplay::OpenSystemFile() {
  const FileDialogFilter filter = OpenDialogFilter();
  FileDialogRequest request;
  request.directory = QDir::currentPath();
  request.filter = QString::fromStdString(filter.description);
  request.defaultExtension = QString::fromStdString(filter.defaultExtension);
  const QString path = ChooseFileWithExtension(ChooseFile, request);
  if (path.isEmpty()) return;
  OpenSystemFileAt(path);
}

void SystemDisplay::OpenSystemFileAt(const QString& path) {
  if (world_.ClusterMode != 0) {
    statusBar()->showMessage(kClusterStarTip);
    return;
  }
  try {
    reader_->Read(std::filesystem::path(path.toStdString()), world_);
  } catch (const SystemFileError& error) {
    ShowReadOutFailure(QStringLiteral("open"), path.toStdString(), error.Reason());
    Redraw();
    return;
  }
  statusBar()->clearMessage();
  ForgetSeed();
  RememberFile(path);
  systemPresent_ = 1;
  ShowSymbolicSystem();
}

void SystemDisplay::SaveSystemAs() {
  const FileDialogFilter filter = SaveDialogFilter(world_, clusterCode_);
  FileDialogRequest request;
  request.save = true;
  request.directory = QDir::currentPath();
  request.filter = QString::fromStdString(filter.description);
  request.defaultExtension = QString::fromStdString(filter.defaultExtension);
  request.fileName = QString::fromStdString(world_.SystemFilePath.string());
  const QString path = ChooseFileWithExtension(ChooseFile, request);
  if (path.isEmpty()) return;
  const std::filesystem::path previous = world_.SystemFilePath;
  world_.SystemFilePath = std::filesystem::path(path.toStdString());
  try {
    WriteSystemFile(world_, world_.SystemFilePath);
    statusBar()->clearMessage();
    RememberFile(path);
  } catch (const SystemFileError& error) {
    world_.SystemFilePath = previous;
    ShowReadOutFailure(QStringLiteral("save"), path.toStdString(), error.Reason());
  } catch (const SystemFormatError& error) {
    world_.SystemFilePath = previous;
    ShowReadOutFailure(QStringLiteral("save"), path.toStdString(), error.what());
  }
  Redraw();
}

void SystemDisplay::UndoSystem() {
  if (world_.ClusterMode != 0 || !undo_.available) return;
  try {
    undo_.Restore(world_, *reader_);
  } catch (const SystemFileError& error) {
    ShowReadOutFailure(QStringLiteral("undo from"), UndoCopy::File(), error.Reason());
    Redraw();
    return;
  }
  statusBar()->clearMessage();
  ForgetSeed();
  systemPresent_ = 1;
  ShowSymbolicSystem();
}

void SystemDisplay::closeEvent(QCloseEvent* event) {
  Panel->StopStarDate();
  Panel->hide();
  Naming->hide();
  // A form left open must not generate into the cleared world of a closed window.
  if (Deliberate != nullptr) Deliberate->hide();
  if (Incomplete != nullptr) Incomplete->hide();
  ButtonTimer->stop();
  repeatCount_ = 0;
  systemPresent_ = 0;
  world_.SystemSurveyed = 0;
  ClearSystem(world_);
  ClearStars(world_);
  view_.DisplayMode = 0;
  UpdateCommands();
  event->accept();
  if (world_.ClusterMode != 0) {
    emit ClusterStarClosed();
  } else {
    emit Closed();
  }
}

bool SystemDisplay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Screen && event->type() == QEvent::Resize && Screen->height() > 0) {
    view_.ViewAspect = static_cast<double>(Screen->width()) / Screen->height();
    Redraw();
  }
  return QMainWindow::eventFilter(watched, event);
}

void SystemDisplay::DrawScreen(Canvas& canvas) {
  if (systemPresent_ == 0) return;
  // The list shows the stars of a system not yet surveyed; the other modes show its worlds.
  if (view_.DisplayMode != 0 && world_.SystemSurveyed == 0) return;
  DrawDisplayMode(world_, view_, canvas);
}

}  // namespace ax
