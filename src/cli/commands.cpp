#include "cli/command.h"

namespace hvt::cli {

std::span<const Command> Commands() {
  static const std::vector<Command> commands = {};
  return commands;
}

}  // namespace hvt::cli
