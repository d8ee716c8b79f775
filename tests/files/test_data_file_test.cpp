#include "files/test_data_file.h"

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

class TestDataFileTest : public testing::Test {
 protected:
  TempFolder folder_;
};

TestModeData Sample() {
  TestModeData data;
  for (std::size_t i = 0; i < data.Values.size(); ++i) data.Values[i] = static_cast<std::int32_t>(i * 37);
  data.Values[0] = 1;
  data.Values[1] = -2;
  data.Values[31] = 0x01020304;
  return data;
}

TEST_F(TestDataFileTest, SavesTheValuesLittleEndianInIndexOrder) {
  const fs::path file = folder_ / "radio.ted";
  ASSERT_TRUE(SaveTestDataFile(file, Sample()));
  const Bytes bytes = FileBytes(file);
  ASSERT_EQ(bytes.size(), 128U);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.begin() + 12), (Bytes{74, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{0x04, 0x03, 0x02, 0x01}));

  TestModeData loaded;
  EXPECT_EQ(LoadTestDataFile(file, loaded), TestDataFileResult::Loaded);
  EXPECT_EQ(loaded, Sample());
}

TEST_F(TestDataFileTest, LoadingAndSavingUnchangedGivesTheSameBytes) {
  std::string original(128, '\0');
  for (std::size_t i = 0; i < original.size(); ++i) original[i] = static_cast<char>(i * 7 + 3);
  const fs::path file = folder_ / "factory.ted";
  WriteFileBytes(file, original);
  TestModeData data;
  ASSERT_EQ(LoadTestDataFile(file, data), TestDataFileResult::Loaded);
  ASSERT_TRUE(SaveTestDataFile(folder_ / "copy.ted", data));
  EXPECT_EQ(FileBytes(folder_ / "copy.ted"), Bytes(original.begin(), original.end()));
}

TEST_F(TestDataFileTest, SavingOverALongerFileLeavesNoOldTail) {
  const fs::path file = folder_ / "radio.ted";
  WriteFileBytes(file, std::string(500, 'x'));
  ASSERT_TRUE(SaveTestDataFile(file, Sample()));
  EXPECT_EQ(FileBytes(file), ToFileBytes(Sample()));
}

TEST_F(TestDataFileTest, FailedSaveReportsItAndChangesNothing) {
  const fs::path folderInTheWay = folder_ / "radio.ted";
  fs::create_directories(folderInTheWay / "inside");
  EXPECT_EQ(SaveTestDataFile(folderInTheWay, Sample()).Detail(),
            folderInTheWay.string() + ": Is a directory");
  EXPECT_TRUE(fs::is_directory(folderInTheWay / "inside"));
  EXPECT_EQ(SaveTestDataFile(folder_ / "missing" / "radio.ted", Sample()).Detail(),
            (folder_ / "missing" / "radio.ted").string() + ": No such file or directory");
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(TestDataFileTest, ReadsOnlyTheFirst128BytesOfALongerFile) {
  const fs::path file = folder_ / "old.ted";
  const Bytes values = ToFileBytes(Sample());
  WriteFileBytes(file, std::string(values.begin(), values.end()) + std::string(40, 'x'));
  TestModeData data;
  EXPECT_EQ(LoadTestDataFile(file, data), TestDataFileResult::Loaded);
  EXPECT_EQ(data, Sample());
}

TEST_F(TestDataFileTest, RefusedLoadsLeaveTheValuesUnchanged) {
  const fs::path shortFile = folder_ / "short.ted";
  const fs::path emptyFile = folder_ / "empty.ted";
  WriteFileBytes(shortFile, std::string(127, '\x11'));
  WriteFileBytes(emptyFile, "");
  fs::create_directories(folder_ / "folder.ted");
  struct Case {
    fs::path File;
    TestDataFileResult Result;
    std::string Reason;
  };
  const Case cases[] = {
      {shortFile, TestDataFileResult::WrongSize, "127 bytes, expected 128"},
      {emptyFile, TestDataFileResult::WrongSize, "0 bytes, expected 128"},
      {folder_ / "absent.ted", TestDataFileResult::Missing, "No such file or directory"},
      {folder_ / "folder.ted", TestDataFileResult::Unreadable, "Is a directory"},
  };
  for (const Case& c : cases) {
    TestModeData data = Sample();
    const TestDataFileOutcome outcome = LoadTestDataFile(c.File, data);
    EXPECT_EQ(outcome, c.Result) << c.File;
    EXPECT_EQ(outcome.Detail, c.File.string() + ": " + c.Reason);
    EXPECT_EQ(data, Sample()) << c.File;
  }
}

TEST_F(TestDataFileTest, FactoryMarkerNeedsTheExactTextInTheFirst128Bytes) {
  const std::string marker = "HVT7300_4826_Service_CalibModeTag";
  struct Case {
    const char* What;
    std::string Content;
    bool On;
  };
  const Case cases[] = {
      {"the text alone", marker, true},
      {"padded with blanks to 128 bytes", marker + std::string(128 - marker.size(), ' '), true},
      {"padded with NULs to 128 bytes", marker + std::string(128 - marker.size(), '\0'), true},
      {"anything after 128 bytes is not read", marker + std::string(128 - marker.size(), ' ') + "junk", true},
      {"a NUL ends the text", marker + std::string(1, '\0') + "junk", true},
      {"written by a text editor", marker + "\r\n", false},
      {"other case", "hvt7300_4826_service_calibmodetag", false},
      {"a prefix only", marker.substr(0, 20), false},
      {"leading blank", " " + marker, false},
      {"beyond the first 128 bytes", std::string(100, ' ') + marker, false},
      {"empty", "", false},
  };
  const fs::path file = folder_ / "TestData.ini";
  for (const Case& c : cases) {
    WriteFileBytes(file, c.Content);
    EXPECT_EQ(ReadFactoryMarker(folder_.Path()), c.On) << c.What;
  }
  fs::remove(file);
  EXPECT_FALSE(ReadFactoryMarker(folder_.Path())) << "no marker file";
  fs::create_directories(file);
  EXPECT_FALSE(ReadFactoryMarker(folder_.Path())) << "a folder of that name";
}

}  // namespace
}  // namespace hvt
