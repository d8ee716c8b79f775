#include "qt/qt_terminal_watch.h"

#include <sys/timerfd.h>
#include <unistd.h>

namespace hvt {

QtTerminalWatch::~QtTerminalWatch() { End(); }

void QtTerminalWatch::Begin(int handle, TerminalWatchListener& listener) {
  End();
  readable_ = new QSocketNotifier(handle, QSocketNotifier::Read, this);
  readable_->setEnabled(false);
  connect(readable_, &QSocketNotifier::activated, this, [&listener] { listener.OnReadable(); });
  writable_ = new QSocketNotifier(handle, QSocketNotifier::Write, this);
  writable_->setEnabled(false);
  connect(writable_, &QSocketNotifier::activated, this, [&listener] { listener.OnWritable(); });
  holdClock_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (holdClock_ >= 0) {
    holdOver_ = new QSocketNotifier(holdClock_, QSocketNotifier::Read, this);
    // The alarm stays readable until it is set again, which the next hold does, or cleared; it
    // is never read.
    connect(holdOver_, &QSocketNotifier::activated, this, [&listener] { listener.OnHoldOver(); });
  }
}

void QtTerminalWatch::End() {
  for (QPointer<QSocketNotifier>* watch : {&readable_, &writable_, &holdOver_}) {
    if (*watch == nullptr) continue;
    (*watch)->setEnabled(false);
    (*watch)->deleteLater();  // it may be the one whose signal is being handled
    *watch = nullptr;
  }
  if (holdClock_ >= 0) ::close(holdClock_);
  holdClock_ = -1;
}

void QtTerminalWatch::WatchReadable(bool on) {
  if (readable_ != nullptr) readable_->setEnabled(on);
}

void QtTerminalWatch::WatchWritable(bool on) {
  if (writable_ != nullptr) writable_->setEnabled(on);
}

bool QtTerminalWatch::HoldFor(std::chrono::nanoseconds after) {
  if (holdClock_ < 0) return false;
  itimerspec alarm{};  // all zero disarms it
  alarm.it_value.tv_sec = static_cast<time_t>(after.count() / 1'000'000'000);
  alarm.it_value.tv_nsec = static_cast<long>(after.count() % 1'000'000'000);
  return ::timerfd_settime(holdClock_, 0, &alarm, nullptr) == 0;
}

}  // namespace hvt
