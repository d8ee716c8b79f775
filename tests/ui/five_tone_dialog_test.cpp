#include "ui/five_tone_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <functional>

#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

using FiveToneDialogTest = UiTest;

template <class Widget>
Widget* Named(QDialog& dialog, const char* name) {
  for (Widget* widget : dialog.findChildren<Widget*>()) {
    if (widget->accessibleName() == QLatin1String(name) && widget->isVisible()) return widget;
  }
  ADD_FAILURE() << "nothing visible named " << name;
  return nullptr;
}

void Choose(QComboBox* box, const char* text) {
  ASSERT_NE(box, nullptr);
  const int index = box->findText(QString::fromUtf8(text));
  ASSERT_GE(index, 0) << text;
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// A failed assertion inside `act` must not leave a modal dialog waiting for ever.
void OnDialog(std::function<void(QDialog&)> act) {
  OnModalDialog([act = std::move(act)](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    act(dialog);
  });
}

TEST_F(FiveToneDialogTest, GridCodesAndSpecialCallsReachTheConfigurationAtOk) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  FiveToneSettings& fiveTone = workspace.Current().FiveTone;
  fiveTone.OwnId = "54321";

  OnDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    EXPECT_EQ(dialog.windowTitle(), "5-Tone");
    auto* grid = dialog.findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 100);
    const QModelIndex cell = grid->model()->index(3, 2);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* code = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(code, nullptr);
    QTest::keyClicks(code, "11x111");
    EXPECT_EQ(code->text(), "11111") << "only hexadecimal digits are taken";

    Choose(Named<QComboBox>(dialog, "Tone Set"), "CCIR1");
    EXPECT_EQ(Named<QComboBox>(dialog, "Tone Length (ms)")->currentText(), "100");

    OnDialog([](QDialog& special) {
      ExpectWellFormed(special);
      Choose(Named<QComboBox>(special, "Type"), "ANI");
      QTest::keyClicks(Named<QLineEdit>(special, "Called ID"), "12345");
      Choose(Named<QComboBox>(special, "Separator"), "D");
      Press(special, QDialogButtonBox::Ok);
    });
    Named<QPushButton>(dialog, "PTT ID Begin Special Call")->click();
    EXPECT_EQ(Named<QLineEdit>(dialog, "PTT ID Begin Code")->text(), "12345D54321");
    Press(dialog, QDialogButtonBox::Ok);
  });
  ASSERT_TRUE(RunFiveToneDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(fiveTone.Codes[3].Code.Trimmed(), "1E1E1");
  EXPECT_EQ(fiveTone.Codes[3].EmptyFlag, 0);
  EXPECT_EQ(fiveTone.Standard, 6);
  EXPECT_EQ(fiveTone.ToneLength, 100);
  EXPECT_EQ(fiveTone.PttIdBegin.Code.Trimmed(), "12345D54321");
  EXPECT_EQ(fiveTone.Separator, 0xD);
  EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(FiveToneDialogTest, AShortOwnIdKeepsTheDialogOpenAndCancelLeavesEverything) {
  AppContext context = Start();
  ScriptedPrompter prompter;
  Workspace workspace(context, prompter);
  const Configuration opened = workspace.Current();

  OnDialog([](QDialog& dialog) {
    QTest::keyClicks(Named<QLineEdit>(dialog, "Own ID"), "123");
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_TRUE(dialog.isVisible());
    Press(dialog, QDialogButtonBox::Cancel);
  });
  EXPECT_FALSE(RunFiveToneDialog(nullptr, context, workspace, prompter));
  EXPECT_EQ(workspace.Current(), opened);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Please enter a 5-digit ID."});
}

}  // namespace
}  // namespace hvt
