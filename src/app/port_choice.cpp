#include "app/port_choice.h"

#include <algorithm>

namespace hvt {

std::string PortAtStartup(std::string_view saved, const std::vector<SerialPortEntry>& present) {
  if (saved == kVirtualPortName) return std::string(saved);
  const auto isSaved = [saved](const SerialPortEntry& entry) { return entry.Name == saved; };
  if (!saved.empty() && std::ranges::any_of(present, isSaved)) return std::string(saved);
  return present.empty() ? std::string(kVirtualPortName) : present.front().Name;
}

}  // namespace hvt
