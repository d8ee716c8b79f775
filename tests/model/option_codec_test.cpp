#include "model/option_codec.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/image_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {
namespace {

TEST(OptionCodec, WritesEachFieldAtItsAddress) {
  RadioImage image;
  ASSERT_TRUE(SetCommDataByOption(RichOptions(), 4, image, nullptr));
  EXPECT_EQ(Slice(image, 6528, 16), (Bytes{'H', 'V', 'T', '-', '7', '3', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(image, 12800, 28), (Bytes{5,  8, 2, 0, 9,  3, 36, 1, 2, 2, 1, 1, 1, 3,
                                            30, 3, 3, 1, 31, 2, 9,  8, 7, 6, 4, 2, 4, 0b110110}));
  EXPECT_EQ(Slice(image, 12864, 6), (Bytes{'1', '2', '3', '4', '5', '6'}));
  EXPECT_EQ(Slice(image, 12880, 12), (Bytes{12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Slice(image, 12896, 9), (Bytes{199, 1, 0, 0, 0, 0, 0, 0, 1}));
  for (int address : {12803, 12828, 12863, 12870, 12879, 12892, 12895, 12898, 12902, 12905, 12909}) {
    EXPECT_EQ(image[static_cast<std::size_t>(address)], 0) << address;
  }
}

TEST(OptionCodec, ShortTextsArePaddedAndFlagsFillSixBits) {
  OptionSettings options;
  ResetOptions(options);
  options.PowerOnPassword = "1234";
  options.PowerOnDisplayText = "AB";
  options.KnobMode = options.TrfEnable = options.PowerOnResetAllowed = 1;
  options.NormalChannelStorage = options.ChannelLock = options.SqlKeyFunction = 1;
  RadioImage image;
  ASSERT_TRUE(SetCommDataByOption(options, 0, image, nullptr));
  EXPECT_EQ(Slice(image, 12864, 6), (Bytes{0x31, 0x32, 0x33, 0x34, 0x00, 0x00}));
  EXPECT_EQ(Slice(image, 6528, 8), (Bytes{'A', 'B', 0x20, 0x20, 0x20, 0x20, 0x20, 0x00}));
  EXPECT_EQ(image[12827], 0x3F);

  ResetOptions(options);
  ASSERT_TRUE(SetCommDataByOption(options, 0, image, nullptr));
  EXPECT_EQ(Slice(image, 6528, 7), Bytes(7, 0x20)) << "the new configuration's text is empty";
}

TEST(OptionCodec, DecodesTextsAsTheRadioKeepsThem) {
  RadioImage image;
  const Bytes password = {0x31, 0x32, 0x41, 0x33, 0x34, 0x35};
  const Bytes display = {'A', 'b', '7', '?', '-', 0x00, 0xFF};
  for (std::size_t i = 0; i < 6; ++i) image[12864 + i] = password[i];
  for (std::size_t i = 0; i < 7; ++i) image[6528 + i] = display[i];
  OptionSettings options;
  std::int16_t sendTime = 0;
  GetCommDataByOption(image, options, sendTime);
  EXPECT_EQ(options.PowerOnPassword.Trimmed(), "12");
  EXPECT_EQ(options.PowerOnDisplayText.Trimmed(), "A 7 -");
}

TEST(OptionCodec, FailsOnValuesThatDoNotFitAByte) {
  struct Case {
    const char* What;
    void (*Spoil)(OptionSettings&);
  };
  const Case cases[] = {
      {"key beep", [](OptionSettings& o) { o.KeyBeep = 256; }},
      {"negative shortcut key", [](OptionSettings& o) { o.ShortcutKey[2] = -1; }},
      {"key function", [](OptionSettings& o) { o.KeyFunction[11] = 300; }},
      {"work area", [](OptionSettings& o) { o.MemoryChannelB = 1000; }},
      {"flag bits beyond a byte", [](OptionSettings& o) { o.SqlKeyFunction = 8; }},
  };
  for (const Case& c : cases) {
    OptionSettings options = RichOptions();
    c.Spoil(options);
    const OptionSettings before = options;
    RadioImage image;
    EXPECT_FALSE(SetCommDataByOption(options, 0, image, nullptr)) << c.What;
    EXPECT_EQ(options, before);
  }
  RadioImage image;
  EXPECT_FALSE(SetCommDataByOption(RichOptions(), 5000, image, nullptr)) << "DTMF send time";
}

TEST(OptionCodec, RoundTripsEveryFieldTheImageCarries) {
  const OptionSettings options = RichOptions();
  RadioImage image;
  ASSERT_TRUE(SetCommDataByOption(options, 3, image, nullptr));

  OptionSettings decoded;
  decoded.DisplayModeB = 7;
  decoded.Reserved[4] = 99;
  std::int16_t sendTime = 0;
  GetCommDataByOption(image, decoded, sendTime);
  OptionSettings expected = options;
  expected.DisplayModeB = 7;
  expected.Reserved[4] = 99;
  EXPECT_EQ(decoded, expected);
  EXPECT_EQ(sendTime, 3);

  RadioImage again;
  ASSERT_TRUE(SetCommDataByOption(decoded, sendTime, again, nullptr));
  EXPECT_EQ(again, image);
}

TEST(OptionCodec, AValueOutsideItsBitsFailsNamingTheFieldAndWritesNothing) {
  struct Case {
    void (*Spoil)(OptionSettings&);
    std::int16_t SendTime;
    const char* Detail;
  };
  const Case cases[] = {
      {[](OptionSettings& o) { o.KnobMode = 2; }, 0, "options: KnobMode 2 does not fit 1 bit (0-1)"},
      {[](OptionSettings& o) { o.ChannelLock = -1; }, 0, "options: ChannelLock -1 does not fit 1 bit (0-1)"},
      {[](OptionSettings& o) { o.SqlKeyFunction = 8; }, 0,
       "options: SqlKeyFunction 8 does not fit 1 bit (0-1)"},
      {[](OptionSettings& o) { o.KeyBeep = 256; }, 0, "options: KeyBeep 256 does not fit 8 bits (0-255)"},
      {[](OptionSettings& o) { o.ShortcutKey[2] = -1; }, 0,
       "options: ShortcutKey[2] -1 does not fit 8 bits (0-255)"},
      {[](OptionSettings& o) { o.KeyFunction[11] = 300; }, 0,
       "options: KeyFunction[11] 300 does not fit 8 bits (0-255)"},
      {[](OptionSettings&) {}, 5000, "options: DTMF SendTime 5000 does not fit 8 bits (0-255)"},
  };
  for (const Case& c : cases) {
    OptionSettings options = RichOptions();
    c.Spoil(options);
    RadioImage image;
    const EncodeResult result = SetCommDataByOption(options, c.SendTime, image, nullptr);
    ASSERT_FALSE(result) << c.Detail;
    EXPECT_EQ(result.Detail(), c.Detail);
    EXPECT_EQ(image, RadioImage{}) << c.Detail;
  }
}

TEST(OptionCodec, EachFlagReadsBackAloneAndAmongTheOthers) {
  using Flag = std::int16_t OptionSettings::*;
  const Flag flags[] = {&OptionSettings::KnobMode,
                        &OptionSettings::TrfEnable,
                        &OptionSettings::PowerOnResetAllowed,
                        &OptionSettings::NormalChannelStorage,
                        &OptionSettings::ChannelLock,
                        &OptionSettings::SqlKeyFunction};
  for (const int others : {0, 1}) {
    for (std::size_t i = 0; i < std::size(flags); ++i) {
      OptionSettings options = RichOptions();
      for (const Flag flag : flags) options.*flag = static_cast<std::int16_t>(others);
      options.*flags[i] = static_cast<std::int16_t>(1 - others);
      RadioImage image;
      ASSERT_TRUE(SetCommDataByOption(options, 0, image, nullptr));
      EXPECT_EQ(image[12827], others == 0 ? 1 << i : 0x3F & ~(1 << i)) << i;
      OptionSettings decoded = options;
      std::int16_t sendTime = 0;
      GetCommDataByOption(image, decoded, sendTime);
      EXPECT_EQ(decoded, options) << i;
    }
  }
}

TEST(OptionCodec, AutomaticTestMarksTheOptionBlocks) {
  AutoTestRecording recording;
  recording.Groups.fill(false);
  recording.Groups[static_cast<std::size_t>(AutoTestGroup::Options)] = true;
  RadioImage image;
  ASSERT_TRUE(SetCommDataByOption(RichOptions(), 0, image, &recording));
  std::vector<int> marked;
  for (int block = 0; block < memory_map::kBlockCount; ++block) {
    if (recording.Blocks.IsMarked(block)) marked.push_back(block);
  }
  EXPECT_EQ(marked, (std::vector<int>{408, 800, 801, 802, 803, 804, 805, 806}));
}

TEST(OptionSettings, NewValues) {
  OptionSettings options = RichOptions();
  options.Reserved[0] = 42;
  ResetOptions(options);
  EXPECT_EQ(options.FrequencyStep, 1);
  EXPECT_EQ(options.SpeakerVolume, 1);
  EXPECT_EQ(options.ShortcutKey, (std::array<std::int16_t, 4>{2, 3, 4, 5}));
  EXPECT_EQ(options.KeyFunction[0], 1);
  EXPECT_EQ(options.KeyFunction[11], 12);
  EXPECT_EQ(options.KnobMode, 1);
  EXPECT_EQ(options.TrfEnable, 1);
  EXPECT_EQ(options.BacklightBrightness, 0);
  EXPECT_EQ(options.PowerOnDisplayText.Raw(), std::string_view("\0       ", 8));
  EXPECT_EQ(options.PowerOnPassword.Trimmed(), "");
  EXPECT_EQ(options.Reserved[0], 42);
}

}  // namespace
}  // namespace hvt
