#pragma once

#include <string_view>

namespace hvt {

// The one radio model and firmware version this program programs: the files it accepts, the
// radios it talks to and the virtual radio all use these.
inline constexpr std::string_view kModelName = "HVT7300";
inline constexpr std::string_view kFirmwareVersion = "V100";

}  // namespace hvt
