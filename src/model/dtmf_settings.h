#pragma once

// The DTMF selective-calling settings: sixteen numbered codes, the PTT ID, kill and stun codes,
// the own ID and the timing of sending and decoding.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

// Digits are kept as hexadecimal characters: "0"-"9", "A"-"D", "E" for "*" and "F" for "#".
template <std::size_t Width>
struct DtmfCodeEntry {
  FixedText<Width> Code;
  std::int16_t DigitCount = 0;

  HVT_FIELDS(Code, DigitCount)
  bool operator==(const DtmfCodeEntry&) const = default;
};

inline constexpr int kDtmfCodeCount = 16;
inline constexpr int kDtmfMaxDigits = 16;  // digits one image entry holds
inline constexpr std::int16_t kDtmfGroupCodeOff = 255;

struct DtmfSettings {
  std::array<DtmfCodeEntry<24>, kDtmfCodeCount> DtmfCodes{};  // M1..M16
  DtmfCodeEntry<24> PttIdBegin;
  DtmfCodeEntry<24> PttIdEnd;
  DtmfCodeEntry<14> KillCode;
  DtmfCodeEntry<14> StunCode;
  std::int16_t AniEnabled = 0;  // not kept by the radio
  std::int16_t SendTime = 0;    // 0-4: 50, 100, 200, 300, 500 ms; travels in the option block
  std::int16_t PttIdMode = 0;   // not kept by the radio
  std::int16_t IdLength = 0;    // 3-5 own-ID digits in the editor; the radio keeps 3
  FixedText<5> OwnId;           // decimal digits followed by NUL
  std::int16_t Separator = 0;   // 10-15: the key A, B, C, D, *, # between called and own ID
  std::int16_t GroupCode = 0;   // 10-15 as Separator, or kDtmfGroupCodeOff
  std::int16_t DecodeResponse = 0;
  std::int16_t FirstDigitDelay = 0;  // 10 ms units
  std::int16_t PreSendDelay = 0;     // 10 ms units
  std::int16_t ResetTime = 0;        // tenths of a second
  std::int16_t PostSendDelay = 0;    // 10 ms units
  std::int16_t PauseTime = 0;        // 0 is off
  std::int16_t IdDisplay = 0;

  HVT_FIELDS(DtmfCodes, PttIdBegin, PttIdEnd, KillCode, StunCode, AniEnabled, SendTime, PttIdMode, IdLength,
             OwnId, Separator, GroupCode, DecodeResponse, FirstDigitDelay, PreSendDelay, ResetTime,
             PostSendDelay, PauseTime, IdDisplay)
  bool operator==(const DtmfSettings&) const = default;
};

static_assert(FileSize<DtmfCodeEntry<24>>() == 26);
static_assert(FileSize<DtmfCodeEntry<14>>() == 16);
static_assert(FileSize<DtmfSettings>() == 531);

// The values of a new configuration, in every field.
void ResetDtmfSettings(DtmfSettings& settings);

}  // namespace hvt
