#include "app/port_choice.h"

#include <algorithm>
#include <filesystem>

namespace hvt {

bool IsExistingDevice(std::string_view name) {
  if (name.empty()) return false;
  std::filesystem::path path(name);
  if (!path.has_parent_path()) path = std::filesystem::path("/dev") / path;
  std::error_code error;
  return std::filesystem::is_character_file(path, error);
}

std::string PortAtStartup(std::string_view saved, const std::vector<SerialPortEntry>& present,
                          const std::function<bool(std::string_view)>& exists) {
  if (saved == kVirtualPortName) return std::string(saved);
  const auto isSaved = [saved](const SerialPortEntry& entry) { return entry.Name == saved; };
  if (!saved.empty() && (std::ranges::any_of(present, isSaved) || exists(saved))) return std::string(saved);
  return present.empty() ? std::string(kVirtualPortName) : present.front().Name;
}

}  // namespace hvt
