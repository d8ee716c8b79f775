#include "i18n/caption_title.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(CaptionAsTitle, DropsAcceleratorsAndDialogDots) {
  const struct {
    std::string_view Caption;
    std::string_view Title;
  } cases[] = {
      {"Move Channels &To...", "Move Channels To"},
      {"打印预览(&V)...", "打印预览"},
      {"通讯簿(&C)…", "通讯簿"},
      {"&Open", "Open"},
      {"Save && Close", "Save & Close"},
      {"A(&B)C", "AC"},
      {"(&)", "()"},
      {"&", ""},
      {"Options ... ", "Options"},
      {"V1.0", "V1.0"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptionAsTitle(c.Caption), c.Title) << c.Caption;
}

}  // namespace
}  // namespace hvt
