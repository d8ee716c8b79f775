#include "cli/serial_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
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

// Elsewhere: Qt's ports on Qt's loop.
class QtSerialLoop final : public SerialLoop {
 public:
  std::unique_ptr<LinkPort> NewPort(const std::string& name) override {
    return std::make_unique<SerialLinkPort>(QString::fromStdString(name));
  }
  std::unique_ptr<ReplyTimer> NewTimer() override { return std::make_unique<QtReplyTimer>(); }

  // Also looks every 50 ms, so that a stop asked by a signal is seen soon.
  void RunWhile(const std::function<bool()>& running) override {
    QTimer look;
    look.start(50);
    while (running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  void Wake() override { QAbstractEventDispatcher::instance()->wakeUp(); }
  int WakeHandle() const override { return -1; }
};

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
