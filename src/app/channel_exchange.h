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

struct ChannelImportChoice {
  bool Replace = false;   // clear the normal channels first
  bool Renumber = false;  // the rows in file order become channels 1, 2, ...
  BadRows WhenBad = BadRows::Ask;
};

// Checks the rows with the channel rules under the context's band. When nothing is taken the
// configuration is as it was, and the answer is FileFailed; an import never leaves the
// configuration without a normal channel. The settings that named a channel the import removed
// are repaired as after a delete in the grid. Every refused and changed row is reported.
FileCommandResult ImportChannels(Configuration& configuration, const std::filesystem::path& path,
                                 const ChannelImportChoice& choice, const AppContext& context,
                                 Prompter& prompter);

}  // namespace hvt
