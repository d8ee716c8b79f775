#pragma once

// Where a command will write a file it must not lose: checked before any work is done, and a
// place to keep the work when the chosen file still cannot be written.

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace hvt::cli {

// Why `target` cannot be written: no name is given, its folder is missing or not writable, or it
// exists and is not a regular file (a link to one is fine). No value when it can be written.
std::optional<std::string> OutputTargetProblem(const std::filesystem::path& target);

// Why files cannot be made in `folder`: it is not a folder, or it (or, while it is missing, the
// folder it would be made in) is not writable. No value when they can.
std::optional<std::string> OutputFolderProblem(const std::filesystem::path& folder);

// A name in `folder` that does not exist yet: "read-YYYYMMDD-HHMMSS<suffix>", with "-2", "-3"...
// before the suffix when that is taken.
std::filesystem::path RecoveryPath(const std::filesystem::path& folder, std::time_t when,
                                   std::string_view suffix);

}  // namespace hvt::cli
