#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <ostream>
#include <string>

#include "cluster/Atlas.h"

namespace ax {

// astrolattix-cli atlas: every star's own system of a cluster surveyed, a row each, filtered
// for what a game master looks for. The options are bound to this object.
class AtlasCommand {
 public:
  explicit AtlasCommand(CLI::App& app);
  AtlasCommand(const AtlasCommand&) = delete;
  AtlasCommand& operator=(const AtlasCommand&) = delete;

  bool Parsed() const { return atlas_->parsed(); }
  // 0 on success; 2 when the file is damaged (after the sound records' rows). A file that cannot
  // be read throws ClusterFileError.
  int Run(std::ostream& out, std::ostream& err) const;

 private:
  CLI::App* atlas_ = nullptr;
  std::filesystem::path file_;
  int jobs_ = 0;
  std::string records_;
  bool csv_ = false;
  bool json_ = false;
  AtlasFilter filter_;
  std::string of_;
};

}  // namespace ax
