// A line that loses, damages, splits or delays replies, and a radio that stops answering: the
// link resends, asks the user, resumes, and still leaves no block missing.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "e2e/radio_link_fixture.h"

namespace hvt::e2e {
namespace {

using namespace std::chrono_literals;

RadioFaults Faults(const char* text) {
  const RadioFaultsParse parse = ParseRadioFaults(text);
  EXPECT_TRUE(parse.Faults.has_value()) << text << ": " << parse.Error;
  return parse.Faults.value_or(RadioFaults{});
}

// After a read or write of the 200-channel configuration: every block it moved arrived intact,
// in the radio's memory after a write, in the read image after a read.
void ExpectIntactTransfer(RadioLink& link, bool write, const RadioImage& image, const char* what) {
  ASSERT_TRUE(link.Last().Success) << what;
  const RadioImage& moved = write ? link.Radio.Image() : link.Last().Data.Image;
  for (const int address : link.BlockAddresses(write ? 'W' : 'R')) {
    if (address >= memory_map::kImageSize) continue;
    EXPECT_EQ(Slice(moved, address, 16), Slice(image, address, 16)) << what << ": block " << address;
  }
  if (!write) ExpectSameRecords(Decoded(moved, TwoHundredChannels()), TwoHundredChannels());
}

TEST(RadioLineFaults, SilentRadioGetsThreeHandshakes300msApartThenTheUserDecides) {
  struct Case {
    const char* What;
    PromptAnswer Answer;
    std::vector<std::string> Messages;
  };
  const Case cases[] = {
      // The question said it all: no second box after Cancel.
      {"cancel", PromptAnswer::Cancel, Strings({kReadConfirmation, kNotAnswering})},
      {"switch the radio on and retry", PromptAnswer::Retry,
       Strings({kReadConfirmation, kNotAnswering, kReadSucceeded})},
  };
  for (const Case& c : cases) {
    RadioLink link({.Faults = Faults("silent-after=0")});
    const RadioImage image = Encoded(TwoHundredChannels());
    link.Radio.LoadImage(image);
    link.Prompter.Answers = {PromptAnswer::Ok, c.Answer};
    link.Prompter.DuringRetryQuestion = [&] { link.Radio.SetFaults({}); };

    ASSERT_TRUE(link.Read()) << c.What;

    EXPECT_EQ(link.Prompter.Texts(), c.Messages) << c.What;
    EXPECT_EQ(link.Prompter.Messages[1].Buttons, PromptButtons::RetryCancel) << c.What;
    const std::vector<Sent> packets = link.Packets();
    ASSERT_GE(packets.size(), 3U) << c.What;
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(PacketName(packets[i].Bytes), "PROGRAM") << c.What;
      EXPECT_EQ(packets[i].At, 300ms * static_cast<int>(i)) << c.What;
    }
    if (c.Answer == PromptAnswer::Cancel) {
      EXPECT_EQ(packets.size(), 3U) << c.What;
      EXPECT_FALSE(link.Last().Success) << c.What;
    } else {
      EXPECT_EQ(PacketName(packets[3].Bytes), "PROGRAM") << c.What;
      EXPECT_EQ(packets[3].At, 900ms) << "the question comes when the third wait runs out; " << c.What;
      ExpectIntactTransfer(link, false, image, c.What);
    }
  }
}

TEST(RadioLineFaults, DamagedReplyIsIgnoredAndItsPacketSentAgain) {
  // Replies are numbered from 1: handshake, identification, password block, then the blocks (a
  // read's first is the serial number's block).
  struct Case {
    const char* Faults;
    bool Write;
    std::string Resent;
  };
  const Case cases[] = {
      {"corrupt=40", false, "R 0230"},                              // checksum wrong
      {"address=40", false, "R 0230"},                              // the reply names the next block
      {"noise=40:3", false, "R 0230"},                              // garbage between echo and reply
      {"drop=40", false, "R 0230"},    {"corrupt=2", false, "ID"},  // identification without its ACK
      {"address=3", false, "R 3B10"},                               // the password block from elsewhere
      {"corrupt=40", true, "W 0280"},  // the write's ACK damaged: the block goes again
  };
  for (const Case& c : cases) {
    RadioLink link;
    Configuration configuration = TwoHundredChannels();
    const RadioImage image = Encoded(configuration);
    link.Radio.SetFaults(Faults(c.Faults));
    if (!c.Write) link.Radio.LoadImage(image);

    ASSERT_TRUE(c.Write ? link.Write(configuration) : link.Read()) << c.Faults;

    EXPECT_EQ(Resends(link.Packets()), (std::vector<Resend>{{c.Resent, 300ms}})) << c.Faults;
    EXPECT_EQ(link.Prompter.Texts(), c.Write ? Strings({kWriteConfirmation, kWriteSucceeded})
                                             : Strings({kReadConfirmation, kReadSucceeded}))
        << c.Faults;
    ExpectIntactTransfer(link, c.Write, image, c.Faults);
  }
}

TEST(RadioLineFaults, ReplyInPiecesOrLateButInTimeNeedsNoResend) {
  const char* const cases[] = {
      "split=1:2",  // the handshake's reply, collected across deliveries
      "split=1:3",    "delay=1:250",
      "split=45:4",  // a block reply: the receive threshold waits for all of it
      "delay=45:250",
  };
  for (const char* faults : cases) {
    RadioLink link({.Faults = Faults(faults)});
    const RadioImage image = Encoded(TwoHundredChannels());
    link.Radio.LoadImage(image);

    ASSERT_TRUE(link.Read()) << faults;

    EXPECT_EQ(Resends(link.Packets()), std::vector<Resend>{}) << faults;
    EXPECT_EQ(std::ranges::count(Names(link.Packets()), "PROGRAM"), 1) << faults;
    ExpectIntactTransfer(link, false, image, faults);
  }
}

TEST(RadioLineFaults, RetryResumesWithTheBlockWhoseExchangeFailed) {
  // silent-after counts block packets, the password block (and a read's serial block) included.
  struct Case {
    bool Write;
    const char* Faults;
    std::string Failed;
  };
  const Case cases[] = {
      {false, "silent-after=100", "R 0620"},
      {true, "silent-after=100", "W 0670"},
  };
  for (const Case& c : cases) {
    RadioLink link({.Faults = Faults(c.Faults)});
    Configuration configuration = TwoHundredChannels();
    const RadioImage image = Encoded(configuration);
    if (!c.Write) link.Radio.LoadImage(image);
    link.Prompter.Answers = {PromptAnswer::Ok, PromptAnswer::Retry};
    link.Prompter.DuringRetryQuestion = [&] { link.Radio.SetFaults({}); };

    ASSERT_TRUE(c.Write ? link.Write(configuration) : link.Read()) << c.Faults;

    EXPECT_EQ(link.Prompter.Texts(), c.Write ? Strings({kWriteConfirmation, kNotAnswering, kWriteSucceeded})
                                             : Strings({kReadConfirmation, kNotAnswering, kReadSucceeded}));
    const std::vector<std::string> names = Names(link.Packets());
    const std::vector<std::string> resumed = {c.Failed, c.Failed, c.Failed, "PROGRAM",
                                              "ID",     "R 3B10", c.Failed};
    EXPECT_FALSE(std::ranges::search(names, resumed).empty())
        << c.Faults << ": " << testing::PrintToString(names);
    EXPECT_EQ(std::ranges::count(link.Result.Progress, 0), 2) << "0 % again when the conversation restarts";
    ExpectIntactTransfer(link, c.Write, image, c.Faults);
  }
}

TEST(RadioLineFaults, AFailedWriteSaysTheRadioNowHoldsAPartlyWrittenConfiguration) {
  struct Case {
    const char* What;
    const char* Faults;
    std::deque<PromptAnswer> Answers;
    std::vector<std::string> Messages;
  };
  const Case cases[] = {
      {"no radio: nothing was written, the question is the only message",
       "silent-after=0",
       {PromptAnswer::Ok, PromptAnswer::Cancel},
       Strings({kWriteConfirmation, kNotAnswering})},
      {"the radio stops answering after 100 blocks",
       "silent-after=100",
       {PromptAnswer::Ok, PromptAnswer::Cancel},
       {std::string(kWriteConfirmation), std::string(kNotAnswering), Lines({kWriteFailed, kPartlyWritten})}},
  };
  for (const Case& c : cases) {
    RadioLink link({.Faults = Faults(c.Faults)});
    Configuration configuration = TwoHundredChannels();
    link.Prompter.Answers = c.Answers;

    ASSERT_TRUE(link.Write(configuration)) << c.What;

    EXPECT_EQ(link.Prompter.Texts(), c.Messages) << c.What;
    EXPECT_EQ(std::ranges::count(link.Prompter.Messages, PromptButtons::RetryCancel,
                                 &ScriptedPrompter::Message::Buttons),
              1)
        << c.What;
    EXPECT_FALSE(link.Last().Success) << c.What;
    EXPECT_FALSE(link.Last().Cancelled) << c.What;
  }
}

TEST(RadioLineFaults, ACablePulledMidTransferSaysThePortWasLost) {
  struct Case {
    bool Write;
    std::vector<std::string> Messages;
  };
  const Case cases[] = {
      {false, {std::string(kReadConfirmation), Lines({kReadFailed, kPortLost})}},
      {true, {std::string(kWriteConfirmation), Lines({kWriteFailed, kPortLost, kPartlyWritten})}},
  };
  for (const Case& c : cases) {
    RadioLink link;
    Configuration configuration = TwoHundredChannels();
    link.Radio.LoadImage(Encoded(configuration));
    link.CablePulledAfterPackets = 50;

    ASSERT_TRUE(c.Write ? link.Write(configuration) : link.Read());

    EXPECT_EQ(link.Prompter.Texts(), c.Messages) << "write " << c.Write;
    EXPECT_EQ(link.Packets().size(), 50U) << "nothing after the port failed; write " << c.Write;
    EXPECT_FALSE(link.Last().Success);
    EXPECT_FALSE(link.Port.IsOpen());
  }
}

}  // namespace
}  // namespace hvt::e2e
