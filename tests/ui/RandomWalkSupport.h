#pragma once

// The rig of the random walk over the windows: the program made as its main function makes
// it, the events a user sends, and the checks of the folder's files before and after a step,
// record by record for cluster files and read back for system files.

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "io/ClusterRecord.h"
#include "io/SystemFile.h"
#include "model/Random.h"
#include "model/World.h"
#include "ui/AXSplash.h"
#include "ui/ClusterDisplay.h"
#include "ui/Settings.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemWindowSupport.h"

namespace ax::test {

namespace fs = std::filesystem;

// Every file under a folder, byte for byte.
using FolderImage = std::map<fs::path, std::string>;

inline FolderImage TakeImage(const fs::path& folder) {
  FolderImage image;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    image[entry.path()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return image;
}

inline std::string LowerExtension(const fs::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

inline bool IsClusterFile(const fs::path& file) {
  return LowerExtension(file) == ".axl";
}

// Pictures and reports: what the windows write that is neither a system nor a cluster.
inline bool IsExportFile(const fs::path& file) {
  const std::string extension = LowerExtension(file);
  return extension == ".png" || extension == ".svg" || extension == ".md" || extension == ".html";
}

// Why a system file does not read with the program's reader; empty when it reads.
inline std::string SystemFileProblem(const fs::path& file, World& into) {
  try {
    SystemFileReader().Read(file, into);
  } catch (const SystemFileError& error) {
    return error.Reason();
  }
  return {};
}

// The first key field in which the system read from a file differs from the one shown.
inline std::string SystemDifference(const World& shown, const World& read) {
  if (shown.StarCount != read.StarCount) return "star count";
  if (shown.SystemName != read.SystemName) return "system name";
  for (int s = 0; s < kStarSlots; ++s) {
    const auto star = static_cast<std::size_t>(s);
    if (s >= 1 && s <= shown.StarCount && shown.StarMass[star] != read.StarMass[star]) {
      return "star mass";
    }
    if (shown.OrbitCount[star] != read.OrbitCount[star]) return "orbit count";
    for (int o = 0; o <= std::min<int>(shown.OrbitCount[star], kOrbitSlots - 1); ++o) {
      const int moons = shown.MoonCount[star][static_cast<std::size_t>(o)];
      for (int b = 0; b <= std::min(moons, kBodySlots - 1); ++b) {
        if (shown.BodyClass(s, o, b) != read.BodyClass(s, o, b)) return "body class";
      }
    }
  }
  return {};
}

// The number of complete records: a last slot of 124 to 127 bytes counts.
inline std::size_t RecordCount(const std::string& bytes) {
  return (bytes.size() + kClusterSlotBytes - kClusterRecordBytes) / kClusterSlotBytes;
}

// Record `index + 1`, which must be complete.
inline ClusterRecordView RecordAt(const std::string& bytes, std::size_t index) {
  return ClusterRecordView(reinterpret_cast<const std::uint8_t*>(bytes.data()) +
                           index * kClusterSlotBytes);
}

// A cluster star whose system the system window shows.
struct Visit {
  fs::path Cluster;  // canonical
  std::int32_t Record = 0;
};

// Compares the folder after a step with the folder before it. Only the record of `returned`,
// the star the step came back from, may change, and then into a sound kept record.
class FolderChecker {
 public:
  std::vector<std::string> Check(const FolderImage& before, const FolderImage& after,
                                 const std::optional<Visit>& returned) {
    std::vector<std::string> problems;
    const auto fail = [&](const fs::path& file, const std::string& what) {
      problems.push_back(file.filename().string() + ": " + what);
    };
    for (const auto& [file, bytes] : before) {
      if (after.count(file) == 0) fail(file, "the file is gone");
    }
    for (const auto& [file, bytes] : after) {
      const auto old = before.find(file);
      const bool changed = old == before.end() || old->second != bytes;
      if (IsClusterFile(file)) {
        if (old != before.end()) CompareRecords(file, old->second, bytes, returned, fail);
        CheckKeptRecords(file, bytes, after, fail);
      } else if (changed && !IsExportFile(file)) {
        const std::string problem = Readable(file, bytes);
        if (!problem.empty()) fail(file, "written and does not read: " + problem);
      }
    }
    return problems;
  }

 private:
  using Fail = std::function<void(const fs::path&, const std::string&)>;

  void CompareRecords(const fs::path& file, const std::string& was, const std::string& now,
                      const std::optional<Visit>& returned, const Fail& fail) {
    if (was.size() != now.size()) {
      fail(file, "its size went from " + std::to_string(was.size()) + " to " +
                     std::to_string(now.size()) + " bytes");
      return;
    }
    const bool visited = returned && fs::weakly_canonical(file) == returned->Cluster;
    for (std::size_t i = 0; i * kClusterSlotBytes < now.size(); ++i) {
      const std::size_t length = std::min(kClusterSlotBytes, now.size() - i * kClusterSlotBytes);
      if (was.compare(i * kClusterSlotBytes, length, now, i * kClusterSlotBytes, length) == 0) {
        continue;
      }
      const std::string record = "record " + std::to_string(i + 1);
      if (!visited || static_cast<std::int32_t>(i + 1) != returned->Record) {
        fail(file, record + " changed, and it is not the star just visited");
      } else if (const std::string wrong =
                     Unsound(RecordAt(was, i).Decode(), RecordAt(now, i).Decode(), file);
                 !wrong.empty()) {
        fail(file, record + " of the star just visited was rewritten unsound: " + wrong);
      }
    }
  }

  // What is wrong with the record a return wrote over the star's earlier one.
  std::string Unsound(const ClusterRecord& was, const ClusterRecord& now, const fs::path& file) {
    if (now.RecordNumber != was.RecordNumber) return "its number changed";
    if (now.SystemKept != 1) return "it is not marked kept";
    if (now.X != was.X || now.Y != was.Y || now.Z != was.Z) return "the star moved";
    if (now.VectorX != was.VectorX || now.VectorY != was.VectorY || now.VectorZ != was.VectorZ) {
      return "its motion changed";
    }
    if (now.StarCount != was.StarCount) return "its star count changed";
    for (std::size_t s = 0; s < 2; ++s) {
      if (now.Stars[s].Mass != was.Stars[s].Mass) return "a star's mass changed";
    }
    auto kept = std::make_unique<World>();
    const std::string problem = SystemFileProblem(file.parent_path() / now.FileName, *kept);
    if (!problem.empty()) return "its kept system does not read: " + problem;
    if (kept->StarCount != now.StarCount) return "its kept system has other stars";
    return {};
  }

  void CheckKeptRecords(const fs::path& file, const std::string& bytes, const FolderImage& after,
                        const Fail& fail) {
    for (std::size_t i = 0; i < RecordCount(bytes); ++i) {
      if (RecordAt(bytes, i).SystemKept() == 0) continue;
      const fs::path kept = file.parent_path() / RecordAt(bytes, i).Decode().FileName;
      const auto found = after.find(kept);
      const std::string record = "record " + std::to_string(i + 1) + " is kept in " +
                                 kept.filename().string() + ", which ";
      if (found == after.end()) {
        fail(file, record + "is missing");
      } else if (const std::string problem = Readable(kept, found->second); !problem.empty()) {
        fail(file, record + "does not read: " + problem);
      }
    }
  }

  // Reads a file once for each content it has had.
  std::string Readable(const fs::path& file, const std::string& bytes) {
    const std::size_t key = std::hash<std::string>()(bytes);
    const auto known = verdicts_.find(file);
    if (known != verdicts_.end() && known->second.first == key) return known->second.second;
    auto world = std::make_unique<World>();
    std::string problem = SystemFileProblem(file, *world);
    verdicts_[file] = {key, problem};
    return problem;
  }

  std::map<fs::path, std::pair<std::size_t, std::string>> verdicts_;
};

inline QWidget* Find(QWidget* parent, const QString& name) {
  return parent->findChild<QWidget*>(name);
}

inline bool Reachable(const QWidget* widget) {
  return widget != nullptr && widget->isVisible() && widget->isEnabled();
}

// An action the user can choose: enabled, shown, in a shown window and in enabled menus.
inline bool Reachable(const QWidget& window, QAction* action) {
  if (action == nullptr || !window.isVisible() || !action->isEnabled() || !action->isVisible()) {
    return false;
  }
  for (QObject* owner : action->associatedObjects()) {
    auto* menu = qobject_cast<QMenu*>(owner);
    if (menu != nullptr && !menu->isEnabled()) return false;
  }
  return true;
}

inline void Send(QWidget* target, QEvent::Type type, QPointF at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

inline void Send(QWidget* target, QEvent::Type type, int key) {
  QKeyEvent event(type, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

inline void Settle(qint64 ms = 0) {
  QElapsedTimer timer;
  timer.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (timer.elapsed() < ms);
}

inline QString Path(const fs::path& file) {
  return QString::fromStdString(file.string());
}

// The names the walk and the program give files, looked for where nothing may be written.
inline std::set<std::string> WalkNamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("walk", 0) == 0 || name == "undone.bak" || name == "settings.ini" ||
        IsClusterFile(name)) {
      names.insert(name);
    }
  }
  return names;
}

// One run of the program as its main function makes it, in a fresh folder made the current
// directory, with its settings in a file beside that folder.
struct Program {
  explicit Program(std::uint32_t seed) : random(seed) {
    root = fs::canonical(rootDir.path().toStdString());
    folder = root / "work";
    fs::create_directories(folder / "walk-sub");
    QDir::setCurrent(Path(folder));
    // A good system file and a damaged one for the Open dialogs to offer.
    auto pair = std::make_unique<World>();
    BuildPair(*pair);
    WriteSystemFile(*pair, folder / "walk-pair.ax2");
    const std::string bytes = EncodeSystem(*pair);
    std::ofstream(folder / "walk-broken.ax2", std::ios::binary)
        << bytes.substr(0, bytes.size() / 2);

    settings = std::make_unique<Settings>(Path(root / "settings.ini"));
    system = std::make_unique<SystemDisplay>(*world, random);
    cluster = std::make_unique<ClusterDisplay>(*world, random, *system);
    system->UseSettings(*settings);
    cluster->UseSettings(*settings);
    splash = std::make_unique<AXSplash>();
    splash->AttachSystemWindow(system.get());
    splash->AttachClusterWindow(cluster.get());
    splash->show();
  }
  ~Program() {
    splash.reset();
    cluster.reset();
    system.reset();
    QDir::setCurrent(previous);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  QString previous = QDir::currentPath();
  std::set<std::string> outsideNames = WalkNamesIn(previous.toStdString());
  QTemporaryDir rootDir;
  fs::path root;
  fs::path folder;
  std::unique_ptr<World> world = std::make_unique<World>();
  Random random;  // seeded, where the program's is clock-seeded: a seed's walk repeats
  std::unique_ptr<Settings> settings;
  std::unique_ptr<SystemDisplay> system;
  std::unique_ptr<ClusterDisplay> cluster;
  std::unique_ptr<AXSplash> splash;
};

}  // namespace ax::test
