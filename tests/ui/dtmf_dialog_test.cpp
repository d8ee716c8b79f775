#include "ui/dtmf_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using DtmfDialogTest = UiTest;

QLineEdit* Box(QDialog& dialog, const char* name) {
  for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
    if (box->accessibleName() == QLatin1String(name)) return box;
  }
  ADD_FAILURE() << "no box " << name;
  return nullptr;
}

TEST_F(DtmfDialogTest, TypedCodesAndASpecialCallReachTheRecordAtOk) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  DtmfSettings& dtmf = workspace.Current().Dtmf;

  OnModalDialog([](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    ExpectWellFormed(dialog);
    QLineEdit* m2 = Box(dialog, "M2");
    ASSERT_NE(m2, nullptr);
    QTest::keyClicks(m2, "12*#x");
    EXPECT_EQ(m2->text(), "12*#");
    QLineEdit* m3 = Box(dialog, "M3");
    m3->setFocus();
    QFocusEvent focusIn(QEvent::FocusIn);  // offscreen windows may not take the focus themselves
    QApplication::sendEvent(m3, &focusIn);
    OnModalDialog([](QDialog& special) {
      const auto closeSpecial = qScopeGuard([&special] {
        if (special.isVisible()) special.reject();
      });
      ExpectWellFormed(special);
      QTest::keyClicks(special.findChild<QLineEdit*>(), "123");
      Press(special, QDialogButtonBox::Ok);
    });
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "Special Call...") {
        EXPECT_TRUE(button->isEnabled());
        button->click();
      }
    }
    EXPECT_EQ(m3->text(), "123*000");
    Press(dialog, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(RunDtmfDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(dtmf.DtmfCodes[1].Code.Trimmed(), "12EF");
  EXPECT_EQ(dtmf.DtmfCodes[2].Code.Trimmed(), "123E000");
  EXPECT_TRUE(prompter.Messages.empty());
}

}  // namespace
}  // namespace hvt
