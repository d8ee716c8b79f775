// Arbitrary images through the whole decode chain, then the encode chain over what came out.
// The input repeats to fill the image, so that short inputs reach every region.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cstdint>

#include "model/codec_chain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  hvt::RadioImage image;
  // Copied in runs: a byte-by-byte loop here costs more under coverage than the whole chain.
  const auto bytes = image.Bytes();
  for (std::size_t at = 0; at < bytes.size(); at += size) {
    std::memcpy(bytes.data() + at, data, std::min(size, bytes.size() - at));
  }
  hvt::Configuration records;
  hvt::DecodeAll(image, records);
  hvt::RadioImage encoded;
  static_cast<void>(hvt::EncodeAll(records, encoded));
  return 0;
}
