#pragma once

// The channels of the current configuration to and from a CSV channel table, for the desktop
// program and the command-line tool alike: every message goes through the prompter.

#include <filesystem>

#include "app/app_context.h"
#include "app/workspace.h"
#include "model/configuration.h"

namespace hvt {

// What an import does when some rows cannot be taken.
enum class BadRows {
  Ask,     // the user decides whether the other rows are taken
  Take,    // the other rows are taken
  Refuse,  // nothing is taken
};

std::string ChannelTableFilter(const AppContext& context);

FileCommandResult ExportChannels(const Configuration& configuration, const std::filesystem::path& path,
                                 const AppContext& context, Prompter& prompter);

// Checks the rows against the context's band; `replace` clears the normal channels first. When
// nothing is taken the configuration is as it was, and the answer is FileFailed.
FileCommandResult ImportChannels(Configuration& configuration, const std::filesystem::path& path,
                                 bool replace, BadRows badRows, const AppContext& context,
                                 Prompter& prompter);

}  // namespace hvt
