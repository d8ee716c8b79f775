#include "ui/alert_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <functional>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using AlertDialogTest = UiTest;

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

TEST_F(AlertDialogTest, OkStoresTheChosenValuesAndEscapeLeavesTheConfiguration) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  Configuration& configuration = workspace.Current();
  for (FiveToneEntry& entry : configuration.FiveTone.Codes) entry.EmptyFlag = 1;
  configuration.FiveTone.Codes[4].EmptyFlag = 0;
  configuration.FiveTone.Codes[9].EmptyFlag = 0;
  const AlertSettings opened = configuration.Alert;

  OnDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Emergency Alarm");
    EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 11);
    QComboBox* idType = Box(dialog, "ID Code Type");
    ASSERT_NE(idType, nullptr);
    EXPECT_FALSE(idType->isEnabled()) << "a local alarm sends no ID";
    Choose(Box(dialog, "Alarm Type"), "Remote Alarm");
    Choose(idType, "5Tone");
    QComboBox* code = Box(dialog, "ID Code");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->count(), 2);
    EXPECT_EQ(code->currentText(), "4");
    Choose(code, "9");
    QComboBox* preAlert = Box(dialog, "Pre-alert Time (s)");
    ASSERT_NE(preAlert, nullptr);
    EXPECT_FALSE(preAlert->isEnabled());
    dialog.findChild<QCheckBox*>()->click();
    EXPECT_TRUE(preAlert->isEnabled());
    Press(dialog, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(RunAlertDialog(nullptr, context, workspace, prompter));
  AlertSettings expected = opened;
  expected.AlarmType = 1;
  expected.IdCodeType = 2;
  expected.IdCode = 9;
  expected.AlarmTime = 1;
  expected.TxTime = 1;
  expected.RxTime = 1;
  expected.LoneWorker = 1;
  // The new configuration names no emergency channel: OK stores the lowest one listed.
  expected.EmergencyChannel =
      static_cast<std::uint8_t>(std::stoi(NormalChannelChoices(workspace.Current().Channels).front()));
  EXPECT_EQ(workspace.Current().Alert, expected);

  OnDialog([](QDialog& dialog) {
    Choose(Box(dialog, "Alarm Type"), "Local Alarm");
    QWidget* focus = dialog.focusWidget();
    EXPECT_NE(qobject_cast<QComboBox*>(focus), nullptr);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(focus != nullptr ? focus : &dialog, &escape);
  });
  EXPECT_FALSE(RunAlertDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.Current().Alert, expected);
  EXPECT_TRUE(prompter.Messages.empty());
}

}  // namespace
}  // namespace hvt
