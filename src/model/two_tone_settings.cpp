#include "model/two_tone_settings.h"

namespace hvt {

TwoToneSettings NewTwoToneSettings() {
  TwoToneSettings settings;
  settings.PairFirstTone = BigEndianWord::Of(3217);
  settings.PairSecondTone = BigEndianWord::Of(9281);
  settings.FirstToneDivider = BigEndianWord::Of(0x3A48);
  settings.SecondToneDivider = BigEndianWord::Of(0x1434);
  settings.ToneFrequencies = {3217, 9281, 6265, 20438};
  settings.ToneTime1 = 5;
  settings.ToneTime2 = 5;
  settings.ToneTime3 = 10;
  TwoToneEntry& first = settings.TwoToneEntries[0];
  first.EmptyFlag = 0;
  first.FirstDivider = BigEndianWord::Of(0x3A48);
  first.SecondDivider = BigEndianWord::Of(0x1434);
  first.FirstTone = BigEndianWord::Of(3217);
  first.SecondTone = BigEndianWord::Of(9281);
  return settings;
}

std::array<bool, kTwoToneEntryCount> TwoTonePresence(const TwoToneSettings& settings) {
  std::array<bool, kTwoToneEntryCount> present{};
  for (std::size_t i = 0; i < present.size(); ++i) present[i] = settings.TwoToneEntries[i].EmptyFlag == 0;
  return present;
}

}  // namespace hvt
