#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;
class QWidget;

namespace ax {

// What the program remembers between runs: the last system files, the windows' places and
// sizes, and the options of the system window.
class Settings {
 public:
  static constexpr int kRecentFiles = 8;  // files kept on the Open Recent list

  // The user's own settings, under organization and application "Astrolattix".
  Settings();
  // Settings kept in this INI file alone: tests never reach the user's own.
  explicit Settings(const QString& file);
  ~Settings();
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  // Absolute paths, the most recent first.
  QStringList RecentFiles() const;
  // Puts the file at the front, once, and drops what falls beyond the last place.
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(const QString& path);
  void ClearRecentFiles();

  // A check mark of the Options menu; nothing when it was never saved.
  std::optional<bool> Option(const QString& name) const;
  void SetOption(const QString& name, bool on);

  QByteArray Geometry(const QString& window) const;
  void SetGeometry(const QString& window, const QByteArray& geometry);

  // Gives the window its saved place and size when it is first shown, and saves them each
  // time it is hidden or closed.
  void KeepGeometry(QWidget& window, const QString& name);

 private:
  void SetRecentFiles(const QStringList& files);

  std::unique_ptr<QSettings> store_;
};

}  // namespace ax
