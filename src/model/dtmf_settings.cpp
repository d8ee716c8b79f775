#include "model/dtmf_settings.h"

#include <string_view>

namespace hvt {

void ResetDtmfSettings(DtmfSettings& settings) {
  for (auto& code : settings.DtmfCodes) code = {};
  settings.PttIdBegin = {};
  settings.PttIdEnd = {};
  settings.KillCode = {};
  settings.StunCode = {};
  settings.AniEnabled = 0;
  settings.SendTime = 1;
  settings.PttIdMode = 3;
  settings.IdLength = 3;
  settings.OwnId = std::string_view("000\0", 4);
  settings.Separator = 14;
  settings.GroupCode = 10;
  settings.DecodeResponse = 0;
  settings.FirstDigitDelay = 20;
  settings.PreSendDelay = 20;
  settings.ResetTime = 0;
  settings.PostSendDelay = 20;
  settings.PauseTime = 10;
  settings.IdDisplay = 0;
}

}  // namespace hvt
