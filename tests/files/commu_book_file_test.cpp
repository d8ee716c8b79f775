#include "files/commu_book_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/record_printer.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class CommuBookFileTest : public testing::Test {
 protected:
  static CommuBook SampleBook() {
    CommuBook book;
    ResetCommuBook(book);
    book.Entries[0] = {-1, std::string("12\0", 3), std::string("HOME\0", 5)};
    book.Entries[127] = {0x1234, "54321", "ABCDEFG"};
    return book;
  }

  TempFolder folder_;
};

TEST_F(CommuBookFileTest, SavedFileIsTheBookBytesAndLoadsBack) {
  const fs::path file = folder_ / "book.cb";
  const CommuBook book = SampleBook();
  ASSERT_EQ(SaveCommuBookFile(file, book), CommuBookFileResult::Ok);
  const Bytes bytes = ToFileBytes(book);
  EXPECT_EQ(FileBytes(file), bytes);
  EXPECT_EQ(bytes[14 * 127], 0x34);
  EXPECT_EQ(bytes[14 * 127 + 1], 0x12);

  CommuBook loaded;
  ASSERT_EQ(LoadCommuBookFile(file, loaded), CommuBookFileResult::Ok);
  EXPECT_EQ(loaded, book);
}

TEST_F(CommuBookFileTest, SavingOverALongerFileLeavesExactlyOneBook) {
  const fs::path file = folder_ / "old.cb";
  WriteFileBytes(file, Bytes(5000, 0xAB));
  ASSERT_EQ(SaveCommuBookFile(file, SampleBook()), CommuBookFileResult::Ok);
  EXPECT_EQ(fs::file_size(file), 1792U);
  const CommuBookFileOutcome failed = SaveCommuBookFile(folder_ / "missing" / "new.cb", SampleBook());
  EXPECT_EQ(failed, CommuBookFileResult::CannotWrite);
  EXPECT_EQ(failed.Detail, (folder_ / "missing" / "new.cb").string() + ": No such file or directory");
}

TEST_F(CommuBookFileTest, LongerFileLoadsItsFirstBook) {
  const fs::path file = folder_ / "long.cb";
  Bytes bytes = ToFileBytes(SampleBook());
  bytes.resize(bytes.size() + 300, 0x77);
  WriteFileBytes(file, bytes);
  CommuBook loaded;
  ASSERT_EQ(LoadCommuBookFile(file, loaded), CommuBookFileResult::Ok);
  EXPECT_EQ(loaded, SampleBook());
}

TEST_F(CommuBookFileTest, ShortOrMissingFileIsRefusedAndTheBookKept) {
  WriteFileBytes(folder_ / "short.cb", Bytes(1791, 0x31));
  WriteFileBytes(folder_ / "empty.cb", Bytes{});
  struct Case {
    fs::path Path;
    CommuBookFileResult Result;
    std::string Reason;
  };
  const Case cases[] = {
      {folder_ / "short.cb", CommuBookFileResult::TooShort, "1791 bytes, expected 1792"},
      {folder_ / "empty.cb", CommuBookFileResult::TooShort, "0 bytes, expected 1792"},
      {folder_ / "absent.cb", CommuBookFileResult::CannotRead, "No such file or directory"},
      {folder_.Path(), CommuBookFileResult::CannotRead, "Is a directory"},
      {"/dev/zero", CommuBookFileResult::CannotRead, "not a regular file"},
  };
  for (const Case& c : cases) {
    CommuBook book = SampleBook();
    const CommuBookFileOutcome outcome = LoadCommuBookFile(c.Path, book);
    EXPECT_EQ(outcome, c.Result) << c.Path;
    EXPECT_EQ(outcome.Detail, c.Path.string() + ": " + c.Reason);
    EXPECT_EQ(book, SampleBook()) << c.Path;
  }
}

}  // namespace
}  // namespace hvt
