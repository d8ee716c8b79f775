#pragma once

// The three forms of a channel frequency or offset: display text in MHz ("462.56250"), record
// text of 9 characters in units of 10 Hz ("046256250") and 4 packed decimal image bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hvt {

// A frequency or offset in units of 10 Hz: 462.5625 MHz is 46256250.
using Frequency = std::int64_t;

inline constexpr int kMHzDecimals = 5;
inline constexpr std::string_view kNoFrequencyRecord = "FFFFFFFFF";
inline constexpr std::string_view kZeroFrequencyRecord = "000000000";

using ImageFrequency = std::array<std::uint8_t, 4>;

std::optional<Frequency> ParseMHz(std::string_view text);
std::string FormatMHz(Frequency frequency);             // "#0.00000"
std::string FormatMHzThreeDigits(Frequency frequency);  // "000.00000"

std::string FreqTextToRecord(std::string_view text);

struct FrequencyDisplay {
  std::string Text;
  bool NotNumeric = false;  // the record held something else: "Not IsNumeric" must be shown
};

FrequencyDisplay FreqRecordToText(std::string_view record);

// The value FreqRecordToText shows, when that is a number.
std::optional<Frequency> FreqRecordValue(std::string_view record);

// Receive form: the record is trimmed and an empty one means no frequency. Fails on a
// character that is not a hexadecimal digit.
std::optional<ImageFrequency> FreqRecordToImage(std::string_view record);
// Transmit form: the raw 9 characters, neither trimmed nor defaulted.
std::optional<ImageFrequency> TxFreqRecordToImage(std::string_view record);

// No value when any of the 8 digits is not decimal (0xFF 0xFF 0xFF 0xFF among them).
std::optional<std::string> FreqImageToRecord(std::span<const std::uint8_t, 4> bytes);

// The transmit frequency shown for a channel.
FrequencyDisplay TxDisplayText(std::string_view rxRecord, int offsetDir, std::string_view txRecord);

}  // namespace hvt
