#include "model/key_functions.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(KeyFunctions, NameOfCode) {
  const struct {
    int Code;
    std::string_view Name;
  } cases[] = {{1, "A/B"},  {2, "V/M"},   {10, "TALK"}, {16, "RDW"},  {17, "NULL"},
               {0, "NULL"}, {18, "NULL"}, {-1, "NULL"}, {255, "NULL"}};
  for (const auto& c : cases) EXPECT_EQ(KeyFunctionName(c.Code), c.Name) << c.Code;
}

TEST(KeyFunctions, CodeOfName) {
  const struct {
    std::string_view Name;
    int Code;
  } cases[] = {{"A/B", 1}, {"SCN", 8}, {"RDW", 16}, {"NULL", 17}, {"scn", 0}, {"", 0}, {"SCN ", 0}};
  for (const auto& c : cases) EXPECT_EQ(KeyFunctionCode(c.Name), c.Code) << c.Name;
}

TEST(KeyFunctions, EveryCodeSurvivesItsName) {
  for (int code = kFirstKeyFunction; code <= kNoKeyFunction; ++code) {
    EXPECT_EQ(KeyFunctionCode(KeyFunctionName(code)), code);
  }
}

}  // namespace
}  // namespace hvt
