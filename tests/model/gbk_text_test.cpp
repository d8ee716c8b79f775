#include "model/gbk_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sequences.h"

namespace hvt {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(GbkText, ConvertsToUtf8AndMarksEachUnreadableByte) {
  const std::string bad = "\xEF\xBF\xBD";
  struct Case {
    const char* What;
    Bytes Gbk;
    std::string Utf8;
  };
  const Case cases[] = {
      {"empty", {}, ""},
      {"ASCII", {'S', 'N', ' ', '0', '1', '-', 'z'}, "SN 01-z"},
      {"Chinese word", {0xD6, 0xD0, 0xCE, 0xC4}, "中文"},
      {"mixed", {'A', 0xD6, 0xD0, 'B'}, "A中B"},
      {"erased memory", {0xFF, 0xFF}, bad + bad},
      {"lead byte cut off at the end", {0xD6, 0xD0, 0xCE}, "中" + bad},
      {"lead byte before ASCII keeps the ASCII", {0xD6, '!', 0xCE, 0xC4}, bad + "!文"},
      {"lone 0x80", {0x80, '1'}, bad + "1"},
      // longer than the converter's work buffer, both readable and unreadable
      {"long Chinese text", Repeat(Bytes{0xD6, 0xD0}, 300), Repeat(std::string("中"), 300)},
      {"long unreadable text", Repeat(Bytes{0xFF}, 300), Repeat(bad, 300)},
  };
  for (const Case& c : cases) EXPECT_EQ(GbkToUtf8(c.Gbk), c.Utf8) << c.What;
}

TEST(GbkText, ConvertsFromUtf8ReplacingWhatGbkLacks) {
  EXPECT_EQ(Utf8ToGbk("显示信道ID|5"), std::string("\xCF\xD4\xCA\xBE\xD0\xC5\xB5\xC0ID|5"));
  EXPECT_EQ(Utf8ToGbk("A\xF0\x9F\x98\x80"
                      "B"),
            "A?B")
      << "one emoji, one replacement";
  EXPECT_EQ(Utf8ToGbk("A\xFF"
                      "B"),
            "A?B")
      << "invalid UTF-8";
  const std::string chinese = Utf8ToGbk("中文");
  EXPECT_EQ(GbkToUtf8(Bytes(chinese.begin(), chinese.end())), "中文");
}

}  // namespace
}  // namespace hvt
