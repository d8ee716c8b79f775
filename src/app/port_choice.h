#pragma once

// Which serial port the program talks to: the entries the system offers, and the rule that keeps
// a saved port only while it is there.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hvt {

// The name that selects the built-in virtual radio instead of a serial port.
inline constexpr const char* kVirtualPortName = "virtual";

struct SerialPortEntry {
  std::string Name;         // what --port takes: COM3, ttyUSB0, /dev/ttyUSB0 or "virtual"
  std::string Description;  // maker and product as the system reports them

  bool operator==(const SerialPortEntry&) const = default;
};

// Whether `name` is a terminal device that exists now: a path such as /dev/pts/3, or a name
// under /dev. The system's port list leaves out pseudo-terminals and the like.
bool IsExistingDevice(std::string_view name);

// The port to use at start-up: the saved one while it is there (listed, or a device that still
// exists), else the first present entry (the virtual radio when there is no real port). The
// virtual radio is always there.
std::string PortAtStartup(std::string_view saved, const std::vector<SerialPortEntry>& present,
                          const std::function<bool(std::string_view)>& exists = IsExistingDevice);

}  // namespace hvt
