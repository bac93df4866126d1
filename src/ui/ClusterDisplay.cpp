#include "ui/ClusterDisplay.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

#include "cluster/Jump.h"
#include "control/Seeds.h"
#include "display/NumberPicture.h"
#include "generate/NumberText.h"
#include "io/ClusterFile.h"
#include "ui/AtlasFind.h"
#include "ui/AtlasMaker.h"
#include "ui/ClusterGenerationForm.h"
#include "ui/ClusterScreen.h"
#include "ui/FileErrorBox.h"
#include "ui/FormFields.h"
#include "ui/HelpMenu.h"
#include "ui/MenuItems.h"
#include "ui/SeedLabel.h"
#include "ui/Settings.h"
#include "ui/SpinArrows.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

constexpr int kResizeSettle = 150;  // ms without resizing before the cluster is drawn anew

QString FileText(const std::filesystem::path& file) {
  return QString::fromStdString(file.filename().string());
}

}  // namespace

ClusterDisplay::ClusterDisplay(World& world, Random& random, ClusterHandoff& handoff,
                               QWidget* parent)
    : QMainWindow(parent),
      world_(world),
      random_(random),
      handoff_(handoff),
      reader_(std::make_unique<SystemFileReader>()),
      folder_(std::filesystem::current_path()) {
  setObjectName(QStringLiteral("ClusterDisplay"));
  setWindowTitle(QStringLiteral("Cluster"));
  BuildControls();
  BuildMenus();
  generation_ = new ClusterGenerationForm(this);
  connect(generation_, &ClusterGenerationForm::GenerateRequested, this,
          &ClusterDisplay::StartGeneration);
  handoff_.Returned = [this] { ReturnFromStar(); };
  handoff_.StarClosed = [this] { StarSystemClosed(); };

  ChooseFile = [this](const FileDialogRequest& request) {
    return AskFileDialog(this, QStringLiteral("Open"), request);
  };
  ChooseFolder = [this](const QString& directory) {
    return QFileDialog::getExistingDirectory(this, QStringLiteral("Default Directory"), directory);
  };
  resizeTimer_ = new QTimer(this);
  resizeTimer_->setSingleShot(true);
  resizeTimer_->setInterval(kResizeSettle);
  connect(resizeTimer_, &QTimer::timeout, this, &ClusterDisplay::RedrawCluster);

  resize(760, 720);
  ShowViewTexts(ShowViewCentre(view_));
  UpdateCommands();
}

ClusterDisplay::~ClusterDisplay() {
  CancelGeneration();
  handoff_.Returned = nullptr;
  handoff_.StarClosed = nullptr;
}

void ClusterDisplay::BuildControls() {
  auto* central = new QWidget(this);
  screen_ = new ClusterScreen(central);
  screen_->DrawOver = [this](Canvas& canvas) { DrawSelection(canvas); };
  connect(screen_, &ClusterScreen::Clicked, this, &ClusterDisplay::ClusterSelectStar);
  connect(screen_, &ClusterScreen::DoubleClicked, this, [this] {
    // Not into the star selected before, when the sky was double-clicked.
    if (ClusterSelectStar() && jumpButton_->isEnabled()) JumpIntoClusterStar();
  });

  auto addText = [central](QGridLayout* grid, int column, const char* label, const char* name) {
    auto* caption = new QLabel(QString::fromLatin1(label), central);
    auto* text = Named(new QLineEdit(central), name);
    text->setMaximumWidth(80);
    caption->setBuddy(text);
    grid->addWidget(caption, 0, column);
    grid->addWidget(text, 0, column + 1);
    return text;
  };
  auto* texts = new QGridLayout;
  xText_ = addText(texts, 0, "&X:", "XText");
  yText_ = addText(texts, 2, "&Y:", "YText");
  zText_ = addText(texts, 4, "&Z:", "ZText");
  rangeText_ = addText(texts, 6, "&Range:", "RangeText");
  rangeSpin_ = new SpinArrows("RangeSpin", central);
  texts->addWidget(rangeSpin_, 0, 8);
  connect(rangeSpin_, &SpinArrows::Up, this, [this] { StepRange(1); });
  connect(rangeSpin_, &SpinArrows::Down, this, [this] { StepRange(-1); });
  connect(rangeText_, &QLineEdit::returnPressed, this, &ClusterDisplay::RedrawCluster);
  xText_->setToolTip(QStringLiteral("The centre of the view along X, in cells"));
  yText_->setToolTip(QStringLiteral("The centre of the view along Y, in cells"));
  zText_->setToolTip(QStringLiteral("The centre of the view along Z, in cells"));
  rangeText_->setToolTip(QStringLiteral("How far from the centre stars are drawn, in cells"));
  rangeSpin_->SetTips(QStringLiteral("Widen the range by one cell"),
                      QStringLiteral("Narrow the range by one cell"));

  redrawButton_ = Named(new QPushButton(QStringLiteral("Re&draw"), central), "ClusterRedraw");
  jumpButton_ = Named(new QPushButton(QStringLiteral("JUMP"), central), "ClusterJumpButton");
  cancelButton_ =
      Named(new QPushButton(QStringLiteral("Cancel"), central), "ClusterCancelGeneration");
  redrawButton_->setToolTip(QStringLiteral("Draw the stars around the centre and range above"));
  jumpButton_->setToolTip(QStringLiteral("Open the selected star's system"));
  cancelButton_->setToolTip(QStringLiteral("Stop the generation; nothing is kept"));
  connect(redrawButton_, &QPushButton::clicked, this, &ClusterDisplay::RedrawCluster);
  connect(jumpButton_, &QPushButton::clicked, this, &ClusterDisplay::JumpIntoClusterStar);
  connect(cancelButton_, &QPushButton::clicked, this, &ClusterDisplay::CancelGeneration);
  texts->addWidget(redrawButton_, 0, 9);
  texts->addWidget(jumpButton_, 0, 10);
  texts->setColumnStretch(11, 1);

  tempLabel_ = Named(new QLabel(central), "ClusterTempLabel");
  tempLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont fixed(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  tempLabel_->setFont(fixed);
  progress_ = Named(new QProgressBar(central), "ClusterProgress");
  progress_->setRange(0, 100);
  progress_->hide();
  cancelButton_->hide();
  auto* recordScroll = Named(new QScrollBar(Qt::Horizontal, central), "ClusterRecordScroll");
  recordScroll->hide();  // it has no behaviour of its own

  markMaker_ = new AtlasMaker(central, "ClusterMarkProgress", "ClusterMarkCancel");
  markMaker_->Done = [this](const AtlasMade& made, const QString& error) {
    TakeAtlas(made, error);
  };
  auto* progress = new QHBoxLayout;
  progress->addWidget(tempLabel_, 1);
  progress->addWidget(progress_);
  progress->addWidget(cancelButton_);
  progress->addWidget(markMaker_->Progress());
  progress->addWidget(markMaker_->CancelButton());
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(screen_, 1);
  layout->addLayout(texts);
  layout->addLayout(progress);
  layout->addWidget(recordScroll);
  setCentralWidget(central);
  statusBar();
}

void ClusterDisplay::BuildMenus() {
  QMenu* file = AddMenu(menuBar(), "&File", "ClusterMenuFile");
  newClusterItem_ = AddItem(file, "&New Cluster", "ClusterMenuFileNewCluster");
  openItem_ = AddItem(file, "&Open...", "ClusterMenuFileOpen");
  defaultDirectoryItem_ = AddItem(file, "&Default Directory...", "ClusterMenuFileDefaultDirectory");
  AddImageCommands(file);
  file->addSeparator();
  exitItem_ = AddItem(file, "E&xit", "ClusterMenuFileExit");
  QMenu* view = AddMenu(menuBar(), "&View", "ClusterMenuView");
  QAction* secondView = AddItem(view, "Enable Second View (+&X)", "ClusterMenuViewSecondX", true);
  findItem_ = AddItem(view, "&Find...", "ClusterMenuViewFind");
  findItem_->setShortcut(QKeySequence::Find);
  connect(findItem_, &QAction::triggered, this, &ClusterDisplay::FindStars);
  AddMarkCommands(view);
  newClusterItem_->setShortcut(QKeySequence::New);
  openItem_->setShortcut(QKeySequence::Open);

  connect(newClusterItem_, &QAction::triggered, this, &ClusterDisplay::NewCluster);
  connect(openItem_, &QAction::triggered, this, &ClusterDisplay::OpenClusterFile);
  connect(defaultDirectoryItem_, &QAction::triggered, this,
          &ClusterDisplay::ChooseDefaultDirectory);
  connect(exitItem_, &QAction::triggered, this, &ClusterDisplay::close);
  connect(secondView, &QAction::toggled, this, [this](bool on) {
    view_.SecondView = on;
    LayOutClusterWindow();
  });
  seedLabel_ = AddSeedLabel(statusBar(), "ClusterSeedLabel");
  AddHelpMenu(*this, "Cluster");
  setAcceptDrops(true);
}

void ClusterDisplay::Enter() {
  world_.ClusterMode = 1;
  CentreOnScreen(*this);
  show();
  raise();
  activateWindow();
}

void ClusterDisplay::UpdateCommands() {
  // Another cluster waits until the star visited is left: its return writes to this one.
  const bool idle = !generating_ && !handoff_.Active();
  exitItem_->setEnabled(!generating_);
  newClusterItem_->setEnabled(idle);
  openItem_->setEnabled(idle);
  defaultDirectoryItem_->setEnabled(!generating_);
  redrawButton_->setEnabled(!generating_);
  jumpButton_->setEnabled(idle && selected_.has_value());
  // There is something to draw once a cluster is open and no generation is writing one.
  exportImageItem_->setEnabled(!clusterFile_.empty() && !generating_);
  findItem_->setEnabled(!clusterFile_.empty() && !generating_);
  for (QAction* mark : markItems_) mark->setEnabled(!clusterFile_.empty() && !generating_);
  markItems_[0]->setEnabled(true);  // None  progress_->setVisible(generating_);
  cancelButton_->setVisible(generating_);
  screen_->SetGuide(clusterFile_.empty() && !generating_
                        ? QStringLiteral("File \u203A New Cluster or Open")
                        : QString());
}

void ClusterDisplay::Report(const QString& message) {
  statusBar()->showMessage(message);
}

void ClusterDisplay::LayOutClusterWindow() {
  ArrangeViews();
  RedrawCluster();
}

void ClusterDisplay::ArrangeViews() {
  // Two views side by side in a window wider than tall, the second below the first otherwise.
  screen_->SetViews(view_.SecondView ? 2 : 1, width() <= height());
}

void ClusterDisplay::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ArrangeViews();
  // Drawing reads the whole file: wait until the resizing settles.
  resizeTimer_->start();
}

void ClusterDisplay::ShowViewTexts(const ClusterViewTexts& texts) {
  xText_->setText(QString::fromStdString(texts.X));
  yText_->setText(QString::fromStdString(texts.Y));
  zText_->setText(QString::fromStdString(texts.Z));
  rangeText_->setText(QString::fromStdString(texts.Range));
}

void ClusterDisplay::StepRange(int step) {
  const double range = LeadingNumber(rangeText_->text().toStdString()) + step;
  rangeText_->setText(QStringLiteral(" %1").arg(range));
}

void ClusterDisplay::RedrawCluster() {
  if (generating_) return;
  rangeSpin_->setEnabled(false);
  auto value = [](const QLineEdit* text) { return LeadingNumber(text->text().toStdString()); };
  view_.X = value(xText_);
  view_.Y = value(yText_);
  view_.Z = value(zText_);
  view_.Range = value(rangeText_);
  drawn_.clear();
  formerSelections_.clear();
  selected_.reset();
  ArrangeViews();
  view_.PixelSize = screen_->UnitsPerPixel();
  if (clusterFile_.empty()) {
    screen_->Render([](Canvas&) {});
  } else {
    try {
      ClusterFileReader reader(clusterFile_);
      ClusterScan scan;
      screen_->Render([&](Canvas& canvas) {
        drawn_ = DrawCluster(canvas, view_, reader, &scan, Marks());
        markLegend_ = Marks() != nullptr && view_.Mark != StarMark::None
                          ? MarkLegend(view_.Mark, CountMarked(drawn_, view_, *Marks()))
                          : std::string();
        DrawMarkLegend(canvas, view_, markLegend_);
      });
      if (scan.Problem.empty()) {
        statusBar()->clearMessage();
      } else {
        Report(QStringLiteral("%1 was read up to record %2: %3")
                   .arg(FileText(clusterFile_))
                   .arg(scan.Records)
                   .arg(QString::fromStdString(scan.Problem)));
      }
    } catch (const ClusterFileError& error) {
      Report(QStringLiteral("Could not draw %1: %2")
                 .arg(FileText(clusterFile_), QString::fromStdString(error.Reason())));
    }
  }
  rangeSpin_->setEnabled(true);
  UpdateCommands();
}

void ClusterDisplay::DrawSelection(Canvas& canvas) const {
  for (const DrawnStar& star : formerSelections_) {
    DrawStarMarker(canvas, view_, star, kFormerSelectionColour);
  }
  if (!selected_) return;
  DrawStarMarker(canvas, view_, *selected_, kSelectedStarColour);
  DrawStarLabel(canvas, view_, *selected_, selectedLabel_);
  canvas.Text(kStarPositionTextX, kStarPositionTextY, StarPositionText(*selected_),
              PaletteColour(15));
}

bool ClusterDisplay::ClusterSelectStar() {
  if (clusterFile_.empty() || handoff_.Active() || generating_) return false;
  const auto nearest = NearestDrawnStar(drawn_, view_, screen_->PointerX, screen_->PointerY);
  if (!nearest) return false;
  if (selected_) formerSelections_.push_back(*selected_);
  selected_ = drawn_[*nearest];
  selectedRecord_ = selected_->Record;
  screen_->update();
  ShowSelectedStar();
  UpdateCommands();
  return true;
}

std::optional<ClusterRecord> ClusterDisplay::ReadSelectedRecord() {
  if (clusterFile_.empty() || selectedRecord_ <= 0) return std::nullopt;
  try {
    ClusterFileReader reader(clusterFile_);
    return reader.Read(selectedRecord_);
  } catch (const ClusterFileError& error) {
    Report(QStringLiteral("Could not read star %1 of %2: %3")
               .arg(selectedRecord_)
               .arg(FileText(clusterFile_), QString::fromStdString(error.Reason())));
    return std::nullopt;
  }
}

void ClusterDisplay::ShowSelectedStar() {
  if (const auto record = ReadSelectedRecord()) {
    tempLabel_->setText(QString::fromLatin1(SelectedStarSummary(*record, view_)));
    selectedLabel_ = StarLabel(*record);
  }
}

void ClusterDisplay::JumpIntoClusterStar() {
  if (handoff_.Active() || generating_) return;
  const auto record = ReadSelectedRecord();
  if (!record) return;
  JumpOutcome outcome = JumpOutcome::Fresh;
  try {
    outcome = ax::JumpIntoClusterStar(world_, random_, *reader_, clusterFile_, *record);
  } catch (const SystemFileError& error) {
    const QString said =
        QStringLiteral("Could not open %1: %2")
            .arg(QString::fromStdString(record->FileName), QString::fromStdString(error.Reason()));
    Report(said);
    ShowFileErrorBox(*this, FileAction::Open, FileType::System,
                     KeptSystemFile(clusterFile_, record->FileName), error.Failure(), said);
    return;
  }
  // Coming back, the view is centred on the star visited.
  ShowViewTexts(CentreViewOnStar(view_, world_));
  handoff_.Visit({clusterFile_, clusterCode_, *record, outcome});
  UpdateCommands();
}

void ClusterDisplay::FindStars() {
  if (clusterFile_.empty() || generating_) return;
  if (find_ == nullptr) {
    find_ = new AtlasFind(this);
    connect(find_, &AtlasFind::StarChosen, this, &ClusterDisplay::SelectAtlasStar);
    // A whole atlas Find made or read serves the marks too.
    connect(find_, &AtlasFind::AtlasShown, this, [this](const std::vector<AtlasRow>& rows) {
      if (!marks_ && find_->ClusterFile() == clusterFile_ && AtlasFileIsCurrent(clusterFile_)) {
        marks_.emplace(rows);
      }
    });
  }
  find_->Open(clusterFile_);
}

void ClusterDisplay::SelectAtlasStar(std::int32_t record, std::array<float, 3> position) {
  // A table left open on a cluster that is no longer shown names another cluster's records.
  if (clusterFile_.empty() || handoff_.Active() || generating_ ||
      find_->ClusterFile() != clusterFile_)
    return;
  view_.X = position[0];
  view_.Y = position[1];
  view_.Z = position[2];
  ShowViewTexts(ShowViewCentre(view_));
  RedrawCluster();
  const auto drawn = std::ranges::find(drawn_, record, &DrawnStar::Record);
  selected_ =
      drawn != drawn_.end() ? *drawn : DrawnStar{record, position[0], position[1], position[2]};
  selectedRecord_ = record;
  screen_->update();
  ShowSelectedStar();
  UpdateCommands();
}

void ClusterDisplay::ReturnFromStar() {
  show();
  raise();
  KeepVisitedStar();
  ClearSystem(world_);
  RedrawCluster();
  ShowSelectedStar();
}

void ClusterDisplay::KeepVisitedStar() {
  std::error_code unknown;
  const auto before = std::filesystem::last_write_time(clusterFile_, unknown);
  const std::string problem = handoff_.Keep();
  if (!problem.empty()) Report(QString::fromStdString(problem));
  // A star kept has a system of its own now: the atlas it was marked from is out of date.
  if (std::filesystem::last_write_time(clusterFile_, unknown) != before) DropMarks();
  UpdateCommands();
}

void ClusterDisplay::StarSystemClosed() {
  show();
  raise();
  RedrawCluster();
}

void ClusterDisplay::UseSettings(Settings& settings) {
  settings.KeepGeometry(*this, QStringLiteral("ClusterDisplay"));
}

void ClusterDisplay::ShowClusterSeed(std::optional<std::uint64_t> seed) {
  seed_ = seed;
  ShowSeed(seedLabel_, seed);
}

void ClusterDisplay::closeEvent(QCloseEvent* event) {
  if (generating_) {
    // Exit is off during a generation; the window frame's close cancels it instead.
    CancelGeneration();
    generating_ = false;
  }
  resizeTimer_->stop();
  // A form left open would generate into a window that is gone.
  generation_->hide();
  if (find_ != nullptr) {
    find_->Cancel();
    find_->hide();
  }
  DropMarks();
  if (handoff_.Active()) {
    // Closing here must not lose what JUMP would have kept.
    const std::string problem = handoff_.Leave();
    if (!problem.empty()) Report(QString::fromStdString(problem));
    UpdateCommands();
  }
  world_.ClusterMode = 0;
  event->accept();
  emit Closed();
}

}  // namespace ax
