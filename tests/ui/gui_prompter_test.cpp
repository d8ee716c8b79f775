#include "ui/gui_prompter.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>

#include "modal_dialog.h"

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

TEST(GuiPrompter, AQuestionWithACheckBoxShowsItAndReturnsWhatTheUserTicked) {
  GuiPrompter prompter(QStringLiteral("HVT7300"), [](QWidget*, std::string_view) { return std::nullopt; });
  struct Case {
    bool Before;
    bool Click;
    QMessageBox::StandardButton Press;
    PromptAnswer Answer;
    bool After;
  };
  const Case cases[] = {
      {false, true, QMessageBox::Ok, PromptAnswer::Ok, true},
      {true, false, QMessageBox::Ok, PromptAnswer::Ok, true},
      {true, true, QMessageBox::Cancel, PromptAnswer::Cancel, false},
  };
  for (const Case& c : cases) {
    QString shown;
    OnModalDialog([&](QDialog& dialog) {
      auto& box = dynamic_cast<QMessageBox&>(dialog);
      ASSERT_NE(box.checkBox(), nullptr);
      shown = box.checkBox()->text();
      EXPECT_EQ(box.checkBox()->isChecked(), c.Before);
      if (c.Click) box.checkBox()->click();
      box.button(c.Press)->click();
    });
    bool checked = c.Before;
    EXPECT_EQ(prompter.AskWithCheckBox("Write data to radio.", PromptButtons::OkCancel, PromptIcon::Question,
                                       "&Verify after writing", checked),
              c.Answer);
    EXPECT_EQ(shown, QStringLiteral("&Verify after writing"));
    EXPECT_EQ(checked, c.After);
  }
}

}  // namespace
}  // namespace hvt
