#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return ax::RunCli(argc, argv, std::cout, std::cerr);
}
