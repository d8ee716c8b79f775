#pragma once

// Time as the virtual radio sees it. The radio never reads a clock itself: its owner passes the
// time in, from the real clock on a pseudo-terminal or from a manual one in tests, so every
// timing of the line is reproducible.

#include <chrono>

namespace hvt {

using SimTime = std::chrono::steady_clock::time_point;
using SimDuration = std::chrono::steady_clock::duration;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SimTime Now() const = 0;
};

class SteadyClock final : public Clock {
 public:
  SimTime Now() const override { return std::chrono::steady_clock::now(); }
};

// Moves only when told to.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(SimTime start = {}) : now_(start) {}

  SimTime Now() const override { return now_; }
  void Advance(SimDuration step) { now_ += step; }
  // Never goes back: an earlier time leaves the clock where it is.
  void AdvanceTo(SimTime time) {
    if (time > now_) now_ = time;
  }

 private:
  SimTime now_;
};

}  // namespace hvt
