#pragma once

// Configuration files (".dat"): exactly 45755 bytes, the records in file order.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "model/configuration.h"

namespace hvt {

enum class FileCheck {
  Ok,
  FileError,      // missing, unreadable or unwritable
  FileDataError,  // wrong size, a channel count outside 0-203 or a band variant other than 0 and 1
  ModelError,
  VersionError,
};

// A check with what was found: the path and the reason, the size found and the size expected,
// the value out of range. Compares as its FileCheck.
struct FileCheckResult {
  FileCheck Check = FileCheck::Ok;
  std::string Detail;  // empty when Ok

  operator FileCheck() const { return Check; }  // NOLINT(google-explicit-constructor)
};

// The message shown for a failed check; the file error has one per language.
std::string_view FileCheckMessage(FileCheck check, int languageId);
// The same with the detail on a second line.
std::string FileCheckMessage(const FileCheckResult& result, int languageId);

enum class ConfigurationChecks { All, SkipModelAndVersion };

// Checks the bytes of a whole file; `into` changes only when the result is Ok. The detail names
// no path.
FileCheckResult ParseConfigurationBytes(std::span<const std::uint8_t> bytes, Configuration& into,
                                        ConfigurationChecks checks);

// Reads and checks a file; `into` changes only when the result is Ok.
FileCheckResult ReadConfigurationFile(const std::filesystem::path& path, Configuration& into);

// Band templates are read without the model and version checks.
FileCheckResult ReadTemplateFile(const std::filesystem::path& path, Configuration& into);

// Writes all 45755 bytes atomically: the old file stays whole when anything fails.
FileCheckResult WriteConfigurationFile(const std::filesystem::path& path, const Configuration& configuration);

}  // namespace hvt
