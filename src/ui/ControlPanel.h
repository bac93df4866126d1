#pragma once

#include <QWidget>

#include <functional>

#include "display/TimeControl.h"
#include "display/ViewState.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;
class QToolButton;

namespace ax {

// A spin button: two arrows without a value of their own, each click one step up or down.
class SpinButton : public QWidget {
 public:
  explicit SpinButton(const QString& name, QWidget* parent = nullptr);

  std::function<void()> Up;
  std::function<void()> Down;

  QToolButton* UpArrow = nullptr;
  QToolButton* DownArrow = nullptr;
};

// The control panel: zoom, rotations and the star date of the orbit view, typed, stepped or
// animated, applied to the view state through TimeControl.
class ControlPanel : public QWidget {
  Q_OBJECT

 public:
  ControlPanel(ViewState& view, QWidget* parent = nullptr);

  // As the panel first appears: Manual, both date steps 0, the view reset; the date stays.
  void Load();
  // Beside the system window, with a date that was never set started at 2000.
  void PlaceControlPanel(const QWidget& systemWindow);
  void ResetControlPanelView();
  void ResetView();
  void ApplyControlPanel();
  void SetStarDateRun();
  // The system window's "OUT" and "IN": the zoom spin's steps.
  void SpinZoom(bool up);
  // Stops the animation, as choosing "Manual" does.
  void StopStarDate();

  // Timer1's tick.
  void AdvanceStarDate();

  QLineEdit* ViewZoomText = nullptr;
  SpinButton* ViewZoomSpin = nullptr;
  QLabel* ViewZoomLabel = nullptr;
  QPushButton* ManualExecute = nullptr;
  QLineEdit* RotationXText = nullptr;
  QLineEdit* RotationYText = nullptr;
  QLineEdit* RotationZText = nullptr;
  SpinButton* RotationXSpin = nullptr;
  SpinButton* RotationYSpin = nullptr;
  SpinButton* RotationZSpin = nullptr;
  QLabel* RotationXLabel = nullptr;
  QLabel* RotationYLabel = nullptr;
  QLabel* RotationZLabel = nullptr;
  QTimer* Timer1 = nullptr;
  QRadioButton* StarDateStopOption = nullptr;
  QRadioButton* StarDateRunOption = nullptr;
  QLineEdit* StarDateText = nullptr;
  SpinButton* StarDateSpin = nullptr;
  QSlider* StarDateSlider = nullptr;
  QLabel* StarDateMultiplierLabel = nullptr;
  QLabel* StarDateXLabel = nullptr;
  QSlider* FineDateSlider = nullptr;
  QLabel* FineDateMultiplierLabel = nullptr;
  QLabel* FineDateXLAbel = nullptr;

 signals:
  // The view state changed; the system window redraws its graphical modes.
  void Applied();
  // The user closed the panel with its own frame; the View menu's check mark follows.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void SpinRotation(QLineEdit* text, bool up);
  void StepStarDate(bool forward);
  void ShowDate();
  void ShowZoom();
  // Reads the two multiplier labels back as the date steps.
  void ReadSliders();

  ViewState& view_;
  TimeControl time_;
};

// The leading numeric part of a typed text; an empty or non-numeric text reads as 0.
double LeadingNumber(const QString& text);

}  // namespace ax
