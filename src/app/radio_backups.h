#pragma once

// Every configuration read from a radio is kept as a configuration file in the backups folder,
// named by the radio's serial number and the time of the read, so that what a radio held before
// it was overwritten can always be opened again. The newest kBackupsKept files are kept.
//
//   "SN7300-000123_2026-12-11_010203.dat"; "radio_..." when the radio has no serial number.

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/configuration_file.h"
#include "model/configuration.h"

namespace hvt {

inline constexpr std::size_t kBackupsKept = 50;

inline constexpr std::string_view kUnnamedRadio = "radio";

struct Backup {
  std::filesystem::path File;
  std::string Radio;  // the serial number as named, or kUnnamedRadio
  std::string Time;   // "2026-12-11 01:02:03"
};

// The radio's part of a file name: its serial number, or `fallback` when it has none (a blank
// information block). Characters a file name should not hold become "_".
std::string RadioFileStem(std::string_view serial, std::string_view fallback = kUnnamedRadio);

// The file name for a read of the radio `serial` at local time `time`.
std::string BackupFileName(std::string_view serial, const std::tm& time);

// The local time now, as backups are named by.
std::tm LocalNow();

// The backups in `folder`, newest first; other files are not listed.
std::vector<Backup> ListBackups(const std::filesystem::path& folder);

// Writes `configuration` as a new backup and removes the oldest beyond kBackupsKept. The path
// written, or the reason it could not be.
struct BackupResult {
  std::optional<std::filesystem::path> File;
  std::string Problem;
};
BackupResult KeepBackup(const std::filesystem::path& folder, const Configuration& configuration,
                        std::string_view serial, const std::tm& time);

}  // namespace hvt
