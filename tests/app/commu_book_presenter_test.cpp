#include "app/commu_book_presenter.h"

#include <gtest/gtest.h>

#include "files/commu_book_file.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

using C = CommuBookPresenter;

class CommuBookPresenterTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  CommuBookEntry& Live(int index) {
    return workspace_.Current().Book.Entries[static_cast<std::size_t>(index)];
  }

  // A book file whose entry `index` has `code`, the rest empty.
  std::filesystem::path BookFile(const char* name, int index, const char* code) {
    CommuBook book;
    ResetCommuBook(book);
    book.Entries[static_cast<std::size_t>(index)].Code = code;
    const auto path = folder_ / name;
    EXPECT_EQ(SaveCommuBookFile(path, book), CommuBookFileResult::Ok);
    return path;
  }

  TempFolder folder_;
  ScriptedPrompter prompter_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, folder_.Path()}, "en_US");
  Workspace workspace_{context_, prompter_};
};

TEST_F(CommuBookPresenterTest, CellsKeepWhatTheirColumnAccepts) {
  const struct {
    int Column;
    std::string Typed;
    std::string Kept;
  } cases[] = {
      {C::kCodeColumn, "12a", "12"},
      {C::kCodeColumn, "1234567", "12345"},
      {C::kCodeColumn, "*#12", "12"},
      {C::kNameColumn, "abc", "ABC"},
      {C::kNameColumn, "a-b c~\\", "AB C"},
      {C::kNameColumn, "abcdefgh", "ABCDEF"},
      {C::kNameColumn,
       "\xE4\xB8\xAD"
       "1",
       "1"},
  };
  C presenter(workspace_, context_.Texts(), prompter_);
  for (const auto& c : cases) {
    ASSERT_TRUE(presenter.BeginEdit(4, c.Column));
    EXPECT_EQ(presenter.EditText(c.Typed), c.Kept) << c.Typed;
  }
  EXPECT_FALSE(presenter.BeginEdit(4, C::kIndexColumn)) << "the index column is no cell to edit";
  EXPECT_FALSE(presenter.BeginEdit(128, C::kCodeColumn));
}

TEST_F(CommuBookPresenterTest, ACommittedCellIsStoredTerminatedAndReachesTheBookOnlyAtOk) {
  C presenter(workspace_, context_.Texts(), prompter_);
  presenter.BeginEdit(2, C::kCodeColumn);
  presenter.EditText("12");
  presenter.BeginEdit(2, C::kNameColumn);  // moving on commits the code
  presenter.EditText("home");
  presenter.BeginEdit(3, C::kCodeColumn);
  presenter.EditText("12345");
  EXPECT_EQ(presenter.CellText(2, C::kCodeColumn), "12");
  EXPECT_EQ(presenter.CellText(2, C::kNameColumn), "HOME");
  EXPECT_EQ(presenter.CellText(2, C::kIndexColumn), "2");
  EXPECT_EQ(Live(2).Code.Trimmed(), "") << "the book changes at OK";

  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(Live(2).Code.Raw(), std::string_view("12\0  ", 5));
  EXPECT_EQ(Live(2).Name.Raw(), std::string_view("HOME\0  ", 7));
  EXPECT_EQ(Live(3).Code.Raw(), "12345") << "OK commits the open cell";
  EXPECT_TRUE(workspace_.IsModified());
}

// A book read from a radio has NULs where the editor would write blanks; retyping the same text
// must not count as a change.
TEST_F(CommuBookPresenterTest, UnchangedCellsKeepTheirBytesAndCancelKeepsTheBook) {
  Live(6).Code = std::string_view("42\0\0\0", 5);
  Live(6).Name = std::string_view("BASE\0\0\0", 7);
  ASSERT_EQ(workspace_.SaveFile(folder_ / "saved.dat"), FileCheck::Ok);
  {
    C presenter(workspace_, context_.Texts(), prompter_);
    presenter.BeginEdit(6, C::kCodeColumn);
    presenter.EditText("42");
    presenter.BeginEdit(6, C::kNameColumn);
    presenter.EditText("base");
    EXPECT_TRUE(presenter.Ok());
  }
  EXPECT_FALSE(workspace_.IsModified());

  C presenter(workspace_, context_.Texts(), prompter_);
  presenter.BeginEdit(6, C::kCodeColumn);
  presenter.EditText("9");
  presenter.CommitEdit();
  presenter.Cancel();
  EXPECT_FALSE(workspace_.IsModified());
}

TEST_F(CommuBookPresenterTest, ImportEndsTheOpenEditSoItsTextNeverLandsOnTheImportedEntry) {
  const auto file = BookFile("other.cb", 3, "555");
  C presenter(workspace_, context_.Texts(), prompter_);
  presenter.BeginEdit(3, C::kCodeColumn);
  presenter.EditText("77");
  prompter_.Files = {file};
  EXPECT_TRUE(presenter.Import());
  presenter.CommitEdit();  // what the view's closing editor sends
  presenter.BeginEdit(4, C::kCodeColumn);
  EXPECT_EQ(presenter.CellText(3, C::kCodeColumn), "555");
  EXPECT_EQ(workspace_.BookFileName(), file);
  EXPECT_EQ(Live(3).Code.Trimmed(), "") << "the book changes at OK";
  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(Live(3).Code.Trimmed(), "555");
}

TEST_F(CommuBookPresenterTest, AnImportThatFailsOrIsCancelledKeepsTheEditorsBook) {
  Live(1).Code = "321";
  C presenter(workspace_, context_.Texts(), prompter_);
  prompter_.Files = {std::nullopt, folder_ / "missing.cb"};
  EXPECT_FALSE(presenter.Import());
  EXPECT_TRUE(prompter_.Messages.empty()) << "a cancelled file dialog says nothing";
  EXPECT_FALSE(presenter.Import());
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_EQ(prompter_.Messages[0].Text.rfind("file error.\n", 0), 0u) << prompter_.Messages[0].Text;
  EXPECT_EQ(presenter.CellText(1, C::kCodeColumn), "321");
  EXPECT_EQ(workspace_.BookFileName(), kUntitledBookFileName);
}

TEST_F(CommuBookPresenterTest, ExportWritesTheEditorsBookWithTheOpenCell) {
  C presenter(workspace_, context_.Texts(), prompter_);
  presenter.BeginEdit(0, C::kCodeColumn);
  presenter.EditText("911");
  const auto file = folder_ / "out.cb";
  prompter_.Files = {file};
  EXPECT_TRUE(presenter.Export());
  CommuBook written;
  ASSERT_EQ(LoadCommuBookFile(file, written), CommuBookFileResult::Ok);
  EXPECT_EQ(written, presenter.Book());
  EXPECT_EQ(written.Entries[0].Code.Trimmed(), "911");
  EXPECT_EQ(std::filesystem::file_size(file), 1792u);
  EXPECT_EQ(workspace_.BookFileName(), file);
}

}  // namespace
}  // namespace hvt
