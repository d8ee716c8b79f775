#include "ui/gui_prompter.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>
#include <QTextEdit>

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

// A report of any length opens under the message as a read-only text that scrolls and copies.
TEST(GuiPrompter, AReportShowsOpenUnderTheMessage) {
  GuiPrompter prompter(QStringLiteral("HVT7300"), [](QWidget*, std::string_view) { return std::nullopt; });
  std::string report;
  for (int line = 2; line < 100; ++line) report += "line " + std::to_string(line) + ": refused\n";
  QString details;
  bool readOnly = false;
  bool visible = false;
  OnModalDialog([&](QDialog& dialog) {
    auto& box = dynamic_cast<QMessageBox&>(dialog);
    details = box.detailedText();
    if (auto* text = box.findChild<QTextEdit*>()) {
      readOnly = text->isReadOnly();
      visible = text->isVisibleTo(&box);
    }
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(prompter.AskWithReport("These rows cannot be taken:", report, PromptButtons::YesNo,
                                   PromptIcon::Question),
            PromptAnswer::Yes);
  EXPECT_EQ(details.toStdString(), report);
  EXPECT_TRUE(readOnly);
  EXPECT_TRUE(visible) << "the details are open";
}

}  // namespace
}  // namespace hvt
