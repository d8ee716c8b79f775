#include "model/tones.h"

#include <gtest/gtest.h>

#include "model/channel_codes.h"

namespace hvt {
namespace {

TEST(Tones, DcsTexts) {
  struct Case {
    int Stored;
    const char* Text;
  };
  for (const Case& c : {Case{19, "D023N"}, Case{512 + 492, "D754I"}, Case{0, "D000N"}, Case{511, "D777N"},
                        Case{1023, "D777I"}, Case{1024, "D000N"}, Case{-1, "D000N"}}) {
    EXPECT_EQ(DcsText(c.Stored), c.Text) << c.Stored;
  }
  EXPECT_EQ(DcsCodeText(17), "021");
}

TEST(Tones, CtcssTexts) {
  struct Case {
    int Stored;
    int Custom;
    const char* Text;
  };
  for (const Case& c :
       {Case{0, 2511, "62.5"}, Case{50, 2511, "254.1"}, Case{13, 0, "100.0"}, Case{51, 2511, "251.1"},
        Case{51, 670, "67.0"}, Case{52, 2511, "62.5"}, Case{-3, 2511, "62.5"}}) {
    EXPECT_EQ(CtcssText(c.Stored, c.Custom), c.Text) << c.Stored;
  }
}

TEST(Tones, ChannelLabels) {
  EXPECT_EQ(ChannelLabel(1), "1");
  EXPECT_EQ(ChannelLabel(200), "200");
  EXPECT_EQ(ChannelLabel(201), "VFO1");
  EXPECT_EQ(ChannelLabel(202), "VFO2");
  EXPECT_EQ(ChannelLabel(203), "RT");
}

}  // namespace
}  // namespace hvt
