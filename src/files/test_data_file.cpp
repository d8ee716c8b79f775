#include "files/test_data_file.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <span>

#include "files/file_io.h"
#include "model/record.h"
#include "model/text.h"

namespace hvt {

namespace {

constexpr std::size_t kTestDataFileSize = FileSize<TestModeData>();
constexpr std::size_t kMarkerReadSize = 128;

// The file's first bytes, at most `count` of them; none when it cannot be opened or read.
std::optional<std::string> ReadFirstBytes(const std::filesystem::path& file, std::size_t count) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

bool ReadFactoryMarker(const std::filesystem::path& programFolder) {
  const auto bytes = ReadFirstBytes(programFolder / kFactoryMarkerFileName, kMarkerReadSize);
  return bytes && TextTrim(*bytes) == kFactoryMarkerText;
}

TestDataFileResult LoadTestDataFile(const std::filesystem::path& file, TestModeData& data) {
  std::error_code error;
  const bool exists = std::filesystem::exists(file, error);
  if (!error && !exists) return TestDataFileResult::Missing;
  const auto bytes = ReadFirstBytes(file, kTestDataFileSize);
  if (!bytes) return TestDataFileResult::Unreadable;
  if (bytes->size() != kTestDataFileSize) return TestDataFileResult::WrongSize;
  const auto* first = reinterpret_cast<const std::uint8_t*>(bytes->data());  // NOLINT
  return FromFileBytes(std::span(first, bytes->size()), data) ? TestDataFileResult::Loaded
                                                              : TestDataFileResult::WrongSize;
}

bool SaveTestDataFile(const std::filesystem::path& file, const TestModeData& data) {
  return WriteFileAtomically(file, ToFileBytes(data));
}

}  // namespace hvt
