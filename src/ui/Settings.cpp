#include "ui/Settings.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include <utility>

namespace ax {
namespace {

const QString kRecentKey = QStringLiteral("recentFiles");

QString OptionKey(const QString& name) {
  return QStringLiteral("options/") + name;
}

QString GeometryKey(const QString& window) {
  return QStringLiteral("geometry/") + window;
}

QString Absolute(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Watches one window: restores its geometry on the first show, saves it on every hide (a
// closed window is hidden too).
class GeometryKeeper : public QObject {
 public:
  GeometryKeeper(QWidget& window, Settings& settings, QString name)
      : QObject(&window), settings_(settings), name_(std::move(name)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && !restored_) {
      restored_ = true;
      const QByteArray geometry = settings_.Geometry(name_);
      if (!geometry.isEmpty()) window->restoreGeometry(geometry);
    } else if (event->type() == QEvent::Hide && restored_) {
      settings_.SetGeometry(name_, window->saveGeometry());
    }
    return false;
  }

 private:
  Settings& settings_;
  QString name_;
  bool restored_ = false;
};

}  // namespace

Settings::Settings()
    : store_(std::make_unique<QSettings>(QStringLiteral("Astrolattix"),
                                         QStringLiteral("Astrolattix"))) {}

Settings::Settings(const QString& file)
    : store_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

Settings::~Settings() = default;

QStringList Settings::RecentFiles() const {
  return store_->value(kRecentKey).toStringList();
}

void Settings::SetRecentFiles(const QStringList& files) {
  store_->setValue(kRecentKey, files);
  store_->sync();
}

void Settings::AddRecentFile(const QString& path) {
  const QString file = Absolute(path);
  QStringList files = RecentFiles();
  files.removeAll(file);
  files.prepend(file);
  while (files.size() > kRecentFiles) files.removeLast();
  SetRecentFiles(files);
}

void Settings::RemoveRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(Absolute(path));
  SetRecentFiles(files);
}

void Settings::ClearRecentFiles() {
  SetRecentFiles({});
}

std::optional<bool> Settings::Option(const QString& name) const {
  const QVariant value = store_->value(OptionKey(name));
  if (!value.isValid()) return std::nullopt;
  return value.toBool();
}

void Settings::SetOption(const QString& name, bool on) {
  store_->setValue(OptionKey(name), on);
  store_->sync();
}

QByteArray Settings::Geometry(const QString& window) const {
  return store_->value(GeometryKey(window)).toByteArray();
}

void Settings::SetGeometry(const QString& window, const QByteArray& geometry) {
  store_->setValue(GeometryKey(window), geometry);
  store_->sync();
}

void Settings::KeepGeometry(QWidget& window, const QString& name) {
  window.installEventFilter(new GeometryKeeper(window, *this, name));
}

}  // namespace ax
