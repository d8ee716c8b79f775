#include "radio/loopback_pump.h"

#include <optional>

namespace hvt {

bool LoopbackPump::Step() {
  if (port_.Poll() || timer_.FireIfDue()) return true;
  // Both are caught up with the clock now, so the next event lies ahead of it.
  std::optional<SimTime> next = port_.NextArrival();
  if (const auto deadline = timer_.Deadline(); deadline && (!next || *deadline < *next)) next = deadline;
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
