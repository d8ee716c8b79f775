#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace hvt::cli {

// Runs the command line (without the program name); returns the exit code.
int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace hvt::cli
