// Test data files (".ted") and the factory marker file, as the program reads them from disk.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/test_data_file.h"
#include "fuzz_support.h"
#include "model/record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto file = hvt::fuzz::WriteScratchFile("values.ted", bytes);

  hvt::TestModeData values;
  const hvt::TestModeData untouched = values;
  const auto result = hvt::LoadTestDataFile(file, values);
  if (result == hvt::TestDataFileResult::Loaded) {
    const auto saved = hvt::ToFileBytes(values);
    HVT_FUZZ_CHECK(size >= saved.size() && std::equal(saved.begin(), saved.end(), data));
    // What the editor shows: every value with an edit field inside its range.
    hvt::ClampTestValues(values);
    for (int index = 0; index < hvt::kTestValueCount; ++index) {
      const std::int32_t value = values.Values[static_cast<std::size_t>(index)];
      if (const auto range = hvt::TestValueRangeOf(index))
        HVT_FUZZ_CHECK(value >= range->Min && value <= range->Max);
    }
  } else {
    HVT_FUZZ_CHECK(result == hvt::TestDataFileResult::WrongSize && size < hvt::FileSize<hvt::TestModeData>());
    HVT_FUZZ_CHECK(values == untouched);
  }

  // The same bytes as the marker file that unlocks the factory functions.
  static_cast<void>(hvt::fuzz::WriteScratchFile(std::string(hvt::kFactoryMarkerFileName), bytes));
  static_cast<void>(hvt::ReadFactoryMarker(hvt::fuzz::ScratchFolder()));
  return 0;
}
