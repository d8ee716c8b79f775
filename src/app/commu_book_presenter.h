#pragma once

// The communication book editor: the 128 entries in a grid edited cell by cell on a working copy,
// with import from and export to ".cb" files.
//
// One cell at a time is being edited: BeginEdit names it, EditText filters what the user types,
// and the edit is committed when another cell begins, before an import or an export, and at OK.
// An import therefore never has an old cell text written over the entry it brings in.

#include <string>
#include <string_view>

#include "app/workspace.h"
#include "editors/presenter.h"
#include "model/commu_book.h"

namespace hvt {

class CommuBookPresenter final : public DialogPresenter {
 public:
  enum Column { kIndexColumn = 0, kCodeColumn = 1, kNameColumn = 2 };
  static constexpr int kColumnCount = 3;
  static constexpr std::size_t kCodeLength = 5;
  static constexpr std::size_t kNameLength = 6;

  struct ViewState {
    std::string Title;
    std::string IndexHeader;
    std::string CodeHeader;
    std::string NameHeader;
    std::string ImportText;
    std::string ExportText;
    std::string OkText;
    std::string CancelText;
  };

  CommuBookPresenter(Workspace& workspace, const LanguageTexts& texts, Prompter& prompter);

  const ViewState& State() const { return state_; }
  const CommuBook& Book() const { return book_; }
  // What row `row` (0-127) shows in `column`.
  std::string CellText(int row, int column) const;

  // Commits any open edit and opens `row`/`column`; false for the index column or a cell outside
  // the grid, which start no edit.
  bool BeginEdit(int row, int column);
  // The text the open cell's box keeps of what was typed: digits for a code, capitals, digits
  // and blanks for a name (lower case made upper), up to the column's length.
  std::string EditText(std::string_view typed);
  // Stores the open cell's text in the working copy and closes the edit.
  void CommitEdit();

  // Both ask for a file; cancelling the file dialog does nothing. A file that cannot be read or
  // written is reported and changes nothing. True when the book or the file changed.
  bool Import();
  bool Export();

  [[nodiscard]] bool Ok() override;

 private:
  std::string BookFilter() const;

  Workspace& workspace_;
  const LanguageTexts& texts_;
  CommuBook book_;
  ViewState state_;
  int editRow_ = -1;
  int editColumn_ = kIndexColumn;
  std::string editText_;
};

}  // namespace hvt
