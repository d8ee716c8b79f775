#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

#include "link/reply_timer.h"

namespace hvt {

// The link's reply timer on the Qt event loop. The link starts it afresh for every packet, and
// re-registering a Qt timer each time costs more than the rest of a packet's handling; so a
// start only moves the deadline, and a timer that goes off before it sets itself for the rest.
class QtReplyTimer final : public QObject, public ReplyTimer {
  Q_OBJECT

 public:
  explicit QtReplyTimer(QObject* parent = nullptr);

  void SetListener(ReplyTimerListener* listener) override { listener_ = listener; }
  void Start(std::chrono::milliseconds interval) override;
  void Stop() override { deadline_.reset(); }
  bool IsRunning() const override { return deadline_.has_value(); }

 private:
  void OnAlarm();

  QTimer alarm_;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
  ReplyTimerListener* listener_ = nullptr;
};

}  // namespace hvt
