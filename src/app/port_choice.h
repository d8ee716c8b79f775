#pragma once

// Which serial port the program talks to: the entries the system offers, and the rule that keeps
// a saved port only while it is there.

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

// The port to use at start-up: the saved one while it is present, else the first present entry
// (the virtual radio when there is no real port). The virtual radio is always present.
std::string PortAtStartup(std::string_view saved, const std::vector<SerialPortEntry>& present);

}  // namespace hvt
