#pragma once

// What a fleet run read is kept as: one configuration file per radio in the folder the user
// chose, "<serial>.dat" (or the port's name for a radio without a serial number, "-2" for a name
// taken already), and a backup of each as a single read keeps one.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/fleet_run.h"
#include "i18n/prompter.h"

namespace hvt {

struct FleetReadFile {
  std::optional<std::filesystem::path> File;       // none for a radio not read, or when saving failed
  std::string Problem;                             // why it was not saved, when it was read
  std::optional<std::filesystem::path> Recovered;  // where it was kept instead, when it was not saved
  std::optional<std::filesystem::path> Backup;     // the backup of what the radio held
};

// One entry per radio of the run, in its order. The folder is made when missing. A read that
// cannot be saved there is kept in the "recovered" folder of the settings folder.
std::vector<FleetReadFile> SaveFleetReads(const FleetRun& fleet, AppContext& context, Prompter& prompter,
                                          const std::filesystem::path& folder);

}  // namespace hvt
