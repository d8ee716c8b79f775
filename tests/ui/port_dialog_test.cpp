#include "ui/port_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using PortDialogTest = UiTest;

TEST_F(PortDialogTest, ShowsThePortsAndOkSavesTheChoice) {
  AppContext context = Start();
  context.SetPortName("COM9");
  ScriptedPrompter prompter;
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Serial Port");
    auto* ports = dialog.findChild<QComboBox*>();
    ASSERT_NE(ports, nullptr);
    ASSERT_EQ(ports->count(), 2);
    EXPECT_EQ(ports->itemText(1), "Virtual radio (no hardware needed)");
    EXPECT_EQ(ports->currentText(), "COM3 (USB serial)") << "the saved port is gone";
    ports->setCurrentIndex(1);
    emit ports->activated(1);
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunPortDialog(nullptr, context, prompter, [] {
    return std::vector<SerialPortEntry>{{kVirtualPortName, ""}, {"COM3", "USB serial"}};
  }));
  EXPECT_EQ(context.PortName(), kVirtualPortName);
  EXPECT_NE(
      FileText(settings_.Path() / "language" / "mysetup.ini").find("\ncomPort=0\ncomPortName=virtual\n"),
      std::string::npos);
  EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(PortDialogTest, ATypedPortIsCheckedWhenOkIsPressedAndTheDialogStaysOpenWhenItIsRefused) {
  AppContext context = Start();
  context.SetPortName("COM3");
  ScriptedPrompter prompter;
  OnModalDialog([](QDialog& dialog) {
    auto* ports = dialog.findChild<QComboBox*>();
    ASSERT_NE(ports, nullptr);
    ASSERT_TRUE(ports->isEditable());
    ports->lineEdit()->clear();
    QTest::keyClicks(ports->lineEdit(), "/dev/ttyGone");
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_TRUE(dialog.isVisible()) << "refused: the user corrects it";
    EXPECT_EQ(ports->currentText(), "/dev/ttyGone");
    ports->lineEdit()->clear();
    QTest::keyClicks(ports->lineEdit(), "/dev/pts/7");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunPortDialog(
      nullptr, context, prompter,
      [] {
        return std::vector<SerialPortEntry>{{"COM3", ""}};
      },
      [](const std::string& path) {
        return path == "/dev/pts/7" ? PortPathKind::Device : PortPathKind::Missing;
      }));
  EXPECT_EQ(context.PortName(), "/dev/pts/7");
  ASSERT_EQ(prompter.Messages.size(), 1U);
  EXPECT_EQ(
      prompter.Messages[0].Text,
      "There is no port /dev/ttyGone. Choose a port from the list, or type the path of one that exists.");
}

}  // namespace
}  // namespace hvt
