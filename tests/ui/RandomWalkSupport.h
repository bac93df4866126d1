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
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "io/ClusterRecord.h"
#include "io/SystemFile.h"
#include "ui/ClusterDisplay.h"
#include "ui/Settings.h"
#include "ui/StartForm.h"
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

inline std::string Extension(const fs::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

inline bool IsClusterFile(const fs::path& file) {
  return Extension(file) == ".axl";
}

// Why a system file does not read with the program's reader; empty when it reads.
inline std::string SystemFileProblem(const fs::path& file) {
  try {
    auto world = std::make_unique<World>();
    SystemFileReader().Read(file, *world);
  } catch (const SystemFileError& error) {
    return error.Reason();
  }
  return {};
}

// A cluster star whose system the system window shows.
struct Visit {
  fs::path Cluster;  // canonical
  std::int32_t Record = 0;
};

// What is wrong with the record a return wrote over the star's earlier one.
inline std::string Unsound(const ClusterRecord& was, const ClusterRecord& now,
                           const fs::path& folder) {
  if (now.RecordNumber != was.RecordNumber || now.StarCount != was.StarCount) {
    return "its number or star count changed";
  }
  if (now.SystemKept != 1) return "it is not marked kept";
  if (now.X != was.X || now.Y != was.Y || now.Z != was.Z || now.VectorX != was.VectorX ||
      now.VectorY != was.VectorY || now.VectorZ != was.VectorZ) {
    return "the star moved";
  }
  if (now.Stars[0].Mass != was.Stars[0].Mass || now.Stars[1].Mass != was.Stars[1].Mass) {
    return "a star's mass changed";
  }
  return SystemFileProblem(folder / now.FileName);
}

// The folder after a step against the folder before it: nothing is lost, every system file
// written reads, every kept record names a system file that is there, and only the record of
// `returned`, the star the step came back from, may change, into a sound kept record.
inline std::vector<std::string> CheckFolder(const FolderImage& before, const FolderImage& after,
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
    if (!IsClusterFile(file)) {
      const std::string extension = Extension(file);
      const bool picture = extension == ".png" || extension == ".svg" || extension == ".md" ||
                           extension == ".html";
      if ((old == before.end() || old->second != bytes) && !picture) {
        if (const std::string problem = SystemFileProblem(file); !problem.empty()) {
          fail(file, "written and does not read: " + problem);
        }
      }
      continue;
    }
    const auto* now = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t at = 0; at + kClusterRecordBytes <= bytes.size(); at += kClusterSlotBytes) {
      const std::string record = "record " + std::to_string(at / kClusterSlotBytes + 1);
      const ClusterRecordView view(now + at);
      // A kept system is read back above whenever it is written.
      const fs::path kept = file.parent_path() / std::string(view.FileName());
      if (view.SystemKept() != 0 && after.count(kept) == 0) {
        fail(file, record + " is kept in " + kept.filename().string() + ", which is missing");
      }
      if (old == before.end()) continue;
      if (old->second.size() != bytes.size()) {
        fail(file, "its size changed");
        break;
      }
      if (old->second.compare(at, kClusterSlotBytes, bytes, at, kClusterSlotBytes) == 0) continue;
      const bool visited = returned && fs::weakly_canonical(file) == returned->Cluster &&
                           view.RecordNumber() == returned->Record;
      const auto* was = reinterpret_cast<const std::uint8_t*>(old->second.data()) + at;
      if (!visited) {
        fail(file, record + " changed, and it is not the star just visited");
      } else if (const std::string wrong = Unsound(ClusterRecordView(was).Decode(), view.Decode(),
                                                   file.parent_path());
                 !wrong.empty()) {
        fail(file, record + " of the star just visited was rewritten unsound: " + wrong);
      }
    }
  }
  return problems;
}

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
  const auto owners = action->associatedObjects();
  return std::none_of(owners.begin(), owners.end(), [](QObject* owner) {
    auto* menu = qobject_cast<QMenu*>(owner);
    return menu != nullptr && !menu->isEnabled();
  });
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
    system = std::make_unique<SystemDisplay>(*world, random, handoff);
    cluster = std::make_unique<ClusterDisplay>(*world, random, handoff);
    system->UseSettings(*settings);
    cluster->UseSettings(*settings);
    start = std::make_unique<StartForm>();
    start->AttachSystemWindow(system.get());
    start->AttachClusterWindow(cluster.get());
    start->show();
  }
  ~Program() {
    start.reset();
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
  ClusterHandoff handoff{*world};
  std::unique_ptr<Settings> settings;
  std::unique_ptr<SystemDisplay> system;
  std::unique_ptr<ClusterDisplay> cluster;
  std::unique_ptr<StartForm> start;
};

}  // namespace ax::test
