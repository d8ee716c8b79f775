#include "model/five_tone_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/record_printer.h"

namespace hvt {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string TextAt(const Bytes& bytes, std::size_t offset, std::size_t length) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
          bytes.begin() + static_cast<std::ptrdiff_t>(offset + length)};
}

TEST(FiveToneSettings, FileFormHasNoGapBeforeTheFirstWord) {
  FiveToneSettings s;
  s.ToneLength = 0x11;
  s.OwnId = "12345";
  s.TenthsTime = 0x22;
  s.OptionalValue = 0x33;
  s.FirstDigitDelay = 0x1234;
  s.Separator = 0x0D;
  s.InfoCodes[0] = {.Function = 5, .Response = 2, .DigitCount = 3, .Code = "ABC", .Name = "N1"};
  s.InfoCodes[7].Name = "N8";
  s.PttIdBegin.EmptyFlag = 0x0102;
  s.PttIdBegin.ToneLength = 0x44;
  s.PttIdBegin.Code = "B";
  s.PttIdEnd.Code = "E";
  s.Codes[0].Code = "C1";
  s.Codes[99].Name = "LAST";

  const Bytes bytes = ToFileBytes(s);
  ASSERT_EQ(bytes.size(), 5607U);
  EXPECT_EQ(bytes[4], 0x11);
  EXPECT_EQ(TextAt(bytes, 5, 6), "12345 ");
  EXPECT_EQ(bytes[11], 0x22);
  EXPECT_EQ(bytes[14], 0x33);
  EXPECT_EQ(TextAt(bytes, 15, 2), "\x34\x12");
  EXPECT_EQ(TextAt(bytes, 23, 2), std::string("\x0D\x00", 2));
  EXPECT_EQ(TextAt(bytes, 25, 3), "\x05\x02\x03");
  EXPECT_EQ(TextAt(bytes, 28, 12), "ABC         ");
  EXPECT_EQ(TextAt(bytes, 40, 7), "N1     ");
  EXPECT_EQ(TextAt(bytes, 194, 7), "N8     ");
  EXPECT_EQ(TextAt(bytes, 201, 2), "\x02\x01");
  EXPECT_EQ(bytes[206], 0x44);
  EXPECT_EQ(bytes[207], 'B');
  EXPECT_EQ(bytes[260], 'E');
  EXPECT_EQ(TextAt(bytes, 313, 2), "C1");
  EXPECT_EQ(TextAt(bytes, 5600, 7), "LAST   ");

  FiveToneSettings read;
  ASSERT_TRUE(FromFileBytes(bytes, read));
  EXPECT_EQ(read, s);
}

TEST(FiveToneSettings, ResetAppliesTheNewValuesAndKeepsThePttIdCodes) {
  const Bytes noise(FileSize<FiveToneSettings>(), 0x5A);
  FiveToneSettings s;
  ASSERT_TRUE(FromFileBytes(noise, s));
  const FiveToneSettings before = s;

  ResetFiveTone(s);

  FiveToneSettings expected;
  expected.ToneLength = 70;
  expected.IntervalA = 20;
  expected.IntervalB = 20;
  expected.OptionalValue = 10;
  expected.FirstDigitDelay = 20;
  expected.PauseTime = 20;
  expected.Separator = 13;
  for (FiveToneEntry& entry : expected.Codes) {
    entry.EmptyFlag = 1;
    entry.ToneLength = 70;
  }
  expected.PttIdBegin = before.PttIdBegin;
  expected.PttIdEnd = before.PttIdEnd;
  EXPECT_EQ(s, expected);
}

}  // namespace
}  // namespace hvt
