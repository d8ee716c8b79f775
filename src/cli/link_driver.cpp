#include "cli/link_driver.h"

#include <QEventLoop>
#include <QString>
#include <algorithm>

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
      return;
    }
    Configuration factory = FactoryTemplate(BandVariant::Full);
    RadioImage image;
    if (!EncodeAll(factory, image)) radio_.LoadImage(image);
  }

  LinkPort& Port() override { return port_; }
  ReplyTimer& Timer() override { return timer_; }

  void RunWhile(const std::function<bool()>& running) override {
    LoopbackPump pump(clock_, port_, timer_);
    while (running() && pump.Step()) {
    }
  }

  bool Finish() override {
    std::error_code ignored;
    std::filesystem::create_directories(memoryFile_.parent_path(), ignored);
    return WriteFileAtomically(memoryFile_, radio_.Memory()).Ok();
  }

 private:
  std::filesystem::path memoryFile_;
  ManualClock clock_;
  VirtualRadio radio_;
  LoopbackPort port_;
  ManualTimer timer_;
};

class SerialDriver final : public LinkDriver {
 public:
  explicit SerialDriver(const std::string& portName) : port_(QString::fromStdString(portName)) {}

  LinkPort& Port() override { return port_; }
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
