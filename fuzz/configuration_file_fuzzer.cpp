// Configuration files (".dat") and band templates: the reader with both kinds of check, then what
// the program does with a file it accepted (snapshot, modified check; the encode chain has its own
// target, decode_chain_fuzzer).
//
// Input: a mode byte (bit 0: template checks, bit 1: patches), then either the whole file or
// patches laid over a real file, each [offset high, offset low, length, bytes...], so that short
// inputs get past the header's checks and reach the records.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "files/configuration_file.h"
#include "files/snapshot.h"
#include "fuzz_support.h"
#include "model/band.h"
#include "model/record.h"

namespace {

const std::vector<std::uint8_t>& RealFile() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::ifstream in(hvt::fuzz::DataFolder() / "Init" / "HVT7300_1.dat", std::ios::binary);
    std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    HVT_FUZZ_CHECK(read.size() == hvt::kConfigurationFileSize);
    return read;
  }();
  return bytes;
}

std::vector<std::uint8_t> Patched(std::span<const std::uint8_t> patches) {
  std::vector<std::uint8_t> file = RealFile();
  while (patches.size() >= 3) {
    const std::size_t offset = static_cast<std::size_t>(patches[0] << 8 | patches[1]) % file.size();
    const std::size_t length = std::min<std::size_t>({patches[2], patches.size() - 3, file.size() - offset});
    std::copy_n(patches.begin() + 3, length, file.begin() + static_cast<std::ptrdiff_t>(offset));
    patches = patches.subspan(3 + length);
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  const std::vector<std::uint8_t> file =
      (mode & 2) != 0 ? Patched(rest) : std::vector(rest.begin(), rest.end());
  const auto checks =
      (mode & 1) != 0 ? hvt::ConfigurationChecks::SkipModelAndVersion : hvt::ConfigurationChecks::All;

  hvt::Configuration loaded;
  const hvt::Configuration untouched = loaded;
  if (hvt::ParseConfigurationBytes(file, loaded, checks) != hvt::FileCheck::Ok) {
    HVT_FUZZ_CHECK(loaded == untouched);
    return 0;
  }
  // Every byte of an accepted file survives a load and save.
  HVT_FUZZ_CHECK(hvt::ToFileBytes(loaded) == file);

  const auto band = hvt::BandVariantFromNumber(loaded.BandVariant);
  HVT_FUZZ_CHECK(band.has_value());
  hvt::Configuration snapshot;
  hvt::TakeSnapshot(loaded, snapshot, *band);
  HVT_FUZZ_CHECK(!hvt::IsModified(loaded, snapshot));

  return 0;
}
