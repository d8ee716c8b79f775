#include "model/text.h"

#include <gtest/gtest.h>

#include "model/fixed_text.h"

namespace hvt {
namespace {

TEST(Text, TrimRemovesTrailingBlanksThenCutsAtNul) {
  using namespace std::string_view_literals;
  struct Case {
    std::string_view Text;
    std::string_view Trimmed;
  };
  for (const Case& c :
       {Case{"AB   "sv, "AB"sv}, Case{"AB\0  "sv, "AB"sv}, Case{"A B"sv, "A B"sv}, Case{"AB \0"sv, "AB "sv},
        Case{"\0AB"sv, ""sv}, Case{"     "sv, ""sv}, Case{""sv, ""sv}}) {
    EXPECT_EQ(TextTrim(c.Text), c.Trimmed);
  }
}

TEST(Text, FixedTextIsBlankFilledAndKeepsEveryByte) {
  FixedText<5> name("AB");
  EXPECT_EQ(name.Raw(), "AB   ");
  EXPECT_EQ(name.Trimmed(), "AB");
  EXPECT_EQ(FixedText<3>("ABCDE").Raw(), "ABC");
  name.Bytes()[2] = '\0';
  EXPECT_EQ(name.Raw(), std::string_view("AB\0  ", 5));
}

TEST(Text, NameCharacters) {
  EXPECT_EQ(NameByteToChar('A'), 'A');
  EXPECT_EQ(NameByteToChar('7'), '7');
  EXPECT_EQ(NameByteToChar('-'), '-');
  EXPECT_EQ(NameByteToChar('a'), ' ');
  EXPECT_EQ(NameByteToChar(0x00), ' ');
  EXPECT_EQ(NameByteToChar(0xC1), ' ');
}

TEST(Text, HexAndDtmfDigits) {
  EXPECT_EQ(ByteToHex(0x0A), "0A");
  EXPECT_EQ(ByteToHex(0xFF), "FF");
  EXPECT_EQ(DtmfStoreToShow("12EF0A"), "12*#0A");
  EXPECT_EQ(DtmfShowToStore("12*#0A"), "12EF0A");
}

}  // namespace
}  // namespace hvt
