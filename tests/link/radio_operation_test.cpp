#include "link/radio_operation.h"

#include <gtest/gtest.h>

#include "link/link_fakes.h"
#include "support/channel_tables.h"

namespace hvt {
namespace {

using link_test::Bytes;
using link_test::KeyText;
using link_test::LinkHarness;

std::optional<EncodeFailure> Succeeds(RadioImage&) { return std::nullopt; }

void RadioWithAllChannels(link_test::TestRadio& radio) {
  std::fill(radio.Memory.begin() + 6464, radio.Memory.begin() + 6489, 0xFF);
  radio.SetPassword({0xFF, 0xFF, 0xFF, 0xFF});
}

TEST(ProgressCounter, PercentOfBlocksDoneOverTotalPlusOne) {
  struct Case {
    const char* What;
    int Total;
    int Counts;
    int LastShown;
    int Reports;  // how often a new percent was reported
  };
  const Case cases[] = {
      {"read of 789 blocks", 789, 789, 99, 99},
      {"write of 793 blocks and the final step", 793, 794, 100, 100},
      {"more counts than planned stay at 100", 10, 15, 100, 11},
      {"nothing planned", 0, 1, 100, 1},
  };
  for (const Case& c : cases) {
    ProgressCounter progress;
    int last = 0;
    int reports = 0;
    for (int i = 0; i < c.Counts; ++i) {
      if (const auto percent = progress.CountBlock(c.Total)) {
        EXPECT_GT(*percent, last) << c.What;
        last = *percent;
        ++reports;
      }
    }
    EXPECT_EQ(last, c.LastShown) << c.What;
    EXPECT_EQ(reports, c.Reports) << c.What;
  }
}

TEST(ProgressCounter, RestartShowsZeroAndKeepsTheCount) {
  ProgressCounter progress;
  for (int i = 0; i < 50; ++i) static_cast<void>(progress.CountBlock(99));
  EXPECT_EQ(progress.Restart(), 0);
  EXPECT_EQ(progress.CountBlock(99), 51);
}

TEST(RadioOperation, ReadOfAllChannelsShowsZeroFirstAndEndsAt99) {
  LinkHarness h;
  RadioWithAllChannels(h.Radio);
  h.Prompter.Answers = {PromptAnswer::Ok};
  ASSERT_TRUE(h.Link.StartRead(false));
  EXPECT_TRUE(h.Link.IsRunning());
  h.Pump();

  ASSERT_TRUE(h.Result().Success);
  EXPECT_EQ(h.Radio.Reads.size(), 2U + 4U + 789U);
  ASSERT_FALSE(h.Observer.Progress.empty());
  EXPECT_EQ(h.Observer.Progress.front(), 0);
  EXPECT_EQ(h.Observer.Progress.back(), 99);
  EXPECT_TRUE(std::ranges::is_sorted(h.Observer.Progress));
  EXPECT_FALSE(h.Link.IsRunning());
}

TEST(RadioOperation, WriteOfAllChannelsReaches100) {
  LinkHarness h;
  RadioWithAllChannels(h.Radio);
  const ChannelTable channels = AllNormalChannels();
  h.Prompter.Answers = {PromptAnswer::Ok};
  ASSERT_TRUE(h.Link.StartWrite({.Encode = Succeeds, .Channels = channels}));
  h.Pump();

  ASSERT_TRUE(h.Result().Success);
  EXPECT_EQ(h.Radio.Writes.size(), 793U);
  EXPECT_EQ(h.Observer.Progress.front(), 0);
  EXPECT_EQ(h.Observer.Progress.back(), 100);
}

TEST(RadioOperation, RetryShowsZeroAgainAndCountsNoBlockTwice) {
  LinkHarness h;
  RadioWithAllChannels(h.Radio);
  h.Radio.MuteAddress = 6400;
  h.Radio.MuteCount = 3;
  const ChannelTable channels = AllNormalChannels();
  h.Prompter.Answers = {PromptAnswer::Ok, PromptAnswer::Retry};
  ASSERT_TRUE(h.Link.StartWrite({.Encode = Succeeds, .Channels = channels}));
  h.Pump();
  h.TimeOut();
  h.TimeOut();
  h.TimeOut();

  ASSERT_TRUE(h.Result().Success);
  EXPECT_EQ(std::ranges::count(h.Observer.Progress, 0), 2);
  EXPECT_EQ(h.Observer.Progress.back(), 100);
  EXPECT_EQ(std::ranges::count(h.Observer.Progress, 100), 1);
}

TEST(RadioOperation, OperationsThatDoNotStartLeaveThePortClosedAndSendNothing) {
  const ChannelTable channels = AllNormalChannels();
  struct Case {
    const char* What;
    bool PortFails;
    std::deque<PromptAnswer> Answers;
    bool Write;
    bool EncoderFails;
    std::vector<std::string> Messages;
    std::string_view Detail = {};  // the failing encoder's
  };
  const Case cases[] = {
      {"read, port cannot be opened", true, {}, false, false, {link_test::PortFailureText()}},
      {"write, port cannot be opened", true, {}, true, false, {link_test::PortFailureText()}},
      {"read cancelled",
       false,
       {PromptAnswer::Cancel},
       false,
       false,
       {"Read data from radio.\r\nDo you wish continue?"}},
      {"write cancelled",
       false,
       {PromptAnswer::Cancel},
       true,
       false,
       {"Write data to radio.\r\nDo you wish continue?"}},
      {"encoder fails",
       false,
       {PromptAnswer::Ok},
       true,
       true,
       {"Write data to radio.\r\nDo you wish continue?", "SetCommDataByOptionError"}},
      {"encoder fails naming the field",
       false,
       {PromptAnswer::Ok},
       true,
       true,
       {"Write data to radio.\r\nDo you wish continue?",
        "SetCommDataByOptionError\r\noptions: KnobMode 2 does not fit 1 bit (0-1)"},
       "options: KnobMode 2 does not fit 1 bit (0-1)"},
  };
  for (const Case& c : cases) {
    LinkHarness h;
    h.Port.OpenFails = c.PortFails;
    h.Prompter.Answers = c.Answers;
    std::function<std::optional<EncodeFailure>(RadioImage&)> encode = Succeeds;
    if (c.EncoderFails) {
      encode = [detail = c.Detail](RadioImage& image) -> std::optional<EncodeFailure> {
        image[0] = 0x11;
        return EncodeFailure{"SetCommDataByOptionError", std::string(detail)};
      };
    }
    const bool started =
        c.Write ? h.Link.StartWrite({.Encode = encode, .Channels = channels}) : h.Link.StartRead(false);

    EXPECT_FALSE(started) << c.What;
    EXPECT_FALSE(h.Link.IsRunning()) << c.What;
    EXPECT_FALSE(h.Port.IsOpen()) << c.What;
    EXPECT_TRUE(h.Port.Written.empty()) << c.What;
    EXPECT_EQ(h.Prompter.Texts(), c.Messages) << c.What;
    EXPECT_TRUE(h.Observer.Finished.empty()) << c.What;

    // Nothing is left over: the next operation starts normally.
    h.Port.OpenFails = false;
    h.Prompter.Answers = {PromptAnswer::Ok};
    EXPECT_TRUE(h.Link.StartRead(false)) << c.What;
    EXPECT_EQ(h.Port.Written.size(), 1U) << c.What;
  }
}

TEST(RadioOperation, OnlyOneOperationRunsAtATime) {
  LinkHarness h;
  h.Prompter.Answers = {PromptAnswer::Ok};
  ASSERT_TRUE(h.Link.StartRead(false));
  EXPECT_FALSE(h.Link.StartInformationRead());
  EXPECT_EQ(h.Port.Written.size(), 1U);
}

TEST(RadioOperation, OutcomeIsToldAfterTheObserverHasItsResult) {
  struct Case {
    const char* What;
    OperationKind Kind;
    bool RadioAnswers;
    std::optional<std::string> Outcome;
  };
  // A radio that does not answer at all: the Retry question was the message, its Cancel adds none.
  const Case cases[] = {
      {"read succeeded", OperationKind::Read, true, KeyText(2004)},
      {"write succeeded", OperationKind::Write, true, KeyText(2005)},
      {"information read succeeded", OperationKind::InformationRead, true, std::nullopt},
      {"read failed", OperationKind::Read, false, std::nullopt},
      {"write failed", OperationKind::Write, false, std::nullopt},
      {"information read failed", OperationKind::InformationRead, false, std::nullopt},
  };
  const ChannelTable channels;
  for (const Case& c : cases) {
    LinkHarness h;
    h.Radio.SetPassword({0xFF, 0xFF, 0xFF, 0xFF});
    if (!c.RadioAnswers) h.Radio.SilentFor = 3;
    h.Prompter.Answers = {PromptAnswer::Ok, PromptAnswer::Cancel};
    switch (c.Kind) {
      case OperationKind::Read:
        ASSERT_TRUE(h.Link.StartRead(false));
        break;
      case OperationKind::Write:
        ASSERT_TRUE(h.Link.StartWrite({.Encode = Succeeds, .Channels = channels}));
        break;
      case OperationKind::InformationRead:
        h.Prompter.Answers = {PromptAnswer::Cancel};
        ASSERT_TRUE(h.Link.StartInformationRead());
        break;
    }
    h.Pump();
    if (!c.RadioAnswers) {
      h.TimeOut();
      h.TimeOut();
      h.TimeOut();
    }

    ASSERT_EQ(h.Observer.Finished.size(), 1U) << c.What;
    EXPECT_EQ(h.Result().Kind, c.Kind) << c.What;
    EXPECT_EQ(h.Result().Success, c.RadioAnswers) << c.What;
    const auto texts = h.Prompter.Texts();
    EXPECT_EQ(h.Observer.MessagesAtFinish, texts.size() - (c.Outcome ? 1 : 0)) << c.What;
    if (c.Outcome) {
      EXPECT_EQ(texts.back(), *c.Outcome) << c.What;
    }
    EXPECT_FALSE(h.Port.IsOpen()) << c.What;
  }
}

TEST(RadioOperation, AFailureSaysInOneMessageWhyAndWhetherTheRadioWasChanged) {
  enum class Fault { StopsAnswering, CablePulled, WrongPassword };
  struct Case {
    const char* What;
    OperationKind Kind;
    Fault How;
    int At;  // the block address where it happens; -1: at the handshake
    std::vector<std::string> Messages;
    PromptIcon LastIcon = PromptIcon::None;
  };
  const std::string read = "Read data from radio.\r\nDo you wish continue?";
  const std::string write = "Write data to radio.\r\nDo you wish continue?";
  const std::string dialog(kPasswordDialog);
  const std::string partly(link_test::kPartlyWritten);
  const Case cases[] = {
      {"read, the radio stops answering",
       OperationKind::Read,
       Fault::StopsAnswering,
       6400,
       {read, KeyText(2003)}},
      {"information read, no radio",
       OperationKind::InformationRead,
       Fault::StopsAnswering,
       -1,
       {KeyText(2003)}},
      {"write, no radio: nothing written",
       OperationKind::Write,
       Fault::StopsAnswering,
       -1,
       {write, KeyText(2003)}},
      {"write, the radio stops answering after blocks were written",
       OperationKind::Write,
       Fault::StopsAnswering,
       6400,
       {write, KeyText(2003), KeyText(2007) + "\n" + partly},
       PromptIcon::Warning},
      {"read, the cable is pulled",
       OperationKind::Read,
       Fault::CablePulled,
       6400,
       {read, KeyText(2006) + "\n" + link_test::PortLostText()}},
      {"write, the cable is pulled before the first block",
       OperationKind::Write,
       Fault::CablePulled,
       0x3B10,
       {write, KeyText(2007) + "\n" + link_test::PortLostText()}},
      {"write, the cable is pulled after blocks were written",
       OperationKind::Write,
       Fault::CablePulled,
       6400,
       {write, KeyText(2007) + "\n" + link_test::PortLostText() + "\n" + partly},
       PromptIcon::Warning},
      {"write, wrong password",
       OperationKind::Write,
       Fault::WrongPassword,
       0x3B10,
       {write, dialog, KeyText(2007) + "\n" + KeyText(2010)}},
  };
  const ChannelTable channels = AllNormalChannels();
  for (const Case& c : cases) {
    LinkHarness h;
    RadioWithAllChannels(h.Radio);
    if (c.How == Fault::WrongPassword) {
      h.Radio.SetPassword({'1', '2', 0x00, 0x00});
      h.Prompter.Passwords = {"13"};
    } else if (c.At < 0) {
      h.Radio.SilentFor = 3;
    } else {
      h.Radio.MuteAddress = c.At;
      h.Radio.MuteCount = c.How == Fault::StopsAnswering ? 3 : 1;
    }
    if (c.Kind != OperationKind::InformationRead) h.Prompter.Answers.push_back(PromptAnswer::Ok);
    if (c.How == Fault::StopsAnswering) h.Prompter.Answers.push_back(PromptAnswer::Cancel);
    switch (c.Kind) {
      case OperationKind::Read:
        ASSERT_TRUE(h.Link.StartRead(false)) << c.What;
        break;
      case OperationKind::Write:
        ASSERT_TRUE(h.Link.StartWrite({.Encode = Succeeds, .Channels = channels})) << c.What;
        break;
      case OperationKind::InformationRead:
        ASSERT_TRUE(h.Link.StartInformationRead()) << c.What;
        break;
    }
    h.Pump();
    if (c.How == Fault::StopsAnswering) {
      h.TimeOut();
      h.TimeOut();
      h.TimeOut();
    } else if (c.How == Fault::CablePulled) {
      h.Port.Lose();
    }

    ASSERT_EQ(h.Observer.Finished.size(), 1U) << c.What;
    EXPECT_FALSE(h.Result().Success) << c.What;
    EXPECT_EQ(h.Result().Data.BlocksWritten, c.LastIcon == PromptIcon::Warning) << c.What;
    EXPECT_EQ(h.Prompter.Texts(), c.Messages) << c.What;
    EXPECT_EQ(h.Prompter.Messages.back().Icon, c.LastIcon) << c.What;
    EXPECT_TRUE(h.Prompter.ScriptUsedUp()) << c.What;
    EXPECT_FALSE(h.Port.IsOpen()) << c.What;
  }
}

}  // namespace
}  // namespace hvt
