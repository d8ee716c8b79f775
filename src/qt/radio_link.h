#pragma once

// The desktop program's one port and reply timer for the link, on whichever port the user chose
// last: a serial port or the built-in virtual radio. The link keeps its listeners for the
// program's life; this passes them on to the port in use, so the password remembered by the
// link survives a change of port.

#include <QObject>
#include <filesystem>
#include <memory>
#include <string>

#include "link/link_port.h"
#include "link/reply_timer.h"
#include "qt/qt_reply_timer.h"
#include "qt/serial_link_port.h"
#include "qt/virtual_link.h"

namespace hvt {

class RadioLink final : public QObject {
  Q_OBJECT

 public:
  explicit RadioLink(std::filesystem::path virtualMemoryFile, QObject* parent = nullptr);

  LinkPort& Port() { return port_; }
  ReplyTimer& Timer() { return timer_; }

  // Before an operation starts: "virtual" or a system name (COM3, ttyUSB0, /dev/ttyUSB0).
  void Use(const std::string& portName);
  // The virtual radio, made on first use.
  VirtualLink& Virtual();

 signals:
  void virtualMemoryNotKept(const QString& file);

 private:
  class ForwardingPort final : public LinkPort {
   public:
    void SetTarget(LinkPort& target);
    // Before `target` goes away; a new target must follow before the port is used again.
    void Release(LinkPort& target);
    void SetListener(LinkPortListener* listener) override;
    [[nodiscard]] bool Open() override { return target_->Open(); }
    void Close() override { target_->Close(); }
    bool IsOpen() const override { return target_->IsOpen(); }
    [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override { return target_->Write(bytes); }
    void SetReceiveThreshold(std::size_t bytes) override { target_->SetReceiveThreshold(bytes); }
    void DiscardBuffers() override { target_->DiscardBuffers(); }
    std::string FailureDetail() const override { return target_->FailureDetail(); }

   private:
    LinkPort* target_ = nullptr;
    LinkPortListener* listener_ = nullptr;
  };

  class ForwardingTimer final : public ReplyTimer {
   public:
    void SetTarget(ReplyTimer& target);
    void SetListener(ReplyTimerListener* listener) override;
    void Start(std::chrono::milliseconds interval) override { target_->Start(interval); }
    void Stop() override { target_->Stop(); }
    bool IsRunning() const override { return target_->IsRunning(); }

   private:
    ReplyTimer* target_ = nullptr;
    ReplyTimerListener* listener_ = nullptr;
  };

  std::filesystem::path virtualMemoryFile_;
  std::unique_ptr<VirtualLink> virtual_;
  std::unique_ptr<SerialLinkPort> serial_;
  std::string serialName_;
  QtReplyTimer serialTimer_;
  ForwardingPort port_;
  ForwardingTimer timer_;
};

}  // namespace hvt
