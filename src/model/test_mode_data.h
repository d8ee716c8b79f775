#pragma once

// Factory calibration values of the radio, and the 64 bytes of radio memory that carry its test
// data. The two are independent: the values live in ".ted" files only, while the area is what a
// read or write with test data on moves to and from the radio.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "model/record.h"

namespace hvt {

inline constexpr int kTestValueCount = 32;
inline constexpr int kTestValueFieldCount = 23;  // values 23-31 have no edit field

struct TestModeData {
  std::array<std::int32_t, kTestValueCount> Values{};

  HVT_FIELDS(Values)
  bool operator==(const TestModeData&) const = default;
};

static_assert(FileSize<TestModeData>() == 128);

struct TestValueRange {
  std::int32_t Min = 0;
  std::int32_t Max = 0;
};

// The accepted range of value `index`; none where any value is accepted (5, 15, 16), where the
// value has no edit field (23-31) or the index is out of 0-31.
std::optional<TestValueRange> TestValueRangeOf(int index);

// The nearest value the edit field of `index` accepts.
std::int32_t ClampTestValue(int index, std::int32_t value);

// Brings every value with an edit field into its range, as the editor shows them.
void ClampTestValues(TestModeData& data);

inline constexpr int kTestDataAreaAddress = 0x3F80;  // radio addresses 16256-16319
inline constexpr std::size_t kTestDataAreaSize = 64;

using TestDataArea = std::array<std::uint8_t, kTestDataAreaSize>;

// Copies a block read from radio `address` into the area. False, and nothing copied, when the
// block does not lie wholly inside the area: a stray address must not write past it.
[[nodiscard]] bool StoreTestDataBlock(std::span<std::uint8_t, kTestDataAreaSize> area, int address,
                                      std::span<const std::uint8_t> block);

// The `length` bytes of the area from radio `address`, for a block write; none when they do not
// lie wholly inside the area.
std::optional<std::span<const std::uint8_t>> TestDataBlock(
    std::span<const std::uint8_t, kTestDataAreaSize> area, int address, std::size_t length);

}  // namespace hvt
