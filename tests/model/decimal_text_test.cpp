#include "model/decimal_text.h"

#include <gtest/gtest.h>

#include <locale>

#include "model/frequency.h"

namespace hvt {
namespace {

TEST(DecimalText, RecognisesNumbers) {
  struct Case {
    const char* Text;
    bool Numeric;
  };
  for (const Case& c :
       {Case{"462.5625", true}, Case{" 12 ", true}, Case{"-3", true}, Case{"+.5", true}, Case{"0462.", true},
        Case{"", false}, Case{"  ", false}, Case{".", false}, Case{"1.2.3", false}, Case{"12a", false},
        Case{"1 2", false}, Case{"1,5", false}, Case{"FFFFFFFFF", false}}) {
    EXPECT_EQ(IsNumeric(c.Text), c.Numeric) << '"' << c.Text << '"';
  }
}

TEST(DecimalText, ParsesExactlyAndRoundsHalfAwayFromZero) {
  struct Case {
    const char* Text;
    int Decimals;
    std::int64_t Expected;
  };
  for (const Case& c : {Case{"462.5625", 5, 46256250}, Case{"136", 5, 13600000}, Case{"0.000005", 5, 1},
                        Case{"0.0000049", 5, 0}, Case{"-0.000005", 5, -1}, Case{"2.5", 0, 3},
                        Case{"999999999999999999999", 5, 1'000'000'000'000'000}}) {
    EXPECT_EQ(ParseScaled(c.Text, c.Decimals), c.Expected) << c.Text;
  }
  EXPECT_FALSE(ParseScaled("abc", 5).has_value());
}

TEST(DecimalText, FormatsWithFixedDecimalsAndIntegerDigits) {
  EXPECT_EQ(FormatScaled(46256250, 5, 1), "462.56250");
  EXPECT_EQ(FormatScaled(500000, 5, 1), "5.00000");
  EXPECT_EQ(FormatScaled(500000, 5, 3), "005.00000");
  EXPECT_EQ(FormatScaled(-100000, 5, 3), "-001.00000");
  EXPECT_EQ(FormatScaled(2511, 1, 1), "251.1");
  EXPECT_EQ(FormatScaled(462, 0, 4), "0462");
}

TEST(DecimalText, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(8050000, 5), 80);
  EXPECT_EQ(RoundHalfEven(8150000, 5), 82);
  EXPECT_EQ(RoundHalfEven(8060000, 5), 81);
  EXPECT_EQ(RoundHalfEven(-250, 2), -2);
}

// A locale whose decimal separator is "," must not change any number the program reads or writes.
struct CommaDecimals : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(DecimalText, IgnoresTheUsersDecimalSeparator) {
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
  const auto record = FreqTextToRecord("462.5625");
  const auto display = FreqRecordToText("046256250");
  const auto parsed = ParseMHz("145.5");
  std::locale::global(previous);

  EXPECT_EQ(record, "046256250");
  EXPECT_EQ(display.Text, "462.56250");
  EXPECT_EQ(parsed, 14550000);
}

}  // namespace
}  // namespace hvt
