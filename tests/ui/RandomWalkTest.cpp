// A random walk over the start form, the system window and the cluster window, made as the
// program makes them: whatever the user does, no system or cluster file is lost or corrupted.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/World.h"
#include "ui/RandomWalkSupport.h"
#include "ui/SystemDisplay.h"

namespace ax {
namespace {

namespace fs = std::filesystem;
using test::Find;
using test::Path;
using test::Program;
using test::Reachable;
using test::Send;
using test::Settle;

// The sanitizers run several times slower: fewer seeds and steps there.
#ifdef AX_WALK_SHORT
constexpr std::uint32_t kSeeds[] = {101, 202, 303, 404};
constexpr int kSteps = 250;
constexpr qint64 kBudgetMs = 30000;  // past this the walk stops early, whatever is left
#else
constexpr std::uint32_t kSeeds[] = {101, 202, 303, 404, 505, 606, 707, 808, 909, 1010};
constexpr int kSteps = 500;
constexpr qint64 kBudgetMs = 45000;
#endif
constexpr qint64 kGenerationMs = 20000;  // the longest a small cluster may take

// Texts for the boxes of the forms; a quarter of the time one of kBad, which every box refuses
// or corrects. Cluster sizes stay small, kBad included, so that each generation is quick.
using Texts = std::span<const char* const>;
const char* const kBad[] = {"", "abc", "-1", "0", "******", " 7 x"};
const char* const kNames[] = {"Sol", "Star", "Alpha Centauri", "A&B", "C:/x\\y", "Walk"};
const char* const kMasses[] = {"1", "0.8", "2.5", "0.3", "1e400"};
const char* const kTemps[] = {"5800", "4000", "9000", "3200", "99999999"};
const char* const kLumns[] = {"1", "0.5", "20", "0.01"};
const char* const kSeps[] = {"40", "5", "0.2", "300"};
const char* const kAges[] = {"4.5", "1", "9"};
const char* const kTypes[] = {"G2V", "K5V", "M3V", "F0IV", "B2III", "G 2 V"};
const char* const kMagns[] = {"4.83", "6.5", "-1", "10"};
const char* const kPeriods[] = {"100", "2", "5000"};
const char* const kCells[] = {"5", "-3", "50.00", "6.5", "3", "1e9"};
const char* const kViewTexts[] = {"2", "0.5", "45", "-30", "2100"};
const char* const kSizes[] = {"4", "6", "8", "10", "12"};
const char* const kDensities[] = {"1", "2", "3", "5", "20", "99999999"};

// A form the walk fills in: one button of each group clicked, each shown box typed into, then
// the first finishing button, or now and then another.
struct FormFill {
  const char* form;
  std::vector<std::vector<const char*>> groups;
  std::vector<std::pair<const char*, Texts>> boxes;
  std::vector<const char*> finish;
};

const FormFill kNaming{"NamingForm", {}, {{"NameText", kNames}}, {"OK", "Cancel"}};
const FormFill kDeliberate{"DeliberateSystem",
                           {{"SingleStarOption", "BinaryStarOption"}},
                           {{"SystemNameText", kNames},
                            {"StarAMassText", kMasses},
                            {"StarATempText", kTemps},
                            {"StarALumnText", kLumns},
                            {"StarBMassText", kMasses},
                            {"StarBTempText", kTemps},
                            {"StarBLumnText", kLumns},
                            {"SeparationText", kSeps},
                            {"AgeText", kAges}},
                           {"DeliberateGenerateButton", "DeliberateCancelButtton"}};
const FormFill kIncomplete{
    "IncompleteSystem",
    {{"SingleStarOption", "BinaryStarOption"},
     {"KnownSepOption", "PeriodSepOption", "CloseSepOption", "UnknownSepOption"}},
    {{"SystemNameText", kNames},
     {"StarATypeText", kTypes},
     {"StarAMagnText", kMagns},
     {"StarBTypeText", kTypes},
     {"StarBMagnText", kMagns},
     {"KnownSepText", kSeps},
     {"KnownPeriodText", kPeriods}},
    {"IncompleteGenerateButton", "IncompleteCancelButton"}};
const FormFill kGeneration{"ClusterGeneration",
                           {{"ClusterSizeSpin", "ClusterDensitySpin"},
                            {"CubeClusterShape", "SphereClusterShape", "FadingClusterShape"}},
                           {{"ClusterDensityText", kDensities}, {"ClusterSizeText", kSizes}},
                           {"ClusterGenerate", "ClusterCancel"}};
const FormFill kPanel{
    "ControlPanel",
    {{"ViewZoomSpin", "RotationXSpin", "RotationYSpin", "RotationZSpin", "StarDateSpin",
      "StarDateStopOption", "StarDateRunOption"}},
    {{"ViewZoomText", kViewTexts}, {"RotationXText", kViewTexts}, {"StarDateText", kViewTexts}},
    {"ManualExecute"}};

// The About boxes are left out: they are modal and cannot be answered by the walk.
const char* const kSystemActions[] = {
    "SystemMenuFileOpen",          "SystemMenuFileOpenRecentClear", "SystemMenuFileExportImage",
    "SystemMenuFileExportReport",  "SystemMenuEditUndoSystem",      "SystemMenuEditSystemName",
    "SystemMenuEditPlanetName",    "SystemMenuEditSeedInNote",      "SystemMenuEditCopyReport",
    "SystemMenuOptionsAutoSurvey", "SystemMenuOptionsEnableUndo",   "SystemMenuGenerateRandom",
    "SystemMenuGenerateFromSeed",  "SystemMenuGenerateDeliberate",  "SystemMenuGenerateIncomplete",
    "SystemMenuViewControlPanel",  "SystemMenuViewOrbits",          "SystemMenuViewPlanets",
    "SystemMenuViewMoonOrbits",    "SystemMenuViewMoonPositions",   "SystemMenuHelpContents"};
const char* const kSystemButtons[] = {"ModeButton2", "ModeButton", "WorldButton", "UpScroll",
                                      "DownScroll",  "LeftScroll", "RightScroll"};
const char* const kClusterActions[] = {
    "ClusterMenuFileOpen", "ClusterMenuFileDefaultDirectory", "ClusterMenuFileExportImage",
    "ClusterMenuFileExit", "ClusterMenuViewSecondX",          "ClusterMenuHelpContents"};

class Walk {
 public:
  Walk(Program& program, std::uint32_t seed) : p_(program), rng_(seed), seed_(seed) {
    AnswerDialogs();
    AddCommands();
  }

  // The steps, until the first problem; the report then names it and the steps that led there.
  bool Run(const QElapsedTimer& clock, std::string& report);
  std::string Summary() const {
    return "seed " + std::to_string(seed_) + ": " + std::to_string(log_.size()) + " steps, " +
           std::to_string(jumps_) + " jumps into cluster stars, " + std::to_string(saves_) +
           " systems saved";
  }

 private:
  struct Command {
    std::string name;
    int weight;  // how much more often than a plain command the walk picks it
    std::function<bool()> can;
    std::function<void()> run;
  };

  std::size_t Roll(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  bool Chance(std::size_t percent) { return Roll(100) < percent; }
  QString Text(Texts good) {
    return QString::fromLatin1(Chance(25) ? kBad[Roll(std::size(kBad))] : good[Roll(good.size())]);
  }
  QString Relative(const QString& path) const {
    return QDir(Path(p_.folder)).relativeFilePath(path);
  }

  void Add(std::string name, int weight, std::function<bool()> can, std::function<void()> run) {
    commands_.push_back({std::move(name), weight, std::move(can), std::move(run)});
  }
  void AddAction(QWidget* window, const char* name, int weight = 1,
                 std::function<void()> after = {}) {
    EXPECT_NE(window->findChild<QAction*>(name), nullptr) << name;
    Add(
        name, weight,
        [window, name] { return Reachable(*window, window->findChild<QAction*>(name)); },
        [window, name, after] {
          window->findChild<QAction*>(name)->trigger();
          if (after) after();
        });
  }
  void AddButton(QWidget* window, const char* name, int weight = 1) {
    EXPECT_NE(window->findChild<QAbstractButton*>(name), nullptr) << name;
    Add(
        name, weight, [window, name] { return Reachable(Find(window, name)); },
        [this, window, name] { Click(window, name, false); });
  }
  void AddForm(QWidget* window, const FormFill& fill, int weight,
               std::function<void()> after = {}) {
    Add(
        fill.form, weight, [window, &fill] { return Reachable(Find(window, fill.form)); },
        [this, window, &fill, after] {
          QWidget* form = Find(window, fill.form);
          for (const auto& group : fill.groups) Click(form, group[Roll(group.size())]);
          for (const auto& [box, texts] : fill.boxes) Type(form, box, Text(texts));
          Click(form, fill.finish[Chance(80) ? 0 : Roll(fill.finish.size())]);
          if (after) after();
        });
  }
  // Types into a box, as the user can only where the box is shown.
  void Type(QWidget* parent, const char* box, const QString& text) {
    auto* edit = parent->findChild<QLineEdit*>(box);
    if (!Reachable(edit)) return;
    edit->setText(text);
    note_ += " " + std::string(box) + "=\"" + text.toStdString() + "\"";
  }
  // Clicks a shown button of that name; a named spin has two arrows without names of their own.
  void Click(QWidget* parent, const QString& name, bool say = true) {
    QList<QAbstractButton*> buttons = parent->findChildren<QAbstractButton*>(name);
    if (QWidget* spin = Find(parent, name); buttons.isEmpty() && spin != nullptr) {
      buttons = spin->findChildren<QAbstractButton*>();
    }
    buttons.removeIf([](const QAbstractButton* button) { return !Reachable(button); });
    if (buttons.isEmpty()) return;
    if (say) note_ += " " + name.toStdString();
    buttons[static_cast<qsizetype>(Roll(static_cast<std::size_t>(buttons.size())))]->click();
  }
  void ClickArea(QWidget* area, bool twice) {
    const QPointF at(static_cast<double>(Roll(static_cast<std::size_t>(area->width()))),
                     static_cast<double>(Roll(static_cast<std::size_t>(area->height()))));
    note_ += (twice ? " double-click at " : " at ") + std::to_string(static_cast<int>(at.x())) +
             "," + std::to_string(static_cast<int>(at.y()));
    Send(area, twice ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, at);
    Send(area, QEvent::MouseButtonRelease, at);
  }

  void AnswerDialogs();
  QString AnswerFile(const FileDialogRequest& request);
  void AddCommands();
  void WaitForGeneration();
  void SettleOneShots();
  void CheckSaved();
  void CheckStep(const test::FolderImage& before, const test::FolderImage& after,
                 const std::optional<test::Visit>& returned);
  bool InStar() const { return p_.system->isVisible() && p_.world->ClusterMode != 0; }

  Program& p_;
  std::mt19937 rng_;
  std::uint32_t seed_;
  std::vector<Command> commands_;
  std::vector<std::string> log_;
  std::string note_;                   // what the step typed, clicked and answered
  std::vector<std::string> problems_;  // what the step broke
  QString chosen_;                     // the last file dialog's path, with its extension
  int names_ = 0;
  std::optional<test::Visit> visit_;
  int jumps_ = 0;
  int saves_ = 0;
};

void Walk::AnswerDialogs() {
  const auto file = [this](const FileDialogRequest& request) { return AnswerFile(request); };
  const auto size = [this](QSize) -> std::optional<QSize> {
    const QSize chosen(16 + static_cast<int>(Roll(100)), 16 + static_cast<int>(Roll(100)));
    const bool cancel = Chance(20);
    note_ += cancel ? std::string(" [size: cancel]")
                    : " [size: " + std::to_string(chosen.width()) + "x" +
                          std::to_string(chosen.height()) + "]";
    return cancel ? std::nullopt : std::optional<QSize>(chosen);
  };
  p_.system->ChooseFile = file;
  p_.system->ChooseImageSize = size;
  p_.system->AskSeed = [this]() -> std::optional<std::uint64_t> {
    const std::optional<std::uint64_t> seeds[] = {std::nullopt, 0, 42, ~std::uint64_t{0}, rng_()};
    const std::optional<std::uint64_t> seed = seeds[Roll(std::size(seeds))];
    note_ += " [seed: " + (seed ? std::to_string(*seed) : std::string("cancel")) + "]";
    return seed;
  };
  p_.cluster->ChooseFile = file;
  p_.cluster->ChooseImageFile = file;
  p_.cluster->ChooseImageSize = size;
  p_.cluster->ChooseFolder = [this](const QString&) {
    const fs::path folders[] = {{}, p_.folder, p_.folder / "walk-sub"};
    const fs::path& chosen = folders[Roll(std::size(folders))];
    note_ += " [folder: " + (chosen.empty() ? "cancel" : chosen.filename().string()) + "]";
    return Path(chosen);
  };
}

// A file dialog's answer: cancelled, a file of the folder of the type asked for or of another
// typed over the filter, or a new name with or without an extension. Every dialog must offer a
// file type, whose extension a name without one then gets.
QString Walk::AnswerFile(const FileDialogRequest& request) {
  const QString extension = request.defaultExtension;
  if (extension.isEmpty() || !request.filter.contains("*." + extension, Qt::CaseInsensitive)) {
    problems_.push_back("a file dialog offers no file type: \"" + request.filter.toStdString() +
                        "\", extension \"" + extension.toStdString() + "\"");
  }
  static const QRegularExpression kPattern(QStringLiteral(R"(\*\.([^\s;)]+))"));
  QStringList types;
  for (const auto& match : kPattern.globalMatch(request.filter)) types << match.captured(1);
  std::vector<QString> matching;
  std::vector<QString> any;
  for (const auto& entry : fs::recursive_directory_iterator(p_.folder)) {
    if (!entry.is_regular_file()) continue;
    any.push_back(Path(entry.path()));
    if (types.contains(QFileInfo(any.back()).suffix(), Qt::CaseInsensitive)) {
      matching.push_back(any.back());
    }
  }
  const std::string name = "walk" + std::to_string(++names_);
  const std::size_t choice = Roll(6);
  QString answer;
  if (choice == 0) {
    // cancelled: no path
  } else if (choice <= 2 && !matching.empty()) {
    answer = matching[Roll(matching.size())];
  } else if (!request.save && choice <= 4) {
    answer = any[Roll(any.size())];
  } else if (request.save && choice == 3) {
    answer = Path(p_.folder / name);
  } else if (request.save && choice == 4) {
    answer = Path(p_.folder / "walk-sub" / name) + "." + extension;
  } else {
    answer = Path(p_.folder / name) + "." + extension;  // new, or missing
  }
  note_ += " [" + std::string(request.save ? "save" : "open") + ": " +
           (answer.isEmpty() ? std::string("cancel") : Relative(answer).toStdString()) + "]";
  chosen_ = answer;
  if (!answer.isEmpty() && QFileInfo(answer).suffix().isEmpty()) chosen_ += "." + extension;
  return answer;
}

void Walk::AddCommands() {
  QWidget* start = p_.start.get();
  QWidget* system = p_.system.get();
  QWidget* cluster = p_.cluster.get();
  AddButton(start, "SystemCreate");
  AddButton(start, "ClusterControl", 2);

  for (const char* name : kSystemActions) AddAction(system, name);
  AddAction(system, "SystemMenuFileSaveAs", 2, [this] { CheckSaved(); });
  AddAction(system, "SystemMenuFileExit", 2);
  Add(
      "SystemMenuFileOpenRecentFile", 1,
      [system] {
        const auto items = system->findChildren<QAction*>("SystemMenuFileOpenRecentFile");
        return std::any_of(items.begin(), items.end(),
                           [system](QAction* item) { return Reachable(*system, item); });
      },
      [this, system] {
        auto items = system->findChildren<QAction*>("SystemMenuFileOpenRecentFile");
        items.removeIf([system](QAction* item) { return !Reachable(*system, item); });
        QAction* item = items[static_cast<qsizetype>(Roll(static_cast<std::size_t>(items.size())))];
        note_ += " " + Relative(item->data().toString()).toStdString();
        item->trigger();
      });
  for (const char* name : kSystemButtons) AddButton(system, name);
  AddButton(system, "SurveyButton", 2);
  AddButton(system, "JumpButton", 3);
  Add(
      "ArrowKey", 1, [system] { return system->isVisible(); },
      [this, system] {
        const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const int key = keys[Roll(4)];
        note_ += " " + QKeySequence(key).toString().toStdString();
        Send(system, QEvent::KeyPress, key);
        Settle(Chance(25) ? 120 : 0);  // now and then held long enough to repeat
        Send(system, QEvent::KeyRelease, key);
      });
  Add(
      "SysDisScreen", 2, [system] { return Reachable(Find(system, "SysDisScreen")); },
      [this, system] { ClickArea(Find(system, "SysDisScreen"), false); });
  AddForm(system, kPanel, 1);
  AddForm(system, kNaming, 1);
  AddForm(system, kDeliberate, 2);
  AddForm(system, kIncomplete, 2);

  for (const char* name : kClusterActions) AddAction(cluster, name);
  AddAction(cluster, "ClusterMenuFileNewCluster", 2);
  AddButton(cluster, "ClusterRedraw");
  AddButton(cluster, "ClusterJumpButton", 10);
  AddButton(cluster, "RangeSpin");
  // A click selects the star nearest to it; now and then a double click also jumps.
  Add(
      "ClusDisScreen", 4, [cluster] { return Reachable(Find(cluster, "ClusDisScreen")); },
      [this, cluster] { ClickArea(Find(cluster, "ClusDisScreen"), Chance(10)); });
  Add(
      "ClusterViewText", 1, [cluster] { return Reachable(Find(cluster, "XText")); },
      [this, cluster] {
        const char* boxes[] = {"XText", "YText", "ZText", "RangeText"};
        const char* box = boxes[Roll(4)];
        Type(cluster, box, Text(kCells));
        if (Chance(50)) Send(Find(cluster, box), QEvent::KeyPress, Qt::Key_Return);
      });
  AddForm(cluster, kGeneration, 3, [this] { WaitForGeneration(); });
}

void Walk::WaitForGeneration() {
  QElapsedTimer timer;
  timer.start();
  while (p_.cluster->Generating() && timer.elapsed() < kGenerationMs) Settle(20);
  if (p_.cluster->Generating()) problems_.push_back("a small cluster is still being generated");
}

// One-shot timers, such as the redraw once a resize settles, run out before the next command,
// as they would while the user reaches for it; the walk of a seed then repeats.
void Walk::SettleOneShots() {
  const auto pending = [this] {
    for (QWidget* window :
         {static_cast<QWidget*>(p_.system.get()), static_cast<QWidget*>(p_.cluster.get())}) {
      for (const QTimer* timer : window->findChildren<QTimer*>()) {
        if (timer->isActive() && timer->isSingleShot()) return true;
      }
    }
    return false;
  };
  QElapsedTimer waited;
  waited.start();
  while (pending() && waited.elapsed() < 1000) Settle(10);
}

// After a Save As that took: the file holds the system on screen, byte for byte.
void Walk::CheckSaved() {
  const fs::path file(chosen_.toStdString());
  if (chosen_.isEmpty() || p_.world->SystemFilePath != file) return;
  ++saves_;
  std::ifstream in(file, std::ios::binary);
  if (std::string(std::istreambuf_iterator<char>(in), {}) != EncodeSystem(*p_.world)) {
    problems_.push_back("the system just saved is not the system shown");
  }
}

// The invariants, after every step.
void Walk::CheckStep(const test::FolderImage& before, const test::FolderImage& after,
                     const std::optional<test::Visit>& returned) {
  for (std::string& problem : test::CheckFolder(before, after, returned)) {
    problems_.push_back(std::move(problem));
  }
  QWidget* system = p_.system.get();
  if (InStar()) {
    // A cluster star's system has no undo copy: undoing would put another system in its place.
    auto* undo = system->findChild<QAction*>("SystemMenuEditUndoSystem");
    if (undo != nullptr && undo->isEnabled()) {
      problems_.push_back("Undo System is enabled while the system window shows a cluster star");
    }
    if (!Reachable(Find(system, "JumpButton"))) {
      problems_.push_back("JUMP, the way back to the cluster, is not available in a cluster star");
    }
  }
  for (const auto& entry : fs::directory_iterator(p_.root)) {
    const std::string name = entry.path().filename().string();
    if (name != "work" && name != "settings.ini") {
      problems_.push_back("written outside the walk's folder: " + name);
    }
  }
  if (test::WalkNamesIn(p_.previous.toStdString()) != p_.outsideNames) {
    problems_.push_back("written in the test's own current directory");
  }
}

bool Walk::Run(const QElapsedTimer& clock, std::string& report) {
  test::FolderImage before = test::TakeImage(p_.folder);
  for (int step = 0; step < kSteps && clock.elapsed() < kBudgetMs; ++step) {
    // The user sees each menu as it opens; some of its items are enabled only then.
    for (QWidget* window :
         {static_cast<QWidget*>(p_.system.get()), static_cast<QWidget*>(p_.cluster.get())}) {
      for (QMenu* menu : window->findChildren<QMenu*>()) emit menu->aboutToShow();
    }
    std::vector<const Command*> ready;
    std::vector<int> weights;
    for (const Command& command : commands_) {
      if (!command.can()) continue;
      ready.push_back(&command);
      weights.push_back(command.weight);
    }
    if (ready.empty()) {
      problems_.push_back("no command is available");
    } else {
      const Command& command =
          *ready[std::discrete_distribution<std::size_t>(weights.begin(), weights.end())(rng_)];
      note_.clear();
      chosen_.clear();
      command.run();
      Settle();
      SettleOneShots();
      log_.push_back(std::to_string(step) + " " + command.name + note_);
    }

    // A visit ends, whichever way, in the step that leaves the star.
    const bool inStar = InStar();
    std::optional<test::Visit> returned;
    if (visit_ && !inStar) returned = std::exchange(visit_, std::nullopt);
    test::FolderImage after = test::TakeImage(p_.folder);
    CheckStep(before, after, returned);
    if (!visit_ && inStar) {
      visit_ = test::Visit{fs::weakly_canonical(p_.cluster->ClusterFilePath()),
                           p_.cluster->SelectedRecord()};
      ++jumps_;
    }
    if (!problems_.empty()) {
      report = "seed " + std::to_string(seed_) + ", step " + std::to_string(step) + ":";
      for (const std::string& problem : problems_) report += "\n  " + problem;
      report += "\nsteps:";
      for (const std::string& line : log_) report += "\n  " + line;
      return false;
    }
    before = std::move(after);
  }
  return true;
}

TEST(RandomWalk, NoCommandLosesOrCorruptsASystemOrClusterFile) {
  QElapsedTimer clock;
  clock.start();
  for (const std::uint32_t seed : kSeeds) {
    if (clock.elapsed() >= kBudgetMs) {
      std::cout << "seed " << seed << ": left out, the walk's time is up\n";
      continue;
    }
    Program program(seed);
    Walk walk(program, seed);
    std::string report;
    if (!walk.Run(clock, report)) ADD_FAILURE() << report;
    std::cout << walk.Summary() << '\n';
  }
}

}  // namespace
}  // namespace ax
