#include "qt/qt_reply_timer.h"

namespace hvt {

QtReplyTimer::QtReplyTimer(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (listener_ != nullptr) listener_->OnTimeout();
  });
}

void QtReplyTimer::Start(std::chrono::milliseconds interval) { timer_.start(interval); }

}  // namespace hvt
