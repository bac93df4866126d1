#pragma once

#include <QWidget>

#include "display/TimeControl.h"
#include "display/ViewState.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTimer;

namespace ax {

// The control panel: zoom, rotations and the star date of the orbit view, typed, stepped or
// animated, applied to the view state through TimeControl. Tests find the controls by their
// object names.
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
  // The zoom box shows the view's zoom, as after a fit.
  void ShowZoom();
  // The system window's "OUT" and "IN": the zoom spin's steps.
  void SpinZoom(bool up);
  // Stops the animation, as choosing "Manual" does.
  void StopStarDate();

 signals:
  // The view state changed; the system window redraws its graphical modes.
  void Applied();
  // The user closed the panel with its own frame; the View menu's check mark follows.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ApplyControlPanel();
  void SetStarDateRun();
  // Timer1's tick.
  void AdvanceStarDate();
  void SpinRotation(QLineEdit* text, bool up);
  void StepStarDate(bool forward);
  void ShowDate();
  // Reads the two multiplier labels back as the date steps.
  void ReadSliders();

  ViewState& view_;
  TimeControl time_;

  QLineEdit* zoomText_ = nullptr;
  QLineEdit* rotationTexts_[3] = {};  // X, Y, Z
  QTimer* timer_ = nullptr;
  QRadioButton* stopOption_ = nullptr;
  QRadioButton* runOption_ = nullptr;
  QLineEdit* dateText_ = nullptr;
  QSlider* coarseSlider_ = nullptr;
  QLabel* coarseLabel_ = nullptr;
  QSlider* fineSlider_ = nullptr;
  QLabel* fineLabel_ = nullptr;
};

}  // namespace ax
