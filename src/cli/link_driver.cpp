#include "cli/link_driver.h"

#include <QEventLoop>
#include <QString>
#include <algorithm>
#include <vector>

#include "app/factory_template.h"
#include "files/file_io.h"
#include "model/codec_chain.h"
#include "qt/qt_reply_timer.h"
#include "qt/serial_link_port.h"
#include "radio/loopback_port.h"
#include "radio/loopback_pump.h"
#include "radio/manual_timer.h"
#include "radio/virtual_radio.h"

namespace hvt::cli {

namespace {

class VirtualDriver final : public LinkDriver {
 public:
  explicit VirtualDriver(std::filesystem::path memoryFile)
      : memoryFile_(std::move(memoryFile)), port_(radio_, clock_), timer_(clock_) {
    const auto saved = ReadWholeFile(memoryFile_, radio_memory::kSize);
    if (saved && saved->size() == radio_memory::kSize) {
      std::copy(saved->begin(), saved->end(), radio_.Memory().begin());
      kept_.assign(saved->begin(), saved->end());
      return;
    }
    std::error_code error;
    if (std::filesystem::exists(memoryFile_, error) || error) {
      problem_ = memoryFile_.string() + " is not a virtual radio's memory of " +
                 std::to_string(radio_memory::kSize) + " bytes; move it away to start with a new one";
    }
    Configuration factory = FactoryTemplate(BandVariant::Full);
    RadioImage image;
    if (!EncodeAll(factory, image)) radio_.LoadImage(image);
    kept_.assign(radio_.Memory().begin(), radio_.Memory().end());
  }

  LinkPort& Port() override { return port_; }
  ReplyTimer& Timer() override { return timer_; }

  void RunWhile(const std::function<bool()>& running) override {
    LoopbackPump pump(clock_, port_, timer_);
    while (running() && pump.Step()) {
    }
  }

  // Only a memory that changed is written: a read or an information read leaves no file behind.
  std::optional<std::string> Problem() const override { return problem_; }

  bool Finish() override {
    if (problem_ || std::equal(kept_.begin(), kept_.end(), radio_.Memory().begin(), radio_.Memory().end()))
      return true;
    std::error_code ignored;
    std::filesystem::create_directories(memoryFile_.parent_path(), ignored);
    return WriteFileAtomically(memoryFile_, radio_.Memory()).Ok();
  }

 private:
  std::filesystem::path memoryFile_;
  std::vector<std::uint8_t> kept_;  // the memory as the file holds it
  std::optional<std::string> problem_;
  ManualClock clock_;
  VirtualRadio radio_;
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
  bool OpenFailed() const { return openFailed_; }

 private:
  LinkPort& port_;
  bool openFailed_ = false;
};

class SerialDriver final : public LinkDriver {
 public:
  explicit SerialDriver(const std::string& portName) : port_(QString::fromStdString(portName)) {}

  LinkPort& Port() override { return recording_; }
  bool OpenFailed() const override { return recording_.OpenFailed(); }
  ReplyTimer& Timer() override { return timer_; }

  void RunWhile(const std::function<bool()>& running) override {
    QEventLoop loop;
    loop_ = &loop;
    while (running()) loop.exec();
    loop_ = nullptr;
  }

  void Wake() override {
    if (loop_ != nullptr) loop_->quit();
  }

 private:
  QEventLoop* loop_ = nullptr;
  SerialLinkPort port_;
  OpenRecordingPort recording_{port_};
  QtReplyTimer timer_;
};

}  // namespace

std::unique_ptr<LinkDriver> VirtualLinkDriver(const std::filesystem::path& memoryFile) {
  return std::make_unique<VirtualDriver>(memoryFile);
}

std::unique_ptr<LinkDriver> SerialLinkDriver(const std::string& portName) {
  return std::make_unique<SerialDriver>(portName);
}

}  // namespace hvt::cli
