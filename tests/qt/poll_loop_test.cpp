// The command-line tool's loop: timers go off once and not early, a descriptor is reported only
// while it is watched, a hold's alarm rings once, a callback may end other watches and timers,
// and a wake from another thread or a signal handler makes the loop look at once.

#include "qt/poll_loop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace hvt {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Timeouts final : public ReplyTimerListener {
 public:
  int Count = 0;
  std::optional<Clock::time_point> At;
  std::function<void()> Then;
  void OnTimeout() override {
    ++Count;
    At = Clock::now();
    if (Then) Then();
  }
};

class Events final : public TerminalWatchListener {
 public:
  int Readable = 0;
  int Writable = 0;
  int HoldOver = 0;
  std::function<void()> OnRead;
  void OnReadable() override {
    ++Readable;
    if (OnRead) OnRead();
  }
  void OnWritable() override { ++Writable; }
  void OnHoldOver() override { ++HoldOver; }
};

// Runs the loop for `time`, with a timer of its own to end it.
void RunFor(PollLoop& loop, std::chrono::milliseconds time) {
  const std::unique_ptr<ReplyTimer> end = loop.NewTimer();
  Timeouts ended;
  end->SetListener(&ended);
  end->Start(time);
  loop.RunWhile([&] { return ended.Count == 0; });
}

class Pipe {
 public:
  Pipe() { static_cast<void>(::pipe(ends_.data())); }
  ~Pipe() {
    for (const int end : ends_) ::close(end);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  int Out() const { return ends_[0]; }
  int In() const { return ends_[1]; }
  void Put() const { static_cast<void>(::write(In(), "x", 1)); }
  void Take() const {
    char byte = 0;
    static_cast<void>(::read(Out(), &byte, 1));
  }

 private:
  std::array<int, 2> ends_{-1, -1};
};

TEST(PollLoopTimers, GoOffOnceNoEarlierThanTheirLastStartAskedAndNeverAfterAStop) {
  PollLoop loop;
  const std::unique_ptr<ReplyTimer> restarted = loop.NewTimer();
  const std::unique_ptr<ReplyTimer> stopped = loop.NewTimer();
  Timeouts restartedTimeouts;
  Timeouts stoppedTimeouts;
  restarted->SetListener(&restartedTimeouts);
  stopped->SetListener(&stoppedTimeouts);

  restarted->Start(10s);
  stopped->Start(30ms);
  const auto started = Clock::now();
  restarted->Start(50ms);
  stopped->Stop();
  RunFor(loop, 200ms);

  EXPECT_EQ(restartedTimeouts.Count, 1);
  ASSERT_TRUE(restartedTimeouts.At.has_value());
  EXPECT_GE(*restartedTimeouts.At - started, 50ms);
  EXPECT_LT(*restartedTimeouts.At - started, 150ms);
  EXPECT_FALSE(restarted->IsRunning());
  EXPECT_EQ(stoppedTimeouts.Count, 0);
}

TEST(PollLoopTimers, ATimerEndedByAnotherOnesCallbackIsNotCalled) {
  PollLoop loop;
  const std::unique_ptr<ReplyTimer> first = loop.NewTimer();
  std::unique_ptr<ReplyTimer> second = loop.NewTimer();
  Timeouts firstTimeouts;
  Timeouts secondTimeouts;
  first->SetListener(&firstTimeouts);
  second->SetListener(&secondTimeouts);
  firstTimeouts.Then = [&] { second.reset(); };
  first->Start(20ms);
  second->Start(20ms);
  std::this_thread::sleep_for(30ms);  // both are due at the same wake-up
  RunFor(loop, 10ms);
  EXPECT_EQ(firstTimeouts.Count + secondTimeouts.Count, 1);
}

TEST(PollLoopWatches, ReportADescriptorOnlyWhileWatchedAndRingAHoldOnce) {
  PollLoop loop;
  Pipe pipe;
  Events events;
  const std::unique_ptr<TerminalWatch> watch = loop.NewWatch();
  watch->Begin(pipe.Out(), events);
  pipe.Put();
  RunFor(loop, 20ms);
  EXPECT_EQ(events.Readable, 0) << "not watched yet";

  events.OnRead = [&] { pipe.Take(); };
  watch->WatchReadable(true);
  RunFor(loop, 20ms);
  EXPECT_EQ(events.Readable, 1);

  watch->WatchReadable(false);
  ASSERT_TRUE(watch->HoldFor(30ms));
  pipe.Put();
  RunFor(loop, 100ms);
  EXPECT_EQ(events.HoldOver, 1);
  EXPECT_EQ(events.Readable, 1);

  ASSERT_TRUE(watch->HoldFor(30ms));
  ASSERT_TRUE(watch->HoldFor(0ms));
  watch->End();
  watch->WatchReadable(true);
  RunFor(loop, 60ms);
  EXPECT_EQ(events.HoldOver, 1) << "a cleared alarm does not ring";
  EXPECT_EQ(events.Readable, 1) << "an ended watch reports nothing";
}

TEST(PollLoopWatches, AWatchEndedByACallbackIsNotCalled) {
  PollLoop loop;
  Pipe pipe;
  Events first;
  Events second;
  const std::unique_ptr<TerminalWatch> firstWatch = loop.NewWatch();
  std::unique_ptr<TerminalWatch> secondWatch = loop.NewWatch();
  firstWatch->Begin(pipe.Out(), first);
  secondWatch->Begin(pipe.Out(), second);
  first.OnRead = [&] {
    pipe.Take();
    secondWatch.reset();
  };
  second.OnRead = [&] {
    pipe.Take();
    firstWatch->End();
  };
  firstWatch->WatchReadable(true);
  secondWatch->WatchReadable(true);
  pipe.Put();
  RunFor(loop, 20ms);
  EXPECT_EQ(first.Readable + second.Readable, 1);
}

TEST(PollLoopWake, AWakeFromAnotherThreadOrASignalHandlerEndsTheWaitAtOnce) {
  for (const bool byHandle : {false, true}) {
    PollLoop loop;
    std::atomic<bool> asked = false;
    std::thread waker([&] {
      std::this_thread::sleep_for(30ms);
      asked = true;
      if (byHandle) {
        const std::uint64_t one = 1;
        static_cast<void>(::write(loop.WakeHandle(), &one, sizeof one));
      } else {
        loop.Wake();
      }
    });
    const auto started = Clock::now();
    loop.RunWhile([&] { return !asked; });  // nothing else to wait for
    const auto took = Clock::now() - started;
    waker.join();
    EXPECT_LT(took, 1s) << (byHandle ? "by the handle" : "by Wake");
  }
}

}  // namespace
}  // namespace hvt
