// The terminal port's own promises, on Qt's loop and on the command-line tool's: a paced reply is
// slept through and handed over whole, the port is this program's alone, a terminal that goes
// away during a hold is reported, stale bytes are dropped, and the terminal is left as it was
// found.

#include "qt/terminal_link_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "qt/poll_loop.h"

namespace hvt {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

const Bytes kRequest = {'R', 0x00, 0x10, 0x10};

Bytes Reply() {
  Bytes reply(26);
  for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<std::uint8_t>(i + 1);
  return reply;
}

// The radio's end of a pseudo-terminal: it answers every request with the reply, a byte at a
// time at 9600 baud's pace, from a thread of its own.
class PacedRadioEnd {
 public:
  PacedRadioEnd() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) path_ = ::ptsname(master_);
  }
  ~PacedRadioEnd() { Hangup(); }
  PacedRadioEnd(const PacedRadioEnd&) = delete;
  PacedRadioEnd& operator=(const PacedRadioEnd&) = delete;

  bool Opened() const { return !path_.empty(); }
  QString Path() const { return QString::fromStdString(path_); }
  int Master() const { return master_; }

  void StartAnswering() {
    answering_ = std::thread([this] {
      std::array<std::uint8_t, 64> heard{};
      std::size_t pending = 0;
      while (!stop_) {
        pollfd watch{master_, POLLIN, 0};
        if (::poll(&watch, 1, 5) != 1) continue;
        const ssize_t count = ::read(master_, heard.data(), heard.size());
        if (count <= 0) return;
        pending += static_cast<std::size_t>(count);
        for (; pending >= kRequest.size() && !stop_; pending -= kRequest.size()) {
          if (silent_) continue;
          for (const std::uint8_t byte : Reply()) {
            std::this_thread::sleep_for(1042us);
            static_cast<void>(::write(master_, &byte, 1));
          }
        }
      }
    });
  }
  void FallSilent() { silent_ = true; }
  // The cable is pulled.
  void Hangup() {
    stop_ = true;
    if (answering_.joinable()) answering_.join();
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string path_;
  std::thread answering_;
  std::atomic<bool> stop_ = false;
  std::atomic<bool> silent_ = false;
};

class Heard final : public LinkPortListener {
 public:
  std::vector<Bytes> Chunks;
  bool Lost = false;

  void OnReceive(std::span<const std::uint8_t> bytes) override {
    Chunks.emplace_back(bytes.begin(), bytes.end());
  }
  void OnPortLost() override { Lost = true; }
};

// The desktop program's loop.
class OnQtsLoop {
 public:
  std::unique_ptr<TerminalWatch> NewWatch() { return nullptr; }
  bool Within(std::chrono::milliseconds limit, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return done();
  }
};

// The command-line tool's loop.
class OnPollLoop final : private ReplyTimerListener {
 public:
  std::unique_ptr<TerminalWatch> NewWatch() { return loop_.NewWatch(); }
  bool Within(std::chrono::milliseconds limit, const std::function<bool()>& done) {
    const std::unique_ptr<ReplyTimer> limitTimer = loop_.NewTimer();
    limitTimer->SetListener(this);
    limitTimer->Start(limit);
    timedOut_ = false;
    loop_.RunWhile([&] { return !done() && !timedOut_; });
    return done();
  }

 private:
  void OnTimeout() override { timedOut_ = true; }
  PollLoop loop_;
  bool timedOut_ = false;
};

template <typename Loop>
class TerminalLinkPortTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!radio_.Opened()) GTEST_SKIP() << "no pseudo-terminal here";
    port_.SetListener(&heard_);
  }

  // As the link sends a packet: the reply's length, stale bytes dropped, then the packet.
  bool Send() {
    port_.SetReceiveThreshold(Reply().size());
    port_.DiscardBuffers();
    return port_.Write(kRequest);
  }
  bool Within(std::chrono::milliseconds limit, const std::function<bool()>& done) {
    return loop_.Within(limit, done);
  }

  Loop loop_;
  PacedRadioEnd radio_;
  TerminalLinkPort port_{radio_.Path(), loop_.NewWatch()};
  Heard heard_;
};

using Loops = testing::Types<OnQtsLoop, OnPollLoop>;
TYPED_TEST_SUITE(TerminalLinkPortTest, Loops);

TYPED_TEST(TerminalLinkPortTest, PacedRepliesAreSleptThroughAndHandedOverWhole) {
  this->radio_.StartAnswering();
  ASSERT_TRUE(this->port_.Open()) << this->port_.FailureDetail();
  for (std::size_t exchange = 0; exchange < 4; ++exchange) {
    ASSERT_TRUE(this->Send());
    // The first reply teaches the line's pace; from then on the port sleeps through each one.
    EXPECT_EQ(this->port_.IsHolding(), exchange > 0) << "exchange " << exchange;
    ASSERT_TRUE(this->Within(2s, [&] { return this->heard_.Chunks.size() == exchange + 1; }))
        << "exchange " << exchange;
    EXPECT_EQ(this->heard_.Chunks.back(), Reply()) << "exchange " << exchange;
  }
  EXPECT_FALSE(this->heard_.Lost);
}

TYPED_TEST(TerminalLinkPortTest, ThePortIsThisProgramsAlone) {
  ASSERT_TRUE(this->port_.Open());
  TerminalLinkPort other(this->radio_.Path());
  EXPECT_FALSE(other.Open());
  EXPECT_EQ(other.FailureDetail(), this->radio_.Path().toStdString() + ": Device or resource busy");
  this->port_.Close();
  EXPECT_TRUE(other.Open()) << other.FailureDetail();
}

TYPED_TEST(TerminalLinkPortTest, ATerminalGoneDuringAHoldIsReportedLost) {
  this->radio_.StartAnswering();
  ASSERT_TRUE(this->port_.Open());
  ASSERT_TRUE(this->Send());
  ASSERT_TRUE(this->Within(2s, [&] { return this->heard_.Chunks.size() == 1; }));
  this->radio_.FallSilent();
  ASSERT_TRUE(this->Send());
  ASSERT_TRUE(this->port_.IsHolding());
  this->radio_.Hangup();
  EXPECT_TRUE(this->Within(1s, [&] { return this->heard_.Lost; })) << "the loss is seen once the hold ends";
  EXPECT_FALSE(this->port_.IsOpen());
  EXPECT_EQ(this->port_.FailureDetail(), this->radio_.Path().toStdString() + ": Input/output error");
}

TYPED_TEST(TerminalLinkPortTest, ATerminalGoneWhileWatchedIsReportedLost) {
  this->radio_.StartAnswering();
  this->radio_.FallSilent();
  ASSERT_TRUE(this->port_.Open());
  ASSERT_TRUE(this->Send());
  ASSERT_FALSE(this->port_.IsHolding()) << "the line's pace is not known yet";
  this->radio_.Hangup();
  EXPECT_TRUE(this->Within(1s, [&] { return this->heard_.Lost; }));
  EXPECT_EQ(this->port_.FailureDetail(), this->radio_.Path().toStdString() + ": Input/output error");
}

TYPED_TEST(TerminalLinkPortTest, BytesWaitingBeforeAPacketAreDropped) {
  ASSERT_TRUE(this->port_.Open());
  const Bytes stale = {0xAA, 0xBB, 0xCC};
  ASSERT_EQ(::write(this->radio_.Master(), stale.data(), stale.size()), 3);
  std::this_thread::sleep_for(20ms);  // into the terminal's input queue
  this->radio_.StartAnswering();
  ASSERT_TRUE(this->Send());
  ASSERT_TRUE(this->Within(2s, [&] { return !this->heard_.Chunks.empty(); }));
  EXPECT_EQ(this->heard_.Chunks.front(), Reply());
}

TYPED_TEST(TerminalLinkPortTest, TheTerminalIsLeftAsItWasFound) {
  const QByteArray path = this->radio_.Path().toLocal8Bit();
  const int keeper = ::open(path.constData(), O_RDWR | O_NOCTTY);
  ASSERT_GE(keeper, 0);
  termios before{};
  ASSERT_EQ(::tcgetattr(keeper, &before), 0);
  ::cfsetspeed(&before, B38400);
  before.c_lflag |= ICANON | ECHO;
  ASSERT_EQ(::tcsetattr(keeper, TCSANOW, &before), 0);
  ASSERT_EQ(::tcgetattr(keeper, &before), 0);

  ASSERT_TRUE(this->port_.Open());
  termios during{};
  ASSERT_EQ(::tcgetattr(keeper, &during), 0);
  EXPECT_EQ(::cfgetospeed(&during), static_cast<speed_t>(B9600));
  EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0U) << "raw while open";
  this->port_.Close();

  termios after{};
  ASSERT_EQ(::tcgetattr(keeper, &after), 0);
  ::close(keeper);
  EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B38400));
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);
}

}  // namespace
}  // namespace hvt
