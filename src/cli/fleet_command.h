#pragma once

#include "cli/command.h"

namespace hvt::cli {

Command FleetCommand();
Command FleetReadCommand();

}  // namespace hvt::cli
