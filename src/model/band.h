#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/frequency.h"

namespace hvt {

// 0 restricts the transmit ranges, 1 allows the full ranges.
enum class BandVariant : int { Restricted = 0, Full = 1 };

std::optional<BandVariant> BandVariantFromNumber(int number);

enum BandRow : int { kUhfRow = 0, kVhfRow = 1 };
inline constexpr int kBandRows = 2;

struct FrequencyRange {
  Frequency Min = 0;
  Frequency Max = 0;
  bool Contains(Frequency value) const { return Min <= value && value <= Max; }
  bool operator==(const FrequencyRange&) const = default;
};

struct BandLimits {
  std::array<FrequencyRange, kBandRows> Rx;
  std::array<FrequencyRange, kBandRows> Tx;
  bool operator==(const BandLimits&) const = default;
};

std::string_view BandText(BandVariant variant);
// The band text with its UHF and VHF rows on two lines joined by CR LF; empty for a number that
// is no band variant.
std::string BandTextTwoLines(int variant);

// Reads "UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)} VHF{...}"; no value for a text of another shape.
std::optional<BandLimits> ParseBandText(std::string_view text);

BandLimits LimitsOf(BandVariant variant);

// The first row whose receive range holds the frequency, UHF when none does.
int RxBandRow(const BandLimits& limits, Frequency frequency);

}  // namespace hvt
