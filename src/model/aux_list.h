#pragma once

// The broadcast-FM channel list: no command shows or edits it and the radio never gets it, but
// every configuration file carries it through unchanged.

#include <array>
#include <cstdint>

#include "model/fixed_text.h"
#include "model/record.h"

namespace hvt {

struct AuxEntry {
  std::int16_t Index = 0;
  std::int16_t Used = 0;
  FixedText<8> Value;  // FM frequency in 100 Hz units, 8 digits; "FFFFFFFF" is empty
  std::int16_t Option = 0;

  HVT_FIELDS(Index, Used, Value, Option)
  bool operator==(const AuxEntry&) const = default;
};

static_assert(FileSize<AuxEntry>() == 14);

using AuxList = std::array<AuxEntry, 100>;

// Entries 0-98 unused at "00000000"; entry 99 is index 100 in use at 100.0 MHz.
AuxList NewAuxList();

}  // namespace hvt
