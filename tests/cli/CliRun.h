#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace ax::test {

// What one run of the command line gave: its exit status and both streams.
struct CliRun {
  int status = 0;
  std::string out;
  std::string err;
};

// Runs astrolattix-cli with these arguments, in process.
inline CliRun Cli(std::vector<std::string> args) {
  args.insert(args.begin(), "astrolattix-cli");
  std::vector<const char*> argv;
  for (const auto& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace ax::test
