#include "ui/model_dialog.h"

#include <QComboBox>
#include <QPlainTextEdit>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using ModelDialogTest = UiTest;

TEST_F(ModelDialogTest, OkAfterTheWarningSwitchesTheBand) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  prompter.Answers = {PromptAnswer::Ok};
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    const auto boxes = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_FALSE(boxes[0]->isEnabled());
    EXPECT_EQ(boxes[0]->currentText(), "HVT7300");
    EXPECT_EQ(boxes[1]->currentText(), "Band 2");
    boxes[1]->setCurrentIndex(0);
    emit boxes[1]->activated(0);
    auto* text = dialog.findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(),
              "UHF{Rx(400 - 490 MHz) Tx(420 - 450 MHz)}\nVHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunModelDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(context.Band(), BandVariant::Restricted);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Frequency data will be cleared."});
}

}  // namespace
}  // namespace hvt
