#pragma once

#include <vector>

#include "app/port_choice.h"

namespace hvt {

// The system's serial ports, then the virtual radio.
std::vector<SerialPortEntry> AvailableSerialPorts();

}  // namespace hvt
