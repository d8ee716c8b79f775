#include "ui/gui_prompter.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(GuiPrompter, HandsTheRememberedPasswordToItsDialogAndReturnsItsAnswer) {
  std::string offered = "<not asked>";
  GuiPrompter prompter(QStringLiteral("HVT7300"), [&offered](QWidget*, std::string_view remembered) {
    offered = remembered;
    return std::optional<std::string>("9x");
  });
  EXPECT_EQ(prompter.AskPassword("12"), "9x");
  EXPECT_EQ(offered, "12");
}

}  // namespace
}  // namespace hvt
