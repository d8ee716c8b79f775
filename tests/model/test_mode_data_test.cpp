#include "model/test_mode_data.h"

#include <gtest/gtest.h>

#include <limits>
#include <numeric>
#include <vector>

#include "support/record_printer.h"

namespace hvt {
namespace {

TEST(TestModeData, EditFieldsClampToTheirRange) {
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  struct Case {
    const char* What;
    int Index;
    std::int32_t Typed;
    std::int32_t Kept;
  };
  const Case cases[] = {
      {"low power above its byte", 1, 300, 255},
      {"frequency adjust below zero", 0, -5, 0},
      {"SQL at its bound", 4, 255, 255},
      {"narrow offset frequency", 6, 1100, 1023},
      {"wide CTCSS", 9, 99, 63},
      {"narrow DCS", 14, 64, 63},
      {"RX RSSI", 17, 256, 255},
      {"MODE 1 offset frequency", 18, 1100, 1023},
      {"MODE 5 offset frequency", 22, kLowest, 0},
      {"value 5 takes anything", 5, kLowest, kLowest},
      {"value 16 takes anything", 16, kHighest, kHighest},
      {"value 23 has no field", 23, 5000, 5000},
      {"value 31 has no field", 31, -1, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampTestValue(c.Index, c.Typed), c.Kept) << c.What;

  TestModeData data;
  data.Values.fill(-7);
  data.Values[2] = 1000;
  ClampTestValues(data);
  EXPECT_EQ(data.Values[2], 255);
  EXPECT_EQ(data.Values[0], 0);
  EXPECT_EQ(data.Values[5], -7);
  EXPECT_EQ(data.Values[31], -7);
}

TEST(TestModeData, StartsAllZero) { EXPECT_EQ(TestModeData{}.Values, (std::array<std::int32_t, 32>{})); }

std::vector<std::uint8_t> Counting(std::size_t size, std::uint8_t from) {
  std::vector<std::uint8_t> bytes(size);
  std::iota(bytes.begin(), bytes.end(), from);
  return bytes;
}

TEST(TestDataArea, BlocksGoToTheirPlaceInTheArea) {
  TestDataArea area{};
  for (int block = 0; block < 4; ++block) {
    const auto data = Counting(16, static_cast<std::uint8_t>(block * 16));
    ASSERT_TRUE(StoreTestDataBlock(area, 0x3F80 + block * 16, data));
  }
  const auto all = Counting(64, 0);
  EXPECT_TRUE(std::equal(area.begin(), area.end(), all.begin()));

  const auto last = TestDataBlock(area, 0x3FB0, 16);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(std::vector<std::uint8_t>(last->begin(), last->end()), Counting(16, 48));
}

TEST(TestDataArea, RefusesBlocksThatDoNotLieWhollyInside) {
  struct Case {
    const char* What;
    int Address;
  };
  const Case cases[] = {
      {"just before the area", 0x3F7F},
      {"the information block", 0x3B00},
      {"the last bytes overhang", 0x3FB1},
      {"just after the area", 0x3FC0},
      {"far beyond", 0xFFF0},
      {"negative", -16},
  };
  TestDataArea area{};
  area.fill(0xAA);
  const TestDataArea before = area;
  const auto data = Counting(16, 1);
  for (const Case& c : cases) {
    EXPECT_FALSE(StoreTestDataBlock(area, c.Address, data)) << c.What;
    EXPECT_FALSE(TestDataBlock(area, c.Address, 16).has_value()) << c.What;
  }
  EXPECT_EQ(area, before);
}

}  // namespace
}  // namespace hvt
