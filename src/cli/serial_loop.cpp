#include "cli/serial_loop.h"

#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <QtGlobal>

#include "qt/qt_reply_timer.h"
#include "qt/serial_link_port.h"
#ifdef Q_OS_LINUX
#include "qt/poll_loop.h"
#include "qt/terminal_link_port.h"
#endif

namespace hvt::cli {

namespace {

#ifdef Q_OS_LINUX

class OwnSerialLoop final : public SerialLoop {
 public:
  std::unique_ptr<LinkPort> NewPort(const std::string& name) override {
    return std::make_unique<TerminalLinkPort>(QString::fromStdString(name), loop_.NewWatch());
  }
  std::unique_ptr<ReplyTimer> NewTimer() override { return loop_.NewTimer(); }
  void RunWhile(const std::function<bool()>& running) override { loop_.RunWhile(running); }
  void Wake() override { loop_.Wake(); }
  int WakeHandle() const override { return loop_.WakeHandle(); }

 private:
  PollLoop loop_;
};

#else

class QtSerialLoop final : public SerialLoop {
 public:
  std::unique_ptr<LinkPort> NewPort(const std::string& name) override {
    return std::make_unique<SerialLinkPort>(QString::fromStdString(name));
  }
  std::unique_ptr<ReplyTimer> NewTimer() override { return std::make_unique<QtReplyTimer>(); }

  // Looks at `running` on every Wake and every 50 ms, so a stop asked by a signal is seen soon.
  void RunWhile(const std::function<bool()>& running) override {
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, &QEventLoop::quit);
    look.start(50);
    loop_ = &loop;
    while (running()) loop.exec();
    loop_ = nullptr;
  }
  void Wake() override {
    if (loop_ != nullptr) loop_->quit();
  }
  int WakeHandle() const override { return -1; }

 private:
  QEventLoop* loop_ = nullptr;
};

#endif

}  // namespace

std::unique_ptr<SerialLoop> NewSerialLoop() {
#ifdef Q_OS_LINUX
  return std::make_unique<OwnSerialLoop>();
#else
  return std::make_unique<QtSerialLoop>();
#endif
}

}  // namespace hvt::cli
