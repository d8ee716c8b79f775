#pragma once

// Test data files (".ted": the 32 calibration values, 4 bytes each, little-endian) and the marker
// file that unlocks the factory functions.

#include <filesystem>
#include <string>
#include <string_view>

#include "files/file_io.h"
#include "model/test_mode_data.h"

namespace hvt {

inline constexpr std::string_view kFactoryMarkerFileName = "TestData.ini";
inline constexpr std::string_view kFactoryMarkerText = "HVT7300_4826_Service_CalibModeTag";

// True only when the first 128 bytes of "TestData.ini" in the program folder read as the marker
// text, padded with blanks or ended by a NUL. A missing or unreadable file means false.
bool ReadFactoryMarker(const std::filesystem::path& programFolder);

enum class TestDataFileResult {
  Loaded,
  Missing,     // no such file
  Unreadable,  // a folder, no permission, a read error
  WrongSize,   // shorter than the 128 bytes of the values
};

// The result with the path and the reason; compares as its TestDataFileResult.
struct TestDataFileOutcome {
  TestDataFileResult Result = TestDataFileResult::Loaded;
  std::string Detail;  // empty when Loaded

  operator TestDataFileResult() const { return Result; }  // NOLINT(google-explicit-constructor)
};

// Reads the first 128 bytes into `data`; bytes after them are ignored, as files written over a
// longer file by earlier versions carry them. Anything but Loaded leaves `data` unchanged.
[[nodiscard]] TestDataFileOutcome LoadTestDataFile(const std::filesystem::path& file, TestModeData& data);

// Replaces the file with exactly the 128 bytes of the values; on failure an old file stays as it
// was.
FileWriteResult SaveTestDataFile(const std::filesystem::path& file, const TestModeData& data);

}  // namespace hvt
