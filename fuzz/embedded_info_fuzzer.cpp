// Arbitrary information blocks from a radio.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/embedded_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::array<std::uint8_t, hvt::kEmbeddedInfoSize> block{};
  for (std::size_t i = 0; i < block.size() && i < size; ++i) block[i] = data[i];
  static_cast<void>(hvt::DecodeEmbeddedInfo(block));
  return 0;
}
