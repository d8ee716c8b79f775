#pragma once

// Ctrl+C (SIGINT) and SIGTERM ask the running command to stop while a StopSignals lives: the
// command looks at the request and ends in its own time (a transfer after the packet in flight).
// A second signal ends the program at once, as without the object.

#include <atomic>

namespace hvt::cli {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Set from the signal handler; false again whenever a StopSignals is made.
  static const std::atomic<bool>& Requested();
};

}  // namespace hvt::cli
