#include "ui/key_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using KeyDialogTest = UiTest;

TEST_F(KeyDialogTest, EnterInAListIsOkAndStoresTheChosenFunction) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  OptionSettings& options = workspace.Current().Options;
  options.KeyFunction[7] = 0;
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    const auto boxes = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 16);
    QComboBox* p2 = nullptr;
    for (QComboBox* box : boxes) {
      if (box->accessibleName() == "Key Mode 2 P2") p2 = box;
    }
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->currentText(), "NULL");
    p2->setCurrentIndex(7);
    emit p2->activated(7);
    p2->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(p2, &enter);
  });
  EXPECT_TRUE(RunKeyDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(options.KeyFunction[7], 8);
}

TEST_F(KeyDialogTest, EscapeLeavesTheKeys) {
  AppContext context = Start("zh_CN");
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  const OptionSettings before = workspace.Current().Options;
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    QComboBox* first = dialog.findChildren<QComboBox*>().front();
    first->setCurrentIndex(5);
    emit first->activated(5);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
  });
  EXPECT_FALSE(RunKeyDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.Current().Options, before);
}

}  // namespace
}  // namespace hvt
