#pragma once

#include "cli/command.h"

namespace hvt::cli {

Command ReadCommand();
Command WriteCommand();
Command InfoCommand();
Command PortsCommand();

}  // namespace hvt::cli
