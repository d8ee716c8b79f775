// How close a read and a write come to the time the wire needs, and what they cost the processor.
//
// Through a pseudo-terminal the program's real serial path (the serial port and reply timer on
// the command-line tool's loop, then on the desktop program's) talks to the virtual radio, which
// paces its bytes at 9600 baud 8N1 on the real clock. Every byte the PC sends comes back as echo, so the
// receive line carries echo plus replies and is the busier direction; its byte count at 960 bytes a second is
// the least time the exchange can take. The in-process run removes the wire and shows what the link itself
// costs.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "link/radio_operation.h"
#include "link_bench_support.h"
#include "model/codec_chain.h"
#include "radio/loopback_port.h"
#include "radio/loopback_pump.h"
#include "radio/manual_timer.h"
#include "radio/pty_server.h"
#include "radio/radio_faults.h"
#include "radio/virtual_radio.h"
#include "two_hundred_channels.h"

namespace hvt {
namespace {

using Seconds = std::chrono::duration<double>;

constexpr double kLineBytesPerSecond = 960.0;  // 9600 baud, ten bits a byte

Seconds CpuTime(clockid_t clock) {
  timespec now{};
  ::clock_gettime(clock, &now);
  return Seconds(static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9);
}

// Counts the bytes each way and the block packets.
struct Counts {
  std::size_t sent = 0;
  std::size_t received = 0;
  std::size_t blocks = 0;

  explicit Counts(WatchedPort& port) {
    port.Sending = [this](std::span<const std::uint8_t> bytes) {
      sent += bytes.size();
      if (IsBlockPacket(bytes)) ++blocks;
    };
    port.Received = [this](std::span<const std::uint8_t> bytes) { received += bytes.size(); };
  }
  Counts(const Counts&) = delete;
  Counts& operator=(const Counts&) = delete;
  void Reset() { sent = received = blocks = 0; }
};

class EndOfOperation final : public RadioOperationObserver {
 public:
  std::function<void()> Then;
  bool Success = false;
  bool Cancelled = false;

  void OnProgress(int) override {}
  void OnFinished(const OperationResult& result) override {
    Success = result.Success;
    Cancelled = result.Cancelled;
    if (Then) Then();
  }
};

struct Figures {
  bool Success = false;
  std::size_t Sent = 0;
  std::size_t Received = 0;
  std::size_t Blocks = 0;
  Seconds Wall{};
  Seconds LinkCpu{};
};

void Print(const char* what, const Figures& f) {
  if (!f.Success) {
    std::printf("  %-5s  FAILED\n", what);
    return;
  }
  const double minimum = static_cast<double>(f.Received) / kLineBytesPerSecond;
  std::printf(
      "  %-5s  %4zu blocks  sent %6zu B  received %6zu B  wall %7.3f s  wire minimum %7.3f s"
      "  ratio %.4f  link CPU %.1f us/block\n",
      what, f.Blocks, f.Sent, f.Received, f.Wall.count(), minimum, f.Wall.count() / minimum,
      f.LinkCpu.count() * 1e6 / static_cast<double>(f.Blocks));
}

// What one block costs this machine at the least, without Qt or the link: a bare loop writes a
// 4-byte request to a pseudo-terminal, sleeps once until the 26-byte reply (echo and block) is
// due, and reads it, while a thread paces the reply at 9600 baud as the virtual radio does. The
// link's CPU per block cannot fall below it; most of it is the kernel waking the thread.
void MeasureMachineFloor() {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
  const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios raw{};
  ::tcgetattr(slave, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(slave, TCSANOW, &raw);
  constexpr std::size_t kReply = 26;
  constexpr auto kByte = std::chrono::nanoseconds(1'000'000'000 / 960);
  std::atomic<bool> stop = false;
  std::thread pacing([&] {
    std::array<std::uint8_t, kReply> reply{};
    std::array<std::uint8_t, 64> request{};
    while (!stop) {
      pollfd watch{master, POLLIN, 0};
      if (::poll(&watch, 1, 20) != 1 || ::read(master, request.data(), request.size()) <= 0) continue;
      auto due = std::chrono::steady_clock::now();
      for (const std::uint8_t& byte : reply) {
        due += kByte;
        std::this_thread::sleep_until(due);
        static_cast<void>(::write(master, &byte, 1));
      }
    }
  });
  constexpr int kExchanges = 300;
  const std::array<std::uint8_t, 4> request{'R', 0, 0, 0x10};
  std::array<std::uint8_t, 4096> reply{};
  const Seconds cpuBefore = CpuTime(CLOCK_THREAD_CPUTIME_ID);
  for (int i = 0; i < kExchanges; ++i) {
    static_cast<void>(::write(slave, request.data(), request.size()));
    std::this_thread::sleep_for(kByte * kReply + std::chrono::microseconds(300));
    for (std::size_t got = 0; got < kReply;) {
      const ssize_t count = ::read(slave, reply.data(), reply.size());
      if (count > 0) {
        got += static_cast<std::size_t>(count);
      } else {
        pollfd watch{slave, POLLIN, 0};
        static_cast<void>(::poll(&watch, 1, 5));
      }
    }
  }
  const Seconds cpu = CpuTime(CLOCK_THREAD_CPUTIME_ID) - cpuBefore;
  stop = true;
  pacing.join();
  ::close(slave);
  ::close(master);
  std::printf("  this machine's floor (bare loop: write, one timed sleep, read) %.1f us/block\n",
              cpu.count() * 1e6 / kExchanges);
}

// A read and a write through the pseudo-terminal on each loop; false when there is none.
bool RunOnPseudoTerminal(Configuration& records) {
  RadioImage image;
  if (EncodeAll(records, image)) return false;
  VirtualRadio radio({.Paced = true});
  radio.LoadImage(image);
  PtyServer server(radio);
  std::string error;
  if (!server.Open(error)) {
    std::printf("pseudo-terminal: not available (%s)\n", error.c_str());
    return false;
  }
  std::atomic<bool> stop = false;
  Seconds radioCpu{};
  std::thread serving([&] {
    if (!server.Serve(stop, error)) std::printf("pseudo-terminal failed: %s\n", error.c_str());
    radioCpu = CpuTime(CLOCK_THREAD_CPUTIME_ID);
  });

  std::printf("Through the pseudo-terminal %s, paced at 9600 baud 8N1:\n", server.SlavePath().c_str());
  std::size_t blocks = 0;
  bool allSucceeded = true;
  for (const std::unique_ptr<LoopUnderTest>& loop : LoopsUnderTest()) {
    const std::unique_ptr<LinkPort> serial = loop->NewPort(server.SlavePath());
    const std::unique_ptr<ReplyTimer> timer = loop->NewTimer();
    WatchedPort port(*serial);
    Counts counts(port);
    YesPrompter prompter;
    const LanguageTexts texts;
    RadioOperation operation(port, *timer, prompter, texts);
    EndOfOperation end;
    end.Then = [&] { loop->Wake(); };
    operation.SetObserver(&end);

    const auto measure = [&](const std::function<bool()>& start) {
      counts.Reset();
      const Seconds cpuBefore = CpuTime(CLOCK_THREAD_CPUTIME_ID);
      const auto before = std::chrono::steady_clock::now();
      if (start()) loop->RunWhile([&] { return operation.IsRunning(); });
      return Figures{.Success = end.Success,
                     .Sent = counts.sent,
                     .Received = counts.received,
                     .Blocks = counts.blocks,
                     .Wall = std::chrono::steady_clock::now() - before,
                     .LinkCpu = CpuTime(CLOCK_THREAD_CPUTIME_ID) - cpuBefore};
    };

    std::printf(" on %s:\n", loop->Name().c_str());
    const Figures read = measure([&] { return operation.StartRead(false); });
    Print("read", read);
    const Figures write =
        measure([&] { return operation.StartWrite(WriteJobFor(records, BandVariant::Full)); });
    Print("write", write);
    blocks += read.Blocks + write.Blocks;
    if (!read.Success || !write.Success) {
      allSucceeded = false;
      for (const std::string& text : prompter.Told) std::printf("  the link said: %s\n", text.c_str());
    }
  }

  stop = true;
  serving.join();
  std::printf("  virtual radio CPU %.1f us/block\n", radioCpu.count() * 1e6 / static_cast<double>(blocks));
  MeasureMachineFloor();
  return allSucceeded;
}

// The user, pressing Cancel when the timer goes off.
class PressCancel final : public ReplyTimerListener {
 public:
  explicit PressCancel(std::function<void()> press) : press_(std::move(press)) {}
  void OnTimeout() override { press_(); }

 private:
  std::function<void()> press_;
};

// How long after Cancel the port is closed, on a paced radio that still answers (the packet in
// flight and the end packet) and on one that has fallen silent (the rest of one reply wait).
// Must stay within one reply time-out, 0.35 s.
bool MeasureCancel(Configuration& records) {
  RadioImage image;
  if (EncodeAll(records, image)) return false;
  struct Case {
    const char* What;
    std::optional<int> SilentAfterBlocks;
    int CancelAfterMs;
  };
  const Case cases[] = {
      {"radio answering", std::nullopt, 1000},
      {"radio answering", std::nullopt, 1517},
      {"radio silent   ", 20, 1000},
      {"radio silent   ", 20, 1150},
  };
  std::printf("Cancel pressed -> port closed (read, paced radio on a pseudo-terminal):\n");
  bool within = true;
  for (const std::unique_ptr<LoopUnderTest>& loop : LoopsUnderTest()) {
    std::printf(" on %s:\n", loop->Name().c_str());
    for (const Case& c : cases) {
      RadioFaults faults;
      faults.SilentAfterBlocks = c.SilentAfterBlocks;
      VirtualRadio radio({.Paced = true, .Faults = faults});
      radio.LoadImage(image);
      PtyServer server(radio);
      std::string error;
      if (!server.Open(error)) return false;
      std::atomic<bool> stop = false;
      std::thread serving([&] { static_cast<void>(server.Serve(stop, error)); });
      const std::unique_ptr<LinkPort> serial = loop->NewPort(server.SlavePath());
      const std::unique_ptr<ReplyTimer> timer = loop->NewTimer();
      YesPrompter prompter;
      const LanguageTexts texts;
      RadioOperation operation(*serial, *timer, prompter, texts);
      EndOfOperation end;
      operation.SetObserver(&end);
      std::chrono::steady_clock::time_point pressed;
      std::chrono::steady_clock::time_point closed;
      end.Then = [&] {
        closed = std::chrono::steady_clock::now();
        loop->Wake();
      };
      const std::unique_ptr<ReplyTimer> user = loop->NewTimer();
      PressCancel press([&] {
        pressed = std::chrono::steady_clock::now();
        operation.Cancel();
      });
      user->SetListener(&press);
      user->Start(std::chrono::milliseconds(c.CancelAfterMs));
      if (operation.StartRead(false)) loop->RunWhile([&] { return operation.IsRunning(); });
      stop = true;
      serving.join();
      const double seconds = Seconds(closed - pressed).count();
      std::printf("  %s, cancelled after %4d ms: %.3f s%s\n", c.What, c.CancelAfterMs, seconds,
                  end.Cancelled ? "" : " (ended otherwise)");
      within = within && end.Cancelled && seconds <= 0.35;
    }
  }
  return within;
}

// Reads and writes in-process, without pacing, for about a second each.
void RunInProcess(Configuration& records) {
  RadioImage image;
  if (EncodeAll(records, image)) return;
  std::printf("In-process, unpaced (LoopbackPort, ManualClock, ManualTimer):\n");
  for (const bool write : {false, true}) {
    ManualClock clock;
    VirtualRadio radio;
    radio.LoadImage(image);
    LoopbackPort loopback(radio, clock);
    WatchedPort port(loopback);
    Counts counts(port);
    ManualTimer timer(clock);
    YesPrompter prompter;
    const LanguageTexts texts;
    RadioOperation operation(port, timer, prompter, texts);
    EndOfOperation end;
    operation.SetObserver(&end);
    LoopbackPump pump(clock, loopback, timer);

    int operations = 0;
    bool failed = false;
    const auto before = std::chrono::steady_clock::now();
    Seconds wall{};
    while (wall < Seconds(1.0) && !failed) {
      const bool started =
          write ? operation.StartWrite(WriteJobFor(records, BandVariant::Full)) : operation.StartRead(false);
      while (pump.Step()) {
      }
      failed = !started || !end.Success;
      ++operations;
      wall = std::chrono::steady_clock::now() - before;
    }
    if (failed) {
      std::printf("  %-5s  FAILED\n", write ? "write" : "read");
      continue;
    }
    std::printf("  %-5s  %d operations of %zu blocks in %.3f s: %.0f blocks/s\n", write ? "write" : "read",
                operations, counts.blocks / static_cast<std::size_t>(operations), wall.count(),
                static_cast<double>(counts.blocks) / wall.count());
  }
}

}  // namespace
}  // namespace hvt

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  hvt::Configuration records = hvt::TwoHundredChannels();
  std::printf("Configuration: %d channels\n", records.Channels.Count);
  const bool pty = hvt::RunOnPseudoTerminal(records);
  const bool cancel = pty && hvt::MeasureCancel(records);
  hvt::RunInProcess(records);
  return pty && cancel ? 0 : 1;
}
