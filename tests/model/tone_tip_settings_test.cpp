#include "model/tone_tip_settings.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(ToneTipSettings, ResetWritesTheFiveFactorySets) {
  ToneTipSettings settings;
  ResetToneTips(settings);

  const ToneTipSet& first = settings.Sets[0];
  for (int tone = 0; tone < 7; ++tone) {
    EXPECT_EQ(first.Tones[tone].Frequency, tone % 2 == 0 ? 210 : 0) << tone;
    EXPECT_EQ(first.Tones[tone].ToneLong, 10) << tone;
  }
  EXPECT_EQ(first.Tones[7], ToneTipTone{});
  for (int tone = 0; tone < 14; ++tone) {
    EXPECT_EQ(settings.Sets[1].Tones[tone],
              (ToneTipTone{static_cast<std::int16_t>(tone % 2 == 0 ? 80 : 0), 4}));
  }
  EXPECT_EQ(settings.Sets[2].Tones[1], (ToneTipTone{90, 3}));
  EXPECT_EQ(settings.Sets[3].Tones[4], (ToneTipTone{192, 6}));
  EXPECT_EQ(settings.Sets[3].Tones[5], ToneTipTone{});
  EXPECT_EQ(settings.Sets[4].Tones[5], (ToneTipTone{70, 20}));
  for (int set = 0; set < 5; ++set) {
    EXPECT_EQ(settings.Sets[set].RecycleTimes, 1);
    EXPECT_EQ(settings.Sets[set].InterTime, 0);
  }
  for (int set = 5; set < 8; ++set) EXPECT_EQ(settings.Sets[set], ToneTipSet{});
}

TEST(ToneTipSettings, ResetKeepsEveryFieldItDoesNotName) {
  ToneTipSettings settings;
  settings.Sets[5].Tones[0] = {123, 45};
  settings.Sets[5].RecycleTimes = 3;
  settings.Sets[0].Tones[13] = {99, 9};
  settings.Sets[3].InterTime = 7;
  ResetToneTips(settings);
  EXPECT_EQ(settings.Sets[5].Tones[0], (ToneTipTone{123, 45}));
  EXPECT_EQ(settings.Sets[5].RecycleTimes, 3);
  EXPECT_EQ(settings.Sets[0].Tones[13], (ToneTipTone{99, 9}));
  EXPECT_EQ(settings.Sets[3].InterTime, 0) << "the reset names the pause of sets 1 to 5";
}

}  // namespace
}  // namespace hvt
