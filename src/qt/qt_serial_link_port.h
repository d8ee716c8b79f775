#pragma once

// The link's port on a serial port through QSerialPort, for systems without terminals: 9600 baud,
// 8 data bits, no parity, one stop bit, no flow control. Received bytes are buffered until the
// link's threshold is reached, then handed over in one piece.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <string>

#include "link/link_port.h"

namespace hvt {

class QtSerialLinkPort final : public QObject, public LinkPort {
  Q_OBJECT

 public:
  explicit QtSerialLinkPort(const QString& portName, QObject* parent = nullptr);

  void SetListener(LinkPortListener* listener) override { listener_ = listener; }
  [[nodiscard]] bool Open() override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override;
  void SetReceiveThreshold(std::size_t bytes) override;
  void DiscardBuffers() override;
  std::string FailureDetail() const override;

 private:
  void OnReadyRead();
  void OnError(QSerialPort::SerialPortError error);
  void DeliverWhenEnough();

  QSerialPort port_;
  LinkPortListener* listener_ = nullptr;
  std::size_t threshold_ = 1;
  QByteArray received_;
  QString name_;  // as the user gave it: Qt shortens "/dev/pts/0" to "pts/0"
  QString failure_;
};

}  // namespace hvt
