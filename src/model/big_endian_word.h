#pragma once

#include <cstdint>

#include "model/record.h"

namespace hvt {

// A 16-bit value kept high byte first in files.
struct BigEndianWord {
  std::uint8_t High = 0;
  std::uint8_t Low = 0;

  HVT_FIELDS(High, Low)

  static constexpr BigEndianWord Of(int value) {
    return {static_cast<std::uint8_t>(value >> 8 & 0xFF), static_cast<std::uint8_t>(value & 0xFF)};
  }
  constexpr int Value() const { return High << 8 | Low; }
  bool operator==(const BigEndianWord&) const = default;
};

}  // namespace hvt
