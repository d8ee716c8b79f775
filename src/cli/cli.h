#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/terminal.h"

namespace hvt::cli {

// Where the tool meets its user: the streams, and the terminal when it runs on one.
struct Console {
  std::ostream& Out;
  std::ostream& Err;
  Terminal* Input = nullptr;   // answers to questions; none: nothing waits for input
  bool ErrIsTerminal = false;  // progress updates one line in place
};

// Runs the command line (without the program name); returns the exit code.
int Run(const std::vector<std::string>& arguments, const Console& console);

}  // namespace hvt::cli
