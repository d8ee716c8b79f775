#include "qt/serial_link_port.h"

namespace hvt {

SerialLinkPort::SerialLinkPort(const QString& portName, QObject* parent) : QObject(parent) {
  port_.setPortName(portName);
  connect(&port_, &QSerialPort::readyRead, this, &SerialLinkPort::OnReadyRead);
}

bool SerialLinkPort::Open() {
  if (port_.isOpen()) return true;
  if (!port_.open(QIODevice::ReadWrite)) return false;
  const bool configured = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                          port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                          port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) port_.close();
  received_.clear();
  return configured;
}

void SerialLinkPort::Close() {
  if (port_.isOpen()) port_.close();
  received_.clear();
}

bool SerialLinkPort::Write(std::span<const std::uint8_t> bytes) {
  if (!port_.isOpen()) return false;
  const auto size = static_cast<qint64>(bytes.size());
  return port_.write(reinterpret_cast<const char*>(bytes.data()), size) == size;  // NOLINT
}

void SerialLinkPort::SetReceiveThreshold(std::size_t bytes) { threshold_ = bytes == 0 ? 1 : bytes; }

void SerialLinkPort::DiscardBuffers() {
  if (port_.isOpen()) {
    port_.clear(QSerialPort::AllDirections);
    port_.readAll();  // what Qt had already taken from the driver
  }
  received_.clear();
}

void SerialLinkPort::OnReadyRead() {
  received_ += port_.readAll();
  DeliverWhenEnough();
}

void SerialLinkPort::DeliverWhenEnough() {
  if (listener_ == nullptr || static_cast<std::size_t>(received_.size()) < threshold_) return;
  const QByteArray chunk = std::exchange(received_, QByteArray());
  listener_->OnReceive(std::span(reinterpret_cast<const std::uint8_t*>(chunk.constData()),  // NOLINT
                                 static_cast<std::size_t>(chunk.size())));
}

}  // namespace hvt
