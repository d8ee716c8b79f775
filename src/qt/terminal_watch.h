#pragma once

// How a terminal port hears that its descriptor is ready: the event loop it runs on watches the
// descriptor and keeps the alarm that ends a hold. The desktop program's loop is Qt's; the
// command-line tool runs its ports on a loop of its own (PollLoop).

#include <chrono>

namespace hvt {

class TerminalWatchListener {
 public:
  virtual ~TerminalWatchListener() = default;
  virtual void OnReadable() = 0;
  virtual void OnWritable() = 0;
  virtual void OnHoldOver() = 0;
};

class TerminalWatch {
 public:
  virtual ~TerminalWatch() = default;
  // From opening to closing: `handle` is watched for `listener`, at first for nothing.
  virtual void Begin(int handle, TerminalWatchListener& listener) = 0;
  virtual void End() = 0;
  virtual void WatchReadable(bool on) = 0;
  virtual void WatchWritable(bool on) = 0;
  // OnHoldOver once `after` has passed, replacing an alarm set before; zero clears it. False
  // when no alarm can be kept (the port then watches instead).
  virtual bool HoldFor(std::chrono::nanoseconds after) = 0;
};

}  // namespace hvt
