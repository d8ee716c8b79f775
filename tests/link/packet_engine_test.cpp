#include "link/packet_engine.h"

#include <gtest/gtest.h>

#include "link/link_fakes.h"

namespace hvt {
namespace {

using namespace std::chrono_literals;
using link_test::Bytes;

struct RecordingClient final : PacketEngineClient {
  std::vector<Bytes> Chunks;
  int Unanswered = 0;
  int SendFailures = 0;
  std::function<void()> AfterChunk;

  void OnChunk(std::span<const std::uint8_t> chunk) override {
    Chunks.emplace_back(chunk.begin(), chunk.end());
    if (AfterChunk) AfterChunk();
  }
  void OnUnanswered() override { ++Unanswered; }
  void OnSendFailed() override { ++SendFailures; }
};

class PacketEngineTest : public ::testing::Test {
 protected:
  PacketEngineTest() {
    engine.SetClient(&client);
    EXPECT_TRUE(engine.OpenLinkPort());
  }

  link_test::FakePort port;
  link_test::ManualTimer timer;
  ScriptedPrompter prompter;
  LanguageTexts texts = link_test::KeyTexts();
  PacketEngine engine{port, timer, prompter, texts};
  RecordingClient client;
};

TEST_F(PacketEngineTest, ThresholdCoversEchoAndReplyExceptForTheHandshake) {
  struct Case {
    const char* What;
    Bytes Packet;
    std::size_t Expected;
    std::size_t Threshold;
  };
  const Case cases[] = {
      {"handshake", Ascii("PROGRAM"), 3, 1},
      {"identification", {0x02}, 16, 17},
      {"block read", {'R', 0x19, 0x40, 0x10}, 22, 26},
      {"block write", Bytes(22, 0x57), 1, 23},
      {"end", Ascii("END"), 1, 4},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(engine.SendPacket(c.Packet, c.Expected)) << c.What;
    EXPECT_EQ(port.Threshold(), c.Threshold) << c.What;
    EXPECT_EQ(engine.EchoLength(), c.Packet.size()) << c.What;
  }
}

TEST_F(PacketEngineTest, ThreeSends300msApartThenTheClientDecides) {
  const Bytes request{'R', 0x00, 0x10, 0x10};
  ASSERT_TRUE(engine.SendPacket(request, 22));
  timer.Fire();
  timer.Fire();
  EXPECT_EQ(client.Unanswered, 0);
  timer.Fire();

  EXPECT_EQ(port.Written, std::vector<Bytes>(3, request));
  EXPECT_EQ(timer.Starts, std::vector(3, 300ms));
  EXPECT_EQ(client.Unanswered, 1);
  EXPECT_FALSE(timer.IsRunning());

  // Nothing is awaited any more: late input and a stray time-out change nothing.
  port.Receive(Bytes(26, 0x00));
  engine.OnTimeout();
  EXPECT_TRUE(client.Chunks.empty());
  EXPECT_EQ(client.Unanswered, 1);
  EXPECT_EQ(port.Written.size(), 3U);
}

TEST_F(PacketEngineTest, StaleInputIsDiscardedBeforeEverySend) {
  const Bytes request{'R', 0x00, 0x10, 0x10};
  ASSERT_TRUE(engine.SendPacket(request, 22));
  port.Receive(Bytes(10, 0xAA));  // part of a reply, below the threshold
  timer.Fire();
  const Bytes reply = link_test::Concat(request, Bytes(22, 0x01));
  port.Receive(reply);

  EXPECT_EQ(client.Chunks, std::vector<Bytes>{reply});
  for (std::size_t i = 0; i < port.Calls.size(); ++i) {
    if (port.Calls[i] == "write") {
      EXPECT_EQ(port.Calls.at(i - 1), "discard") << "call " << i;
    }
  }
}

TEST_F(PacketEngineTest, HandshakeBytesAreCollectedUntilTheBufferWouldOverflow) {
  ASSERT_TRUE(engine.SendPacket(Ascii("PROGRAM"), 3));
  port.Receive(Ascii("PROG"));
  port.Receive(Ascii("RAMQX\x06"));
  EXPECT_EQ(Bytes(engine.HandshakeCollected().begin(), engine.HandshakeCollected().end()),
            Ascii("PROGRAMQX\x06"));
  EXPECT_EQ(client.Chunks.size(), 2U);

  port.Receive(Bytes(119, 0xEE));  // 129 bytes held: still fits
  EXPECT_EQ(engine.HandshakeCollected().size(), 129U);
  port.Receive(Ascii("PROGRAMQX\x06"));  // would overflow: collection restarts with it
  EXPECT_EQ(Bytes(engine.HandshakeCollected().begin(), engine.HandshakeCollected().end()),
            Ascii("PROGRAMQX\x06"));

  Bytes noise(200, 0xEE);
  noise.back() = 0x06;
  port.Receive(noise);  // longer than the buffer: its end is kept
  EXPECT_EQ(engine.HandshakeCollected().size(), 129U);
  EXPECT_EQ(engine.HandshakeCollected().back(), 0x06);

  timer.Fire();  // a resend starts collecting afresh
  EXPECT_TRUE(engine.HandshakeCollected().empty());
}

TEST_F(PacketEngineTest, OnlyTheHandshakeIsCollected) {
  ASSERT_TRUE(engine.SendPacket(Bytes{0x02}, 16));
  port.Receive(Bytes(17, 0x49));
  EXPECT_TRUE(engine.HandshakeCollected().empty());
  EXPECT_EQ(client.Chunks.size(), 1U);
}

TEST_F(PacketEngineTest, APortThatCannotBeOpenedOrWrittenIsReported) {
  struct Case {
    const char* What;
    bool PortClosed;
    bool OpenFails;
    bool WriteFails;
    std::string Problem;
  };
  const Case cases[] = {
      {"closed port cannot be reopened", true, true, false, link_test::PortFailureText()},
      {"open port cannot be written: it was lost", false, false, true, link_test::PortLostText()},
      {"reopened port cannot be written: lost too", true, false, true, link_test::PortLostText()},
  };
  for (const Case& c : cases) {
    link_test::FakePort failingPort;
    link_test::ManualTimer failingTimer;
    ScriptedPrompter failingPrompter;
    PacketEngine failing{failingPort, failingTimer, failingPrompter, texts};
    if (!c.PortClosed) {
      ASSERT_TRUE(failing.OpenLinkPort());
    }
    failingPort.OpenFails = c.OpenFails;
    failingPort.WriteFails = c.WriteFails;

    EXPECT_FALSE(failing.SendPacket(Bytes{0x02}, 16)) << c.What;
    EXPECT_EQ(failing.PortProblem(), c.Problem) << c.What;
    EXPECT_TRUE(failingPrompter.Messages.empty()) << "the client tells it, with what it means; " << c.What;
    EXPECT_FALSE(failingTimer.IsRunning()) << c.What;

    failingPort.OpenFails = false;
    failingPort.WriteFails = false;
    EXPECT_TRUE(failing.SendPacket(Bytes{0x02}, 16)) << c.What;
    EXPECT_EQ(failing.PortProblem(), "") << "a send that works clears the problem; " << c.What;
  }
}

TEST_F(PacketEngineTest, AFailedResendIsReportedToTheClient) {
  ASSERT_TRUE(engine.SendPacket(Bytes{0x02}, 16));
  port.WriteFails = true;
  timer.Fire();
  EXPECT_EQ(client.SendFailures, 1);
  EXPECT_EQ(engine.PortProblem(), link_test::PortLostText());
  EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(PacketEngineTest, ALostPortEndsTheWaitAtOnce) {
  ASSERT_TRUE(engine.SendPacket(Bytes{0x02}, 16));
  port.Lose();

  EXPECT_EQ(client.SendFailures, 1);
  EXPECT_FALSE(timer.IsRunning()) << "no resends to a port that is gone";
  EXPECT_EQ(port.Written.size(), 1U);
  EXPECT_EQ(engine.PortProblem(), link_test::PortLostText()) << "it was open: lost, not unopenable";
  EXPECT_TRUE(prompter.Messages.empty());

  port.Lose();  // nothing is awaited any more
  EXPECT_EQ(client.SendFailures, 1);
}

TEST_F(PacketEngineTest, APortLostWhileAnEventIsHandledIsHandledAfterIt) {
  ASSERT_TRUE(engine.SendPacket(Bytes{0x02}, 16));
  client.AfterChunk = [&] { port.Lose(); };
  port.Receive(Bytes(17, 0x49));

  EXPECT_EQ(client.Chunks.size(), 1U);
  EXPECT_EQ(client.SendFailures, 1);
}

TEST_F(PacketEngineTest, RetryQuestionClosesThePortFirst) {
  prompter.Answers = {PromptAnswer::Retry, PromptAnswer::Cancel};
  EXPECT_TRUE(engine.AskRetry());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(engine.AskRetry());
  ASSERT_EQ(prompter.Messages.size(), 2U);
  EXPECT_EQ(prompter.Messages[0].Text, link_test::KeyText(2003));
  EXPECT_EQ(prompter.Messages[0].Buttons, PromptButtons::RetryCancel);

  ASSERT_TRUE(engine.SendPacket(Bytes{0x02}, 16));  // reopens the port
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(PacketEngineTest, RepliesDeliveredFromInsideWriteDoNotNest) {
  // A loopback that answers inside Write, and a client that sends the next packet on every
  // reply: a transfer of many blocks must not go deeper on the stack with every block.
  int sends = 0;
  port.OnWrite = [&](const Bytes& packet) { port.Receive(link_test::Concat(packet, Bytes{0x06})); };
  client.AfterChunk = [&] {
    engine.StopWaiting();
    if (++sends < 50) {
      EXPECT_TRUE(engine.SendPacket(Ascii("END"), 1));
    }
  };
  ASSERT_TRUE(engine.SendPacket(Ascii("END"), 1));

  EXPECT_EQ(client.Chunks.size(), 50U);
  EXPECT_EQ(port.Written.size(), 50U);
  EXPECT_EQ(port.DeepestWrite, 1);
}

}  // namespace
}  // namespace hvt
