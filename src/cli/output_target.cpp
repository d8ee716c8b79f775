#include "cli/output_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace hvt::cli {

std::optional<std::string> OutputTargetProblem(const std::filesystem::path& target) {
  std::error_code error;
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  if (!std::filesystem::is_directory(folder, error))
    return "the folder " + folder.string() + " does not exist";
  const auto status = std::filesystem::status(target, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return target.string() + " is not a regular file";
  }
  // Creating a file is the one test that holds for every user and every file system.
  std::string probe = (folder / ".hvt7300-probe-XXXXXX").string();
  const int fd = mkstemp(probe.data());
  if (fd < 0) return "the folder " + folder.string() + " is not writable (" + std::strerror(errno) + ")";
  close(fd);
  unlink(probe.c_str());
  return std::nullopt;
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
