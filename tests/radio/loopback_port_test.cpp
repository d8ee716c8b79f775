#include "radio/loopback_port.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "radio/loopback_pump.h"
#include "radio/manual_timer.h"
#include "support/image_bytes.h"

namespace hvt {
namespace {

using namespace std::chrono_literals;

const Bytes kHandshake = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
const Bytes kReadBlock0 = {0x52, 0x00, 0x00, 0x10};

struct Chunks : LinkPortListener {
  void OnReceive(std::span<const std::uint8_t> bytes) override { Sizes.push_back(bytes.size()); }
  void OnPortLost() override { ADD_FAILURE() << "a loopback port is never lost"; }
  std::vector<std::size_t> Sizes;
};

// A paced radio already in programming mode, behind an open port.
struct Bench {
  explicit Bench(RadioFaults faults = {}) : Radio({.Paced = true, .Faults = std::move(faults)}) {
    port.SetListener(&chunks);
    EXPECT_TRUE(port.Open());
    port.SetReceiveThreshold(1);
    EXPECT_TRUE(port.Write(kHandshake));
    clock.Advance(1s);
    port.Poll();
    chunks.Sizes.clear();
    start = clock.Now();
  }
  void PollAt(SimDuration sinceStart) {
    clock.AdvanceTo(start + sinceStart);
    port.Poll();
  }

  ManualClock clock;
  VirtualRadio Radio;
  LoopbackPort port{Radio, clock};
  Chunks chunks;
  SimTime start;
};

TEST(LoopbackPort, DeliversEverythingBufferedOnceTheThresholdIsReached) {
  // A read's echo and reply: 26 bytes, the n-th of them in at n x 1.0417 ms.
  const struct {
    std::size_t Threshold;
    std::vector<SimDuration> Polls;
    std::vector<std::size_t> Chunks;
  } cases[] = {
      {26, {10ms, 27'083us, 27'084us}, {26}},
      {10, {9ms, 10'500us, 27'084us}, {10, 16}},  // the second chunk holds more than the threshold
      {1, {1ms, 1'100us, 27'084us}, {1, 25}},
      {27, {40ms}, {}},
      {0, {40ms}, {}},  // delivery off
  };
  for (const auto& c : cases) {
    Bench bench;
    bench.port.SetReceiveThreshold(c.Threshold);
    ASSERT_TRUE(bench.port.Write(kReadBlock0));
    for (const SimDuration poll : c.Polls) bench.PollAt(poll);
    EXPECT_EQ(bench.chunks.Sizes, c.Chunks) << "threshold " << c.Threshold;
  }
}

TEST(LoopbackPort, DiscardDropsWhatArrivedButNotWhatIsStillOnTheLine) {
  Bench bench;
  bench.port.SetReceiveThreshold(26);
  ASSERT_TRUE(bench.port.Write(kReadBlock0));
  bench.PollAt(20ms);
  EXPECT_EQ(bench.port.BufferedCount(), 19u);
  bench.clock.Advance(1ms);  // one more byte in, not yet taken
  bench.port.DiscardBuffers();
  EXPECT_EQ(bench.port.BufferedCount(), 0u);
  bench.PollAt(40ms);
  EXPECT_EQ(bench.port.BufferedCount(), 6u);
  EXPECT_TRUE(bench.chunks.Sizes.empty());
}

TEST(LoopbackPort, ClosedPortNeitherWritesNorReceives) {
  Bench bench;
  bench.port.SetReceiveThreshold(1);
  ASSERT_TRUE(bench.port.Write(kReadBlock0));
  bench.PollAt(5ms);
  bench.port.Close();
  EXPECT_FALSE(bench.port.Write(kReadBlock0));
  bench.clock.AdvanceTo(bench.start + 20ms);
  ASSERT_TRUE(bench.port.Open());
  bench.PollAt(40ms);
  // 4 bytes before the close; of the rest only those after 20 ms (the 20th to the 26th).
  EXPECT_EQ(bench.chunks.Sizes, (std::vector<std::size_t>{4, 7}));

  bench.port.SetWriteFails(true);
  EXPECT_FALSE(bench.port.Write(kReadBlock0));
  bench.port.Close();
  bench.port.SetOpenFails(true);
  EXPECT_FALSE(bench.port.Open());
}

// A PC that sends packets one after the other as the link does: threshold echo + reply, a
// 300 ms wait, a packet sent at most three times.
class ScriptedPc : public LinkPortListener, public ReplyTimerListener {
 public:
  struct Packet {
    Bytes Sent;
    std::size_t ReplyLength;
  };

  ScriptedPc(LoopbackPort& port, ManualTimer& timer, const Clock& clock, std::vector<Packet> script)
      : port_(port), timer_(timer), clock_(clock), script_(std::move(script)) {
    port_.SetListener(this);
    timer_.SetListener(this);
  }

  void Start() {
    EXPECT_TRUE(port_.Open());
    Send();
  }
  void OnReceive(std::span<const std::uint8_t> bytes) override {
    const Packet& packet = script_[next_];
    if (bytes.size() != packet.Sent.size() + packet.ReplyLength || bytes.back() != 0x06) return;  // wait on
    timer_.Stop();
    Replies.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(packet.Sent.size()), bytes.end());
    if (++next_ < script_.size()) {
      sends_ = 0;
      Send();
    }
  }
  void OnPortLost() override { ADD_FAILURE() << "a loopback port is never lost"; }
  void OnTimeout() override {
    if (sends_ < 3) {
      Send();
    } else {
      GaveUpAt = clock_.Now();
    }
  }

  std::vector<Bytes> Replies;
  std::vector<SimTime> SendTimes;
  std::optional<SimTime> GaveUpAt;

 private:
  void Send() {
    const Packet& packet = script_[next_];
    ++sends_;
    SendTimes.push_back(clock_.Now());
    port_.SetReceiveThreshold(packet.Sent.size() + packet.ReplyLength);
    timer_.Start(300ms);
    port_.DiscardBuffers();
    EXPECT_TRUE(port_.Write(packet.Sent));
  }

  LoopbackPort& port_;
  ManualTimer& timer_;
  const Clock& clock_;
  std::vector<Packet> script_;
  std::size_t next_ = 0;
  int sends_ = 0;
};

struct Wiring {
  explicit Wiring(VirtualRadioSettings settings) : Radio(std::move(settings)) {}

  ManualClock clock;
  VirtualRadio Radio;
  LoopbackPort port{Radio, clock};
  ManualTimer timer{clock};
  LoopbackPump pump{clock, port, timer};
};

TEST(LoopbackPump, TimeOutsHappenExactlyAtTheirDeadlines) {
  const struct {
    const char* Faults;
    std::vector<SimDuration> Sends;
    std::optional<SimDuration> GaveUp;
  } cases[] = {
      {"silent-after=0", {0ms, 300ms, 600ms}, 900ms},
      {"drop=1", {0ms, 300ms}, std::nullopt},
      {"delay=1:320", {0ms, 300ms}, std::nullopt},  // the late reply trails the answered resend
      {"drop=1,drop=2,corrupt=3", {0ms, 300ms, 600ms}, 900ms},
  };
  for (const auto& c : cases) {
    Wiring wiring({.Faults = *ParseRadioFaults(c.Faults).Faults});
    ScriptedPc pc(wiring.port, wiring.timer, wiring.clock, {{kHandshake, 3}});
    const SimTime start = wiring.clock.Now();
    pc.Start();
    EXPECT_TRUE(wiring.pump.RunUntilIdle()) << c.Faults;
    std::vector<SimDuration> sends;
    for (const SimTime time : pc.SendTimes) sends.push_back(time - start);
    EXPECT_EQ(sends, c.Sends) << c.Faults;
    EXPECT_EQ(pc.GaveUpAt ? std::optional(*pc.GaveUpAt - start) : std::nullopt, c.GaveUp) << c.Faults;
    EXPECT_EQ(pc.Replies.size(), c.GaveUp ? 0u : 1u) << c.Faults;
  }
}

TEST(LoopbackPump, RunsAWholePacedReadInSimulatedTime) {
  Wiring wiring({.Paced = true});
  RadioImage image;
  for (std::size_t i = 0; i < RadioImage::kSize; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  wiring.Radio.LoadImage(image);
  std::vector<ScriptedPc::Packet> script = {{kHandshake, 3}};
  for (int address = 0; address < memory_map::kImageSize; address += 16) {
    script.push_back(
        {{0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address), 0x10}, 22});
  }
  script.push_back({{'E', 'N', 'D'}, 1});
  ScriptedPc pc(wiring.port, wiring.timer, wiring.clock, script);
  const SimTime start = wiring.clock.Now();
  pc.Start();
  ASSERT_TRUE(wiring.pump.RunUntilIdle());

  ASSERT_EQ(pc.Replies.size(), script.size());
  RadioImage received;
  for (std::size_t block = 0; block < 810; ++block) {
    const Bytes& reply = pc.Replies[1 + block];
    std::copy(reply.begin() + 4, reply.begin() + 20,
              received.Bytes().begin() + static_cast<std::ptrdiff_t>(block * 16));
  }
  EXPECT_EQ(received, image);
  // (7 + 3) + 810 x (4 + 22) + (3 + 1) bytes of ten bits at 9600 baud: 21.95 s on the line.
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::milliseconds>(wiring.clock.Now() - start), 21952ms);
  EXPECT_EQ(wiring.port.Writes().size(), script.size());
}

}  // namespace
}  // namespace hvt
