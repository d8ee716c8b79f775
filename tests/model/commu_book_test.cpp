#include "model/commu_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/record_printer.h"

namespace hvt {
namespace {

CommuBook ResetBook() {
  CommuBook book;
  ResetCommuBook(book);
  return book;
}

TEST(CommuBook, ResetNumbersEveryEntryAndEmptiesItsTexts) {
  CommuBook book;
  book.Entries[3] = {77, "123", "ABC"};
  ResetCommuBook(book);
  for (int i = 0; i < 128; ++i) {
    const CommuBookEntry& entry = book.Entries[static_cast<std::size_t>(i)];
    EXPECT_EQ(entry.Number, i);
    EXPECT_EQ(entry.Code.Raw(), std::string("\0    ", 5)) << i;
    EXPECT_EQ(entry.Name.Raw(), std::string("\0      ", 7)) << i;
  }
}

TEST(CommuBook, SortPutsNumericCodesFirstInTheRadiosExchangeOrder) {
  struct Case {
    const char* What;
    std::vector<std::string> Codes;  // entries 0.., the rest of the book is empty
    std::vector<int> SortedNumbers;  // the first entries' numbers after the sort
  };
  const Case cases[] = {
      {"empty and non-numeric codes last",
       {"30", "4", std::string("\0", 1), "123", "ABC"},
       {1, 0, 3, 2, 4, 5}},
      {"equal values do not keep their order", {"50", "7", "007", "3"}, {3, 2, 1, 0, 4}},
      {"signs, inner blanks and the largest code", {"1 2", "-5", "99999", "12   "}, {3, 2, 0, 1, 4}},
  };
  for (const Case& c : cases) {
    CommuBook book = ResetBook();
    for (std::size_t i = 0; i < c.Codes.size(); ++i) {
      book.Entries[i].Code = c.Codes[i];
      book.Entries[i].Name = "N" + std::to_string(i);
    }
    SortCommuBook(book);
    for (std::size_t i = 0; i < c.SortedNumbers.size(); ++i) {
      const CommuBookEntry& entry = book.Entries[i];
      EXPECT_EQ(entry.Number, c.SortedNumbers[i]) << c.What << ", entry " << i;
      if (entry.Number < static_cast<int>(c.Codes.size())) {
        EXPECT_EQ(entry.Name.Trimmed(), "N" + std::to_string(entry.Number))
            << c.What << ": names travel along";
      }
    }
    EXPECT_EQ(book.Entries[127].Number, 127) << c.What;
  }
}

}  // namespace
}  // namespace hvt
