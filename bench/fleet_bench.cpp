// Two figures of writing radios, through the program's real serial path (the serial port and reply
// timer on the command-line tool's loop, and for many radios on the desktop program's too) to
// virtual radios served on pseudo-terminals and paced at 9600 baud 8N1 on the real clock:
//
// - many radios at once: the time to write 8 radios (or as many as the first argument says) side
//   by side divided by the time to write one alone. Each radio has its own link; the ratio shows
//   what running them together costs, and the loop's share of one processor core what the radios
//   cost it.
// - verify after write: the time of a verified write's read-back divided by the time a read
//   takes for the same blocks. Both read the same blocks one request at a time, so the ratio shows
//   what comparing costs beyond reading.

#include <time.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/fleet_run.h"
#include "i18n/language_texts.h"
#include "link/radio_operation.h"
#include "link_bench_support.h"
#include "radio/virtual_radio.h"
#include "support/served_radio.h"
#include "two_hundred_channels.h"

namespace hvt {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr double kFleetLimit = 1.1;
constexpr double kVerifyLimit = 1.02;

// Radios served on pseudo-terminals for as long as the object lives.
class ServedRadios {
 public:
  // False when the system has no pseudo-terminals.
  bool Serve(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      radios_.push_back(std::make_unique<VirtualRadio>(VirtualRadioSettings{.Paced = true}));
      served_.push_back(std::make_unique<ServedRadio>(*radios_.back()));
      std::string error;
      if (!served_.back()->Open(error)) {
        std::printf("pseudo-terminal: not available (%s)\n", error.c_str());
        return false;
      }
      served_.back()->Start();
      paths_.push_back(served_.back()->Path());
    }
    return true;
  }
  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  std::vector<std::unique_ptr<VirtualRadio>> radios_;
  std::vector<std::unique_ptr<ServedRadio>> served_;
  std::vector<std::string> paths_;
};

Seconds ThreadCpu() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return Seconds(static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9);
}

// Owns a radio's port and counts the block packets sent through it.
class CountedPort final : public LinkPort {
 public:
  CountedPort(std::unique_ptr<LinkPort> port, std::size_t& blocks)
      : port_(std::move(port)), watched_(*port_) {
    watched_.Sending = [&blocks](std::span<const std::uint8_t> bytes) {
      if (IsBlockPacket(bytes)) ++blocks;
    };
  }
  void SetListener(LinkPortListener* listener) override { watched_.SetListener(listener); }
  bool Open() override { return watched_.Open(); }
  void Close() override { watched_.Close(); }
  bool IsOpen() const override { return watched_.IsOpen(); }
  bool Write(std::span<const std::uint8_t> bytes) override { return watched_.Write(bytes); }
  void SetReceiveThreshold(std::size_t bytes) override { watched_.SetReceiveThreshold(bytes); }
  void DiscardBuffers() override { watched_.DiscardBuffers(); }
  std::string FailureDetail() const override { return watched_.FailureDetail(); }

 private:
  std::unique_ptr<LinkPort> port_;
  WatchedPort watched_;
};

struct FleetFigures {
  bool Success = false;
  Seconds Wall{};
  Seconds LoopCpu{};
  std::size_t Blocks = 0;

  double ShareOfACore() const { return LoopCpu / Wall; }
  double MicrosecondsPerBlock() const { return LoopCpu.count() * 1e6 / static_cast<double>(Blocks); }
};

FleetFigures WriteAtOnce(std::size_t count, const Configuration& records, LoopUnderTest& loop) {
  ServedRadios radios;
  if (!radios.Serve(count)) return {};
  const LanguageTexts texts;
  std::size_t blocks = 0;
  FleetRun fleet(texts, [&loop, &blocks](const std::string& port) {
    return FleetLink{std::make_unique<CountedPort>(loop.NewPort(port), blocks), loop.NewTimer()};
  });
  const Seconds cpuBefore = ThreadCpu();
  const auto before = Clock::now();
  if (fleet.StartWrite(radios.Paths(), records, BandVariant::Full, {})) return {};
  loop.RunWhile([&] { return fleet.IsRunning(); });
  return {.Success = fleet.Count(FleetState::Succeeded) == count,
          .Wall = Clock::now() - before,
          .LoopCpu = ThreadCpu() - cpuBefore,
          .Blocks = blocks};
}

bool MeasureFleet(const Configuration& records, std::size_t many) {
  std::printf("Many radios at once (200-channel write, paced radios on pseudo-terminals):\n");
  bool within = true;
  for (const std::unique_ptr<LoopUnderTest>& loop : LoopsUnderTest()) {
    std::printf(" on %s:\n", loop->Name().c_str());
    const FleetFigures one = WriteAtOnce(1, records, *loop);
    const FleetFigures together = WriteAtOnce(many, records, *loop);
    if (!one.Success || !together.Success) {
      std::printf("  FAILED: a radio was not written\n");
      return false;
    }
    const double ratio = together.Wall / one.Wall;
    std::printf("  1 radio alone %.3f s, %zu radios at once %.3f s: ratio %.4f (limit %.2f)%s\n",
                one.Wall.count(), many, together.Wall.count(), ratio, kFleetLimit,
                ratio <= kFleetLimit ? "" : "  ABOVE THE LIMIT");
    std::printf(
        "  the loop's share of one core: %.2f %% for 1 radio (%.1f us/block), %.2f %% for %zu (%.1f "
        "us/block)\n",
        100 * one.ShareOfACore(), one.MicrosecondsPerBlock(), 100 * together.ShareOfACore(), many,
        together.MicrosecondsPerBlock());
    within = within && ratio <= kFleetLimit;
  }
  return within;
}

// When each packet went out.
struct SentPacket {
  Clock::time_point At;
  std::vector<std::uint8_t> Bytes;
};

class EndOfOperation final : public RadioOperationObserver {
 public:
  explicit EndOfOperation(LoopUnderTest& loop) : loop_(loop) {}
  bool Success = false;
  void OnProgress(int) override {}
  void OnFinished(const OperationResult& result) override {
    Success = result.Success;
    loop_.Wake();
  }

 private:
  LoopUnderTest& loop_;
};

bool IsBlockRead(const std::vector<std::uint8_t>& packet) { return packet.size() == 4 && packet[0] == 'R'; }
bool IsBlockWrite(const std::vector<std::uint8_t>& packet) { return packet.size() == 22 && packet[0] == 'W'; }
std::int32_t AddressOf(const std::vector<std::uint8_t>& packet) { return packet[1] << 8 | packet[2]; }

struct Phase {
  int Blocks = 0;
  Seconds Time{};
};

// From the first block read at or after `from` that no block write follows, to the end packet.
Phase ReadPhase(const std::vector<SentPacket>& sent, std::size_t from) {
  Phase phase;
  bool reading = false;
  Clock::time_point start{};
  for (std::size_t i = from; i < sent.size(); ++i) {
    if (IsBlockWrite(sent[i].Bytes)) {
      phase = {};
      reading = false;
    } else if (IsBlockRead(sent[i].Bytes)) {
      if (!reading) start = sent[i].At;
      reading = true;
      ++phase.Blocks;
    } else if (reading && sent[i].Bytes.size() == 3) {  // END
      phase.Time = sent[i].At - start;
    }
  }
  return phase;
}

bool MeasureVerify(const Configuration& records) {
  std::printf("Verify after write (200 channels, paced radio on a pseudo-terminal):\n");
  ServedRadios radios;
  if (!radios.Serve(1)) return false;
  const std::unique_ptr<LoopUnderTest> loop = std::move(LoopsUnderTest().front());
  std::printf(" on %s:\n", loop->Name().c_str());
  const std::unique_ptr<LinkPort> serial = loop->NewPort(radios.Paths().front());
  WatchedPort port(*serial);
  std::vector<SentPacket> sent;
  port.Sending = [&sent](std::span<const std::uint8_t> bytes) {
    sent.push_back({Clock::now(), {bytes.begin(), bytes.end()}});
  };
  const std::unique_ptr<ReplyTimer> timer = loop->NewTimer();
  YesPrompter prompter;
  const LanguageTexts texts;
  RadioOperation operation(port, *timer, prompter, texts);
  EndOfOperation end(*loop);
  operation.SetObserver(&end);
  Configuration written = records;

  WriteJob job = WriteJobFor(written, BandVariant::Full);
  job.Confirmed = true;
  job.Verify = true;
  if (operation.StartWrite(job)) loop->RunWhile([&] { return operation.IsRunning(); });
  if (!end.Success) return false;
  const Phase verify = ReadPhase(sent, 0);

  const std::size_t readStart = sent.size();
  if (operation.StartRead(false)) loop->RunWhile([&] { return operation.IsRunning(); });
  if (!end.Success) return false;
  // The read's blocks after the password and serial-number blocks: the bitmaps, then the rest.
  std::size_t first = readStart;
  while (first < sent.size() && !(IsBlockRead(sent[first].Bytes) && AddressOf(sent[first].Bytes) < 0x3B00)) {
    ++first;
  }
  const Phase read = ReadPhase(sent, first);
  const double ratio = verify.Time.count() / read.Time.count();
  std::printf(
      "  read-back of a verified write: %d blocks in %.3f s; read of the same blocks: %d blocks in %.3f s\n",
      verify.Blocks, verify.Time.count(), read.Blocks, read.Time.count());
  std::printf("  ratio %.4f (limit %.2f)%s\n", ratio, kVerifyLimit,
              ratio <= kVerifyLimit ? "" : "  ABOVE THE LIMIT");
  return verify.Blocks == read.Blocks && ratio <= kVerifyLimit;
}

}  // namespace
}  // namespace hvt

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // How many radios run at once; 8 unless the first argument says otherwise.
  const std::size_t many = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 8;
  if (many < 1 || many > 64) {
    std::fprintf(stderr, "usage: hvt_fleet_bench [RADIOS, 1-64, default 8]\n");
    return 2;
  }
  const hvt::Configuration records = hvt::TwoHundredChannels();
  const bool verify = hvt::MeasureVerify(records);
  const bool fleet = hvt::MeasureFleet(records, many);
  return verify && fleet ? 0 : 1;
}
