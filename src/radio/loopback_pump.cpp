#include "radio/loopback_pump.h"

#include <optional>

namespace hvt {

bool LoopbackPump::Step() {
  bool delivered = false;
  for (const Link& link : links_) delivered = link.Port->Poll() || link.Timer->FireIfDue() || delivered;
  if (delivered) return true;
  // Every link is caught up with the clock now, so the next event lies ahead of it.
  std::optional<SimTime> next;
  for (const Link& link : links_) {
    for (const std::optional<SimTime> event : {link.Port->NextArrival(), link.Timer->Deadline()}) {
      if (event && (!next || *event < *next)) next = event;
    }
  }
  if (!next) return false;
  clock_.AdvanceTo(*next);
  return true;
}

bool LoopbackPump::RunUntilIdle(std::chrono::milliseconds limit) {
  // The step cap only stops a listener that keeps answering itself without time passing.
  constexpr long kMaxSteps = 10'000'000;
  const SimTime end = clock_.Now() + limit;
  for (long step = 0; step < kMaxSteps && clock_.Now() <= end; ++step) {
    if (!Step()) return true;
  }
  return false;
}

}  // namespace hvt
