#include "model/packed_field.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hvt {
namespace {

// Two fields sharing byte 1 with an unused bit between them, a word, and byte 0 left to others.
struct Sample {
  std::int16_t Low = 0;
  std::int16_t High = 0;
  std::int16_t Word = 0;
  std::int16_t Whole = 0;
};

const std::array<PackedField<Sample>, 4> kLayout = {{
    HVT_PACKED_FIELD(Sample, Low, 1, 0, 3),
    HVT_PACKED_FIELD(Sample, High, 1, 4, 4),
    HVT_PACKED_FIELD(Sample, Word, 2, 0, 16),
    HVT_PACKED_FIELD(Sample, Whole, 4, 0, 8),
}};

using Bytes = std::vector<std::uint8_t>;

TEST(PackedField, PacksSharedBytesWholeAndUnpacksThemBack) {
  Bytes bytes(6, 0xFF);
  const Sample sample{5, 0xA, -2, 200};
  ASSERT_FALSE(PackFields(kLayout, sample, bytes).has_value());
  EXPECT_EQ(bytes, (Bytes{0xFF, 0xA5, 0xFE, 0xFF, 200, 0xFF}))
      << "bit 3 of byte 1 no field holds becomes 0; bytes outside the layout stay";

  Sample decoded;
  UnpackFields(kLayout, bytes, decoded);
  EXPECT_EQ(decoded.Low, 5);
  EXPECT_EQ(decoded.High, 0xA);
  EXPECT_EQ(decoded.Word, -2) << "a word keeps its 16-bit pattern";
  EXPECT_EQ(decoded.Whole, 200);
}

TEST(PackedField, AValueOutsideItsBitsWritesNothingAndNamesTheField) {
  struct Case {
    Sample Values;
    const char* Detail;
  };
  const Case cases[] = {
      {{8, 0, 0, 0}, "Low 8 does not fit 3 bits (0-7)"},
      {{0, 16, 0, 0}, "High 16 does not fit 4 bits (0-15)"},
      {{-1, 0, 0, 0}, "Low -1 does not fit 3 bits (0-7)"},
      {{0, 0, 0, 256}, "Whole 256 does not fit 8 bits (0-255)"},
      {{0, 99, 0, 999}, "High 99 does not fit 4 bits (0-15)"},  // the first in layout order
  };
  for (const Case& c : cases) {
    Bytes bytes(6, 0x5A);
    const auto unfit = PackFields(kLayout, c.Values, bytes);
    ASSERT_TRUE(unfit.has_value()) << c.Detail;
    EXPECT_EQ(Describe(*unfit), c.Detail);
    EXPECT_EQ(bytes, Bytes(6, 0x5A)) << c.Detail;
  }
  EXPECT_EQ(Describe({"Flag", 2, 1}), "Flag 2 does not fit 1 bit (0-1)");
}

}  // namespace
}  // namespace hvt
