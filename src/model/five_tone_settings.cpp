#include "model/five_tone_settings.h"

namespace hvt {

void ResetFiveTone(FiveToneSettings& settings) {
  settings.Reserved0 = 0;
  settings.DecodeResponse = 0;
  settings.Standard = 0;
  settings.OwnIdLength = 0;
  settings.ToneLength = kDefaultFiveToneLength;
  settings.OwnId = "";
  settings.TenthsTime = 0;
  settings.IntervalA = 20;
  settings.IntervalB = 20;
  settings.OptionalValue = 10;
  settings.FirstDigitDelay = 20;
  settings.PauseTime = 20;
  settings.PauseCode = 0;
  settings.SideTone = 0;
  settings.Separator = 13;
  settings.InfoCodes.fill(InfoCode{});
  settings.Codes.fill(FiveToneEntry{.EmptyFlag = 1, .ToneLength = kDefaultFiveToneLength});
}

std::array<bool, kFiveToneCodeCount> FiveTonePresence(const FiveToneSettings& settings) {
  std::array<bool, kFiveToneCodeCount> present{};
  for (std::size_t i = 0; i < present.size(); ++i) present[i] = settings.Codes[i].EmptyFlag == 0;
  return present;
}

}  // namespace hvt
