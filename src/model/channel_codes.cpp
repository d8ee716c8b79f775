#include "model/channel_codes.h"

namespace hvt {

std::string ChannelLabel(int number) {
  switch (number) {
    case kVfo1Channel:
      return "VFO1";
    case kVfo2Channel:
      return "VFO2";
    case kRtChannel:
      return "RT";
    default:
      return std::to_string(number);
  }
}

}  // namespace hvt
