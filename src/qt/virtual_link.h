#pragma once

// The built-in virtual radio on the Qt event loop, for the desktop program. The radio's replies
// reach the port at real times; a single-shot timer is armed for the next arrival and polls the
// port then, so an operation runs on the event loop without a blocking loop and without
// spinning: while nothing is on its way no timer is armed at all. The memory is the one the
// command-line tool's "--port virtual" uses, and it is kept each time the port closes.

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <string>

#include "app/virtual_radio_memory.h"
#include "qt/qt_reply_timer.h"
#include "radio/loopback_port.h"
#include "radio/sim_clock.h"

namespace hvt {

class VirtualLink final : public QObject {
  Q_OBJECT

 public:
  explicit VirtualLink(const std::filesystem::path& memoryFile, QObject* parent = nullptr);
  ~VirtualLink() override;
  VirtualLink(const VirtualLink&) = delete;
  VirtualLink& operator=(const VirtualLink&) = delete;

  // What the link runs on. The port refuses to open while Problem() has a value, and says why.
  LinkPort& Port() { return port_; }
  ReplyTimer& Timer() { return timer_; }
  VirtualRadio& Radio() { return memory_.Radio(); }
  const std::optional<std::string>& Problem() const { return memory_.Problem(); }

  // A poll of the port is due; false while nothing is on its way to it.
  bool PollArmed() const { return poll_.isActive(); }

 signals:
  // A memory the last operation changed could not be written to its file.
  void memoryNotKept(const QString& file);

 private:
  // The loopback port, telling the link after every call that may put bytes on the line.
  class ScheduledPort final : public LinkPort {
   public:
    explicit ScheduledPort(VirtualLink& link) : link_(link) {}
    void SetListener(LinkPortListener* listener) override { link_.loopback_.SetListener(listener); }
    [[nodiscard]] bool Open() override;
    void Close() override;
    bool IsOpen() const override { return link_.loopback_.IsOpen(); }
    [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override;
    void SetReceiveThreshold(std::size_t bytes) override;
    void DiscardBuffers() override;
    std::string FailureDetail() const override;

   private:
    VirtualLink& link_;
  };

  void ArmPoll();
  void PollPort();
  void KeepMemory();

  VirtualRadioMemory memory_;
  SteadyClock clock_;
  LoopbackPort loopback_;
  ScheduledPort port_{*this};
  QtReplyTimer timer_;
  QTimer poll_;
};

}  // namespace hvt
