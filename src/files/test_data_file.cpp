#include "files/test_data_file.h"

#include <cerrno>
#include <cstdint>
#include <span>

#include "model/record.h"
#include "model/text.h"

namespace hvt {

namespace {

constexpr std::size_t kTestDataFileSize = FileSize<TestModeData>();
constexpr std::size_t kMarkerReadSize = 128;

}  // namespace

bool ReadFactoryMarker(const std::filesystem::path& programFolder) {
  const auto bytes = ReadFileStart(programFolder / kFactoryMarkerFileName, kMarkerReadSize);
  if (!bytes) return false;
  const std::string text(bytes->begin(), bytes->end());
  return TextTrim(text) == kFactoryMarkerText;
}

TestDataFileOutcome LoadTestDataFile(const std::filesystem::path& file, TestModeData& data) {
  const auto bytes = ReadFileStart(file, kTestDataFileSize);
  if (!bytes) {
    const bool missing = bytes.Failure()->SystemError == ENOENT;
    return {missing ? TestDataFileResult::Missing : TestDataFileResult::Unreadable, bytes.Detail()};
  }
  const std::string sizeDetail = file.string() + ": " + std::to_string(bytes->size()) + " bytes, expected " +
                                 std::to_string(kTestDataFileSize);
  if (bytes->size() != kTestDataFileSize) return {TestDataFileResult::WrongSize, sizeDetail};
  if (!FromFileBytes(*bytes, data)) return {TestDataFileResult::WrongSize, sizeDetail};
  return {};
}

FileWriteResult SaveTestDataFile(const std::filesystem::path& file, const TestModeData& data) {
  return WriteFileAtomically(file, ToFileBytes(data));
}

}  // namespace hvt
