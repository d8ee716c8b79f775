#pragma once

// What the link benchmarks share: a user who confirms everything, a port that lets the
// benchmark watch the packets going out and the bytes coming in, and the loops a serial port
// runs on.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QtGlobal>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "i18n/prompter.h"
#include "link/link_port.h"
#include "link/reply_timer.h"
#include "qt/qt_reply_timer.h"
#include "qt/serial_link_port.h"
#ifdef Q_OS_LINUX
#include "qt/poll_loop.h"
#include "qt/terminal_link_port.h"
#endif

namespace hvt {

// Confirms every question and gives up on anything else; keeps what it was told.
class YesPrompter final : public Prompter {
 public:
  std::vector<std::string> Told;

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon) override {
    Told.emplace_back(text);
    return buttons == PromptButtons::RetryCancel ? PromptAnswer::Cancel : PromptAnswer::Ok;
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskPassword(std::string_view) override { return std::nullopt; }
};

// Passes everything through unchanged, telling the watchers what goes each way.
class WatchedPort final : public LinkPort, private LinkPortListener {
 public:
  explicit WatchedPort(LinkPort& port) : port_(port) { port_.SetListener(this); }
  ~WatchedPort() override { port_.SetListener(nullptr); }
  WatchedPort(const WatchedPort&) = delete;
  WatchedPort& operator=(const WatchedPort&) = delete;

  std::function<void(std::span<const std::uint8_t>)> Sending;
  std::function<void(std::span<const std::uint8_t>)> Received;

  void SetListener(LinkPortListener* listener) override { listener_ = listener; }
  bool Open() override { return port_.Open(); }
  void Close() override { port_.Close(); }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (Sending) Sending(bytes);
    return port_.Write(bytes);
  }
  void SetReceiveThreshold(std::size_t bytes) override { port_.SetReceiveThreshold(bytes); }
  void DiscardBuffers() override { port_.DiscardBuffers(); }
  std::string FailureDetail() const override { return port_.FailureDetail(); }

 private:
  void OnReceive(std::span<const std::uint8_t> bytes) override {
    if (Received) Received(bytes);
    if (listener_ != nullptr) listener_->OnReceive(bytes);
  }
  void OnPortLost() override {
    if (listener_ != nullptr) listener_->OnPortLost();
  }

  LinkPort& port_;
  LinkPortListener* listener_ = nullptr;
};

inline bool IsBlockPacket(std::span<const std::uint8_t> packet) {
  return (packet.size() == 4 && packet[0] == 'R') || (packet.size() == 22 && packet[0] == 'W');
}

// A loop serial ports run on, with the ports and reply timers made for it.
class LoopUnderTest {
 public:
  virtual ~LoopUnderTest() = default;
  virtual std::string Name() const = 0;
  // Ports and timers must not outlive the loop.
  virtual std::unique_ptr<LinkPort> NewPort(const std::string& path) = 0;
  virtual std::unique_ptr<ReplyTimer> NewTimer() = 0;
  // Runs events until `running` turns false; it is asked after every event and on Wake.
  virtual void RunWhile(const std::function<bool()>& running) = 0;
  virtual void Wake() = 0;
};

// Qt's loop, as the desktop program runs.
class QtsLoop final : public LoopUnderTest {
 public:
  std::string Name() const override {
    return std::string("Qt's loop (") + QAbstractEventDispatcher::instance()->metaObject()->className() +
           "), as the desktop program";
  }
  std::unique_ptr<LinkPort> NewPort(const std::string& path) override {
    return std::make_unique<SerialLinkPort>(QString::fromStdString(path));
  }
  std::unique_ptr<ReplyTimer> NewTimer() override { return std::make_unique<QtReplyTimer>(); }
  void RunWhile(const std::function<bool()>& running) override {
    while (running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  void Wake() override { QAbstractEventDispatcher::instance()->wakeUp(); }
};

#ifdef Q_OS_LINUX
// PollLoop, as the command-line tool runs on Linux.
class ToolsLoop final : public LoopUnderTest {
 public:
  std::string Name() const override { return "PollLoop, as the command-line tool"; }
  std::unique_ptr<LinkPort> NewPort(const std::string& path) override {
    return std::make_unique<TerminalLinkPort>(QString::fromStdString(path), loop_.NewWatch());
  }
  std::unique_ptr<ReplyTimer> NewTimer() override { return loop_.NewTimer(); }
  void RunWhile(const std::function<bool()>& running) override { loop_.RunWhile(running); }
  void Wake() override { loop_.Wake(); }

 private:
  PollLoop loop_;
};
#endif

// The command-line tool's loop, then the desktop program's.
inline std::vector<std::unique_ptr<LoopUnderTest>> LoopsUnderTest() {
  std::vector<std::unique_ptr<LoopUnderTest>> loops;
#ifdef Q_OS_LINUX
  loops.push_back(std::make_unique<ToolsLoop>());
#endif
  loops.push_back(std::make_unique<QtsLoop>());
  return loops;
}

}  // namespace hvt
