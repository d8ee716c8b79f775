// The reply timer only moves its deadline on a restart; it must still go off once, no earlier
// than the last start asked, and never after a stop.

#include "qt/qt_reply_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <optional>

namespace hvt {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Timeouts final : public ReplyTimerListener {
 public:
  int Count = 0;
  std::optional<Clock::time_point> At;
  void OnTimeout() override {
    ++Count;
    At = Clock::now();
  }
};

void RunEventsFor(std::chrono::milliseconds time) {
  const auto end = Clock::now() + time;
  while (Clock::now() < end) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

class QtReplyTimerTest : public testing::Test {
 protected:
  void SetUp() override { timer_.SetListener(&timeouts_); }
  QtReplyTimer timer_;
  Timeouts timeouts_;
};

TEST_F(QtReplyTimerTest, ARestartCountsFromTheLastStart) {
  timer_.Start(100ms);
  RunEventsFor(60ms);
  const auto restarted = Clock::now();
  timer_.Start(100ms);
  RunEventsFor(400ms);
  EXPECT_EQ(timeouts_.Count, 1);
  ASSERT_TRUE(timeouts_.At.has_value());
  EXPECT_GE(*timeouts_.At - restarted, 100ms);
  EXPECT_FALSE(timer_.IsRunning());
}

TEST_F(QtReplyTimerTest, AShorterIntervalAfterALongerOneIsNotLate) {
  timer_.Start(10s);
  const auto started = Clock::now();
  timer_.Start(50ms);
  RunEventsFor(500ms);
  EXPECT_EQ(timeouts_.Count, 1);
  ASSERT_TRUE(timeouts_.At.has_value());
  EXPECT_GE(*timeouts_.At - started, 50ms);
}

TEST_F(QtReplyTimerTest, AStoppedTimerStaysQuiet) {
  timer_.Start(30ms);
  EXPECT_TRUE(timer_.IsRunning());
  timer_.Stop();
  EXPECT_FALSE(timer_.IsRunning());
  RunEventsFor(100ms);
  EXPECT_EQ(timeouts_.Count, 0);
}

}  // namespace
}  // namespace hvt
