#include "ui/ControlPanel.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <string>

#include "display/NumberPicture.h"
#include "generate/NumberText.h"
#include "ui/FormFields.h"
#include "ui/SpinArrows.h"

namespace ax {
namespace {

constexpr int kTimerInterval = 50;      // ms per animation tick
constexpr int kSliderUnits = 1000;      // each slider runs 0..1000
constexpr double kCoarseUnits = 1000;   // coarse slider units per year
constexpr double kFineUnits = 1000000;  // fine slider units per year
constexpr int kWindowGap = 5;           // pixels between the system window and the panel
constexpr const char* kDatePicture = "#.000000";

// What a typed text or a label reads as: its leading number, 0 when it has none.
double Number(const QString& text) {
  return LeadingNumber(text.toStdString());
}

QLineEdit* AddText(QWidget* parent, const char* name, const char* text) {
  return Named(new QLineEdit(QString::fromLatin1(text), parent), name);
}

QLabel* AddLabel(QWidget* parent, const char* name, const char* caption) {
  return Named(new QLabel(QString::fromLatin1(caption), parent), name);
}

QSlider* AddSlider(QWidget* parent, const char* name) {
  auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
  slider->setRange(0, kSliderUnits);
  slider->setValue(0);
  return slider;
}

// The panel's arrows step once a click: each step applies the panel and redraws the view.
SpinArrows* AddSpin(QWidget* parent, const char* name) {
  return new SpinArrows(name, parent, SpinArrows::Held::StepsOnce);
}

}  // namespace

ControlPanel::ControlPanel(ViewState& view, QWidget* parent)
    : QWidget(parent, Qt::Tool), view_(view), time_(view) {
  setObjectName(QStringLiteral("ControlPanel"));
  setWindowTitle(QStringLiteral("Control Panel"));

  auto* viewFrame = new QGroupBox(QStringLiteral("View"), this);
  zoomText_ = AddText(viewFrame, "ViewZoomText", "1.000");
  SpinArrows* zoomSpin = AddSpin(viewFrame, "ViewZoomSpin");
  auto* execute = Named(new QPushButton(QStringLiteral("Execute"), viewFrame), "ManualExecute");
  auto* viewLayout = new QHBoxLayout(viewFrame);
  viewLayout->addWidget(AddLabel(viewFrame, "ViewZoomLabel", "Zoom:  X"));
  viewLayout->addWidget(zoomText_);
  viewLayout->addWidget(zoomSpin);
  viewLayout->addWidget(execute);

  auto* rotationFrame = new QGroupBox(QStringLiteral("Rotation"), this);
  auto* rotationLayout = new QGridLayout(rotationFrame);
  struct Axis {
    const char* label;
    const char* caption;
    const char* text;
    const char* spin;
    const char* letter;
  };
  const Axis axes[] = {{"RotationXLabel", "X:", "RotationXText", "RotationXSpin", "X"},
                       {"RotationYLabel", "Y:", "RotationYText", "RotationYSpin", "Y"},
                       {"RotationZLabel", "Z:", "RotationZText", "RotationZSpin", "Z"}};
  for (int i = 0; i < 3; ++i) {
    const Axis& axis = axes[i];
    QLineEdit* text = AddText(rotationFrame, axis.text, "0");
    SpinArrows* spin = AddSpin(rotationFrame, axis.spin);
    rotationTexts_[i] = text;
    rotationLayout->addWidget(AddLabel(rotationFrame, axis.label, axis.caption), i, 0);
    rotationLayout->addWidget(text, i, 1);
    rotationLayout->addWidget(spin, i, 2);
    text->setToolTip(QStringLiteral("Turn of the view about the %1 axis, in degrees")
                         .arg(QLatin1String(axis.letter)));
    spin->SetTips(QStringLiteral("One degree more"), QStringLiteral("One degree less"));
    connect(spin, &SpinArrows::Up, this, [this, text] { SpinRotation(text, true); });
    connect(spin, &SpinArrows::Down, this, [this, text] { SpinRotation(text, false); });
  }

  // The location frame holds no controls of its own; it names the view's centre.
  auto* locationFrame = new QGroupBox(QStringLiteral("Location"), this);
  locationFrame->setObjectName(QStringLiteral("Location"));
  auto* locationLayout = new QVBoxLayout(locationFrame);
  locationLayout->addWidget(new QLabel(QStringLiteral("Click the view to centre it"), this));

  auto* dateFrame = new QGroupBox(QStringLiteral("Star Date"), this);
  stopOption_ = Named(new QRadioButton(QStringLiteral("Manual"), dateFrame), "StarDateStopOption");
  stopOption_->setChecked(true);
  runOption_ = Named(new QRadioButton(QStringLiteral("Auto"), dateFrame), "StarDateRunOption");
  dateText_ = AddText(dateFrame, "StarDateText", "");
  SpinArrows* dateSpin = AddSpin(dateFrame, "StarDateSpin");
  coarseSlider_ = AddSlider(dateFrame, "StarDateSlider");
  coarseLabel_ = AddLabel(dateFrame, "StarDateMultiplierLabel", ".000");
  fineSlider_ = AddSlider(dateFrame, "FineDateSlider");
  fineLabel_ = AddLabel(dateFrame, "FineDateMultiplierLabel", ".000000");
  auto* dateLayout = new QGridLayout(dateFrame);
  dateLayout->addWidget(stopOption_, 0, 0);
  dateLayout->addWidget(runOption_, 0, 1);
  dateLayout->addWidget(dateText_, 1, 0, 1, 2);
  dateLayout->addWidget(dateSpin, 1, 2);
  dateLayout->addWidget(coarseSlider_, 2, 0);
  dateLayout->addWidget(AddLabel(dateFrame, "StarDateXLabel", "X"), 2, 1);
  dateLayout->addWidget(coarseLabel_, 2, 2);
  dateLayout->addWidget(fineSlider_, 3, 0);
  dateLayout->addWidget(AddLabel(dateFrame, "FineDateXLAbel", "X"), 3, 1);
  dateLayout->addWidget(fineLabel_, 3, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(viewFrame);
  layout->addWidget(rotationFrame);
  layout->addWidget(locationFrame);
  layout->addWidget(dateFrame);

  timer_ = Named(new QTimer(this), "Timer1");
  timer_->setInterval(kTimerInterval);

  connect(timer_, &QTimer::timeout, this, &ControlPanel::AdvanceStarDate);
  connect(execute, &QPushButton::clicked, this, &ControlPanel::ApplyControlPanel);
  connect(stopOption_, &QRadioButton::clicked, this, &ControlPanel::SetStarDateRun);
  connect(runOption_, &QRadioButton::clicked, this, &ControlPanel::SetStarDateRun);
  connect(coarseSlider_, &QSlider::valueChanged, this, [this](int value) {
    coarseLabel_->setText(Latin1Text(FormatNumber(value / kCoarseUnits, ".000")));
  });
  connect(fineSlider_, &QSlider::valueChanged, this, [this](int value) {
    fineLabel_->setText(Latin1Text(FormatNumber(value / kFineUnits, ".000000")));
  });
  zoomText_->setToolTip(QStringLiteral("The zoom of the drawings, 0.001 to 256"));
  zoomSpin->SetTips(QStringLiteral("Double the zoom"), QStringLiteral("Halve the zoom"));
  execute->setToolTip(QStringLiteral("Apply the typed date, rotations and zoom"));
  stopOption_->setToolTip(QStringLiteral("The date moves only when you change it"));
  runOption_->setToolTip(
      QStringLiteral("The date runs forward by both steps twenty times a second"));
  dateText_->setToolTip(QStringLiteral("The star date, in years"));
  dateSpin->SetTips(QStringLiteral("The date forward by both steps"),
                    QStringLiteral("The date back by both steps"));
  coarseSlider_->setToolTip(QStringLiteral("The coarse date step, 0 to 1 year"));
  fineSlider_->setToolTip(QStringLiteral("The fine date step, 0 to 0.001 year"));

  connect(zoomSpin, &SpinArrows::Up, this, [this] { SpinZoom(true); });
  connect(zoomSpin, &SpinArrows::Down, this, [this] { SpinZoom(false); });
  connect(dateSpin, &SpinArrows::Up, this, [this] { StepStarDate(true); });
  connect(dateSpin, &SpinArrows::Down, this, [this] { StepStarDate(false); });

  time_.StartStarDate();
  ShowDate();
}

void ControlPanel::Load() {
  StopStarDate();
  coarseSlider_->setValue(0);
  fineSlider_->setValue(0);
  ResetView();
}

void ControlPanel::PlaceControlPanel(const QWidget& systemWindow) {
  const QRect frame = systemWindow.frameGeometry();
  move(frame.x() + frame.width() + kWindowGap, frame.y());
  time_.StartStarDate();
  ShowDate();
}

void ControlPanel::ResetControlPanelView() {
  for (QLineEdit* text : rotationTexts_) text->setText(QStringLiteral("0"));
  zoomText_->setText(QStringLiteral("1.000"));
}

void ControlPanel::ResetView() {
  view_.ResetView();
  ResetControlPanelView();
}

void ControlPanel::ApplyControlPanel() {
  time_.ApplyControlPanel(Number(dateText_->text()), Number(rotationTexts_[0]->text()),
                          Number(rotationTexts_[1]->text()), Number(rotationTexts_[2]->text()),
                          Number(zoomText_->text()));
  ShowDate();
  ShowZoom();
  emit Applied();
}

void ControlPanel::SetStarDateRun() {
  if (runOption_->isChecked()) {
    timer_->start();
  } else {
    timer_->stop();
  }
}

void ControlPanel::StopStarDate() {
  stopOption_->setChecked(true);
  SetStarDateRun();
}

void ControlPanel::ReadSliders() {
  const double coarse = Number(coarseLabel_->text());
  const double fine = Number(fineLabel_->text());
  time_.SetSliders(static_cast<int>(std::lround(coarse * kCoarseUnits)),
                   static_cast<int>(std::lround(fine * kFineUnits)));
}

void ControlPanel::AdvanceStarDate() {
  ReadSliders();
  dateText_->setText(Latin1Text(
      FormatNumber(time_.CoarseStep() + view_.StarDate + time_.FineStep(), kDatePicture)));
  ApplyControlPanel();
}

void ControlPanel::StepStarDate(bool forward) {
  ReadSliders();
  time_.StepDate(forward);
  ShowDate();
  ApplyControlPanel();
}

void ControlPanel::SpinRotation(QLineEdit* text, bool up) {
  const double turned = TimeControl::RotationStep(Number(text->text()), up);
  text->setText(QString::number(turned));
  if (!runOption_->isChecked()) ApplyControlPanel();
}

void ControlPanel::SpinZoom(bool up) {
  time_.SpinZoom(Number(zoomText_->text()), up);
  ShowZoom();
  if (!runOption_->isChecked()) ApplyControlPanel();
}

void ControlPanel::closeEvent(QCloseEvent* event) {
  event->accept();
  emit Closed();
}

void ControlPanel::ShowDate() {
  dateText_->setText(Latin1Text(FormatNumber(view_.StarDate, kDatePicture)));
}

void ControlPanel::ShowZoom() {
  const double zoom = view_.ViewZoom;
  zoomText_->setText(Latin1Text(FormatNumber(zoom, TimeControl::ZoomPicture(zoom))));
}

}  // namespace ax
