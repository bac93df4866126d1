#include "ui/StartForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Version.h"
#include "ui/ClusterDisplay.h"
#include "ui/DroppedFiles.h"
#include "ui/SystemDisplay.h"
#include "ui/WindowPlacement.h"

namespace ax {
namespace {

QPushButton* AddButton(QWidget* form, QLayout* row, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), form);
  button->setObjectName(QString::fromLatin1(caption));
  row->addWidget(button);
  return button;
}

// The form's 32 x 32 icon in the sixteen colours: a yellow star on its orbit.
QPixmap StartIcon() {
  QPixmap icon(32, 32);
  icon.fill(Qt::black);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor(Qt::darkGray));
  painter.drawEllipse(2, 9, 27, 13);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(Qt::yellow));
  painter.drawEllipse(11, 11, 9, 9);
  painter.setBrush(QColor(Qt::cyan));
  painter.drawEllipse(25, 17, 4, 4);
  return icon;
}

}  // namespace

StartForm::StartForm(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Astrolattix Version %1").arg(QLatin1String(kVersion)));
  setWindowIcon(QIcon(StartIcon()));

  auto* title = new QLabel(QStringLiteral("Astrolattix"), this);
  QFont titleFont = title->font();
  titleFont.setPointSize(titleFont.pointSize() * 2);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setAlignment(Qt::AlignCenter);
  auto* subtitle = new QLabel(QStringLiteral("Imaginary star systems and star clusters"), this);
  subtitle->setAlignment(Qt::AlignCenter);

  auto* buttons = new QHBoxLayout;
  clusterControl_ = AddButton(this, buttons, "ClusterControl");
  QPushButton* exitButton = AddButton(this, buttons, "Exit");
  systemCreate_ = AddButton(this, buttons, "SystemCreate");
  exitButton->setObjectName(QStringLiteral("ExitButton"));

  // Each button works once its window is attached.
  clusterControl_->setEnabled(false);
  systemCreate_->setEnabled(false);
  clusterControl_->setToolTip(QStringLiteral("Generate star clusters and jump into their stars"));
  systemCreate_->setToolTip(QStringLiteral("Generate and survey single star systems"));
  exitButton->setFocus();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(subtitle);
  layout->addSpacing(16);
  layout->addLayout(buttons);

  connect(exitButton, &QPushButton::clicked, this, &StartForm::close);
  connect(systemCreate_, &QPushButton::clicked, this, &StartForm::EnterSystemWindow);
  connect(clusterControl_, &QPushButton::clicked, this, &StartForm::EnterClusterWindow);

  resize(460, 200);
  CentreOnScreen(*this);
}

void StartForm::AttachSystemWindow(SystemDisplay* window) {
  systemWindow_ = window;
  systemCreate_->setEnabled(window != nullptr);
  if (window != nullptr) connect(window, &SystemDisplay::Closed, this, &StartForm::show);
}

void StartForm::AttachClusterWindow(ClusterDisplay* window) {
  clusterWindow_ = window;
  clusterControl_->setEnabled(window != nullptr);
  if (window != nullptr) connect(window, &ClusterDisplay::Closed, this, &StartForm::show);
}

void StartForm::OpenFile(const QString& path) {
  if (FileTypeOfName(path) == FileType::Cluster) {
    EnterClusterWindow();
    if (clusterWindow_ != nullptr) clusterWindow_->OpenClusterFileAt(path);
  } else {
    EnterSystemWindow();
    if (systemWindow_ != nullptr) systemWindow_->OpenSystemFileAt(path);
  }
}

void StartForm::EnterClusterWindow() {
  if (clusterWindow_ == nullptr) return;
  clusterWindow_->Enter();
  hide();
}

void StartForm::EnterSystemWindow() {
  if (systemWindow_ == nullptr) return;
  systemWindow_->Enter();
  hide();
}

void StartForm::closeEvent(QCloseEvent* event) {
  event->accept();
  EndProgram();
}

void StartForm::EndProgram() {
  // Closing the start form ends the program even while other windows are only hidden.
  QApplication::closeAllWindows();
  QCoreApplication::quit();
}

}  // namespace ax
