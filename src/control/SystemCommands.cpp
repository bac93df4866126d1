#include "control/SystemCommands.h"

#include <string_view>

#include "control/Seeds.h"
#include "generate/Stars.h"
#include "survey/Survey.h"

namespace ax {
namespace {

bool Graphical(int mode) {
  return mode == 1 || mode == 3;
}

}  // namespace

EnabledCommands Enabling(const CommandState& state) {
  const bool present = state.present;
  const bool surveyed = present && state.surveyed;
  const bool graphical = Graphical(state.mode);
  // A cluster star's system stays in its place until JUMP leads back to the cluster.
  const bool replaceable = !state.clusterStar;
  EnabledCommands on;
  on.survey = present && !surveyed;
  // Always: it makes a new system, or leads back from a cluster star surveyed or not.
  on.jump = true;
  // A belt is many small bodies: it has no world to draw in the world view.
  on.graphical = surveyed && !graphical && !(state.mode == 2 && state.beltSelected);
  on.symbolic = surveyed && graphical;
  on.world = surveyed && !graphical;
  on.scrolls = surveyed && state.mode != 0;
  on.open = replaceable;
  on.saveAs = surveyed;
  on.undo = replaceable && state.undoAvailable;
  on.systemName = present;
  on.planetName = surveyed && state.mode >= 2;
  on.generate = replaceable;
  on.seedInNote = present && state.seedMade;
  on.exportImage = present;
  on.exportReport = present;
  on.copyReport = state.bodySelected;
  // The world edits act on the world chosen with the arrows, outside the list.
  on.editWorld = surveyed && state.mode != 0 && state.worldSelected;
  on.addWorld = surveyed && state.mode != 0 && state.emptyOrbitSelected;
  on.rerollUnlocked = surveyed;
  return on;
}

std::string FailureText(const std::string& doing, const std::filesystem::path& file,
                        const std::string& reason) {
  return "Could not " + doing + " " + file.filename().string() + ": " + reason;
}

SystemCommands::SystemCommands(World& world, Random& random)
    : world_(world), random_(random), reader_(std::make_unique<SystemFileReader>()) {
  view_.DisplayMode = 0;
}

SystemCommands::~SystemCommands() = default;

CommandState SystemCommands::State() const {
  CommandState state;
  state.present = present_;
  state.surveyed = world_.SystemSurveyed != 0;
  state.mode = view_.DisplayMode;
  if (state.mode == 2 && world_.CurrentStar >= 0 && world_.CurrentStar < kStarSlots &&
      world_.CurrentOrbit >= 0 && world_.CurrentOrbit < kOrbitSlots) {
    state.beltSelected = IsBelt(world_.BodyClass(world_.CurrentStar, world_.CurrentOrbit, 0));
  }
  state.clusterStar = ClusterStar();
  state.undoAvailable = undo_.available;
  state.seedMade = seed_.has_value();
  state.bodySelected = BodySelected();
  const int star = world_.CurrentStar;
  const int orbit = world_.CurrentOrbit;
  if (star >= 0 && star < kStarSlots && orbit >= 1 && orbit <= world_.OrbitCount[star]) {
    state.worldSelected = !world_.BodyClass(star, orbit, 0).empty();
    state.emptyOrbitSelected = !state.worldSelected;
  }
  return state;
}

void SystemCommands::Enter() {
  world_.ClusterMode = 0;
  present_ = false;
  ForgetSeed();
}

void SystemCommands::EnterClusterStar(bool kept, const std::string& clusterCode) {
  clusterCode_ = clusterCode;
  ForgetSeed();
  if (kept) {
    view_.ResetView();
    present_ = true;
    ShowSymbolic();
  } else {
    ResetSystemView();
  }
}

void SystemCommands::Close() {
  present_ = false;
  world_.SystemSurveyed = 0;
  ClearSystem(world_);
  ClearStars(world_);
  view_.DisplayMode = 0;
}

void SystemCommands::LeaveClusterStar() {
  present_ = false;
  world_.SystemSurveyed = 0;
  ClearSystem(world_);
  world_.ClusterMode = 0;
}

void SystemCommands::ReturnToCluster() {
  present_ = false;
}

CommandResult SystemCommands::GenerateRandom(std::optional<std::uint64_t> seed) {
  if (ClusterStar()) return {};
  if (undo_.enabled) {
    try {
      undo_.Take(world_);
    } catch (const SystemFileError& error) {
      // Without its copy the system on screen could not be brought back: it stays.
      return {false, FailureText("write the undo copy", UndoCopy::File(), error.Reason()),
              error.Failure()};
    }
  }
  ClearSystem(world_);
  seed_ = seed ? *seed : DrawSeed(random_);
  seeded_.emplace(*seed_);
  GenerateStars(world_, *seeded_);
  ResetSystemView();
  return {true, std::nullopt};
}

void SystemCommands::SystemGenerated() {
  ForgetSeed();
  ResetSystemView();
}

void SystemCommands::ResetSystemView() {
  view_.DisplayMode = 0;
  view_.ResetView();
  previousMode_ = 0;
  present_ = true;
  world_.SystemSurveyed = 0;
  if (autoSurvey_) SurveySystem();
}

bool SystemCommands::SurveySystem() {
  if (!present_ || world_.SystemSurveyed != 0) return false;
  world_.SystemSurveyed = 1;
  view_.DisplayMode = 0;
  // A seed-made system's survey draws on from its seed's source, as the command line's does.
  Survey survey(world_, seeded_ ? *seeded_ : random_);
  survey.Beep = Beep;
  survey.SurveySystem();
  ShowSymbolic();
  return true;
}

CommandResult SystemCommands::Open(const std::filesystem::path& file) {
  if (ClusterStar()) return {false, kClusterStarTip};
  try {
    reader_->Read(file, world_);
  } catch (const SystemFileError& error) {
    return {false, FailureText("open", file, error.Reason()), error.Failure()};
  }
  ForgetSeed();
  present_ = true;
  ShowSymbolic();
  return {true, std::string()};
}

CommandResult SystemCommands::SaveAs(const std::filesystem::path& file) {
  const std::filesystem::path previous = world_.SystemFilePath;
  world_.SystemFilePath = file;
  try {
    WriteSystemFile(world_, world_.SystemFilePath);
  } catch (const SystemFileError& error) {
    world_.SystemFilePath = previous;
    return {false, FailureText("save", file, error.Reason()), error.Failure()};
  } catch (const SystemFormatError& error) {
    world_.SystemFilePath = previous;
    return {false, FailureText("save", file, error.what()), error.Failure()};
  }
  return {true, std::string()};
}

CommandResult SystemCommands::Undo() {
  if (ClusterStar() || !undo_.available) return {};
  try {
    undo_.Restore(world_, *reader_);
  } catch (const SystemFileError& error) {
    return {false, FailureText("undo from", UndoCopy::File(), error.Reason()), error.Failure()};
  }
  ForgetSeed();
  present_ = true;
  ShowSymbolic();
  return {true, std::string()};
}

CommandResult SystemCommands::PutSeedInNote() {
  if (!present_ || !seed_) return {};
  const std::string line = SeedText(*seed_);
  std::string_view rest = world_.SystemNote;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    if (rest.substr(0, end) == line) return {false, "The note already holds the seed"};
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  if (!world_.SystemNote.empty()) world_.SystemNote += '\n';
  world_.SystemNote += line;
  return {true, "The seed was put in the system's note"};
}

void SystemCommands::ForgetSeed() {
  seed_.reset();
  seeded_.reset();
}

bool SystemCommands::HoldsWorld(int star, int orbit) const {
  if (star < 0 || star >= kStarSlots || orbit < 1 || orbit > kLastOrbit) return false;
  if (orbit > world_.OrbitCount[static_cast<std::size_t>(star)]) return false;
  return !world_.BodyClass(star, orbit, 0).empty();
}

bool SystemCommands::SelectWorld(int star, int orbit) {
  if (!HoldsWorld(star, orbit)) return false;
  world_.CurrentStar = static_cast<std::int16_t>(star);
  world_.CurrentOrbit = static_cast<std::int16_t>(orbit);
  world_.CurrentBody = 0;
  return true;
}

bool SystemCommands::FindWorldFromSelection() {
  int s = world_.CurrentStar;
  int o = world_.CurrentOrbit;
  for (int step = 0; step < kStarSlots * kOrbitSlots; ++step) {
    if (HoldsWorld(s, o)) {
      world_.CurrentStar = static_cast<std::int16_t>(s);
      world_.CurrentOrbit = static_cast<std::int16_t>(o);
      return true;
    }
    if (++o > kLastOrbit) {
      o = 0;
      s = (s + 1) % kStarSlots;
    }
  }
  return false;
}

bool SystemCommands::MoveToWorld(int step) {
  const int startStar = world_.CurrentStar;
  const int startOrbit = world_.CurrentOrbit;
  int s = startStar;
  int o = startOrbit;
  for (int visited = 0; visited < kStarSlots * kOrbitSlots; ++visited) {
    o += step;
    if (o < 0) {
      o = kLastOrbit;
      s = (s + kStarSlots - 1) % kStarSlots;
    } else if (o > kLastOrbit) {
      o = 0;
      s = (s + 1) % kStarSlots;
    }
    // Forward, the search may come round to the world it started from; back, it may not.
    if (s == startStar && o == startOrbit && step < 0) break;
    if (SelectWorld(s, o)) return true;
  }
  return false;
}

bool SystemCommands::BodySelected() const {
  const int mode = view_.DisplayMode;
  if (!present_ || world_.SystemSurveyed == 0 || (mode != 2 && mode != 3)) return false;
  if (!HoldsWorld(world_.CurrentStar, world_.CurrentOrbit)) return false;
  const int moons = world_.MoonCount[static_cast<std::size_t>(world_.CurrentStar)]
                                    [static_cast<std::size_t>(world_.CurrentOrbit)];
  return world_.CurrentBody >= 0 && world_.CurrentBody <= moons;
}

void SystemCommands::ShowSymbolic() {
  view_.DisplayMode = 0;
  world_.CurrentBody = 0;
}

void SystemCommands::ShowWorld() {
  const auto s = static_cast<std::size_t>(world_.CurrentStar);
  const auto o = static_cast<std::size_t>(world_.CurrentOrbit);
  if (world_.CurrentBody < 0 || world_.CurrentBody > world_.MoonCount[s][o]) {
    world_.CurrentBody = 0;
  }
  view_.DisplayMode = 2;
}

bool SystemCommands::ToggleDisplayMode() {
  bool fresh = false;
  if (Graphical(view_.DisplayMode)) {
    view_.DisplayMode = static_cast<std::int16_t>(view_.DisplayMode - 1);
  } else {
    view_.DisplayMode = static_cast<std::int16_t>(view_.DisplayMode + 1);
    fresh = previousMode_ != view_.DisplayMode;
  }
  previousMode_ = view_.DisplayMode;
  return fresh;
}

}  // namespace ax
