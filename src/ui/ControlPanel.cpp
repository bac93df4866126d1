#include "ui/ControlPanel.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <string>

#include "display/NumberPicture.h"

namespace ax {
namespace {

constexpr int kTimerInterval = 50;      // ms per animation tick
constexpr int kSliderUnits = 1000;      // each slider runs 0..1000
constexpr double kCoarseUnits = 1000;   // coarse slider units per year
constexpr double kFineUnits = 1000000;  // fine slider units per year
constexpr int kWindowGap = 5;           // pixels between the system window and the panel
constexpr const char* kDatePicture = "#.000000";

QString FromText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* AddText(QWidget* parent, const char* name, const char* text) {
  auto* box = new QLineEdit(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QLabel* AddLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QSlider* AddSlider(QWidget* parent, const char* name) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setObjectName(QString::fromLatin1(name));
  slider->setRange(0, kSliderUnits);
  slider->setValue(0);
  return slider;
}

}  // namespace

double LeadingNumber(const QString& text) {
  static const QRegularExpression kNumber(
      QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?"));
  const QRegularExpressionMatch match = kNumber.match(text);
  if (!match.hasMatch()) return 0;
  bool ok = false;
  const double value = match.captured(0).trimmed().toDouble(&ok);
  return ok && std::isfinite(value) ? value : 0;
}

SpinButton::SpinButton(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  UpArrow = new QToolButton(this);
  UpArrow->setArrowType(Qt::UpArrow);
  DownArrow = new QToolButton(this);
  DownArrow->setArrowType(Qt::DownArrow);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(UpArrow);
  layout->addWidget(DownArrow);
  QObject::connect(UpArrow, &QToolButton::clicked, this, [this] {
    if (Up) Up();
  });
  QObject::connect(DownArrow, &QToolButton::clicked, this, [this] {
    if (Down) Down();
  });
}

ControlPanel::ControlPanel(ViewState& view, QWidget* parent)
    : QWidget(parent, Qt::Tool), view_(view), time_(view) {
  setObjectName(QStringLiteral("ControlPanel"));
  setWindowTitle(QStringLiteral("Control Panel"));

  auto* viewFrame = new QGroupBox(QStringLiteral("View"), this);
  ViewZoomText = AddText(viewFrame, "ViewZoomText", "1.000");
  ViewZoomSpin = new SpinButton(QStringLiteral("ViewZoomSpin"), viewFrame);
  ViewZoomLabel = AddLabel(viewFrame, "ViewZoomLabel", "Zoom:  X");
  ManualExecute = new QPushButton(QStringLiteral("Execute"), viewFrame);
  ManualExecute->setObjectName(QStringLiteral("ManualExecute"));
  auto* viewLayout = new QHBoxLayout(viewFrame);
  viewLayout->addWidget(ViewZoomLabel);
  viewLayout->addWidget(ViewZoomText);
  viewLayout->addWidget(ViewZoomSpin);
  viewLayout->addWidget(ManualExecute);

  auto* rotationFrame = new QGroupBox(QStringLiteral("Rotation"), this);
  auto* rotationLayout = new QGridLayout(rotationFrame);
  RotationXLabel = AddLabel(rotationFrame, "RotationXLabel", "X:");
  RotationYLabel = AddLabel(rotationFrame, "RotationYLabel", "Y:");
  RotationZLabel = AddLabel(rotationFrame, "RotationZLabel", "Z:");
  RotationXText = AddText(rotationFrame, "RotationXText", "0");
  RotationYText = AddText(rotationFrame, "RotationYText", "0");
  RotationZText = AddText(rotationFrame, "RotationZText", "0");
  RotationXSpin = new SpinButton(QStringLiteral("RotationXSpin"), rotationFrame);
  RotationYSpin = new SpinButton(QStringLiteral("RotationYSpin"), rotationFrame);
  RotationZSpin = new SpinButton(QStringLiteral("RotationZSpin"), rotationFrame);
  QLabel* labels[] = {RotationXLabel, RotationYLabel, RotationZLabel};
  QLineEdit* texts[] = {RotationXText, RotationYText, RotationZText};
  SpinButton* spins[] = {RotationXSpin, RotationYSpin, RotationZSpin};
  for (int i = 0; i < 3; ++i) {
    rotationLayout->addWidget(labels[i], i, 0);
    rotationLayout->addWidget(texts[i], i, 1);
    rotationLayout->addWidget(spins[i], i, 2);
    QLineEdit* text = texts[i];
    spins[i]->Up = [this, text] { SpinRotation(text, true); };
    spins[i]->Down = [this, text] { SpinRotation(text, false); };
  }

  // The location frame holds no controls of its own; it names the view's centre.
  auto* locationFrame = new QGroupBox(QStringLiteral("Location"), this);
  locationFrame->setObjectName(QStringLiteral("Location"));
  auto* locationLayout = new QVBoxLayout(locationFrame);
  locationLayout->addWidget(new QLabel(QStringLiteral("Click the view to centre it"), this));

  auto* dateFrame = new QGroupBox(QStringLiteral("Star Date"), this);
  StarDateStopOption = new QRadioButton(QStringLiteral("Manual"), dateFrame);
  StarDateStopOption->setObjectName(QStringLiteral("StarDateStopOption"));
  StarDateStopOption->setChecked(true);
  StarDateRunOption = new QRadioButton(QStringLiteral("Auto"), dateFrame);
  StarDateRunOption->setObjectName(QStringLiteral("StarDateRunOption"));
  StarDateText = AddText(dateFrame, "StarDateText", "");
  StarDateSpin = new SpinButton(QStringLiteral("StarDateSpin"), dateFrame);
  StarDateSlider = AddSlider(dateFrame, "StarDateSlider");
  StarDateMultiplierLabel = AddLabel(dateFrame, "StarDateMultiplierLabel", ".000");
  StarDateXLabel = AddLabel(dateFrame, "StarDateXLabel", "X");
  FineDateSlider = AddSlider(dateFrame, "FineDateSlider");
  FineDateMultiplierLabel = AddLabel(dateFrame, "FineDateMultiplierLabel", ".000000");
  FineDateXLAbel = AddLabel(dateFrame, "FineDateXLAbel", "X");
  auto* dateLayout = new QGridLayout(dateFrame);
  dateLayout->addWidget(StarDateStopOption, 0, 0);
  dateLayout->addWidget(StarDateRunOption, 0, 1);
  dateLayout->addWidget(StarDateText, 1, 0, 1, 2);
  dateLayout->addWidget(StarDateSpin, 1, 2);
  dateLayout->addWidget(StarDateSlider, 2, 0);
  dateLayout->addWidget(StarDateXLabel, 2, 1);
  dateLayout->addWidget(StarDateMultiplierLabel, 2, 2);
  dateLayout->addWidget(FineDateSlider, 3, 0);
  dateLayout->addWidget(FineDateXLAbel, 3, 1);
  dateLayout->addWidget(FineDateMultiplierLabel, 3, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(viewFrame);
  layout->addWidget(rotationFrame);
  layout->addWidget(locationFrame);
  layout->addWidget(dateFrame);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTimerInterval);

  connect(Timer1, &QTimer::timeout, this, &ControlPanel::AdvanceStarDate);
  connect(ManualExecute, &QPushButton::clicked, this, &ControlPanel::ApplyControlPanel);
  connect(StarDateStopOption, &QRadioButton::clicked, this, &ControlPanel::SetStarDateRun);
  connect(StarDateRunOption, &QRadioButton::clicked, this, &ControlPanel::SetStarDateRun);
  connect(StarDateSlider, &QSlider::valueChanged, this, [this](int value) {
    StarDateMultiplierLabel->setText(FromText(FormatNumber(value / kCoarseUnits, ".000")));
  });
  connect(FineDateSlider, &QSlider::valueChanged, this, [this](int value) {
    FineDateMultiplierLabel->setText(FromText(FormatNumber(value / kFineUnits, ".000000")));
  });
  ViewZoomText->setToolTip(QStringLiteral("The zoom of the drawings, 0.001 to 256"));
  ViewZoomSpin->UpArrow->setToolTip(QStringLiteral("Double the zoom"));
  ViewZoomSpin->DownArrow->setToolTip(QStringLiteral("Halve the zoom"));
  ManualExecute->setToolTip(QStringLiteral("Apply the typed date, rotations and zoom"));
  const char* axes[] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    texts[i]->setToolTip(QStringLiteral("Turn of the view about the %1 axis, in degrees")
                             .arg(QLatin1String(axes[i])));
    spins[i]->UpArrow->setToolTip(QStringLiteral("One degree more"));
    spins[i]->DownArrow->setToolTip(QStringLiteral("One degree less"));
  }
  StarDateStopOption->setToolTip(QStringLiteral("The date moves only when you change it"));
  StarDateRunOption->setToolTip(
      QStringLiteral("The date runs forward by both steps twenty times a second"));
  StarDateText->setToolTip(QStringLiteral("The star date, in years"));
  StarDateSpin->UpArrow->setToolTip(QStringLiteral("The date forward by both steps"));
  StarDateSpin->DownArrow->setToolTip(QStringLiteral("The date back by both steps"));
  StarDateSlider->setToolTip(QStringLiteral("The coarse date step, 0 to 1 year"));
  FineDateSlider->setToolTip(QStringLiteral("The fine date step, 0 to 0.001 year"));

  ViewZoomSpin->Up = [this] { SpinZoom(true); };
  ViewZoomSpin->Down = [this] { SpinZoom(false); };
  StarDateSpin->Up = [this] { StepStarDate(true); };
  StarDateSpin->Down = [this] { StepStarDate(false); };

  time_.StartStarDate();
  ShowDate();
}

void ControlPanel::Load() {
  StopStarDate();
  StarDateSlider->setValue(0);
  FineDateSlider->setValue(0);
  ResetView();
}

void ControlPanel::PlaceControlPanel(const QWidget& systemWindow) {
  const QRect frame = systemWindow.frameGeometry();
  move(frame.x() + frame.width() + kWindowGap, frame.y());
  time_.StartStarDate();
  ShowDate();
}

void ControlPanel::ResetControlPanelView() {
  RotationXText->setText(QStringLiteral("0"));
  RotationYText->setText(QStringLiteral("0"));
  RotationZText->setText(QStringLiteral("0"));
  ViewZoomText->setText(QStringLiteral("1.000"));
}

void ControlPanel::ResetView() {
  view_.ResetView();
  ResetControlPanelView();
}

void ControlPanel::ApplyControlPanel() {
  time_.ApplyControlPanel(LeadingNumber(StarDateText->text()), LeadingNumber(RotationXText->text()),
                          LeadingNumber(RotationYText->text()),
                          LeadingNumber(RotationZText->text()),
                          LeadingNumber(ViewZoomText->text()));
  ShowDate();
  ShowZoom();
  emit Applied();
}

void ControlPanel::SetStarDateRun() {
  if (StarDateRunOption->isChecked()) {
    Timer1->start();
  } else {
    Timer1->stop();
  }
}

void ControlPanel::StopStarDate() {
  StarDateStopOption->setChecked(true);
  SetStarDateRun();
}

void ControlPanel::ReadSliders() {
  const double coarse = LeadingNumber(StarDateMultiplierLabel->text());
  const double fine = LeadingNumber(FineDateMultiplierLabel->text());
  time_.SetSliders(static_cast<int>(std::lround(coarse * kCoarseUnits)),
                   static_cast<int>(std::lround(fine * kFineUnits)));
}

void ControlPanel::AdvanceStarDate() {
  ReadSliders();
  StarDateText->setText(
      FromText(FormatNumber(time_.CoarseStep() + view_.StarDate + time_.FineStep(), kDatePicture)));
  ApplyControlPanel();
}

void ControlPanel::StepStarDate(bool forward) {
  ReadSliders();
  time_.StepDate(forward);
  ShowDate();
  ApplyControlPanel();
}

void ControlPanel::SpinRotation(QLineEdit* text, bool up) {
  const double turned = TimeControl::RotationStep(LeadingNumber(text->text()), up);
  text->setText(QString::number(turned));
  if (!StarDateRunOption->isChecked()) ApplyControlPanel();
}

void ControlPanel::SpinZoom(bool up) {
  time_.SpinZoom(LeadingNumber(ViewZoomText->text()), up);
  ShowZoom();
  if (!StarDateRunOption->isChecked()) ApplyControlPanel();
}

void ControlPanel::closeEvent(QCloseEvent* event) {
  event->accept();
  emit Closed();
}

void ControlPanel::ShowDate() {
  StarDateText->setText(FromText(FormatNumber(view_.StarDate, kDatePicture)));
}

void ControlPanel::ShowZoom() {
  const double zoom = view_.ViewZoom;
  ViewZoomText->setText(FromText(FormatNumber(zoom, TimeControl::ZoomPicture(zoom))));
}

}  // namespace ax
