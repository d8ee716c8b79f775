#include "model/channel_rules.h"

#include <gtest/gtest.h>

#include "model/frequency_checks.h"
#include "model/tones.h"

namespace hvt {
namespace {

const BandLimits kFull = LimitsOf(BandVariant::Full);
const BandLimits kRestricted = LimitsOf(BandVariant::Restricted);

Frequency MHz(std::string_view text) { return ParseMHz(text).value(); }

ChannelRecord Channel(int number, std::string_view rx, int direction = kOffsetOff,
                      std::string_view field = "0") {
  ChannelRecord c = CreateChannel(number, rx);
  c.OffsetDir = static_cast<std::int16_t>(direction);
  c.TxFreq = FreqTextToRecord(field);
  return c;
}

TEST(ChannelRules, TheTransmitRangeIsThatOfTheReceiveBand) {
  EXPECT_TRUE(ReceiveAllowed(kRestricted, MHz("400")));
  EXPECT_TRUE(ReceiveAllowed(kRestricted, MHz("174")));
  EXPECT_FALSE(ReceiveAllowed(kFull, MHz("300")));
  EXPECT_EQ(TransmitRangeFor(kRestricted, MHz("462.5625")), (FrequencyRange{MHz("420"), MHz("450")}));
  EXPECT_EQ(TransmitRangeFor(kRestricted, MHz("146")), (FrequencyRange{MHz("144"), MHz("148")}));
  EXPECT_EQ(RangeText(kRestricted.Tx[kUhfRow]), "420.00000-450.00000 MHz");
  EXPECT_EQ(ReceiveRangesText(kFull), "400.00000-490.00000 MHz, 136.00000-174.00000 MHz");
}

// The channel dialog's transmit box: offset and direction within a band row, the transmit
// frequency across rows and on the RT channel, an offset above 80 MHz capped.
TEST(ChannelRules, TheTransmitFrequencyGivesDirectionAndOffset) {
  struct Case {
    int Number;
    const char* Rx;
    const char* Tx;
    int Direction;
    const char* Field;
    const char* Transmit;
    bool Capped;
  };
  const Case cases[] = {
      {1, "462.5625", "467.5625", kOffsetPlus, "5", "467.5625", false},
      {1, "462.5625", "457.5625", kOffsetMinus, "5", "457.5625", false},
      {1, "462.5625", "462.5625", kOffsetOff, "0", "462.5625", false},
      {1, "146.52", "446.5", kOffsetSeparateTx, "446.5", "446.5", false},
      {203, "462.5625", "467.5625", kOffsetSeparateTx, "467.5625", "467.5625", false},
      {1, "400", "480.5", kOffsetPlus, "80.5", "480.5", false},  // 80.5 rounds to 80
      {1, "400", "480.6", kOffsetPlus, "80", "480", true},
      {1, "490", "405", kOffsetMinus, "80", "410", true},
  };
  for (const Case& c : cases) {
    const TransmitSetting setting = TransmitSettingFor(kFull, c.Number, MHz(c.Rx), MHz(c.Tx));
    EXPECT_EQ(setting.Direction, c.Direction) << c.Rx << " " << c.Tx;
    EXPECT_EQ(setting.Field, MHz(c.Field)) << c.Rx << " " << c.Tx;
    EXPECT_EQ(setting.Transmit, MHz(c.Transmit)) << c.Rx << " " << c.Tx;
    EXPECT_EQ(setting.Capped, c.Capped) << c.Rx << " " << c.Tx;
  }
}

TEST(ChannelRules, ANameKeepsWhatTheRadioShows) {
  const struct {
    const char* Text;
    const char* Name;
    bool Changed;
  } cases[] = {
      {"CH-9Z", "CH-9Z", false},   {"ab", "AB", true}, {"A B", "A B", false}, {"a.b\\c", "ABC", true},
      {"LONGNAME", "LONGN", true}, {"Ünï", "N", true}, {"", "", false},
  };
  for (const auto& c : cases) {
    const ChannelName name = ChannelNameOf(c.Text);
    EXPECT_EQ(name.Text, c.Name) << c.Text;
    EXPECT_EQ(name.Changed, c.Changed) << c.Text;
  }
  for (const char c : std::string_view("AZ09-")) EXPECT_TRUE(IsNameCharacter(c)) << c;
  for (const char c : std::string_view("az .\\_")) EXPECT_FALSE(IsNameCharacter(c)) << c;
}

TEST(ChannelRules, TheUserDefinedToneStaysWithin50And260Hertz) {
  const struct {
    const char* Text;
    int Tenths;
  } cases[] = {{"300", 2600}, {"10", 500}, {"123.4", 1234}, {"x", 2511}, {"", 2511}};
  for (const auto& c : cases) EXPECT_EQ(CustomToneTenths(c.Text), c.Tenths) << c.Text;
  EXPECT_TRUE(CustomToneAllowed(500));
  EXPECT_TRUE(CustomToneAllowed(2600));
  EXPECT_FALSE(CustomToneAllowed(499));
  EXPECT_FALSE(CustomToneAllowed(2601));
}

TEST(ChannelRules, TheToneChoicesDecideTheSquelchModes) {
  struct Case {
    int Decode;
    int Encode;
    int Signal;
    bool Reverse;
    bool TalkAround;
    std::vector<int> Modes;
  };
  const Case cases[] = {
      {0, 0, 0, false, false, {0}},    {1, 0, 0, false, false, {0, 1}},
      {0, 0, 1, false, false, {0, 2}}, {2, 0, 3, false, false, {0, 1, 2, 3, 4}},
      {1, 0, 1, false, true, {0}},     {0, 1, 0, true, false, {0, 1}},
      {1, 0, 0, true, false, {0}},  // reversed, the transmit tone decides
  };
  for (const Case& c : cases) {
    ChannelRecord channel = CreateChannel(1, "446.1");
    channel.DecodeType = static_cast<std::int16_t>(c.Decode);
    channel.EncodeType = static_cast<std::int16_t>(c.Encode);
    channel.OptSignal = static_cast<std::int16_t>(c.Signal);
    channel.Reverse = c.Reverse ? 1 : 0;
    channel.TalkAround = c.TalkAround ? 1 : 0;
    EXPECT_EQ(AllowedSquelchModes(channel), c.Modes);
    channel.SquelchMode = 4;
    EXPECT_EQ(SquelchModeFor(channel), c.Modes.size() == 5 ? 4 : 0);
  }
}

// The records a hostile channel table gives: every transmit frequency outside the bands is a
// fault, whatever the direction and even with transmitting inhibited.
TEST(ChannelRules, ARecordBreakingARuleNamesTheRule) {
  struct Case {
    const char* What;
    ChannelRecord Record;
    std::vector<ChannelRuleFault> Faults;
  };
  const FrequencyRange uhfTx = kFull.Tx[kUhfRow];
  ChannelRecord inhibited = Channel(1, "446.1", kOffsetSeparateTx, "913.1");
  inhibited.TxForbid = 1;
  ChannelRecord custom = CreateChannel(1, "446.1");
  custom.DecodeType = 1;
  custom.DecodeCtcss = kCustomCtcssIndex;
  custom.CustomCtcss = 10;
  ChannelRecord unusedCustom = CreateChannel(1, "446.1");
  unusedCustom.CustomCtcss = 10;
  ChannelRecord lowerName = CreateChannel(1, "446.1");
  lowerName.Name = std::string_view("ab\0  ", 5);
  ChannelRecord both = CreateChannel(1, "446.1");
  both.Reverse = both.TalkAround = 1;
  ChannelRecord squelch = CreateChannel(1, "446.1");
  squelch.SquelchMode = 1;
  const Case cases[] = {
      {"repeater", Channel(1, "446.1", kOffsetMinus, "5"), {}},
      {"separate transmit at 0 MHz",
       Channel(1, "446.1", kOffsetSeparateTx, "0"),
       {{.Kind = ChannelFault::TransmitOutside, .Value = 0, .Allowed = uhfTx}}},
      {"dir=3 at 5 MHz",
       Channel(1, "446.1", kOffsetSeparateTx, "5"),
       {{.Kind = ChannelFault::TransmitOutside, .Value = MHz("5"), .Allowed = uhfTx}}},
      {"dir=3 at 6.1 MHz",
       Channel(1, "446.1", kOffsetSeparateTx, "6.1"),
       {{.Kind = ChannelFault::TransmitOutside, .Value = MHz("6.1"), .Allowed = uhfTx}}},
      {"transmit inhibited at 913.1 MHz",
       inhibited,
       {{.Kind = ChannelFault::TransmitOutside, .Value = MHz("913.1"), .Allowed = uhfTx}}},
      {"offset 446.1 down to 0",
       Channel(1, "446.1", kOffsetMinus, "446.1"),
       {{.Kind = ChannelFault::OffsetAboveMaximum, .Value = MHz("446.1")},
        {.Kind = ChannelFault::TransmitOutside, .Value = 0, .Allowed = uhfTx}}},
      {"cross band",
       Channel(1, "146.52", kOffsetSeparateTx, "446.5"),
       {{.Kind = ChannelFault::TransmitOutside, .Value = MHz("446.5"), .Allowed = kFull.Tx[kVhfRow]}}},
      {"receive outside",
       CreateChannel(1, "300"),
       {{.Kind = ChannelFault::ReceiveOutside, .Value = MHz("300")}}},
      {"custom tone in use", custom, {{.Kind = ChannelFault::CustomToneOutside, .Value = 10}}},
      {"custom tone unused", unusedCustom, {}},
      {"lower-case name", lowerName, {{.Kind = ChannelFault::NameCharacters}}},
      {"reverse and talk-around", both, {{.Kind = ChannelFault::ReverseWithTalkAround}}},
      {"tone squelch without a tone", squelch, {{.Kind = ChannelFault::SquelchModeNotAllowed, .Value = 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ChannelFaults(c.Record, kFull), c.Faults) << c.What;
}

TEST(ChannelRules, DeletedChannelsLeaveTheMemoryChannelsOnOneThatExists) {
  Configuration configuration;
  for (const int number : {3, 7, 201})
    ASSERT_TRUE(AddChannel(configuration.Channels, CreateChannel(number, "446.1")));
  EXPECT_EQ(NormalChannelCount(configuration.Channels), 2);
  configuration.Options.MemoryChannelA = 2;  // channel 3
  configuration.Options.MemoryChannelB = 6;  // channel 7
  DeleteChannel(configuration.Channels, 7);
  RepairChannelRefsAfterDeletes(configuration);
  EXPECT_EQ(configuration.Options.MemoryChannelA, 2);
  EXPECT_EQ(configuration.Options.MemoryChannelB, 2) << "the last normal channel";
}

}  // namespace
}  // namespace hvt
