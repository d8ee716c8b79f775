#include "ui/two_tone_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using TwoToneDialogTest = UiTest;

template <class Widget>
Widget* Named(QDialog& dialog, const char* name) {
  for (Widget* widget : dialog.findChildren<Widget*>()) {
    if (widget->accessibleName() == QLatin1String(name)) return widget;
  }
  ADD_FAILURE() << "nothing named " << name;
  return nullptr;
}

TEST_F(TwoToneDialogTest, ThePairAndAListToneReachTheConfigurationAndEscapeKeepsIt) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  const Configuration opened = workspace.Current();

  OnModalDialog([](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(RunTwoToneDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.Current(), opened);

  OnModalDialog([](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "2-Tone");
    QComboBox* pair = Named<QComboBox>(dialog, "Tone Pair");
    ASSERT_NE(pair, nullptr);
    const int bd = pair->findText("B-D");
    pair->setCurrentIndex(bd);
    emit pair->activated(bd);
    EXPECT_FALSE(Named<QLineEdit>(dialog, "Tone-A")->isEnabled());
    EXPECT_TRUE(Named<QLineEdit>(dialog, "Tone-D")->isEnabled());

    auto* grid = dialog.findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 32);
    const QModelIndex cell = grid->model()->index(24, 1);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* box = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, "10x00");
    Press(dialog, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(RunTwoToneDialog(nullptr, context, workspace, prompter));
  const TwoToneSettings& stored = workspace.Current().TwoTone;
  EXPECT_EQ(stored.ToneOrder, 5);
  EXPECT_EQ(stored.PairSecondTone.Value(), 20438);
  EXPECT_EQ(stored.TwoToneEntries[24].FirstTone.Value(), 10000);
  EXPECT_TRUE(prompter.Messages.empty());
}

}  // namespace
}  // namespace hvt
