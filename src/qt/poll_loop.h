#pragma once

// The command-line tool's event loop for its terminal ports and reply timers: one ppoll per
// wake-up and nothing else. A block's reply wakes the link once; on Qt's loop that wake-up cost
// about 30 us more per block than the kernel's own share, here it costs a few.
//
// The loop must outlive the watches and timers it made. A callback may end any of them.

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "link/reply_timer.h"
#include "qt/terminal_watch.h"

namespace hvt {

class PollLoop {
 public:
  PollLoop();
  ~PollLoop();
  PollLoop(const PollLoop&) = delete;
  PollLoop& operator=(const PollLoop&) = delete;

  std::unique_ptr<TerminalWatch> NewWatch();
  std::unique_ptr<ReplyTimer> NewTimer();

  // Dispatches events until `running` returns false; it is asked before every wait.
  void RunWhile(const std::function<bool()>& running);
  // Makes the loop ask again. From any thread; writing 8 bytes to WakeHandle() does the same
  // from a signal handler.
  void Wake();
  int WakeHandle() const { return wake_; }

 private:
  class Watch;
  class Timer;
  using Clock = std::chrono::steady_clock;
  enum class Ready : std::uint8_t { Readable, Writable, HoldOver, Timeout };
  struct Event {
    std::uint64_t Id;
    Ready What;
  };

  void WaitForEvents(std::vector<Event>& events);
  void Dispatch(const Event& event);
  Watch* FindWatch(std::uint64_t id) const;
  Timer* FindTimer(std::uint64_t id) const;

  int wake_ = -1;
  std::uint64_t nextId_ = 1;
  // Kept between waits, so a wake-up allocates nothing.
  std::vector<pollfd> handles_;
  std::vector<std::uint64_t> owners_;
  std::vector<Watch*> watches_;
  std::vector<Timer*> timers_;
};

}  // namespace hvt
