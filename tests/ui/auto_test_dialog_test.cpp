#include "ui/auto_test_dialog.h"

#include <QCheckBox>
#include <QtTest/QTest>

#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using AutoTestDialogTest = UiTest;

TEST_F(AutoTestDialogTest, ExportWritesTheTickedGroupsAndEscapeWritesNothing) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  TempFolder folder;
  const auto path = folder / "out.EPM";

  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    const auto boxes = dialog.findChildren<QCheckBox*>();
    ASSERT_EQ(boxes.size(), kAutoTestGroupCount);
    for (int i = 0; i < kAutoTestGroupCount; ++i) EXPECT_EQ(boxes[i]->isChecked(), i == 0) << i;
    boxes[0]->click();
    boxes[10]->click();
    EXPECT_EQ(boxes[10]->text(), "通讯簿");
    Press(dialog, QDialogButtonBox::Ok);
  });
  prompter.Files = {path};
  EXPECT_TRUE(RunAutoTestDialog(nullptr, context, workspace, prompter));
  const QStringList lines = QString::fromStdString(FileText(path)).split(QStringLiteral("\r\n"));
  ASSERT_GT(lines.size(), 811);
  EXPECT_EQ(lines[0], "0,9") << "no channel group, no summary";
  EXPECT_EQ(lines[1 + 653], "0");
  EXPECT_EQ(lines[1 + 654], "1") << "the first block of the book";

  std::filesystem::remove(path);
  OnModalDialog([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_FALSE(RunAutoTestDialog(nullptr, context, workspace, prompter));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(prompter.Messages.empty());
  EXPECT_TRUE(prompter.ScriptUsedUp());
}

}  // namespace
}  // namespace hvt
