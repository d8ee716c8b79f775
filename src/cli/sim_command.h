#pragma once

#include "cli/command.h"

namespace hvt::cli {

// `sim --pty`: the virtual radio on a pseudo-terminal, until SIGINT or SIGTERM.
Command SimCommand();

}  // namespace hvt::cli
