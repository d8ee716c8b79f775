#pragma once

// How long the serial port may leave a reply unwatched after sending a packet. The kernel wakes
// whoever watches a terminal for every byte that arrives, so the cheapest wait is one timer that
// ends as the reply is whole. The time is learnt from replies waited for past the hold: a faster
// one is believed at once, a slower one half way, since a busy machine makes some look slow.
// It is never much longer than the wire at 9600 baud needs. While replies are whole when the
// hold ends, every so often one hold ends a little early to see whether they still take as
// long; one still whole then halves the hold, so a line that answers at once soon goes unheld.

#include <chrono>
#include <cstddef>
#include <optional>

namespace hvt {

class ReplyPace {
 public:
  // Ten bits a byte at 9600 baud.
  static constexpr std::chrono::nanoseconds kByteOnTheWire{1'000'000'000 / 960};
  // Beyond the wire's own time, for the radio's turnaround; a slower radio is merely held less.
  static constexpr std::chrono::microseconds kTurnaround{1000};
  // Shorter holds save less than the timer costs.
  static constexpr std::chrono::milliseconds kShortestHold{2};
  // Longer ones would notice a lost port late.
  static constexpr std::chrono::milliseconds kLongestHold{100};
  // Whole replies in a row before a hold ends early, by a sixteenth, to look again.
  static constexpr int kWholeBeforeLooking = 16;

  // How long to leave the port unwatched for a reply of `bytes` bytes; zero for not at all.
  std::chrono::nanoseconds Hold(std::size_t bytes);
  // A reply of `bytes` bytes was whole `after` the packet went out, waited for past any hold.
  void Arrived(std::size_t bytes, std::chrono::nanoseconds after);
  // The reply was already whole when the hold ended.
  void WholeAtHoldEnd();
  void Forget();

 private:
  std::optional<std::chrono::nanoseconds> perByte_;
  int wholeInARow_ = 0;
  bool looking_ = false;  // the last hold ended early on purpose
};

}  // namespace hvt
