#include "qt/qt_reply_timer.h"

namespace hvt {

QtReplyTimer::QtReplyTimer(QObject* parent) : QObject(parent) {
  alarm_.setSingleShot(true);
  alarm_.setTimerType(Qt::PreciseTimer);
  connect(&alarm_, &QTimer::timeout, this, &QtReplyTimer::OnAlarm);
}

void QtReplyTimer::Start(std::chrono::milliseconds interval) {
  const auto now = std::chrono::steady_clock::now();
  deadline_ = now + interval;
  // An alarm due later than the new deadline would be late.
  if (!alarm_.isActive() || now + std::chrono::milliseconds(alarm_.remainingTime()) > *deadline_) {
    alarm_.start(interval);
  }
}

void QtReplyTimer::OnAlarm() {
  if (!deadline_) return;
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(*deadline_ - std::chrono::steady_clock::now());
  if (left > std::chrono::milliseconds(0)) {
    alarm_.start(left);
    return;
  }
  deadline_.reset();
  if (listener_ != nullptr) listener_->OnTimeout();
}

}  // namespace hvt
