#pragma once

#include <QObject>
#include <QTimer>

#include "link/reply_timer.h"

namespace hvt {

// The link's reply timer on the Qt event loop.
class QtReplyTimer final : public QObject, public ReplyTimer {
  Q_OBJECT

 public:
  explicit QtReplyTimer(QObject* parent = nullptr);

  void SetListener(ReplyTimerListener* listener) override { listener_ = listener; }
  void Start(std::chrono::milliseconds interval) override;
  void Stop() override { timer_.stop(); }
  bool IsRunning() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
  ReplyTimerListener* listener_ = nullptr;
};

}  // namespace hvt
