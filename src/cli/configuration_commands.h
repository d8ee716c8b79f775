#pragma once

#include "cli/command.h"

namespace hvt::cli {

Command NewCommand();
Command ShowCommand();
Command EncodeCommand();
Command DecodeCommand();
Command TemplateCommand();
Command ExportEpmCommand();
Command CommuBookExportCommand();
Command CommuBookImportCommand();
Command ChannelsExportCommand();
Command ChannelsImportCommand();

}  // namespace hvt::cli
