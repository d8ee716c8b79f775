#include "cli/link_driver.h"

#include "app/virtual_radio_memory.h"
#include "cli/serial_loop.h"
#include "radio/loopback_port.h"
#include "radio/loopback_pump.h"
#include "radio/manual_timer.h"

namespace hvt::cli {

namespace {

// The virtual radio in simulated time: a whole operation runs in milliseconds.
class VirtualDriver final : public LinkDriver {
 public:
  explicit VirtualDriver(std::filesystem::path memoryFile)
      : memory_(std::move(memoryFile)), port_(memory_.Radio(), clock_), timer_(clock_) {}

  LinkPort& Port() override { return port_; }
  ReplyTimer& Timer() override { return timer_; }

  void RunWhile(const std::function<bool()>& running) override {
    LoopbackPump pump(clock_, port_, timer_);
    while (running() && pump.Step()) {
    }
  }

  std::optional<std::string> Problem() const override { return memory_.Problem(); }
  bool Finish() override { return memory_.Keep(); }

 private:
  VirtualRadioMemory memory_;
  ManualClock clock_;
  LoopbackPort port_;
  ManualTimer timer_;
};

// Passes everything to the serial port and notes whether it opened.
class OpenRecordingPort final : public LinkPort {
 public:
  explicit OpenRecordingPort(LinkPort& port) : port_(port) {}
  void SetListener(LinkPortListener* listener) override { port_.SetListener(listener); }
  bool Open() override {
    openFailed_ = !port_.Open();
    return !openFailed_;
  }
  void Close() override { port_.Close(); }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(std::span<const std::uint8_t> bytes) override { return port_.Write(bytes); }
  void SetReceiveThreshold(std::size_t bytes) override { port_.SetReceiveThreshold(bytes); }
  void DiscardBuffers() override { port_.DiscardBuffers(); }
  std::string FailureDetail() const override { return port_.FailureDetail(); }
  bool OpenFailed() const { return openFailed_; }

 private:
  LinkPort& port_;
  bool openFailed_ = false;
};

class SerialDriver final : public LinkDriver {
 public:
  explicit SerialDriver(const std::string& portName)
      : loop_(NewSerialLoop()), port_(loop_->NewPort(portName)), timer_(loop_->NewTimer()) {}

  LinkPort& Port() override { return recording_; }
  bool OpenFailed() const override { return recording_.OpenFailed(); }
  ReplyTimer& Timer() override { return *timer_; }
  void RunWhile(const std::function<bool()>& running) override { loop_->RunWhile(running); }
  void Wake() override { loop_->Wake(); }
  int WakeHandle() const override { return loop_->WakeHandle(); }

 private:
  std::unique_ptr<SerialLoop> loop_;
  std::unique_ptr<LinkPort> port_;
  OpenRecordingPort recording_{*port_};
  std::unique_ptr<ReplyTimer> timer_;
};

}  // namespace

std::unique_ptr<LinkDriver> VirtualLinkDriver(const std::filesystem::path& memoryFile) {
  return std::make_unique<VirtualDriver>(memoryFile);
}

std::unique_ptr<LinkDriver> SerialLinkDriver(const std::string& portName) {
  return std::make_unique<SerialDriver>(portName);
}

}  // namespace hvt::cli
