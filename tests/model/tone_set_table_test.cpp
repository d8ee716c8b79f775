#include "model/tone_set_table.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace hvt {
namespace {

TEST(ToneSetTable, SetsStandInTheirStoredOrder) {
  std::vector<std::string_view> names;
  std::vector<int> toneLengths;
  std::vector<int> eLines;
  for (int index = 0; index < ToneSetTable::kCount; ++index) {
    const auto set = ToneSetTable::At(index);
    ASSERT_TRUE(set.has_value()) << index;
    names.push_back(set->Name);
    toneLengths.push_back(set->ToneLength);
    if (set->ELine) eLines.push_back(index);
    EXPECT_EQ(ToneSetTable::IndexOf(set->Name), index);
  }
  EXPECT_EQ(names, (std::vector<std::string_view>{"ZVEI1", "ZVEI2", "ZVEI3", "PZVEI", "DZVEI", "PDZVEI",
                                                  "CCIR1", "CCIR2", "PCCIR", "EEA", "EURO SIGNAL", "NATEL",
                                                  "MODAT", "CCITT"}));
  EXPECT_EQ(toneLengths, (std::vector<int>{70, 70, 70, 70, 70, 70, 100, 70, 100, 40, 100, 70, 40, 70}));
  EXPECT_EQ(eLines, (std::vector<int>{0, 2, 10, 11, 12, 13}));
  EXPECT_FALSE(ToneSetTable::At(-1));
  EXPECT_FALSE(ToneSetTable::At(14));
  EXPECT_FALSE(ToneSetTable::IndexOf("zvei1"));
}

TEST(ToneSetTable, FrequenciesAreTheTextsShown) {
  struct Case {
    int Set;
    int Digit;
    std::string_view Text;
  };
  const Case cases[] = {
      {0, 0x0, "2400"},    {0, 0xF, "680"},     {1, 0xA, "885"},  {2, 0xB, ""},        {2, 0xE, "2400"},
      {4, 0xA, "825/885"}, {5, 0xF, ""},        {6, 0x0, "1981"}, {8, 0xA, "1050"},    {9, 0xF, "2247"},
      {10, 0x5, "652.0"},  {10, 0xE, "1062.9"}, {10, 0xA, ""},    {11, 0x7, "1209"},   {12, 0xE, "487.5"},
      {12, 0x3, "1087.5"}, {13, 0x0, "400.0"},  {13, 0xF, "0.0"}, {13, 0x6, "1335.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToneSetTable::All()[c.Set].Frequencies[c.Digit], c.Text) << c.Set << "/" << c.Digit;
  }
}

}  // namespace
}  // namespace hvt
