#include "model/test_mode_data.h"

#include <algorithm>

namespace hvt {

namespace {

constexpr TestValueRange kByte{0, 255};
constexpr TestValueRange kOffset{0, 1023};
constexpr TestValueRange kLevel{0, 63};

// Index 0-22; empty where the field takes any value.
// clang-format off
constexpr std::array<std::optional<TestValueRange>, kTestValueFieldCount> kRanges{
    kByte,   kByte,   kByte,   kByte,   kByte,    // frequency adjust, low/middle/high power, SQL
    std::nullopt,                                  // 5
    kOffset, kOffset, kOffset,                     // narrow, middle, wide offset frequency
    kLevel,  kLevel,  kLevel,  kLevel,  kLevel,  kLevel,  // CTCSS and DCS levels
    std::nullopt, std::nullopt,                    // 15, 16
    kByte,                                         // RX RSSI
    kOffset, kOffset, kOffset, kOffset, kOffset,   // MODE 1-5 offset frequency
};
// clang-format on

// Where [address, address + length) falls inside the area, if it does.
std::optional<std::size_t> AreaOffset(int address, std::size_t length) {
  if (address < kTestDataAreaAddress) return std::nullopt;
  const auto offset = static_cast<std::size_t>(address - kTestDataAreaAddress);
  if (offset > kTestDataAreaSize || length > kTestDataAreaSize - offset) return std::nullopt;
  return offset;
}

}  // namespace

std::optional<TestValueRange> TestValueRangeOf(int index) {
  if (index < 0 || index >= kTestValueFieldCount) return std::nullopt;
  return kRanges[static_cast<std::size_t>(index)];
}

std::int32_t ClampTestValue(int index, std::int32_t value) {
  const auto range = TestValueRangeOf(index);
  return range ? std::clamp(value, range->Min, range->Max) : value;
}

void ClampTestValues(TestModeData& data) {
  for (int i = 0; i < kTestValueCount; ++i) {
    auto& value = data.Values[static_cast<std::size_t>(i)];
    value = ClampTestValue(i, value);
  }
}

bool StoreTestDataBlock(std::span<std::uint8_t, kTestDataAreaSize> area, int address,
                        std::span<const std::uint8_t> block) {
  const auto offset = AreaOffset(address, block.size());
  if (!offset) return false;
  std::copy(block.begin(), block.end(), area.begin() + static_cast<std::ptrdiff_t>(*offset));
  return true;
}

std::optional<std::span<const std::uint8_t>> TestDataBlock(
    std::span<const std::uint8_t, kTestDataAreaSize> area, int address, std::size_t length) {
  const auto offset = AreaOffset(address, length);
  if (!offset) return std::nullopt;
  return area.subspan(*offset, length);
}

}  // namespace hvt
