#include "cli/command.h"
#include "cli/configuration_commands.h"
#include "cli/fleet_command.h"
#include "cli/radio_commands.h"
#include "cli/sim_command.h"

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
      ChannelsExportCommand(),
      ChannelsImportCommand(),
      TemplateCommand(),
      ReadCommand(),
      WriteCommand(),
      FleetCommand(),
      FleetReadCommand(),
      InfoCommand(),
      PortsCommand(),
      SimCommand(),
  };
  return commands;
}

}  // namespace hvt::cli
