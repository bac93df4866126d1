#include "cli/EditCommands.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <memory>

#include "cli/Commands.h"
#include "edit/EditError.h"
#include "edit/Reroll.h"
#include "edit/WorldEdit.h"
#include "io/LockFile.h"
#include "io/SystemFile.h"
#include "model/Random.h"

namespace ax {
namespace {

void AddCommon(CLI::App& command, std::filesystem::path& file, int& star, bool& json) {
  command.add_option("file", file, "The system file (.ax2)")->required();
  command.add_option("--star", star, "The star: 1 for a single star, 0 (both), 1 or 2 for a pair");
  command.add_flag("--json", json, "Print the changed system as one JSON object");
}

std::vector<FieldValue> ParseSets(const std::vector<std::string>& sets) {
  std::vector<FieldValue> values;
  for (const std::string& set : sets) {
    const auto equals = set.find('=');
    if (equals == std::string::npos) throw EditError("--set wants NAME=VALUE: " + set);
    values.push_back({set.substr(0, equals), set.substr(equals + 1)});
  }
  return values;
}

}  // namespace

EditCommands::EditCommands(CLI::App& app) {
  reroll_ = app.add_subcommand(
      "reroll", "Make a world of a system file afresh, or every unlocked world, and save it.");
  AddCommon(*reroll_, file_, star_, json_);
  CLI::Option* orbit = reroll_->add_option("--orbit", orbit_, "The orbit whose world to reroll");
  reroll_->add_flag("--unlocked", unlocked_, "Reroll every world that is not locked")
      ->excludes(orbit);
  reroll_->add_option("--seed", seed_, "Seed of the reroll (default: the clock)");
  reroll_->add_option("--out", out_, "The system file to write")->required();

  edit_ = app.add_subcommand(
      "edit", "Set values of a world, moon or star and work out again what follows from them.");
  AddCommon(*edit_, file_, star_, json_);
  edit_->add_option("--orbit", orbit_, "The orbit (not needed for star values)");
  edit_->add_option("--body", body_, "The body: 0 the world, 1.. its moons (default 0)");
  std::string names;
  for (const EditField& field : kEditFields)
    names += std::string(names.empty() ? "" : ", ") + std::string(field.table);
  edit_->add_option("--set", sets_, "NAME=VALUE, NAME one of " + names)->required();
  edit_->add_option("--out", out_, "The system file to write")->required();

  lock_ = app.add_subcommand("lock", "Keep a world from rerolls: saved beside the system file.");
  unlock_ = app.add_subcommand("unlock", "Let a locked world be rerolled again.");
  for (CLI::App* command : {lock_, unlock_}) {
    AddCommon(*command, file_, star_, json_);
    command->add_option("--orbit", orbit_, "The orbit of the world")->required();
    command->add_option("--out", out_,
                        "Write the system and its locks here (default: the locks beside FILE)");
  }
}

bool EditCommands::Parsed() const {
  return reroll_->parsed() || edit_->parsed() || lock_->parsed() || unlock_->parsed();
}

int EditCommands::Run(std::ostream& out, std::ostream& err) const {
  auto world = std::make_unique<World>();
  SystemFileReader reader;
  reader.Read(file_, *world);
  Locks locks = ReadLocks(file_);

  if (reroll_->parsed()) {
    Random clock;
    const std::uint64_t seed = seed_ ? *seed_ : DrawSeed(clock);
    if (!unlocked_ && orbit_ == 0) throw EditError("reroll needs --orbit or --unlocked");
    if (unlocked_) {
      RerollUnlocked(*world, locks, seed);
    } else {
      CheckWorld(*world, star_, orbit_);
      if (locks.contains({star_, orbit_})) {
        throw EditError(fmt::format("the world of orbit {} of star {} is locked", orbit_, star_));
      }
      RerollWorld(*world, star_, orbit_, seed);
    }
    fmt::print(err, "astrolattix-cli: reroll seed {}\n", seed);
  } else if (edit_->parsed()) {
    ApplyEdits(*world, star_, orbit_, body_, ParseSets(sets_));
  } else {
    CheckWorld(*world, star_, orbit_);
    if (lock_->parsed()) {
      locks.insert({star_, orbit_});
    } else {
      locks.erase({star_, orbit_});
    }
  }

  const std::filesystem::path target = out_ ? *out_ : file_;
  if (out_) {
    WriteSystemFile(*world, target);
    reader.Read(target, *world);
  }
  WriteLocks(target, locks);
  PrintSystem(*world, 1, json_, out);
  out.flush();
  return 0;
}

}  // namespace ax
