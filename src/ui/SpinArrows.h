#pragma once

#include <QWidget>

class QToolButton;

namespace ax {

// A spin button: an up and a down arrow, one above the other, that step a value shown
// elsewhere (most often the text box beside them). The widget and both arrows answer to the
// spin's name, so a control is found by that name whether a caller looks for a widget or a
// button.
class SpinArrows : public QWidget {
  Q_OBJECT

 public:
  // Held down, an arrow either repeats its step or steps once when let go.
  enum class Held { Repeats, StepsOnce };

  SpinArrows(const char* name, QWidget* parent, Held held = Held::Repeats);

  void SetTips(const QString& up, const QString& down);

 signals:
  void Up();
  void Down();

 private:
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace ax
