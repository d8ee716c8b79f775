#include "editors/channel_edit_presenter.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "model/channel_codec.h"
#include "model/frequency_checks.h"
#include "model/tones.h"
#include "support/record_printer.h"
#include "support/scripted_prompter.h"

namespace hvt {
namespace {

const LanguageTexts kTexts =
    LanguageTexts::FromText(1,
                            "[OTHER]\n101=OK\n102=Cancel\n1101=RX\n1103=Name\n1107=Tone\n"
                            "1112=Decode\n1113=Encode\n1204=High\n1205=Low\n1206=None\n"
                            "1221=Middle\n1300=Channel Edit\n1755=Off\n1765=Begin\n"
                            "1766=End\n1767=Both\n1784=Carrier\n1785=Tone\n1786=Signal\n"
                            "1787=Tone and Signal\n1788=Tone or Signal\n"
                            "2001=Out of range\n2017=Allowed: %1. Now %2.\n");
const std::string kOutOfRange = "Out of range";
const std::string kVfoNeedsFrequency = "VFO can't be null!";
const std::string kLastNormalChannel = "Leave at least one normal channel!";

using Messages = std::vector<std::string>;

// The messages without what follows the out-of-range warning's first sentence.
Messages FirstSentences(Messages messages) {
  for (std::string& message : messages) {
    if (message.starts_with(kOutOfRange)) message.resize(kOutOfRange.size());
  }
  return messages;
}

// Lets a test look at the dialog at the moment a message appears.
class WatchedPrompter final : public ScriptedPrompter {
 public:
  std::function<void()> OnMessage;
  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    if (OnMessage) OnMessage();
    return ScriptedPrompter::Ask(text, buttons, icon);
  }
};

ChannelRecord Channel(int number, std::string_view rx, int direction = kOffsetOff,
                      std::string_view txRecord = kZeroFrequencyRecord) {
  ChannelRecord channel = CreateChannel(number, rx);
  channel.OffsetDir = static_cast<std::int16_t>(direction);
  channel.TxFreq = txRecord;
  return channel;
}

std::vector<int> ListValues(const ChoiceList& list) {
  std::vector<int> values;
  for (const ListEntry& entry : list.Entries) values.push_back(entry.Value);
  return values;
}

std::vector<int> TableNumbers(const ChannelTable& table) {
  std::vector<int> numbers;
  for (const ChannelRecord& channel : table.Channels()) numbers.push_back(channel.ChannelNumber);
  return numbers;
}

class ChannelEditPresenterTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  void Add(const ChannelRecord& channel) { ASSERT_TRUE(AddChannel(table_, channel)); }

  ChannelEditPresenter Open(int number, BandVariant band = BandVariant::Full, bool twoToneEnabled = true) {
    const ChannelEditSetup setup{.Limits = LimitsOf(band),
                                 .TwoToneEnabled = twoToneEnabled,
                                 .Codes = {.TwoTone = twoTone_, .FiveTone = fiveTone_}};
    return ChannelEditPresenter(table_, options_, number, setup, kTexts, prompter_);
  }

  const ChannelRecord& Stored(int number) {
    const ChannelRecord* channel = table_.Find(number);
    EXPECT_NE(channel, nullptr) << number;
    static const ChannelRecord kNone;
    return channel != nullptr ? *channel : kNone;
  }

  ChannelTable table_;
  OptionSettings options_;
  WatchedPrompter prompter_;
  std::array<bool, 32> twoTone_{};
  std::array<bool, 100> fiveTone_{};
};

TEST_F(ChannelEditPresenterTest, AnEmptyReceiveBoxDisablesEveryOtherInput) {
  Add(Channel(5, "462.5625"));
  const struct {
    int Number;
    std::string Title;
    bool ScanAddEnabled;
    bool TalkAroundEnabled;
  } cases[] = {
      {9, "Channel Edit--- CH 9", true, true},       {200, "Channel Edit--- CH 200", true, true},
      {201, "Channel Edit--- CH VFO1", false, true}, {202, "Channel Edit--- CH VFO2", false, true},
      {203, "Channel Edit--- CH RT", false, false},
  };
  for (const auto& c : cases) {
    ChannelEditPresenter presenter = Open(c.Number);
    const auto& s = presenter.State();
    EXPECT_EQ(s.Title, c.Title);
    EXPECT_EQ(s.Receive.Text, "") << c.Number;
    EXPECT_EQ(s.Transmit.Text, "") << c.Number;
    EXPECT_FALSE(s.Transmit.Enabled || s.Name[0].Enabled || s.CustomTone.Enabled || s.Bandwidth.Enabled ||
                 s.SquelchMode.Enabled || s.ScanAdd.Enabled || s.TalkAround.Enabled || s.Reverse.Enabled)
        << c.Number;

    presenter.SelectEntry(ChannelList::Bandwidth, 2);
    presenter.SetCheck(ChannelCheck::Scramble, true);
    EXPECT_EQ(presenter.State().Bandwidth.Selected, 0) << "a disabled list takes no choice";
    EXPECT_FALSE(presenter.State().Scramble.Checked);

    presenter.EditReceive("146.52");
    EXPECT_TRUE(s.Transmit.Enabled && s.Name[4].Enabled && s.CustomTone.Enabled && s.Bandwidth.Enabled &&
                s.SquelchMode.Enabled && s.Reverse.Enabled && s.DecodeInverted.Enabled)
        << c.Number;
    EXPECT_EQ(s.ScanAdd.Enabled, c.ScanAddEnabled) << c.Number;
    EXPECT_EQ(s.TalkAround.Enabled, c.TalkAroundEnabled) << c.Number;
    presenter.EditReceive("");
    EXPECT_FALSE(s.Transmit.Enabled || s.Power.Enabled) << c.Number;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ChannelEditPresenterTest, OpensWithTheTransmitFrequencyOfTheChannelsDirection) {
  const struct {
    int Direction;
    std::string TxRecord;
    std::string Transmit;
    bool TalkAroundEnabled;
  } cases[] = {
      {kOffsetOff, "000000000", "462.56250", true},
      {kOffsetPlus, "000500000", "467.56250", true},
      {kOffsetMinus, "000500000", "457.56250", true},
      {kOffsetSeparateTx, "014652000", "146.52000", false},
      {kOffsetSeparateTx, "000000000", "462.56250", false},  // no separate transmit frequency
  };
  for (const auto& c : cases) {
    table_ = {};
    Add(Channel(3, "462.5625", c.Direction, c.TxRecord));
    ChannelEditPresenter presenter = Open(3);
    EXPECT_EQ(presenter.State().Receive.Text, "462.56250");
    EXPECT_EQ(presenter.State().Transmit.Text, c.Transmit) << c.Direction;
    EXPECT_EQ(presenter.State().Direction, c.Direction);
    EXPECT_EQ(presenter.State().TalkAround.Enabled, c.TalkAroundEnabled) << c.Direction;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ChannelEditPresenterTest, AFrequencyRecordThatIsNoNumberIsReportedAndShownEmpty) {
  Add(Channel(3, "462.5625", kOffsetPlus, "0005X0000"));
  Add(Channel(4, "438.125"));
  ChannelRecord broken = Channel(5, "438.125");
  broken.RxFreq = "04381250Z";
  Add(broken);
  {
    ChannelEditPresenter presenter = Open(3);
    EXPECT_EQ(presenter.State().Receive.Text, "462.56250");
    EXPECT_EQ(presenter.State().Transmit.Text, "");
  }
  ChannelEditPresenter presenter = Open(5);
  EXPECT_EQ(presenter.State().Receive.Text, "");
  EXPECT_EQ(prompter_.Texts(), (Messages{"Not IsNumeric", "Not IsNumeric"}));
}

TEST_F(ChannelEditPresenterTest, OpensEachFieldInItsControl) {
  ChannelRecord channel = Channel(8, "146.52");
  channel.Name = std::string("AB-1\0", 5);
  channel.Bandwidth = 2;
  channel.Power = 1;
  channel.DecodeType = 2;
  channel.DecodeDcs = kDcsInvertedBit + 492;  // D754I
  channel.EncodeType = 1;
  channel.EncodeCtcss = 60;  // outside the tones: the first one
  channel.CustomCtcss = 1234;
  channel.BusyLock = 7;  // outside the list: its first entry
  channel.DtmfPttId = 3;
  channel.OptSignal = kSignallingFiveTone;
  channel.FiveToneCode = 42;
  channel.SquelchMode = 3;
  channel.Scramble = 1;
  fiveTone_[7] = fiveTone_[42] = true;
  Add(channel);

  ChannelEditPresenter presenter = Open(8);
  const auto& s = presenter.State();
  EXPECT_EQ((std::vector<std::string>{s.Name[0].Text, s.Name[1].Text, s.Name[2].Text, s.Name[3].Text,
                                      s.Name[4].Text}),
            (std::vector<std::string>{"A", "B", "-", "1", ""}));
  EXPECT_EQ(s.Bandwidth.Entries[static_cast<std::size_t>(s.Bandwidth.Selected)].Text, "25KHz");
  EXPECT_EQ(s.Power.Entries[static_cast<std::size_t>(s.Power.Selected)].Text, "Middle");
  EXPECT_EQ(s.DecodeDcs.Entries[static_cast<std::size_t>(s.DecodeDcs.Selected)].Text, "754");
  EXPECT_TRUE(s.DecodeDcs.Visible && s.DecodeInverted.Visible && s.DecodeInverted.Checked);
  EXPECT_FALSE(s.DecodeCtcss.Visible);
  EXPECT_TRUE(s.EncodeCtcss.Visible);
  EXPECT_FALSE(s.EncodeDcs.Visible || s.EncodeInverted.Visible);
  EXPECT_EQ(s.EncodeCtcss.Selected, 0);
  EXPECT_EQ(s.EncodeCtcss.Entries.size(), 52U);
  EXPECT_EQ(s.EncodeCtcss.Entries.back().Text, "Define");
  EXPECT_EQ(s.DecodeDcs.Entries.size(), 512U);
  EXPECT_EQ(s.CustomTone.Text, "123.4");
  EXPECT_EQ(s.BusyLock.Selected, 0);
  EXPECT_EQ(s.DtmfPttId.Entries[static_cast<std::size_t>(s.DtmfPttId.Selected)].Text, "Both");
  EXPECT_EQ(s.FiveToneCode.Entries, (std::vector<ListEntry>{{"7", 7}, {"42", 42}}));
  EXPECT_EQ(s.FiveToneCode.SelectedValue(-1), 42);
  EXPECT_TRUE(s.FiveToneCode.Visible);
  EXPECT_FALSE(s.DtmfCode.Visible || s.TwoToneCode.Visible);
  EXPECT_EQ(s.SquelchMode.SelectedValue(-1), 3);
  EXPECT_TRUE(s.Scramble.Checked);
  EXPECT_EQ(s.Caption.Decode, "Decode Tone");
  EXPECT_EQ(s.Caption.Encode, "Encode Tone");
  EXPECT_EQ(s.OptSignal.Entries,
            (std::vector<ListEntry>{{"None", 0}, {"DTMF", 1}, {"2Tone", 2}, {"5Tone", 3}}));
}

// The transmit box sets the direction and offset, clamped into the receive frequency's band; the
// same happens at OK when the box was never left.
TEST_F(ChannelEditPresenterTest, TransmitFrequencyGivesDirectionAndOffsetWithinTheBand) {
  struct Case {
    const char* What;
    BandVariant Band;
    std::optional<std::string> Existing;  // the channel's receive frequency before the edit
    std::string Rx;
    std::string Tx;
    std::string ShownRx;
    std::string ShownTx;
    int Direction;
    std::string Offset;
    Messages Shown;
  };
  const Messages kWarned = {kOutOfRange};
  const Messages kWarnedTwice = {kOutOfRange, kOutOfRange};
  // clang-format off
  const Case cases[] = {
      {"up", BandVariant::Full, {}, "462.5625", "467.5625", "462.56250", "467.56250", 1, "5.00000", {}},
      {"down", BandVariant::Full, {}, "462.5625", "457.5625", "462.56250", "457.56250", 2, "5.00000", {}},
      {"same", BandVariant::Full, {}, "462.5625", "462.5625", "462.56250", "462.56250", 0, "0.00000", {}},
      {"empty transmit box", BandVariant::Full, {}, "462.5625", "", "462.56250", "462.56250", 0, "0.00000", {}},
      {"cross-band clamped", BandVariant::Full, {}, "462.5625", "146.52", "462.56250", "400.00000", 2, "62.56250", kWarned},
      {"restricted UHF", BandVariant::Restricted, {}, "462.5625", "460", "462.56250", "450.00000", 2, "12.56250", kWarned},
      {"restricted UHF lower edge", BandVariant::Restricted, {}, "400", "420", "400.00000", "420.00000", 1, "20.00000", {}},
      {"restricted VHF upper edge", BandVariant::Restricted, {}, "174", "148", "174.00000", "148.00000", 2, "26.00000", {}},
      {"restricted VHF below", BandVariant::Restricted, {}, "136", "143.99999", "136.00000", "144.00000", 1, "8.00000", kWarned},
      {"restricted VHF above", BandVariant::Restricted, {}, "146", "150", "146.00000", "148.00000", 1, "2.00000", kWarned},
      {"full VHF edges", BandVariant::Full, {}, "174", "136", "174.00000", "136.00000", 2, "38.00000", {}},
      {"full VHF above", BandVariant::Full, {}, "136", "174.00001", "136.00000", "174.00000", 1, "38.00000", kWarned},
      {"offset 80.5 stays", BandVariant::Full, {}, "400", "480.5", "400.00000", "480.50000", 1, "80.50000", {}},
      {"offset above 80 capped", BandVariant::Full, {}, "400", "480.6", "400.00000", "480.00000", 1, "80.00000", kWarned},
      {"full UHF edges capped", BandVariant::Full, {}, "490", "400", "490.00000", "410.00000", 2, "80.00000", kWarned},
      {"transmit not a number", BandVariant::Restricted, {}, "462.5625", "4x0", "462.56250", "420.00000", 2, "42.56250", kWarned},
      {"receive above UHF, new", BandVariant::Full, {}, "495", "", "490.00000", "490.00000", 0, "0.00000", kWarned},
      {"receive between bands, new", BandVariant::Full, {}, "300", "", "400.00000", "400.00000", 0, "0.00000", kWarned},
      {"receive below VHF, new", BandVariant::Restricted, {}, "135.99999", "", "136.00000", "144.00000", 1, "8.00000", kWarnedTwice},
      {"receive out of range, previous kept", BandVariant::Full, "462.5625", "495", "462.5625", "462.56250", "462.56250", 0, "0.00000", kWarned},
      {"receive not a number, previous kept", BandVariant::Full, "146.52", ".", "146.52", "146.52000", "146.52000", 0, "0.00000", kWarned},
      {"receive not a number, new", BandVariant::Restricted, {}, ".", "", "400.00000", "420.00000", 1, "20.00000", kWarnedTwice},
  };
  // clang-format on
  for (const bool leaveTheBox : {true, false}) {
    for (const Case& c : cases) {
      table_ = {};
      prompter_.Messages.clear();
      if (c.Existing) Add(CreateChannel(4, *c.Existing));
      ChannelEditPresenter presenter = Open(4, c.Band);
      presenter.EditReceive(c.Rx);
      presenter.EditTransmit(c.Tx);
      if (leaveTheBox) {
        presenter.LeaveTransmit();
        EXPECT_EQ(presenter.State().Receive.Text, c.ShownRx) << c.What;
        EXPECT_EQ(presenter.State().Transmit.Text, c.ShownTx) << c.What;
        EXPECT_EQ(presenter.State().Direction, c.Direction) << c.What;
        EXPECT_EQ(presenter.State().Offset, c.Offset) << c.What;
      }
      EXPECT_TRUE(presenter.Ok()) << c.What;
      EXPECT_EQ(FirstSentences(prompter_.Texts()), c.Shown)
          << c.What << (leaveTheBox ? ", box left" : ", OK at once");
      const ChannelRecord& stored = Stored(4);
      EXPECT_EQ(stored.RxFreq, FreqTextToRecord(c.ShownRx)) << c.What;
      EXPECT_EQ(stored.OffsetDir, c.Direction) << c.What;
      EXPECT_EQ(stored.TxFreq, FreqTextToRecord(c.Offset)) << c.What;
      EXPECT_EQ(stored.InUse, 1) << c.What;
      EXPECT_EQ(TxDisplayText(stored.RxFreq.Raw(), stored.OffsetDir, stored.TxFreq.Raw()).Text, c.ShownTx)
          << c.What;
    }
  }
}

// The warning names the allowed range and the corrected value, and the box already shows that
// value when the warning appears.
TEST_F(ChannelEditPresenterTest, TheOutOfRangeWarningNamesTheRangeAndTheNewValueTheBoxShows) {
  struct Case {
    const char* What;
    BandVariant Band;
    std::string Rx;
    std::string Tx;
    Messages Shown;
    std::vector<std::pair<std::string, std::string>> BoxesAtMessage;  // receive, transmit
  };
  const Case cases[] = {
      {"receive",
       BandVariant::Full,
       "300",
       "400",
       {"Out of range Allowed: 400.00000-490.00000 MHz, 136.00000-174.00000 MHz. Now 400.00000 MHz."},
       {{"400.00000", "400"}}},
      {"transmit",
       BandVariant::Restricted,
       "462.5625",
       "460",
       {"Out of range Allowed: 420.00000-450.00000 MHz. Now 450.00000 MHz."},
       {{"462.56250", "450.00000"}}},
      {"offset capped",
       BandVariant::Full,
       "400",
       "480.6",
       {"Out of range Allowed: 400.00000-480.00000 MHz. Now 480.00000 MHz."},
       {{"400.00000", "480.00000"}}},
  };
  for (const Case& c : cases) {
    table_ = {};
    prompter_.Messages.clear();
    ChannelEditPresenter presenter = Open(4, c.Band);
    std::vector<std::pair<std::string, std::string>> boxes;
    prompter_.OnMessage = [&] {
      boxes.emplace_back(presenter.State().Receive.Text, presenter.State().Transmit.Text);
    };
    presenter.EditReceive(c.Rx);
    presenter.EditTransmit(c.Tx);
    presenter.LeaveTransmit();
    prompter_.OnMessage = nullptr;
    EXPECT_EQ(prompter_.Texts(), c.Shown) << c.What;
    EXPECT_EQ(boxes, c.BoxesAtMessage) << c.What;
    EXPECT_TRUE(presenter.Ok()) << c.What;
  }
}

// A channel read from a radio or a file keeps its frequencies when the user edits anything else,
// including a cross-band pair the transmit box would not accept.
TEST_F(ChannelEditPresenterTest, UntouchedFrequencyBoxesStoreTheFrequenciesUnchanged) {
  const struct {
    const char* What;
    ChannelRecord Channel;
  } cases[] = {
      {"cross-band", Channel(7, "462.5625", kOffsetSeparateTx, "014652000")},
      {"RT cross-band", Channel(203, "146.52", kOffsetSeparateTx, "046756250")},
      {"RT without transmit frequency", Channel(203, "438.125", kOffsetSeparateTx, "000000000")},
      {"offset above the cap", Channel(7, "400", kOffsetPlus, "008500000")},
      {"receive outside the band", Channel(7, "300", kOffsetOff, "000000000")},
      {"restricted transmit outside", Channel(7, "462.5625", kOffsetMinus, "005000000")},
  };
  for (const auto& c : cases) {
    table_ = {};
    Add(Channel(1, "438.125"));
    Add(c.Channel);
    const int n = c.Channel.ChannelNumber;
    {
      ChannelEditPresenter presenter = Open(n, BandVariant::Restricted);
      presenter.LeaveTransmit();
      std::string sameValue = presenter.State().Receive.Text;
      while (sameValue.back() == '0') sameValue.pop_back();
      presenter.EditReceive(sameValue);  // the same frequency, typed again
      presenter.LeaveTransmit();
      EXPECT_TRUE(presenter.Ok()) << c.What;
    }
    EXPECT_EQ(Stored(n), c.Channel) << c.What;
    {
      ChannelEditPresenter presenter = Open(n, BandVariant::Restricted);
      EXPECT_TRUE(presenter.TypeNameCharacter(0, 'x'));
      EXPECT_TRUE(presenter.Ok()) << c.What;
    }
    ChannelRecord expected = c.Channel;
    expected.Name = "X    ";
    EXPECT_EQ(Stored(n), expected) << c.What;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ChannelEditPresenterTest, OkWithoutChangesLeavesAChannelReadFromTheRadioAsItWas) {
  ChannelRecord channel = Channel(12, "438.125", kOffsetMinus, "000760000");
  channel.Name = std::string("AB\0  ", 5);  // as the decoder leaves a short name
  channel.Step = 8;
  channel.DecodeType = 1;
  channel.DecodeCtcss = 51;
  channel.EncodeType = 2;
  channel.EncodeDcs = 19;
  channel.OptSignal = kSignallingNone;
  channel.DtmfCode = 9;  // kept by the hidden lists
  channel.TwoToneCode = 3;
  channel.FiveToneCode = 4;
  channel.SquelchMode = 1;
  twoTone_[3] = true;
  fiveTone_[4] = true;
  Add(channel);
  {
    ChannelEditPresenter presenter = Open(12);
    EXPECT_TRUE(presenter.Ok());
  }
  EXPECT_EQ(Stored(12), channel);

  ChannelEditPresenter presenter = Open(12);
  presenter.SelectEntry(ChannelList::Bandwidth, 1);
  presenter.EditReceive("440");
  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(Stored(12).Step, 8) << "the step never changes here";
  EXPECT_EQ(Stored(12).Bandwidth, 1);
  EXPECT_TRUE(prompter_.Messages.empty());
}

// The radio reads the RT channel's transmit field as a frequency whatever the direction bits say.
TEST_F(ChannelEditPresenterTest, TheRtChannelStoresItsTransmitFrequency) {
  const struct {
    std::string Tx;
    std::string TxRecord;
  } cases[] = {
      {"440", "044000000"},
      {"438.125", "043812500"},
      {"", "043812500"},
  };
  for (const auto& c : cases) {
    table_ = {};
    Add(Channel(203, "430"));
    ChannelEditPresenter presenter = Open(203);
    presenter.EditReceive("438.125");
    presenter.EditTransmit(c.Tx);
    ASSERT_TRUE(presenter.Ok());
    const ChannelRecord edited = Stored(203);
    EXPECT_EQ(edited.OffsetDir, kOffsetSeparateTx) << c.Tx;
    EXPECT_EQ(edited.TxFreq, c.TxRecord) << c.Tx;

    RadioImage image;
    ASSERT_TRUE(SetCommDataByFrequency(table_, image, nullptr).Succeeded());
    ChannelTable readBack = table_;
    GetCommDataByFrequency(image, readBack);
    ASSERT_NE(readBack.Find(203), nullptr);
    EXPECT_EQ(readBack.Find(203)->TxFreq, edited.TxFreq) << c.Tx;
    EXPECT_EQ(readBack.Find(203)->OffsetDir, edited.OffsetDir) << c.Tx;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ChannelEditPresenterTest, NameBoxesTakeDigitsCapitalsAndDash) {
  const struct {
    char Typed;
    bool Accepted;
    std::string Shown;
  } cases[] = {
      {'a', true, "A"}, {'z', true, "Z"},  {'Q', true, "Q"}, {'7', true, "7"}, {'-', true, "-"},
      {'.', false, ""}, {'\\', false, ""}, {' ', false, ""}, {'_', false, ""}, {'\xE4', false, ""},
  };
  for (const auto& c : cases) {
    ChannelEditPresenter presenter = Open(2);
    presenter.EditReceive("438");
    EXPECT_EQ(presenter.TypeNameCharacter(1, c.Typed), c.Accepted) << c.Typed;
    EXPECT_EQ(presenter.State().Name[1].Text, c.Shown) << c.Typed;
    EXPECT_EQ(presenter.State().Focus, c.Accepted ? ChannelFocus::NameBox : ChannelFocus::Unchanged);
    if (c.Accepted) {
      EXPECT_EQ(presenter.State().FocusNameBox, 2);
    }
  }

  ChannelEditPresenter presenter = Open(2);
  presenter.EditReceive("438");
  EXPECT_TRUE(presenter.TypeNameCharacter(0, 'k'));
  EXPECT_TRUE(presenter.TypeNameCharacter(2, '9'));
  EXPECT_TRUE(presenter.TypeNameCharacter(4, 'x'));
  EXPECT_EQ(presenter.State().Focus, ChannelFocus::PastNameBoxes);
  presenter.ClearNameBox(4);
  EXPECT_FALSE(presenter.TypeNameCharacter(5, 'A'));
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Stored(2).Name, "K 9  ") << "an empty box counts as a space";
  EXPECT_EQ(Stored(2).Name.Trimmed(), "K 9");
}

TEST_F(ChannelEditPresenterTest, TextBoxesKeepOnlyTheCharactersTheyAccept) {
  ChannelEditPresenter presenter = Open(2);
  presenter.EditReceive(
      "4a6,2.5\xC3\xA9"
      "625999");
  EXPECT_EQ(presenter.State().Receive.Text, "462.56259");
  presenter.EditTransmit(
      "4 6x\t\xC3\xA9"
      ".1234567");
  EXPECT_EQ(presenter.State().Transmit.Text, "4 6x.1234");
  presenter.EditCustomTone("1a23.45");
  EXPECT_EQ(presenter.State().CustomTone.Text, "123.4");
}

TEST_F(ChannelEditPresenterTest, CustomToneIsKeptBetween50And260Hz) {
  const struct {
    std::string Typed;
    std::string Shown;
    int Stored;
  } cases[] = {
      {"300", "260.0", 2600}, {"260", "260.0", 2600}, {"49.9", "50.0", 500},
      {"50", "50.0", 500},    {"88.5", "88.5", 885},  {"100.0", "100.0", 1000},
      {".", "251.1", 2511},   {"", "251.1", 2511},    {"1.2.3", "251.1", 2511},
  };
  for (const bool leaveTheBox : {true, false}) {
    for (const auto& c : cases) {
      ChannelEditPresenter presenter = Open(2);
      presenter.EditReceive("438");
      presenter.EditCustomTone(c.Typed);
      if (leaveTheBox) {
        presenter.LeaveCustomTone();
        EXPECT_EQ(presenter.State().CustomTone.Text, c.Shown) << c.Typed;
      }
      ASSERT_TRUE(presenter.Ok());
      EXPECT_EQ(presenter.State().CustomTone.Text, c.Shown) << c.Typed;
      EXPECT_EQ(Stored(2).CustomCtcss, c.Stored) << c.Typed;
    }
  }
}

TEST_F(ChannelEditPresenterTest, SquelchModesFollowToneSignallingReverseAndTalkAround) {
  const struct {
    bool Reverse;
    bool TalkAround;
    int DecodeType;
    int EncodeType;
    int OptSignal;
    std::vector<int> Modes;
  } cases[] = {
      {false, false, 0, 0, 0, {0}},
      {false, false, 1, 0, 0, {0, 1}},
      {false, false, 2, 0, 1, {0, 1, 2, 3, 4}},
      {false, false, 0, 2, 3, {0, 2}},
      {false, false, 0, 1, 0, {0}},    // the decode tone decides
      {true, false, 0, 1, 0, {0, 1}},  // reversed, the encode tone decides
      {true, false, 2, 0, 0, {0}},
      {true, false, 0, 2, 1, {0, 1, 2, 3, 4}},
      {false, true, 1, 1, 1, {0}},
  };
  for (const auto& c : cases) {
    table_ = {};
    ChannelRecord channel = Channel(6, "438.125");
    channel.Reverse = c.Reverse ? 1 : 0;
    channel.TalkAround = c.TalkAround ? 1 : 0;
    channel.DecodeType = static_cast<std::int16_t>(c.DecodeType);
    channel.EncodeType = static_cast<std::int16_t>(c.EncodeType);
    channel.OptSignal = static_cast<std::int16_t>(c.OptSignal);
    channel.SquelchMode = 4;
    Add(channel);
    ChannelEditPresenter presenter = Open(6);
    EXPECT_EQ(ListValues(presenter.State().SquelchMode), c.Modes);
    const int shown = c.Modes.size() == 5 ? 4 : 0;
    EXPECT_EQ(presenter.State().SquelchMode.SelectedValue(-1), shown);
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(Stored(6).SquelchMode, shown);
  }

  // Choices rebuild the list; a mode still offered stays chosen.
  table_ = {};
  Add(Channel(6, "438.125"));
  ChannelEditPresenter presenter = Open(6);
  presenter.SelectEntry(ChannelList::DecodeType, 1);
  presenter.SelectEntry(ChannelList::SquelchMode, 1);
  presenter.SelectEntry(ChannelList::OptSignal, 1);
  EXPECT_EQ(ListValues(presenter.State().SquelchMode), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(presenter.State().SquelchMode.SelectedValue(-1), 1);
  presenter.SetCheck(ChannelCheck::TalkAround, true);
  EXPECT_EQ(ListValues(presenter.State().SquelchMode), (std::vector<int>{0}));
  EXPECT_EQ(presenter.State().SquelchMode.Selected, 0);
  presenter.SetCheck(ChannelCheck::TalkAround, false);
  EXPECT_EQ(presenter.State().SquelchMode.SelectedValue(-1), 0) << "the carrier mode chosen meanwhile stays";
}

TEST_F(ChannelEditPresenterTest, ChoicesResetTheControlsThatDependOnThem) {
  ChannelRecord channel = Channel(6, "438.125");
  channel.DecodeType = 1;
  channel.DecodeCtcss = 20;
  channel.EncodeType = 2;
  channel.EncodeDcs = kDcsInvertedBit + 19;
  channel.DtmfPttId = 2;
  channel.Reverse = 1;
  Add(channel);
  fiveTone_[9] = true;
  ChannelEditPresenter presenter = Open(6);
  const auto& s = presenter.State();

  presenter.SelectEntry(ChannelList::DecodeType, 1);
  EXPECT_EQ(s.DecodeCtcss.Selected, 20) << "choosing the type it has keeps the tone";
  presenter.SelectEntry(ChannelList::DecodeType, 2);
  EXPECT_TRUE(s.DecodeDcs.Visible && s.DecodeInverted.Visible);
  EXPECT_FALSE(s.DecodeCtcss.Visible);
  EXPECT_EQ(s.DecodeDcs.Selected, 0);
  presenter.SelectEntry(ChannelList::DecodeDcs, 19);
  presenter.SetCheck(ChannelCheck::DecodeInverted, true);
  presenter.SelectEntry(ChannelList::DecodeType, 1);
  EXPECT_EQ(s.DecodeCtcss.Selected, 0);
  presenter.SelectEntry(ChannelList::DecodeType, 0);
  EXPECT_FALSE(s.DecodeCtcss.Visible || s.DecodeDcs.Visible || s.DecodeInverted.Visible);
  presenter.SelectEntry(ChannelList::DecodeCtcss, 5);
  EXPECT_EQ(s.DecodeCtcss.Selected, 0) << "a hidden list takes no choice";
  presenter.SelectEntry(ChannelList::EncodeType, 1);
  presenter.SelectEntry(ChannelList::EncodeType, 2);
  EXPECT_EQ(s.EncodeDcs.Selected, 0);
  EXPECT_FALSE(s.EncodeInverted.Checked);

  presenter.SelectEntry(ChannelList::OptSignal, 1);
  EXPECT_TRUE(s.DtmfCode.Visible);
  EXPECT_EQ(s.DtmfCode.Selected, 0);
  presenter.SelectEntry(ChannelList::DtmfCode, 15);
  presenter.SelectEntry(ChannelList::OptSignal, 3);
  EXPECT_FALSE(s.DtmfCode.Visible);
  EXPECT_TRUE(s.FiveToneCode.Visible);
  EXPECT_EQ(s.FiveToneCode.SelectedValue(-1), 9);
  presenter.SelectEntry(ChannelList::OptSignal, 2);
  EXPECT_FALSE(s.DtmfCode.Visible || s.FiveToneCode.Visible || s.TwoToneCode.Visible);

  presenter.SelectEntry(ChannelList::FiveTonePttId, 1);
  EXPECT_EQ(s.DtmfPttId.Selected, 0);
  presenter.SelectEntry(ChannelList::DtmfPttId, 3);
  EXPECT_EQ(s.FiveTonePttId.Selected, 0);
  presenter.SelectEntry(ChannelList::FiveTonePttId, 0);
  EXPECT_EQ(s.DtmfPttId.Selected, 3) << "the first entry clears nothing";

  EXPECT_TRUE(s.Reverse.Checked);
  presenter.SetCheck(ChannelCheck::TalkAround, true);
  EXPECT_FALSE(s.Reverse.Checked);
  presenter.SetCheck(ChannelCheck::Reverse, true);
  EXPECT_FALSE(s.TalkAround.Checked);
  presenter.SetCheck(ChannelCheck::Reverse, false);
  EXPECT_FALSE(s.Reverse.Checked || s.TalkAround.Checked);

  ASSERT_TRUE(presenter.Ok());
  const ChannelRecord& stored = Stored(6);
  EXPECT_EQ(stored.DecodeType, 0);
  EXPECT_EQ(stored.EncodeType, 2);
  EXPECT_EQ(stored.EncodeDcs, 0);
  EXPECT_EQ(stored.OptSignal, kSignallingTwoTone);
  EXPECT_EQ(stored.FiveToneCode, 9);
  EXPECT_EQ(stored.DtmfCode, 15);
  EXPECT_EQ(stored.DtmfPttId, 3);
  EXPECT_EQ(stored.FiveTonePttId, 0);
}

TEST_F(ChannelEditPresenterTest, CodeListsOfferThePresentEntriesAndKeepTheChannelsCode) {
  const struct {
    const char* What;
    bool TwoToneEnabled;
    int OptSignal;
    int TwoToneCode;
    int FiveToneCode;
    int ShownSignal;
    int StoredSignal;
    int StoredTwoTone;
    int StoredFiveTone;
  } cases[] = {
      {"2-tone code preselected", true, 2, 5, 0, 2, 2, 5, 0},
      {"2-tone code no longer present", true, 2, 6, 0, 2, 2, 0, 0},
      {"2-tone switched off", false, 2, 5, 0, 0, 0, 5, 0},
      {"5-tone code present", true, 3, 0, 40, 3, 3, 0, 40},
      {"5-tone code absent", true, 3, 0, 41, 3, 3, 0, 0},
  };
  twoTone_[2] = twoTone_[5] = true;
  fiveTone_[40] = true;
  for (const auto& c : cases) {
    table_ = {};
    ChannelRecord channel = Channel(6, "438.125");
    channel.OptSignal = static_cast<std::int16_t>(c.OptSignal);
    channel.TwoToneCode = static_cast<std::int16_t>(c.TwoToneCode);
    channel.FiveToneCode = static_cast<std::int16_t>(c.FiveToneCode);
    Add(channel);
    ChannelEditPresenter presenter = Open(6, BandVariant::Full, c.TwoToneEnabled);
    EXPECT_EQ(presenter.State().TwoToneCode.Entries, (std::vector<ListEntry>{{"2", 2}, {"5", 5}})) << c.What;
    EXPECT_FALSE(presenter.State().TwoToneCode.Visible) << c.What;
    EXPECT_EQ(presenter.State().OptSignal.SelectedValue(-1), c.ShownSignal) << c.What;
    ASSERT_TRUE(presenter.Ok());
    EXPECT_EQ(Stored(6).OptSignal, c.StoredSignal) << c.What;
    EXPECT_EQ(Stored(6).TwoToneCode, c.StoredTwoTone) << c.What;
    EXPECT_EQ(Stored(6).FiveToneCode, c.StoredFiveTone) << c.What;
  }

  fiveTone_ = {};
  table_ = {};
  Add(Channel(6, "438.125"));
  ChannelEditPresenter presenter = Open(6, BandVariant::Full, false);
  EXPECT_EQ(ListValues(presenter.State().OptSignal), (std::vector<int>{0, 1, 3}));
  presenter.SelectEntry(ChannelList::OptSignal, 2);
  EXPECT_FALSE(presenter.State().FiveToneCode.HasSelection()) << "no 5-tone entry to choose";
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(Stored(6).OptSignal, kSignallingFiveTone);
  EXPECT_EQ(Stored(6).FiveToneCode, 0);
}

// Only an empty receive box deletes, never a special channel and never the last normal one; the
// options' memory channels then move to a channel that exists.
TEST_F(ChannelEditPresenterTest, AnEmptyReceiveBoxDeletesTheChannelUnlessItMustStay) {
  struct Case {
    const char* What;
    std::set<int> Channels;
    int Edited;
    Messages Shown;
    bool Closes;
    std::vector<int> After;
    int MemoryA;
    int MemoryB;
  };
  const Case cases[] = {
      {"VFO", {1, 2, 202}, 202, {kVfoNeedsFrequency}, false, {1, 2, 202}, 4, 1},
      {"absent VFO", {1, 2}, 201, {kVfoNeedsFrequency}, false, {1, 2}, 4, 1},
      {"RT", {1, 203}, 203, {kVfoNeedsFrequency}, false, {1, 203}, 4, 1},
      {"last normal channel", {5, 201, 202, 203}, 5, {kLastNormalChannel}, false, {5, 201, 202, 203}, 4, 1},
      {"one of two", {5, 9, 201}, 5, {}, true, {9, 201}, 8, 8},
      {"absent", {2, 5}, 7, {}, true, {2, 5}, 4, 1},
      {"absent, references repaired", {3}, 7, {}, true, {3}, 2, 2},
  };
  for (const Case& c : cases) {
    table_ = {};
    prompter_.Messages.clear();
    for (const int n : c.Channels) Add(Channel(n, "438.125"));
    options_.MemoryChannelA = 4;  // channel 5
    options_.MemoryChannelB = 1;  // channel 2
    ChannelEditPresenter presenter = Open(c.Edited);
    presenter.EditReceive("");
    EXPECT_EQ(presenter.Ok(), c.Closes) << c.What;
    EXPECT_EQ(prompter_.Texts(), c.Shown) << c.What;
    EXPECT_EQ(presenter.State().Focus, c.Closes ? ChannelFocus::Unchanged : ChannelFocus::ReceiveBox)
        << c.What;
    EXPECT_EQ(TableNumbers(table_), c.After) << c.What;
    EXPECT_EQ(options_.MemoryChannelA, c.MemoryA) << c.What;
    EXPECT_EQ(options_.MemoryChannelB, c.MemoryB) << c.What;
  }
}

TEST_F(ChannelEditPresenterTest, OkAddsAnAbsentChannelAndRepairsTheMemoryChannels) {
  Add(Channel(201, "438.125"));
  options_.MemoryChannelA = 99;  // channel 100, absent
  options_.MemoryChannelB = 99;
  ChannelEditPresenter presenter = Open(12);
  presenter.EditReceive("146.52");
  presenter.EditTransmit("146.52");
  ASSERT_TRUE(presenter.Ok());
  EXPECT_EQ(TableNumbers(table_), (std::vector<int>{201, 12}));
  ChannelRecord expected = CreateChannel(12, "146.52");
  ASSERT_EQ(expected.RxFreq, "014652000");
  EXPECT_EQ(Stored(12), expected);
  EXPECT_EQ(options_.MemoryChannelA, 11);
  EXPECT_EQ(options_.MemoryChannelB, 11);
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(ChannelEditPresenterTest, CancelLeavesTheTableAndOptionsAsTheyWere) {
  Add(Channel(5, "438.125"));
  Add(Channel(9, "146.52"));
  options_.MemoryChannelA = 99;
  const ChannelTable before = table_;
  for (const int n : {5, 9, 30}) {
    ChannelEditPresenter presenter = Open(n);
    presenter.EditReceive("440");
    presenter.EditTransmit("445");
    presenter.TypeNameCharacter(0, 'Q');
    presenter.SelectEntry(ChannelList::Power, 2);
    presenter.SetCheck(ChannelCheck::TxForbid, true);
    presenter.EditCustomTone("300");
    presenter.Cancel();
    presenter.EditReceive("");
    presenter.Cancel();
  }
  EXPECT_EQ(table_, before);
  EXPECT_EQ(options_.MemoryChannelA, 99);
  EXPECT_TRUE(prompter_.Messages.empty());
}

}  // namespace
}  // namespace hvt
