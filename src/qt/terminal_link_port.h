#pragma once

// The link's port on a terminal device (a USB serial adapter, a pseudo-terminal): raw, 9600 baud,
// 8 data bits, no parity, one stop bit, no flow control, opened for this program alone. Received
// bytes are buffered until the link's threshold is reached, then handed over in one piece.
//
// At 9600 baud a reply arrives a byte a millisecond, and the kernel wakes whoever watches a
// terminal for every byte, even one it then finds too few to report. So once a packet is out the
// port goes unwatched until its reply is likely whole (ReplyPace) and is then read at once; only
// a reply still short is watched for, with VMIN set to the bytes it lacks.

#include <termios.h>

#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/link_port.h"
#include "qt/reply_pace.h"
#include "qt/terminal_watch.h"

namespace hvt {

class TerminalLinkPort final : public LinkPort, private TerminalWatchListener {
 public:
  // Watched on Qt's event loop unless `watch` says otherwise.
  explicit TerminalLinkPort(const QString& portName, std::unique_ptr<TerminalWatch> watch = nullptr);
  ~TerminalLinkPort() override;
  TerminalLinkPort(const TerminalLinkPort&) = delete;
  TerminalLinkPort& operator=(const TerminalLinkPort&) = delete;

  void SetListener(LinkPortListener* listener) override { listener_ = listener; }
  [[nodiscard]] bool Open() override;
  void Close() override;
  bool IsOpen() const override { return handle_ >= 0; }
  [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override;
  void SetReceiveThreshold(std::size_t bytes) override;
  void DiscardBuffers() override;
  std::string FailureDetail() const override;

  // True while a reply is left unwatched; for tests.
  bool IsHolding() const { return holding_; }

 private:
  bool OpenTerminal();
  void OnReadable() override;
  void OnWritable() override;
  void OnHoldOver() override;
  // False when the port turned out to be gone, and was closed.
  bool ReadAvailable();
  // The system's error number, or 0 when all was written or the terminal takes no more for now.
  int WriteUnsent();
  void Hold();
  void EndHold();
  void Watch();
  void DeliverWhole();
  std::size_t Missing() const;
  void SetWakeCount(std::size_t bytes);
  void Lose(int error);

  QString name_;
  std::unique_ptr<TerminalWatch> watch_;
  // Outlived by a weak copy when a listener's call ends the port's life.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
  int handle_ = -1;
  termios found_{};    // as the terminal was, restored on closing
  termios applied_{};  // as this port set it
  bool holding_ = false;
  ReplyPace pace_;
  LinkPortListener* listener_ = nullptr;
  std::size_t threshold_ = 1;
  std::vector<std::uint8_t> received_;
  std::vector<std::uint8_t> unsent_;
  std::optional<std::chrono::steady_clock::time_point> sentAt_;
  bool delivering_ = false;
  std::string failure_;
};

}  // namespace hvt
