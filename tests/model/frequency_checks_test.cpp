#include "model/frequency_checks.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

const BandLimits kFull = LimitsOf(BandVariant::Full);
const BandLimits kRestricted = LimitsOf(BandVariant::Restricted);

TEST(FrequencyChecks, ReceiveFrequencyOutsideTheBandsIsReplaced) {
  struct Case {
    const char* Text;
    const char* Previous;
    const char* Result;
    bool Warning;
  };
  for (const Case& c :
       {Case{"462.5625", "FFFFFFFFF", "462.56250", false}, Case{"136", "FFFFFFFFF", "136.00000", false},
        Case{"490", "FFFFFFFFF", "490.00000", false}, Case{"495", "046256250", "462.56250", true},
        Case{"495", "FFFFFFFFF", "490.00000", true}, Case{"300", "FFFFFFFFF", "400.00000", true},
        Case{"200", "FFFFFFFFF", "174.00000", true}, Case{"abc", "FFFFFFFFF", "400.00000", true},
        Case{"abc", "014600000", "146.00000", true}}) {
    const CheckedFrequency checked = ValidateRx(c.Text, c.Previous, kFull);
    EXPECT_EQ(checked.Text, c.Result) << c.Text << " after " << c.Previous;
    EXPECT_EQ(checked.OutOfRangeWarning, c.Warning) << c.Text << " after " << c.Previous;
  }
}

TEST(FrequencyChecks, TransmitFrequencyStaysInTheReceiveFrequencysBand) {
  struct Case {
    const BandLimits* Limits;
    const char* Text;
    const char* Rx;
    const char* Result;
    bool Warning;
  };
  for (const Case& c : {Case{&kRestricted, "460", "046256250", "450.00000", true},
                        Case{&kRestricted, "430", "046256250", "430.00000", false},
                        Case{&kRestricted, "150", "014600000", "148.00000", true},
                        Case{&kRestricted, "435", "014600000", "148.00000", true},
                        Case{&kRestricted, "x", "014600000", "144.00000", true},
                        Case{&kFull, "435", "FFFFFFFFF", "435.00000", false},
                        Case{&kRestricted, "435", "FFFFFFFFF", "435.00000", false}}) {
    const CheckedFrequency checked = ValidateTx(c.Text, c.Rx, *c.Limits);
    EXPECT_EQ(checked.Text, c.Result) << c.Text << " for " << c.Rx;
    EXPECT_EQ(checked.OutOfRangeWarning, c.Warning) << c.Text << " for " << c.Rx;
  }
}

TEST(FrequencyChecks, OffsetIsLimitedByTheTransmitRange) {
  struct Case {
    const char* Offset;
    const char* Rx;
    int Direction;
    const char* Result;
    int ResultDirection;
    bool Warning;
  };
  for (const Case& c : {Case{"5", "462.5625", kOffsetPlus, "5.00000", kOffsetPlus, false},
                        Case{"30", "462.5625", kOffsetPlus, "27.43750", kOffsetPlus, true},
                        Case{"5", "462.5625", kOffsetMinus, "5.00000", kOffsetMinus, false},
                        Case{"70", "462.5625", kOffsetMinus, "62.56250", kOffsetMinus, true},
                        Case{"0", "462.5625", kOffsetPlus, "0.00000", kOffsetPlus, false},
                        Case{"7.5", "462.5625", kOffsetOff, "7.50000", kOffsetOff, false},
                        Case{"abc", "462.5625", kOffsetPlus, "0.00000", kOffsetPlus, false},
                        Case{"5", "", kOffsetPlus, "0.00000", kOffsetPlus, false},
                        Case{"80.5", "400", kOffsetPlus, "80.50000", kOffsetPlus, false},
                        Case{"80.6", "400", kOffsetPlus, "80.00000", kOffsetPlus, false},
                        Case{"100", "136", kOffsetPlus, "38.00000", kOffsetPlus, true}}) {
    const CheckedOffset checked = OffsetFromText(c.Offset, c.Rx, c.Direction, kFull);
    EXPECT_EQ(checked.Text, c.Result) << c.Offset << " on " << c.Rx;
    EXPECT_EQ(checked.Direction, c.ResultDirection) << c.Offset << " on " << c.Rx;
    EXPECT_EQ(checked.OutOfRangeWarning, c.Warning) << c.Offset << " on " << c.Rx;
  }
}

TEST(FrequencyChecks, OffsetDirectionFollowsAClampedTransmitFrequency) {
  // 445 - 30 = 415 lies below the restricted UHF transmit range: 420 is used, still below.
  CheckedOffset checked = OffsetFromText("30", "445", kOffsetMinus, kRestricted);
  EXPECT_EQ(checked.Text, "25.00000");
  EXPECT_EQ(checked.Direction, kOffsetMinus);
  // 410 - 5 = 405 is clamped to 420, above: the direction becomes "+".
  checked = OffsetFromText("5", "410", kOffsetMinus, kRestricted);
  EXPECT_EQ(checked.Text, "10.00000");
  EXPECT_EQ(checked.Direction, kOffsetPlus);
}

TEST(FrequencyChecks, SameBandComparesReceiveAndTransmitRows) {
  EXPECT_TRUE(SameBand("462.5625", "430", kRestricted));
  EXPECT_FALSE(SameBand("462.5625", "460", kRestricted));
  EXPECT_FALSE(SameBand("146", "440", kFull));
  EXPECT_TRUE(SameBand("146", "147", kFull));
  EXPECT_FALSE(SameBand("", "", kFull));
}

}  // namespace
}  // namespace hvt
