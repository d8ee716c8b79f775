#include "ui/password_dialog.h"

#include <QLineEdit>

#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using PasswordDialogTest = UiTest;

TEST_F(PasswordDialogTest, OpensWithTheRememberedPasswordMaskedAndOkReturnsTheEntry) {
  const AppContext context = Start();
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Radio Password");
    auto* box = dialog.findChild<QLineEdit*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "12");
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    EXPECT_EQ(box->maxLength(), 4);
    box->setText("9x");
    emit box->textEdited("9x");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(RunPasswordDialog(nullptr, context.Texts(), "12"), "9x");

  OnModalDialog([](QDialog& dialog) { Press(dialog, QDialogButtonBox::Cancel); });
  EXPECT_EQ(RunPasswordDialog(nullptr, context.Texts(), "12"), std::nullopt);
}

}  // namespace
}  // namespace hvt
