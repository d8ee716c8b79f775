#pragma once

// Eight short tone sequences ("Roger Beep") kept in configuration files only.

#include <array>
#include <cstdint>

#include "model/record.h"

namespace hvt {

struct ToneTipTone {
  std::int16_t Frequency = 0;  // 10 Hz units; 0 is silence
  std::int16_t ToneLong = 0;   // 10 ms units; 0 leaves the tone out of the set

  HVT_FIELDS(Frequency, ToneLong)
  bool operator==(const ToneTipTone&) const = default;
};

struct ToneTipSet {
  std::array<ToneTipTone, 14> Tones{};
  std::int16_t RecycleTimes = 0;  // 0 is off
  std::int16_t InterTime = 0;     // 10 ms units

  HVT_FIELDS(Tones, RecycleTimes, InterTime)
  bool operator==(const ToneTipSet&) const = default;
};

struct ToneTipSettings {
  std::array<ToneTipSet, 8> Sets{};

  HVT_FIELDS(Sets)
  bool operator==(const ToneTipSettings&) const = default;
};

static_assert(FileSize<ToneTipSet>() == 60);
static_assert(FileSize<ToneTipSettings>() == 480);

// Writes the five factory sets; every field they do not name keeps its value.
void ResetToneTips(ToneTipSettings& settings);

}  // namespace hvt
