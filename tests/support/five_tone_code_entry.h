#pragma once

// A present 5-tone code entry: a list entry, or the PTT-ID code at the start or end of a call.

#include "model/five_tone_settings.h"

namespace hvt {

inline FiveToneEntry FiveToneCodeEntry(const char* code, int digitCount, int standard = 0,
                                       int toneLength = 70, const FixedText<7>& name = "") {
  return {.EmptyFlag = 0,
          .Standard = static_cast<std::uint8_t>(standard),
          .DigitCount = static_cast<std::uint8_t>(digitCount),
          .ToneLength = static_cast<std::uint8_t>(toneLength),
          .Code = code,
          .Name = name};
}

}  // namespace hvt
