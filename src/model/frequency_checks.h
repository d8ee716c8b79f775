#pragma once

// Frequencies typed by the user checked against the band limits. Out-of-range values are never
// kept: they are replaced, and the result says that the out-of-range warning must be shown.

#include <string>
#include <string_view>

#include "model/band.h"

namespace hvt {

struct CheckedFrequency {
  std::string Text;
  bool OutOfRangeWarning = false;
};

// Result as "000.00000". Outside both receive ranges: the previous value, or the nearest limit.
CheckedFrequency ValidateRx(std::string_view text, std::string_view previousRecord, const BandLimits& limits);

// Result as "000.00000", within the transmit range of the receive frequency's band row.
CheckedFrequency ValidateTx(std::string_view text, std::string_view rxRecord, const BandLimits& limits);

enum OffsetDirection : int { kOffsetOff = 0, kOffsetPlus = 1, kOffsetMinus = 2, kOffsetSeparateTx = 3 };

struct CheckedOffset {
  std::string Text;  // "#0.00000"
  int Direction = kOffsetOff;
  bool OutOfRangeWarning = false;
};

// rxText is a display text; the direction follows the transmit frequency the offset gives.
CheckedOffset OffsetFromText(std::string_view text, std::string_view rxText, int direction,
                             const BandLimits& limits);

bool SameBand(std::string_view rxText, std::string_view txText, const BandLimits& limits);

}  // namespace hvt
