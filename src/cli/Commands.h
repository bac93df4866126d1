#pragma once

#include <ostream>
#include <stdexcept>

#include "model/World.h"

namespace ax {

// The exit status on bad arguments, a bad file or a file that cannot be written.
constexpr int kExitBadInput = 2;

// Bad input found after the command line was parsed (an index the file does not have, a file
// that cannot be written): exit status 2 and one line.
class CliInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A system as `show` prints it: a summary of its stars and worlds, or one JSON object.
void PrintSystem(const World& world, long number, bool json, std::ostream& out);

// Runs one astrolattix-cli command line. Returns the exit status: 0 on success, 2 on bad
// arguments (with one line on err naming what is wrong).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace ax
