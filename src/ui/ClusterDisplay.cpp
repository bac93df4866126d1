#include "ui/ClusterDisplay.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <string>

#include "cluster/Jump.h"
#include "display/NumberPicture.h"
#include "generate/NumberText.h"
#include "io/ClusterFile.h"
#include "ui/ClusDisScreen.h"
#include "ui/ClusterGeneration.h"
#include "ui/FormFields.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

constexpr int kResizeSettle = 150;  // ms without resizing before the cluster is drawn anew

// "C05:    1234": the cluster's code, three blanks and the count with its leading blank.
QString StarCountText(const std::string& code, std::int64_t stars) {
  return QStringLiteral("%1:    %2").arg(QString::fromStdString(code)).arg(stars);
}

QString FileText(const std::filesystem::path& file) {
  return QString::fromStdString(file.filename().string());
}

}  // namespace

ClusterDisplay::ClusterDisplay(World& world, Random& random, SystemDisplay& systemWindow,
                               QWidget* parent)
    : QMainWindow(parent),
      world_(world),
      random_(random),
      systemWindow_(systemWindow),
      reader_(std::make_unique<SystemFileReader>()),
      folder_(std::filesystem::current_path()) {
  setObjectName(QStringLiteral("ClusterDisplay"));
  setWindowTitle(QStringLiteral("Cluster"));
  BuildControls();
  BuildMenus();
  Generation = new ClusterGeneration(this);
  connect(Generation, &ClusterGeneration::GenerateRequested, this,
          &ClusterDisplay::StartGeneration);
  connect(&systemWindow_, &SystemDisplay::ReturnToCluster, this, &ClusterDisplay::ReturnFromStar);
  connect(&systemWindow_, &SystemDisplay::ClusterStarClosed, this,
          &ClusterDisplay::StarSystemClosed);

  ChooseFile = [this](const FileDialogRequest& request) {
    return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), request.directory,
                                        request.filter);
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
}

void ClusterDisplay::BuildControls() {
  auto* central = new QWidget(this);
  Screen = new ClusDisScreen(central);
  Screen->DrawOver = [this](Canvas& canvas) { DrawSelection(canvas); };
  connect(Screen, &ClusDisScreen::Clicked, this, &ClusterDisplay::ClusterSelectStar);
  connect(Screen, &ClusDisScreen::DoubleClicked, this, [this] {
    ClusterSelectStar();
    if (ClusterJumpButton->isEnabled()) JumpIntoClusterStar();
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
  XText = addText(texts, 0, "&X:", "XText");
  YText = addText(texts, 2, "&Y:", "YText");
  ZText = addText(texts, 4, "&Z:", "ZText");
  RangeText = addText(texts, 6, "&Range:", "RangeText");
  RangeSpinUp = Named(new QToolButton(central), "RangeSpin");
  RangeSpinDown = Named(new QToolButton(central), "RangeSpin");
  RangeSpinUp->setArrowType(Qt::UpArrow);
  RangeSpinDown->setArrowType(Qt::DownArrow);
  auto* spin = new QVBoxLayout;
  spin->setSpacing(0);
  for (QToolButton* arrow : {RangeSpinUp, RangeSpinDown}) {
    arrow->setAutoRepeat(true);
    arrow->setFixedSize(18, 12);
    spin->addWidget(arrow);
  }
  texts->addLayout(spin, 0, 8);
  connect(RangeSpinUp, &QToolButton::clicked, this, [this] { StepRange(1); });
  connect(RangeSpinDown, &QToolButton::clicked, this, [this] { StepRange(-1); });
  connect(RangeText, &QLineEdit::returnPressed, this, &ClusterDisplay::RedrawCluster);

  ClusterRedraw = Named(new QPushButton(QStringLiteral("Re&draw"), central), "ClusterRedraw");
  ClusterJumpButton = Named(new QPushButton(QStringLiteral("JUMP"), central), "ClusterJumpButton");
  ClusterCancelGeneration =
      Named(new QPushButton(QStringLiteral("Cancel"), central), "ClusterCancelGeneration");
  ClusterRedraw->setToolTip(QStringLiteral("Draw the stars around the centre and range above"));
  ClusterJumpButton->setToolTip(QStringLiteral("Open the selected star's system"));
  ClusterCancelGeneration->setToolTip(QStringLiteral("Stop the generation; nothing is kept"));
  connect(ClusterRedraw, &QPushButton::clicked, this, &ClusterDisplay::RedrawCluster);
  connect(ClusterJumpButton, &QPushButton::clicked, this, &ClusterDisplay::JumpIntoClusterStar);
  connect(ClusterCancelGeneration, &QPushButton::clicked, this, &ClusterDisplay::CancelGeneration);
  texts->addWidget(ClusterRedraw, 0, 9);
  texts->addWidget(ClusterJumpButton, 0, 10);
  texts->setColumnStretch(11, 1);

  ClusterTempLabel = Named(new QLabel(central), "ClusterTempLabel");
  ClusterTempLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont fixed(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  ClusterTempLabel->setFont(fixed);
  ClusterProgress = Named(new QProgressBar(central), "ClusterProgress");
  ClusterProgress->setRange(0, 100);
  ClusterProgress->hide();
  ClusterCancelGeneration->hide();
  ClusterRecordScroll = Named(new QScrollBar(Qt::Horizontal, central), "ClusterRecordScroll");
  ClusterRecordScroll->hide();  // it has no behaviour of its own

  auto* progress = new QHBoxLayout;
  progress->addWidget(ClusterTempLabel, 1);
  progress->addWidget(ClusterProgress);
  progress->addWidget(ClusterCancelGeneration);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(Screen, 1);
  layout->addLayout(texts);
  layout->addLayout(progress);
  layout->addWidget(ClusterRecordScroll);
  setCentralWidget(central);
  statusBar();
}

void ClusterDisplay::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  ClusterMenuFileNewCluster = file->addAction(QStringLiteral("&New Cluster"));
  ClusterMenuFileOpen = file->addAction(QStringLiteral("&Open..."));
  ClusterMenuFileDefaultDirectory = file->addAction(QStringLiteral("&Default Directory..."));
  AddImageCommands(file);
  file->addSeparator();
  ClusterMenuFileExit = file->addAction(QStringLiteral("E&xit"));
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  ClusterMenuViewSecondX = view->addAction(QStringLiteral("Enable Second View (+&X)"));
  ClusterMenuViewSecondX->setCheckable(true);
  ClusterMenuFileNewCluster->setObjectName(QStringLiteral("ClusterMenuFileNewCluster"));
  ClusterMenuFileOpen->setObjectName(QStringLiteral("ClusterMenuFileOpen"));
  ClusterMenuFileDefaultDirectory->setObjectName(QStringLiteral("ClusterMenuFileDefaultDirectory"));
  ClusterMenuFileExit->setObjectName(QStringLiteral("ClusterMenuFileExit"));
  ClusterMenuViewSecondX->setObjectName(QStringLiteral("ClusterMenuViewSecondX"));
  ClusterMenuFileNewCluster->setShortcut(QKeySequence::New);
  ClusterMenuFileOpen->setShortcut(QKeySequence::Open);

  connect(ClusterMenuFileNewCluster, &QAction::triggered, this, &ClusterDisplay::NewCluster);
  connect(ClusterMenuFileOpen, &QAction::triggered, this, &ClusterDisplay::OpenClusterFile);
  connect(ClusterMenuFileDefaultDirectory, &QAction::triggered, this,
          &ClusterDisplay::ChooseDefaultDirectory);
  connect(ClusterMenuFileExit, &QAction::triggered, this, &ClusterDisplay::close);
  connect(ClusterMenuViewSecondX, &QAction::toggled, this, [this](bool on) {
    view_.SecondView = on;
    LayOutClusterWindow();
  });
  AddSeedCommands();
  AddComfortCommands();
  AddHelpCommands();
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
  const bool idle = !generating_ && !jumpActive_;
  ClusterMenuFileExit->setEnabled(!generating_);
  ClusterMenuFileNewCluster->setEnabled(idle);
  ClusterMenuFileOpen->setEnabled(idle);
  ClusterMenuFileDefaultDirectory->setEnabled(!generating_);
  ClusterRedraw->setEnabled(!generating_);
  ClusterJumpButton->setEnabled(idle && selected_.has_value());
  ClusterProgress->setVisible(generating_);
  ClusterCancelGeneration->setVisible(generating_);
}

void ClusterDisplay::Report(const QString& message) {
  statusBar()->showMessage(message);
}

void ClusterDisplay::LayOutClusterWindow() {
  Screen->SetViews(view_.SecondView ? 2 : 1);
  RedrawCluster();
}

void ClusterDisplay::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Drawing reads the whole file: wait until the resizing settles.
  resizeTimer_->start();
}

void ClusterDisplay::ShowViewTexts(const ClusterViewTexts& texts) {
  XText->setText(QString::fromStdString(texts.X));
  YText->setText(QString::fromStdString(texts.Y));
  ZText->setText(QString::fromStdString(texts.Z));
  RangeText->setText(QString::fromStdString(texts.Range));
}

void ClusterDisplay::StepRange(int step) {
  const double range = LeadingNumber(RangeText->text().toStdString()) + step;
  RangeText->setText(QStringLiteral(" %1").arg(range));
}

void ClusterDisplay::RedrawCluster() {
  if (generating_) return;
  RangeSpinUp->setEnabled(false);
  RangeSpinDown->setEnabled(false);
  auto value = [](const QLineEdit* text) { return LeadingNumber(text->text().toStdString()); };
  view_.X = value(XText);
  view_.Y = value(YText);
  view_.Z = value(ZText);
  view_.Range = value(RangeText);
  drawn_.clear();
  formerSelections_.clear();
  selected_.reset();
  Screen->SetViews(view_.SecondView ? 2 : 1);
  if (clusterFile_.empty()) {
    Screen->Render([](Canvas&) {});
  } else {
    try {
      ClusterFileReader reader(clusterFile_);
      ClusterScan scan;
      Screen->Render([&](Canvas& canvas) { drawn_ = DrawCluster(canvas, view_, reader, &scan); });
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
  RangeSpinUp->setEnabled(true);
  RangeSpinDown->setEnabled(true);
  UpdateCommands();
}

void ClusterDisplay::DrawSelection(Canvas& canvas) const {
  for (const DrawnStar& star : formerSelections_) {
    DrawStarMarker(canvas, view_, star, kFormerSelectionColour);
  }
  if (!selected_) return;
  DrawStarMarker(canvas, view_, *selected_, kSelectedStarColour);
  canvas.Text(kStarPositionTextX, kStarPositionTextY, StarPositionText(*selected_),
              PaletteColour(15));
}

void ClusterDisplay::ClusterSelectStar() {
  if (clusterFile_.empty() || jumpActive_ || generating_) return;
  const auto nearest = NearestDrawnStar(drawn_, view_, Screen->PointerX, Screen->PointerY);
  if (!nearest) return;
  if (selected_) formerSelections_.push_back(*selected_);
  selected_ = drawn_[*nearest];
  selectedRecord_ = selected_->Record;
  Screen->update();
  ShowSelectedStar();
  UpdateCommands();
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
    ClusterTempLabel->setText(QString::fromLatin1(SelectedStarSummary(*record, view_)));
  }
}

void ClusterDisplay::JumpIntoClusterStar() {
  if (jumpActive_ || generating_) return;
  const auto record = ReadSelectedRecord();
  if (!record) return;
  JumpOutcome outcome = JumpOutcome::Fresh;
  try {
    outcome = ax::JumpIntoClusterStar(world_, random_, *reader_, clusterFile_, *record);
  } catch (const SystemFileError& error) {
    Report(
        QStringLiteral("Could not open %1: %2")
            .arg(QString::fromStdString(record->FileName), QString::fromStdString(error.Reason())));
    return;
  }
  jumpRecord_ = record;
  jumpFile_ = clusterFile_;
  jumpActive_ = true;
  // Coming back, the view is centred on the star visited.
  ShowViewTexts(CentreViewOnStar(view_, world_));
  UpdateCommands();
  systemWindow_.EnterClusterStar(outcome == JumpOutcome::Kept, clusterCode_);
  if (outcome == JumpOutcome::KeptFileMissing || outcome == JumpOutcome::KeptFileForeign) {
    systemWindow_.statusBar()->showMessage(
        QStringLiteral("The kept system %1 %2; the star's system is made anew")
            .arg(QString::fromStdString(record->FileName),
                 outcome == JumpOutcome::KeptFileMissing
                     ? QStringLiteral("is missing")
                     : QStringLiteral("now holds another star's system")));
  }
}

void ClusterDisplay::ReturnFromStar() {
  if (!jumpRecord_) return;
  show();
  raise();
  KeepVisitedStar();
  ClearSystem(world_);
  RedrawCluster();
  ShowSelectedStar();
}

void ClusterDisplay::KeepVisitedStar() {
  if (world_.SystemSurveyed != 0) {
    try {
      KeepClusterStarSystem(world_, jumpFile_, *jumpRecord_);
    } catch (const std::exception& error) {
      Report(QStringLiteral("Could not keep the system of %1: %2")
                 .arg(QString::fromStdString(jumpRecord_->SystemName),
                      QString::fromStdString(error.what())));
    }
  }
  jumpRecord_.reset();
  jumpActive_ = false;
  UpdateCommands();
}

void ClusterDisplay::StarSystemClosed() {
  jumpRecord_.reset();
  jumpActive_ = false;
  show();
  raise();
  RedrawCluster();
}

void ClusterDisplay::NewCluster() {
  if (generating_ || jumpActive_) return;
  // Say at once when no number is left, before the user sets up a cluster that cannot be made.
  if (!FirstFreeClusterNumber(folder_)) {
    Report(QStringLiteral("No new cluster can be made in %1: C01 to C99 are all taken")
               .arg(QString::fromStdString(folder_.string())));
    return;
  }
  Generation->Open();
}

void ClusterDisplay::ChooseDefaultDirectory() {
  const QString chosen = ChooseFolder(QString::fromStdString(folder_.string()));
  if (chosen.isEmpty()) return;
  folder_ = std::filesystem::path(chosen.toStdString());
  Report(QStringLiteral("New clusters are written to %1").arg(chosen));
}

void ClusterDisplay::OpenClusterFile() {
  if (generating_ || jumpActive_) return;
  FileDialogRequest request;
  request.directory = clusterFile_.empty()
                          ? QString::fromStdString(folder_.string())
                          : QString::fromStdString(clusterFile_.parent_path().string());
  request.filter = QStringLiteral("Astrolattix Files (*.axl)");
  request.defaultExtension = QStringLiteral("axl");
  const QString path = ChooseFile(request);
  if (path.isEmpty()) return;
  OpenClusterFileAt(path);
}

void ClusterDisplay::OpenClusterFileAt(const QString& path) {
  if (generating_ || jumpActive_) return;
  const std::filesystem::path file(path.toStdString());
  try {
    ClusterFileReader check(file);
    // A file whose very first record is unsound is no cluster: a star's return would write
    // into it.
    const ClusterScan first = check.ForEach([](const ClusterRecordView&) { return false; });
    if (first.Records == 0 && !first.Problem.empty()) {
      throw ClusterFileError(file, "it is not a cluster file (" + first.Problem + ")");
    }
  } catch (const ClusterFileError& error) {
    Report(QStringLiteral("Could not open %1: %2")
               .arg(FileText(file), QString::fromStdString(error.Reason())));
    return;
  }
  clusterFile_ = file;
  clusterCode_ = ClusterCodeOfFile(file);
  ShowClusterSeed(std::nullopt);
  setWindowTitle(QStringLiteral("Cluster %1").arg(QString::fromStdString(clusterCode_)));
  jumpActive_ = false;
  selectedRecord_ = 0;
  ClusterTempLabel->clear();
  RedrawCluster();
}

void ClusterDisplay::StartGeneration(const ClusterSettings& settings) {
  if (generating_ || jumpActive_) return;
  generating_ = true;
  generatedSize_ = settings.Size;
  cancel_ = false;
  ClusterProgress->setValue(0);
  ClusterTempLabel->clear();
  UpdateCommands();
  generationSeed_ = NewClusterSeed();
  worker_ = std::thread([this, settings, folder = folder_, seed = generationSeed_] {
    ClusterResult result;
    QString error;
    try {
      Random random(seed);  // its own source, as the command line's: the window's stays its own
      result = GenerateCluster(settings, random, folder, [this](const ax::ClusterProgress& step) {
        QMetaObject::invokeMethod(
            this, [this, step] { ShowProgress(step); }, Qt::QueuedConnection);
        return !cancel_.load();
      });
    } catch (const std::exception& failure) {
      error = QString::fromStdString(failure.what());
    }
    QMetaObject::invokeMethod(
        this, [this, result, error] { FinishGeneration(result, error); }, Qt::QueuedConnection);
  });
}

void ClusterDisplay::CancelGeneration() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void ClusterDisplay::ShowProgress(const ax::ClusterProgress& progress) {
  if (!generating_) return;
  ClusterProgress->setValue(progress.Percent);
  ClusterTempLabel->setText(StarCountText(progress.Code, progress.Stars));
}

void ClusterDisplay::FinishGeneration(const ClusterResult& result, const QString& error) {
  if (worker_.joinable()) worker_.join();
  generating_ = false;
  UpdateCommands();
  if (!error.isEmpty()) {
    ClusterTempLabel->clear();
    Report(QStringLiteral("The cluster could not be made: %1").arg(error));
    return;
  }
  if (result.Cancelled) {
    ClusterTempLabel->clear();
    Report(QStringLiteral("The generation was cancelled; nothing was written"));
    return;
  }
  clusterFile_ = result.File;
  clusterCode_ = result.Code;
  ShowClusterSeed(generationSeed_);
  setWindowTitle(QStringLiteral("Cluster %1").arg(QString::fromStdString(clusterCode_)));
  jumpActive_ = false;
  selectedRecord_ = 0;
  ClusterTempLabel->setText(StarCountText(clusterCode_, result.Stars));
  ShowNewCluster(generatedSize_);
}

void ClusterDisplay::ShowNewCluster(int size) {
  const QString middle = QString::number(size / 2.0);
  XText->setText(middle);
  YText->setText(middle);
  ZText->setText(middle);
  RedrawCluster();
}

void ClusterDisplay::closeEvent(QCloseEvent* event) {
  if (generating_) {
    // Exit is off during a generation; the window frame's close cancels it instead.
    CancelGeneration();
    generating_ = false;
  }
  resizeTimer_->stop();
  // A form left open would generate into a window that is gone.
  Generation->hide();
  if (jumpActive_) {
    // Closing here must not lose what JUMP would have kept.
    KeepVisitedStar();
    systemWindow_.LeaveClusterStar();
  }
  world_.ClusterMode = 0;
  event->accept();
  emit Closed();
}

}  // namespace ax
