#include "cli/output_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace hvt::cli {

namespace {

// Creating a file is the one test that holds for every user and every file system.
std::optional<std::string> NotWritable(const std::filesystem::path& folder) {
  std::string probe = (folder / ".hvt7300-probe-XXXXXX").string();
  const int fd = mkstemp(probe.data());
  if (fd < 0) return "the folder " + folder.string() + " is not writable (" + std::strerror(errno) + ")";
  close(fd);
  unlink(probe.c_str());
  return std::nullopt;
}

}  // namespace

std::optional<std::string> OutputTargetProblem(const std::filesystem::path& target) {
  if (target.empty()) return "no file name is given";
  std::error_code error;
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  if (!std::filesystem::is_directory(folder, error))
    return "the folder " + folder.string() + " does not exist";
  const auto status = std::filesystem::status(target, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return target.string() + " is not a regular file";
  }
  return NotWritable(folder);
}

std::optional<std::string> OutputFolderProblem(const std::filesystem::path& folder) {
  if (folder.empty()) return "no folder is given";
  std::error_code error;
  // A missing folder is made later, in the nearest folder that exists.
  std::filesystem::path existing = std::filesystem::absolute(folder, error);
  if (error) return "the folder " + folder.string() + " cannot be found (" + error.message() + ")";
  while (!std::filesystem::exists(existing, error) && existing.has_relative_path())
    existing = existing.parent_path();
  if (!std::filesystem::is_directory(existing, error)) {
    return (existing == std::filesystem::absolute(folder, error) ? folder : existing).string() +
           " is not a folder";
  }
  return NotWritable(existing);
}

std::filesystem::path RecoveryPath(const std::filesystem::path& folder, std::time_t when,
                                   std::string_view suffix) {
  std::tm local{};
  localtime_r(&when, &local);
  std::array<char, 32> stamp{};
  std::strftime(stamp.data(), stamp.size(), "read-%Y%m%d-%H%M%S", &local);
  std::filesystem::path path = folder / (std::string(stamp.data()) + std::string(suffix));
  for (int copy = 2; std::filesystem::exists(path); ++copy) {
    path = folder / (std::string(stamp.data()) + "-" + std::to_string(copy) + std::string(suffix));
  }
  return path;
}

}  // namespace hvt::cli
