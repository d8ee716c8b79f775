#pragma once

// 2-tone sequential signalling: four tones, the radio's own tone pair and 32 codes that channels
// select. Kept in configuration files only; the radio gets a channel's choice of entry.

#include <array>
#include <cstdint>

#include "model/big_endian_word.h"
#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

struct TwoToneEntry {
  std::int16_t EmptyFlag = 1;  // 0 present, 1 empty
  BigEndianWord FirstDivider;
  BigEndianWord SecondDivider;
  BigEndianWord FirstTone;   // Hz x 10
  BigEndianWord SecondTone;  // Hz x 10, 0 when none
  FixedText<7> Name;

  HVT_FIELDS(EmptyFlag, FirstDivider, SecondDivider, FirstTone, SecondTone, Name)
  bool operator==(const TwoToneEntry&) const = default;
};

inline constexpr int kTwoToneEntryCount = 32;

struct TwoToneSettings {
  BigEndianWord PairFirstTone;
  BigEndianWord PairSecondTone;
  std::uint8_t ToneOrder = 0;
  BigEndianWord FirstToneDivider;
  BigEndianWord SecondToneDivider;
  std::uint8_t TenthsTime = 0;
  std::uint8_t DecodeResponse = 0;
  std::uint8_t SideTone = 0;
  std::array<std::uint16_t, 4> ToneFrequencies{};  // A, B, C, D in Hz x 10
  std::uint8_t ToneTime1 = 0;                      // tenths of a second
  std::uint8_t ToneTime2 = 0;
  std::uint8_t ToneTime3 = 0;
  std::uint8_t HundredsTime = 0;
  std::array<TwoToneEntry, kTwoToneEntryCount> TwoToneEntries{};

  HVT_FIELDS(PairFirstTone, PairSecondTone, ToneOrder, FirstToneDivider, SecondToneDivider, TenthsTime,
             DecodeResponse, SideTone, ToneFrequencies, ToneTime1, ToneTime2, ToneTime3, HundredsTime,
             TwoToneEntries)

  bool operator==(const TwoToneSettings&) const = default;
};

static_assert(FileSize<TwoToneEntry>() == 17);
static_assert(FileSize<TwoToneSettings>() == 568);

TwoToneSettings NewTwoToneSettings();

// Which entries are present, for repairing the channels that select one.
std::array<bool, kTwoToneEntryCount> TwoTonePresence(const TwoToneSettings& settings);

}  // namespace hvt
