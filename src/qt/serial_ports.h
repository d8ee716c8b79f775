#pragma once

#include <string>
#include <vector>

namespace hvt {

// The name that selects the built-in virtual radio instead of a serial port.
inline constexpr const char* kVirtualPortName = "virtual";

struct SerialPortEntry {
  std::string Name;         // what --port takes: COM3, ttyUSB0, /dev/ttyUSB0 or "virtual"
  std::string Description;  // maker and product as the system reports them
};

// The system's serial ports, then the virtual radio.
std::vector<SerialPortEntry> AvailableSerialPorts();

}  // namespace hvt
