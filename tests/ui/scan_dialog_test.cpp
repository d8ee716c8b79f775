#include "ui/scan_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <functional>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using ScanDialogTest = UiTest;

// A failed assertion inside `act` must not leave the modal dialog waiting for ever.
void OnDialog(std::function<void(QDialog&)> act) {
  OnModalDialog([act = std::move(act)](QDialog& dialog) {
    act(dialog);
    if (dialog.isVisible()) {
      ADD_FAILURE() << "the dialog stayed open";
      dialog.reject();
    }
  });
}

QComboBox* Box(QDialog& dialog, const char* name) {
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
    if (box->accessibleName() == QLatin1String(name)) return box;
  }
  ADD_FAILURE() << "no list " << name;
  return nullptr;
}

void Choose(QComboBox* box, const char* text) {
  ASSERT_NE(box, nullptr);
  const int index = box->findText(QString::fromUtf8(text));
  ASSERT_GE(index, 0) << text;
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// The key reaches the list that has the focus first, as it does for a user.
void PressKey(QDialog& dialog, Qt::Key key) {
  QWidget* focus = dialog.focusWidget();
  EXPECT_NE(qobject_cast<QComboBox*>(focus), nullptr);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(focus != nullptr ? focus : &dialog, &press);
}

TEST_F(ScanDialogTest, EnterStoresTheChosenValuesAndEscapeLeavesTheConfiguration) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  const ScanSettings opened = workspace.Current().Scan;
  ASSERT_EQ(opened.ScanType, 0);

  OnDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Scan Settings");
    EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 13);
    QComboBox* mode = Box(dialog, "Priority CH");
    ASSERT_NE(mode, nullptr);
    EXPECT_FALSE(mode->isEnabled()) << "scanning is off";
    Choose(Box(dialog, "Scan Type"), "Priority Scan");
    EXPECT_TRUE(mode->isEnabled());
    Choose(mode, "Priority CH2");
    QComboBox* revert = Box(dialog, "Revert Channel");
    ASSERT_NE(revert, nullptr);
    EXPECT_EQ(revert->count(), 6);
    Choose(revert, "Priority CH2 + Talkback");
    EXPECT_FALSE(Box(dialog, "Group 1 Priority CH1")->isEnabled());
    EXPECT_TRUE(Box(dialog, "Group 1 Priority CH2")->isEnabled());
    Choose(Box(dialog, "Scan-back Time A (s)"), "0.5");
    dialog.findChild<QCheckBox*>()->click();
    PressKey(dialog, Qt::Key_Return);
  });
  ASSERT_TRUE(RunScanDialog(nullptr, context, workspace, prompter));
  ScanSettings expected = opened;
  expected.ScanType = 1;
  expected.PriorityMode = 2;
  expected.RevertChannel = 7;
  expected.ScanBackTimeA = 5;
  expected.ScanEntryTone = 1;
  EXPECT_EQ(workspace.Current().Scan, expected);

  OnDialog([](QDialog& dialog) {
    Choose(Box(dialog, "Scan Type"), "Off");
    PressKey(dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(RunScanDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.Current().Scan, expected);
  EXPECT_TRUE(prompter.Messages.empty());
}

}  // namespace
}  // namespace hvt
