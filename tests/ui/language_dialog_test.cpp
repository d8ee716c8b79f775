#include "ui/language_dialog.h"

#include <QComboBox>

#include "i18n/language.h"
#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using LanguageDialogTest = UiTest;

TEST_F(LanguageDialogTest, OkSwitchesToTheChosenLanguage) {
  AppContext context = Start("en_US");
  ScriptedPrompter prompter;
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Language");
    auto* languages = dialog.findChild<QComboBox*>();
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(languages->currentIndex(), 0);
    languages->setCurrentIndex(1);
    emit languages->activated(1);
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunLanguageDialog(nullptr, context, prompter));
  EXPECT_EQ(context.LanguageId(), kChinese);
  EXPECT_EQ(context.Texts().LanguageText(101), "确定");
  EXPECT_TRUE(prompter.Messages.empty());
}

}  // namespace
}  // namespace hvt
