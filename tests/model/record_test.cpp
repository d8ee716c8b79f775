#include "model/record.h"

#include <gtest/gtest.h>

#include "model/channel_record.h"

namespace hvt {
namespace {

struct Inner {
  std::uint8_t Flag = 0;
  std::int16_t Word = 0;
  HVT_FIELDS(Flag, Word)
  bool operator==(const Inner&) const = default;
};

struct Outer {
  std::int32_t Long = 0;
  FixedText<3> Text;
  std::array<Inner, 2> Items{};
  HVT_FIELDS(Long, Text, Items)
  bool operator==(const Outer&) const = default;
};

static_assert(FileSize<Inner>() == 3);
static_assert(FileSize<Outer>() == 4 + 3 + 6);

TEST(Record, FileFormIsLittleEndianFieldByFieldWithoutGaps) {
  Outer outer{.Long = 0x01020304, .Text = "AB", .Items = {Inner{1, -2}, Inner{0xFF, 0x1234}}};
  const std::vector<std::uint8_t> expected = {0x04, 0x03, 0x02, 0x01, 'A',  'B', ' ',
                                              0x01, 0xFE, 0xFF, 0xFF, 0x34, 0x12};
  EXPECT_EQ(ToFileBytes(outer), expected);

  Outer read;
  ASSERT_TRUE(FromFileBytes(expected, read));
  EXPECT_EQ(read, outer);
}

TEST(Record, RefusesBytesOfAnotherSizeAndChangesNothing) {
  Outer outer{.Long = 7};
  const std::vector<std::uint8_t> shortBytes(FileSize<Outer>() - 1, 0xAA);
  const std::vector<std::uint8_t> longBytes(FileSize<Outer>() + 1, 0xAA);
  EXPECT_FALSE(FromFileBytes(shortBytes, outer));
  EXPECT_FALSE(FromFileBytes(longBytes, outer));
  EXPECT_EQ(outer.Long, 7);
}

TEST(Record, FieldNamesComeFromTheDeclaration) {
  ChannelRecord channel;
  std::vector<std::string> names;
  ChannelRecord::VisitFields(channel, [&names](const char* name, auto&) { names.emplace_back(name); });
  ASSERT_EQ(names.size(), 30U);
  EXPECT_EQ(names.front(), "ChannelNumber");
  EXPECT_EQ(names[3], "RxFreq");
  EXPECT_EQ(names.back(), "Reserved");
}

TEST(Record, ChannelSurvivesAFileRoundTripByteForByte) {
  std::vector<std::uint8_t> bytes(FileSize<ChannelRecord>());
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  ChannelRecord channel;
  ASSERT_TRUE(FromFileBytes(bytes, channel));
  EXPECT_EQ(ToFileBytes(channel), bytes);
}

}  // namespace
}  // namespace hvt
