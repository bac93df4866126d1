#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ax {

// The editing commands of astrolattix-cli: "reroll" makes worlds afresh, "edit" sets a body's
// or a star's values, "lock" and "unlock" keep worlds from rerolls. The options are bound to
// this object, so it stays where it was made.
class EditCommands {
 public:
  explicit EditCommands(CLI::App& app);
  EditCommands(const EditCommands&) = delete;
  EditCommands& operator=(const EditCommands&) = delete;

  bool Parsed() const;
  // Runs it and prints the changed system as `show` does. Bad input throws EditError or
  // SystemFileError before anything is written.
  int Run(std::ostream& out, std::ostream& err) const;

 private:
  CLI::App* reroll_ = nullptr;
  CLI::App* edit_ = nullptr;
  CLI::App* lock_ = nullptr;
  CLI::App* unlock_ = nullptr;

  std::filesystem::path file_;
  int star_ = 1;
  int orbit_ = 0;
  int body_ = 0;
  std::optional<std::uint64_t> seed_;
  bool unlocked_ = false;
  std::vector<std::string> sets_;
  std::optional<std::filesystem::path> out_;
  bool json_ = false;
};

}  // namespace ax
