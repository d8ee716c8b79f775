#include "model/band.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(Band, ParsesTheLimitsOfEachVariant) {
  const BandLimits full = LimitsOf(BandVariant::Full);
  EXPECT_EQ(full.Rx[kUhfRow], (FrequencyRange{40000000, 49000000}));
  EXPECT_EQ(full.Tx[kUhfRow], (FrequencyRange{40000000, 49000000}));
  EXPECT_EQ(full.Rx[kVhfRow], (FrequencyRange{13600000, 17400000}));
  EXPECT_EQ(full.Tx[kVhfRow], (FrequencyRange{13600000, 17400000}));

  const BandLimits restricted = LimitsOf(BandVariant::Restricted);
  EXPECT_EQ(restricted.Rx[kUhfRow], (FrequencyRange{40000000, 49000000}));
  EXPECT_EQ(restricted.Tx[kUhfRow], (FrequencyRange{42000000, 45000000}));
  EXPECT_EQ(restricted.Tx[kVhfRow], (FrequencyRange{14400000, 14800000}));
}

TEST(Band, TwoLineTextSplitsTheRowsAndIsEmptyForAnUnknownVariant) {
  const struct {
    int Variant;
    std::string Text;
  } cases[] = {
      {0, "UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)}\r\nVHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}"},
      {1, "UHF{Rx(400 - 490 MHz) Tx(400 - 490 MHz)}\r\nVHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}"},
      {2, ""},
      {-1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BandTextTwoLines(c.Variant), c.Text) << "variant " << c.Variant;
}

TEST(Band, ParsesDecimalLimitsAndRefusesOtherShapes) {
  const auto limits =
      ParseBandText("UHF{Rx(400.5 - 470.25 MHz) Tx(401 - 402 MHz)} VHF{Rx(136 - 174 MHz) Tx(1 - 2 MHz)}");
  ASSERT_TRUE(limits.has_value());
  EXPECT_EQ(limits->Rx[kUhfRow], (FrequencyRange{40050000, 47025000}));
  EXPECT_FALSE(ParseBandText("UHF{Rx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}"));
  EXPECT_FALSE(
      ParseBandText("UHF{Rx(400-490 MHz) Tx(400 - 490 MHz)} VHF{Rx(136 - 174 MHz) Tx(136 - 174 MHz)}"));
  EXPECT_FALSE(ParseBandText(""));
}

TEST(Band, RowOfAReceiveFrequency) {
  const BandLimits limits = LimitsOf(BandVariant::Full);
  EXPECT_EQ(RxBandRow(limits, 46256250), kUhfRow);
  EXPECT_EQ(RxBandRow(limits, 14600000), kVhfRow);
  EXPECT_EQ(RxBandRow(limits, 30000000), kUhfRow);
  EXPECT_EQ(BandVariantFromNumber(0), BandVariant::Restricted);
  EXPECT_FALSE(BandVariantFromNumber(2).has_value());
}

}  // namespace
}  // namespace hvt
