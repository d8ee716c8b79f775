#include "cli/stop_signals.h"

#include <csignal>

namespace hvt::cli {

namespace {

std::atomic<bool> gStopRequested = false;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void RequestStop(int signalNumber) {
  if (gStopRequested) {
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
    return;
  }
  gStopRequested = true;
}

struct sigaction gOldInt {};
struct sigaction gOldTerm {};

}  // namespace

// No SA_RESTART: a wait in progress returns at once and the command looks at the request.
StopSignals::StopSignals() {
  gStopRequested = false;
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &gOldInt);
  sigaction(SIGTERM, &action, &gOldTerm);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &gOldInt, nullptr);
  sigaction(SIGTERM, &gOldTerm, nullptr);
}

const std::atomic<bool>& StopSignals::Requested() { return gStopRequested; }

}  // namespace hvt::cli
