// Arbitrary images through the whole decode chain, then the encode chain over what came out.
// The input repeats to fill the image, so that short inputs reach every region.

#include <cstddef>
#include <cstdint>

#include "model/codec_chain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  hvt::RadioImage image;
  for (std::size_t i = 0; i < hvt::RadioImage::kSize; ++i) image[i] = data[i % size];
  hvt::Configuration records;
  hvt::DecodeAll(image, records);
  hvt::RadioImage encoded;
  static_cast<void>(hvt::EncodeAll(records, encoded));
  return 0;
}
