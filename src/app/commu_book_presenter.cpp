#include "app/commu_book_presenter.h"

#include "i18n/text_keys.h"
#include "model/text.h"

namespace hvt {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

CommuBookEntry& EntryOf(CommuBook& book, int row) { return book.Entries[static_cast<std::size_t>(row)]; }

bool IsCell(int row, int column) {
  return row >= 0 && row < kCommuBookEntryCount && column >= CommuBookPresenter::kCodeColumn &&
         column <= CommuBookPresenter::kNameColumn;
}

// A text shorter than its field ends with one NUL, as the radio's software has always stored it;
// an empty text is the NUL alone.
std::string Terminated(std::string_view text, std::size_t length) {
  std::string stored(text.substr(0, length));
  if (stored.size() < length) stored.push_back('\0');
  return stored;
}

}  // namespace

CommuBookPresenter::CommuBookPresenter(Workspace& workspace, const LanguageTexts& texts, Prompter& prompter)
    : DialogPresenter(prompter), workspace_(workspace), texts_(texts), book_(workspace.Current().Book) {
  state_ = {
      .Title = texts_.LanguageText(text_key::CommuBookTitle),
      .IndexHeader = texts_.LanguageText(text_key::CommuBookIndex),
      .CodeHeader = texts_.LanguageText(text_key::CommuBookCallId),
      .NameHeader = texts_.LanguageText(text_key::CommuBookName),
      .ImportText = texts_.LanguageText(text_key::CommuBookImport),
      .ExportText = texts_.LanguageText(text_key::CommuBookExport),
      .OkText = texts_.LanguageText(text_key::OkButton),
      .CancelText = texts_.LanguageText(text_key::CancelButton),
  };
}

std::string CommuBookPresenter::CellText(int row, int column) const {
  if (row < 0 || row >= kCommuBookEntryCount) return {};
  const CommuBookEntry& entry = book_.Entries[static_cast<std::size_t>(row)];
  switch (column) {
    case kIndexColumn:
      return std::to_string(row);
    case kCodeColumn:
      return entry.Code.Trimmed();
    case kNameColumn:
      return entry.Name.Trimmed();
    default:
      return {};
  }
}

bool CommuBookPresenter::BeginEdit(int row, int column) {
  if (!IsCell(row, column)) return false;
  if (row == editRow_ && column == editColumn_) return true;
  CommitEdit();
  editRow_ = row;
  editColumn_ = column;
  editText_ = CellText(row, column);
  return true;
}

std::string CommuBookPresenter::EditText(std::string_view typed) {
  if (!IsCell(editRow_, editColumn_)) return {};
  const bool code = editColumn_ == kCodeColumn;
  const std::size_t length = code ? kCodeLength : kNameLength;
  std::string kept;
  for (char c : typed) {
    if (kept.size() == length) break;
    if (IsLower(c) && !code) c = static_cast<char>(c - 'a' + 'A');
    const bool accepted = code ? IsDigit(c) : IsDigit(c) || IsUpper(c) || c == ' ';
    if (accepted) kept.push_back(c);
  }
  editText_ = kept;
  return kept;
}

void CommuBookPresenter::CommitEdit() {
  if (!IsCell(editRow_, editColumn_)) return;
  CommuBookEntry& entry = EntryOf(book_, editRow_);
  const std::string_view text = TextTrim(editText_);
  // An unchanged text keeps its stored bytes, so a book read from a radio stays as it was.
  if (editColumn_ == kCodeColumn) {
    if (text != entry.Code.Trimmed()) entry.Code = Terminated(text, decltype(entry.Code)::kLength);
  } else if (text != entry.Name.Trimmed()) {
    entry.Name = Terminated(text, decltype(entry.Name)::kLength);
  }
  editRow_ = -1;
  editColumn_ = kIndexColumn;
  editText_.clear();
}

std::string CommuBookPresenter::BookFilter() const {
  return texts_.LanguageText(text_key::CommuBookTitle) + " (*.cb)|*.cb|(*)|*";
}

bool CommuBookPresenter::Import() {
  CommitEdit();
  const auto path = prompter_.ChooseFileToOpen(BookFilter());
  return path && workspace_.ImportBook(*path, book_) == FileCommandResult::Done;
}

bool CommuBookPresenter::Export() {
  CommitEdit();
  const auto path = prompter_.ChooseFileToSave(BookFilter(), workspace_.BookFileName());
  return path && workspace_.ExportBook(book_, *path) == FileCommandResult::Done;
}

bool CommuBookPresenter::Ok() {
  CommitEdit();
  workspace_.Current().Book = book_;
  return true;
}

}  // namespace hvt
