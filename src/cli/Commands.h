#pragma once

#include <ostream>

namespace ax {

// The exit status on bad arguments, a bad file or a file that cannot be written.
constexpr int kExitBadInput = 2;

// Runs one astrolattix-cli command line. Returns the exit status: 0 on success, 2 on bad
// arguments (with one line on err naming what is wrong).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace ax
