#include "cli/command.h"
#include "cli/configuration_commands.h"

namespace hvt::cli {

std::span<const Command> Commands() {
  static const std::vector<Command> commands = {
      NewCommand(),
      ShowCommand(),
      EncodeCommand(),
      DecodeCommand(),
      ExportEpmCommand(),
      CommuBookExportCommand(),
      CommuBookImportCommand(),
      TemplateCommand(),
  };
  return commands;
}

}  // namespace hvt::cli
