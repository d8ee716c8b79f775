#include "ui/fleet_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "model/codec_chain.h"
#include "support/scripted_prompter.h"
#include "support/served_radio.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using FleetDialogTest = UiTest;

// Two radios on pseudo-terminals through the real serial ports: both rows are checked, the run
// is confirmed, and the window stays responsive until both read "written".
TEST_F(FleetDialogTest, WritesTwoRadiosOnTheirSerialPortsAndShowsEachRowsOutcome) {
  VirtualRadio first;
  VirtualRadio second;
  ServedRadio servedFirst(first);
  ServedRadio servedSecond(second);
  std::string error;
  ASSERT_TRUE(servedFirst.Open(error)) << error;
  ASSERT_TRUE(servedSecond.Open(error)) << error;
  servedFirst.Start();
  servedSecond.Start();

  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  workspace.Current().Channels.Entries[0].Name = "FLEET";
  const std::vector<SerialPortEntry> ports = {
      {servedFirst.Path(), "first cable"}, {servedSecond.Path(), "second cable"}, {kVirtualPortName, ""}};
  FleetDialog dialog(nullptr, context, workspace, prompter, [&ports] { return ports; });
  dialog.show();

  auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("FleetPorts"));
  auto* start = dialog.findChild<QPushButton*>(QStringLiteral("FleetStart"));
  auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("FleetCancel"));
  auto* summary = dialog.findChild<QLabel*>(QStringLiteral("FleetSummary"));
  ASSERT_TRUE(table && start && cancel && summary);
  ASSERT_EQ(table->rowCount(), 2) << "the virtual radio takes no part";
  EXPECT_EQ(table->item(1, FleetDialog::kDescriptionColumn)->text(), QStringLiteral("second cable"));
  EXPECT_FALSE(start->isEnabled());
  table->item(0, FleetDialog::kPortColumn)->setCheckState(Qt::Checked);
  table->setCurrentCell(1, FleetDialog::kPortColumn);
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
  QApplication::sendEvent(table, &space);
  EXPECT_EQ(table->item(1, FleetDialog::kPortColumn)->checkState(), Qt::Checked) << "Space checks the row";
  EXPECT_TRUE(start->isEnabled());

  prompter.Answers = {PromptAnswer::Yes};
  start->click();
  EXPECT_FALSE(start->isEnabled());
  EXPECT_TRUE(cancel->isEnabled());
  EXPECT_FALSE(table->item(0, FleetDialog::kPortColumn)->flags().testFlag(Qt::ItemIsUserCheckable));
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  prompter.Answers = {PromptAnswer::No};
  QApplication::sendEvent(&dialog, &escape);
  EXPECT_TRUE(dialog.isVisible()) << "Escape during a run asks, and No keeps the radios going";

  ASSERT_TRUE(RunEventsUntil([&dialog] { return !dialog.Presenter().IsRunning(); }, 60000));
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(table->item(row, FleetDialog::kStateColumn)->text(), QStringLiteral("written")) << row;
    auto* bar = qobject_cast<QProgressBar*>(table->cellWidget(row, FleetDialog::kProgressColumn));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_FALSE(bar->accessibleName().isEmpty());
  }
  EXPECT_EQ(summary->text(), QStringLiteral("2 of 2 radios written"));
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(cancel->isEnabled());
  ASSERT_EQ(prompter.Messages.size(), 2U);
  EXPECT_EQ(prompter.Messages[0].Text.substr(0, 37), "Write the configuration to 2 radios?\r");

  RadioImage image;
  Configuration records = workspace.Current();
  ASSERT_FALSE(EncodeAll(records, image).has_value());
  EXPECT_TRUE(servedFirst.Stop()) << servedFirst.Error();
  EXPECT_TRUE(servedSecond.Stop()) << servedSecond.Error();
  EXPECT_EQ(first.Image(), image);
  EXPECT_EQ(second.Image(), image);

  QApplication::sendEvent(&dialog, &escape);
  EXPECT_FALSE(dialog.isVisible()) << "after the run Escape closes without a question";
  EXPECT_TRUE(prompter.ScriptUsedUp());
}

}  // namespace
}  // namespace hvt
