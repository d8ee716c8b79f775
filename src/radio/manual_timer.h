#pragma once

// A reply timer that runs out only when its owner looks at a manual clock, so a test decides
// exactly when a time-out happens.

#include <chrono>
#include <optional>

#include "link/reply_timer.h"
#include "radio/sim_clock.h"

namespace hvt {

class ManualTimer final : public ReplyTimer {
 public:
  explicit ManualTimer(const Clock& clock) : clock_(clock) {}

  void SetListener(ReplyTimerListener* listener) override { listener_ = listener; }
  void Start(std::chrono::milliseconds interval) override;
  void Stop() override { deadline_.reset(); }
  bool IsRunning() const override { return deadline_.has_value(); }

  std::optional<SimTime> Deadline() const { return deadline_; }

  // Tells the listener when the interval has run out by the clock's time; true when it did. The
  // timer is stopped first, so the listener may start it again.
  bool FireIfDue();

 private:
  const Clock& clock_;
  ReplyTimerListener* listener_ = nullptr;
  std::optional<SimTime> deadline_;
};

}  // namespace hvt
