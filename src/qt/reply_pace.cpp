#include "qt/reply_pace.h"

#include <algorithm>
#include <cstdint>

namespace hvt {

std::chrono::nanoseconds ReplyPace::Hold(std::size_t bytes) {
  looking_ = false;
  if (!perByte_ || bytes < 2) return {};
  const auto count = static_cast<std::int64_t>(bytes);
  std::chrono::nanoseconds hold = std::min<std::chrono::nanoseconds>(
      {*perByte_ * count, kByteOnTheWire * count + kTurnaround, kLongestHold});
  if (wholeInARow_ >= kWholeBeforeLooking) {
    looking_ = true;
    hold -= hold / 16;
  }
  return hold < kShortestHold ? std::chrono::nanoseconds{} : hold;
}

void ReplyPace::Arrived(std::size_t bytes, std::chrono::nanoseconds after) {
  if (bytes == 0) return;
  const std::chrono::nanoseconds observed = after / static_cast<std::int64_t>(bytes);
  if (!perByte_ || observed < *perByte_) {
    perByte_ = observed;
  } else {
    *perByte_ += (observed - *perByte_) / 8;
  }
  wholeInARow_ = 0;
  looking_ = false;
}

void ReplyPace::WholeAtHoldEnd() {
  if (!perByte_) return;
  if (looking_) {
    *perByte_ /= 2;
    looking_ = false;
    return;  // and look again at the next reply
  }
  wholeInARow_ = std::min(wholeInARow_ + 1, kWholeBeforeLooking);
}

void ReplyPace::Forget() {
  perByte_.reset();
  wholeInARow_ = 0;
  looking_ = false;
}

}  // namespace hvt
