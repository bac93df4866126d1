#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "display/ViewState.h"
#include "io/FileFilters.h"
#include "io/SystemFile.h"
#include "io/UndoCopy.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {

// What the system window's commands depend on.
struct CommandState {
  bool present = false;             // a system is shown
  bool surveyed = false;            // and its worlds are made
  int mode = 0;                     // 0 symbolic list, 1 system view, 2 world report, 3 world view
  bool beltSelected = false;        // the selected orbit holds a belt (it has no world view)
  bool clusterStar = false;         // the system of a cluster star, until JUMP leads back
  bool undoAvailable = false;       // an undo copy was taken in this run
  bool seedMade = false;            // the system was made from a seed
  bool bodySelected = false;        // a world or moon is selected in the report or the world view
  bool worldSelected = false;       // the selected orbit holds a world
  bool emptyOrbitSelected = false;  // the selected orbit is one of the star's, without a world
};

// Which of the system window's buttons and menu items are on.
struct EnabledCommands {
  bool survey = false;
  bool jump = false;
  bool graphical = false;  // to the orbit drawing
  bool symbolic = false;   // back from the orbit drawing
  bool world = false;      // WORLD / SYSTEM
  bool scrolls = false;
  bool open = false;  // Open and Open Recent
  bool saveAs = false;
  bool undo = false;
  bool systemName = false;
  bool planetName = false;
  bool generate = false;  // the Generate menu and each of its items
  bool seedInNote = false;
  bool exportImage = false;
  bool exportReport = false;
  bool copyReport = false;
  bool editWorld = false;  // Reroll World, Lock World, Edit World..., Remove World
  bool addWorld = false;
  bool rerollUnlocked = false;

  bool operator==(const EnabledCommands&) const = default;
};

EnabledCommands Enabling(const CommandState& state);

// What a command did, and the status bar's new text: an empty text clears it, none leaves it.
struct CommandResult {
  bool done = false;
  std::optional<std::string> status;
  // What a failed file command met, for an account in plain words.
  std::optional<FileFailure> fileFailure = std::nullopt;
};

// Why the commands that would put another system in a cluster star's place are off.
inline constexpr const char* kClusterStarTip =
    "Off while a cluster star is shown: JUMP leads back to the cluster first";

// "Could not open S.ax2: it is too short": how a file command that failed says so.
std::string FailureText(const std::string& doing, const std::filesystem::path& file,
                        const std::string& reason);

// The system window's state and the commands that need no widget: new systems (random, from
// a seed), the survey, Open, Save As and Undo, the seed in the note, a cluster star's system,
// and the selection of worlds and moons. The window asks it and shows the answer.
class SystemCommands {
 public:
  // The world belongs to the program; the random source is clock-seeded by the program and
  // seeded by tests.
  SystemCommands(World& world, Random& random);
  ~SystemCommands();
  SystemCommands(const SystemCommands&) = delete;
  SystemCommands& operator=(const SystemCommands&) = delete;

  ViewState& View() { return view_; }
  const ViewState& View() const { return view_; }

  CommandState State() const;
  EnabledCommands Enabled() const { return Enabling(State()); }
  bool Present() const { return present_; }
  bool ClusterStar() const { return world_.ClusterMode != 0; }
  const std::string& ClusterCode() const { return clusterCode_; }
  std::optional<std::uint64_t> Seed() const { return seed_; }

  // The options of the Options menu.
  void SetAutoSurvey(bool on) { autoSurvey_ = on; }
  bool AutoSurvey() const { return autoSurvey_; }
  void SetUndoEnabled(bool on) { undo_.enabled = on; }

  // Called by the survey for a world with a civilization; by default silent.
  std::function<void()> Beep;

  // Clears what an entry from the start form must not find: no system, no seed.
  void Enter();
  // A cluster star's system, already in the world: kept (shown as it is) or fresh.
  void EnterClusterStar(bool kept, const std::string& clusterCode);
  // The system window closed or left: the world holds no system.
  void Close();
  void LeaveClusterStar();
  // JUMP under a cluster star: the system goes back to the cluster with the star.
  void ReturnToCluster();

  // A new random system from `seed`, or from a fresh seed of the window's source; the undo
  // copy taken first when undo is on. A copy that cannot be written leaves the system shown.
  CommandResult GenerateRandom(std::optional<std::uint64_t> seed = std::nullopt);
  // A form has put a new system in the world.
  void SystemGenerated();
  // Surveys the system shown once; false when there is nothing to survey.
  bool SurveySystem();
  // Open, Save As and Undo; a failure leaves the world and its file name as they were.
  CommandResult Open(const std::filesystem::path& file);
  CommandResult SaveAs(const std::filesystem::path& file);
  CommandResult Undo();
  CommandResult PutSeedInNote();

  // Selections of worlds and moons.
  bool HoldsWorld(int star, int orbit) const;
  // Selects a world, its body 0; false when the orbit holds none.
  bool SelectWorld(int star, int orbit);
  // From the selection on, the first orbit that holds a world; false when there is none.
  bool FindWorldFromSelection();
  // The next (step 1) or previous (-1) world, round the stars; false back where it began.
  bool MoveToWorld(int step);
  // A world or moon is selected in the report or the world view: its report can be copied.
  bool BodySelected() const;

  // Display modes.
  void ShowSymbolic();  // the list, the world's own body selected
  void ShowWorld();     // the report of the selected world
  // Graphical and back; true when the view is to start afresh.
  bool ToggleDisplayMode();

 private:
  void ResetSystemView();
  void ForgetSeed();

  World& world_;
  Random& random_;
  ViewState view_;
  UndoCopy undo_;
  std::unique_ptr<SystemFileReader> reader_;
  bool present_ = false;
  bool autoSurvey_ = false;
  std::int16_t previousMode_ = 0;
  std::string clusterCode_;  // the cluster of the star shown, for Save As
  std::optional<std::uint64_t> seed_;
  // The seeded source of a seed-made system: its stars, then its survey, draw from it in turn,
  // as the command line's do.
  std::optional<Random> seeded_;
};

}  // namespace ax
