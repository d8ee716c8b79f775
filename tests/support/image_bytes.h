#pragma once

// Runs of bytes in tests: a text's bytes, and reading and writing runs of an image.

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/radio_image.h"

namespace hvt {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Ascii(std::string_view text) { return {text.begin(), text.end()}; }

inline Bytes Slice(const RadioImage& image, int address, int length) {
  const auto region = image.Region(static_cast<std::size_t>(address), static_cast<std::size_t>(length));
  return {region.begin(), region.end()};
}

inline void Put(RadioImage& image, int address, const Bytes& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) image[static_cast<std::size_t>(address) + i] = bytes[i];
}

}  // namespace hvt
