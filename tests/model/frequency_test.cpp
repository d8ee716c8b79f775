#include "model/frequency.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(Frequency, DisplayTextToRecord) {
  struct Case {
    const char* Text;
    const char* Record;
  };
  for (const Case& c :
       {Case{"462.5625", "046256250"}, Case{"136.0", "013600000"}, Case{"462", "046200000"},
        Case{"5", "000500000"}, Case{"46256", "0462"}, Case{"", ""}, Case{"462.56257", "046256257"}}) {
    EXPECT_EQ(FreqTextToRecord(c.Text), c.Record) << c.Text;
  }
}

TEST(Frequency, RecordToDisplayText) {
  struct Case {
    const char* Record;
    const char* Text;
    bool NotNumeric;
  };
  for (const Case& c :
       {Case{"046256250", "462.56250", false}, Case{"FFFFFFFFF", "", false}, Case{"", "", false},
        Case{"         ", "", false}, Case{"0462     ", "462.00000", false}, Case{"04625625X", "", true},
        Case{"000000000", "0.00000", false}}) {
    const FrequencyDisplay display = FreqRecordToText(c.Record);
    EXPECT_EQ(display.Text, c.Text) << c.Record;
    EXPECT_EQ(display.NotNumeric, c.NotNumeric) << c.Record;
  }
}

TEST(Frequency, RecordToImageBytes) {
  struct Case {
    const char* Record;
    ImageFrequency Bytes;
  };
  for (const Case& c :
       {Case{"046256250", {0x46, 0x25, 0x62, 0x50}}, Case{"013600000", {0x13, 0x60, 0x00, 0x00}},
        // An empty record becomes eight F's, filled up with a 0 like any short record.
        Case{"", {0xFF, 0xFF, 0xFF, 0xF0}}, Case{"FFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF}},
        Case{"0462", {0x46, 0x20, 0x00, 0x00}}}) {
    EXPECT_EQ(FreqRecordToImage(c.Record), c.Bytes) << c.Record;
  }
  EXPECT_EQ(TxFreqRecordToImage("000500000"), (ImageFrequency{0x00, 0x50, 0x00, 0x00}));
  EXPECT_FALSE(FreqRecordToImage("04G256250").has_value());
  EXPECT_FALSE(TxFreqRecordToImage("         ").has_value()) << "the transmit field is not defaulted";
}

TEST(Frequency, ImageBytesToRecord) {
  const std::array<std::uint8_t, 4> valid{0x46, 0x25, 0x62, 0x50};
  const std::array<std::uint8_t, 4> erased{0xFF, 0xFF, 0xFF, 0xFF};
  const std::array<std::uint8_t, 4> hexDigit{0x46, 0x2A, 0x62, 0x50};
  EXPECT_EQ(FreqImageToRecord(valid), "046256250");
  EXPECT_FALSE(FreqImageToRecord(erased).has_value());
  EXPECT_FALSE(FreqImageToRecord(hexDigit).has_value());
}

TEST(Frequency, TransmitDisplayFollowsTheOffsetDirection) {
  struct Case {
    const char* Rx;
    int Direction;
    const char* Tx;
    const char* Shown;
  };
  for (const Case& c :
       {Case{"046256250", 0, "000500000", "462.56250"}, Case{"046256250", 1, "000500000", "467.56250"},
        Case{"046256250", 2, "000500000", "457.56250"}, Case{"046256250", 3, "046756250", "467.56250"},
        Case{"014600000", 1, "000060000", "146.60000"}, Case{"FFFFFFFFF", 1, "000500000", ""},
        Case{"046256250", 1, "         ", ""}}) {
    EXPECT_EQ(TxDisplayText(c.Rx, c.Direction, c.Tx).Text, c.Shown) << c.Rx << " dir " << c.Direction;
  }
}

}  // namespace
}  // namespace hvt
