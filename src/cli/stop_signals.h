#pragma once

// Ctrl+C (SIGINT) and SIGTERM ask the running command to stop while a StopSignals lives: the
// command looks at the request and ends in its own time (a transfer after the packet in flight).
// A second signal ends the program at once, as without the object.

#include <atomic>

namespace hvt::cli {

class StopSignals {
 public:
  // A signal also writes 8 bytes to `wakeHandle` (an event descriptor), when there is one, so a
  // loop waiting on it looks at the request at once.
  explicit StopSignals(int wakeHandle = -1);
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Set from the signal handler; false again whenever a StopSignals is made.
  static const std::atomic<bool>& Requested();
};

}  // namespace hvt::cli
