#include "ui/commu_book_dialog.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "files/commu_book_file.h"
#include "support/scripted_prompter.h"
#include "ui/modal_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

constexpr int kCodeColumn = 1;

class CommuBookDialogTest : public UiTest {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  bool Run() { return RunCommuBookDialog(nullptr, context_, workspace_, prompter_); }
  std::string LiveCode(int index) {
    return workspace_.Current().Book.Entries[static_cast<std::size_t>(index)].Code.Trimmed();
  }

  // Opens the code cell of `row` for typing, as F2 does.
  static QLineEdit* OpenCell(QDialog& dialog, int row) {
    auto* grid = dialog.findChild<QTableView*>();
    const QModelIndex cell = grid->model()->index(row, kCodeColumn);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    return qobject_cast<QLineEdit*>(grid->indexWidget(cell));
  }

  AppContext context_ = Start();
  ScriptedPrompter prompter_;
  Workspace workspace_{context_, prompter_};
};

TEST_F(CommuBookDialogTest, TypedCodesKeepTheirDigitsAndReachTheBookAtOk) {
  OnModalDialog([](QDialog& dialog) {
    ExpectWellFormed(dialog);
    QLineEdit* cell = OpenCell(dialog, 2);
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, "12a3");
    EXPECT_EQ(cell->text(), "123");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(Run());
  EXPECT_EQ(LiveCode(2), "123") << "OK commits the cell still open";
  EXPECT_TRUE(workspace_.IsModified());
}

// The import button can be reached while a cell is open; the cell's text must not land on the
// imported entry when the cell closes afterwards.
TEST_F(CommuBookDialogTest, ImportWhileACellIsOpenKeepsTheImportedEntry) {
  CommuBook book;
  ResetCommuBook(book);
  book.Entries[3].Code = "555";
  const auto file = settings_ / "other.cb";
  ASSERT_EQ(SaveCommuBookFile(file, book), CommuBookFileResult::Ok);
  prompter_.Files = {file};
  OnModalDialog([this](QDialog& dialog) {
    QLineEdit* cell = OpenCell(dialog, 3);
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, "77");
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().toStdString() == context_.Texts().LanguageText(1802)) button->click();
    }
    auto* grid = dialog.findChild<QTableView*>();
    EXPECT_EQ(grid->model()->index(3, kCodeColumn).data().toString(), "555");
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(Run());
  EXPECT_EQ(LiveCode(3), "555");
}

TEST_F(CommuBookDialogTest, EscapeKeepsTheBook) {
  OnModalDialog([](QDialog& dialog) {
    QTest::keyClicks(OpenCell(dialog, 0), "9");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    if (dialog.isVisible()) QTest::keyClick(&dialog, Qt::Key_Escape);  // the first closes the cell
  });
  EXPECT_FALSE(Run());
  EXPECT_EQ(LiveCode(0), "");
}

}  // namespace
}  // namespace hvt
