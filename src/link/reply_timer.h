#pragma once

// The wait for a reply. Start always begins a fresh interval; the timer's owner calls the
// listener when the interval runs out without a Stop.

#include <chrono>

namespace hvt {

class ReplyTimerListener {
 public:
  virtual ~ReplyTimerListener() = default;
  virtual void OnTimeout() = 0;
};

class ReplyTimer {
 public:
  virtual ~ReplyTimer() = default;

  virtual void SetListener(ReplyTimerListener* listener) = 0;
  virtual void Start(std::chrono::milliseconds interval) = 0;
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;
};

}  // namespace hvt
