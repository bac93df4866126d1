#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "generate/Deliberate.h"
#include "generate/Incomplete.h"
#include "model/Random.h"
#include "model/World.h"

namespace ax {

// What becomes of the one system a deliberate or incomplete generation makes.
struct GivenSystemOutput {
  std::optional<std::uint64_t> seed;
  bool noSurvey = false;
  bool json = false;
  std::optional<std::filesystem::path> out;
};

// The deliberate generation form as a command line: the option texts go to the form's text
// boxes unchanged.
struct DeliberateOptions {
  DeliberateInput input;
  GivenSystemOutput output;
  // Text boxes filled from a star's mass because their option was not given.
  std::vector<std::string> derivedFields;
};

// The incomplete generation form as a command line.
struct IncompleteOptions {
  IncompleteInput input;
  GivenSystemOutput output;
};

// Each adds its command; once parsed, the options hold the form's texts and choices (a pair
// when any star-2 option is given).
CLI::App* AddDeliberateCommand(CLI::App& app, DeliberateOptions& options);
CLI::App* AddIncompleteCommand(CLI::App& app, IncompleteOptions& options);

// Each runs its generation on the options' texts. Returns the rejected fields as the options
// they came from, e.g. "--mass1 (StarAMassText)"; the world is changed only when none is.
std::vector<std::string> GenerateFromOptions(World& world, Random& random,
                                             const DeliberateOptions& options);
std::vector<std::string> GenerateFromOptions(World& world, Random& random,
                                             const IncompleteOptions& options);

}  // namespace ax
