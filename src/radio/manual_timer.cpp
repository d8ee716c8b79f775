#include "radio/manual_timer.h"

namespace hvt {

void ManualTimer::Start(std::chrono::milliseconds interval) { deadline_ = clock_.Now() + interval; }

bool ManualTimer::FireIfDue() {
  if (!deadline_ || clock_.Now() < *deadline_) return false;
  deadline_.reset();
  if (listener_ != nullptr) listener_->OnTimeout();
  return true;
}

}  // namespace hvt
