#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace ax {

// The cluster commands of astrolattix-cli: "cluster" makes a cluster file, "list" prints the
// star records of one, "star" one star's own system. The options are bound to this object, so it stays where it was made.
class ClusterCommands {
 public:
  explicit ClusterCommands(CLI::App& app);
  ClusterCommands(const ClusterCommands&) = delete;
  ClusterCommands& operator=(const ClusterCommands&) = delete;

  // Whether the command line named one of them.
  bool Parsed() const;
  // Runs it: 0 on success, 2 when a pass stops at a damaged record (one line on err). A file
  // that cannot be made or read throws ClusterFileError.
  int Run(std::ostream& out, std::ostream& err) const;

 private:
  int RunCluster(std::ostream& out) const;
  int RunList(std::ostream& out, std::ostream& err) const;
  int RunStar(std::ostream& out, std::ostream& err) const;

  CLI::App* cluster_ = nullptr;
  int size_ = 100;
  int density_ = 350;
  std::string shape_ = "cube";
  std::filesystem::path dir_;
  std::optional<std::uint64_t> seed_;

  CLI::App* list_ = nullptr;
  std::filesystem::path file_;
  bool json_ = false;
  bool csv_ = false;

  CLI::App* star_ = nullptr;
  std::int64_t record_ = 0;
  bool report_ = false;
  std::optional<std::filesystem::path> out_;
};

}  // namespace ax
