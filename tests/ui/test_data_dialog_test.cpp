#include "ui/test_data_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QtTest/QTest>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using TestDataDialogTest = UiTest;

QLineEdit* Field(QDialog& dialog, const char* label) {
  for (auto* field : dialog.findChildren<QLineEdit*>()) {
    if (field->accessibleName() == label) return field;
  }
  ADD_FAILURE() << "no field " << label;
  return nullptr;
}

TEST_F(TestDataDialogTest, TypedValuesAreClampedAndOkKeepsThem) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), kTestValueFieldCount);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* low = Field(dialog, "Low Power");
    QLineEdit* middle = Field(dialog, "Middle Power");
    ASSERT_TRUE(low && middle);
    low->setFocus();
    low->selectAll();
    QTest::keyClicks(low, "3g 00");
    EXPECT_EQ(low->text(), "255") << "300, clamped; the letter and the blank refused";
    QTest::keyClick(low, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter walks through the fields";
    EXPECT_TRUE(middle->hasFocus());

    QApplication::clipboard()->setText(QStringLiteral("77"));
    middle->selectAll();
    QTest::keyClick(middle, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(middle->text(), "0") << "nothing comes from the clipboard";
    QTest::keyClicks(Field(dialog, "MODE 2 Offset frequency"), "99999");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunTestDataDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.TestValues().Values[1], 255);
  EXPECT_EQ(workspace.TestValues().Values[2], 0);
  EXPECT_EQ(workspace.TestValues().Values[19], 1023);

  OnModalDialog([](QDialog& dialog) {
    EXPECT_EQ(Field(dialog, "Low Power")->text(), "255");
    QTest::keyClicks(Field(dialog, "SQL"), "12");
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(RunTestDataDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.TestValues().Values[4], 0);
  EXPECT_TRUE(prompter.Messages.empty());
}

}  // namespace
}  // namespace hvt
