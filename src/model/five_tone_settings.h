#pragma once

// Everything 5-tone the radio keeps: the general parameters, the own ID, the decode info codes,
// the two PTT ID codes and the numbered code list that channels and alerts refer to.

#include <array>
#include <cstdint>

#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

inline constexpr int kInfoCodeCount = 8;
inline constexpr int kFiveToneCodeCount = 100;
inline constexpr int kInfoCodeDigits = 12;
inline constexpr int kFiveToneCodeDigits = 40;
inline constexpr std::uint8_t kDefaultFiveToneLength = 70;  // ms; also stands in for lengths outside 30..120

struct InfoCode {
  std::uint8_t Function = 0;  // 0..6; 3 kill, 4 stun, 5 wake
  std::uint8_t Response = 0;  // 0..2
  std::uint8_t DigitCount = 0;
  FixedText<kInfoCodeDigits> Code;  // hexadecimal digits as typed: no repeat tones inserted
  FixedText<7> Name;

  HVT_FIELDS(Function, Response, DigitCount, Code, Name)
  bool operator==(const InfoCode&) const = default;
};

struct FiveToneEntry {
  std::int16_t EmptyFlag = 0;  // 0 present, 1 empty
  std::uint8_t Reserved2 = 0;  // kept in files only; the radio has no place for it
  std::uint8_t Standard = 0;   // index into ToneSetTable
  std::uint8_t DigitCount = 0;
  std::uint8_t ToneLength = 0;          // ms, 30..120
  FixedText<kFiveToneCodeDigits> Code;  // repeat tones already inserted
  FixedText<7> Name;                    // list entries only

  HVT_FIELDS(EmptyFlag, Reserved2, Standard, DigitCount, ToneLength, Code, Name)
  bool operator==(const FiveToneEntry&) const = default;
};

struct FiveToneSettings {
  std::uint8_t Reserved0 = 0;  // carried from image to image, never edited
  std::uint8_t DecodeResponse = 0;
  std::uint8_t Standard = 0;
  std::uint8_t OwnIdLength = 0;
  std::uint8_t ToneLength = 0;
  FixedText<6> OwnId;  // decimal digits; a decoded ID keeps a NUL after its digits
  std::uint8_t TenthsTime = 0;
  std::uint8_t IntervalA = 0;      // 10 ms units
  std::uint8_t IntervalB = 0;      // 10 ms units
  std::uint8_t OptionalValue = 0;  // 0 off, else 5..75
  // The radio keeps the following values in one byte each.
  std::int16_t FirstDigitDelay = 0;  // 10 ms units
  std::int16_t PauseTime = 0;        // 10 ms units
  std::int16_t PauseCode = 0;        // 0 off, else the pause digit 0xB, 0xC, 0xD or 0xF
  std::int16_t SideTone = 0;
  std::int16_t Separator = 0;  // digit between called ID and own ID in ANI codes
  std::array<InfoCode, kInfoCodeCount> InfoCodes{};
  FiveToneEntry PttIdBegin;
  FiveToneEntry PttIdEnd;
  std::array<FiveToneEntry, kFiveToneCodeCount> Codes{};  // a channel selects entry n as n - 1

  HVT_FIELDS(Reserved0, DecodeResponse, Standard, OwnIdLength, ToneLength, OwnId, TenthsTime, IntervalA,
             IntervalB, OptionalValue, FirstDigitDelay, PauseTime, PauseCode, SideTone, Separator, InfoCodes,
             PttIdBegin, PttIdEnd, Codes)
  bool operator==(const FiveToneSettings&) const = default;
};

static_assert(FileSize<InfoCode>() == 22);
static_assert(FileSize<FiveToneEntry>() == 53);
static_assert(FileSize<FiveToneSettings>() == 5607);

// The values of a new configuration. The PTT ID codes are left as they are.
void ResetFiveTone(FiveToneSettings& settings);

// Which code entries a channel may select.
std::array<bool, kFiveToneCodeCount> FiveTonePresence(const FiveToneSettings& settings);

}  // namespace hvt
