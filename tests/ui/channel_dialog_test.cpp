#include "ui/channel_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>

#include "i18n/text_keys.h"
#include "model/channel_table.h"
#include "model/frequency.h"
#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

// The user, who also looks at the dialog while a message is open.
class WatchingPrompter final : public ScriptedPrompter {
 public:
  std::function<void()> DuringMessage;

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    if (DuringMessage) DuringMessage();
    return ScriptedPrompter::Ask(text, buttons, icon);
  }
};

class ChannelDialogTest : public UiTest {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  bool Run(int number) { return RunChannelDialog(nullptr, context_, workspace_, prompter_, number); }

  static QLineEdit* Box(QDialog& dialog, const std::string& name) {
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
      if (box->accessibleName().toStdString() == name) return box;
    }
    ADD_FAILURE() << "no box " << name;
    return nullptr;
  }

  std::string Text(std::int32_t key) const { return context_.Texts().LanguageText(key); }
  std::string NameBox(int i) const { return Text(text_key::GridName) + " " + std::to_string(i); }

  AppContext context_ = Start();
  WatchingPrompter prompter_;
  Workspace workspace_{context_, prompter_};
};

TEST_F(ChannelDialogTest, TypingANewChannelEnablesTheFormAndOkAddsIt) {
  OnModalDialog([this](QDialog& dialog) {
    ExpectWellFormed(dialog);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* receive = Box(dialog, Text(text_key::GridRx));
    QLineEdit* transmit = Box(dialog, Text(text_key::GridTx));
    ASSERT_TRUE(receive && transmit);
    EXPECT_TRUE(receive->hasFocus());
    EXPECT_FALSE(transmit->isEnabled()) << "a channel without a receive frequency has nothing else";

    QTest::keyClicks(receive, "43x8.125");
    EXPECT_EQ(receive->text(), "438.125");
    EXPECT_TRUE(transmit->isEnabled());
    QTest::keyClick(receive, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter walks through the fields";
    EXPECT_TRUE(transmit->hasFocus());

    QLineEdit* first = Box(dialog, NameBox(1));
    first->setFocus();
    for (const char c : std::string("ab.1")) QTest::keyClick(QApplication::focusWidget(), c);
    EXPECT_EQ(first->text(), "A");
    EXPECT_EQ(Box(dialog, NameBox(2))->text(), "B");
    EXPECT_EQ(Box(dialog, NameBox(3))->text(), "1") << "a refused character leaves the focus where it was";
    EXPECT_TRUE(Box(dialog, NameBox(4))->hasFocus());
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(Run(150));
  const ChannelRecord* stored = workspace_.Current().Channels.Find(150);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(FreqRecordToText(stored->RxFreq.Raw()).Text, "438.12500");
  EXPECT_EQ(stored->Name.Raw(), "AB1  ");
  EXPECT_TRUE(workspace_.IsModified());
}

// The warning takes the focus from the box it is about; that must not count as leaving it again.
TEST_F(ChannelDialogTest, LeavingABadTransmitFrequencyWarnsOnceAndCorrectsTheBox) {
  OnModalDialog([this](QDialog& dialog) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* transmit = Box(dialog, Text(text_key::GridTx));
    ASSERT_NE(transmit, nullptr);
    transmit->setFocus();
    transmit->selectAll();
    QTest::keyClicks(transmit, "999");
    QString shownWithTheMessage;
    prompter_.DuringMessage = [&shownWithTheMessage, transmit] { shownWithTheMessage = transmit->text(); };
    QTest::keyClick(transmit, Qt::Key_Tab);
    prompter_.DuringMessage = nullptr;
    EXPECT_EQ(prompter_.Messages.size(), 1u);
    EXPECT_NE(transmit->text(), "999");
    EXPECT_EQ(shownWithTheMessage, transmit->text())
        << "the box shows the corrected value beside the message";
    Press(dialog, QDialogButtonBox::Cancel);
  });
  const Configuration before = workspace_.Current();
  EXPECT_FALSE(Run(3));
  EXPECT_TRUE(workspace_.Current() == before) << "Cancel keeps the channel";
}

TEST_F(ChannelDialogTest, ToneListsTakeTurnsWithTheToneType) {
  OnModalDialog([this](QDialog& dialog) {
    QComboBox* decodeType = nullptr;
    for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
      if (box->isVisible() && box->accessibleName().toStdString().starts_with(Text(text_key::GridDecode))) {
        decodeType = box;
        break;
      }
    }
    ASSERT_NE(decodeType, nullptr);
    const auto visibleLists = [&dialog] {
      int visible = 0;
      for (const QComboBox* box : dialog.findChildren<QComboBox*>()) visible += box->isVisible() ? 1 : 0;
      return visible;
    };
    const int without = visibleLists();
    decodeType->setCurrentIndex(2);
    emit decodeType->activated(2);
    EXPECT_EQ(visibleLists(), without + 1) << "DCS shows its code list";
    const auto checks = dialog.findChildren<QCheckBox*>();
    EXPECT_TRUE(std::ranges::any_of(checks, [this](const QCheckBox* box) {
      return box->isVisible() && box->text().toStdString() == Text(text_key::ChannelInverted);
    }));
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(Run(4));
}

}  // namespace
}  // namespace hvt
