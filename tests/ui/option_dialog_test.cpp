#include "ui/option_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using OptionDialogTest = UiTest;

QComboBox* BoxNamed(QDialog& dialog, const QString& name) {
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
    if (box->accessibleName() == name) return box;
  }
  ADD_FAILURE() << "no list " << name.toStdString();
  return nullptr;
}

void PressKey(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&widget, &press);
}

TEST_F(OptionDialogTest, OkStoresTheChosenEntriesAndEnterMovesOn) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  OptionSettings& options = workspace.Current().Options;
  options.ChannelLock = 1;
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 30);
    EXPECT_FALSE(BoxNamed(dialog, "Display Mode A")->isEnabled());
    EXPECT_FALSE(BoxNamed(dialog, "Work Mode B")->isEnabled());

    QComboBox* volume = BoxNamed(dialog, "Speaker Volume");
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->currentText(), "1");
    volume->setCurrentIndex(11);
    emit volume->activated(11);

    // Enter takes the focus to the next control instead of closing the dialog.
    volume->setFocus();
    PressKey(*volume, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.focusWidget(), volume);

    auto* password = dialog.findChild<QLineEdit*>();
    ASSERT_NE(password, nullptr);
    EXPECT_TRUE(password->isHidden());
    dialog.findChild<QCheckBox*>()->click();
    EXPECT_FALSE(password->isHidden());
    password->setText("12x4");
    emit password->textEdited(password->text());
    EXPECT_EQ(password->text(), "124");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunOptionDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(options.SpeakerVolume, 12);
  EXPECT_EQ(options.DisplayModeA, 1);
  EXPECT_EQ(options.PowerOnPasswordEnabled, 1);
  EXPECT_EQ(options.PowerOnPassword.Trimmed(), "124");
  EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(OptionDialogTest, EscapeLeavesTheOptions) {
  AppContext context = Start("zh_CN");
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  const OptionSettings before = workspace.Current().Options;
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    QComboBox* first = dialog.findChildren<QComboBox*>().front();
    first->setCurrentIndex(1);
    emit first->activated(1);
    PressKey(dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(RunOptionDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.Current().Options, before);
}

}  // namespace
}  // namespace hvt
