#include "qt/serial_ports.h"

#include <QSerialPortInfo>

namespace hvt {

std::vector<SerialPortEntry> AvailableSerialPorts() {
  std::vector<SerialPortEntry> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    QString description = info.description();
    if (!info.manufacturer().isEmpty()) description = info.manufacturer() + " " + description;
    ports.push_back({info.systemLocation().toStdString(), description.trimmed().toStdString()});
  }
  ports.push_back({kVirtualPortName, "built-in virtual radio"});
  return ports;
}

}  // namespace hvt
