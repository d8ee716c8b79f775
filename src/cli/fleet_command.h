#pragma once

#include "cli/command.h"

namespace hvt::cli {

Command FleetCommand();

}  // namespace hvt::cli
