#include "cli/stop_signals.h"

#include <unistd.h>

#include <csignal>
#include <cstdint>

namespace hvt::cli {

namespace {

std::atomic<bool> gStopRequested = false;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
std::atomic<int> gWakeHandle = -1;
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");

extern "C" void RequestStop(int signalNumber) {
  if (gStopRequested) {
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
    return;
  }
  gStopRequested = true;
  if (const int handle = gWakeHandle; handle >= 0) {
    const std::uint64_t one = 1;
    static_cast<void>(::write(handle, &one, sizeof one));
  }
}

struct sigaction gOldInt {};
struct sigaction gOldTerm {};

}  // namespace

// No SA_RESTART: a wait in progress returns at once and the command looks at the request.
StopSignals::StopSignals(int wakeHandle) {
  gStopRequested = false;
  gWakeHandle = wakeHandle;
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &gOldInt);
  sigaction(SIGTERM, &action, &gOldTerm);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &gOldInt, nullptr);
  sigaction(SIGTERM, &gOldTerm, nullptr);
  gWakeHandle = -1;
}

const std::atomic<bool>& StopSignals::Requested() { return gStopRequested; }

}  // namespace hvt::cli
