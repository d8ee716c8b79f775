#include "files/file_io.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace hvt {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("hvt_file_io_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(FileIoTest, AtomicWriteReplacesALongerFileCompletely) {
  const fs::path file = folder_ / "book.cb";
  ASSERT_TRUE(WriteFileAtomically(file, std::string(100, 'a')));
  ASSERT_TRUE(WriteFileAtomically(file, std::string("short")));
  EXPECT_EQ(ReadWholeFile(file, 1000), (std::vector<std::uint8_t>{'s', 'h', 'o', 'r', 't'}));
  EXPECT_EQ(FilesInFolder(), 1U) << "no temporary file is left behind";
}

TEST_F(FileIoTest, FailedWriteLeavesTheOldFile) {
  const fs::path file = folder_ / "target";
  fs::create_directories(file / "inside");  // a folder cannot be replaced by a file
  EXPECT_FALSE(WriteFileAtomically(file, std::string("data")));
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_FALSE(WriteFileAtomically(folder_ / "missing" / "file", std::string("data")));
  EXPECT_EQ(FilesInFolder(), 1U);
}

TEST_F(FileIoTest, ReadRefusesMissingFoldersAndOversizedFiles) {
  const fs::path file = folder_ / "data";
  ASSERT_TRUE(WriteFileAtomically(file, std::string(10, 'x')));
  EXPECT_TRUE(ReadWholeFile(file, 10).has_value());
  EXPECT_FALSE(ReadWholeFile(file, 9).has_value());
  EXPECT_FALSE(ReadWholeFile(folder_, 100).has_value());
  EXPECT_FALSE(ReadWholeFile(folder_ / "absent", 100).has_value());
}

}  // namespace
}  // namespace hvt
