#pragma once

// The small code tables of a channel and how channel numbers are labelled.

#include <array>
#include <string>
#include <string_view>

namespace hvt {

inline constexpr std::array<std::string_view, 9> kStepTexts = {"2.5K", "5K",  "6.25K", "10K", "12.5K",
                                                               "20K",  "25K", "30K",   "50K"};

inline constexpr std::array<std::string_view, 3> kBandwidthTexts = {"12.5KHz", "20KHz", "25KHz"};

inline constexpr int kFirstSpecialChannel = 201;
inline constexpr int kVfo1Channel = 201;
inline constexpr int kVfo2Channel = 202;
inline constexpr int kRtChannel = 203;
inline constexpr int kNormalChannelCount = 200;
inline constexpr int kChannelCount = 203;

constexpr bool IsNormalChannel(int number) { return number >= 1 && number <= kNormalChannelCount; }

// "1".."200", "VFO1", "VFO2", "RT" (the grid and key editor say "TRF" for 203 themselves).
std::string ChannelLabel(int number);

}  // namespace hvt
