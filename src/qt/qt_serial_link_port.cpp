#include "qt/qt_serial_link_port.h"

namespace hvt {

QtSerialLinkPort::QtSerialLinkPort(const QString& portName, QObject* parent)
    : QObject(parent), name_(portName) {
  port_.setPortName(portName);
  connect(&port_, &QSerialPort::readyRead, this, &QtSerialLinkPort::OnReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLinkPort::OnError);
}

bool QtSerialLinkPort::Open() {
  if (port_.isOpen()) return true;
  failure_.clear();
  if (!port_.open(QIODevice::ReadWrite)) return false;
  const bool configured = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                          port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                          port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) port_.close();
  received_.clear();
  return configured;
}

void QtSerialLinkPort::Close() {
  if (port_.isOpen()) port_.close();
  received_.clear();
}

bool QtSerialLinkPort::Write(std::span<const std::uint8_t> bytes) {
  if (!port_.isOpen()) return false;
  const auto size = static_cast<qint64>(bytes.size());
  return port_.write(reinterpret_cast<const char*>(bytes.data()), size) == size;  // NOLINT
}

void QtSerialLinkPort::SetReceiveThreshold(std::size_t bytes) { threshold_ = bytes == 0 ? 1 : bytes; }

void QtSerialLinkPort::DiscardBuffers() {
  if (port_.isOpen()) {
    port_.clear(QSerialPort::AllDirections);
    port_.readAll();  // what Qt had already taken from the driver
  }
  received_.clear();
}

std::string QtSerialLinkPort::FailureDetail() const {
  if (failure_.isEmpty()) return {};
  return (name_ + QStringLiteral(": ") + failure_).toStdString();
}

void QtSerialLinkPort::OnError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError) return;
  failure_ = port_.errorString();
  // A vanished device keeps its descriptor readable forever: the event loop would spin on it.
  const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
  if (!lost || !port_.isOpen()) return;
  // Closed once Qt has left the handler that reported the error, which still uses the port.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!port_.isOpen()) return;
        port_.close();
        received_.clear();
        if (listener_ != nullptr) listener_->OnPortLost();
      },
      Qt::QueuedConnection);
}

void QtSerialLinkPort::OnReadyRead() {
  if (!port_.isOpen()) return;
  received_ += port_.readAll();
  DeliverWhenEnough();
}

void QtSerialLinkPort::DeliverWhenEnough() {
  if (listener_ == nullptr || static_cast<std::size_t>(received_.size()) < threshold_) return;
  const QByteArray chunk = std::exchange(received_, QByteArray());
  listener_->OnReceive(std::span(reinterpret_cast<const std::uint8_t*>(chunk.constData()),  // NOLINT
                                 static_cast<std::size_t>(chunk.size())));
}

}  // namespace hvt
