#pragma once

// The serial port the link uses on this system. On Linux the program drives the terminal itself,
// which lets it sleep through a reply instead of waking for each of its bytes.

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include "qt/terminal_link_port.h"
#else
#include "qt/qt_serial_link_port.h"
#endif

namespace hvt {

#ifdef Q_OS_LINUX
using SerialLinkPort = TerminalLinkPort;
#else
using SerialLinkPort = QtSerialLinkPort;
#endif

}  // namespace hvt
