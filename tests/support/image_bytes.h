#pragma once

// Reading and writing runs of image bytes in tests.

#include <cstdint>
#include <vector>

#include "model/radio_image.h"

namespace hvt {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Slice(const RadioImage& image, int address, int length) {
  const auto region = image.Region(static_cast<std::size_t>(address), static_cast<std::size_t>(length));
  return {region.begin(), region.end()};
}

inline void Put(RadioImage& image, int address, const Bytes& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) image[static_cast<std::size_t>(address) + i] = bytes[i];
}

}  // namespace hvt
