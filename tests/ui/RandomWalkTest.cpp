// A random walk over the start form and both windows, made as the program makes them: whatever
// the user does, nothing crashes, the commands are on exactly when they may be, and no system
// or cluster file is lost or corrupted.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cluster/AtlasFile.h"
#include "io/ClusterRecord.h"
#include "io/LockFile.h"
#include "io/SystemFile.h"
#include "support/FileBytes.h"
#include "ui/Settings.h"
#include "ui/StartForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// The sanitizers run several times slower: fewer steps there. Past the budget the walk stops
// early, whatever is left.
constexpr std::uint32_t kSeeds[] = {101, 202, 303, 404, 505, 606, 707, 808, 909, 1010};
#ifdef AX_WALK_SHORT
constexpr int kSteps = 250;
#else
constexpr int kSteps = 500;
#endif
constexpr qint64 kBudgetMs = 45000;

// Every named button and menu item the user can reach is pressed now and then, these more
// often. The About boxes are modal and the start form's Exit ends the program: left out.
// clang-format off
const std::map<QString, int> kWeights = {
    {"JumpButton", 3}, {"ClusterJumpButton", 10}, {"SurveyButton", 2}, {"SystemMenuFileSaveAs", 2},
    {"SystemMenuFileExit", 2}, {"ClusterMenuFileNewCluster", 3}, {"ClusterControl", 2},
    {"SystemMenuHelpAbout", 0}, {"ClusterMenuHelpAbout", 0}, {"ExitButton", 0}};
// The forms and windows whose boxes the walk fills in before it presses one of their buttons,
// and the drawings it clicks.
const char* const kForms[] = {"NamingForm", "DeliberateSystem", "IncompleteSystem",
    "ClusterGeneration", "ControlPanel", "ClusterDisplay", "SysDisScreen", "ClusDisScreen"};
// Texts for a box by a part of its name; a quarter of the time one that every box refuses or
// corrects. Cluster sizes stay small, so that each generation is quick.
const std::pair<const char*, const char*> kTexts[] = {
    {"Name", "Sol|Alpha Centauri|A&B|C:/x\\y"}, {"Mass", "1|0.8|2.5|0.3|1e400"},
    {"Temp", "5800|4000|9000|3200|99999999"}, {"Lumn", "1|0.5|20|0.01"},
    {"Type", "G2V|K5V|M3V|F0IV|B2III|G 2 V"}, {"Magn", "4.83|6.5|-1|10"},
    {"Sep", "40|5|0.2|300"}, {"Age", "4.5|1|9"}, {"Period", "100|2|5000"},
    {"Density", "1|2|3|5|20|99999999"}, {"ClusterSize", "4|6|8|10|12"},
    {"", "5|-3|50.00|6.5|2|0.5|45|2100|1e9"}};
const QStringList kBad = {"", "abc", "-1", "0", "******", " 7 x"};

// The system window's commands, each on exactly when the controller says so.
using E = EnabledCommands;
const std::pair<const char*, bool E::*> kShows[] = {
    {"SurveyButton", &E::survey}, {"JumpButton", &E::jump}, {"ModeButton2", &E::graphical},
    {"ModeButton", &E::symbolic}, {"WorldButton", &E::world}, {"LeftScroll", &E::scrolls},
    {"SystemMenuFileOpen", &E::open}, {"SystemMenuFileSaveAs", &E::saveAs},
    {"SystemMenuEditUndoSystem", &E::undo}, {"SystemMenuEditSystemName", &E::systemName},
    {"SystemMenuEditPlanetName", &E::planetName}, {"SystemMenuGenerateIncomplete", &E::generate},
    {"SystemMenuEditSeedInNote", &E::seedInNote}, {"SystemMenuFileExportImage", &E::exportImage},
    {"SystemMenuFileExportReport", &E::exportReport}, {"SystemMenuEditCopyReport", &E::copyReport},
    {"SystemMenuEditRerollWorld", &E::editWorld}, {"SystemMenuEditAddWorld", &E::addWorld},
    {"SystemMenuEditRerollUnlocked", &E::rerollUnlocked}};
// clang-format on

QString Path(const fs::path& file) {
  return QString::fromStdString(file.string());
}

// A widget the user can use, or a menu item of a shown window in no disabled menu.
bool Reachable(const QObject* object, const QWidget* window = nullptr) {
  if (const auto* widget = qobject_cast<const QWidget*>(object)) {
    return widget->isVisible() && widget->isEnabled();
  }
  const auto* item = qobject_cast<const QAction*>(object);
  const auto menus = item->associatedObjects();
  return window->isVisible() && item->isEnabled() && item->isVisible() &&
         std::none_of(menus.begin(), menus.end(), [](const QObject* owner) {
           const auto* menu = qobject_cast<const QMenu*>(owner);
           return menu != nullptr && !menu->isEnabled();
         });
}

// Every file under the folder, byte for byte.
using FolderImage = std::map<fs::path, std::string>;
FolderImage TakeImage(const fs::path& folder) {
  FolderImage image;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    // An atlas being made is not a file until it is renamed into place whole.
    if (entry.is_regular_file() && entry.path().extension() != ".part")
      image[entry.path()] = test::FileBytes(entry.path());
  }
  return image;
}

// The star whose system the system window shows, in its cluster file (canonical).
using Visit = std::pair<fs::path, std::int32_t>;

// One run of the program as its main function makes it, in a fresh folder made the current
// directory with a good and a damaged system file in it, its settings beside that folder, and
// the user's dialogs answered at random.
class Walk {
  std::size_t Roll(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  bool Chance(std::size_t percent) { return Roll(100) < percent; }
  template <typename List>
  auto& Pick(List& list) {
    return *std::next(std::begin(list), static_cast<std::ptrdiff_t>(Roll(std::size(list))));
  }

 public:
  explicit Walk(std::uint32_t seed) : rng_(seed), random_(seed) {
    EXPECT_TRUE(inFolder_);
    auto pair = std::make_unique<World>();
    test::BuildPair(*pair);
    const std::string bytes = EncodeSystem(*pair);
    test::PutFile(folder_ / "walk-pair.ax2", bytes);
    test::PutFile(folder_ / "walk-broken.ax2", bytes.substr(0, bytes.size() / 2));
    system_.UseSettings(settings_);
    cluster_.UseSettings(settings_);
    start_.AttachSystemWindow(&system_);
    start_.AttachClusterWindow(&cluster_);
    start_.show();

    const auto file = [this](const FileDialogRequest& request) { return AnswerFile(request); };
    const auto size = [this](QSize) -> std::optional<QSize> {
      if (Chance(20)) return std::nullopt;
      return QSize(16 + static_cast<int>(Roll(100)), 16 + static_cast<int>(Roll(100)));
    };
    system_.ChooseFile = cluster_.ChooseFile = cluster_.ChooseImageFile = file;
    system_.ChooseImageSize = cluster_.ChooseImageSize = size;
    system_.AskSeed = [this]() -> std::optional<std::uint64_t> {
      const std::optional<std::uint64_t> seeds[] = {std::nullopt, 0, 42, ~0ULL, rng_()};
      return Pick(seeds);
    };
    cluster_.ChooseFolder = [this](const QString&) {
      const fs::path folders[] = {{}, folder_, folder_ / "sub"};
      return Path(Pick(folders));
    };
  }
  ~Walk() { QDir::setCurrent(previous_); }

  // The steps, until the first problem: then the problems and the steps that led there.
  std::string Run(const QElapsedTimer& clock);
  int jumps = 0;
  int saves = 0;

 private:
  struct Choice {
    QString name;
    int weight;
    std::function<void()> run;
  };

  void Fail(const std::string& problem) { problems_.push_back(problem); }
  QWidget* Find(const char* name) const {
    for (QWidget* window : windows_) {
      if (window->objectName() == QLatin1String(name)) return window;
      if (auto* widget = window->findChild<QWidget*>(name)) return widget;
    }
    return nullptr;
  }
  bool InStar() const { return system_.isVisible() && world_->ClusterMode != 0; }

  // What the user can do now: press a button or menu item, fill in a form or click a drawing.
  std::vector<Choice> Choices() {
    std::vector<Choice> ready;
    for (QWidget* window : windows_) {
      for (QObject* object : window->findChildren<QObject*>()) {
        auto* item = qobject_cast<QAction*>(object);
        auto* button = qobject_cast<QAbstractButton*>(object);
        const QString name = object->objectName();
        // Qt's own parts are named from "qt_" or "_q_".
        const int weight = kWeights.contains(name) ? kWeights.at(name) : 1;
        if ((item == nullptr && button == nullptr) || name.isEmpty() || name.startsWith('_') ||
            name.startsWith(QLatin1String("qt_")) || weight == 0 || !Reachable(object, window)) {
          continue;
        }
        ready.push_back({name, weight, [item, button] {
                           if (item != nullptr) item->trigger();
                           if (button != nullptr) button->click();
                         }});
      }
    }
    for (const char* name : kForms) {
      const bool drawing = QLatin1String(name).endsWith(QLatin1String("Screen"));
      if (QWidget* form = Find(name); form != nullptr && Reachable(form)) {
        ready.push_back({name, 2, [this, form, drawing] { drawing ? Click(form) : Fill(form); }});
      }
    }
    return ready;
  }

  // Fills in a form as a user might: some of its options and spin arrows clicked, each shown
  // box given a text, and then, most of the time, one of its buttons pressed.
  void Fill(QWidget* form) {
    for (QAbstractButton* option : form->findChildren<QAbstractButton*>()) {
      if (!qobject_cast<QPushButton*>(option) && Reachable(option) && Chance(30)) option->click();
    }
    for (QLineEdit* box : form->findChildren<QLineEdit*>()) {
      if (!Reachable(box)) continue;
      const auto* texts = std::find_if(std::begin(kTexts), std::end(kTexts), [box](auto& row) {
        return box->objectName().contains(QLatin1String(row.first));
      });
      const QStringList good = QString::fromLatin1(texts->second).split('|');
      box->setText(Chance(25) ? Pick(kBad) : Pick(good));
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      if (Chance(20)) QCoreApplication::sendEvent(box, &enter);
    }
    QList<QPushButton*> buttons = form->findChildren<QPushButton*>();
    buttons.removeIf([](const QPushButton* button) { return !Reachable(button); });
    if (!buttons.isEmpty() && Chance(80)) Pick(buttons)->click();
  }

  void Click(QWidget* area) {
    QPointF at(static_cast<double>(Roll(static_cast<std::size_t>(area->width()))),
               static_cast<double>(Roll(static_cast<std::size_t>(area->height()))));
    // Mostly at a star, as a user picks one: a click selects only within a few pixels of one.
    const auto* screen = qobject_cast<ClusterScreen*>(area);
    if (screen != nullptr && !cluster_.Drawn().empty() && Chance(70)) {
      const CanvasPoint place = StarPlace(cluster_.View(), Pick(cluster_.Drawn()), false);
      at = screen->AreaPoint(place.x, place.y);
    }
    for (const auto& [type, held] : {std::pair(QEvent::MouseButtonPress, Qt::LeftButton),
                                     std::pair(QEvent::MouseButtonRelease, Qt::NoButton)}) {
      QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
      QCoreApplication::sendEvent(area, &event);
    }
  }

  // A file dialog's answer: cancelled, a new name with or without its extension, or a file of
  // the folder (of the type asked for, when saving). Every dialog must offer a file type.
  QString AnswerFile(const FileDialogRequest& request) {
    const QString type = request.defaultExtension;
    if (type.isEmpty() || !request.filter.contains("*." + type, Qt::CaseInsensitive)) {
      Fail("a file dialog offers no file type: \"" + request.filter.toStdString() + "\"");
    }
    const QString name = QStringLiteral("/walk%1").arg(++names_);
    QStringList answers = {QString(), Path(folder_) + name, Path(folder_) + name + "." + type,
                           Path(folder_ / "sub") + name + "." + type};
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      const QString file = Path(entry.path());
      if (entry.is_regular_file() && (!request.save || QFileInfo(file).suffix() == type)) {
        answers << file;
      }
    }
    const QString answer = Pick(answers);
    chosen_ =
        answer.isEmpty() || !QFileInfo(answer).suffix().isEmpty() ? answer : answer + "." + type;
    return answer;
  }

  // What a step did wrong to the folder: a file lost, a system file written that does not
  // read, a cluster file resized, a record changed other than the one of the star just left
  // (which must stay that star, marked kept), or a kept record whose system file is missing.
  void CheckFolder(const FolderImage& before, const FolderImage& after,
                   const std::optional<Visit>& left) {
    const auto recordAt = [](const std::string& bytes, std::size_t at) {
      return ClusterRecordView(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at).Decode();
    };
    for (const auto& [file, bytes] : before) {
      // The locks beside a system go when it is saved with none.
      if (!after.contains(file) && file.extension() != ".locks") {
        Fail(file.filename().string() + " is gone");
      }
    }
    for (const auto& [file, bytes] : after) {
      const std::string name = file.filename().string() + ": ";
      const auto old = before.find(file);
      const QString type = QFileInfo(Path(file)).suffix().toLower();
      if (old != before.end() && old->second == bytes) continue;
      if (type == "csv" && !ReadAtlasFile(file)) Fail(name + "written and does not read");
      if (type == "locks") {
        fs::path system = file;
        try {
          ReadLocks(system.replace_extension());
        } catch (const SystemFileError& error) {
          Fail(name + "written and does not read: " + error.Reason());
        }
      } else if (type != "axl" && !QStringList{"png", "svg", "md", "html", "csv"}.contains(type)) {
        try {
          auto world = std::make_unique<World>();
          SystemFileReader().Read(file, *world);
        } catch (const SystemFileError& error) {
          Fail(name + "written and does not read: " + error.Reason());
        }
      }
      if (type != "axl") continue;
      if (old != before.end() && old->second.size() != bytes.size()) Fail(name + "resized");
      for (std::size_t at = 0; at + kClusterRecordBytes <= bytes.size(); at += kClusterSlotBytes) {
        const ClusterRecord now = recordAt(bytes, at);
        const std::string record = name + "record " + std::to_string(now.RecordNumber);
        if (now.SystemKept != 0 && !after.contains(file.parent_path() / now.FileName)) {
          Fail(record + " is kept in " + now.FileName + ", which is missing");
        }
        if (old == before.end() || old->second.size() != bytes.size() ||
            old->second.compare(at, kClusterSlotBytes, bytes, at, kClusterSlotBytes) == 0) {
          continue;
        }
        const ClusterRecord was = recordAt(old->second, at);
        if (left != Visit(fs::weakly_canonical(file), was.RecordNumber)) {
          Fail(record + " changed, and it is not the star just left");
        } else if (now.RecordNumber != was.RecordNumber || now.StarCount != was.StarCount ||
                   now.SystemKept != 1 || now.X != was.X || now.Y != was.Y || now.Z != was.Z ||
                   now.Stars[0].Mass != was.Stars[0].Mass ||
                   now.Stars[1].Mass != was.Stars[1].Mass) {
          Fail(record + " of the star just left is not that star, marked kept");
        }
      }
    }
  }

  // The enabling rules, and nothing written outside the folder.
  void CheckCommands() {
    const EnabledCommands on = system_.Commands().Enabled();
    for (const auto& [name, rule] : kShows) {
      const QObject* command = system_.findChild<QObject*>(name);
      if (system_.isVisible() && command->property("enabled").toBool() != on.*rule) {
        Fail(std::string(name) + " is not as the controller says");
      }
    }
    // Nothing may put another system in a cluster star's place until JUMP leads back.
    for (const char* name :
         {"SystemMenuEditUndoSystem", "SystemMenuFileOpen", "SystemMenuGenerateRandom"}) {
      if (InStar() && Reachable(system_.findChild<QAction*>(name), &system_)) {
        Fail(name + std::string(" is on in a star"));
      }
    }
    if (InStar() && !Reachable(Find("JumpButton"))) Fail("JUMP, the way back, is off in a star");
    for (const char* name : {"ClusterMenuFileNewCluster", "ClusterMenuFileOpen"}) {
      if (cluster_.JumpActive() && cluster_.findChild<QAction*>(name)->isEnabled()) {
        Fail(name + std::string(" is on while a star is visited"));
      }
    }
    for (const auto& entry : fs::directory_iterator(root_)) {
      const std::string name = entry.path().filename().string();
      if (name != "work" && name != "settings.ini") Fail("written outside the folder: " + name);
    }
  }

  std::mt19937 rng_;
  QString previous_ = QDir::currentPath();
  QTemporaryDir rootDir_;
  fs::path root_ = fs::canonical(rootDir_.path().toStdString());
  fs::path folder_ = root_ / "work";
  // The windows take the current directory as they are made, so it is the walk's before them.
  bool inFolder_ = fs::create_directories(folder_ / "sub") && QDir::setCurrent(Path(folder_));
  std::unique_ptr<World> world_ = std::make_unique<World>();
  Random random_;  // seeded, where the program's is clock-seeded: a seed's walk repeats
  ClusterHandoff handoff_{*world_};
  Settings settings_{Path(root_ / "settings.ini")};
  SystemDisplay system_{*world_, random_, handoff_};
  ClusterDisplay cluster_{*world_, random_, handoff_};
  StartForm start_;
  const std::vector<QWidget*> windows_{&start_, &system_, &cluster_};
  std::string log_;
  std::vector<std::string> problems_;  // what the step broke
  QString chosen_;                     // the last file dialog's path, with its extension
  int names_ = 0;
  std::optional<Visit> visit_;
};

std::string Walk::Run(const QElapsedTimer& clock) {
  FolderImage before = TakeImage(folder_);
  for (int step = 0; step < kSteps && clock.elapsed() < kBudgetMs; ++step) {
    // The user sees each menu as it opens; some of its items are filled in only then.
    for (QWidget* window : windows_) {
      for (QMenu* menu : window->findChildren<QMenu*>()) emit menu->aboutToShow();
    }
    const std::vector<Choice> ready = Choices();
    std::vector<int> weights;
    for (const Choice& choice : ready) weights.push_back(choice.weight);
    if (ready.empty()) return "nothing can be done after" + log_;
    const Choice& choice =
        ready[std::discrete_distribution<std::size_t>(weights.begin(), weights.end())(rng_)];
    chosen_.clear();
    choice.run();
    log_ += "\n  " + std::to_string(step) + " " + choice.name.toStdString();
    // A Save As that took wrote the system on screen, byte for byte. Checked before the repaint,
    // which gives the shown body its default name once the system has taken the file's name.
    if (choice.name == "SystemMenuFileSaveAs" && !chosen_.isEmpty() &&
        world_->SystemFilePath == chosen_.toStdString()) {
      ++saves;
      if (test::FileBytes(chosen_.toStdString()) != EncodeSystem(*world_)) Fail("saved amiss");
    }
    QCoreApplication::processEvents();  // what the step posted, as the event loop would run it
    if (!test::FinishGeneration(cluster_)) Fail("a small cluster is still being made");

    // A visit ends, whichever way, in the step that leaves the star.
    std::optional<Visit> left;
    if (visit_ && !InStar()) left = std::exchange(visit_, std::nullopt);
    FolderImage after = TakeImage(folder_);
    CheckFolder(before, after, left);
    CheckCommands();
    if (!visit_ && InStar()) {
      visit_ = Visit(fs::weakly_canonical(cluster_.ClusterFilePath()), cluster_.SelectedRecord());
      ++jumps;
    }
    if (!problems_.empty()) {
      std::string report = "step " + std::to_string(step) + ":";
      for (const std::string& problem : problems_) report += "\n  " + problem;
      return report + "\nsteps:" + log_;
    }
    before = std::move(after);
  }
  return {};
}

TEST(RandomWalk, NoCommandLosesOrCorruptsAFileOrBreaksTheEnablingRules) {
  QElapsedTimer clock;
  clock.start();
  int jumps = 0;
  int saves = 0;
  for (const std::uint32_t seed : kSeeds) {
    if (clock.elapsed() >= kBudgetMs) break;
    Walk walk(seed);
    const std::string problems = walk.Run(clock);
    EXPECT_TRUE(problems.empty()) << "seed " << seed << ", " << problems;
    jumps += walk.jumps;
    saves += walk.saves;
  }
  // A walk that never reaches a star or a save would check little of the above.
  EXPECT_GT(jumps, 0);
  EXPECT_GT(saves, 0);
}

}  // namespace
}  // namespace ax
